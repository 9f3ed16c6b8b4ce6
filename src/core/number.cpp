#include "core/number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/errors.h"

namespace zav {
namespace {

bool IsBlank(char c) { return c <= ' ' && (c == ' ' || c == '\t' || c == '\n'); }

// Walks the text character by character, skipping blanks.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : text_(text) { SkipBlanks(); }
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    void Next() {
        ++pos_;
        SkipBlanks();
    }

  private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

int DigitValue(char c, int radix) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < radix ? v : -1;
}

// "&H..." / "&O..." after the '&': the value as a 16-bit or 32-bit signed number.
double ReadRadixNumber(Cursor& cur) {
    const char kind = cur.Peek();
    int radix = 0;
    if (kind == 'H' || kind == 'h')
        radix = 16;
    else if (kind == 'O' || kind == 'o')
        radix = 8;
    else
        return 0;
    cur.Next();
    std::uint64_t value = 0;
    while (true) {
        const int d = DigitValue(cur.Peek(), radix);
        if (d < 0) break;
        value = value * radix + d;
        if (value > 0xFFFFFFFFull) throw RuntimeError(kErrOverflow);
        cur.Next();
    }
    if (value <= 0xFFFF) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace

namespace {
// PlainWholeNumber, with the sign apart: `negative` for a minus sign (so "-0" is told from "0").
bool PlainWhole(std::string_view text, std::uint64_t& magnitude, bool& negative) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end && *p == ' ') ++p;  // spaces first: the usual padding
    while (p != end && IsBlank(*p)) ++p;
    negative = false;
    if (p == end) {  // nothing but blanks: no number, which reads 0
        magnitude = 0;
        return true;
    }
    if (*p == '-' || *p == '+') negative = *p++ == '-';
    const char* const first = p;
    const char* const limit = end - p > 15 ? p + 15 : end;
    std::uint64_t number = 0;
    for (unsigned digit = 0; p != limit && (digit = static_cast<unsigned char>(*p) - '0') < 10; ++p)
        number = number * 10 + digit;
    if (p == first) return false;
    while (p != end && IsBlank(*p)) ++p;
    if (p != end) return false;
    magnitude = number;
    return true;
}
}  // namespace

bool PlainWholeNumber(std::string_view text, std::int64_t& value) {
    std::uint64_t magnitude = 0;
    bool negative = false;
    if (!PlainWhole(text, magnitude, negative)) return false;
    value = negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

bool FewDigits(std::string_view text, int maxDigits) {
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (--maxDigits < 0) return false;
        } else if (c != ' ') {
            return false;
        }
    }
    return true;
}

std::int16_t ValInt(std::string_view text) {
    std::int64_t n = 0;
    if (!PlainWholeNumber(text, n)) return CInt(Val(text));
    if (n < INT16_MIN || n > INT16_MAX) throw RuntimeError(kErrOverflow);
    return static_cast<std::int16_t>(n);
}

std::int32_t ValLong(std::string_view text) {
    std::int64_t n = 0;
    if (!PlainWholeNumber(text, n)) return CLng(Val(text));
    if (n < INT32_MIN || n > INT32_MAX) throw RuntimeError(kErrOverflow);
    return static_cast<std::int32_t>(n);
}

double Val(std::string_view text) {
    std::uint64_t magnitude = 0;
    if (bool negative = false; PlainWhole(text, magnitude, negative))
        return negative ? -static_cast<double>(magnitude) : static_cast<double>(magnitude);
    Cursor cur(text);
    // A text that starts (after blanks) with no sign, digit, point or radix mark reads 0: a letter.
    if (const char first = cur.Peek();
        !(first >= '0' && first <= '9') && first != '.' && first != '+' && first != '-' && first != '&')
        return 0;
    if (cur.Peek() == '&') {
        cur.Next();
        return ReadRadixNumber(cur);
    }
    std::string number;  // the number without blanks, in a form from_chars reads
    if (cur.Peek() == '+' || cur.Peek() == '-') {
        if (cur.Peek() == '-') number += '-';
        cur.Next();
    }
    bool anyDigit = false;
    while (cur.Peek() >= '0' && cur.Peek() <= '9') {
        number += cur.Peek();
        anyDigit = true;
        cur.Next();
    }
    if (cur.Peek() == '.') {
        number += '.';
        cur.Next();
        while (cur.Peek() >= '0' && cur.Peek() <= '9') {
            number += cur.Peek();
            anyDigit = true;
            cur.Next();
        }
    }
    if (!anyDigit) return 0;
    const char e = cur.Peek();
    if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
        std::string exponent = "e";
        cur.Next();
        if (cur.Peek() == '+' || cur.Peek() == '-') {
            exponent += cur.Peek();
            cur.Next();
        }
        bool expDigit = false;
        while (cur.Peek() >= '0' && cur.Peek() <= '9') {
            exponent += cur.Peek();
            expDigit = true;
            cur.Next();
        }
        if (expDigit) number += exponent;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too small underflows to zero; too large is the platform's overflow.
        const auto ePos = number.find('e');
        if (ePos != std::string::npos && number.compare(ePos, 2, "e-") == 0) return 0;
        throw RuntimeError(kErrOverflow);
    }
    if (!std::isfinite(value)) throw RuntimeError(kErrOverflow);
    return value;
}

namespace {
bool IsDigitOf(char c, int radix) { return DigitValue(c, radix) >= 0; }
}  // namespace

std::optional<double> NumberFromText(std::string_view text) {
    text = text.substr(std::min(text.find_first_not_of(' '), text.size()));
    text = text.substr(0, text.find_last_not_of(' ') + 1);
    std::size_t i = 0;
    const auto digits = [&](int radix) {
        const std::size_t start = i;
        while (i < text.size() && IsDigitOf(text[i], radix)) ++i;
        return i - start;
    };
    if (text.size() > 2 && text[0] == '&') {
        const char kind = text[1];
        const int radix = (kind == 'H' || kind == 'h') ? 16 : (kind == 'O' || kind == 'o') ? 8 : 0;
        i = 2;
        if (radix == 0 || digits(radix) == 0 || i != text.size()) return std::nullopt;
        return Val(text);
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t mantissa = digits(10);
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissa += digits(10);
    }
    if (mantissa == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits(10) == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    return Val(text);
}

double RoundHalfEven(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff < 0.5) return floor;
    if (diff > 0.5) return floor + 1;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

namespace {
template <typename Int>
Int ToInteger(double value) {
    // A whole number in range (the usual case) needs no rounding.
    if (value >= std::numeric_limits<Int>::min() && value <= std::numeric_limits<Int>::max()) {
        const auto whole = static_cast<Int>(value);
        if (static_cast<double>(whole) == value) return whole;
    }
    if (std::isnan(value)) throw RuntimeError(kErrOverflow);
    const double r = RoundHalfEven(value);
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max()))
        throw RuntimeError(kErrOverflow);
    return static_cast<Int>(r);
}
}  // namespace

std::int16_t CInt(double value) { return ToInteger<std::int16_t>(value); }
std::int32_t CLng(double value) { return ToInteger<std::int32_t>(value); }

std::string NumberText(double value) {
    if (value == 0) return "0";
    if (std::floor(value) == value && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));  // exact below 1e15, and no printf per number
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15G", value);
    return buf;  // %G drops trailing zeros and switches to E form for very large or small values
}

}  // namespace zav
