#include "reports/rpt_text.h"

#include <algorithm>
#include <cmath>

#include "core/number.h"
#include "core/text.h"

namespace zav {

namespace {

constexpr std::string_view kCrLf = "\r\n";

bool StartsWithCrLf(std::string_view text) { return text.substr(0, 2) == kCrLf; }

// The length of the longest prefix of `text` that fits in `width`. Prefixes are measured growing from a
// few characters and then by halving the interval, so a long text costs a few measurements of about one
// line each, never one of the whole text per line.
std::size_t FittingLength(std::string_view text, double width, const TextMeasure& measure) {
    auto fits = [&](std::size_t len) { return measure(std::string(text.substr(0, len))) <= width; };
    std::size_t lo = 0;  // fits
    std::size_t hi = std::min<std::size_t>(text.size(), 16);
    while (fits(hi)) {
        if (hi == text.size()) return hi;
        lo = hi;
        hi = std::min(text.size(), hi * 2);
    }
    while (hi - lo > 1) {  // lo fits, hi does not
        const std::size_t mid = lo + (hi - lo) / 2;
        (fits(mid) ? lo : hi) = mid;
    }
    return lo;
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
        std::size_t n = FittingLength(rest, width, measure);
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
