// Text rules of the report engine: wrapping to a width, the placeholders of the report's own texts, and
// a value's printed form.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "core/values.h"

namespace zav {

// Measures the width of a line of text on the output surface.
using TextMeasure = std::function<double(const std::string& text)>;

// `text` broken into lines joined by CR LF, each no wider than `width` (by `measure`): a line breaks after
// its last comma or blank that fits, else at the widest prefix that fits; the text's own CR LF breaks
// stay. No character is lost: a line always takes at least one character, and an empty line (two CR LF
// in a row) stays an empty line.
std::string WraptoWidth(std::string_view text, double width, const TextMeasure& measure);

// The texts the placeholders stand for.
struct Placeholders {
    long pageNo = 0;       // "%p"
    std::string company;   // "%c"
    std::string title;     // "%t"
    std::string subTitle;  // "%s"
    std::string date;      // "%d": today in the short date format
};
// Replaces "%p", "%c", "%t", "%s" and "%d", each everywhere in `text`, in that order.
std::string ReplacePlaceholders(std::string_view text, const Placeholders& values);

// A value as printed: `format` applied when it is a number pattern of "0" and "#" digits (zero padding to
// the count of "0", e.g. "00000000"); otherwise the value as text.
std::string PrintedText(const Value& value, std::string_view format);

}  // namespace zav
