#include "exchange/route_state.h"

#include <cstdint>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/text.h"

namespace zav {

void CountUp(std::int16_t& counter) {
    if (counter == INT16_MAX) throw RuntimeError(kErrOverflow);
    ++counter;
}

void RouteList::ClearRoute() {
    routes_.clear();
    counts_.clear();
    positions_.clear();
}

std::int16_t RouteList::AddRoute(std::string_view route) {
    if (!routes_.empty() && routes_.back() == route) return Count();
    std::string key(route);
    if (const auto found = positions_.find(key); found != positions_.end()) return found->second;
    if (routes_.size() >= static_cast<std::size_t>(INT16_MAX)) throw RuntimeError(kErrOverflow);
    routes_.push_back(key);
    counts_.push_back(0);
    const std::int16_t position = Count();
    positions_.emplace(std::move(key), position);
    return position;
}

void RouteList::CountMeter(std::int16_t position) { CountUp(counts_[position - 1]); }

bool TagSet::Insert(std::string_view tag) { return tags_.insert(UCase(tag)).second; }

void ConversionState::Reset() {
    Routes.ClearRoute();
    DuplicateTags.Clear();
    InputLines = 0;
    MetersWritten = 0;
    ValidationMessages = 0;
    Warnings = false;
    Problems = false;
}

void LogRouteClosingLines(const ConversionState& state) {
    if (state.Problems)
        AddLog("Problems encountered; Route file unusable");
    else if (state.Warnings)
        AddLog("Route Conversion Finished with Warnings");
    else
        AddLog("Route Conversion Finished");
    AddLog("");
}

}  // namespace zav
