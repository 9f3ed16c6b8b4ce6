// Numbers from text, and conversions to the platform's 16- and 32-bit integers.
//
// Every setting, map value and source field that is read as a number goes through Val(); never
// std::stoi/atoi on outside input.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zav {

// Reads the leading number of `text` the way the host platform did:
//  - blanks, tabs and line feeds are ignored anywhere ("1 2" reads 12);
//  - an optional sign, digits, a decimal point and an exponent (E or D, optional sign, digits);
//  - "&H" hexadecimal and "&O" octal numbers, which read as 16-bit values when they fit 16 bits and as
//    32-bit values when they fit 32 bits ("&HFFFF" is -1, "&H10000" is 65536);
//  - reading stops at the first character that cannot continue the number; no number gives 0.
// THROWS RuntimeError(6) when the number is too large for a double or a hexadecimal/octal number has
// more than 32 bits.
double Val(std::string_view text);

// The common case of host files and route lines, read without Val's general machinery: a whole number
// of up to 15 digits with an optional sign and blanks only around it, or a text of blanks only (0). True
// with the number Val reads from `text`; false for any other text (Val then reads it).
bool PlainWholeNumber(std::string_view text, std::int64_t& value);
// True when `text` is spaces and at most `maxDigits` decimal digits (none at all too): a whole number,
// or no number, that cannot overflow a type holding every number of that many digits.
bool FewDigits(std::string_view text, int maxDigits);

// Nearest integer, halves going to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double value);

// Conversions to 16-bit (CInt) and 32-bit (CLng) integers with halves to even.
// THROWS RuntimeError(6) "Overflow" outside the range (or for a value that is not a number).
std::int16_t CInt(double value);
std::int32_t CLng(double value);

// CInt(Val(text)) and CLng(Val(text)) (a plain whole number read without going through a double).
std::int16_t ValInt(std::string_view text);
std::int32_t ValLong(std::string_view text);

// A whole text converted to a number, as the platform converts a text setting to a whole number: spaces
// around it are allowed, but the rest must be exactly one number in Val's notation (no blanks inside,
// nothing left over). nullopt for "", "abc" or "12a". THROWS RuntimeError(6) as Val does.
std::optional<double> NumberFromText(std::string_view text);

// The platform's text form of a number: integers without a point ("12", "-3"), others with up to
// 15 significant digits and no trailing zeros ("0.5", "1.25"), very large or small ones in E form.
std::string NumberText(double value);

}  // namespace zav
