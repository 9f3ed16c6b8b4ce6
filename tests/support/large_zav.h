// Large ZAV databases for the viewer's benchmark and tests: `meters` version-3 meter records with
// filled texts, spread evenly over `routes` routes, after a header and the route records, as a route
// conversion writes them (route kind 1) or as a handheld brings them back (kind 256, readings filled
// in). Header-only; the executables that include it link the zav module.
#pragma once

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "zav/zav.h"

namespace zav::test {

inline void WriteLargeZAV(const std::filesystem::path& path, std::int32_t meters, std::int32_t routes,
                          bool readings = false) {
    clsZAV db;
    db.SetVersion(kZAVCurrentVersion);
    if (db.CreateZAV(path, kContainerPDB, 1 + routes + meters) != 0)
        throw std::runtime_error("cannot create " + path.string());
    const std::int32_t perRoute = (meters + routes - 1) / routes;
    db.AddNew();
    db.SetItem("RecType", std::int16_t{kRecHeader});
    db.SetItem("RouteNbr", routes);
    db.SetItem("MeterType", std::int16_t{kZAVCurrentVersion});
    db.SetItem("PrvReading", meters);
    db.SetItem("Initials", std::string("ZAV loaded from large.txt"));
    db.WriteData();
    for (std::int32_t r = 1; r <= routes; ++r) {
        const std::int32_t count = std::max(0, std::min(perRoute, meters - (r - 1) * perRoute));
        db.AddNew();
        db.SetItem("RecType", std::int16_t(readings ? kRecRouteReturned : kRecRoute));
        db.SetItem("RouteNbr", r);
        db.SetItem("PrvReading", count);
        db.SetItem("Initials", std::to_string(1000 + r));
        db.SetItem("ResponseText", std::to_string(1000 + r));
        db.WriteData();
    }
    const char* streets[] = {"MAIN ST", "OAK AVE", "21ST AVE NW", "LAKEVIEW DR", "MILL RD"};
    const char* names[] = {"SMITH, JOHN", "O'NEIL, MARY", "THE CORNER BAKERY", "NGUYEN, WEI", "GARCIA, ANA"};
    for (std::int32_t m = 0; m < meters; ++m) {
        db.AddNew();
        db.SetItem("RecType", std::int16_t{kRecMeter});
        db.SetItem("RouteNbr", 1 + m / perRoute);
        db.SetItem("Sequence", 10 + 10 * (m % perRoute));
        db.SetItem("MeterTagNbr", 3100000 + m);
        db.SetItem("MeterType", std::int16_t{1});
        db.SetItem("Digits", std::int16_t{6});
        db.SetItem("PrvReading", 1000 + m);
        db.SetItem("MaxReading", 2000 + m);
        db.SetItem("MinReading", 1100 + m);
        if (readings) {
            db.SetItem("CurReading", 1500 + m);
            db.SetItem("ReadingDate", 20260412);
            db.SetItem("ReadingTime", 93000 + m % 3000);
            db.SetItem("ReadType", static_cast<std::int16_t>(1 + m % 3));
        }
        db.SetItem("LstReadingDate", 20260310);
        db.SetItem("UtilityCode", std::int16_t{1});
        db.SetItem("Message", std::string(m % 7 == 0 ? "DOG IN YARD" : ""));
        db.SetItem("ServiceAddress", std::to_string(100 + m % 9000) + " " + streets[m % 5]);
        db.SetItem("BillingName", names[m % 5] + std::string(" ") + std::to_string(m));
        db.SetItem("ServiceUniqueID", std::to_string(200000 + m));
        db.SetItem("MeterSerialNbr", "W" + std::to_string(10000000 + m));
        db.WriteData();
    }
    db.CloseZAV();
}

}  // namespace zav::test
