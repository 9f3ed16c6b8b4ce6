#include "zav/zav_field_reader.h"

#include <charconv>

#include "core/errors.h"
#include "core/number.h"

namespace zav {

ZAVFieldReader::ZAVFieldReader(const clsZAV& db) : db_(db.DB()) {
    slots_.resize(static_cast<std::size_t>(db_.FieldCount()) + 1);
    for (int i = 1; i <= db_.FieldCount(); ++i) {
        const clsPalmDB::Field& f = db_.FieldAt(i);
        slots_[static_cast<std::size_t>(i)] = {f.FieldType, f.position};
    }
}

std::string_view ZAVFieldReader::Text(int field, std::string& scratch) const {
    const Slot& s = slots_[static_cast<std::size_t>(field)];
    if (s.type == kFieldText) return TextView(field);
    if (s.type != kFieldInt8 && s.type != kFieldInt16 && s.type != kFieldInt32) return {};
    // The digits straight into the scratch text's storage, which stays large enough for any number.
    if (scratch.size() < 16) scratch.resize(16);
    char* digits = scratch.data();
    return {digits, static_cast<std::size_t>(std::to_chars(digits, digits + 16, Long(field)).ptr - digits)};
}

void ZAVFieldReader::FindTexts(std::size_t ordinal) const {
    const std::string_view record(db_.RawData());
    while (texts_.size() < ordinal) texts_.push_back(NextRecordText(record, next_, more_));
}

std::int32_t ZAVFieldReader::TextLong(int field) const {
    try {
        return CLng(Val(TextView(field)));
    } catch (const RuntimeError&) {
        return 0;
    }
}

}  // namespace zav
