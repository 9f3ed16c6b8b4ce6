// clsExchange::ConvertReadingFlat: the meter records of a readings database as the lines of a flat
// upload file, laid out by the current (reading) map.
#include <cmath>

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

namespace zav {

namespace {

// The entries the converter itself reads, found by name once and then by their place: the records of
// one database share one key order.
class MeterEntries {
  public:
    enum Entry { kRouteNbr, kDigits, kDecimals, kCurReading, kReadType, kStatus, kResponseCode, kCount };

    Value* Find(Values& values, Entry e) {
        static constexpr const char* kNames[kCount] = {"RouteNbr", "Digits", "Decimals",    "CurReading",
                                                       "ReadType", "Status", "ResponseCode"};
        const char* name = kNames[e];
        std::ptrdiff_t& slot = slots_[e];
        if (slot >= 0 && static_cast<std::size_t>(slot) < values.Count()) {
            auto& entry = *(values.begin() + slot);
            if (entry.first == name || EqualsNoCase(entry.first, name)) return const_cast<Value*>(&entry.second);
        }
        std::ptrdiff_t k = 0;
        for (const auto& entry : values) {
            if (EqualsNoCase(entry.first, name)) {
                slot = k;
                return const_cast<Value*>(&entry.second);
            }
            ++k;
        }
        slot = -1;
        return nullptr;
    }
    std::int32_t Number(Values& values, Entry e) {
        const Value* v = Find(values, e);
        return v == nullptr ? 0 : static_cast<std::int32_t>(ValueNumber(*v));
    }

  private:
    std::ptrdiff_t slots_[kCount] = {-1, -1, -1, -1, -1, -1, -1};
};

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

// The values of a meter record that the conversion uses: the map's output fields and the converter's
// own, as GetValues gives them but without the rest of the record's fields. A field the database's
// schema lacks stays missing (and is defaulted when assembled).
class MeterValues {
  public:
    MeterValues(const clsZAV& db, const clsExchMap& map) {
        auto add = [&](const std::string& name) {
            const int index = db.DB().FindItem(name);
            if (index == 0) return;
            for (const auto& f : fields_)
                if (f.second == index) return;
            fields_.emplace_back(db.DB().FieldName(index), index);
        };
        for (const char* name : {"RouteNbr", "Digits", "Decimals", "CurReading", "ReadType", "Status", "ResponseCode"})
            add(name);
        for (const MapField& f : map.Fields())
            if (f.MapOption == kWriteToDestination) add(f.FieldName);
    }
    Values Read(const clsZAV& db) const {
        Values values;
        values.Reserve(fields_.size());
        for (const auto& [name, index] : fields_) values.Append(name, db.DB().Item(index));
        return values;
    }

  private:
    std::vector<std::pair<std::string, int>> fields_;  // name and schema position
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
    MeterEntries entries;
    const MeterValues meterValues(db, ExchMap);
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

        Values values = meterValues.Read(db);
        if (Value* route = entries.Find(values, MeterEntries::kRouteNbr))
            *route = routes.At(static_cast<std::int32_t>(ValueNumber(*route)), "a meter record");
        const std::int32_t digits = entries.Number(values, MeterEntries::kDigits);
        const std::int32_t decimals = entries.Number(values, MeterEntries::kDecimals);
        if (digits > 0 || decimals > 0) {
            if (Value* reading = entries.Find(values, MeterEntries::kCurReading))
                *reading = AdjustedReading(ValueNumber(*reading), digits, decimals);
        }
        if (Value* readType = entries.Find(values, MeterEntries::kReadType)) {
            switch (static_cast<std::int32_t>(ValueNumber(*readType))) {
                case 1:
                    *readType = std::string("R");
                    break;
                case 2:
                    *readType = std::string("M");
                    break;
                case 3:
                    *readType = std::string("P");
                    break;
                default:
                    break;
            }
        }
        const std::string& record = assembler.Assemble(values, FirstRecord);
        if (PassesFilter(filter, entries.Number(values, MeterEntries::kStatus),
                         entries.Number(values, MeterEntries::kResponseCode)))
            out.Write(record);
        FirstRecord = false;
    }
    // What could be read is written; a database that held more than was read makes the run fail.
    const bool whole = tally.Check(db);
    out.Close();
    return whole;
}

}  // namespace zav
