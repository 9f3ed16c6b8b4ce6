// What the reading converters share about a readings database as a whole: the routes its records name,
// kept by number, and a tally of the records read, checked at the end against what the header and the
// container announce, so a damaged database is not converted in part as if it were whole.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "core/errors.h"

namespace zav {

class clsZAV;

// The routes of a readings database by the numbers its records use. The header announces how many
// there are; a number outside 1 to that count is not a route of the database. Entries exist only for
// the numbers the records name, so the table follows the records present, whatever the header claims.
template <typename Entry>
class ReadingsRoutes {
  public:
    // Empties the table for a database that announces `count` routes.
    void Announce(std::int32_t count) {
        count_ = count;
        entries_.clear();
    }
    std::int32_t Announced() const { return count_; }
    // The entry of route `number`, made empty on first use. THROWS RuntimeError(9) (naming `what`, the
    // kind of record that named it) when the number is outside the announced routes.
    Entry& At(std::int32_t number, const char* what) {
        if (number < 1 || number > count_)
            throw RuntimeError(kErrSubscript, "Error: Route number " + std::to_string(number) + " of " + what +
                                                  " is outside the route list of the readings database (" +
                                                  std::to_string(count_) + " routes)");
        return entries_[number];
    }
    // The entry of route `number` when the records named it, else nullptr.
    const Entry* Find(std::int32_t number) const {
        const auto it = entries_.find(number);
        return it == entries_.end() ? nullptr : &it->second;
    }

  private:
    std::int32_t count_ = 0;
    std::unordered_map<std::int32_t, Entry> entries_;
};

// The records of one pass over a readings database: the header's announced routes and meters, and the
// route and meter records read.
class ReadingsTally {
  public:
    // Notes the current record of `db` (a header, route or meter record; other kinds are not counted).
    void Note(const clsZAV& db);
    // After the pass: one "Error: " line for each count that differs from the header's and for bytes the
    // pass did not reach (a record stream ended early); false when there was any.
    bool Check(const clsZAV& db) const;

  private:
    bool header_ = false;
    std::int32_t announcedRoutes_ = 0, announcedMeters_ = 0;
    std::int32_t routes_ = 0, meters_ = 0;
};

}  // namespace zav
