// Reading the same fields of many records of one clsZAV: each name is found once in the schema the
// database was opened with, and each record's texts are found once (Load), so that reading a field is
// a lookup by position instead of a search by name and a scan of the record per field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "zav/zav.h"

namespace zav {

class ZAVFieldReader {
  public:
    explicit ZAVFieldReader(const clsZAV& db) : db_(db.DB()) {}

    // The field of `name` (any case), 0 when the schema has none; valid while the schema stays.
    int Find(std::string_view name) const { return db_.FindItem(name); }
    // Finds the current record's texts; call after each ReadData, before reading a text.
    void Load() { db_.TextSpans(texts_); }

    // ValueText(db.Item(name)) of the field `field` found by Find: a text field's text (valid until the
    // next Load), a number in decimal (written into `scratch`), empty for field 0.
    std::string_view Text(int field, std::string& scratch) const;
    // A text field's text as a view (empty for field 0). REQUIRES: a text field or 0.
    std::string_view TextView(int field) const;
    // The field's value as a 32-bit number: a number field's value, a text field's through Val (0 when it
    // does not fit), 0 for field 0, as CLng(ValueNumber(db.Item(name))) with overflow read as 0.
    std::int32_t Long(int field) const;

  private:
    const clsPalmDB& db_;
    std::vector<std::string_view> texts_;  // the current record's texts, by ordinal from 0
};

}  // namespace zav
