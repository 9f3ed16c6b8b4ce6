#include "core/text.h"

namespace zav {

namespace {

constexpr unsigned char UpperOf(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 32);
    switch (c) {
        case 0x9A: return 0x8A;  // š
        case 0x9C: return 0x8C;  // œ
        case 0x9E: return 0x8E;  // ž
        case 0xFF: return 0x9F;  // ÿ
        default: return c;
    }
}

constexpr unsigned char LowerOf(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    switch (c) {
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        case 0x9F: return 0xFF;
        default: return c;
    }
}

// Case tables of all 256 bytes: the case of a byte is one load (names are compared and folded per
// field of every record).
struct CaseTable {
    unsigned char to[256];
};

template <unsigned char (*Of)(unsigned char)>
constexpr CaseTable MakeTable() {
    CaseTable t{};
    for (int c = 0; c < 256; ++c) t.to[c] = Of(static_cast<unsigned char>(c));
    return t;
}

constexpr CaseTable kUpper = MakeTable<UpperOf>();
constexpr CaseTable kLower = MakeTable<LowerOf>();

inline char Upper(char c) { return static_cast<char>(kUpper.to[static_cast<unsigned char>(c)]); }
inline char Lower(char c) { return static_cast<char>(kLower.to[static_cast<unsigned char>(c)]); }

}  // namespace

char UpperChar(char ch) { return Upper(ch); }
char LowerChar(char ch) { return Lower(ch); }

std::string UCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = Upper(c);
    return out;
}

void AppendUCase(std::string& out, std::string_view text) {
    const std::size_t at = out.size();
    out.resize(at + text.size());
    CopyUCase(out.data() + at, text);
}

char* CopyUCase(char* to, std::string_view text) {
    for (const char c : text) *to++ = Upper(c);
    return to;
}

std::string LCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = Lower(c);
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && Upper(a[i]) != Upper(b[i])) return false;
    return true;
}

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
