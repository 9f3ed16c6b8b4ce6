// The byte-conversion routines every numeric field of a record file goes through, and the dates of
// the Palm database header. All multi-byte numbers are big-endian.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/values.h"

namespace zav {

// Reads `length` (1, 2 or 4) bytes at `p` as a big-endian number: 1 and 2 bytes unsigned, 4 bytes as a
// signed 32-bit number (two's complement), so every value ValueToBytes stores comes back unchanged.
std::int32_t BytesToNumber(const unsigned char* p, int length);
inline std::int32_t BytesToNumber(std::string_view bytes, std::size_t offset, int length) {
    return BytesToNumber(reinterpret_cast<const unsigned char*>(bytes.data()) + offset, length);
}

// The `length` (1, 2 or 4) bytes of a value, most significant first, in the first `length` places:
//  - a number is taken to a 32-bit integer (halves to even); length 1 keeps its low byte, length 2 its
//    low 16 bits (so -1 gives FF FF), length 4 all 32 bits in two's complement (-1 gives FF FF FF FF);
//  - a text gives the codes of its first characters, zero bytes past its end ("DATA" -> 44 41 54 41);
//  - an empty value gives zero bytes.
// THROWS RuntimeError(6) when a number does not fit 32 bits.
std::array<unsigned char, 4> ValueToBytes(const Value& value, int length);

// Writes `value` as big-endian bytes into `out` at `offset` (which must have room).
inline void PutBE16(std::string& out, std::size_t offset, std::uint32_t value) {
    out[offset] = static_cast<char>((value >> 8) & 0xFF);
    out[offset + 1] = static_cast<char>(value & 0xFF);
}
inline void PutBE32(std::string& out, std::size_t offset, std::uint32_t value) {
    out[offset] = static_cast<char>((value >> 24) & 0xFF);
    out[offset + 1] = static_cast<char>((value >> 16) & 0xFF);
    out[offset + 2] = static_cast<char>((value >> 8) & 0xFF);
    out[offset + 3] = static_cast<char>(value & 0xFF);
}
// Reads big-endian bytes at `offset` as unsigned numbers (the caller checks the bounds).
inline std::uint32_t GetBE16(std::string_view in, std::size_t offset) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(in[offset])) << 8) |
           static_cast<unsigned char>(in[offset + 1]);
}
inline std::uint32_t GetBE32(std::string_view in, std::size_t offset) {
    return (GetBE16(in, offset) << 16) | GetBE16(in, offset + 2);
}

// A date of the Palm database header: seconds since 1 January 1904 00:00; 0 is the zero date (none).
struct PalmDate {
    std::int64_t seconds = 0;
    bool IsZero() const { return seconds <= 0; }
    // "yyyy-mm-dd hh:mm:ss", or "" for the zero date.
    std::string Text() const;
};

}  // namespace zav
