#include "exchange/readings_tally.h"

#include "core/frontend.h"
#include "zav/zav.h"

namespace zav {

namespace {

std::int32_t Number(const clsZAV& db, std::string_view field) {
    const double n = ValueNumber(db.Item(field));
    return n >= INT32_MIN && n <= INT32_MAX ? static_cast<std::int32_t>(n) : 0;
}

std::string Count(std::int32_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

void ReadingsTally::Note(const clsZAV& db) {
    switch (db.RecType()) {
        case kRecHeader:
            if (header_) break;  // the first header is the database's
            header_ = true;
            announcedRoutes_ = Number(db, "RouteNbr");
            announcedMeters_ = Number(db, "PrvReading");
            break;
        case kRecRoute:
        case kRecRouteReturned:
            ++routes_;
            break;
        case kRecMeter:
            ++meters_;
            break;
        default:
            break;
    }
}

bool ReadingsTally::Check(const clsZAV& db) const {
    bool whole = true;
    auto damaged = [&whole](const std::string& what) {
        AddLog("Error: Readings database damaged: " + what);
        whole = false;
    };
    if (header_ && routes_ != announcedRoutes_)
        damaged("the header announces " + Count(announcedRoutes_, "route", "routes") + ", " +
                Count(routes_, "route record was", "route records were") + " read");
    if (header_ && meters_ != announcedMeters_)
        damaged("the header announces " + Count(announcedMeters_, "meter", "meters") + ", " +
                Count(meters_, "meter record was", "meter records were") + " read");
    if (const std::uint64_t left = db.BytesLeft(); left > 0)
        damaged("reading ended at an empty record with " + std::to_string(left) + " bytes of the file after it");
    return whole;
}

}  // namespace zav
