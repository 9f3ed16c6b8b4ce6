#include "exchange/route_meter.h"

#include "advanced/advanced.h"
#include "core/number.h"
#include "maps/map_date.h"
#include "zav/zav.h"

namespace zav {

namespace {

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

MeterRecordWriter::MeterRecordWriter(clsZAV& database, const RouteFieldIndex& fields, const clsAdvanced& advanced)
    : database_(database),
      at_(fields),
      advanced_(advanced),
      z_(ZAVFieldIndex::Resolve(database)),
      texts_(static_cast<std::size_t>(database.DB().TextCount())) {}

std::string& MeterRecordWriter::Text(int field) {
    return texts_.at(static_cast<std::size_t>(database_.DB().FieldAt(field).position - 1));
}

// The texts are set by schema field and written after the fixed area in one pass: the bytes SetString
// would give text by text (zero bytes dropped), without rescanning the record for each.
void MeterRecordWriter::SetText(int field, const Value& value) {
    if (field == 0) return;
    std::string& text = Text(field);
    if (const auto* s = std::get_if<std::string>(&value))
        text.assign(*s);
    else
        text = ValueText(value);
    if (text.find('\0') != std::string::npos) std::erase(text, '\0');
}

void MeterRecordWriter::Write(const RouteFields& rec, std::int16_t ordinal, std::int16_t readType) {
    clsPalmDB& db = database_.DB();
    // A field the schema's version lacks (position 0) is left out.
    auto set = [&db](int position, const Value& value) {
        if (position != 0) db.SetItem(position, value);
    };
    const RouteFieldIndex& at = at_;
    const ZAVFieldIndex& z = z_;
    database_.AddNew();
    set(z.RecType, std::int32_t{kRecMeter});
    set(z.RouteNbr, std::int32_t{ordinal});
    set(z.Sequence, rec[at.Sequence]);
    set(z.MeterTagNbr, rec[at.MeterTagNbr]);
    set(z.MeterType, MeterTypeValue(rec[at.MeterType]));
    set(z.Digits, rec[at.Digits]);
    set(z.Decimals, rec[at.Decimals]);
    set(z.PrvReading, rec[at.PrvReading]);
    set(z.MaxReading, rec[at.MaxReading]);
    set(z.MinReading, rec[at.MinReading]);
    set(z.ReadType, readType != 0 ? Value(std::int32_t{readType}) : Value(ValueNumber(rec[at.ReadType])));
    set(z.LstReadingDate, LastReadingDateValue(rec[at.LstReadingDate], at.LstReadingDateFormat));
    set(z.UtilityCode, rec[at.UtilityCode]);
    set(z.Lat, rec[at.Lat]);
    set(z.Lng, rec[at.Lng]);
    set(z.ScaleFactor, rec[at.ScaleFactor]);
    set(z.InitReading, rec[at.InitReading]);
    set(z.InitPulseCount, rec[at.InitPulseCount]);
    set(z.InitTamperCount, rec[at.InitTamperCount]);
    for (std::string& text : texts_) text.clear();
    SetText(z.Message, advanced_.LookupMessage(ValueText(rec[at.Message]), ValueText(rec[at.RouteNbr]),
                                               ValueText(rec[at.ServiceUniqueID]), ValueText(rec[at.MeterSerialNbr]),
                                               ValueText(rec[at.MeterTagNbr])));
    SetText(z.ServiceAddress, rec[at.ServiceAddress]);
    SetText(z.BillingName, rec[at.BillingName]);
    SetText(z.ServiceUniqueID, rec[at.ServiceUniqueID]);
    SetText(z.MeterSerialNbr, rec[at.MeterSerialNbr]);
    for (int u = 0; u < 5; ++u) SetText(z.User[u], rec[at.User[u]]);
    record_.assign(db.RawData(), 0, static_cast<std::size_t>(db.FixedSize()));
    for (const std::string& text : texts_) {
        record_ += text;
        record_ += '\0';
    }
    db.SetRawData(record_);
    database_.WriteData();
}

std::string MeterRecordWriter::StoredTag() const {
    return z_.MeterTagNbr == 0 ? std::string() : ValueText(database_.DB().Item(z_.MeterTagNbr));
}

const std::string& MeterRecordWriter::Stored(StoredText which) const {
    static const std::string kNone;
    int field = 0;
    switch (which) {
        case kSerial:
            field = z_.MeterSerialNbr;
            break;
        case kBillingName:
            field = z_.BillingName;
            break;
        case kAddress:
            field = z_.ServiceAddress;
            break;
        case kAccount:
            field = z_.ServiceUniqueID;
            break;
    }
    if (field == 0) return kNone;
    return texts_.at(static_cast<std::size_t>(database_.DB().FieldAt(field).position - 1));
}

}  // namespace zav
