#include "hostformats/date_serial.h"

#include <fmt/format.h>

#include <chrono>
#include <cmath>
#include <vector>

namespace zav {

namespace {

using namespace std::chrono;

constexpr sys_days kZeroDate = year{1899} / December / 30;

int TwoDigitYear(int yy) { return yy < 30 ? 2000 + yy : 1900 + yy; }

}  // namespace

bool IsValidDate(int y, int m, int d) {
    if (y < 100 || y > 9999) return false;
    return year_month_day{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}}.ok() && m >= 1 &&
           d >= 1;
}

double DateSerial(int y, int m, int d) {
    const sys_days date = year{y} / month{static_cast<unsigned>(m)} / day{static_cast<unsigned>(d)};
    return static_cast<double>((date - kZeroDate).count());
}

CivilDate DateFromSerial(double serial) {
    const year_month_day ymd{kZeroDate + days{static_cast<long>(std::floor(serial))}};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

std::optional<double> TimeSerial(int hour, int minute, int second) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
    return (hour * 3600 + minute * 60 + second) / 86400.0;
}

void TimeFromSerial(double serial, int& hour, int& minute, int& second) {
    const double fraction = serial - std::floor(serial);
    long total = std::lround(fraction * 86400.0) % 86400;
    hour = static_cast<int>(total / 3600);
    minute = static_cast<int>(total / 60 % 60);
    second = static_cast<int>(total % 60);
}

std::optional<double> DateFromText(std::string_view text) {
    std::vector<int> parts;
    std::vector<int> widths;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    while (i < text.size()) {
        int value = 0;
        int width = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && width < 5) {
            value = value * 10 + (text[i] - '0');
            ++width;
            ++i;
        }
        if (width == 0) return std::nullopt;
        parts.push_back(value);
        widths.push_back(width);
        if (i == text.size() || parts.size() == 3) break;
        if (text[i] != '/' && text[i] != '-' && text[i] != '.') return std::nullopt;
        ++i;
    }
    while (i < text.size() && text[i] == ' ') ++i;
    if (parts.size() != 3 || i != text.size()) return std::nullopt;
    const int y = widths[2] <= 2 ? TwoDigitYear(parts[2]) : parts[2];
    if (!IsValidDate(y, parts[0], parts[1])) return std::nullopt;
    return DateSerial(y, parts[0], parts[1]);
}

std::string ShortDateText(double serial) {
    const CivilDate d = DateFromSerial(serial);
    return fmt::format("{:02}/{:02}/{:04}", d.month, d.day, d.year);
}

}  // namespace zav
