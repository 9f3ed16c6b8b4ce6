#include "exchange/user_fields.h"

#include <cstring>

#include "core/byte_scan.h"
#include "core/text.h"

namespace zav {

namespace {
// Replaces the zero bytes of [p, end) by 1 and its "~" by 2, skipping eight bytes at a time while none is
// either: packed texts are long and rarely hold one.
void PackBytes(char* p, char* end) {
    while (end - p >= 8 && !EightBytesHold(p, '\0', '~')) p += 8;
    for (; p != end; ++p) {
        if (*p == '\0')
            *p = '\1';
        else if (*p == '~')
            *p = '\2';
    }
}

// Appends `text` with its zero bytes as 1 and its "~" as 2.
void AppendUserText(std::string& out, std::string_view text) {
    const std::size_t at = out.size();
    out.append(text);
    PackBytes(out.data() + at, out.data() + out.size());
}
}  // namespace

std::string CombineUser(const std::vector<std::string>& Source) {
    std::string out;
    for (std::size_t i = 0; i < Source.size(); ++i) {
        if (i > 0) out += '~';
        AppendUserText(out, Source[i]);
    }
    return out;
}

void CombineUserInto(std::string& out, std::initializer_list<std::string_view> Source) {
    // Sized once, then each part copied into place.
    const std::size_t separators = Source.size() > 0 ? Source.size() - 1 : 0;
    std::size_t length = separators;
    for (std::string_view text : Source) length += text.size();
    out.resize(length);
    char* at = out.data();
    bool first = true;
    for (std::string_view text : Source) {
        if (!first) *at++ = '~';
        first = false;
        CopyBytes(at, text.data(), text.size());
        at += text.size();
    }
    // The parts rarely hold a zero byte or "~": when the whole holds none but the separators, it is done.
    if (CountBytes(out.data(), out.size(), '\0', '~') == separators) return;
    at = out.data();
    first = true;
    for (std::string_view text : Source) {
        if (!first) ++at;
        first = false;
        PackBytes(at, at + text.size());
        at += text.size();
    }
}

std::vector<std::string> ExtractUser(std::string_view Source) {
    std::string storage;
    std::vector<std::string_view> views;
    ExtractUserInto(Source, storage, views);
    return {views.begin(), views.end()};
}

void ExtractUserInto(std::string_view Source, std::string& storage, std::vector<std::string_view>& parts) {
    // The "~" between the parts are found in the packed text; the bytes 1 and 2 inside them (rare) are
    // turned back in a copy.
    std::string_view text = Source;
    const bool packedBytes =
        Source.find('\1') != std::string_view::npos || Source.find('\2') != std::string_view::npos;
    if (packedBytes) {
        storage.assign(Source);
        text = storage;
    }
    parts.clear();
    for (std::size_t start = 0;;) {
        const std::size_t end = Source.find('~', start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            break;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (packedBytes) {
        for (char& c : storage) {
            if (c == '\1')
                c = '\0';
            else if (c == '\2')
                c = '~';
        }
    }
}

bool IsAllDigits(std::string_view value) {
    const std::string_view t = Trim(value);
    if (t.empty()) return false;
    for (char c : t)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace zav
