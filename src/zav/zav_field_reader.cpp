#include "zav/zav_field_reader.h"

#include <charconv>

#include "core/errors.h"
#include "core/number.h"

namespace zav {

std::string_view ZAVFieldReader::TextView(int field) const {
    if (field == 0) return {};
    const clsPalmDB::Field& f = db_.FieldAt(field);
    const auto ordinal = static_cast<std::size_t>(f.position);
    return ordinal >= 1 && ordinal <= texts_.size() ? texts_[ordinal - 1] : std::string_view();
}

std::string_view ZAVFieldReader::Text(int field, std::string& scratch) const {
    if (field == 0) return {};
    const clsPalmDB::Field& f = db_.FieldAt(field);
    std::int32_t n = 0;
    switch (f.FieldType) {
        case kFieldText:
            return TextView(field);
        case kFieldInt8:
            n = db_.GetInt8(f.position);
            break;
        case kFieldInt16:
            n = db_.GetInt16(f.position);
            break;
        case kFieldInt32:
            n = db_.GetInt32(f.position);
            break;
        default:
            return {};
    }
    char digits[16];
    scratch.assign(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
    return scratch;
}

std::int32_t ZAVFieldReader::Long(int field) const {
    if (field == 0) return 0;
    const clsPalmDB::Field& f = db_.FieldAt(field);
    switch (f.FieldType) {
        case kFieldText:
            try {
                return CLng(Val(TextView(field)));
            } catch (const RuntimeError&) {
                return 0;
            }
        case kFieldInt8:
            return db_.GetInt8(f.position);
        case kFieldInt16:
            return db_.GetInt16(f.position);
        case kFieldInt32:
            return db_.GetInt32(f.position);
        default:
            return 0;
    }
}

}  // namespace zav
