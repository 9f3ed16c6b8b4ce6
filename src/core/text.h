// Text helpers over byte strings (one byte per character, Windows-1252 letters).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// Upper and lower case of one byte: ASCII letters and the Windows-1252 accented letters.
char UpperChar(char c);
char LowerChar(char c);

std::string UCase(std::string_view text);
std::string LCase(std::string_view text);
// Appends UCase(text) to `out` (no string of its own).
void AppendUCase(std::string& out, std::string_view text);
// Writes UCase(text) to `to`, which has room for text.size() bytes; returns the end of what it wrote.
char* CopyUCase(char* to, std::string_view text);

// True when the two texts are equal without regard to letter case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// Removes spaces (only spaces, as the platform's Trim does) from one or both ends, eight at a time
// while there are that many (padded fields end in many). (Inline: they run on every field of every
// line.)
namespace detail {
inline bool EightSpaces(const char* p) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w == 0x2020202020202020ull;
}
}  // namespace detail
inline std::string_view LTrim(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (end - p >= 8 && detail::EightSpaces(p)) p += 8;
    while (p != end && *p == ' ') ++p;
    return std::string_view(p, static_cast<std::size_t>(end - p));
}
inline std::string_view RTrim(std::string_view text) {
    const char* const begin = text.data();
    const char* p = begin + text.size();
    while (p - begin >= 8 && detail::EightSpaces(p - 8)) p -= 8;
    while (p != begin && p[-1] == ' ') --p;
    return std::string_view(begin, static_cast<std::size_t>(p - begin));
}
inline std::string_view Trim(std::string_view text) { return RTrim(LTrim(text)); }

// Splits `text` at every occurrence of `separator` (which must not be empty); "" gives one empty piece.
std::vector<std::string> Split(std::string_view text, std::string_view separator);

// Replaces every occurrence of `from` (not empty) with `to`.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

}  // namespace zav
