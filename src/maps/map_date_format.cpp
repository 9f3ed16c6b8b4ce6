#include "maps/map_date_format.h"

#include <algorithm>
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

// Two digits of `n` (its last two) at `out`.
char* TwoDigits(char* out, int n) {
    out[0] = static_cast<char>('0' + n / 10 % 10);
    out[1] = static_cast<char>('0' + n % 10);
    return out + 2;
}

// A pattern worked out into steps, one per part, read left to right: kYear4 all four digits of the year,
// kYear2 its last two, kMonth the month, kDay the day, any other character itself (also a lone letter).
constexpr char kYear4 = 1, kYear2 = 2, kMonth = 3, kDay = 4;
std::string PatternSteps(std::string_view pattern) {
    std::string steps;
    for (std::size_t i = 0; i < pattern.size();) {
        if (pattern.compare(i, 4, "YYYY") == 0) {
            steps += kYear4;
            i += 4;
        } else if (pattern.compare(i, 2, "YY") == 0) {
            steps += kYear2;
            i += 2;
        } else if (pattern.compare(i, 2, "MM") == 0) {
            steps += kMonth;
            i += 2;
        } else if (pattern.compare(i, 2, "DD") == 0) {
            steps += kDay;
            i += 2;
        } else {
            steps += pattern[i++];
        }
    }
    return steps;
}

// The date's text by the steps of its pattern, into `out`.
void Fill(std::string& out, std::string_view steps, int year, int month, int day) {
    char text[32];
    char* at = text;
    for (const char step : steps) {
        switch (step) {
            case kYear4:
                at = TwoDigits(TwoDigits(at, year / 100), year % 100);
                break;
            case kYear2:
                at = TwoDigits(at, year % 100);
                break;
            case kMonth:
                at = TwoDigits(at, month);
                break;
            case kDay:
                at = TwoDigits(at, day);
                break;
            default:
                *at++ = step;
                break;
        }
    }
    out.assign(text, at);
}

// The pattern and zero text of every date code (0 to 99), worked out once: a conversion formats dates
// of the same few codes for every record.
struct DateCode {
    std::string steps, zero;
};
const DateCode& DateCodeOf(int code) {
    static const std::array<DateCode, 100> kCodes = [] {
        std::array<DateCode, 100> codes;
        for (int c = 0; c < 100; ++c)
            codes[static_cast<std::size_t>(c)] = {PatternSteps(DatePattern(c)), ZeroText(DatePattern(c))};
        return codes;
    }();
    static const DateCode kNone;
    return code >= 0 && code < 100 ? kCodes[static_cast<std::size_t>(code)] : kNone;
}

// The value's number; a value too large to read counts as not zero.
bool IsZero(std::string_view value) {
    // The usual value, plain digits, is zero when every digit is (Val reads nothing else from it).
    bool plain = true, zero = true;
    for (const char c : value) {
        if (c < '0' || c > '9') {
            plain = false;
            break;
        }
        zero = zero && c == '0';
    }
    if (plain) return zero;
    try {
        return Val(value) == 0;
    } catch (const RuntimeError&) {
        return false;
    }
}

}  // namespace

std::string FormatMapDate(std::string_view value, int code) {
    std::string out;
    FormatMapDateInto(out, value, code);
    return out;
}

void FormatMapDateInto(std::string& out, std::string_view value, int code) {
    const DateCode& known = DateCodeOf(code);
    if (IsZero(value)) {
        out = known.zero;
        return;
    }
    const std::string_view text = Trim(value);
    const auto year = Digits(text.substr(0, 4));
    const auto month = Digits(text.size() > 4 ? text.substr(4, 2) : std::string_view());
    const auto day = Digits(text.size() > 6 ? text.substr(6, 2) : std::string_view());
    if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(*year, *month)) {
        out = known.zero;
        return;
    }
    Fill(out, known.steps, *year, *month, *day);
}

std::string FormatMapTime(std::string_view value, int code) {
    std::string out;
    FormatMapTimeInto(out, value, code);
    return out;
}

void FormatMapTimeInto(std::string& out, std::string_view value, int code) {
    const int units = code % 10;
    // A zero time is the pattern (HHNN, HHNNSS, HH:NN, HH:NN:SS) with zeros for its letters.
    if (IsZero(value)) {
        out = units & 2 ? (units & 1 ? "00:00:00" : "00:00") : (units & 1 ? "000000" : "0000");
        return;
    }
    // The last six characters (zeros before a shorter value) in pairs: hours, minutes, seconds.
    const std::string_view trimmed = Trim(value);
    char six[6] = {'0', '0', '0', '0', '0', '0'};
    const std::size_t take = std::min<std::size_t>(trimmed.size(), 6);
    trimmed.copy(six + 6 - take, take, trimmed.size() - take);
    auto part = [&](std::size_t at) {
        const char a = six[at], b = six[at + 1];
        if (a >= '0' && a <= '9' && b >= '0' && b <= '9') return static_cast<long long>((a - '0') * 10 + (b - '0'));
        try {
            return static_cast<long long>(RoundHalfEven(Val(std::string_view(six + at, 2))));
        } catch (const RuntimeError&) {
            return 0LL;
        }
    };
    long long seconds = (part(0) * 3600 + part(2) * 60 + part(4)) % 86400;
    if (seconds < 0) seconds += 86400;
    const int h = static_cast<int>(seconds / 3600), n = static_cast<int>(seconds / 60 % 60),
              s = static_cast<int>(seconds % 60);
    char text[8];
    char* at = TwoDigits(text, h);
    if (units & 2) *at++ = ':';
    at = TwoDigits(at, n);
    if (units & 1) {
        if (units & 2) *at++ = ':';
        at = TwoDigits(at, s);
    }
    out.assign(text, at);
}

}  // namespace zav
