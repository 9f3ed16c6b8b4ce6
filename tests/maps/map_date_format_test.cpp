// Stored dates and times in the map's output format codes.
#include "maps/map_date_format.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

TEST(MapDateFormat, DateCodes) {
    struct Case {
        const char* value;
        int code;
        const char* expected;
    };
    const Case cases[] = {
        {"20240131", 10, "240131"},
        {"20240131", 11, "24-01-31"},
        {"20240131", 12, "24/01/31"},
        {"20240131", 14, "20240131"},
        {"20240131", 15, "2024-01-31"},
        {"20240131", 16, "2024/01/31"},
        {"20240131", 20, "013124"},
        {"20240131", 25, "01-31-2024"},
        {"20240131", 26, "01/31/2024"},
        {"20240131", 30, "310124"},
        {"20240131", 34, "31012024"},
        {"20240131", 36, "31/01/2024"},
        {"0", 16, "0000/00/00"},
        {"0", 25, "00-00-0000"},
        {"", 10, "000000"},
        {"20241399", 25, "00-00-0000"},  // no such month or day
        {"20230229", 14, "00000000"},    // not a leap year
        {"20240229", 14, "20240229"},
        {"2024013", 14, "20240103"},  // the day is what stands there
        {"202401", 14, "00000000"},   // no day
        {"20240131", 0, ""},
        {"20240131", 99, ""},  // codes without a date pattern
        {" 20240131 ", 15, "2024-01-31"},
        {"00000000", 14, "00000000"},
        {"20240131", 13, "24/-M/M-31"},  // both separators: the letters that no longer pair stay letters
        {" 0 ", 25, "00-00-0000"},
        {"2024 0131", 14, "00000000"},  // a blank inside: not a date
        {"99999999999999999999", 14, "00000000"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatMapDate(c.value, c.code), c.expected) << c.value << " " << c.code;
}

TEST(MapDateFormat, TimeCodes) {
    struct Case {
        const char* value;
        int code;
        const char* expected;
    };
    const Case cases[] = {
        {"93005", 43, "09:30:05"},   {"93005", 40, "0930"}, {"93005", 41, "093005"}, {"93005", 42, "09:30"},
        {"0", 43, "00:00:00"},       {"0", 40, "0000"},     {"5", 41, "000005"},     {"235959", 43, "23:59:59"},
        {"250000", 43, "01:00:00"},   // past midnight carries over as a clock does
        {"1234567", 43, "23:46:07"},  // the last six digits count: 23:45:67 carries to 23:46:07
        {" 93005 ", 41, "093005"},   {"00", 42, "00:00"},   {"9:30", 43, "00:09:30"},
        {"-5", 43, "23:59:55"},      // before midnight
        {"12a456", 43, "12:00:56"},  // what cannot be read as a number counts 0
    };
    for (const Case& c : cases) EXPECT_EQ(FormatMapTime(c.value, c.code), c.expected) << c.value << " " << c.code;
}

}  // namespace
}  // namespace zav
