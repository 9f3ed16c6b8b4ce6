// Barcode element strings and their drawing in whole pixels.
#include "reports/barcode.h"

#include <gtest/gtest.h>

#include <numeric>

#include "reports/recording_surface.h"

namespace zav {
namespace {

TEST(Barcode, Code39OfTwelveIsStarOneTwoStarEachFollowedByAWideSpace) {
    const std::string elements = clsDrawBarcode::Char39("12");
    ASSERT_EQ(elements.size(), 4u * 10u);
    const char* patterns[] = {"NWNNWNWNN", "WNNWNNNNW", "NNWWNNNNW", "NWNNWNWNN"};  // *, 1, 2, *
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(elements.substr(i * 10, 9), patterns[i]);
        EXPECT_EQ(elements[i * 10 + 9], 'W');
    }
    // Lower case reads as upper case; characters outside the table give nothing.
    EXPECT_EQ(clsDrawBarcode::Char39("a"), clsDrawBarcode::Char39("A"));
    EXPECT_EQ(clsDrawBarcode::Char39("1#"), clsDrawBarcode::Char39("1"));
}

TEST(Barcode, Code39CharactersHaveThreeWideElements) {
    for (const char c : std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%")) {
        const std::string e = clsDrawBarcode::Char39(std::string(1, c)).substr(10, 9);
        EXPECT_EQ(std::count(e.begin(), e.end(), 'W'), 3) << c;
    }
}

TEST(Barcode, CheckUPC) {
    EXPECT_EQ(clsDrawBarcode::CheckUPC("03600029145"), 2);
    EXPECT_EQ(clsDrawBarcode::CheckUPC("01234567890"), 5);
    EXPECT_EQ(clsDrawBarcode::CheckUPC(""), 0);
}

TEST(Barcode, Code128PacksRunsOfDigitsInCodeSetC) {
    struct Case {
        const char* value;
        std::vector<int> data;  // without the check value
    } cases[] = {
        {"AB", {104, 33, 34}},
        {"123", {104, 17, 18, 19}},        // a short run stays in code set B
        {"123456", {105, 12, 34, 56}},     // starts in code set C
        {"12345", {104, 17, 99, 23, 45}},  // odd run: its first digit in B
        {"AB1234CD", {104, 33, 34, 99, 12, 34, 100, 35, 36}},
        {"A\x01"
         "B\xE9",
         {104, 33, 34}},  // outside code set B: nothing
    };
    for (const Case& c : cases) {
        std::vector<int> codes = clsDrawBarcode::Array128(c.value);
        ASSERT_FALSE(codes.empty());
        const int check = codes.back();
        codes.pop_back();
        EXPECT_EQ(codes, c.data) << c.value;
        long sum = codes[0];
        for (std::size_t i = 1; i < codes.size(); ++i) sum += static_cast<long>(i) * codes[i];
        EXPECT_EQ(check, sum % 103) << c.value;
    }
    // Nineteen characters get their UPC check digit first.
    EXPECT_EQ(clsDrawBarcode::Array128("1234567890123456789"), clsDrawBarcode::Array128("12345678901234567890"));
}

TEST(Barcode, Code128SymbolsAreElevenUnitsWithEvenBars) {
    std::vector<int> all(106);
    std::iota(all.begin(), all.end(), 0);
    const std::string elements = clsDrawBarcode::Char128(all);
    ASSERT_EQ(elements.size(), 106u * 6u + 7u);
    for (std::size_t s = 0; s <= 106; ++s) {
        const std::size_t count = s < 106 ? 6 : 7;
        int units = 0, bars = 0;
        for (std::size_t k = 0; k < count; ++k) {
            const int w = elements[s * 6 + k] - 'A' + 1;
            units += w;
            if (k % 2 == 0) bars += w;
        }
        EXPECT_EQ(units, s < 106 ? 11 : 13) << s;
        EXPECT_EQ(bars % 2, 0) << s;
    }
}

TEST(Barcode, Interleaved2of5AndUPCElementStrings) {
    // 1 = WNNNW as bars, 2 = NWNNW as spaces.
    EXPECT_EQ(clsDrawBarcode::Char2of5("12"),
              "NNNN"
              "WNNWNNNNWW"
              "WNNN");
    EXPECT_EQ(clsDrawBarcode::Char2of5("2"), clsDrawBarcode::Char2of5("02"));
    // "123" and its check digit 6 (from the right 3*3 + 2 + 1*3 = 14): two digits in each half.
    EXPECT_EQ(clsDrawBarcode::CharUPC("123"),
              "<1111"
              "012211"
              "011221"
              ">1111<"
              "1411"
              "1114"
              ">1111");
}

TEST(Barcode, ElementWidthsInPixels) {
    EXPECT_EQ(clsDrawBarcode::ElementPixels('W', 0), 3);  // 2.75 at a unit of 1
    EXPECT_EQ(clsDrawBarcode::ElementPixels('N', 0), 1);
    EXPECT_EQ(clsDrawBarcode::ElementPixels('W', 14), 38);  // 38.5, halves to even
    EXPECT_EQ(clsDrawBarcode::ElementPixels('D', 2), 8);
    EXPECT_EQ(clsDrawBarcode::ElementPixels('0', 5), 0);

    RecordingSurface surface(false, 100);
    clsDrawBarcode::DrawElements("W0NNB", surface, 1.0, 2.0, 0.5, 0);
    // Bars: W (3 px), the zero-width space, N ... alternation: W bar, 0 space, N bar, N space, B bar.
    const auto& items = surface.Items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_NEAR(items[0].x, 1.0, 1e-9);
    EXPECT_NEAR(items[0].x2, 0.03, 1e-9);
    EXPECT_NEAR(items[1].x, 1.03, 1e-9);
    EXPECT_NEAR(items[1].x2, 0.01, 1e-9);
    EXPECT_NEAR(items[2].x, 1.05, 1e-9);
    EXPECT_NEAR(items[2].x2, 0.02, 1e-9);
    EXPECT_NEAR(items[2].y2, 0.5, 1e-9);
}

}  // namespace
}  // namespace zav
