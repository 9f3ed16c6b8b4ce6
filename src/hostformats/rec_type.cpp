#include "hostformats/rec_type.h"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "core/byte_scan.h"
#include "core/errors.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "core/number.h"
#include "core/text.h"
#include "hostformats/date_serial.h"

namespace zav {

namespace {

const zav::Value kEmpty;

bool AllDigits(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

int Digits(std::string_view s, std::size_t pos, std::size_t count) {
    int n = 0;
    for (std::size_t i = pos; i < pos + count; ++i) n = n * 10 + (s[i] - '0');
    return n;
}

// The number of eight digit characters (the first in the lowest byte), all at once.
inline std::uint64_t EightDigits(std::uint64_t w) {
    w -= 0x3030303030303030ull;
    w = (w * 10 + (w >> 8)) & 0x00FF00FF00FF00FFull;    // pairs of digits
    w = (w * 100 + (w >> 16)) & 0x0000FFFF0000FFFFull;  // fours
    return (w * 10000 + (w >> 32)) & 0xFFFFFFFFull;
}

// The `k` (1 to 8) characters at `p` at the end of a word, after as many "0" as make eight. `from` is
// where the text they are in starts: when eight bytes end at p + k within it, they are read as one word.
inline std::uint64_t RightAligned(const char* p, std::size_t k, const char* from) {
    if (k == 8) return LoadWord(p, 8, '0');
    const std::uint64_t before = (std::uint64_t{1} << (8 * (8 - k))) - 1;  // the bytes that become "0"
    if (p + k - from >= 8) return (LoadWord(p + k - 8, 8, '0') & ~before) | (EachByte('0') & before);
    return (LoadWord(p, k, '0') << (8 * (8 - k))) | (EachByte('0') & before);
}

// The number of `text` (part of the text starting at `from`) when it is 1 to 16 digits and nothing
// else; nullopt otherwise.
inline std::optional<std::uint64_t> DigitsOnly(std::string_view text, const char* from) {
    const std::size_t n = text.size();
    if (n == 0 || n > 16) return std::nullopt;
    if (n <= 4) {  // a few digits one by one
        std::uint64_t number = 0;
        for (const char c : text) {
            const auto digit = static_cast<unsigned char>(c - '0');
            if (digit > 9) return std::nullopt;
            number = number * 10 + digit;
        }
        return number;
    }
    // The last eight digits (or all of fewer), then those before them.
    const std::uint64_t low = RightAligned(text.data() + (n > 8 ? n - 8 : 0), n > 8 ? 8 : n, from);
    if (n <= 8) {
        if (NonDigitBytes(low) != 0) return std::nullopt;
        return EightDigits(low);
    }
    const std::uint64_t high = RightAligned(text.data(), n - 8, from);
    if ((NonDigitBytes(low) | NonDigitBytes(high)) != 0) return std::nullopt;
    return EightDigits(high) * 100000000ull + EightDigits(low);
}

// Blanks and digits, up to nine of them after the leading zeros (the usual contents of a number field),
// read without the general number reader (which reads them alike); nullopt for anything else. `from`
// is where the line `text` is part of starts (text.data() when it is no part of one).
std::optional<std::int32_t> PlainDigits(std::string_view text, const char* from) {
    if (const auto n = DigitsOnly(text, from)) {  // the common case: digits only
        if (*n >= 1000000000ull) return std::nullopt;
        return static_cast<std::int32_t>(*n);
    }
    std::int32_t n = 0;
    int digits = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if ((n != 0 || c != '0') && ++digits > 9) return std::nullopt;
            n = n * 10 + (c - '0');
        } else if (c != ' ') {
            return std::nullopt;
        }
    }
    return n;
}

// True when `text` is blanks and digits only, at most `maxDigits` of them after its leading zeros: a
// number below 10^maxDigits however the digits are read.
bool SmallDigits(std::string_view text, int maxDigits) {
    bool leading = true;
    for (const char c : text) {
        if (c == ' ') continue;
        if (c < '0' || c > '9') return false;
        if (leading && c == '0') continue;
        leading = false;
        if (--maxDigits < 0) return false;
    }
    return true;
}

// A date of `text` in the form mmddyy (6) or mmddyyyy (8); nullopt when it is not one.
std::optional<double> PackedDate(std::string_view text) {
    if ((text.size() != 6 && text.size() != 8) || !AllDigits(text)) return std::nullopt;
    int year = Digits(text, 4, text.size() - 4);
    if (text.size() == 6) year = year < 30 ? 2000 + year : 1900 + year;
    const int month = Digits(text, 0, 2);
    const int day = Digits(text, 2, 2);
    if (!IsValidDate(year, month, day)) return std::nullopt;
    return DateSerial(year, month, day);
}

// A time of `text` in the form hhnn or hhnnss; nullopt when it is not one.
std::optional<double> PackedTime(std::string_view text) {
    if (!AllDigits(text)) return std::nullopt;
    return TimeSerial(Digits(text, 0, 2), Digits(text, 2, 2), text.size() == 6 ? Digits(text, 4, 2) : 0);
}

// A whole text that is one number (blanks around allowed), or nullopt (also when it overflows).
std::optional<double> WholeNumber(std::string_view text) {
    try {
        return NumberFromText(text);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

// The number a value stands for in a number field: empty is 0; a text must be one number, otherwise
// the text is written as it is (nullopt).
std::optional<double> NumberOf(const zav::Value& value) {
    if (const auto* s = std::get_if<std::string>(&value)) return NumberFromText(*s);
    return ValueNumber(value);
}

// The serial date a value stands for in a date field: empty, 0 and blank text are the zero date.
double DateOf(const zav::Value& value) {
    if (const auto* s = std::get_if<std::string>(&value)) {
        if (Trim(*s).empty()) return 0;
        if (auto d = DateFromText(*s)) return *d;
        if (auto n = NumberFromText(*s)) return *n;
        throw RuntimeError(kErrTypeMismatch);
    }
    return ValueNumber(value);
}

void UndefinedFieldType() { CurrentFrontend().ShowMessage("Undefined Field Type", kAppTitle); }

}  // namespace

zav::Value clsField::Extract(std::string_view buffer, bool* tooLarge) const {
    const std::size_t start = FieldPos >= 1 ? static_cast<std::size_t>(FieldPos - 1) : 0;
    const std::string_view text = start < buffer.size()
                                      ? buffer.substr(start, static_cast<std::size_t>(std::max<int>(FieldLen, 0)))
                                      : std::string_view();
    switch (FieldType) {
        case kHostText:
            return std::string(text);
        case kHostInteger:
        case kHostLong: {
            const auto n = WholeNumber(text);
            try {
                if (n && FieldType == kHostInteger) return CInt(*n);
                if (n) return CLng(*n);
            } catch (const RuntimeError&) {
                if (tooLarge != nullptr) *tooLarge = true;
            }
            return FieldType == kHostInteger ? zav::Value(std::int16_t{0}) : zav::Value(std::int32_t{0});
        }
        case kHostSingle:
        case kHostDouble:
        case kHostMoney: {
            const auto n = WholeNumber(text);
            if (!n) return 0.0;
            return FieldType == kHostSingle ? static_cast<double>(static_cast<float>(*n)) : *n;
        }
        case kHostZeroPadded:
            if (auto n = PlainDigits(text, buffer.data())) return *n;
            try {
                return CLng(Val(text));
            } catch (const RuntimeError&) {
                if (tooLarge != nullptr) *tooLarge = true;
                return std::int32_t{0};
            }
        case kHostDate:
            if (FieldLen == 6 || FieldLen == 8) return PackedDate(text).value_or(0.0);
            return DateFromText(text).value_or(0.0);
        case kHostStamp: {
            if (text.size() != 14 || !AllDigits(text)) return kEmpty;
            const int y = Digits(text, 0, 4), m = Digits(text, 4, 2), d = Digits(text, 6, 2);
            const auto t = TimeSerial(Digits(text, 8, 2), Digits(text, 10, 2), Digits(text, 12, 2));
            if (!IsValidDate(y, m, d) || !t) return kEmpty;
            return DateSerial(y, m, d) + *t;
        }
        case kHostTime:
            if (FieldLen == 4) {
                if (text.size() != 4) return kEmpty;
                if (auto t = PackedTime(text)) return *t;
                return kEmpty;
            }
            if (FieldLen == 6) {
                if (text.size() == 6)
                    if (auto t = PackedTime(text)) return *t;
                return 0.0;
            }
            return kEmpty;
        default:
            UndefinedFieldType();
            return kEmpty;
    }
}

namespace {

// Writes `text` into the field's columns: its first `width` characters, padded with blanks.
inline void PutField(std::string& buffer, std::size_t start, std::size_t width, std::string_view text) {
    const std::size_t n = std::min(width, text.size());
    CopyBytes(buffer.data() + start, text.data(), n);
    if (n < width) std::memset(buffer.data() + start + n, ' ', width - n);
}

// Writes a whole number (its sign and `length` digits) zero-padded to `width` digits ("-" before a
// negative one); false when it needed more characters than the field has (its leading characters are kept).
bool PutDigits(std::string& buffer, std::size_t start, std::size_t width, bool negative, const char* digits,
               std::size_t length) {
    const std::size_t zeros = length < width ? width - length : 0;
    const std::size_t total = (negative ? 1 : 0) + zeros + length;
    std::size_t at = start;
    const std::size_t end = start + width;
    if (negative && at < end) buffer[at++] = '-';
    for (std::size_t i = 0; i < zeros && at < end; ++i) buffer[at++] = '0';
    for (std::size_t i = 0; i < length && at < end; ++i) buffer[at++] = digits[i];
    if (at < end) std::memset(buffer.data() + at, ' ', end - at);
    return total <= width;
}

// PutDigits of a whole number held as a double.
bool PutWholeNumber(std::string& buffer, std::size_t start, std::size_t width, double rounded) {
    char digits[32];
    std::size_t length = 0;
    if (std::fabs(rounded) < 1e18) {
        const auto whole = static_cast<unsigned long long>(std::fabs(rounded));
        length = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, whole).ptr - digits);
    } else {
        const std::string text = fmt::format("{:.0f}", std::fabs(rounded));
        length = std::min(text.size(), sizeof digits);
        std::memcpy(digits, text.data(), length);
    }
    return PutDigits(buffer, start, width, rounded < 0, digits, length);
}

// PutDigits of an integer, printed as one (no detour through a double).
bool PutWholeNumber(std::string& buffer, std::size_t start, std::size_t width, std::int32_t n) {
    if (n >= 0 && width > 0) {
        // Digits from the right, the field's last digit first: once the number is used up the digits
        // are the padding zeros. Done when it fits the field.
        char* out = buffer.data() + start;
        auto rest = static_cast<std::uint32_t>(n);
        for (std::size_t at = width; at > 0;) {
            out[--at] = static_cast<char>('0' + rest % 10);
            rest /= 10;
        }
        if (rest == 0) return true;
    }
    char digits[16];
    const auto magnitude = static_cast<std::uint32_t>(n < 0 ? -static_cast<std::int64_t>(n) : n);
    const auto length = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, magnitude).ptr - digits);
    return PutDigits(buffer, start, width, n < 0, digits, length);
}

// Two digits of `n` (0 to 99) at `out`.
char* TwoDigits(char* out, int n) {
    out[0] = static_cast<char>('0' + n / 10 % 10);
    out[1] = static_cast<char>('0' + n % 10);
    return out + 2;
}

// The value as text without copying a stored text: `scratch` holds the text of a number.
std::string_view TextOf(const zav::Value& value, std::string& scratch) {
    if (const auto* s = std::get_if<std::string>(&value)) return *s;
    if (std::holds_alternative<std::monostate>(value)) return {};
    if (const auto* n = std::get_if<std::int32_t>(&value)) {
        char digits[16];
        scratch.assign(digits, std::to_chars(digits, digits + sizeof digits, *n).ptr);
        return scratch;
    }
    if (const auto* n = std::get_if<std::int16_t>(&value)) {
        char digits[8];
        scratch.assign(digits, std::to_chars(digits, digits + sizeof digits, *n).ptr);
        return scratch;
    }
    scratch = ValueText(value);
    return scratch;
}

// Insert for the field's columns, which `buffer` reaches: the common cases of a text in a text field and
// an integer in a whole-number field here, the others in PutOther.
bool PutOther(const clsField& field, std::string& buffer, std::size_t start, std::size_t width,
              const zav::Value& value);

[[gnu::always_inline]] inline bool PutValue(const clsField& field, std::string& buffer, std::size_t start, std::size_t width,
                     const zav::Value& value) {
    if (const auto* text = std::get_if<std::string>(&value); text != nullptr && field.FieldType == kHostText) {
        PutField(buffer, start, width, *text);
        return true;
    }
    if (field.FieldType == kHostZeroPadded || field.FieldType == kHostInteger) {
        if (const auto* n = std::get_if<std::int32_t>(&value)) return PutWholeNumber(buffer, start, width, *n);
        // A text of digits only (nine at most: any such number fits) reads as that number.
        if (const auto* text = std::get_if<std::string>(&value);
            text != nullptr && !text->empty() && text->size() <= 9) {
            std::int32_t n = 0;
            bool digits = true;
            for (const char c : *text) {
                const auto digit = static_cast<unsigned char>(c - '0');
                if (digit > 9) {
                    digits = false;
                    break;
                }
                n = n * 10 + digit;
            }
            if (digits) return PutWholeNumber(buffer, start, width, n);
        }
    }
    return PutOther(field, buffer, start, width, value);
}

bool PutOther(const clsField& field, std::string& buffer, std::size_t start, std::size_t width,
              const zav::Value& value) {
    const std::int16_t FieldType = field.FieldType;
    const std::int16_t FieldLen = field.FieldLen;
    std::string scratch;
    switch (FieldType) {
        case kHostInteger:
        case kHostZeroPadded: {
            if (const auto* i = std::get_if<std::int32_t>(&value)) return PutWholeNumber(buffer, start, width, *i);
            if (const auto* h = std::get_if<std::int16_t>(&value))
                return PutWholeNumber(buffer, start, width, std::int32_t{*h});
            const std::optional<double> n = NumberOf(value);
            if (!n) break;
            return PutWholeNumber(buffer, start, width, std::round(*n));  // halves away from zero
        }
        case kHostMoney:
            if (auto n = NumberOf(value)) {
                const double cents = std::round(*n * 100) / 100;
                std::string text = fmt::format("{:0{}.2f}", std::fabs(cents), width);
                if (cents < 0) text.insert(0, 1, '-');
                PutField(buffer, start, width, text);
                return text.size() <= width;
            }
            break;
        case kHostText:
        case kHostLong:
        case kHostSingle:
        case kHostDouble:
            break;
        case kHostDate:
            if (FieldLen == 6 || FieldLen == 8) {
                const double serial = DateOf(value);
                if (serial == 0) {
                    std::memset(buffer.data() + start, '0', width);
                } else if (const CivilDate d = DateFromSerial(serial);
                           d.year < 0 || d.year > 9999 || d.month < 0 || d.month > 99 || d.day < 0 || d.day > 99) {
                    PutField(buffer, start, width,
                             FieldLen == 6 ? fmt::format("{:02}{:02}{:02}", d.month, d.day, d.year % 100)
                                           : fmt::format("{:02}{:02}{:04}", d.month, d.day, d.year));
                } else {
                    char text[8];
                    char* at = TwoDigits(TwoDigits(text, d.month), d.day);
                    if (FieldLen == 6) {
                        TwoDigits(at, d.year % 100);
                    } else {
                        TwoDigits(TwoDigits(at, d.year / 100), d.year % 100);
                    }
                    std::memcpy(buffer.data() + start, text, width);  // the field is as wide as the date
                }
            } else {
                PutField(buffer, start, width, {});
            }
            return true;
        case kHostStamp: {
            const double serial = DateOf(value);
            const CivilDate d = DateFromSerial(serial);
            int h = 0, n = 0, s = 0;
            TimeFromSerial(serial, h, n, s);
            PutField(buffer, start, width,
                     fmt::format("{:02}{:02}{:04} {:02}:{:02}:{:02}", d.month, d.day, d.year, h, n, s));
            return true;
        }
        case kHostTime:
            PutField(buffer, start, width,
                     FieldLen == 4 || FieldLen == 6 ? TextOf(value, scratch) : std::string_view());
            return true;
        default:
            UndefinedFieldType();
            PutField(buffer, start, width, {});
            return true;
    }
    // Texts, and numbers written as they are.
    PutField(buffer, start, width, TextOf(value, scratch));
    return true;
}

}  // namespace

bool clsField::Insert(std::string& buffer, const zav::Value& value) const {
    const std::size_t width = static_cast<std::size_t>(std::max<int>(FieldLen, 0));
    const std::size_t start = FieldPos >= 1 ? static_cast<std::size_t>(FieldPos - 1) : 0;
    if (buffer.size() < start + width) buffer.resize(start + width, ' ');
    return PutValue(*this, buffer, start, width, value);
}

std::size_t clsRecType::NoCaseHash::operator()(std::string_view s) const {
    std::size_t h = 14695981039346656037ull;
    for (char c : s) h = (h ^ static_cast<unsigned char>(UpperChar(c))) * 1099511628211ull;
    return h;
}

bool clsRecType::NoCaseEqual::operator()(std::string_view a, std::string_view b) const { return EqualsNoCase(a, b); }

void clsRecType::SetID(std::int16_t position, std::int16_t length, std::string value) {
    RIPos = position;
    RILen = length;
    RIValue = std::move(value);
}

void clsRecType::AddField(std::string fieldName, std::int16_t fieldType, std::int16_t fieldPos, std::int16_t fieldLen) {
    clsField field;
    field.FieldName = std::move(fieldName);
    field.FieldType = fieldType;
    field.FieldPos = fieldPos == 0 ? static_cast<std::int16_t>(iLastPos_ + 1) : fieldPos;
    field.FieldLen = fieldLen;
    iLastPos_ = static_cast<std::int16_t>(iLastPos_ + fieldLen);
    index_.emplace(field.FieldName, static_cast<int>(colFields_.size()));
    exact_.emplace(field.FieldName, static_cast<int>(colFields_.size()));
    spans_.push_back({static_cast<std::size_t>(field.FieldPos >= 1 ? field.FieldPos - 1 : 0),
                      static_cast<std::size_t>(std::max<int>(field.FieldLen, 0))});
    if (spans_.back().start < recordEnd_) disjoint_ = false;
    recordEnd_ = std::max(recordEnd_, spans_.back().start + spans_.back().width);
    changed_.push_back(1);
    cutAt_.push_back(0);
    assembledValid_ = false;
    const bool whole =
        field.FieldType == kHostInteger || field.FieldType == kHostLong || field.FieldType == kHostZeroPadded;
    if (whole) wholeFields_.push_back(colFields_.size());
    colFields_.push_back(std::move(field));
    if (whole) MarkWholeColumns(colFields_.size() - 1);
    colValues_.emplace_back();
    stored_.push_back(0);
    pending_.push_back(0);
    tooLargeAt_.push_back(0);
}

void clsRecType::Parse(std::string_view buffer) {
    // Every field pending: its stored_ and tooLargeAt_ are set when it is extracted, before any reading.
    extra_.Clear();
    assembledValid_ = false;
    cvarBuffer.assign(buffer);
    std::fill(pending_.begin(), pending_.end(), 1);
    tooLarge_.clear();
    tooLargeKnown_ = false;
}

void clsRecType::Extract(std::size_t i) const {
    bool tooLarge = false;
    colValues_[i] = colFields_[i].Extract(cvarBuffer, &tooLarge);
    stored_[i] = 1;
    changed_[i] = 1;
    pending_[i] = 0;
    tooLargeAt_[i] = tooLarge ? 1 : 0;
}

void clsRecType::MarkWholeColumns(std::size_t i) {
    const Span span = spans_[i];
    wholeColumns_.Mark(span.start, span.width, colFields_[i].FieldType == kHostInteger ? 4 : 9);
}

const std::vector<std::string>& clsRecType::TooLargeFields() const {
    // A line whose whole-number fields hold only blanks and digits, none more digits after the leading
    // zeros than a number of its kind can have, holds nothing too large: the usual line ends here.
    if (!tooLargeKnown_ && wholeColumns_.Plain(cvarBuffer)) tooLargeKnown_ = true;
    if (!tooLargeKnown_) {
        // Only whole-number fields can hold a number too large to read. A field still to be read whose
        // text is blanks and digits, with no more digits after its leading zeros than any number of its
        // kind holds, needs no reading for that: the usual line reads nothing here.
        for (const std::size_t i : wholeFields_) {
            if (pending_[i] && SmallDigits(ColumnText(i), colFields_[i].FieldType == kHostInteger ? 4 : 9)) continue;
            Slot(i);
            if (tooLargeAt_[i]) tooLarge_.push_back(colFields_[i].FieldName);
        }
        tooLargeKnown_ = true;
    }
    return tooLarge_;
}

int clsRecType::FieldIndex(std::string_view fieldName) const {
    const auto nameAt = [this](int i) -> const std::string& {
        return colFields_[static_cast<std::size_t>(i)].FieldName;
    };
    if (const int known = names_.Find(fieldName, nameAt); known >= 0) return known;
    int found = -1;
    if (const auto exact = exact_.find(fieldName); exact != exact_.end()) {
        found = exact->second;
    } else if (const auto it = index_.find(fieldName); it != index_.end()) {
        found = it->second;
    }
    if (found >= 0) names_.Remember(fieldName, found);
    return found;
}

const zav::Value& clsRecType::Value(std::string_view fieldName) const {
    const int i = FieldIndex(fieldName);
    if (i >= 0) {
        const zav::Value* slot = Slot(static_cast<std::size_t>(i));
        return slot != nullptr ? *slot : kEmpty;
    }
    const zav::Value* v = extra_.Find(fieldName);
    return v != nullptr ? *v : kEmpty;
}

void clsRecType::Value(std::string_view fieldName, zav::Value value) {
    const int i = FieldIndex(fieldName);
    if (i >= 0) {
        Receive(static_cast<std::size_t>(i)) = std::move(value);
    } else if (zav::Value* v = extra_.Find(fieldName)) {
        *v = std::move(value);
    } else {
        extra_.Append(std::string(fieldName), std::move(value));
    }
}

namespace {
// A stored value's text as TextView gives it.
std::string_view TextOfValue(const zav::Value* value, std::string& scratch) {
    if (value == nullptr) return {};
    if (const auto* text = std::get_if<std::string>(value)) return *text;
    scratch = ValueText(*value);
    return scratch;
}
}  // namespace

std::string_view clsRecType::TextView(std::string_view fieldName, std::string& scratch) const {
    if (const int i = FieldIndex(fieldName); i >= 0) return TextAt(i, scratch);
    return TextOfValue(extra_.Find(fieldName), scratch);
}

std::string_view clsRecType::StoredTextAt(int index, std::string& scratch) const {
    if (index < 0) return {};
    const auto at = static_cast<std::size_t>(index);
    if (pending_[at]) {
        // What Extract would keep, read without storing it: a text field's columns; a zero-padded
        // field's plain digits printed as the number they read as.
        const std::int16_t type = colFields_[at].FieldType;
        if (type == kHostText) return ColumnText(at);
        if (type == kHostZeroPadded) {
            // Digits only, no more than nine after the leading zeros: those nine are the number's text.
            const std::string_view text = ColumnText(at);
            std::size_t first = 0;
            while (first + 1 < text.size() && text[first] == '0') ++first;
            if (!text.empty() && text.size() - first <= 9 && AllDigits(text.substr(first))) return text.substr(first);
        }
        if (type == kHostZeroPadded)
            if (const auto n = PlainDigits(ColumnText(at), cvarBuffer.data())) {
                char digits[16];
                char* end = std::to_chars(digits, digits + sizeof digits, *n).ptr;
                scratch.assign(digits, static_cast<std::size_t>(end - digits));
                return scratch;
            }
    }
    return TextOfValue(Slot(at), scratch);
}

double clsRecType::NumberAt(int index) const {
    if (index < 0) return 0;
    if (pending_[static_cast<std::size_t>(index)] &&
        colFields_[static_cast<std::size_t>(index)].FieldType == kHostZeroPadded)
        if (const auto n = PlainDigits(ColumnText(static_cast<std::size_t>(index)), cvarBuffer.data()))
            return *n;  // what Extract reads
    const zav::Value* value = Slot(static_cast<std::size_t>(index));
    try {
        return value != nullptr ? ValueNumber(*value) : 0;
    } catch (const RuntimeError&) {
        return 0;
    }
}

double clsRecType::Number(std::string_view fieldName) const {
    if (const int i = FieldIndex(fieldName); i >= 0) return NumberAt(i);
    try {
        return ValueNumber(Value(fieldName));
    } catch (const RuntimeError&) {
        return 0;
    }
}

int clsRecType::Init() {
    ClearValues();
    return 0;
}

void clsRecType::ClearFields() {
    colFields_.clear();
    wholeFields_.clear();
    wholeColumns_.Clear();
    spans_.clear();
    recordEnd_ = 0;
    disjoint_ = true;
    changed_.clear();
    cutAt_.clear();
    cutCount_ = 0;
    assembledValid_ = false;
    colValues_.clear();
    stored_.clear();
    pending_.clear();
    tooLargeAt_.clear();
    index_.clear();
    exact_.clear();
    names_.Clear();
    iLastPos_ = 0;
}

void clsRecType::ClearValues() {
    TooLargeFields();  // what the parsed line held stays known
    std::fill(stored_.begin(), stored_.end(), 0);
    assembledValid_ = false;
    std::fill(pending_.begin(), pending_.end(), 0);
    extra_.Clear();
}

std::string clsRecType::Buffer(int padTo) {
    std::string line;
    AssembleInto(line, padTo);
    return line;
}

bool clsRecType::AssembleInto(std::string& line, int padTo) {
    const bool done = assembledValid_ && padTo == assembledPad_ ? RefreshAssembled() : AssembleAll(padTo);
    if (!done) {
        line.clear();
        return false;
    }
    line.assign(assembled_, 0, assembledLength_);
    return true;
}

bool clsRecType::AssembleAll(int padTo) {
    assembledValid_ = false;
    std::fill(cutAt_.begin(), cutAt_.end(), 0);
    cutCount_ = 0;
    // The line reaches to the end of the last field with a value (or to `padTo`), blank where no field
    // writes: blanks as far as any field reaches, cut to that length at the end.
    std::size_t length = padTo >= 1 ? static_cast<std::size_t>(padTo) : 0;
    assembled_.assign(std::max(length, recordEnd_), ' ');
    std::size_t i = 0;
    try {
        for (; i < colFields_.size(); ++i) {
            changed_[i] = 0;
            const zav::Value* slot = Slot(i);
            if (slot == nullptr) continue;
            const Span span = spans_[i];
            length = std::max(length, span.start + span.width);
            if (!PutValue(colFields_[i], assembled_, span.start, span.width, *slot)) {
                cutAt_[i] = 1;
                ++cutCount_;
            }
        }
    } catch (const RuntimeError& e) {
        CollectCut(i);
        CurrentFrontend().ShowMessage(e.Description(), kAppTitle);
        return false;
    }
    CollectCut(i);
    assembledLength_ = length;
    assembledPad_ = padTo;
    assembledValid_ = disjoint_;
    return true;
}

bool clsRecType::RefreshAssembled() {
    // The fields that kept their values keep their columns; the others are written again.
    std::size_t i = 0;
    try {
        for (; i < colFields_.size(); ++i) {
            if (!changed_[i]) continue;
            changed_[i] = 0;
            const zav::Value* slot = Slot(i);
            if (slot == nullptr) continue;
            const Span span = spans_[i];
            assembledLength_ = std::max(assembledLength_, span.start + span.width);
            const unsigned char cut = PutValue(colFields_[i], assembled_, span.start, span.width, *slot) ? 0 : 1;
            cutCount_ = cutCount_ + cut - cutAt_[i];
            cutAt_[i] = cut;
        }
    } catch (const RuntimeError& e) {
        assembledValid_ = false;
        CollectCut(i);
        CurrentFrontend().ShowMessage(e.Description(), kAppTitle);
        return false;
    }
    CollectCut(colFields_.size());
    return true;
}

void clsRecType::CollectCut(std::size_t end) {
    cut_.clear();
    if (cutCount_ == 0) return;
    for (std::size_t i = 0; i < end; ++i)
        if (cutAt_[i]) cut_.push_back(colFields_[i].FieldName);
}

}  // namespace zav
