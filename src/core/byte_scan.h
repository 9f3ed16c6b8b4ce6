// Scans of byte strings eight bytes at a time, for the loops that look for one or two rare bytes.
#pragma once

#include <cstdint>
#include <cstring>

namespace zav {

// True when one of the eight bytes at `p` is `a` or `b`. A byte of w equals c exactly when that byte of
// w XOR c...c is zero, and (v - 0x01..01) & ~v & 0x80..80 is not zero exactly when a byte of v is zero.
inline bool EightBytesHold(const char* p, char a, char b) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighs = 0x8080808080808080ull;
    std::uint64_t w = 0;
    std::memcpy(&w, p, sizeof w);
    const std::uint64_t x = w ^ (kOnes * static_cast<unsigned char>(a));
    const std::uint64_t y = w ^ (kOnes * static_cast<unsigned char>(b));
    return ((((x - kOnes) & ~x) | ((y - kOnes) & ~y)) & kHighs) != 0;
}

}  // namespace zav
