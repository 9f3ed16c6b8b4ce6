#include "exchange/user_fields.h"

#include "core/text.h"

namespace zav {

std::string CombineUser(const std::vector<std::string>& Source) {
    std::string out;
    for (std::size_t i = 0; i < Source.size(); ++i) {
        if (i > 0) out += '~';
        for (char c : Source[i]) out += c == '\0' ? '\1' : c == '~' ? '\2' : c;
    }
    return out;
}

std::vector<std::string> ExtractUser(std::string_view Source) {
    std::vector<std::string> parts(1);
    for (char c : Source) {
        if (c == '~') {
            parts.emplace_back();
        } else {
            parts.back() += c == '\1' ? '\0' : c == '\2' ? '~' : c;
        }
    }
    return parts;
}

bool IsAllDigits(std::string_view value) {
    const std::string_view t = Trim(value);
    if (t.empty()) return false;
    for (char c : t)
        if (c < '0' || c > '9') return false;
    return true;
}

}  // namespace zav
