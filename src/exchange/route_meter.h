// The meter record of a route database, written from one parsed route line: the route and re-read
// conversions write their meters the same way.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/values.h"
#include "exchange/route_records.h"
#include "palmdb/palm_db.h"

namespace zav {

class clsAdvanced;
class clsPalmDB;
class clsZAV;

// One parsed route line, a value per map field in map order (clsExchange::ParseRouteFields).
using RouteFields = std::vector<Value>;

// The texts of a meter record the index step takes, as the record holds them.
struct MeterIndexTexts {
    std::string_view tag;  // the meter tag as text
    std::string_view serial;
    std::string_view billingName;
    std::string_view address;
    std::string_view account;
};

// Where the index step's texts lie in a laid meter record (MeterIndexTexts order): offsets and lengths,
// a length 0 for a text the schema lacks.
struct MeterIndexSpans {
    std::uint32_t at[5] = {};
    std::uint32_t size[5] = {};
};

// A meter record built in one pass: numbers go into the fixed area as they are set, texts are kept by
// field and laid after the fixed area once, when the record is written (the bytes field-by-field
// SetItem calls would give, zero bytes dropped, without rescanning the record for each text or going
// through the database's current record).
class MeterRecordBuilder {
  public:
    // Field positions are resolved in the schema of `database` (fields its version lacks are 0).
    explicit MeterRecordBuilder(clsZAV& database);

    const ZAVFieldIndex& Fields() const { return z_; }
    // A new record: the fixed area of zero bytes, every text empty.
    void Begin();
    // A number field (position 0: left out; a text field keeps no number). The value is stored as the
    // database stores it: its low 8, 16 or all 32 bits.
    void SetNumber(int field, std::int32_t value) {
        if (field >= 1 && static_cast<std::size_t>(field) <= slots_.size()) [[likely]]
            Store(slots_[static_cast<std::size_t>(field) - 1], value);
        else if (field != 0)
            NoField(field);
    }
    // The same for any value. THROWS RuntimeError(6) "Overflow in field <name>" when it does not fit.
    // (A number of a field the schema has, a whole double within 32 bits among them, is stored here;
    // the rest the general way.)
    void SetNumber(int field, const Value& value) {
        if (field >= 1 && static_cast<std::size_t>(field) <= slots_.size()) [[likely]] {
            const Slot& slot = slots_[static_cast<std::size_t>(field) - 1];
            if (const auto* d = std::get_if<double>(&value);
                d != nullptr && *d >= -2147483648.0 && *d <= 2147483647.0 && *d == static_cast<std::int32_t>(*d))
                return Store(slot, static_cast<std::int32_t>(*d));
            if (const auto* n = std::get_if<std::int32_t>(&value)) return Store(slot, *n);
            if (const auto* n = std::get_if<std::int16_t>(&value)) return Store(slot, *n);
        }
        SetAnyNumber(field, value);
    }
    // A number field by name; a name the schema lacks shows "<name> not valid field in Record".
    void SetNumber(std::string_view name, std::int32_t value);
    // A text field (position 0: left out), its text copied.
    void SetText(int field, std::string_view text);
    void SetText(int field, const std::string& text) { SetText(field, std::string_view(text)); }
    // The same without a copy: REQUIRES `text` (or the text `value` holds) to stay as it is until Lay.
    // A value that is no text is copied as its text.
    void SetTextView(int field, std::string_view text) {
        if (field != 0) texts_.at(TextOrdinal(field)) = text;
    }
    void SetTextView(int field, const std::string& text) { SetTextView(field, std::string_view(text)); }
    void SetTextView(int field, const Value& value);
    // Lays the texts after the fixed area, their zero bytes dropped: the record's bytes, until the next
    // Begin.
    std::string_view Lay();
    // Where the index step's texts lie in the record laid last (until the next Begin).
    MeterIndexSpans IndexSpans() const;
    // The index step's texts of `record`, a record this builder laid with its IndexSpans `spans`, as the
    // database reads them back: views into it or, for a tag that is a number, into `tagText` ("" for a
    // field the schema lacks); `tag`, when given, instead of the record's. Safe on any thread while the
    // builder lives: it reads only the layout.
    MeterIndexTexts IndexTexts(std::string_view record, const MeterIndexSpans& spans,
                               std::optional<std::string_view> tag, std::string& tagText) const;

  private:
    struct Slot {
        std::int32_t type;      // PalmFieldType
        std::int32_t position;  // numbers: byte offset; texts: ordinal from 1
    };
    // The slot of schema field `field`, or nullptr (after showing "<field> not valid field in Record")
    // for a position the schema lacks.
    const Slot* SlotOf(int field) const;
    // The index in texts_ of text field `field` (from 1). THROWS std::out_of_range for a field the
    // schema lacks.
    std::size_t TextOrdinal(int field) const {
        return static_cast<std::size_t>(slots_.at(static_cast<std::size_t>(field) - 1).position - 1);
    }
    [[gnu::cold]] static void NoField(int field);
    // SetNumber of any value the general way.
    void SetAnyNumber(int field, const Value& value);
    void Store(const Slot& slot, std::int32_t value) {
        const auto v = static_cast<std::uint32_t>(value);
        char* at = record_.data() + slot.position;
        switch (slot.type) {
            case kFieldInt8:
                at[0] = static_cast<char>(v & 0xFF);
                break;
            case kFieldInt16:
                at[0] = static_cast<char>((v >> 8) & 0xFF);
                at[1] = static_cast<char>(v & 0xFF);
                break;
            case kFieldInt32:
                at[0] = static_cast<char>(v >> 24);
                at[1] = static_cast<char>((v >> 16) & 0xFF);
                at[2] = static_cast<char>((v >> 8) & 0xFF);
                at[3] = static_cast<char>(v & 0xFF);
                break;
            default:
                break;  // texts are set by SetText; other types hold nothing
        }
    }

    clsZAV& database_;
    ZAVFieldIndex z_;
    std::vector<Slot> slots_;         // by schema field index from 1
    std::vector<std::string_view> texts_;  // the record's texts by ordinal (until Lay)
    std::vector<std::string> owned_;        // by ordinal: the copies of texts SetText keeps
    std::vector<std::uint32_t> laid_;       // by ordinal: the texts' sizes as Lay laid them
    std::size_t fixedSize_ = 0;
    std::string record_;
    std::string scratch_;
    // The index step's texts: by text ordinal, a bit per MeterIndexTexts member (tag, serial, name,
    // address, account) it holds; up to the last one wanted.
    std::vector<std::uint8_t> indexTextsAt_;
    bool tagIsNumber_ = false;  // the tag field is no text: its number as text
    Slot tagNumber_{0, 0};      // its slot then
};

class MeterRecordWriter {
  public:
    // Field positions are resolved here, once: `fields` in the parsed lines, the meter fields in the
    // schema of `database` (fields its version lacks are left out).
    MeterRecordWriter(clsZAV& database, const RouteFieldIndex& fields, const clsAdvanced& advanced);

    // Appends the meter record of `rec`: route ordinal `ordinal`; ReadType `readType` (from the line's
    // read-type letter) or, when that is 0, the number mapped; MeterType as a letter's character code;
    // LstReadingDate read in its map format; Message from the advanced options' LookupMessage; the
    // other fields as parsed. THROWS RuntimeError when a value does not fit its field.
    void Write(const RouteFields& rec, std::int16_t ordinal, std::int16_t readType);
    // The same record's bytes, not appended (valid until the next Build or Write).
    std::string_view Build(const RouteFields& rec, std::int16_t ordinal, std::int16_t readType);

    // The builder of the records (their layout).
    const MeterRecordBuilder& Builder() const { return record_; }

  private:
    clsZAV& database_;
    const RouteFieldIndex& at_;
    const clsAdvanced& advanced_;
    MeterRecordBuilder record_;
    std::string scratch_[5];  // texts of values that are no text, for the message lookup
    std::string message_;     // the message looked up
};

}  // namespace zav
