#include "exchange/record_assembly.h"

#include <algorithm>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/text.h"
#include "maps/exch_map.h"
#include "maps/map_date_format.h"

namespace zav {

namespace {

// The field's value as output text: formatted by its data type, a missing value defaulted.
std::string FieldText(const MapField& field, const Values& values, bool reportDefaults) {
    const Value* v = values.Find(field.FieldName);
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

// Runs `body` for each field written to the destination; a failure is logged and leaves the field out.
template <typename Body>
void ForEachOutputField(const clsExchMap& map, Body body) {
    for (const MapField& field : map.Fields()) {
        if (field.MapOption != kWriteToDestination) continue;
        try {
            body(field);
        } catch (const RuntimeError& e) {
            AddLog("Error: " + e.Description());
        }
    }
}

}  // namespace

std::string AssembleFixed(const clsExchMap& map, const Values& InValues, bool reportDefaults) {
    std::string line;
    ForEachOutputField(map, [&](const MapField& field) {
        const std::size_t pos = static_cast<std::size_t>(std::max<int>(field.DataPosition, 1));
        const std::size_t width = static_cast<std::size_t>(std::max<int>(field.DataWidth, 0));
        if (line.size() < pos - 1) line.resize(pos - 1, ' ');
        std::string value = FieldText(field, InValues, reportDefaults);
        BreaksToSpaces(value);
        if (field.MapAlign == 1) value = std::string(Trim(value));
        if (value.size() < width) {
            const std::string fill(width - value.size(), field.MapPad == 2 ? ' ' : '0');
            value = field.MapAlign == 2 ? fill + value : value + fill;
        } else if (value.size() > width) {
            value = IsNumeric(field.DataType) ? value.substr(value.size() - width) : value.substr(0, width);
        }
        if (line.size() >= pos) {
            const std::size_t after = std::min(line.size(), pos - 1 + width);
            line = line.substr(0, pos - 1) + value + line.substr(after);
        } else {
            line += value;
        }
    });
    return line;
}

std::string AssembleDelimited(const clsExchMap& map, const Values& InValues, bool reportDefaults) {
    std::vector<std::string> columns(1);
    const std::string& quote = map.MapQuote();
    ForEachOutputField(map, [&](const MapField& field) {
        std::string value = FieldText(field, InValues, reportDefaults);
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

std::string AssembleRecord(const clsExchMap& map, const Values& InValues, bool reportDefaults) {
    std::string line;
    if (map.MapType() == kMapFixed)
        line = AssembleFixed(map, InValues, reportDefaults);
    else if (map.MapType() == kMapDelimited)
        line = AssembleDelimited(map, InValues, reportDefaults);
    if (map.MapLength() > 0 && line.size() < static_cast<std::size_t>(map.MapLength()))
        line.resize(static_cast<std::size_t>(map.MapLength()), ' ');
    line += RecordTerminator(map.MapTerminator());
    return line;
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
