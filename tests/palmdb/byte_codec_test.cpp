// The byte-conversion routines: numbers and texts to big-endian bytes and back.
#include "palmdb/byte_codec.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace zav {
namespace {

std::string Hex(const std::array<unsigned char, 4>& b, int n) {
    std::string s;
    char buf[4];
    for (int i = 0; i < n; ++i) {
        std::snprintf(buf, sizeof buf, "%02X", b[i]);
        s += buf;
    }
    return s;
}

TEST(ByteCodec, ValueToBytes) {
    struct Case {
        Value value;
        int length;
        const char* hex;
    } cases[] = {
        {std::int32_t{258}, 2, "0102"},
        {std::int32_t{-1}, 2, "FFFF"},     // 16-bit two's complement
        {std::int32_t{70000}, 2, "1170"},  // low 16 bits
        {std::int32_t{300}, 1, "2C"},      // low byte
        {std::int32_t{2147483647}, 4, "7FFFFFFF"},
        {std::int32_t{1}, 4, "00000001"},
        {std::int32_t{-1}, 4, "FFFFFFFF"},  // 32-bit two's complement
        {std::int32_t{-100}, 4, "FFFFFF9C"},
        {std::int32_t{-93265011}, 4, "FA70E38D"},
        {std::int32_t{INT32_MIN}, 4, "80000000"},
        {2.5, 4, "00000002"},  // halves to even
        {std::string("DATA"), 4, "44415441"},
        {std::string("hZ"), 4, "685A0000"},  // zero bytes past the text
        {std::string("hZVLx"), 4, "685A564C"},
        {Value{}, 4, "00000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(Hex(ValueToBytes(c.value, c.length), c.length), c.hex) << c.hex;
}

TEST(ByteCodec, ValueToBytesOverflow) {
    EXPECT_THROW(ValueToBytes(3e9, 4), RuntimeError);
    EXPECT_THROW(ValueToBytes(-3e9, 4), RuntimeError);
    EXPECT_NO_THROW(ValueToBytes(std::int32_t{-16777216}, 4));
}

// Every 32-bit value stored in four bytes reads back unchanged, negative ones too.
TEST(ByteCodec, FourByteValuesRoundTrip) {
    for (const std::int32_t v : {0, 1, -1, -100, -93265011, 16777215, -16777216, INT32_MAX, INT32_MIN}) {
        const auto bytes = ValueToBytes(v, 4);
        EXPECT_EQ(BytesToNumber(bytes.data(), 4), v);
    }
}

TEST(ByteCodec, BytesToNumber) {
    const unsigned char b[] = {0x80, 0x00, 0x00, 0x01};
    EXPECT_EQ(BytesToNumber(b, 4), INT32_MIN + 1) << "four bytes are a signed 32-bit number";
    EXPECT_EQ(BytesToNumber(b, 2), 32768);
    EXPECT_EQ(BytesToNumber(b + 1, 3), 1);
    const unsigned char c[] = {0x7F, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(BytesToNumber(c, 4), 2147483647);
    EXPECT_EQ(BytesToNumber(c, 1), 127);
}

TEST(ByteCodec, Dates) {
    EXPECT_TRUE(PalmDate{0}.IsZero());
    EXPECT_EQ(PalmDate{0}.Text(), "");
    EXPECT_EQ(PalmDate{86400}.Text(), "1904-01-02 00:00:00");
    EXPECT_EQ(PalmDate{2082844800 + 3661}.Text(), "1970-01-01 01:01:01");
}

}  // namespace
}  // namespace zav
