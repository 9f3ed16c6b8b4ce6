#include "exchange/user_fields.h"

#include "core/text.h"

namespace zav {

namespace {
void AppendUserText(std::string& out, std::string_view text) {
    for (char c : text) out += c == '\0' ? '\1' : c == '~' ? '\2' : c;
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
    out.clear();
    bool first = true;
    for (std::string_view text : Source) {
        if (!first) out += '~';
        first = false;
        AppendUserText(out, text);
    }
}

std::vector<std::string> ExtractUser(std::string_view Source) {
    std::vector<std::string> parts;
    ExtractUserInto(Source, parts);
    return parts;
}

void ExtractUserInto(std::string_view Source, std::vector<std::string>& parts) {
    std::size_t count = 0;
    for (std::size_t start = 0;;) {
        const std::size_t end = Source.find('~', start);
        if (parts.size() <= count) parts.emplace_back();
        std::string& part = parts[count++];
        part.assign(Source.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
        for (char& c : part) {
            if (c == '\1')
                c = '\0';
            else if (c == '\2')
                c = '~';
        }
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    parts.resize(count);
}

bool IsAllDigits(std::string_view value) {
    const std::string_view t = Trim(value);
    if (t.empty()) return false;
    for (char c : t)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace zav
