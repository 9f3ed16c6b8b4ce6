#include "reports/rpt_text.h"

#include <cmath>

#include "core/number.h"
#include "core/text.h"

namespace zav {

namespace {

constexpr std::string_view kCrLf = "\r\n";

bool StartsWithCrLf(std::string_view text) { return text.substr(0, 2) == kCrLf; }

// The length of the longest prefix of `text` (at most `n` characters) that fits in `width`.
std::size_t FittingLength(std::string_view text, std::size_t n, double width, const TextMeasure& measure) {
    auto widthOf = [&](std::size_t len) { return measure(std::string(text.substr(0, len))); };
    // Halve first while far too wide, so a long text needs few measurements.
    while (n > 10 && widthOf(n) > 2 * width) n = static_cast<std::size_t>(RoundHalfEven(n / 2.0));
    while (n > 0 && widthOf(n) > width) --n;
    return n;
}

}  // namespace

std::string WraptoWidth(std::string_view text, double width, const TextMeasure& measure) {
    std::string result;
    std::string_view rest = Trim(text);
    bool firstLine = true;
    while (!rest.empty()) {
        if (StartsWithCrLf(rest)) {
            rest.remove_prefix(2);
            // A second CR LF in a row is an empty line of its own.
            if (StartsWithCrLf(rest)) {
                result += kCrLf;
                firstLine = false;
                continue;
            }
            if (rest.empty()) break;
        }
        std::size_t n = FittingLength(rest, rest.size(), width, measure);
        const std::string_view head = rest.substr(0, n);
        if (n < rest.size() && head.find_first_of(" ,") != std::string_view::npos) {
            // Break after the last comma or blank (or control character) that fits; the line keeps it.
            std::size_t p = n;
            while (p > 0 && rest[p - 1] != ',' && static_cast<unsigned char>(rest[p - 1]) > ' ') --p;
            n = p;
        }
        const std::size_t crlf = rest.find(kCrLf);
        if (crlf != std::string_view::npos && crlf < n) n = crlf;
        if (n == 0) n = 1;  // not even one character fits: it takes a line of its own
        if (!firstLine) result += kCrLf;
        firstLine = false;
        result += rest.substr(0, n);
        rest = Trim(rest.substr(n));
    }
    return result;
}

std::string ReplacePlaceholders(std::string_view text, const Placeholders& values) {
    if (text.find('%') == std::string_view::npos) return std::string(text);
    std::string out = ReplaceAll(text, "%p", std::to_string(values.pageNo));
    out = ReplaceAll(out, "%c", values.company);
    out = ReplaceAll(out, "%t", values.title);
    out = ReplaceAll(out, "%s", values.subTitle);
    return ReplaceAll(out, "%d", values.date);
}

std::string PrintedText(const Value& value, std::string_view format) {
    const bool numeric = std::holds_alternative<std::int16_t>(value) || std::holds_alternative<std::int32_t>(value) ||
                         std::holds_alternative<double>(value);
    if (format.empty() || !numeric || format.find_first_not_of("0#") != std::string_view::npos) return ValueText(value);
    const double number = RoundHalfEven(ValueNumber(value));
    std::string digits = NumberText(std::fabs(number));
    std::size_t zeros = 0;
    for (const char c : format) zeros += c == '0';
    if (digits == "0" && zeros == 0) digits.clear();
    if (digits.size() < zeros) digits.insert(0, zeros - digits.size(), '0');
    return (number < 0 ? "-" : "") + digits;
}

}  // namespace zav
