#include "core/number.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/errors.h"

namespace zav {
namespace {

struct ValCase {
    const char* text;
    double expected;
};

TEST(Val, ReadsTheLeadingNumberLikeThePlatform) {
    const ValCase cases[] = {
        {"", 0},
        {"abc", 0},
        {"12", 12},
        {"  12  ", 12},
        {"1 2 3", 123},    // blanks ignored anywhere
        {"1\t2\n3", 123},  // tabs and line feeds too
        {"1\r2", 1},       // a carriage return is not a blank
        {"-12", -12},
        {"+12", 12},
        {"- 12", -12},
        {"12abc", 12},
        {"x12", 0},
        {" \tR", 0},  // a read-type letter
        {"E5", 0},     // no mantissa, no exponent
        {"\r1", 0},
        {"1x", 1},
        {"3.75", 3.75},
        {".5", 0.5},
        {"1.2.3", 1.2},
        {"1,000", 1},
        {"1E3", 1000},
        {"1e-2", 0.01},
        {"2D2", 200},  // D exponent
        {"1E", 1},     // exponent without digits is not part of the number
        {"1E+", 1},
        {"1 E 2", 100},
        {"&H10", 16},
        {"&hff", 255},
        {"&HFFFF", -1},  // fits 16 bits: a 16-bit value
        {"&H8000", -32768},
        {"&H10000", 65536},  // needs 32 bits
        {"&HFFFFFFFF", -1},
        {"&O17", 15},
        {"&o777", 511},
        {"&H", 0},
        {"&X12", 0},
        {"&H1G", 1},
        {"-", 0},
        {".", 0},
        {"1e-400", 0},  // underflows to zero
    };
    for (const auto& c : cases) EXPECT_EQ(Val(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Val, TooLargeIsOverflow) {
    for (const char* text : {"1E999", "&H100000000", "-1e400"}) {
        try {
            Val(text);
            ADD_FAILURE() << text << " did not overflow";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number(), 6) << text;
            EXPECT_EQ(e.Description(), "Overflow");
        }
    }
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, int> cases[] = {
        {0.5, 0},   {1.5, 2},    {2.5, 2},    {3.5, 4},   {-0.5, 0}, {-1.5, -2},
        {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.6, -3}, {7, 7},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(CInt(value), expected) << value;
        EXPECT_EQ(CLng(value), expected) << value;
    }
}

TEST(Rounding, OutsideTheRangeIsOverflow) {
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(-32768.5), -32768);  // rounds to even, stays in range
    EXPECT_EQ(CLng(2147483647.0), 2147483647);
    EXPECT_EQ(CLng(-2147483648.0), -2147483647 - 1);
    const double outside16[] = {32767.5, 32768, -32768.6, -32769, 1e10, NAN};
    for (double v : outside16) EXPECT_THROW(CInt(v), RuntimeError) << v;
    const double outside32[] = {2147483647.5, 2147483648.0, -2147483649.0, 1e300, NAN, -INFINITY};
    for (double v : outside32) EXPECT_THROW(CLng(v), RuntimeError) << v;
    EXPECT_THROW(ValInt("99999"), RuntimeError);
    EXPECT_EQ(ValInt(" 2.5 "), 2);
    EXPECT_EQ(ValLong("99999"), 99999);
}

TEST(NumberFromText, TheWholeTextMustBeOneNumber) {
    const std::pair<const char*, double> numbers[] = {
        {"12", 12},    {"  -3 ", -3}, {"1.5", 1.5}, {".5", 0.5},  {"2.", 2},
        {"1e3", 1000}, {"+7", 7},     {"&H10", 16}, {"&o17", 15},
    };
    for (const auto& [text, value] : numbers) {
        ASSERT_TRUE(NumberFromText(text).has_value()) << text;
        EXPECT_EQ(*NumberFromText(text), value) << text;
    }
    for (const char* text : {"", "   ", "abc", "12a", "1 2", "-", ".", "1e", "&H", "&X1", "1\t", "1.2.3"})
        EXPECT_FALSE(NumberFromText(text).has_value()) << '"' << text << '"';
    EXPECT_THROW(NumberFromText("1e999"), RuntimeError);
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// Plain whole numbers take a short way; it must read exactly what the general reading reads.
TEST(Val, PlainWholeNumbersReadAsTheGeneralRuleReadsThem) {
    const std::pair<const char*, double> cases[] = {
        {"  -0012 ", -12},
        {"+7", 7},
        {"\t42\n", 42},
        {"123456789012345", 123456789012345.0},
        {"1234567890123456", 1234567890123456.0},  // 16 digits: the general way
        {"- 5", -5},
        {"12 3", 123},
        {"12a", 12},
        {"007.50", 7.5},
        {"", 0},
        {"-", 0},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(Val(text), value) << '"' << text << '"';
    EXPECT_TRUE(std::signbit(Val("-0"))) << "as the general reading gives it";
}

// FewDigits lets callers skip the overflow reading: it may only say yes where no overflow can come.
TEST(FewDigits, YesOnlyForBlanksAndAFewDigits) {
    const struct {
        const char* text;
        int maxDigits;
        bool few;
    } cases[] = {
        {"", 4, true},        {"    ", 4, true},  {" 1234 ", 4, true}, {"12345", 4, false},
        {"00001", 4, false},  // leading zeros count: a conservative no
        {"1 2 3", 4, true},   {"-1", 9, false},   {"+1", 9, false},    {"1e9", 15, false},
        {"&H7FFF", 9, false}, {"1.5", 9, false},  {"\t1", 9, false},   {"999999999", 9, true},
        {"1000000000", 9, false},
    };
    for (const auto& c : cases) EXPECT_EQ(FewDigits(c.text, c.maxDigits), c.few) << '"' << c.text << '"';
}

}  // namespace
}  // namespace zav
