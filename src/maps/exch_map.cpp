#include "maps/exch_map.h"

#include <string>

#include "core/errors.h"
#include "core/number.h"
#include "core/text.h"

namespace zav {

namespace {

constexpr int kMaxOptionNumber = 32767;
constexpr const char* kRequiredMark = "(Required)";
constexpr const char* kLineEnd = "\r\n";

}  // namespace

std::string MapItem::Text() const {
    if (const int* n = std::get_if<int>(&item_)) return std::to_string(*n);
    return std::string(std::get<std::string_view>(item_));
}

clsExchMap::clsExchMap(std::filesystem::path folder) : folder_(std::move(folder)) {}

std::string clsExchMap::MapDelimiterChar() const { return mapDelimiter_ == "<tab>" ? "\t" : mapDelimiter_; }

std::string clsExchMap::MapOptions(int index) const {
    if (index > 0) return static_cast<std::size_t>(index) <= options_.size() ? options_[index - 1] : "";
    if (index < 0) return "";
    std::string encoded;
    for (std::size_t i = 0; i < options_.size(); ++i) {
        if (Trim(options_[i]).empty()) continue;
        if (!encoded.empty()) encoded += ';';
        encoded += std::to_string(i + 1) + ':' + options_[i];
    }
    return encoded;
}

void clsExchMap::MapOptions(int index, std::string value) {
    if (index < 0 || index > kMaxOptionNumber) throw RuntimeError(kErrSubscript);
    if (index > 0) {
        if (static_cast<std::size_t>(index) > options_.size()) options_.resize(index);
        options_[index - 1] = std::move(value);
        dirty_ = true;
        return;
    }
    for (const std::string& piece : Split(value, ";")) {
        const std::vector<std::string> parts = Split(piece, ":");
        double number = 0;
        try {
            number = RoundHalfEven(Val(parts[0]));
        } catch (const RuntimeError&) {
            continue;  // too large for any option number
        }
        if (number <= 0 || number > kMaxOptionNumber) continue;
        MapOptions(static_cast<int>(number), parts.size() > 1 ? parts[1] : std::string());
    }
}

std::int16_t clsExchMap::FindItem(const MapItem& item) const {
    if (const int* n = std::get_if<int>(&item.Get())) return *n >= 1 && *n <= FieldCount() ? *n : 0;
    const std::string_view name = std::get<std::string_view>(item.Get());
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (EqualsNoCase(fields_[i].FieldName, name)) return static_cast<std::int16_t>(i + 1);
    return 0;
}

const MapField& clsExchMap::At(const MapItem& item) const {
    const int n = FindItem(item);
    if (n == 0) throw RuntimeError(kErrSubscript);
    return fields_[n - 1];
}

std::string clsExchMap::FieldName(const MapItem& item, bool showRequired) const {
    const int n = FindItem(item);
    if (n == 0) return "";
    const MapField& f = fields_[n - 1];
    return f.FieldName + (showRequired && f.Required ? kRequiredMark : "");
}

std::string clsExchMap::Prompt(const MapItem& item, bool showRequired) const {
    const int n = FindItem(item);
    if (n == 0) return "";
    const MapField& f = fields_[n - 1];
    return (f.Prompt.empty() ? f.FieldName : f.Prompt) + (showRequired && f.Required ? kRequiredMark : "");
}

void clsExchMap::AddField(std::int32_t dataType, std::string fieldName, bool required, double maxValue,
                          std::string prompt) {
    MapField f;
    f.FieldName = std::move(fieldName);
    f.DataType = dataType;
    f.Required = required;
    f.MaxValue = maxValue;
    f.Prompt = std::move(prompt);
    fields_.push_back(std::move(f));
    dirty_ = true;
}

void clsExchMap::NewMap(std::string newMapName, std::int32_t newMapUse) {
    dirty_ = false;
    MapUse(newMapUse);
    MapName(std::move(newMapName));
    MapType(kMapTypeNone);
    fields_.clear();
    for (const PredefinedField& p : PredefinedFields(newMapUse))
        AddField(p.dataType, p.name, p.required, p.maxValue, p.prompt);
    if (newMapUse == kMapReading || newMapUse == kMapOrphan) MapTerminator(3);
}

bool clsExchMap::SetMapping(std::string_view fieldName, std::string_view mapPosition, std::string_view mapWidth,
                            std::string_view mapAlign, std::string_view mapPad, std::string_view mapFormat) {
    const int n = FindItem(fieldName);
    if (n == 0) return false;
    MapField& f = fields_[n - 1];
    dirty_ = true;
    const auto clearPlacement = [&f](std::int32_t option) {
        f.MapOption = option;
        f.DataPosition = 0;
        f.DataWidth = 0;
        f.MapConstant.clear();
    };
    if (mapPosition == "N")
        clearPlacement(kDoNotMap);
    else if (mapPosition == "P")
        clearPlacement(kMapPrompt);
    else if (mapPosition == "A")
        clearPlacement(kAutonumber);
    else if (mapPosition == "C") {
        clearPlacement(kMapConstant);
        f.MapConstant = std::string(mapWidth);
    } else {
        f.DataPosition = ValInt(mapPosition);
        f.DataWidth = ValInt(mapWidth);
        f.MapOption = (mapUse_ == kMapRoute || mapUse_ == kMapReRead) ? kMapFromSource : kWriteToDestination;
        f.MapAlign = mapAlign == "L" ? 1 : 2;
        f.MapPad = mapPad == "Z" ? 1 : 2;
        f.MapFormat = ValLong(mapFormat);
    }
    return true;
}

bool clsExchMap::MappedOK(const MapItem& item, std::string& message) const {
    const auto problem = [&message](const std::string& text) { message += '\t' + text + kLineEnd; };
    const int n = FindItem(item);
    if (n == 0) {
        problem("Mapping of " + item.Text() + " not complete");
        return false;
    }
    const MapField& f = fields_[n - 1];
    const std::int32_t option = f.MapOption;
    if (f.Required && option != kMapFromSource && option != kMapConstant && option != kMapPrompt &&
        option != kAutonumber) {
        problem("Mapping of " + f.FieldName + " is required");
    } else if (option == kMapFromSource || option == kWriteToDestination) {
        if (f.DataPosition < 1)
            problem("Position of " + f.FieldName + " is required");
        else if (mapType_ == kMapFixed && f.DataWidth < 1)
            problem("Width of " + f.FieldName + " is required");
        else if (option == kWriteToDestination && (f.DataType == kDate || f.DataType == kTime) && f.MapFormat == 0)
            problem("Date/Time format missing for " + f.FieldName);
    } else if (option == kMapConstant && f.MapConstant.empty()) {
        problem("Constant missing for " + f.FieldName);
    }
    return false;
}

bool clsExchMap::ValidateMap(std::string& message) const {
    std::string lines;
    for (int i = 1; i <= FieldCount(); ++i) MappedOK(i, lines);
    if (lines.empty()) return true;
    message = std::string("Mapping Errors found:") + kLineEnd + lines;
    return false;
}

}  // namespace zav
