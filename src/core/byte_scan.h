// Scans of byte strings eight bytes at a time, for the loops that look for one or two rare bytes, and a
// copy of the few bytes of a short text without a library call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// For each byte of v, its high bit set where the byte is not zero, the other bits clear (exact: no carry
// crosses a byte, unlike the test above).
inline std::uint64_t NonZeroBytes(std::uint64_t v) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    return (((v & kLow7) + kLow7) | v) & ~kLow7;
}

// Each byte of a word set to `c`.
constexpr std::uint64_t EachByte(char c) { return 0x0101010101010101ull * static_cast<unsigned char>(c); }

// For each byte of w, its high bit set where the byte is no decimal digit, the other bits clear.
inline std::uint64_t NonDigitBytes(std::uint64_t w) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t x = w ^ EachByte('0');  // a digit's byte becomes 0 to 9
    return (((x & kLow7) + EachByte(0x76)) | x) & ~kLow7;
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

// The eight bytes at `p`; with `n` below 8, its `n` bytes followed by `fill`.
inline std::uint64_t LoadWord(const char* p, std::size_t n, char fill) {
    std::uint64_t w = 0x0101010101010101ull * static_cast<unsigned char>(fill);
    if (n >= 8) {
        std::memcpy(&w, p, 8);
    } else {
        char bytes[8];
        std::memcpy(bytes, &w, 8);
        CopyBytes(bytes, p, n);
        std::memcpy(&w, bytes, 8);
    }
    return w;
}

// How many of the `n` bytes at `p` are `a` or `b`: sixteen at a time where the processor has the
// instructions, else eight at a time.
inline std::size_t CountBytes(const char* p, std::size_t n, char a, char b) {
    std::size_t count = 0;
#if defined(__SSE2__)
    if (n >= 16) {
        const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b), zero = _mm_setzero_si128();
        const char* const end = p + n;
        // Per byte lane, how many of up to 255 blocks matched there; then the lanes summed.
        const auto sum = [&](__m128i lanes) {
            const __m128i sums = _mm_sad_epu8(lanes, zero);
            count += static_cast<std::size_t>(_mm_cvtsi128_si32(sums) + _mm_extract_epi16(sums, 4));
        };
        const auto matches = [&](const char* at) {
            const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
            return _mm_or_si128(_mm_cmpeq_epi8(w, va), _mm_cmpeq_epi8(w, vb));  // 0xFF where matched
        };
        while (end - p >= 16) {
            __m128i lanes = zero;
            for (int blocks = 0; blocks < 255 && end - p >= 16; ++blocks, p += 16)
                lanes = _mm_sub_epi8(lanes, matches(p));
            sum(lanes);
        }
        if (p != end) {
            // The sixteen bytes ending at `end`, those before `p` (counted already) masked out.
            alignas(16) static constexpr char kLast[32] = {0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
                                                           0,  0,  0,  0,  0,  -1, -1, -1, -1, -1, -1,
                                                           -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
            const __m128i keep = _mm_loadu_si128(reinterpret_cast<const __m128i*>(kLast + (end - p)));
            sum(_mm_sub_epi8(zero, _mm_and_si128(matches(end - 16), keep)));
        }
        return count;
    }
#endif
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    const std::uint64_t ka = kOnes * static_cast<unsigned char>(a), kb = kOnes * static_cast<unsigned char>(b);
    char other = 0;  // a byte that is neither, after the last bytes
    while (other == a || other == b) ++other;
    while (n > 0) {
        // Per byte lane, how many of up to 31 words matched there: their sum fits the top byte.
        std::uint64_t lanes = 0;
        for (int words = 0; words < 31 && n > 0; ++words) {
            const std::size_t take = n < 8 ? n : 8;
            const std::uint64_t w = LoadWord(p, take, other);
            lanes += (~(NonZeroBytes(w ^ ka) & NonZeroBytes(w ^ kb)) & (kOnes << 7)) >> 7;
            p += take;
            n -= take;
        }
        count += static_cast<std::size_t>((lanes * kOnes) >> 56);
    }
    return count;
}

}  // namespace zav
