// The plain check of number columns, sixteen columns at a time, against a column-by-column look at lines
// of every length, and the value of plain digits.
#include "core/number_columns.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace zav {
namespace {

TEST(NumberColumns, PlainAgreesWithAColumnByColumnLook) {
    std::mt19937 random(21);
    const std::string alphabet = "0000123456789     -.Ra\t\x80";
    for (int round = 0; round < 3000; ++round) {
        struct Mark {
            std::size_t start, width, maxDigits;
        };
        std::vector<Mark> marks(1 + random() % 4);
        for (Mark& m : marks) m = {random() % 40, 1 + random() % 20, 1 + random() % 12};
        NumberColumns columns;
        for (const Mark& m : marks) columns.Mark(m.start, m.width, m.maxDigits);
        std::string line(random() % 70, ' ');
        for (char& c : line) c = random() % 3 == 0 ? alphabet[random() % alphabet.size()] : ' ';

        bool expected = true;
        for (std::size_t c = 0; c < line.size(); ++c) {
            for (const Mark& m : marks) {
                if (c < m.start || c >= m.start + m.width) continue;
                const bool leading = c < m.start + (m.width > m.maxDigits ? m.width - m.maxDigits : 0);
                const char b = line[c];
                if (b != ' ' && (leading ? b != '0' : (b < '0' || b > '9'))) expected = false;
            }
        }
        ASSERT_EQ(columns.Plain(line), expected) << "[" << line << "]";
    }
    NumberColumns none;
    EXPECT_TRUE(none.Empty());
    EXPECT_TRUE(none.Plain("abc"));
}

TEST(NumberColumns, PlainDigitsReadInOrderWithBlanksSkipped) {
    const struct {
        const char* text;
        std::uint64_t value;
    } cases[] = {
        {"", 0},          {"    ", 0},         {"  0042", 42},     {"1 2 3 ", 123},        {"     1000", 1000},
        {"12345678", 12345678}, {"   123456789", 123456789}, {"999999999999999", 999999999999999},
        {"0000000000000000000012", 12},  // leading zeros beyond sixteen digits
    };
    for (const auto& c : cases) EXPECT_EQ(PlainDigitsValue(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace zav
