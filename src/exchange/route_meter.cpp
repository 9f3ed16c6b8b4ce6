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

MeterRecordBuilder::MeterRecordBuilder(clsZAV& database)
    : database_(database),
      z_(ZAVFieldIndex::Resolve(database)),
      texts_(static_cast<std::size_t>(database.DB().TextCount())) {}

void MeterRecordBuilder::Begin() {
    database_.AddNew();
    for (std::string& text : texts_) text.clear();
}

void MeterRecordBuilder::SetNumber(int field, const Value& value) {
    if (field != 0) database_.DB().SetItem(field, value);
}

void MeterRecordBuilder::SetText(int field, std::string_view value) {
    if (field == 0) return;
    std::string& text = texts_.at(static_cast<std::size_t>(database_.DB().FieldAt(field).position - 1));
    text.assign(value);
    if (text.find('\0') != std::string::npos) std::erase(text, '\0');
}

void MeterRecordBuilder::SetText(int field, const Value& value) {
    if (const auto* s = std::get_if<std::string>(&value)) {
        SetText(field, std::string_view(*s));
    } else {
        scratch_ = ValueText(value);
        SetText(field, std::string_view(scratch_));
    }
}

const std::string& MeterRecordBuilder::Text(int field) const {
    static const std::string kNone;
    if (field == 0) return kNone;
    return texts_.at(static_cast<std::size_t>(database_.DB().FieldAt(field).position - 1));
}

void MeterRecordBuilder::Write() {
    clsPalmDB& db = database_.DB();
    record_.assign(db.RawData(), 0, static_cast<std::size_t>(db.FixedSize()));
    for (const std::string& text : texts_) {
        record_ += text;
        record_ += '\0';
    }
    db.SetRawData(record_);
    database_.WriteData();
}

MeterRecordWriter::MeterRecordWriter(clsZAV& database, const RouteFieldIndex& fields, const clsAdvanced& advanced)
    : database_(database), at_(fields), advanced_(advanced), record_(database) {}

void MeterRecordWriter::Write(const RouteFields& rec, std::int16_t ordinal, std::int16_t readType) {
    const RouteFieldIndex& at = at_;
    const ZAVFieldIndex& z = record_.Fields();
    MeterRecordBuilder& r = record_;
    r.Begin();
    r.SetNumber(z.RecType, std::int32_t{kRecMeter});
    r.SetNumber(z.RouteNbr, std::int32_t{ordinal});
    r.SetNumber(z.Sequence, rec[at.Sequence]);
    r.SetNumber(z.MeterTagNbr, rec[at.MeterTagNbr]);
    r.SetNumber(z.MeterType, MeterTypeValue(rec[at.MeterType]));
    r.SetNumber(z.Digits, rec[at.Digits]);
    r.SetNumber(z.Decimals, rec[at.Decimals]);
    r.SetNumber(z.PrvReading, rec[at.PrvReading]);
    r.SetNumber(z.MaxReading, rec[at.MaxReading]);
    r.SetNumber(z.MinReading, rec[at.MinReading]);
    r.SetNumber(z.ReadType, readType != 0 ? Value(std::int32_t{readType}) : Value(ValueNumber(rec[at.ReadType])));
    r.SetNumber(z.LstReadingDate, LastReadingDateValue(rec[at.LstReadingDate], at.LstReadingDateFormat));
    r.SetNumber(z.UtilityCode, rec[at.UtilityCode]);
    r.SetNumber(z.Lat, rec[at.Lat]);
    r.SetNumber(z.Lng, rec[at.Lng]);
    r.SetNumber(z.ScaleFactor, rec[at.ScaleFactor]);
    r.SetNumber(z.InitReading, rec[at.InitReading]);
    r.SetNumber(z.InitPulseCount, rec[at.InitPulseCount]);
    r.SetNumber(z.InitTamperCount, rec[at.InitTamperCount]);
    r.SetText(z.Message, advanced_.LookupMessage(ValueText(rec[at.Message]), ValueText(rec[at.RouteNbr]),
                                                 ValueText(rec[at.ServiceUniqueID]), ValueText(rec[at.MeterSerialNbr]),
                                                 ValueText(rec[at.MeterTagNbr])));
    r.SetText(z.ServiceAddress, rec[at.ServiceAddress]);
    r.SetText(z.BillingName, rec[at.BillingName]);
    r.SetText(z.ServiceUniqueID, rec[at.ServiceUniqueID]);
    r.SetText(z.MeterSerialNbr, rec[at.MeterSerialNbr]);
    for (int u = 0; u < 5; ++u) r.SetText(z.User[u], rec[at.User[u]]);
    r.Write();
}

std::string MeterRecordWriter::StoredTag() const {
    const int tag = record_.Fields().MeterTagNbr;
    return tag == 0 ? std::string() : ValueText(database_.DB().Item(tag));
}

const std::string& MeterRecordWriter::Stored(StoredText which) const {
    const ZAVFieldIndex& z = record_.Fields();
    switch (which) {
        case kSerial:
            return record_.Text(z.MeterSerialNbr);
        case kBillingName:
            return record_.Text(z.BillingName);
        case kAddress:
            return record_.Text(z.ServiceAddress);
        case kAccount:
            return record_.Text(z.ServiceUniqueID);
    }
    return record_.Text(0);
}

}  // namespace zav
