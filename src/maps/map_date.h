// Dates in the layouts a map's date format code (MapFormat) names: the tens digit gives the order of
// the parts (1 year-month-day, 2 month-day-year, 3 day-month-year), the units digit the separator and
// the year's width (0 none, 1 "-", 2 "/"; 4, 5, 6 the same with a four-digit year).
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zav {

// The date `text` written in the layout of `formatCode` as the number yyyymmdd.
//  - Spaces around the text are ignored. A blank text, or one whose digits are all zero
//    ("00/00/0000"), is no date: 0.
//  - Without a separator the text is exactly the digits of the layout ("010924" for MMDDYY); with one,
//    three groups of digits split at that separator, month and day of one or two digits ("1/9/2024").
//  - A two-digit year 00 to 49 is 2000 to 2049, 50 to 99 is 1950 to 1999.
//  - Code 0 (no format chosen) reads the text as YYYYMMDD, the layout of the stored number.
// nullopt when the text is not a real date in that layout, or the code names no date format.
std::optional<std::int32_t> MapDateNumber(std::string_view text, std::int32_t formatCode);

}  // namespace zav
