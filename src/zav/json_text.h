// Pieces of JSON text: strings from byte strings and hex dumps.
#pragma once

#include <string>
#include <string_view>

namespace zav {

// Appends `bytes` as a quoted JSON string: each byte is the Unicode character of the same number
// (Latin-1), encoded as UTF-8; quote, backslash and control characters (C0, DEL, C1) are escaped.
void AppendJsonString(std::string& out, std::string_view bytes);

// Appends `bytes` as lower-case hex digits, two per byte.
void AppendHex(std::string& out, std::string_view bytes);

}  // namespace zav
