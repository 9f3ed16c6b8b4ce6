#include "exchange/record_assembly.h"

#include <algorithm>
#include <charconv>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/text.h"
#include "maps/exch_map.h"
#include "maps/map_date_format.h"

namespace zav {

namespace {

// A field's texts on the way to the line: a number's text, a formatted date or time, a text whose line
// breaks became blanks.
struct Buffers {
    std::string& scratch;
    std::string& formatted;
    std::string& unbroken;
};

std::optional<std::string_view> FindByName(const void* context, std::size_t, const MapField& field,
                                           std::string& scratch) {
    const Value* v = static_cast<const Values*>(context)->Find(field.FieldName);
    if (v == nullptr) return std::nullopt;
    return ValueTextView(*v, scratch);
}

// The field's value as output text: formatted by its data type (into `formatted`), a missing value
// defaulted.
std::string_view FieldText(const MapField& field, std::optional<std::string_view> value, bool reportDefaults,
                           std::string& formatted) {
    std::string_view text;
    if (!value) {
        text = field.DataType == kText ? "" : "0";
        if (reportDefaults) AddLog("Warning: Defaulted " + field.FieldName + " to " + std::string(text));
    } else {
        text = *value;
    }
    if (field.DataType == kDate) {
        FormatMapDateInto(formatted, text, field.MapFormat);
        return formatted;
    }
    if (field.DataType == kTime) {
        FormatMapTimeInto(formatted, text, field.MapFormat);
        return formatted;
    }
    return text;
}

bool HasBreak(std::string_view text) {
    for (const char c : text)
        if (c == '\r' || c == '\n') return true;
    return false;
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
void ForEachOutputField(const clsExchMap& map, const RecordLayout& layout, FieldTextSource source,
                        const void* context, bool reportDefaults, const Buffers& buffers, Body body) {
    const std::vector<MapField>& fields = map.Fields();
    for (const std::size_t i : layout.outputs) {
        const MapField& field = fields[i];
        try {
            body(field, FieldText(field, source(context, i, field, buffers.scratch), reportDefaults, buffers.formatted));
        } catch (const RuntimeError& e) {
            AddLog("Error: " + e.Description());
        }
    }
}

// Puts a value into its columns of a fixed-width line: line breaks as blanks, trimmed when left-aligned,
// padded or cut to the width. The line grows (with blanks) to reach the field.
void PlaceFixed(std::string& line, const MapField& field, std::string_view value, std::string& unbroken) {
    if (HasBreak(value)) {
        unbroken.assign(value);
        BreaksToSpaces(unbroken);
        value = unbroken;
    }
    if (field.MapAlign == 1) value = Trim(value);
    const std::size_t start = static_cast<std::size_t>(std::max<int>(field.DataPosition, 1)) - 1;
    const std::size_t width = static_cast<std::size_t>(std::max<int>(field.DataWidth, 0));
    if (line.size() < start + width) line.resize(start + width, ' ');
    char* out = line.data() + start;
    const std::size_t n = value.size();
    if (n >= width) {
        (IsNumeric(field.DataType) ? value.substr(n - width) : value.substr(0, width)).copy(out, width);
    } else {
        const char pad = field.MapPad == 2 ? ' ' : '0';
        if (field.MapAlign == 2) {
            std::fill_n(out, width - n, pad);
            value.copy(out + (width - n), n);
        } else {
            value.copy(out, n);
            std::fill_n(out + n, width - n, pad);
        }
    }
}

// Where an output field's columns end.
std::size_t FixedEnd(const MapField& field) {
    return static_cast<std::size_t>(std::max<int>(field.DataPosition, 1)) - 1 +
           static_cast<std::size_t>(std::max<int>(field.DataWidth, 0));
}

// The fields into `line`, which starts as blanks as far as the fields reach (so that no field has to grow
// it) and ends where the fields put there end.
void Fixed(std::string& line, const clsExchMap& map, const RecordLayout& layout, FieldTextSource source,
           const void* context, bool reportDefaults, const Buffers& buffers) {
    line.assign(layout.reach, ' ');
    std::size_t end = 0;
    ForEachOutputField(map, layout, source, context, reportDefaults, buffers,
                       [&](const MapField& field, std::string_view value) {
                           PlaceFixed(line, field, value, buffers.unbroken);
                           end = std::max(end, FixedEnd(field));
                       });
    line.resize(end);
}

std::string Delimited(const clsExchMap& map, const RecordLayout& layout, FieldTextSource source,
                      const void* context, bool reportDefaults, const Buffers& buffers) {
    std::vector<std::string> columns(1);
    const std::string& quote = map.MapQuote();
    ForEachOutputField(map, layout, source, context, reportDefaults, buffers, [&](const MapField& field,
                                                                                  std::string_view text) {
        std::string value(text);
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

void Record(std::string& line, const clsExchMap& map, const RecordLayout& layout, FieldTextSource source,
            const void* context, bool reportDefaults, const Buffers& buffers) {
    line.clear();
    if (map.MapType() == kMapFixed)
        Fixed(line, map, layout, source, context, reportDefaults, buffers);
    else if (map.MapType() == kMapDelimited)
        line = Delimited(map, layout, source, context, reportDefaults, buffers);
    if (map.MapLength() > 0 && line.size() < static_cast<std::size_t>(map.MapLength()))
        line.resize(static_cast<std::size_t>(map.MapLength()), ' ');
    line += RecordTerminator(map.MapTerminator());
}

}  // namespace

RecordLayout RecordLayout::Of(const clsExchMap& map) {
    RecordLayout layout;
    const std::vector<MapField>& fields = map.Fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].MapOption != kWriteToDestination) continue;
        layout.outputs.push_back(i);
        layout.reach = std::max(layout.reach, FixedEnd(fields[i]));
    }
    return layout;
}

std::string AssembleFixed(const clsExchMap& map, const Values& InValues, bool reportDefaults) {
    std::string line, scratch, formatted, unbroken;
    Fixed(line, map, RecordLayout::Of(map), FindByName, &InValues, reportDefaults, {scratch, formatted, unbroken});
    return line;
}

std::string AssembleDelimited(const clsExchMap& map, const Values& InValues, bool reportDefaults) {
    std::string scratch, formatted, unbroken;
    return Delimited(map, RecordLayout::Of(map), FindByName, &InValues, reportDefaults,
                     {scratch, formatted, unbroken});
}

std::string AssembleRecord(const clsExchMap& map, const Values& InValues, bool reportDefaults) {
    std::string line, scratch, formatted, unbroken;
    Record(line, map, RecordLayout::Of(map), FindByName, &InValues, reportDefaults, {scratch, formatted, unbroken});
    return line;
}

const std::string& RecordAssembler::Assemble(const Values& InValues, bool reportDefaults) {
    struct Context {
        std::vector<std::ptrdiff_t>& slots;
        const Values& values;
    } context{slots_, InValues};
    const FieldTextSource source = [](const void* c, std::size_t i, const MapField& field,
                                      std::string& scratch) -> std::optional<std::string_view> {
        const auto& [slots, values] = *static_cast<const Context*>(c);
        if (slots.size() <= i) slots.resize(i + 1, -1);
        std::ptrdiff_t& slot = slots[i];
        if (slot >= 0 && static_cast<std::size_t>(slot) < values.Count()) {
            const auto& entry = *(values.begin() + slot);
            if (entry.first == field.FieldName || EqualsNoCase(entry.first, field.FieldName))
                return ValueTextView(entry.second, scratch);
        }
        std::ptrdiff_t k = 0;
        for (const auto& [key, value] : values) {
            if (EqualsNoCase(key, field.FieldName)) {
                slot = k;
                return ValueTextView(value, scratch);
            }
            ++k;
        }
        slot = -1;
        return std::nullopt;
    };
    AssembleInto(line_, source, &context, reportDefaults);
    return line_;
}

void RecordAssembler::AssembleInto(std::string& line, FieldTextSource source, const void* context,
                                   bool reportDefaults) {
    if (!layout_) layout_ = RecordLayout::Of(map_);
    Record(line, map_, *layout_, source, context, reportDefaults, {scratch_, formatted_, unbroken_});
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
