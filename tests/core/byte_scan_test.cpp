// The byte scans: counts and tests done a word or a block at a time agree with a byte-by-byte look,
// whatever the length and wherever the bytes stand (the last, partial word or block included).
#include "core/byte_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace zav {
namespace {

TEST(ByteScan, CountBytesAgreesWithAByteByByteCountAtEveryLength) {
    std::mt19937 random(15);
    const std::string alphabet("ab~\0~\x80\xff ", 8);
    for (std::size_t length : {0, 1, 7, 8, 9, 15, 16, 17, 31, 32, 33, 47, 250, 4079, 4080, 4081, 9000}) {
        for (int round = 0; round < 20; ++round) {
            std::string text(length, 'x');
            for (char& c : text) c = alphabet[random() % alphabet.size()];
            const auto expected = static_cast<std::size_t>(
                std::count_if(text.begin(), text.end(), [](char c) { return c == '~' || c == '\0'; }));
            ASSERT_EQ(CountBytes(text.data(), text.size(), '\0', '~'), expected) << "length " << length;
        }
    }
    // Every byte one of them: lanes fill up across many blocks.
    const std::string tildes(70000, '~');
    EXPECT_EQ(CountBytes(tildes.data(), tildes.size(), '\0', '~'), tildes.size());
}

TEST(ByteScan, LoadWordFillsPastTheEndAndCopyBytesCopiesEveryLength) {
    const std::string text = "0123456789abcdefghij";
    std::uint64_t expected = 0;
    std::memcpy(&expected, "012     ", 8);
    EXPECT_EQ(LoadWord(text.data(), 3, ' '), expected);
    std::memcpy(&expected, "01234567", 8);
    EXPECT_EQ(LoadWord(text.data(), 12, ' '), expected);
    for (std::size_t n = 0; n <= text.size(); ++n) {
        std::string to(text.size(), '-');
        CopyBytes(to.data(), text.data(), n);
        EXPECT_EQ(to, text.substr(0, n) + std::string(text.size() - n, '-')) << n;
    }
}

}  // namespace
}  // namespace zav
