// Scans of byte strings eight bytes at a time, for the loops that look for one or two rare bytes, and a
// copy of the few bytes of a short text without a library call.
#pragma once

#include <cstddef>
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

// True when one of the `n` bytes at `p` is `a` or `b`: eight at a time (the last eight overlapping the
// ones before), a shorter text byte by byte.
inline bool BytesHold(const char* p, std::size_t n, char a, char b) {
    if (n >= 8) {
        const char* last = p + n - 8;
        for (; p < last; p += 8)
            if (EightBytesHold(p, a, b)) return true;
        return EightBytesHold(last, a, b);
    }
    bool found = false;
    for (std::size_t i = 0; i < n; ++i) found |= (p[i] == a) | (p[i] == b);
    return found;
}

// Copies `n` bytes; the few bytes of most field texts without a library call.
inline void CopyBytes(char* to, const char* from, std::size_t n) {
    if (n >= 8 && n <= 16) {
        std::memcpy(to, from, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4 && n < 8) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else if (n < 4) {
        if (n > 0) to[0] = from[0];
        if (n > 1) to[1] = from[1];
        if (n > 2) to[2] = from[2];
    } else {
        std::memcpy(to, from, n);
    }
}

}  // namespace zav
