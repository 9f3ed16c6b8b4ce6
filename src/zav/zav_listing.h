// What the viewer shows of a ZAV database: its routes and, for each, its meters with every field.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zav {

struct ZAVListing {
    struct Route {
        std::vector<std::string> cells;                // in the order of RouteColumns()
        std::vector<std::vector<std::string>> meters;  // in the order of MeterColumns(), file order
    };
    std::vector<Route> routes;  // file order

    // "Index", "Route", "Meters", "First Read", "Last Read".
    static const std::vector<std::string>& RouteColumns();
    // "Sequence", then every other field of the version 3 schema from "MeterTagNbr" to "User5".
    static const std::vector<std::string>& MeterColumns();
};

// Reads the file with the schema of the version its header names. Records of kind 1 and 256 are
// routes; records of kind 2 are the meters of the route whose index is their RouteNbr; a field the
// file's version does not have is an empty cell. Logs "Error: Could not read ZAV file" and returns
// false when the file cannot be opened. THROWS RuntimeError for an error while reading.
bool LoadZAVListing(const std::filesystem::path& file, ZAVListing& listing);

}  // namespace zav
