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

std::int16_t RouteList::Find(std::string_view route) const {
    const auto found = positions_.find(std::string(route));
    return found != positions_.end() ? found->second : std::int16_t{0};
}

void RouteList::CountMeter(std::int16_t position) { CountUp(counts_[position - 1]); }

namespace {
std::size_t TagHash(std::string_view tag) { return std::hash<std::string_view>()(tag); }
}  // namespace

std::string_view TagSet::Tag(std::uint32_t number) const {
    return std::string_view(texts_).substr(starts_[number], starts_[number + 1] - starts_[number]);
}

void TagSet::Reserve(std::size_t tags) {
    std::size_t size = slots_.empty() ? 1024 : slots_.size();
    while (size < 2 * tags) size *= 2;
    if (size > slots_.size()) Grow(size);
    starts_.reserve(tags + 1);
}

void TagSet::Grow(std::size_t size) {
    std::vector<std::uint32_t> slots(size, 0);
    const std::size_t mask = slots.size() - 1;
    for (std::uint32_t n = 0; n + 1 < starts_.size(); ++n) {
        std::size_t j = TagHash(Tag(n)) & mask;
        while (slots[j] != 0) j = (j + 1) & mask;
        slots[j] = n + 1;
    }
    slots_.swap(slots);
}

bool TagSet::Insert(std::string_view tag) {
    upper_.assign(tag);
    for (char& c : upper_) c = UpperChar(c);
    if ((Size() + 1) * 2 > slots_.size()) Grow(slots_.empty() ? 1024 : slots_.size() * 2);
    const std::size_t mask = slots_.size() - 1;
    std::size_t j = TagHash(upper_) & mask;
    for (; slots_[j] != 0; j = (j + 1) & mask)
        if (Tag(slots_[j] - 1) == upper_) return false;
    slots_[j] = static_cast<std::uint32_t>(Size() + 1);
    texts_ += upper_;
    starts_.push_back(static_cast<std::uint32_t>(texts_.size()));
    return true;
}

void TagSet::Clear() {
    texts_.clear();
    starts_.assign(1, 0);
    slots_.clear();
}

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
