// Reading the same fields of many records of one clsZAV: each name is found once in the schema the
// database was opened with, and each record's texts are found once (Load), so that reading a field is
// a lookup by position instead of a search by name and a scan of the record per field.
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
    // Finds the current record's texts; call after each ReadData, before reading a text.
    void Load() { db_.TextSpans(texts_); }

    // ValueText(db.Item(name)) of the field `field` found by Find: a text field's text (valid until the
    // next Load), a number in decimal (written into `scratch`), empty for field 0.
    std::string_view Text(int field, std::string& scratch) const;
    // A text field's text as a view (empty for field 0 and for a number field).
    std::string_view TextView(int field) const {
        const Slot& s = slots_[static_cast<std::size_t>(field)];
        return s.type == kFieldText && static_cast<std::size_t>(s.position) <= texts_.size()
                   ? texts_[static_cast<std::size_t>(s.position) - 1]
                   : std::string_view();
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

    const clsPalmDB& db_;
    std::vector<Slot> slots_;              // by field index; 0 is no field
    std::vector<std::string_view> texts_;  // the current record's texts, by ordinal from 0
};

}  // namespace zav
