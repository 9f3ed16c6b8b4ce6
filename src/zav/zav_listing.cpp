#include "zav/zav_listing.h"

#include <unordered_map>

#include "core/frontend.h"
#include "zav/zav.h"

namespace zav {

const std::vector<std::string>& ZAVListing::RouteColumns() {
    static const std::vector<std::string> columns = {"Index", "Route", "Meters", "First Read", "Last Read"};
    return columns;
}

const std::vector<std::string>& ZAVListing::MeterColumns() {
    static const std::vector<std::string> columns = [] {
        std::vector<std::string> names = {"Sequence"};
        const auto all = ZAVFieldNames(kZAVCurrentVersion);
        for (std::size_t i = 0; i < all.size(); ++i)
            if (i >= 3) names.push_back(all[i]);  // after RecType, RouteNbr and Sequence
        return names;
    }();
    return columns;
}

namespace {

std::vector<std::string> Cells(const Values& values, const std::vector<std::string>& fields) {
    std::vector<std::string> cells;
    cells.reserve(fields.size());
    for (const auto& name : fields) {
        const Value* v = values.Find(name);
        cells.push_back(v != nullptr ? ValueText(*v) : std::string());
    }
    return cells;
}

}  // namespace

bool LoadZAVListing(const std::filesystem::path& file, ZAVListing& listing) {
    listing.routes.clear();
    clsZAV zav;
    if (zav.OpenZAVWithFileVersion(file)) {
        AddLog("Error: Could not read ZAV file");
        return false;
    }
    static const std::vector<std::string> routeFields = {"RouteNbr", "Initials", "PrvReading", "Sequence",
                                                         "MeterTagNbr"};
    // One pass: meters are grouped by route index and attached to the routes at the end.
    std::unordered_map<std::int32_t, std::vector<std::vector<std::string>>> metersByRoute;
    std::vector<std::int32_t> routeIndex;
    while (zav.ReadData()) {
        const std::int32_t recType = zav.RecType();
        if (recType == kRecRoute || recType == kRecRouteReturned) {
            const Values values = zav.GetValues();
            listing.routes.push_back({Cells(values, routeFields), {}});
            routeIndex.push_back(static_cast<std::int32_t>(ValueNumber(values.Item("RouteNbr"))));
        } else if (recType == kRecMeter) {
            const Values values = zav.GetValues();
            const auto route = static_cast<std::int32_t>(ValueNumber(values.Item("RouteNbr")));
            metersByRoute[route].push_back(Cells(values, ZAVListing::MeterColumns()));
        }
    }
    for (std::size_t i = 0; i < listing.routes.size(); ++i) {
        const auto it = metersByRoute.find(routeIndex[i]);
        if (it != metersByRoute.end()) listing.routes[i].meters = it->second;
    }
    return true;
}

}  // namespace zav
