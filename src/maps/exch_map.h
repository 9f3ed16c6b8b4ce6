// clsExchMap: one conversion map. It says how the fields of a ZAV record correspond to the columns of a
// host system's flat file: the map's use and layout, delimiter, quote, terminator, record length and
// filter, a small table of numbered options, and the fixed, ordered list of fields of its use.
//
// Fields are addressed by a MapItem: a field number (1 to FieldCount) or a field name (any letter case).
// The map file (MapFileName, SaveMap, LoadMap, DeleteMap) is kept in the folder given at construction.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "maps/map_use.h"

namespace zav {

// How a field is mapped (MapOption).
enum MapOptionCode : int {
    kDoNotMap = 1,
    kMapFromSource = 2,
    kMapConstant = 3,
    kMapPrompt = 4,
    kWriteToDestination = 5,
    kAutonumber = 6,
};

// Layouts (MapType).
enum MapTypeCode : int { kMapTypeNone = 0, kMapFixed = 1, kMapDelimited = 2, kMapMVRS = 3, kMapE5000 = 4 };

// Data types of fields (DataType).
enum DataTypeCode : int { kText = 0, kInteger = 1, kLong = 2, kReal = 3, kDate = 4, kTime = 5 };

// One field of a map.
struct MapField {
    std::string FieldName;
    std::int32_t DataType = kText;
    bool Required = false;
    std::int32_t MapOption = kDoNotMap;
    std::int16_t DataPosition = 0;
    std::int16_t DataWidth = 0;
    std::string MapConstant;
    std::int32_t MapAlign = 0;  // 1 left, 2 right
    std::int32_t MapPad = 0;    // 1 zeros, 2 spaces
    double MaxValue = 0;        // 0: no limit
    std::string Prompt;         // display label; empty for most fields
    std::int32_t MapFormat = 0;
};

// A field number or a field name.
class MapItem {
  public:
    MapItem(int number) : item_(number) {}
    MapItem(std::string_view name) : item_(name) {}
    MapItem(const char* name) : item_(std::string_view(name)) {}
    MapItem(const std::string& name) : item_(std::string_view(name)) {}

    // The item as given: the number in decimal, or the name.
    std::string Text() const;
    const std::variant<int, std::string_view>& Get() const { return item_; }

  private:
    std::variant<int, std::string_view> item_;
};

class clsExchMap {
  public:
    // `folder` is the program's folder, where map files live.
    explicit clsExchMap(std::filesystem::path folder = {});

    // Map-level properties; every write except of Dirty sets Dirty.
    std::int32_t MapUse() const { return mapUse_; }
    void MapUse(std::int32_t value) { Set(mapUse_, value); }
    const std::string& MapName() const { return mapName_; }
    void MapName(std::string value) { Set(mapName_, std::move(value)); }
    std::int32_t MapType() const { return mapType_; }
    void MapType(std::int32_t value) { Set(mapType_, value); }
    const std::string& MapDelimiter() const { return mapDelimiter_; }
    void MapDelimiter(std::string value) { Set(mapDelimiter_, std::move(value)); }
    const std::string& MapQuote() const { return mapQuote_; }
    void MapQuote(std::string value) { Set(mapQuote_, std::move(value)); }
    std::int32_t MapTerminator() const { return mapTerminator_; }
    void MapTerminator(std::int32_t value) { Set(mapTerminator_, value); }
    std::int16_t MapLength() const { return mapLength_; }
    void MapLength(std::int16_t value) { Set(mapLength_, value); }
    std::int32_t MapFilter() const { return mapFilter_; }
    void MapFilter(std::int32_t value) { Set(mapFilter_, value); }
    bool Dirty() const { return dirty_; }
    void Dirty(bool value) { dirty_ = value; }

    // MapDelimiter, except that exactly "<tab>" is one tab character.
    std::string MapDelimiterChar() const;

    // Options, numbered from 1. Index 0 reads or writes all of them in their encoded form
    // ("1:Y;3:abc"). Reading an index outside the list gives ""; writing beyond the end grows the list.
    // Option numbers run up to 32767; writing a larger or negative index THROWS RuntimeError(9), and
    // such pieces of an encoded text are skipped.
    std::string MapOptions(int index) const;
    void MapOptions(int index, std::string value);

    // Fields.
    std::int16_t FieldCount() const { return static_cast<std::int16_t>(fields_.size()); }
    // The field number of `item`: a number within the list, or the first field whose name matches
    // without regard to case; 0 when there is none.
    std::int16_t FindItem(const MapItem& item) const;
    // The field's name (or its label for Prompt), with "(Required)" appended when `showRequired` and the
    // field is required; "" for an unknown item.
    std::string FieldName(const MapItem& item, bool showRequired = false) const;
    std::string Prompt(const MapItem& item, bool showRequired = false) const;
    // Read-only view of every field, in map order (field number = index + 1).
    const std::vector<MapField>& Fields() const { return fields_; }

    // Per-field properties. An unknown item THROWS RuntimeError(9) and changes nothing; writes set Dirty.
    std::int32_t DataType(const MapItem& item) const { return At(item).DataType; }
    void DataType(const MapItem& item, std::int32_t v) { SetField(item, &MapField::DataType, v); }
    bool Required(const MapItem& item) const { return At(item).Required; }
    void Required(const MapItem& item, bool v) { SetField(item, &MapField::Required, v); }
    std::int32_t MapOption(const MapItem& item) const { return At(item).MapOption; }
    void MapOption(const MapItem& item, std::int32_t v) { SetField(item, &MapField::MapOption, v); }
    std::int32_t MapAlign(const MapItem& item) const { return At(item).MapAlign; }
    void MapAlign(const MapItem& item, std::int32_t v) { SetField(item, &MapField::MapAlign, v); }
    std::int32_t MapPad(const MapItem& item) const { return At(item).MapPad; }
    void MapPad(const MapItem& item, std::int32_t v) { SetField(item, &MapField::MapPad, v); }
    std::int32_t MapFormat(const MapItem& item) const { return At(item).MapFormat; }
    void MapFormat(const MapItem& item, std::int32_t v) { SetField(item, &MapField::MapFormat, v); }
    const std::string& MapConstant(const MapItem& item) const { return At(item).MapConstant; }
    void MapConstant(const MapItem& item, std::string v) { SetField(item, &MapField::MapConstant, std::move(v)); }
    std::int16_t DataPosition(const MapItem& item) const { return At(item).DataPosition; }
    void DataPosition(const MapItem& item, std::int16_t v) { SetField(item, &MapField::DataPosition, v); }
    std::int16_t DataWidth(const MapItem& item) const { return At(item).DataWidth; }
    void DataWidth(const MapItem& item, std::int16_t v) { SetField(item, &MapField::DataWidth, v); }
    double MaxValue(const MapItem& item) const { return At(item).MaxValue; }

    // Appends a field "Do Not Map" with position, width, format, alignment and padding 0. For NewMap.
    void AddField(std::int32_t dataType, std::string fieldName, bool required, double maxValue, std::string prompt);
    // Resets the map for a use: clears Dirty, sets MapUse, MapName and MapType 0, replaces the fields
    // with the use's predefined list (none for an unknown use); reading and orphan maps get terminator 3.
    // Delimiter, quote, filter, length and options stay as they were.
    void NewMap(std::string newMapName, std::int32_t newMapUse);

    // Applies one stored field mapping (the parts of a map file's field line). False when there is no
    // such field. THROWS RuntimeError(6) when a number does not fit, after applying what came before it.
    bool SetMapping(std::string_view fieldName, std::string_view mapPosition, std::string_view mapWidth,
                    std::string_view mapAlign, std::string_view mapPad, std::string_view mapFormat);

    // Checks one field; appends a tab, the problem and CR LF to `message`. Always returns false.
    bool MappedOK(const MapItem& item, std::string& message) const;
    // True when every field passes; otherwise false and `message` = "Mapping Errors found:" CR LF and
    // the problem lines.
    bool ValidateMap(std::string& message) const;

    // The map file: the folder and MapName; "" when MapName is empty, names a path rather than a
    // file, or the use has no map files.
    std::filesystem::path MapFileName() const;
    // Writes the whole file; false (nothing written) when MapName is empty. THROWS RuntimeError when the
    // file cannot be written.
    bool SaveMap();
    // NewMap, then overlays the file. False when the file does not exist or cannot be read (the map then
    // holds the predefined fields with their defaults); lines it cannot use are ignored.
    bool LoadMap(std::string loadMapName, std::int32_t loadMapUse);
    // Removes the map's file; true when a file was removed.
    bool DeleteMap();

    // The map file's text (what SaveMap writes) and the overlay of one file's text (LoadMap's step
    // after opening it).
    std::string MapFileText() const;
    void ApplyMapFileText(std::string_view text);

  private:
    template <typename T, typename V>
    void Set(T& member, V&& value) {
        member = std::forward<V>(value);
        dirty_ = true;
    }
    const MapField& At(const MapItem& item) const;
    template <typename T, typename V>
    void SetField(const MapItem& item, T MapField::*member, V&& value) {
        MapField& f = const_cast<MapField&>(At(item));
        f.*member = std::forward<V>(value);
        dirty_ = true;
    }

    std::filesystem::path folder_;
    std::int32_t mapUse_ = 0;
    std::string mapName_;
    std::int32_t mapType_ = 0;
    std::string mapDelimiter_;
    std::string mapQuote_;
    std::int32_t mapTerminator_ = 0;
    std::int16_t mapLength_ = 0;
    bool dirty_ = false;
    std::int32_t mapFilter_ = 0;
    std::vector<std::string> options_;  // option n at index n - 1
    std::vector<MapField> fields_;
};

// The predefined fields of a map use, in order; empty for an unknown use.
struct PredefinedField {
    const char* name;
    std::int32_t dataType;
    bool required;
    double maxValue;
    const char* prompt;
};
std::vector<PredefinedField> PredefinedFields(std::int32_t use);

}  // namespace zav
