// clsPrintElement: one thing the report engine draws (text, line or barcode), positioned in inches.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/values.h"

namespace zav {

// FontStyle flags: a style (1 plain, 4 italic, 2 bold; the first present wins; 0 keeps the style of the
// previous element) and a kind.
enum PrintStyle : std::int32_t {
    kStylePlain = 1,
    kStyleBold = 2,
    kStyleItalic = 4,
    kStyleLine = 8,
    kStyleSkip = 256,
    kStyleBarcode = 512,
};

// Text alignment at X.
enum PrintAlign : std::int32_t { kAlignLeft = 0, kAlignRight = 1, kAlignCenter = 2 };

struct clsPrintElement {
    double X = 0;  // negative: continue at the surface's current X
    double Y = 0;  // negative: keep the line of the previous element
    std::int32_t Align = kAlignLeft;
    zav::Value Value;
    std::string FontName;       // empty: keep the current font
    std::int16_t FontSize = 0;  // 0: the engine's BaseFontSize
    std::int32_t FontStyle = 0;
    double PrintWidth = 0;   // text: wrap width (0 no wrapping); line: horizontal extent
    double PrintHeight = 0;  // line: vertical extent; barcode: bar height
    std::string FormatString;
    bool Underline = false;  // carried, not used by the engine
    std::string Source;      // carried, not used by the engine
    // A value taken from data (a readings database): printed exactly as it is, without style tags or
    // placeholders; only its line breaks (CR LF) start new lines. The report's own texts (title row,
    // headings, footer) leave this false.
    bool Literal = false;
};

using PrintElements = std::vector<clsPrintElement>;

clsPrintElement MakeElement(double x, double y, const Value& value, std::int32_t align = kAlignLeft,
                            std::int32_t fontStyle = 0, const std::string& source = {}, std::int16_t fontSize = 0,
                            double printWidth = 0, const std::string& formatString = {});
// A line from (x, y) to (x + lineWidth, y + lineHeight).
clsPrintElement MakeLine(double x, double y, double lineWidth, double lineHeight);

}  // namespace zav
