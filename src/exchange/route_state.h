// The state of one route conversion that the drivers reset and the converters fill: the routes met in
// the source with their meter counts, the meter tags already written, the line and meter counters and
// the warnings and problems flags; and the closing lines a driver writes from it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace zav {

// The route numbers of a source file in the order first met, each with a 16-bit meter count.
// Positions count from 1 and are 16-bit, so at most 32,767 routes are held.
class RouteList {
  public:
    // Empties the list (routes and counts).
    void ClearRoute();
    // The position of `route` (compared exactly, letter case included), appended with a count of 0
    // when it is new. THROWS RuntimeError(6) for a 32,768th route.
    std::int16_t AddRoute(std::string_view route);
    // The position of `route`, 0 when it is not in the list.
    std::int16_t Find(std::string_view route) const;
    std::int16_t Count() const { return static_cast<std::int16_t>(routes_.size()); }
    // REQUIRES: 1 <= position <= Count().
    const std::string& Route(std::int16_t position) const { return routes_[position - 1]; }
    std::int16_t MeterCount(std::int16_t position) const { return counts_[position - 1]; }
    // Adds one meter to the route's count. THROWS RuntimeError(6) past 32,767.
    void CountMeter(std::int16_t position);

  private:
    std::vector<std::string> routes_;
    std::vector<std::int16_t> counts_;
    // Position by route text, so a long list is not searched from its start for every line.
    std::unordered_map<std::string, std::int16_t> positions_;
};

// Meter tags already written in this conversion; tags compare without regard to letter case.
class TagSet {
  public:
    // Adds the tag; false when it was already there.
    bool Insert(std::string_view tag);
    // Makes room for `tags` tags at least (no growing while they are added).
    void Reserve(std::size_t tags);
    void Clear();
    std::size_t Size() const { return starts_.size() - 1; }

  private:
    std::string_view Tag(std::uint32_t number) const;
    // Re-hashes the tags into `size` slots (a power of two).
    void Grow(std::size_t size);

    // The upper-cased tags one after the other in one text (a route's tags cost their characters, not a
    // node each), where tag n spans [starts_[n], starts_[n + 1]); an open-addressed table of tag numbers
    // plus one (0: empty) finds them.
    std::string texts_;
    std::vector<std::uint32_t> starts_{0};
    std::vector<std::uint32_t> slots_;
    std::string upper_;  // the tag being inserted, upper-cased
};

// Adds one to a 16-bit counter. THROWS RuntimeError(6) past 32,767 instead of wrapping.
void CountUp(std::int16_t& counter);

// The conversion state of a route (or re-read) conversion.
struct ConversionState {
    RouteList Routes;
    TagSet DuplicateTags;                 // meter tags met so far (the duplicate check)
    std::int32_t InputLines = 0;          // lines read from the source in the current pass
    std::int32_t MetersWritten = 0;       // meter records written to the database
    std::int16_t ValidationMessages = 0;  // messages issued by the route validation
    bool Warnings = false;                // some record was accepted with a warning
    bool Problems = false;                // some record makes the database unusable

    // Empties the route list and the tag set, zeroes the counters and clears the flags.
    void Reset();
};

// The closing lines of a route conversion: "Problems encountered; Route file unusable" when problems
// were found, else "Route Conversion Finished with Warnings" when warnings were given, else "Route
// Conversion Finished"; then an empty line.
void LogRouteClosingLines(const ConversionState& state);

}  // namespace zav
