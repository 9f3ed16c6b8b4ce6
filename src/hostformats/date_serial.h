// Dates and times of the host formats as serial numbers: whole days counted from the zero date,
// 30 December 1899 (serial 0, which also means "no date"), with the time of day as the fraction.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zav {

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// True for a real calendar day of the years 100 to 9999.
bool IsValidDate(int year, int month, int day);
// The serial day of a valid date.
double DateSerial(int year, int month, int day);
// The calendar day of a serial (its whole part, counted towards minus infinity).
CivilDate DateFromSerial(double serial);
// The fraction of a day for hours, minutes and seconds; nullopt outside 0-23, 0-59, 0-59.
std::optional<double> TimeSerial(int hour, int minute, int second);
// Hours, minutes and seconds of a serial's time-of-day fraction (rounded to the nearest second).
void TimeFromSerial(double serial, int& hour, int& minute, int& second);

// A date text, month before day: "3/15/2004", "03-15-04", "3.15.2004"; two-digit years 00-29 mean
// 2000-2029 and 30-99 mean 1930-1999. nullopt when it is not a valid date.
std::optional<double> DateFromText(std::string_view text);
// The short date text the route records keep ("03/15/2004"); DateFromText reads it back.
std::string ShortDateText(double serial);

}  // namespace zav
