// clsExchange::ConvertReadingFlat: the meter records of a readings database as the lines of a flat
// upload file, laid out by the current (reading) map.
#include <charconv>
#include <cmath>
#include <optional>

#include "core/errors.h"
#include "core/file_writer.h"
#include "core/frontend.h"
#include "core/home.h"
#include "core/number.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "exchange/readings_tally.h"
#include "exchange/record_assembly.h"
#include "maps/exch_map.h"
#include "zav/zav.h"
#include "zav/zav_field_reader.h"

namespace zav {

namespace {

// The reading as the host counts it: without its decimal digits, and only the dial's last digits.
std::int32_t AdjustedReading(double reading, std::int32_t digits, std::int32_t decimals) {
    if (decimals > 0) reading = std::trunc(RoundHalfEven(reading) / RoundHalfEven(std::pow(10.0, decimals)));
    if (digits > 0) {
        const auto n = static_cast<long long>(reading);
        std::string text = std::to_string(n < 0 ? -n : n);
        if (text.size() < 8) text.insert(0, 8 - text.size(), '0');
        if (n < 0) text.insert(0, 1, '-');
        if (static_cast<std::size_t>(digits) < text.size()) text = text.substr(text.size() - digits);
        reading = Val(text);
    }
    return CLng(reading);
}

// The texts of a meter record for the map's output fields, read from the record by positions found once.
// The converter's own changes take the place of three fields' values: the route number becomes the
// host's route identifier, the reading loses its decimals and the digits past the dial, and the read
// types 1, 2 and 3 become R, M and P. A field the database's schema lacks stays missing (and is
// defaulted when assembled).
class MeterTexts {
  public:
    MeterTexts(const clsZAV& db, const clsExchMap& map) : read_(db) {
        for (const MapField& f : map.Fields())
            fields_.push_back(f.MapOption == kWriteToDestination ? read_.Find(f.FieldName) : 0);
    }

    // Takes the current meter record: THROWS RuntimeError as the route table does for a route the
    // database does not list, and for a reading that does not fit 32 bits once adjusted.
    void Take(ReadingsRoutes<std::string>& routes) {
        read_.Load();
        route_ = nullptr;
        if (routeNbr_ != 0) route_ = &routes.At(read_.Long(routeNbr_), "a meter record");
        const std::int32_t digits = read_.Long(digits_), decimals = read_.Long(decimals_);
        adjusted_ = (digits > 0 || decimals > 0) && curReading_ != 0;
        if (adjusted_) reading_ = AdjustedReading(read_.Long(curReading_), digits, decimals);
        switch (read_.Long(readType_)) {
            case 1:
                readLetter_ = "R";
                break;
            case 2:
                readLetter_ = "M";
                break;
            case 3:
                readLetter_ = "P";
                break;
            default:
                readLetter_ = {};
                break;
        }
    }
    std::int32_t Status() const { return read_.Long(status_); }
    std::int32_t ResponseCode() const { return read_.Long(responseCode_); }

    // The FieldTextSource of the record taken.
    static std::optional<std::string_view> Source(const void* context, std::size_t i, const MapField&,
                                                  std::string& scratch) {
        const MeterTexts& m = *static_cast<const MeterTexts*>(context);
        const int field = m.fields_[i];
        if (field == 0) return std::nullopt;
        if (field == m.routeNbr_) return *m.route_;
        if (field == m.curReading_ && m.adjusted_) {
            char digits[16];
            scratch.assign(digits, std::to_chars(digits, digits + sizeof digits, m.reading_).ptr);
            return scratch;
        }
        if (field == m.readType_ && !m.readLetter_.empty()) return m.readLetter_;
        return m.read_.Text(field, scratch);
    }

  private:
    ZAVFieldReader read_;
    std::vector<int> fields_;  // per map field: its field in the schema, 0 for none (or not written)
    const int routeNbr_ = read_.Find("RouteNbr"), digits_ = read_.Find("Digits"), decimals_ = read_.Find("Decimals"),
              curReading_ = read_.Find("CurReading"), readType_ = read_.Find("ReadType"),
              status_ = read_.Find("Status"), responseCode_ = read_.Find("ResponseCode");
    const std::string* route_ = nullptr;
    bool adjusted_ = false;
    std::int32_t reading_ = 0;
    std::string_view readLetter_;
};

bool PassesFilter(std::int32_t filter, std::int32_t status, std::int32_t responseCode) {
    switch (filter) {
        case 0:
            return true;
        case 1:
            return status > 0;
        case 2:
            return status > 0 || responseCode > 0;
        case 3:
            return status == 0;
        default:
            return false;
    }
}

}  // namespace

std::string clsExchange::AssembleFixed(const Values& InValues) {
    return zav::AssembleFixed(ExchMap, InValues, FirstRecord);
}

std::string clsExchange::AssembleDelimited(const Values& InValues) {
    return zav::AssembleDelimited(ExchMap, InValues, FirstRecord);
}

bool clsExchange::ConvertReadingFlat(std::int32_t fileVersion) {
    ReadingsRoutes<std::string> routes;  // the host route identifiers
    ReadingsTally tally;
    FileWriter out(SettingPath(ReadingDestination), FileWriter::Mode::Replace, ReadingDestination);

    ReadingZAV = std::make_unique<clsZAV>();
    ReadingZAV->SetVersion(fileVersion);
    if (ReadingZAV->OpenZAV(SettingPath(ReadingSource)))
        throw RuntimeError(kErrPathFileAccess, "Error: Could not read ZAV file " + ReadingSource);
    FirstRecord = true;

    clsZAV& db = *ReadingZAV;
    const std::int32_t filter = ExchMap.MapFilter();
    RecordAssembler assembler(ExchMap);
    MeterTexts meter(db, ExchMap);
    std::string record;
    while (db.ReadData()) {
        SetProgressButton(255, db.Position255());
        tally.Note(db);
        const std::int32_t recType = db.RecType();
        if (recType == kRecHeader) {
            routes.Announce(static_cast<std::int32_t>(ValueNumber(db.Item("RouteNbr"))));
            continue;
        }
        if (recType == kRecRoute || recType == kRecRouteReturned) {
            routes.At(static_cast<std::int32_t>(ValueNumber(db.Item("RouteNbr"))), "a route record") =
                ValueText(db.Item("Initials"));
            continue;
        }
        if (recType != kRecMeter) continue;

        meter.Take(routes);
        assembler.AssembleInto(record, MeterTexts::Source, &meter, FirstRecord);
        if (PassesFilter(filter, meter.Status(), meter.ResponseCode())) out.Write(record);
        FirstRecord = false;
    }
    // What could be read is written; a database that held more than was read makes the run fail.
    const bool whole = tally.Check(db);
    out.Close();
    return whole;
}

}  // namespace zav
