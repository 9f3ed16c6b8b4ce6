#include "exchange/route_meter.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>

#include "advanced/advanced.h"
#include "core/byte_scan.h"
#include "core/errors.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "core/number.h"
#include "palmdb/byte_codec.h"
#include "maps/map_date.h"
#include "zav/zav.h"

namespace zav {

namespace {

// The ZAV MeterType of the mapped text: a text from "A" on (by character code) is its first character's
// code ("W" is 87), anything else the number read from it.
Value MeterTypeValue(const Value& mapped) {
    if (const auto* text = std::get_if<std::string>(&mapped)) {
        if (text->compare("A") >= 0) return std::int32_t{static_cast<unsigned char>((*text)[0])};
        return Val(*text);
    }
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
      texts_(static_cast<std::size_t>(database.DB().TextCount())),
      owned_(texts_.size()),
      laid_(texts_.size()),
      fixedSize_(static_cast<std::size_t>(database.DB().FixedSize())) {
    const clsPalmDB& db = database.DB();
    slots_.reserve(static_cast<std::size_t>(db.FieldCount()));
    for (int i = 1; i <= db.FieldCount(); ++i) slots_.push_back({db.FieldAt(i).FieldType, db.FieldAt(i).position});
    record_.reserve(fixedSize_ + 256);
    const int indexFields[5] = {z_.MeterTagNbr, z_.MeterSerialNbr, z_.BillingName, z_.ServiceAddress,
                                z_.ServiceUniqueID};
    for (int i = 0; i < 5; ++i) {
        if (indexFields[i] == 0) continue;
        const Slot& slot = slots_.at(static_cast<std::size_t>(indexFields[i]) - 1);
        if (slot.type != kFieldText) {
            if (i == 0) {
                tagIsNumber_ = true;
                tagNumber_ = slot;
            }
            continue;
        }
        const auto ordinal = static_cast<std::size_t>(slot.position);
        if (indexTextsAt_.size() <= ordinal) indexTextsAt_.resize(ordinal + 1);
        indexTextsAt_[ordinal] |= static_cast<std::uint8_t>(1 << i);
    }
}

void MeterRecordBuilder::Begin() {
    record_.assign(fixedSize_, '\0');
    std::fill(texts_.begin(), texts_.end(), std::string_view());
}

const MeterRecordBuilder::Slot* MeterRecordBuilder::SlotOf(int field) const {
    if (field >= 1 && static_cast<std::size_t>(field) <= slots_.size()) [[likely]]
        return &slots_[static_cast<std::size_t>(field) - 1];
    NoField(field);
    return nullptr;
}

void MeterRecordBuilder::NoField(int field) {
    CurrentFrontend().ShowMessage(std::to_string(field) + " not valid field in Record", kAppTitle);
}

void MeterRecordBuilder::SetAnyNumber(int field, const Value& value) {
    if (field == 0) return;
    const Slot* slot = SlotOf(field);
    if (slot == nullptr) return;
    try {
        if (const auto* n = std::get_if<std::int32_t>(&value)) return Store(*slot, *n);
        if (const auto* n = std::get_if<std::int16_t>(&value)) return Store(*slot, *n);
        if (const auto* d = std::get_if<double>(&value)) return Store(*slot, CLng(*d));
        int size = 0;
        switch (slot->type) {
            case kFieldInt8:
                size = 1;
                break;
            case kFieldInt16:
                size = 2;
                break;
            case kFieldInt32:
                size = 4;
                break;
            default:
                return;
        }
        const auto bytes = ValueToBytes(value, size);
        std::memcpy(record_.data() + slot->position, bytes.data(), static_cast<std::size_t>(size));
    } catch (const RuntimeError& e) {
        // A value too large for its field says which field it was.
        if (e.Number() != kErrOverflow) throw;
        throw RuntimeError(kErrOverflow, "Overflow in field " + database_.DB().FieldName(field));
    }
}

void MeterRecordBuilder::SetNumber(std::string_view name, std::int32_t value) {
    const int field = database_.DB().FindItem(name);
    if (field == 0) {
        CurrentFrontend().ShowMessage(std::string(name) + " not valid field in Record", kAppTitle);
        return;
    }
    SetNumber(field, value);
}

void MeterRecordBuilder::SetText(int field, std::string_view value) {
    if (field == 0) return;
    const std::size_t ordinal = TextOrdinal(field);
    owned_[ordinal].assign(value);
    texts_[ordinal] = owned_[ordinal];
}

void MeterRecordBuilder::SetTextView(int field, const Value& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return SetTextView(field, std::string_view(*text));
    if (field != 0) SetText(field, ValueTextView(value, scratch_));
}

std::string_view MeterRecordBuilder::Lay() {
    std::size_t size = fixedSize_;
    for (const std::string_view text : texts_) size += text.size() + 1;
    record_.resize(size);
    char* at = record_.data() + fixedSize_;
    for (std::size_t ordinal = 0; ordinal < texts_.size(); ++ordinal) {
        const std::string_view text = texts_[ordinal];
        char* const start = at;
        if (text.empty()) {
        } else if (std::memchr(text.data(), '\0', text.size()) == nullptr) [[likely]] {
            CopyBytes(at, text.data(), text.size());
            at += text.size();
        } else {  // a zero byte would end the text: they are dropped
            for (const char c : text)
                if (c != '\0') *at++ = c;
        }
        laid_[ordinal] = static_cast<std::uint32_t>(at - start);
        *at++ = '\0';
    }
    record_.resize(static_cast<std::size_t>(at - record_.data()));
    return record_;
}

MeterIndexSpans MeterRecordBuilder::IndexSpans() const {
    // The texts follow the fixed area in ordinal order, each ended by a zero byte (a text holds none).
    MeterIndexSpans spans;
    std::size_t at = fixedSize_;
    for (std::size_t ordinal = 1; ordinal < indexTextsAt_.size(); ++ordinal) {
        const std::size_t size = laid_[ordinal - 1];
        for (unsigned wanted = indexTextsAt_[ordinal]; wanted != 0; wanted &= wanted - 1) {
            const int i = std::countr_zero(wanted);
            spans.at[i] = static_cast<std::uint32_t>(at);
            spans.size[i] = static_cast<std::uint32_t>(size);
        }
        at += size + 1;
    }
    return spans;
}

MeterIndexTexts MeterRecordBuilder::IndexTexts(std::string_view record, const MeterIndexSpans& spans,
                                               std::optional<std::string_view> tag, std::string& tagText) const {
    std::string_view found[5];
    for (int i = 0; i < 5; ++i) found[i] = record.substr(spans.at[i], spans.size[i]);
    if (tag) {
        found[0] = *tag;
    } else if (tagIsNumber_) {
        const int bytes = tagNumber_.type == kFieldInt8    ? 1
                          : tagNumber_.type == kFieldInt16 ? 2
                          : tagNumber_.type == kFieldInt32 ? 4
                                                           : 0;
        tagText.clear();
        if (bytes > 0) {
            char digits[12];
            const auto [end, ec] =
                std::to_chars(digits, digits + sizeof digits,
                              BytesToNumber(record, static_cast<std::size_t>(tagNumber_.position), bytes));
            tagText.assign(digits, end);
        }
        found[0] = tagText;
    }
    return {found[0], found[1], found[2], found[3], found[4]};
}

MeterRecordWriter::MeterRecordWriter(clsZAV& database, const RouteFieldIndex& fields, const clsAdvanced& advanced)
    : database_(database), at_(fields), advanced_(advanced), record_(database) {}

void MeterRecordWriter::Write(const RouteFields& rec, std::int16_t ordinal, std::int16_t readType) {
    database_.DB().WriteRaw(Build(rec, ordinal, readType));
}

std::string_view MeterRecordWriter::Build(const RouteFields& rec, std::int16_t ordinal, std::int16_t readType) {
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
    advanced_.LookupMessage(message_, ValueTextView(rec[at.Message], scratch_[0]),
                            ValueTextView(rec[at.RouteNbr], scratch_[1]),
                            ValueTextView(rec[at.ServiceUniqueID], scratch_[2]),
                            ValueTextView(rec[at.MeterSerialNbr], scratch_[3]),
                            ValueTextView(rec[at.MeterTagNbr], scratch_[4]));
    // The texts stay as they are until Lay: the message here, the others in `rec`.
    r.SetTextView(z.Message, message_);
    r.SetTextView(z.ServiceAddress, rec[at.ServiceAddress]);
    r.SetTextView(z.BillingName, rec[at.BillingName]);
    r.SetTextView(z.ServiceUniqueID, rec[at.ServiceUniqueID]);
    r.SetTextView(z.MeterSerialNbr, rec[at.MeterSerialNbr]);
    for (int u = 0; u < 5; ++u) r.SetTextView(z.User[u], rec[at.User[u]]);
    return r.Lay();
}

}  // namespace zav
