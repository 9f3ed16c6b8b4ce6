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

// The texts of a meter record, set by schema field and written after the fixed area in one pass: the
// bytes SetString would give text by text (zero bytes dropped), without rescanning the record for each.
class MeterTexts {
  public:
    explicit MeterTexts(const clsPalmDB& db) : db_(db), texts_(static_cast<std::size_t>(db.TextCount())) {}

    // `field` is a schema position (0: not in this version's schema, nothing stored).
    void Set(int field, const Value& value) {
        if (field == 0) return;
        std::string& text = Slot(field);
        if (const auto* s = std::get_if<std::string>(&value))
            text.assign(*s);
        else
            text = ValueText(value);
        if (text.find('\0') != std::string::npos) std::erase(text, '\0');
    }
    // The text as the record holds it.
    const std::string& Get(int field) {
        static const std::string kNone;
        return field == 0 ? kNone : Slot(field);
    }
    // Every text empty, as a new record has them.
    void Clear() {
        for (std::string& text : texts_) text.clear();
    }
    // The record becomes its fixed area followed by the texts, each ended by one zero byte.
    void Store(clsPalmDB& db) {
        record_.assign(db.RawData(), 0, static_cast<std::size_t>(db_.FixedSize()));
        for (const std::string& text : texts_) {
            record_ += text;
            record_ += '\0';
        }
        db.SetRawData(record_);
    }

  private:
    std::string& Slot(int field) { return texts_.at(static_cast<std::size_t>(db_.FieldAt(field).position - 1)); }
    const clsPalmDB& db_;
    std::vector<std::string> texts_;
    std::string record_;
};

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
    if (!CreateRouteZAV(presize)) return false;
    const std::time_t now = Now();
    WriteRouteHeader(*RouteZAV, State.Routes.Count(), announcedMeters, RouteSource,
                     LookupFileVersion(kVersionMajor, kVersionMinor), now);
    WriteRouteRecords(*RouteZAV, State.Routes);

    AutoNumber = 0;
    State.ValidationMessages = 0;
    const ZAVFieldIndex& z = *zavFields_;
    // Writes a field of the meter record; a field the schema's version lacks (position 0) is left out.
    struct {
        clsPalmDB& db;
        void SetItem(int position, const Value& value) {
            if (position != 0) db.SetItem(position, value);
        }
        Value Item(int position) const { return db.Item(position); }
    } db{RouteZAV->DB()};
    const clsAdvanced& advanced = Advanced();
    MeterTexts texts(RouteZAV->DB());

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
        db.SetItem(z.ScaleFactor, rec[at.ScaleFactor]);
        db.SetItem(z.InitReading, rec[at.InitReading]);
        db.SetItem(z.InitPulseCount, rec[at.InitPulseCount]);
        db.SetItem(z.InitTamperCount, rec[at.InitTamperCount]);
        texts.Clear();
        texts.Set(z.Message,
                  advanced.LookupMessage(ValueText(rec[at.Message]), routeNbr, ValueText(rec[at.ServiceUniqueID]),
                                         ValueText(rec[at.MeterSerialNbr]), ValueText(rec[at.MeterTagNbr])));
        texts.Set(z.ServiceAddress, rec[at.ServiceAddress]);
        texts.Set(z.BillingName, rec[at.BillingName]);
        texts.Set(z.ServiceUniqueID, rec[at.ServiceUniqueID]);
        texts.Set(z.MeterSerialNbr, rec[at.MeterSerialNbr]);
        for (int u = 0; u < 5; ++u) texts.Set(z.User[u], rec[at.User[u]]);
        texts.Store(db.db);
        RouteZAV->WriteData();
        ++State.MetersWritten;

        // The index step takes the values as the record holds them (a missing tag arrives as "0").
        IndexStep(ordinal, IndexRecordCounter, ValueText(db.Item(z.MeterTagNbr)), texts.Get(z.MeterSerialNbr),
                  texts.Get(z.BillingName), texts.Get(z.ServiceAddress), texts.Get(z.ServiceUniqueID));
        CountUp(IndexRecordCounter);
    }
    return !State.Problems;
}

bool clsExchange::CreateRouteZAV(std::int32_t presize) {
    const int containerType = RouteZAVType == "PRC" || RouteZAVType == "PDB" ? kContainerPDB : kContainerVFS;
    const std::filesystem::path destination = SettingPath(RouteDestination);
    if (RouteZAV->CreateZAV(destination, containerType, presize) == 0) {
        zavFields_ = std::make_unique<ZAVFieldIndex>(ZAVFieldIndex::Resolve(*RouteZAV));
        return true;
    }
    AddLog("Error: Could not Create Route ZAV File");
    // What a creation that failed half-way left behind is no database (the driver removed or was told of
    // no older file there).
    std::error_code ec;
    if (std::filesystem::is_regular_file(destination, ec)) std::filesystem::remove(destination, ec);
    return false;
}

void clsExchange::IndexWrittenMeter(std::int16_t routeOrdinal) {
    // The index step takes the values as the record holds them (a missing tag arrives as "0").
    const clsPalmDB& db = RouteZAV->DB();
    const ZAVFieldIndex& z = *zavFields_;
    IndexStep(routeOrdinal, IndexRecordCounter, ValueText(db.Item(z.MeterTagNbr)), ValueText(db.Item(z.MeterSerialNbr)),
              ValueText(db.Item(z.BillingName)), ValueText(db.Item(z.ServiceAddress)),
              ValueText(db.Item(z.ServiceUniqueID)));
    CountUp(IndexRecordCounter);
}

}  // namespace zav
