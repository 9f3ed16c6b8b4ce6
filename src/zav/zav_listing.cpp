#include "zav/zav_listing.h"

#include <algorithm>
#include <unordered_set>

#include "core/frontend.h"
#include "zav/zav.h"

namespace zav {

ListingRow::ListingRow(const std::vector<std::string>& cells) : count_(cells.size()) {
    std::size_t bytes = 0;
    for (const auto& cell : cells) bytes += cell.size() + 1;
    text_.reserve(bytes);
    for (const auto& cell : cells) {
        for (const char c : cell)
            if (c != '\0') text_.push_back(c);
        text_.push_back('\0');
    }
}

std::string_view ListingRow::operator[](std::size_t i) const {
    if (i >= count_) return {};
    std::size_t begin = 0;
    for (; i > 0; --i) begin = text_.find('\0', begin) + 1;
    return std::string_view(text_).substr(begin, text_.find('\0', begin) - begin);
}

std::vector<std::string> ListingRow::Cells() const {
    std::vector<std::string> cells;
    cells.reserve(count_);
    ForEachCell([&cells](std::size_t, std::string_view cell) { cells.emplace_back(cell); });
    return cells;
}

const std::vector<ListingRow>& ZAVListing::Meters(std::int32_t index) const {
    static const std::vector<ListingRow> none;
    const auto it = metersByIndex.find(index);
    return it != metersByIndex.end() ? it->second : none;
}

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

// Where each of `fields` sits among the values of a record of schema `version` (-1: not there).
std::vector<int> ValuePositions(const std::vector<std::string>& fields, std::int32_t version) {
    const auto names = ZAVFieldNames(version);
    std::vector<int> positions;
    positions.reserve(fields.size());
    for (const auto& field : fields) {
        const auto it = std::find(names.begin(), names.end(), field);
        positions.push_back(it != names.end() ? static_cast<int>(it - names.begin()) : -1);
    }
    return positions;
}

ListingRow Row(const Values& values, const std::vector<int>& positions, std::vector<std::string>& cells) {
    cells.clear();
    for (const int pos : positions)
        cells.push_back(pos >= 0 && static_cast<std::size_t>(pos) < values.Count()
                            ? ValueText((values.begin() + pos)->second)
                            : std::string());
    return ListingRow(cells);
}

}  // namespace

bool LoadZAVListing(const std::filesystem::path& file, ZAVListing& listing) {
    listing.routes.clear();
    listing.metersByIndex.clear();
    clsZAV zav;
    if (zav.OpenZAVWithFileVersion(file)) {
        AddLog("Error: Could not read ZAV file");
        return false;
    }
    static const std::vector<std::string> routeFields = {"RouteNbr", "Initials", "PrvReading", "Sequence",
                                                         "MeterTagNbr"};
    const std::vector<int> routePositions = ValuePositions(routeFields, zav.Version());
    const std::vector<int> meterPositions = ValuePositions(ZAVListing::MeterColumns(), zav.Version());
    const int routeNbr = ValuePositions({"RouteNbr"}, zav.Version())[0];
    std::vector<std::string> cells;
    auto indexOf = [routeNbr](const Values& values) {
        return static_cast<std::int32_t>(ValueNumber((values.begin() + routeNbr)->second));
    };
    // One pass: meters are grouped by the RouteNbr they carry; groups no route claims are dropped at the end.
    while (zav.ReadData()) {
        const std::int32_t recType = zav.RecType();
        if (recType == kRecRoute || recType == kRecRouteReturned) {
            const Values values = zav.GetValues();
            listing.routes.push_back({Row(values, routePositions, cells), indexOf(values)});
        } else if (recType == kRecMeter) {
            const Values values = zav.GetValues();
            listing.metersByIndex[indexOf(values)].push_back(Row(values, meterPositions, cells));
        }
    }
    std::unordered_set<std::int32_t> listed;
    for (const auto& route : listing.routes) listed.insert(route.index);
    std::erase_if(listing.metersByIndex, [&listed](const auto& group) { return !listed.contains(group.first); });
    return true;
}

}  // namespace zav
