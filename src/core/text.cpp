#include "core/text.h"

namespace zav {

char UpperChar(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<char>(c - 32);
    switch (c) {
        case 0x9A: return static_cast<char>(0x8A);  // š
        case 0x9C: return static_cast<char>(0x8C);  // œ
        case 0x9E: return static_cast<char>(0x8E);  // ž
        case 0xFF: return static_cast<char>(0x9F);  // ÿ
        default: return ch;
    }
}

char LowerChar(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char>(c + 32);
    switch (c) {
        case 0x8A: return static_cast<char>(0x9A);
        case 0x8C: return static_cast<char>(0x9C);
        case 0x8E: return static_cast<char>(0x9E);
        case 0x9F: return static_cast<char>(0xFF);
        default: return ch;
    }
}

std::string UCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = UpperChar(c);
    return out;
}

std::string LCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = LowerChar(c);
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperChar(a[i]) != UpperChar(b[i])) return false;
    return true;
}

std::string_view LTrim(std::string_view text) {
    const auto p = text.find_first_not_of(' ');
    return p == std::string_view::npos ? std::string_view() : text.substr(p);
}

std::string_view RTrim(std::string_view text) {
    const auto p = text.find_last_not_of(' ');
    return p == std::string_view::npos ? std::string_view() : text.substr(0, p + 1);
}

std::string_view Trim(std::string_view text) { return RTrim(LTrim(text)); }

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (true) {
        const auto p = text.find(separator, start);
        if (p == std::string_view::npos) break;
        pieces.emplace_back(text.substr(start, p - start));
        start = p + separator.size();
    }
    pieces.emplace_back(text.substr(start));
    return pieces;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    while (true) {
        const auto p = text.find(from, start);
        if (p == std::string_view::npos) break;
        out.append(text.substr(start, p - start));
        out.append(to);
        start = p + from.size();
    }
    out.append(text.substr(start));
    return out;
}

}  // namespace zav
