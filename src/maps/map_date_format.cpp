#include "maps/map_date_format.h"

#include <array>
#include <optional>

#include "core/errors.h"
#include "core/number.h"
#include "core/text.h"

namespace zav {

namespace {

// "YYMMDD" with the separator after the 2nd and 4th characters and "YY" widened to "YYYY" as `code`
// asks; "" for a code without a date pattern.
std::string DatePattern(int code) {
    std::string pattern;
    switch (code / 10) {
        case 1:
            pattern = "YYMMDD";
            break;
        case 2:
            pattern = "MMDDYY";
            break;
        case 3:
            pattern = "DDMMYY";
            break;
        default:
            return "";
    }
    const int units = code % 10;
    if (units & 1) pattern = pattern.substr(0, 2) + "-" + pattern.substr(2, 2) + "-" + pattern.substr(4);
    if (units & 2) pattern = pattern.substr(0, 2) + "/" + pattern.substr(2, 2) + "/" + pattern.substr(4);
    if (units & 4) pattern = ReplaceAll(pattern, "YY", "YYYY");
    return pattern;
}

std::string ZeroText(std::string pattern) {
    for (char& c : pattern)
        if (c != '-' && c != '/' && c != ':') c = '0';
    return pattern;
}

// The digits of `text` as a number; nullopt when it is empty or holds anything but digits.
std::optional<int> Digits(std::string_view text) {
    if (text.empty()) return std::nullopt;
    int n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

std::string TwoDigits(int n) {
    return std::string{static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

// Fills the pattern's letters from the parts; "YYYY" takes all four digits of the year.
std::string Fill(const std::string& pattern, int year, int month, int day) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern.compare(i, 4, "YYYY") == 0) {
            out += TwoDigits(year / 100) + TwoDigits(year % 100);
            i += 4;
        } else if (pattern.compare(i, 2, "YY") == 0) {
            out += TwoDigits(year % 100);
            i += 2;
        } else if (pattern.compare(i, 2, "MM") == 0) {
            out += TwoDigits(month);
            i += 2;
        } else if (pattern.compare(i, 2, "DD") == 0) {
            out += TwoDigits(day);
            i += 2;
        } else {
            out += pattern[i++];
        }
    }
    return out;
}

// The pattern and zero text of every date code (0 to 99), worked out once: a conversion formats dates
// of the same few codes for every record.
struct DateCode {
    std::string pattern, zero;
};
const DateCode& DateCodeOf(int code) {
    static const std::array<DateCode, 100> kCodes = [] {
        std::array<DateCode, 100> codes;
        for (int c = 0; c < 100; ++c) codes[static_cast<std::size_t>(c)] = {DatePattern(c), ZeroText(DatePattern(c))};
        return codes;
    }();
    static const DateCode kNone;
    return code >= 0 && code < 100 ? kCodes[static_cast<std::size_t>(code)] : kNone;
}

// The value's number; a value too large to read counts as not zero.
bool IsZero(std::string_view value) {
    try {
        return Val(value) == 0;
    } catch (const RuntimeError&) {
        return false;
    }
}

}  // namespace

std::string FormatMapDate(std::string_view value, int code) {
    const DateCode& known = DateCodeOf(code);
    const std::string& pattern = known.pattern;
    const std::string& zero = known.zero;
    if (IsZero(value)) return zero;
    const std::string_view text = Trim(value);
    const auto year = Digits(text.substr(0, 4));
    const auto month = Digits(text.size() > 4 ? text.substr(4, 2) : std::string_view());
    const auto day = Digits(text.size() > 6 ? text.substr(6, 2) : std::string_view());
    if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(*year, *month))
        return zero;
    return Fill(pattern, *year, *month, *day);
}

std::string FormatMapTime(std::string_view value, int code) {
    const int units = code % 10;
    std::string pattern = units & 1 ? "HHNNSS" : "HHNN";
    if (units & 2) pattern = units & 1 ? "HH:NN:SS" : "HH:NN";
    if (IsZero(value)) return ZeroText(pattern);
    std::string six = "000000" + std::string(Trim(value));
    six = six.substr(six.size() - 6);
    auto part = [&](std::size_t at) {
        try {
            return static_cast<long long>(RoundHalfEven(Val(six.substr(at, 2))));
        } catch (const RuntimeError&) {
            return 0LL;
        }
    };
    long long seconds = (part(0) * 3600 + part(2) * 60 + part(4)) % 86400;
    if (seconds < 0) seconds += 86400;
    const int h = static_cast<int>(seconds / 3600), n = static_cast<int>(seconds / 60 % 60),
              s = static_cast<int>(seconds % 60);
    std::string out = TwoDigits(h);
    if (units & 2) out += ':';
    out += TwoDigits(n);
    if (units & 1) {
        if (units & 2) out += ':';
        out += TwoDigits(s);
    }
    return out;
}

}  // namespace zav
