#include "core/clock.h"

namespace zav {

namespace {
bool g_fixed = false;
std::time_t g_fixedTime = 0;

std::string Format(std::time_t when, const char* format) {
    std::tm local{};
    localtime_r(&when, &local);
    char buf[64];
    const std::size_t n = std::strftime(buf, sizeof buf, format, &local);
    return std::string(buf, n);
}
}  // namespace

std::time_t Now() { return g_fixed ? g_fixedTime : std::time(nullptr); }

ScopedFixedClock::ScopedFixedClock(std::time_t when) : hadFixed_(g_fixed), previous_(g_fixedTime) {
    g_fixed = true;
    g_fixedTime = when;
}

ScopedFixedClock::~ScopedFixedClock() {
    g_fixed = hadFixed_;
    g_fixedTime = previous_;
}

std::string ShortTime(std::time_t when) { return Format(when, "%X"); }
std::string ShortDate(std::time_t when) { return Format(when, "%x"); }

}  // namespace zav
