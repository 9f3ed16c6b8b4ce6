// clsDrawBarcode: a barcode for a text value, drawn as a row of filled bars. A symbology routine turns the
// value into an element string (one character per bar or space, alternately, starting with a bar), and
// DrawElements paints it. Element widths: "N" one unit, "W" 2.75 units rounded to whole pixels, "0" none
// (the element still counts in the bar/space alternation), "A"-"D" or "1"-"4" one to four units; "<" and
// ">" mark guard patterns and take no width. The unit is the element width in device pixels (0 means 1).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reports/surface.h"

namespace zav {

enum BarcodeSymbology : int { kCode39 = 0, kCode128 = 1, kInterleaved2of5 = 2, kUPC = 3 };

class clsDrawBarcode {
  public:
    // Paints `value` in `symbology` with its top-left corner at (x, y) (inches), bars `height` tall.
    // THROWS RuntimeError(5) for an unknown symbology.
    void Draw(int symbology, Surface& onObject, double x, double y, double height, int elementWidth,
              std::string_view value);

    // The element string of `value` in `symbology`.
    static std::string Elements(int symbology, std::string_view value);

    // The UPC check digit of a digit string: odd positions from the right weigh 3, the others 1; the digit
    // brings the sum up to the next multiple of 10. Characters that are not digits count as nothing.
    static int CheckUPC(std::string_view value);

    // Code 39: "*" + value + "*", each character as its nine N/W elements followed by a wide space.
    // Characters outside the table (after upper-casing letters) give nothing.
    static std::string Char39(std::string_view value);
    // Code 128 symbol values: the start code, the data (code set B; a run of kCode128DigitRun or more digits
    // is packed in pairs in code set C, the odd digit of an odd run staying in B before the switch), and
    // the check value (start value plus each position times its value, modulo 103). Characters outside
    // code set B (below space, above "~") give nothing. A value of exactly 19 characters first gets its
    // UPC check digit appended.
    static std::vector<int> Array128(std::string_view value);
    // The element string of Code 128 symbol values, with the stop pattern.
    static std::string Char128(const std::vector<int>& values);
    // Interleaved 2 of 5: start, digit pairs (bars from the first, spaces from the second), stop. An odd
    // number of digits gets a leading 0; characters that are not digits give nothing.
    static std::string Char2of5(std::string_view value);
    // UPC: the digits and their check digit between the start, centre and end guards.
    static std::string CharUPC(std::string_view value);

    // The width in pixels of element character `c` for the unit `elementWidth` (0 means 1).
    static int ElementPixels(char c, int elementWidth);
    // Paints an element string: bars as filled rectangles in whole device pixels from (x, y) in inches.
    static void DrawElements(std::string_view elements, Surface& onObject, double x, double y, double height,
                             int elementWidth);

    // The shortest run of digits that Code 128 packs in code set C.
    static constexpr int kCode128DigitRun = 4;
};

}  // namespace zav
