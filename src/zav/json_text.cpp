#include "zav/json_text.h"

namespace zav {

void AppendJsonString(std::string& out, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || (c >= 0x7F && c < 0xA0)) {  // C0, DEL and C1 controls
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else if (c < 0x80) {
                    out += static_cast<char>(c);
                } else {  // U+0080..U+00FF in two UTF-8 bytes
                    out += static_cast<char>(0xC0 | (c >> 6));
                    out += static_cast<char>(0x80 | (c & 0x3F));
                }
        }
    }
    out += '"';
}

void AppendHex(std::string& out, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    out.reserve(out.size() + bytes.size() * 2);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
    }
}

}  // namespace zav
