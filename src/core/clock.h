// The program's clock and the short date and time texts of the user's locale that log lines use.
#pragma once

#include <ctime>
#include <string>

namespace zav {

// The current time, or the fixed time of a ScopedFixedClock (tests compare golden files this way).
std::time_t Now();

// Fixes Now() at `when` for the lifetime of this object.
class ScopedFixedClock {
  public:
    explicit ScopedFixedClock(std::time_t when);
    ~ScopedFixedClock();
    ScopedFixedClock(const ScopedFixedClock&) = delete;
    ScopedFixedClock& operator=(const ScopedFixedClock&) = delete;

  private:
    bool hadFixed_;
    std::time_t previous_;
};

// Local time in the locale's short time format (LC_TIME "%X"), e.g. "14:05:09".
std::string ShortTime(std::time_t when);
// Local date in the locale's short date format (LC_TIME "%x"), e.g. "12/10/26".
std::string ShortDate(std::time_t when);

}  // namespace zav
