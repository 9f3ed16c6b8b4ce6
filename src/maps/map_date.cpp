#include "maps/map_date.h"

#include <algorithm>
#include <array>
#include <string>

namespace zav {

namespace {

enum class Order { YMD, MDY, DMY };

struct DateLayout {
    Order order;
    char separator;  // 0: none
    int yearDigits;  // 2 or 4
};

std::optional<DateLayout> LayoutOf(std::int32_t code) {
    if (code == 0) return DateLayout{Order::YMD, 0, 4};
    const std::int32_t tens = code / 10;
    const std::int32_t units = code % 10;
    if (code < 10 || code > 36 || tens < 1 || tens > 3) return std::nullopt;
    if (units == 3 || units > 6) return std::nullopt;
    const Order order = tens == 1 ? Order::YMD : tens == 2 ? Order::MDY : Order::DMY;
    const char separator = (units & 1) ? '-' : (units & 2) ? '/' : 0;
    return DateLayout{order, separator, (units & 4) ? 4 : 2};
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A group of `minDigits` to `maxDigits` digits as a number.
std::optional<int> Digits(std::string_view text, std::size_t minDigits, std::size_t maxDigits) {
    if (text.size() < minDigits || text.size() > maxDigits) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool LeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && LeapYear(year) ? 29 : kDays[month - 1];
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace

namespace {
std::optional<std::int32_t> ReadDateNumber(std::string_view text, std::int32_t formatCode);
}  // namespace

std::optional<std::int32_t> MapDateNumber(std::string_view text, std::int32_t formatCode) {
    // The last date read on this thread is remembered: a route line's last reading date is read by its
    // validation and then by the meter writer.
    thread_local std::string lastText;
    thread_local std::int32_t lastFormat = -1;
    thread_local std::optional<std::int32_t> lastDate;
    if (formatCode == lastFormat && text == lastText) return lastDate;
    lastDate = ReadDateNumber(text, formatCode);
    lastText.assign(text);
    lastFormat = formatCode;
    return lastDate;
}

namespace {

// The date number of year, month and day as read (a two-digit year in its century); nullopt when they
// make no date.
std::optional<std::int32_t> DateNumber(int year, int month, int day, int yearDigits) {
    if (yearDigits == 2) year += year < 50 ? 2000 : 1900;
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;
    return year * 10000 + month * 100 + day;
}

// The usual date of a layout with separators: two-digit month and day, the year's digits, and the
// separators where the layout puts them, read without splitting. False when the text is not of that
// shape (the general reading takes it).
bool ReadFixedShapeDate(std::string_view text, const DateLayout& layout, std::optional<std::int32_t>& date) {
    const std::size_t yearDigits = static_cast<std::size_t>(layout.yearDigits);
    if (text.size() != yearDigits + 6) return false;
    const std::size_t first = layout.order == Order::YMD ? yearDigits : 2;
    if (text[first] != layout.separator || text[first + 3] != layout.separator) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != first && i != first + 3 && !IsDigit(text[i])) return false;
    const auto number = [&text](std::size_t at, std::size_t digits) {
        int n = 0;
        for (std::size_t i = at; i < at + digits; ++i) n = n * 10 + (text[i] - '0');
        return n;
    };
    // The three groups in text order.
    const std::size_t width0 = first, width2 = text.size() - first - 4;
    const int numbers[3] = {number(0, width0), number(first + 1, 2), number(first + 4, width2)};
    if (numbers[0] == 0 && numbers[1] == 0 && numbers[2] == 0) {  // all zeros (separators aside): no date
        date = 0;
        return true;
    }
    const int yearAt = layout.order == Order::YMD ? 0 : 2;
    const int month = layout.order == Order::MDY ? numbers[0] : numbers[1];
    const int day = layout.order == Order::DMY ? numbers[0] : layout.order == Order::MDY ? numbers[1] : numbers[2];
    date = DateNumber(numbers[yearAt], month, day, layout.yearDigits);
    return true;
}

std::optional<std::int32_t> ReadDateNumber(std::string_view text, std::int32_t formatCode) {
    text = TrimSpaces(text);
    const auto layout = LayoutOf(formatCode);
    if (layout && layout->separator != 0) {
        if (std::optional<std::int32_t> date; ReadFixedShapeDate(text, *layout, date)) return date;
    }
    // Blank or all zeros (separators aside): no date.
    if (std::all_of(text.begin(), text.end(), [](char c) { return c == '0' || c == '-' || c == '/'; })) return 0;
    if (!layout) return std::nullopt;

    // The three parts in the layout's order.
    std::array<std::string_view, 3> parts;
    const std::size_t yearDigits = static_cast<std::size_t>(layout->yearDigits);
    const int yearAt = layout->order == Order::YMD ? 0 : 2;
    if (layout->separator == 0) {
        if (text.size() != yearDigits + 4) return std::nullopt;
        std::size_t at = 0;
        for (int i = 0; i < 3; ++i) {
            const std::size_t width = i == yearAt ? yearDigits : 2;
            parts[i] = text.substr(at, width);
            at += width;
        }
    } else {
        std::size_t at = 0;
        for (int i = 0; i < 3; ++i) {
            const std::size_t end = i < 2 ? text.find(layout->separator, at) : text.size();
            if (end == std::string_view::npos) return std::nullopt;
            parts[i] = text.substr(at, end - at);
            at = end + 1;
        }
    }

    int year = 0, month = 0, day = 0;
    for (int i = 0; i < 3; ++i) {
        const bool isYear = i == yearAt;
        const auto value = isYear ? Digits(parts[i], yearDigits, yearDigits) : Digits(parts[i], 1, 2);
        if (!value) return std::nullopt;
        const bool monthFirst = layout->order == Order::MDY ? i == 0 : i == 1;
        if (isYear)
            year = *value;
        else if (monthFirst)
            month = *value;
        else
            day = *value;
    }
    return DateNumber(year, month, day, layout->yearDigits);
}

}  // namespace

}  // namespace zav
