#include "reports/barcode.h"

#include <array>
#include <cmath>

#include "core/errors.h"

namespace zav {

namespace {

// Code 39: the characters and their nine elements (bar, space, ... bar).
constexpr std::string_view kCode39Chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. *$/+%";
constexpr std::array<const char*, 44> kCode39Table = {
    "NNNWWNWNN", "WNNWNNNNW", "NNWWNNNNW", "WNWWNNNNN", "NNNWWNNNW", "WNNWWNNNN", "NNWWWNNNN", "NNNWNNWNW", "WNNWNNWNN",
    "NNWWNNWNN", "WNNNNWNNW", "NNWNNWNNW", "WNWNNWNNN", "NNNNWWNNW", "WNNNWWNNN", "NNWNWWNNN", "NNNNNWWNW", "WNNNNWWNN",
    "NNWNNWWNN", "NNNNWWWNN", "WNNNNNNWW", "NNWNNNNWW", "WNWNNNNWN", "NNNNWNNWW", "WNNNWNNWN", "NNWNWNNWN", "NNNNNNWWW",
    "WNNNNNWWN", "NNWNNNWWN", "NNNNWNWWN", "WWNNNNNNW", "NWWNNNNNW", "WWWNNNNNN", "NWNNWNNNW", "WWNNWNNNN", "NWWNWNNNN",
    "NWNNNNWNW", "WWNNNNWNN", "NWWNNNWNN", "NWNNWNWNN", "NWNWNWNNN", "NWNWNNNWN", "NWNNNWNWN", "NNNWNWNWN"};

// Code 128: the bar and space widths of symbol values 0 to 105, and the stop pattern.
constexpr std::array<const char*, 106> kCode128Table = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213", "221312",
    "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132", "221231", "213212",
    "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211", "212123", "212321", "232121",
    "111323", "131123", "131321", "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331",
    "132131", "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131", "311123",
    "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111", "111224", "111422", "121124",
    "121421", "141122", "141221", "112214", "112412", "122114", "122411", "142112", "142211", "241211", "221114",
    "413111", "241112", "134111", "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112",
    "421211", "212141", "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232"};
constexpr std::string_view kCode128Stop = "2331112";
constexpr int kCodeC = 99;   // switch to code set C (from B)
constexpr int kCodeB = 100;  // switch to code set B (from C)
constexpr int kStartB = 104;
constexpr int kStartC = 105;

// Interleaved 2 of 5: five elements per digit.
constexpr std::array<const char*, 10> k2of5 = {"NNWWN", "WNNNW", "NWNNW", "WWNNN", "NNWNW",
                                               "WNWNN", "NWWNN", "NNNWW", "WNNWN", "NWNWN"};

// UPC digits, as widths, in the first and the second half.
constexpr std::array<const char*, 10> kUPCFirst = {"022111", "012211", "011221", "4111", "1321",
                                                   "2311",   "1141",   "3121",   "2131", "021121"};
constexpr std::array<const char*, 10> kUPCSecond = {"3211", "2221", "2122", "1411", "1132",
                                                    "2311", "1114", "1312", "1213", "3112"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int clsDrawBarcode::CheckUPC(std::string_view value) {
    int sum = 0;
    int position = 0;  // from the right, counting digits only
    for (auto it = value.rbegin(); it != value.rend(); ++it) {
        if (!IsDigit(*it)) continue;
        ++position;
        sum += (*it - '0') * (position % 2 == 1 ? 3 : 1);
    }
    return (10 - sum % 10) % 10;
}

std::string clsDrawBarcode::Char39(std::string_view value) {
    std::string out;
    auto add = [&](char c) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const std::size_t i = kCode39Chars.find(c);
        if (i == std::string_view::npos) return;
        out += kCode39Table[i];
        out += 'W';
    };
    add('*');
    for (const char c : value)
        if (c != '*') add(c);
    add('*');
    return out;
}

std::vector<int> clsDrawBarcode::Array128(std::string_view input) {
    std::string value(input);
    if (value.size() == 19) value += static_cast<char>('0' + CheckUPC(value));
    // Only characters of code set B are encoded.
    std::string text;
    for (const char c : value)
        if (c >= ' ' && c <= '~') text += c;

    auto digitRun = [&](std::size_t from) {
        std::size_t n = 0;
        while (from + n < text.size() && IsDigit(text[from + n])) ++n;
        return n;
    };
    std::vector<int> codes;
    bool setC = false;
    std::size_t i = 0;
    const std::size_t firstRun = digitRun(0);
    if (firstRun >= static_cast<std::size_t>(kCode128DigitRun) && firstRun % 2 == 0) {
        codes.push_back(kStartC);
        setC = true;
    } else {
        codes.push_back(kStartB);
    }
    while (i < text.size()) {
        std::size_t run = digitRun(i);
        if (run >= static_cast<std::size_t>(kCode128DigitRun)) {
            if (!setC && run % 2 == 1) {  // the odd digit stays in code set B
                codes.push_back(text[i] - ' ');
                ++i;
                --run;
            }
            if (!setC) {
                codes.push_back(kCodeC);
                setC = true;
            }
            for (; run >= 2; run -= 2, i += 2) codes.push_back((text[i] - '0') * 10 + (text[i + 1] - '0'));
            continue;
        }
        if (setC) {
            codes.push_back(kCodeB);
            setC = false;
        }
        codes.push_back(text[i] - ' ');
        ++i;
    }
    long check = codes.front();
    for (std::size_t k = 1; k < codes.size(); ++k) check += static_cast<long>(k) * codes[k];
    codes.push_back(static_cast<int>(check % 103));
    return codes;
}

std::string clsDrawBarcode::Char128(const std::vector<int>& values) {
    auto letters = [](std::string_view widths) {
        std::string out;
        for (const char w : widths) out += static_cast<char>('A' + (w - '1'));
        return out;
    };
    std::string out;
    for (const int v : values)
        if (v >= 0 && v < static_cast<int>(kCode128Table.size())) out += letters(kCode128Table[v]);
    return out + letters(kCode128Stop);
}

std::string clsDrawBarcode::Char2of5(std::string_view value) {
    std::string digits;
    for (const char c : value)
        if (IsDigit(c)) digits += c;
    if (digits.size() % 2 == 1) digits.insert(0, 1, '0');
    std::string out = "NNNN";
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        const char* bars = k2of5[digits[i] - '0'];
        const char* spaces = k2of5[digits[i + 1] - '0'];
        for (int k = 0; k < 5; ++k) {
            out += bars[k];
            out += spaces[k];
        }
    }
    return out + "WNNN";
}

std::string clsDrawBarcode::CharUPC(std::string_view value) {
    std::string digits(value);
    digits += static_cast<char>('0' + CheckUPC(value));
    const std::size_t half = digits.size() / 2;
    std::string out = "<1111";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i == half) out += ">1111<";
        if (IsDigit(digits[i])) out += (i < half ? kUPCFirst : kUPCSecond)[digits[i] - '0'];
    }
    if (half == digits.size()) out += ">1111<";
    return out + ">1111";
}

std::string clsDrawBarcode::Elements(int symbology, std::string_view value) {
    switch (symbology) {
        case kCode39:
            return Char39(value);
        case kCode128:
            return Char128(Array128(value));
        case kInterleaved2of5:
            return Char2of5(value);
        case kUPC:
            return CharUPC(value);
        default:
            throw RuntimeError(kErrInvalidCall);
    }
}

int clsDrawBarcode::ElementPixels(char c, int elementWidth) {
    const int unit = elementWidth <= 0 ? 1 : elementWidth;
    switch (c) {
        case 'N':
            return unit;
        case 'W':
            return static_cast<int>(std::nearbyint(2.75 * unit));  // halves to even
        case 'A':
        case '1':
            return unit;
        case 'B':
        case '2':
            return 2 * unit;
        case 'C':
        case '3':
            return 3 * unit;
        case 'D':
        case '4':
            return 4 * unit;
        default:
            return 0;
    }
}

void clsDrawBarcode::DrawElements(std::string_view elements, Surface& onObject, double x, double y, double height,
                                  int elementWidth) {
    const double ppi = onObject.PixelsPerInch();
    double px = std::round(x * ppi);
    const double top = y;
    bool bar = true;
    for (const char c : elements) {
        if (c == '<' || c == '>') continue;  // guard markers: no element
        const int width = ElementPixels(c, elementWidth);
        if (bar && width > 0) onObject.FillRect(px / ppi, top, width / ppi, height);
        px += width;
        bar = !bar;
    }
}

void clsDrawBarcode::Draw(int symbology, Surface& onObject, double x, double y, double height, int elementWidth,
                          std::string_view value) {
    DrawElements(Elements(symbology, value), onObject, x, y, height, elementWidth);
}

}  // namespace zav
