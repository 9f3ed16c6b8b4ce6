#include "exchange/record_assembly.h"

#include <algorithm>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/text.h"
#include "maps/exch_map.h"
#include "maps/map_date_format.h"

namespace zav {

namespace {

// Finds the value of the map field with index `i` in a record's values.
using FieldLookup = const Value* (*)(const void* context, const Values& values, std::size_t i, const MapField& field);

const Value* FindByName(const void*, const Values& values, std::size_t, const MapField& field) {
    return values.Find(field.FieldName);
}

// The field's value as output text: formatted by its data type, a missing value defaulted.
std::string FieldText(const MapField& field, const Value* v, bool reportDefaults) {
    std::string text;
    if (v == nullptr) {
        text = field.DataType == kText ? "" : "0";
        if (reportDefaults) AddLog("Warning: Defaulted " + field.FieldName + " to " + text);
    } else {
        text = ValueText(*v);
    }
    if (field.DataType == kDate) return FormatMapDate(text, field.MapFormat);
    if (field.DataType == kTime) return FormatMapTime(text, field.MapFormat);
    return text;
}

// A line break inside a value would split the host's record in two.
void BreaksToSpaces(std::string& text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
}

void RemoveBreaks(std::string& text) {
    std::erase(text, '\r');
    std::erase(text, '\n');
}

bool IsNumeric(int dataType) { return dataType == kInteger || dataType == kLong || dataType == kReal; }

// Runs `body` with each field written to the destination and its text; a failure is logged and
// leaves the field out.
template <typename Body>
void ForEachOutputField(const clsExchMap& map, const Values& values, FieldLookup lookup, const void* context,
                        bool reportDefaults, Body body) {
    const std::vector<MapField>& fields = map.Fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const MapField& field = fields[i];
        if (field.MapOption != kWriteToDestination) continue;
        try {
            body(field, FieldText(field, lookup(context, values, i, field), reportDefaults));
        } catch (const RuntimeError& e) {
            AddLog("Error: " + e.Description());
        }
    }
}

// Lays the fields out in `line` (emptied first). Each field's text is cut or padded to its width and
// written over whatever an earlier field put at its position; the line grows as needed.
void Fixed(std::string& line, const clsExchMap& map, const Values& values, FieldLookup lookup, const void* context,
           bool reportDefaults) {
    line.clear();
    ForEachOutputField(map, values, lookup, context, reportDefaults, [&](const MapField& field, std::string value) {
        const std::size_t at = static_cast<std::size_t>(std::max<int>(field.DataPosition, 1)) - 1;
        const std::size_t width = static_cast<std::size_t>(std::max<int>(field.DataWidth, 0));
        if (line.size() < at) line.resize(at, ' ');
        BreaksToSpaces(value);
        std::string_view text = value;
        if (field.MapAlign == 1) text = Trim(text);
        if (text.size() > width)
            text = IsNumeric(field.DataType) ? text.substr(text.size() - width) : text.substr(0, width);
        if (line.size() < at + width) line.resize(at + width);
        char* out = line.data() + at;
        const std::size_t pad = width - text.size();
        const char padChar = field.MapPad == 2 ? ' ' : '0';
        if (field.MapAlign == 2) {
            std::fill_n(out, pad, padChar);
            out += pad;
        }
        std::copy(text.begin(), text.end(), out);
        if (field.MapAlign != 2) std::fill_n(out + text.size(), pad, padChar);
    });
}

std::string Fixed(const clsExchMap& map, const Values& values, FieldLookup lookup, const void* context,
                  bool reportDefaults) {
    std::string line;
    Fixed(line, map, values, lookup, context, reportDefaults);
    return line;
}

std::string Delimited(const clsExchMap& map, const Values& values, FieldLookup lookup, const void* context,
                      bool reportDefaults) {
    std::vector<std::string> columns(1);
    const std::string& quote = map.MapQuote();
    ForEachOutputField(map, values, lookup, context, reportDefaults, [&](const MapField& field, std::string value) {
        if (field.DataType == kText && !quote.empty()) {
            RemoveBreaks(value);
            if (quote != "<none>") value = quote + ReplaceAll(value, quote, quote + quote) + quote;
        } else {
            BreaksToSpaces(value);
        }
        const std::size_t column = static_cast<std::size_t>(std::max<int>(field.DataPosition, 1));
        if (columns.size() < column) columns.resize(column);
        columns[column - 1] = std::move(value);
    });
    const std::string delimiter = map.MapDelimiterChar();
    std::string line = columns[0];
    for (std::size_t i = 1; i < columns.size(); ++i) line += delimiter + columns[i];
    return line;
}

void Record(std::string& line, const clsExchMap& map, const Values& values, FieldLookup lookup, const void* context,
            bool reportDefaults) {
    if (map.MapType() == kMapFixed)
        Fixed(line, map, values, lookup, context, reportDefaults);
    else if (map.MapType() == kMapDelimited)
        line = Delimited(map, values, lookup, context, reportDefaults);
    else
        line.clear();
    if (map.MapLength() > 0 && line.size() < static_cast<std::size_t>(map.MapLength()))
        line.resize(static_cast<std::size_t>(map.MapLength()), ' ');
    line += RecordTerminator(map.MapTerminator());
}

}  // namespace

std::string AssembleFixed(const clsExchMap& map, const Values& InValues, bool reportDefaults) {
    return Fixed(map, InValues, FindByName, nullptr, reportDefaults);
}

std::string AssembleDelimited(const clsExchMap& map, const Values& InValues, bool reportDefaults) {
    return Delimited(map, InValues, FindByName, nullptr, reportDefaults);
}

std::string AssembleRecord(const clsExchMap& map, const Values& InValues, bool reportDefaults) {
    std::string line;
    Record(line, map, InValues, FindByName, nullptr, reportDefaults);
    return line;
}

const std::string& RecordAssembler::Assemble(const Values& InValues, bool reportDefaults) {
    const FieldLookup lookup = [](const void* context, const Values& values, std::size_t i,
                                  const MapField& field) -> const Value* {
        std::vector<std::ptrdiff_t>& slots = static_cast<RecordAssembler*>(const_cast<void*>(context))->slots_;
        if (slots.size() <= i) slots.resize(i + 1, -1);
        std::ptrdiff_t& slot = slots[i];
        if (slot >= 0 && static_cast<std::size_t>(slot) < values.Count()) {
            const auto& entry = *(values.begin() + slot);
            if (entry.first == field.FieldName || EqualsNoCase(entry.first, field.FieldName)) return &entry.second;
        }
        std::ptrdiff_t k = 0;
        for (const auto& [key, value] : values) {
            if (EqualsNoCase(key, field.FieldName)) {
                slot = k;
                return &value;
            }
            ++k;
        }
        slot = -1;
        return nullptr;
    };
    Record(line_, map_, InValues, lookup, this, reportDefaults);
    return line_;
}

std::string_view RecordTerminator(int mapTerminator) {
    switch (mapTerminator) {
        case 1:
            return "\r";
        case 2:
            return "\n";
        case 3:
            return "\r\n";
        case 4:
            return std::string_view("\0", 1);
        default:
            return "";
    }
}

}  // namespace zav
