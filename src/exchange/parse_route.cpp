// Route record parsing: one line of a flat route file, fixed-width or delimited, turned into a record of
// typed values by the current map.
#include <array>
#include <charconv>
#include <cstdint>
#include <span>
#include <vector>

#include "core/errors.h"
#include "core/number.h"
#include "core/text.h"
#include "exchange/delimited_columns.h"
#include "exchange/exchange.h"
#include "exchange/prompts.h"

namespace zav {

namespace {

// Stores a number in its slot. The slot usually holds a value of the same kind already (the same
// field of the previous line): it is overwritten in place.
template <typename Number>
void StoreNumber(Value& slot, Number value) {
    if (auto* held = std::get_if<Number>(&slot))
        *held = value;
    else
        slot = value;
}

// Stores a text in its slot, reusing the storage of the text the slot held.
void StoreText(Value& slot, std::string_view text) {
    if (auto* held = std::get_if<std::string>(&slot))
        held->assign(text);
    else
        slot.emplace<std::string>(text);
}

// Reads a number field's text only for the overflow error it may raise: the value is not kept.
void CheckNumber(std::int32_t dataType, std::string_view text) {
    // Blanks and a few digits (the usual number field) cannot overflow, nor a text that starts with a
    // letter (it reads 0: the read-type letter in its number field).
    if (FewDigits(text, dataType == kInteger ? 4 : dataType == kLong ? 9 : 15)) return;
    if (const std::string_view rest = LTrim(text);
        !rest.empty() && ((rest[0] >= 'A' && rest[0] <= 'Z') || (rest[0] >= 'a' && rest[0] <= 'z')))
        return;
    if (std::int64_t n = 0; PlainWholeNumber(text, n)) {
        // A plain whole number of up to 15 digits always fits a double.
        if ((dataType == kInteger && (n < INT16_MIN || n > INT16_MAX)) ||
            (dataType == kLong && (n < INT32_MIN || n > INT32_MAX)))
            throw RuntimeError(kErrOverflow);
        return;
    }
    // Anything else goes through the general reader of its type.
    if (dataType == kInteger)
        ValInt(text);
    else if (dataType == kLong)
        ValLong(text);
    else
        Val(text);
}

// The field whose source text is the read-type letter (named exactly so; the length test first keeps
// the comparison off the other fields of every line).
bool IsReadTypeField(const MapField& f) { return f.FieldName.size() == 8 && f.FieldName == "ReadType"; }

bool IsNumberType(std::int32_t dataType) { return dataType == kInteger || dataType == kLong || dataType == kReal; }

// The characters of a fixed-width field: `width` characters from `position` (counted from 1); empty
// when the start lies beyond the line (or before it), the rest of the line when the width reaches past
// its end.
std::string_view FixedColumn(std::string_view line, std::int16_t position, std::int16_t width) {
    if (position < 1 || width < 1 || static_cast<std::size_t>(position) > line.size()) return {};
    return line.substr(position - 1, width);
}

}  // namespace

std::optional<Values> clsExchange::ParseRoute(std::string_view line) {
    switch (ExchMap.MapType()) {
        case kMapFixed:
            return ParseRouteFixed(line);
        case kMapDelimited:
            return ParseRouteDelimited(line);
        default:
            return std::nullopt;
    }
}

RouteLinePlan::RouteLinePlan(const clsExchMap& map, int keep) : map_(&map) {
    const auto& fields = map.Fields();
    fieldCount_ = fields.size();
    fixedLayout_ = map.MapType() == kMapFixed;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const MapField& f = fields[i];
        Step step;
        step.field = &f;
        step.index = static_cast<std::uint32_t>(i);
        const bool mapped = f.MapOption == kMapFromSource || f.MapOption == kMapConstant ||
                            f.MapOption == kMapPrompt || f.MapOption == kAutonumber;
        step.source = mapped ? f.MapOption : kDoNotMap;
        const bool kept = keep < 0 || static_cast<int>(i) == keep;
        step.readType = f.MapOption == kMapFromSource && IsReadTypeField(f);
        step.position = f.DataPosition;
        step.width = f.DataWidth;
        step.dataType = f.DataType;
        // Text loses its leading spaces in fixed files only; dates and times keep them in both. A number's
        // empty text (an unmapped field, a column the line lacks) is 0.
        if (kept) {
            step.store = f.DataType == kInteger ? Step::kInteger
                         : f.DataType == kLong  ? Step::kLong
                         : f.DataType == kReal  ? Step::kReal
                         : f.DataType == kText && fixedLayout_ ? Step::kTrimmedText
                                                               : Step::kText;
        } else {
            step.store = IsNumberType(f.DataType) ? Step::kCheckNumber : Step::kNothing;
        }
        // A field not kept is read only for what it can raise or change: a number's overflow (an
        // unmapped field has no text, so no number that could overflow), the autonumber, the letter.
        if (!kept &&
            (!mapped || (!IsNumberType(f.DataType) && f.MapOption != kAutonumber && !step.readType)))
            continue;
        if (step.source == kMapFromSource && f.DataPosition > maxColumn_) maxColumn_ = f.DataPosition;
        // A number of a fixed layout: up to 4, 9 or 15 digits (the most its type holds, or a double holds
        // exactly) cannot overflow and read as their digits. (The read-type letter sits in a number
        // field: that one is read as ever.)
        if (fixedLayout_ && step.source == kMapFromSource && IsNumberType(f.DataType) && !step.readType &&
            f.DataPosition >= 1 && f.DataWidth >= 1) {
            step.plainColumns = true;
            numberColumns_.Mark(static_cast<std::size_t>(f.DataPosition - 1), static_cast<std::size_t>(f.DataWidth),
                                f.DataType == kInteger ? 4 : f.DataType == kLong ? 9 : 15);
        }
        step.constant = step.source != kMapFromSource && step.source != kAutonumber;
        const bool noOverflow = step.plainColumns && step.store == Step::kCheckNumber;
        for (int list = 0; list < 4; ++list)
            if (!((list & 1) && noOverflow) && !((list & 2) && step.constant)) stepLists_[list].push_back(step);
    }
}

// Fills the fields of `out` that the plan keeps, in map order: `source(field)` gives the source text
// of a field mapped from the source. The numbers of fields read but not kept are read only for the
// overflow errors they raise; the autonumber is counted and the read-type letter taken either way.
// With `plain` (the line's number columns are plain), the numbers marked so are their digits; with
// `constantsHeld`, the fields of constant values hold them already.
template <typename SourceText>
static void BuildFields(const RouteLinePlan& plan, RouteLineState state, RouteFields& out, bool plain,
                        bool constantsHeld, SourceText&& source) {
    state.readTypeLetter.clear();
    if (out.size() != plan.FieldCount()) {
        out.resize(plan.FieldCount());
        constantsHeld = false;
    }
    char number[8];
    for (const RouteLinePlan::Step& s : plan.StepsFor(plain, constantsHeld)) {
        std::string_view text;
        switch (s.source) {
            case kMapFromSource:
                text = source(s);
                if (s.readType) [[unlikely]] {
                    state.readTypeLetter.clear();
                    AppendUCase(state.readTypeLetter, text);
                }
                break;
            case kMapConstant:
                text = s.field->MapConstant;
                break;
            case kMapPrompt:
                text = Prompts().Value(s.field->FieldName);
                break;
            case kAutonumber: {
                if (state.autoNumber == INT16_MAX) throw RuntimeError(kErrOverflow);
                const auto [end, ec] = std::to_chars(number, number + sizeof number, ++state.autoNumber);
                text = std::string_view(number, static_cast<std::size_t>(end - number));
                break;
            }
            default:
                break;  // not mapped: empty
        }
        Value& slot = out[s.index];
        if (plain && s.plainColumns) {
            switch (s.store) {
                case RouteLinePlan::Step::kInteger:
                    StoreNumber(slot, static_cast<std::int16_t>(PlainDigitsValue(text)));
                    break;
                case RouteLinePlan::Step::kLong:
                    StoreNumber(slot, static_cast<std::int32_t>(PlainDigitsValue(text)));
                    break;
                case RouteLinePlan::Step::kReal:
                    StoreNumber(slot, static_cast<double>(PlainDigitsValue(text)));
                    break;
                default:
                    break;
            }
            continue;
        }
        try {
            switch (s.store) {
                case RouteLinePlan::Step::kText:
                    StoreText(slot, RTrim(text));
                    break;
                case RouteLinePlan::Step::kTrimmedText:
                    StoreText(slot, Trim(text));
                    break;
                case RouteLinePlan::Step::kInteger:
                    StoreNumber(slot, text.empty() ? std::int16_t{0} : ValInt(text));
                    break;
                case RouteLinePlan::Step::kLong:
                    StoreNumber(slot, text.empty() ? std::int32_t{0} : ValLong(text));
                    break;
                case RouteLinePlan::Step::kReal:
                    StoreNumber(slot, text.empty() ? 0.0 : Val(text));
                    break;
                case RouteLinePlan::Step::kCheckNumber:
                    CheckNumber(s.dataType, text);
                    break;
                case RouteLinePlan::Step::kNothing:
                    break;
            }
        } catch (const RuntimeError& e) {
            // A number too large for its field's type says which field it was.
            if (e.Number() != kErrOverflow) throw;
            throw RuntimeError(kErrOverflow, "Overflow in field " + s.field->FieldName);
        }
    }
}

// The keyed record of the fields (a map field name that occurs twice fails here, as adding it does).
static Values KeyedRecord(const clsExchMap& map, RouteFields&& fields) {
    Values record;
    record.Reserve(fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) record.Add(map.Fields()[i].FieldName, std::move(fields[i]));
    return record;
}

static void FixedFields(const RouteLinePlan& plan, RouteLineState state, std::string_view line, RouteFields& out,
                        bool constantsHeld = false) {
    const NumberColumns& numbers = plan.PlainNumberColumns();
    BuildFields(plan, state, out, numbers.Plain(line), constantsHeld,
                [line](const RouteLinePlan::Step& s) { return FixedColumn(line, s.position, s.width); });
}

static void DelimitedFields(const RouteLinePlan& plan, const clsExchMap& map, RouteLineState state,
                            std::string_view line, RouteFields& out, bool constantsHeld = false) {
    const std::string& delimiter = map.MapDelimiterChar();
    const std::string& quote = map.MapQuote();
    thread_local std::vector<std::string_view> columns;
    thread_local std::vector<std::string> owned;  // the texts of the columns that are not views of the line
    if (FastColumnsFit(delimiter, quote)) {
        FastDelimitedColumns(line, delimiter[0], quote, columns, owned, static_cast<std::size_t>(plan.MaxColumn()));
    } else {
        owned = DelimitedColumns(line, delimiter, quote);
        columns.assign(owned.begin(), owned.end());
    }
    const std::size_t count = columns.size();
    BuildFields(plan, state, out, false, constantsHeld, [count](const RouteLinePlan::Step& s) -> std::string_view {
        if (s.position < 1 || static_cast<std::size_t>(s.position) > count) return {};
        return columns[static_cast<std::size_t>(s.position) - 1];
    });
}

bool ParseRouteLine(const RouteLinePlan& plan, RouteLineState state, std::string_view line, RouteFields& out,
                    bool constantsHeld) {
    switch (plan.Map().MapType()) {
        case kMapFixed:
            FixedFields(plan, state, line, out, constantsHeld);
            return true;
        case kMapDelimited:
            DelimitedFields(plan, plan.Map(), state, line, out, constantsHeld);
            return true;
        default:
            return false;
    }
}

bool clsExchange::ParseRouteFields(std::string_view line, RouteFields& out, int onlyText) {
    return ParseRouteLine(RouteLinePlan(ExchMap, onlyText), {ReadTypeLetter, AutoNumber}, line, out);
}

Values clsExchange::ParseRouteFixed(std::string_view line) {
    RouteFields fields;
    FixedFields(RouteLinePlan(ExchMap), {ReadTypeLetter, AutoNumber}, line, fields);
    return KeyedRecord(ExchMap, std::move(fields));
}

Values clsExchange::ParseRouteDelimited(std::string_view line) {
    RouteFields fields;
    DelimitedFields(RouteLinePlan(ExchMap), ExchMap, {ReadTypeLetter, AutoNumber}, line, fields);
    return KeyedRecord(ExchMap, std::move(fields));
}

}  // namespace zav
