// Dates of a source file read in a map's date format into the stored number yyyymmdd.
#include "maps/map_date.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zav {
namespace {

TEST(MapDateNumberTest, EveryLayoutReadsItsOwnDate) {
    struct Case {
        const char* text;
        std::int32_t code;
        std::int32_t number;
    } cases[] = {
        {"240109", 10, 20240109},   {"24-01-09", 11, 20240109},   {"24/01/09", 12, 20240109},
        {"20240109", 14, 20240109}, {"2024-01-09", 15, 20240109}, {"2024/1/9", 16, 20240109},
        {"010924", 20, 20240109},   {"01-09-24", 21, 20240109},   {"1/9/24", 22, 20240109},
        {"01092024", 24, 20240109}, {"01-09-2024", 25, 20240109}, {" 12/31/1999 ", 26, 19991231},
        {"090124", 30, 20240109},   {"09-01-24", 31, 20240109},   {"09/01/24", 32, 20240109},
        {"09012024", 34, 20240109}, {"09-01-2024", 35, 20240109}, {"29/02/2024", 36, 20240229},
        {"20240109", 0, 20240109},  {"491231", 10, 20491231},     {"500101", 10, 19500101},
    };
    for (const auto& c : cases) EXPECT_EQ(MapDateNumber(c.text, c.code), c.number) << c.text << " code " << c.code;
}

// Dates of the usual shape (two-digit month and day) are read without splitting: each reads as the same
// date with a leading zero of its month or day dropped, which takes the general reading.
TEST(MapDateNumberTest, TheUsualShapeReadsAsTheGeneralReading) {
    std::mt19937 random(3);
    const char digits[] = "0000011229";
    for (const std::int32_t code : {11, 12, 15, 16, 21, 22, 25, 26, 31, 32, 35, 36}) {
        const bool ymd = code / 10 == 1;
        const std::size_t yearDigits = code % 10 >= 4 ? 4 : 2;
        const char separator = code % 2 == 1 ? '-' : '/';
        for (int round = 0; round < 2000; ++round) {
            std::string year, a, b;
            for (std::size_t i = 0; i < yearDigits; ++i) year += digits[random() % 10];
            for (std::string* group : {&a, &b})
                for (int i = 0; i < 2; ++i) *group += digits[random() % 10];
            if (random() % 8 == 0) a[random() % 2] = random() % 2 ? 'x' : separator;  // near misses too
            const std::string text = ymd ? year + separator + a + separator + b : a + separator + b + separator + year;
            std::string general = text;
            const std::size_t groupAt = ymd ? yearDigits + 1 : 0;  // the first group that is no year
            if (general[groupAt] == '0')
                general.erase(groupAt, 1);
            else if (general[groupAt + 3] == '0')
                general.erase(groupAt + 3, 1);
            else
                continue;
            ASSERT_EQ(MapDateNumber(text, code), MapDateNumber(general, code)) << text << " code " << code;
        }
    }
}

TEST(MapDateNumberTest, BlankAndAllZeroDatesAreNoDate) {
    for (const char* text : {"", "   ", "00000000", "00/00/0000", "0", "--"})
        EXPECT_EQ(MapDateNumber(text, 26), 0) << '"' << text << '"';
}

TEST(MapDateNumberTest, TextThatIsNoDateInTheLayoutIsRefused) {
    struct Case {
        const char* text;
        std::int32_t code;
    } cases[] = {
        {"13/01/2024", 26},  // month 13
        {"02/30/2024", 26},  // 30 February
        {"02/29/2023", 26},  // not a leap year
        {"2024-01-09", 26},  // another separator
        {"1/9/2024/5", 26},  // a part too many
        {"01/09/24", 26},    // two-digit year where four are expected
        {"0109202", 24},     // a digit short
        {"01a92024", 24},    // a letter
        {"JAN 9 2024", 26},  // words
        {"20240109", 13},    // a code that names no format
        {"20240109", 43},    // a time format
        {"+1/9/2024", 26},   // signs are not digits
    };
    for (const auto& c : cases) EXPECT_EQ(MapDateNumber(c.text, c.code), std::nullopt) << c.text << " code " << c.code;
}

}  // namespace
}  // namespace zav
