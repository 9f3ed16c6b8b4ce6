// Reading the same fields of many records of one clsZAV: each name is found once in the schema the
// database was opened with, and a record's texts are found in one scan, only as far as the texts read,
// so that reading a field is a lookup by position instead of a search by name and a scan of the record
// per field. Texts are found as clsPalmDB::GetString finds them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "palmdb/byte_codec.h"
#include "zav/zav.h"

namespace zav {

class ZAVFieldReader {
  public:
    // Takes the schema as it stands: a reader is made after the version is set.
    explicit ZAVFieldReader(const clsZAV& db);

    // The field of `name` (any case), 0 when the schema has none.
    int Find(std::string_view name) const { return db_.FindItem(name); }
    // Takes the current record; call after each ReadData, before reading a text.
    void Load() {
        texts_.clear();
        next_ = static_cast<std::size_t>(db_.FixedSize());
        more_ = next_ <= db_.RawData().size();
    }

    // ValueText(db.Item(name)) of the field `field` found by Find: a text field's text (valid until the
    // next Load), a number in decimal (written into the storage of `scratch`), empty for field 0.
    std::string_view Text(int field, std::string& scratch) const;
    // A text field's text as a view (empty for field 0 and for a number field).
    std::string_view TextView(int field) const {
        const Slot& s = slots_[static_cast<std::size_t>(field)];
        if (s.type != kFieldText) return {};
        const auto ordinal = static_cast<std::size_t>(s.position);
        if (ordinal > texts_.size()) FindTexts(ordinal);
        return texts_[ordinal - 1];
    }
    // The field's value as a 32-bit number: a number field's value, a text field's through Val (0 when it
    // does not fit), 0 for field 0, as CLng(ValueNumber(db.Item(name))) with overflow read as 0.
    std::int32_t Long(int field) const {
        const Slot& s = slots_[static_cast<std::size_t>(field)];
        const std::string& record = db_.RawData();
        const auto at = static_cast<std::size_t>(s.position);
        switch (s.type) {
            case kFieldInt8:
                return at + 1 <= record.size() ? static_cast<unsigned char>(record[at]) : 0;
            case kFieldInt16:
                return at + 2 <= record.size() ? static_cast<std::int32_t>(GetBE16(record, at)) : 0;
            case kFieldInt32:
                return at + 4 <= record.size() ? static_cast<std::int32_t>(GetBE32(record, at)) : 0;
            case kFieldText:
                return TextLong(field);
            default:
                return 0;
        }
    }

  private:
    struct Slot {
        std::int32_t type = -1;     // the schema's field type; -1 for field 0 (none)
        std::int32_t position = 0;  // numbers: byte offset; texts: ordinal from 1
    };
    std::int32_t TextLong(int field) const;
    // Finds the record's texts up to the `ordinal`-th.
    void FindTexts(std::size_t ordinal) const;

    const clsPalmDB& db_;
    std::vector<Slot> slots_;  // by field index; 0 is no field
    // The current record's texts found so far, by ordinal from 0, and where the next one starts (none
    // when `more_` is false: every later text is empty).
    mutable std::vector<std::string_view> texts_;
    mutable std::size_t next_ = 0;
    mutable bool more_ = false;
};

}  // namespace zav
