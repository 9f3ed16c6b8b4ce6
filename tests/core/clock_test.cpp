#include "core/clock.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

TEST(Clock, FixedClockNestsAndRestores) {
    const std::time_t real = Now();
    {
        ScopedFixedClock outer(1000);
        EXPECT_EQ(Now(), 1000);
        {
            ScopedFixedClock inner(2000);
            EXPECT_EQ(Now(), 2000);
        }
        EXPECT_EQ(Now(), 1000);
    }
    EXPECT_GE(Now(), real);
}

TEST(Clock, ShortTextsInTheCLocale) {
    // 2026-12-10 14:05:09 local time
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 11;
    t.tm_mday = 10;
    t.tm_hour = 14;
    t.tm_min = 5;
    t.tm_sec = 9;
    t.tm_isdst = -1;
    const std::time_t when = std::mktime(&t);
    EXPECT_EQ(ShortTime(when), "14:05:09");
    EXPECT_EQ(ShortDate(when), "12/10/26");
}

}  // namespace
}  // namespace zav
