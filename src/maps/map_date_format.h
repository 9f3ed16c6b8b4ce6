// Output texts for stored dates (yyyymmdd) and times (hhmmss) in a map's format code.
//
// Date codes: the tens digit orders the parts (1 YYMMDD, 2 MMDDYY, 3 DDMMYY); the units digit adds
// "-" (1, 5) or "/" (2, 6) between them and a four-digit year (4, 5, 6). Time codes: 40 HHMM,
// 41 HHMMSS, 42 HH:MM, 43 HH:MM:SS.
#pragma once

#include <string>
#include <string_view>

namespace zav {

// The stored date `value` (yyyymmdd as text) in the format `code`. A value of 0 or a date that does
// not exist gives the pattern with every letter replaced by "0" (code 25: "00-00-0000"); a code
// without a date pattern gives "".
std::string FormatMapDate(std::string_view value, int code);

// The stored time `value` (hhmmss as text; fewer digits mean leading zeros) in the format `code`. A
// value of 0 gives the pattern with every letter replaced by "0". Hours past 23, minutes or seconds
// past 59 carry over as a clock does (250000 is 01:00:00).
std::string FormatMapTime(std::string_view value, int code);

// The same into `out` (its storage reused), for converters that format a date or time per record.
void FormatMapDateInto(std::string& out, std::string_view value, int code);
void FormatMapTimeInto(std::string& out, std::string_view value, int code);

}  // namespace zav
