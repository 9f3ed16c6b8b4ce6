// clsExchange: the one object through which the program converts files. It holds the exchange
// settings and their persistence in the settings store; the conversion drivers and converters are
// its methods too, each in a file of its own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/number_columns.h"
#include "core/values.h"
#include "exchange/exchange_settings.h"
#include "exchange/route_state.h"
#include "maps/exch_map.h"
#include "maps/map_use.h"
#include "setup/registry.h"

namespace zav {

class clsAdvanced;
class clsZAV;
class MeterRecordBuilder;
struct MeterIndexSpans;
class RouteIndexBuilder;
class WriteBehind;
struct RouteFieldIndex;
struct ZAVFieldIndex;

// One parsed route line: one typed value per map field, in map order (field number = index + 1).
using RouteFields = std::vector<Value>;

// What parsing a route line reads and changes besides its fields: the line's read-type letter (the raw
// "ReadType" source text, upper case) and the autonumber counter.
struct RouteLineState {
    std::string& readTypeLetter;
    std::int16_t& autoNumber;
};
// How a flat route line is read with a map, worked out once: for each map field read, where its text
// comes from and whether its value is kept. With `keep` (a field index) only that field's value is
// kept; the other fields are read only for what they raise or change (a number's overflow error, the
// autonumber counter, the read-type letter) and the rest are passed over. REQUIRES: `map` outlives the
// plan and its fields stay as they are.
class RouteLinePlan {
  public:
    explicit RouteLinePlan(const clsExchMap& map, int keep = -1);

    struct Step {
        // How the field's text is kept: a text right-trimmed or trimmed both sides (a text of a fixed
        // layout), a number of the field's type, or (a field not kept) a number read only for its
        // overflow error, or nothing.
        enum Store : std::uint8_t { kText, kTrimmedText, kInteger, kLong, kReal, kCheckNumber, kNothing };
        const MapField* field = nullptr;
        std::uint32_t index = 0;      // in the map's fields (and the parsed line)
        std::int32_t source = 0;      // its MapOption when mapped, else kDoNotMap
        std::int32_t dataType = 0;
        std::int16_t position = 0;    // its column (fixed: its first character, from 1)
        std::int16_t width = 0;       // fixed: its characters
        Store store = kNothing;
        bool readType = false;        // its source text is the read-type letter
        bool plainColumns = false;    // a number whose columns NumberColumns() checks
        bool constant = false;        // the same value every line: a constant, a prompt, not mapped
    };
    const clsExchMap& Map() const { return *map_; }
    // The steps of a line, all of them with StepsFor(false, false). For a line whose number columns are
    // plain, the steps of numbers read only for their overflow are left out (they have none); into fields
    // that hold the constant values already (a line this plan parsed into them before), the steps of
    // constant values are left out.
    const std::vector<Step>& StepsFor(bool plain, bool constantsHeld) const {
        return stepLists_[(plain ? 1 : 0) + (constantsHeld ? 2 : 0)];
    }
    std::size_t FieldCount() const { return fieldCount_; }
    bool FixedLayout() const { return fixedLayout_; }
    // The last delimited column a field is read from (0 when none).
    std::int32_t MaxColumn() const { return maxColumn_; }
    // Fixed layouts: the columns of the number fields read from the source. On a line where they are
    // Plain, those numbers cannot overflow and are their digits.
    const NumberColumns& PlainNumberColumns() const { return numberColumns_; }

  private:
    const clsExchMap* map_;
    std::vector<Step> stepLists_[4];  // StepsFor(plain, constantsHeld), index plain + 2 * constantsHeld
    std::size_t fieldCount_ = 0;
    bool fixedLayout_ = false;
    std::int32_t maxColumn_ = 0;
    NumberColumns numberColumns_;
};

// Fills `out` from one line of a flat route file as the plan's map lays it out
// (clsExchange::ParseRouteFields); false when the map is neither fixed nor delimited. Fields the plan
// does not keep are left as they are. With `constantsHeld`, `out` holds the fields of a line this plan
// parsed before without an error: the fields whose value is the same every line are left as they are.
// Safe on any thread while nothing changes the map or the prompted values. THROWS RuntimeError as
// ParseRouteFields.
bool ParseRouteLine(const RouteLinePlan& plan, RouteLineState state, std::string_view line, RouteFields& out,
                    bool constantsHeld = false);

class clsExchange : public ExchangeSettings {
  public:
    explicit clsExchange(RegistryStore& store);
    ~clsExchange();

    // The value `name` of the settings key `section` as text; `defaultValue` when missing or empty.
    std::string GetParm(const std::string& section, const std::string& name, const std::string& defaultValue);
    // Writes the value, creating missing keys; true when it was written.
    bool SaveParm(const std::string& section, const std::string& name, const std::string& value);

    // Reads every setting with its default. A stored number outside the 16-bit range reads as the
    // default rather than stopping the program.
    void LoadSettings();
    // Writes every setting in the fixed order (which fixes their listing order in the store and in
    // distribution files). Writes the remaining values after a failure, reports the failure through
    // a message and returns false.
    bool SaveSettings();

    // Lookups by map-use code; empty for an unknown code.
    static std::string MapExtension(int use);
    static std::string DefaultFileExtension(int use);
    static std::string TypeDescr(int use);
    // The one check of a loaded map's layout before a conversion runs: route and reading maps may be
    // Fixed, Delimited, MVRS or E5000, re-read and orphan maps Fixed or Delimited. Empty when `map` may
    // be used for `use`, else the "Error: " line that refuses it, naming the map's type.
    static std::string MapTypeRefusal(const clsExchMap& map, int use);

    // The program's folder: conversion maps are loaded from here.
    std::filesystem::path HomeFolder;

    // Conversion state shared by the route parsers and the converters that use them.
    clsExchMap ExchMap;           // the current map, loaded by the running conversion
    std::string ReadTypeLetter;   // the raw "ReadType" source text of the last parsed line, upper case
    std::int16_t AutoNumber = 0;  // the autonumber counter; converters reset it before their main pass

    // Parses one route line with the current map: type 1 (fixed) or 2 (delimited); no record for any
    // other type. The record holds one typed value per map field, in map order, keyed by field name.
    // THROWS RuntimeError: 457 when a field name occurs twice in the map, 6 when a number does not fit
    // its field's type or the autonumber counter passes 32767.
    std::optional<Values> ParseRoute(std::string_view line);
    Values ParseRouteFixed(std::string_view line);
    Values ParseRouteDelimited(std::string_view line);
    // The same values by position, into `out` (its storage is reused from line to line); false (and
    // `out` untouched) for a map type other than 1 and 2. Field names are not checked for duplicates.
    // With `onlyText` (a field index) the other fields are left as they are: a pass that needs one
    // value still reads every number, for the overflow errors they raise, and counts the autonumber.
    // (A conversion reads its lines with a RouteLinePlan of its own, made once.)
    bool ParseRouteFields(std::string_view line, RouteFields& out, int onlyText = -1);
    // The ZAV schema version a program of version major.minor writes: 1.2 -> 1, 1.3 -> 2, 1.4 to 1.6
    // and 3.0 -> 3. Any other pair shows "Contact Support - ..." and gives 0.
    static std::int16_t LookupFileVersion(std::int16_t major, std::int16_t minor);

    // The program's shared advanced options store (created and loaded on first use).
    clsAdvanced& Advanced();

    // ---- Route conversion state: reset by the route driver, filled by the route converters ----
    std::unique_ptr<clsZAV> RouteZAV;     // the route database being written
    bool CreateIndexes = true;            // whether index records are written
    std::int16_t IndexRecordCounter = 0;  // meter position handed to the index step
    ConversionState State;                // routes, tags, counters and flags (route_state.h)

    // Converts RouteSource into the route database RouteDestination with the map RouteMap: checks the
    // settings, asks what it must (overwrite, prompted fields, indexes), runs the converter of the map's
    // type, appends the index end and the configuration records, logs the outcome and, when set up,
    // schedules the database for a unit. True when a usable database was written. Never throws.
    bool ConvertRoute();
    // The converter of flat route files (map types 1 and 2), on the state the driver prepared. True when
    // the whole source was converted without problems. THROWS RuntimeError (overflows, write failures).
    bool ConvertRouteFlat();
    // Checks one parsed line: 0 accepted, 1 accepted with messages (logged), 3 the conversion must stop.
    // REQUIRES: ResolveRouteFields() since the current map was loaded.
    std::int16_t ValidateRoute(const RouteFields& rec);
    std::int16_t ValidateRoute(const Values& rec);  // a record of ParseRoute, in map order
    // Validates a parsed route line and notes the result in the conversion state: 1 sets the warnings
    // flag, 2 the problems flag. False for 3, which ends the conversion (the validation logged why).
    bool ValidateRouteLine(const RouteFields& rec);
    // Finds the fields a route converter reads in the current map, once per conversion.
    // THROWS RuntimeError(457) when a field name occurs twice, 5 when one of them is missing.
    void ResolveRouteFields();
    // The fields found by ResolveRouteFields.
    const RouteFieldIndex& RouteFieldsOfMap() const { return *routeFields_; }
    // The paths of the settings: stored relative paths resolve against the home folder.
    std::filesystem::path SettingPath(const std::string& setting) const;

    // The index step, once per meter written: collects the meter's search keys (owner and address
    // words, tag, serial number, account) under its route ordinal; when the route ordinal changes,
    // writes the previous route's index records (when CreateIndexes is set). The end marker (route
    // ordinal 0, position 0, empty texts) writes the last route's records and discards the collectors.
    void IndexStep(std::int16_t routeOrdinal, std::int16_t position, std::string_view tag, std::string_view serial,
                   std::string_view billingName, std::string_view address, std::string_view account);
    // Appends the configuration records from the advanced options store to RouteZAV, in the order
    // logins, skips, changeouts, alerts.
    void WriteConfigurationRecords();

    // ---- Reading conversion (readings database -> upload, orphan and re-read files) ----
    // The whole convert-readings run: checks the settings, reads the file version, loads the reading
    // map, runs the converter for its type, then the orphan and automatic re-read steps.
    bool ConvertReading();
    // The flat upload file from the readings database, read with schema `FileVersion`. True when it ran
    // to the end. THROWS RuntimeError when a file cannot be opened or written or the database is damaged.
    bool ConvertReadingFlat(std::int32_t FileVersion);
    // The orphan readings (records of type 3) appended to, or replacing, the orphan file.
    // THROWS RuntimeError as ConvertReadingFlat.
    bool ConvertOrphanFlat(std::int32_t FileVersion);
    // Copies every meter whose reading is missing or out of range, with its route, from `readings` into
    // a new database `destination` of the same container and version; returns the number of meters
    // copied. No file is created when there are none. THROWS RuntimeError when a meter names a route
    // the database does not have or the file cannot be written.
    std::int32_t BuildExceptionReRead(clsZAV& readings, const std::filesystem::path& destination);
    // One output line for the current map (which says fixed or delimited), defaults reported while
    // FirstRecord is set.
    std::string AssembleFixed(const Values& InValues);
    std::string AssembleDelimited(const Values& InValues);

    // A flat re-read list from the host (ReReadSource, map ReReadMap) into the re-read database
    // ReReadDestination: every meter on one route "REREAD", validated and written as the route
    // conversion does, without index or configuration records. True when a usable database was written.
    bool ConvertReRead();

    // Step 15 of ConvertReading: the re-read database of the exceptions, with its questions and notices.
    // False when it was declined or failed.
    bool WriteExceptionReRead();

    // The first two outputs of the reading run (upload file, and orphan file and re-read database when
    // set up) that name one file, as the "Error: " line that refuses them; empty when there are none.
    std::string OutputCollision() const;

    std::int32_t FileVersion = 0;        // the readings database's schema version
    std::unique_ptr<clsZAV> ReadingZAV;  // the readings database, opened by the format converter
    bool FirstRecord = false;            // until the reading converter's first meter record is done

    // ---- Pieces every route converter uses ----
    // The duplicate meter-tag check: true (and both log lines, the second naming the meter's address
    // and billing name) when `tag` was met before in this conversion.
    bool DuplicateTag(std::string_view tag, std::string_view address, std::string_view billingName,
                      std::int32_t lineNumber);
    // Creates RouteDestination through RouteZAV with room for `presize` records, as a Palm database file
    // when RouteZAVType is exactly "PRC" or "PDB", else as a VFS stream. False (after "Error: Could not
    // Create Route ZAV File", and with no file left behind) when it cannot be created.
    bool CreateRouteZAV(std::int32_t presize);
    // Where the meter record's fields sit in RouteZAV's schema. REQUIRES: CreateRouteZAV succeeded.
    const ZAVFieldIndex& RouteZAVFields() const { return *zavFields_; }
    // Appends a meter record to RouteZAV (through the write-behind worker while one runs).
    void AppendMeterRecord(std::string_view record);
    // Appends a meter record laid by `layout` and runs its index step with the texts the record holds
    // where `spans` (the record's IndexSpans) says (through the write-behind worker while one runs;
    // `layout` outlives it). `tag`, when given, is the index step's meter tag instead of the record's.
    void AppendIndexedMeter(std::string_view record, const MeterIndexSpans& spans, const MeterRecordBuilder& layout,
                            std::int16_t routeOrdinal, std::int16_t position,
                            std::optional<std::string_view> tag = std::nullopt);

  protected:
    RegistryStore& store_;
    clsRegistry registry_;
    std::unique_ptr<RouteIndexBuilder> indexBuilder_;
    std::unique_ptr<RouteFieldIndex> routeFields_;
    std::unique_ptr<ZAVFieldIndex> zavFields_;
    WriteBehind* writeBehind_ = nullptr;  // the worker that appends records and runs the index step, while one runs
    std::string tagText_;                 // the meter tag of a validated line that is no text, as text

  private:
    friend class WriteBehind;
    // Logs one validation message while fewer than 50 were logged; the 51st logs the two limit lines.
    // Returns the validation result the message gives (1, or 3 at the limit), or 0 past it.
    std::int16_t ReportValidation(const std::string& message);
    // Whether index records are built, by the advanced options' IndexControl: 0 no, 1 yes, 2 the
    // "Index Control" question; any other value leaves CreateIndexes as it is.
    void SettleIndexControl();
    // ConvertReRead's checks and questions (steps 1 to 6); false when one of them ends the conversion.
    bool PrepareReRead();
    // ConvertReRead's conversion of the list after the checks.
    bool ConvertReReadList();
    // The first pass of ConvertRouteFlat: State.Routes and their meter counts, the lines and the meters
    // announced in the header, and the progress blocks of the file. THROWS as parsing a line does.
    void CountRouteLines(const std::filesystem::path& sourcePath, std::int32_t& totalLines,
                         std::int16_t& announcedMeters, long& blocks);
    // The route driver's steps before the converter runs; false when one of them ends the conversion.
    bool PrepareRouteConversion();
    // The converter of the map's type (flat, MVRS or E5000).
    bool DispatchRouteConverter();
    // Step after the converter: the database complete, its meters counted, automatic installation.
    bool FinishRouteDatabase(bool converted);
    // A route database this run created and a run-time error cut off is removed, so no partial file
    // stays at the destination after "Route ZAV File NOT created".
    void DiscardRouteZAV();
};

}  // namespace zav
