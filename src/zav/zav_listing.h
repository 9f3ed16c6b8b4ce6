// What the viewer shows of a ZAV database: its routes and, for each, its meters with every field.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zav {

// One listed row of cells, kept as one string so that a listing of tens of thousands of meters stays
// small. A cell never holds a zero byte (texts end at one, numbers are digits): one ends each cell.
class ListingRow {
  public:
    ListingRow() = default;
    // Zero bytes inside a cell are dropped.
    explicit ListingRow(const std::vector<std::string>& cells);

    std::size_t size() const { return count_; }
    // Cell `i`; empty past the last cell.
    std::string_view operator[](std::size_t i) const;
    std::vector<std::string> Cells() const;
    // Calls fn(i, cell) for every cell in order, walking the row once.
    template <typename Fn>
    void ForEachCell(Fn&& fn) const {
        std::size_t begin = 0;
        for (std::size_t i = 0; i < count_; ++i) {
            const std::size_t end = text_.find('\0', begin);
            fn(i, std::string_view(text_).substr(begin, end - begin));
            begin = end + 1;
        }
    }

  private:
    std::string text_;  // every cell followed by a zero byte
    std::size_t count_ = 0;
};

struct ZAVListing {
    struct Route {
        ListingRow cells;        // in the order of RouteColumns()
        std::int32_t index = 0;  // the "Index" cell as a number: the RouteNbr of the route's meters
    };
    std::vector<Route> routes;  // file order
    // The meter rows (cells in the order of MeterColumns()) by the RouteNbr they carry, file order.
    // Routes with the same index share one list.
    std::unordered_map<std::int32_t, std::vector<ListingRow>> metersByIndex;

    // The meters of the route with Index `index` (empty when it has none).
    const std::vector<ListingRow>& Meters(std::int32_t index) const;
    const std::vector<ListingRow>& Meters(const Route& route) const { return Meters(route.index); }

    // "Index", "Route", "Meters", "First Read", "Last Read".
    static const std::vector<std::string>& RouteColumns();
    // "Sequence", then every other field of the version 3 schema from "MeterTagNbr" to "User5".
    static const std::vector<std::string>& MeterColumns();
};

// Reads the file once, with the schema of the version its header names. Records of kind 1 and 256
// are routes; records of kind 2 are the meters of the route whose index is their RouteNbr (meters of
// no listed route are left out); every other kind is passed over. A field the file's version does not
// have is an empty cell. Logs "Error: Could not read ZAV file" and returns false when the file cannot
// be opened. THROWS RuntimeError for an error while reading.
bool LoadZAVListing(const std::filesystem::path& file, ZAVListing& listing);

}  // namespace zav
