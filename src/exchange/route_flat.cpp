// ConvertRouteFlat: a flat route file (fixed-width or delimited) into the route database. The source
// is read twice: once to count the routes and lines (the database's record list is sized from it and
// the header and route records come first), then to validate and write every meter.
#include "advanced/advanced.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "core/number.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "exchange/route_records.h"
#include "maps/map_date.h"
#include "zav/zav.h"

namespace zav {

namespace {

constexpr long kProgressBlock = 128;

// The ZAV MeterType of the mapped text: a text from "A" on (by character code) is its first character's
// code ("W" is 87), anything else the number read from it.
Value MeterTypeValue(const Value& mapped) {
    const std::string text = ValueText(mapped);
    if (text.compare("A") >= 0) return std::int32_t{static_cast<unsigned char>(text[0])};
    return Val(text);
}

// The stored number of the last reading date: the date read in the field's format, 0 when blank or
// unreadable (the validation has said so). A field mapped as a number is stored as it is.
Value LastReadingDateValue(const Value& mapped, std::int32_t formatCode) {
    if (const auto* text = std::get_if<std::string>(&mapped)) return MapDateNumber(*text, formatCode).value_or(0);
    return mapped;
}

}  // namespace

bool clsExchange::ConvertRouteFlat() {
    const std::filesystem::path sourcePath = SettingPath(RouteSource);
    ResolveRouteFields();
    const RouteFieldIndex& at = *routeFields_;
    RouteFields rec;

    // First pass: routes, their meter counts and the number of lines.
    std::int32_t totalLines = 0;
    std::int16_t announcedMeters = 0;
    long blocks = 0;
    {
        TextFileStream source(sourcePath);
        blocks = static_cast<long>((source.Size() + kProgressBlock - 1) / kProgressBlock);
        std::string line;
        while (source.ReadLine(line)) {
            SetProgressButton(3 * blocks, static_cast<long>(source.Position()) / kProgressBlock);
            ++State.InputLines;
            ParseRouteFields(line, rec, at.RouteNbr);
            State.Routes.CountMeter(State.Routes.AddRoute(ValueText(rec[at.RouteNbr])));
            ++totalLines;
            CountUp(announcedMeters);
        }
    }
    State.InputLines = 0;

    // The database, sized once from the first pass.
    const std::int32_t presize = State.Routes.Count() + totalLines + 2102;
    const int containerType = RouteZAVType == "PRC" || RouteZAVType == "PDB" ? kContainerPDB : kContainerVFS;
    const std::filesystem::path destination = SettingPath(RouteDestination);
    if (RouteZAV->CreateZAV(destination, containerType, presize) != 0) {
        AddLog("Error: Could not Create Route ZAV File");
        // What a creation that failed half-way left behind is no database (the driver removed or was
        // told of no older file there).
        std::error_code ec;
        if (std::filesystem::is_regular_file(destination, ec)) std::filesystem::remove(destination, ec);
        return false;
    }
    const std::time_t now = Now();
    WriteRouteHeader(*RouteZAV, State.Routes.Count(), announcedMeters, RouteSource,
                     LookupFileVersion(kVersionMajor, kVersionMinor), now);
    WriteRouteRecords(*RouteZAV, State.Routes);

    AutoNumber = 0;
    State.ValidationMessages = 0;
    const ZAVFieldIndex z = ZAVFieldIndex::Resolve(*RouteZAV);
    // Writes a field of the meter record; a field the schema's version lacks (position 0) is left out.
    struct {
        clsPalmDB& db;
        void SetItem(int position, const Value& value) {
            if (position != 0) db.SetItem(position, value);
        }
        Value Item(int position) const { return db.Item(position); }
    } db{RouteZAV->DB()};
    const clsAdvanced& advanced = Advanced();

    // Second pass: validate and write every meter, and hand it to the index step.
    TextFileStream source(sourcePath);
    std::string line;
    while (source.ReadLine(line)) {
        SetProgressButton(3 * blocks, blocks + static_cast<long>(source.Position()) / kProgressBlock);
        ++State.InputLines;
        ParseRouteFields(line, rec);
        switch (ValidateRoute(rec)) {
            case 1:
                State.Warnings = true;
                break;
            case 2:
                State.Problems = true;
                break;
            case 3:
                return false;
            default:
                break;
        }
        const std::string routeNbr = ValueText(rec[at.RouteNbr]);
        const std::int16_t ordinal = State.Routes.AddRoute(routeNbr);

        std::int16_t readType = ReadTypeOfLetter(ReadTypeLetter);
        RouteZAV->AddNew();
        db.SetItem(z.RecType, std::int32_t{kRecMeter});
        db.SetItem(z.RouteNbr, std::int32_t{ordinal});
        db.SetItem(z.Sequence, rec[at.Sequence]);
        db.SetItem(z.MeterTagNbr, rec[at.MeterTagNbr]);
        db.SetItem(z.MeterType, MeterTypeValue(rec[at.MeterType]));
        db.SetItem(z.Digits, rec[at.Digits]);
        db.SetItem(z.Decimals, rec[at.Decimals]);
        db.SetItem(z.PrvReading, rec[at.PrvReading]);
        db.SetItem(z.MaxReading, rec[at.MaxReading]);
        db.SetItem(z.MinReading, rec[at.MinReading]);
        db.SetItem(z.ReadType, readType != 0 ? Value(std::int32_t{readType}) : Value(ValueNumber(rec[at.ReadType])));
        db.SetItem(z.LstReadingDate, LastReadingDateValue(rec[at.LstReadingDate], at.LstReadingDateFormat));
        db.SetItem(z.UtilityCode, rec[at.UtilityCode]);
        db.SetItem(z.Lat, rec[at.Lat]);
        db.SetItem(z.Lng, rec[at.Lng]);
        db.SetItem(z.Message,
                   advanced.LookupMessage(ValueText(rec[at.Message]), routeNbr, ValueText(rec[at.ServiceUniqueID]),
                                          ValueText(rec[at.MeterSerialNbr]), ValueText(rec[at.MeterTagNbr])));
        db.SetItem(z.ServiceAddress, rec[at.ServiceAddress]);
        db.SetItem(z.BillingName, rec[at.BillingName]);
        db.SetItem(z.ServiceUniqueID, rec[at.ServiceUniqueID]);
        db.SetItem(z.MeterSerialNbr, rec[at.MeterSerialNbr]);
        db.SetItem(z.ScaleFactor, rec[at.ScaleFactor]);
        db.SetItem(z.InitReading, rec[at.InitReading]);
        db.SetItem(z.InitPulseCount, rec[at.InitPulseCount]);
        db.SetItem(z.InitTamperCount, rec[at.InitTamperCount]);
        for (int u = 0; u < 5; ++u) db.SetItem(z.User[u], rec[at.User[u]]);
        RouteZAV->WriteData();
        ++State.MetersWritten;

        // The index step takes the values as the record holds them (a missing tag arrives as "0").
        IndexStep(ordinal, IndexRecordCounter, ValueText(db.Item(z.MeterTagNbr)), ValueText(db.Item(z.MeterSerialNbr)),
                  ValueText(db.Item(z.BillingName)), ValueText(db.Item(z.ServiceAddress)),
                  ValueText(db.Item(z.ServiceUniqueID)));
        CountUp(IndexRecordCounter);
    }
    return !State.Problems;
}

}  // namespace zav
