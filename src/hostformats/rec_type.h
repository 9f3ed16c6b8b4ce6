// The fixed-layout record engine of the host formats. A record type is its identifier plus an ordered
// list of typed fields at character positions; a line can be tested against the type, parsed into
// named values, or assembled from named values into an output line. Converters talk to records by
// field name; one that fills the same record type line after line resolves each name to its position
// once (FieldIndex) and sets values by position.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/name_cache.h"
#include "core/number_columns.h"
#include "core/values.h"

namespace zav {

// Field type codes.
enum HostFieldType : std::int16_t {
    kHostInteger = 2,      // 16-bit integer
    kHostLong = 3,         // 32-bit integer
    kHostSingle = 4,       // 32-bit real
    kHostDouble = 5,       // 64-bit real
    kHostDate = 7,         // date (serial days, see date_serial.h)
    kHostText = 8,         // text, trailing blanks kept
    kHostStamp = -1,       // yyyymmddhhnnss date and time
    kHostMoney = -2,       // two-decimal number
    kHostZeroPadded = -3,  // zero-padded whole number, read as a 32-bit integer
    kHostTime = -4,        // time of day, hhnn or hhnnss
};

class clsField {
  public:
    std::string FieldName;
    std::int16_t FieldPos = 0;  // first character, from 1
    std::int16_t FieldType = kHostText;
    std::int16_t FieldLen = 0;

    // The field's value read from a line; a conversion that fails gives the type's default (never an
    // error). Dates and times are serial numbers (double); an empty value where the type has no default.
    // `tooLarge`, when given, is set when the field held a number too large for its kind (which reads as 0).
    zav::Value Extract(std::string_view buffer, bool* tooLarge = nullptr) const;
    // Writes `value` into `buffer` (padding it with blanks to reach the field). Returns false when a
    // number needed more characters than the field has, so its leading characters were kept.
    // THROWS RuntimeError when the value cannot be formatted (e.g. overflow reading a text as a number).
    bool Insert(std::string& buffer, const zav::Value& value) const;
};

class clsRecType {
  public:
    std::int16_t RIPos = 1;
    std::int16_t RILen = 0;
    std::string RIValue;
    std::string cvarBuffer;  // the line last given to Parse

    void SetID(std::int16_t position, std::int16_t length, std::string value);
    // Appends a field; position 0 means directly after the previous fields.
    void AddField(std::string fieldName, std::int16_t fieldType, std::int16_t fieldPos, std::int16_t fieldLen);
    std::int16_t RecLen() const { return iLastPos_; }
    const std::vector<clsField>& Fields() const { return colFields_; }

    // True when the identifier's characters of `buffer` equal RIValue exactly (case-sensitive). Inline:
    // a reader tests every line against a few short identifiers.
    bool TestID(std::string_view buffer) const {
        if (RIPos < 1 || RILen < 0) return false;
        const auto start = static_cast<std::size_t>(RIPos - 1), length = static_cast<std::size_t>(RILen);
        if (buffer.size() < start + length || RIValue.size() != length) return false;
        for (std::size_t i = 0; i < length; ++i)
            if (buffer[start + i] != RIValue[i]) return false;
        return true;
    }
    // Clears the values and keeps the line; each field's value is extracted from it when first asked for.
    void Parse(std::string_view buffer);

    // The stored value of `fieldName` (any case); empty when none is stored.
    const zav::Value& Value(std::string_view fieldName) const;
    // Stores a value (of any kind) under `fieldName`, replacing any stored one. Names that are not fields
    // of the record are kept too but take no part in assembly.
    void Value(std::string_view fieldName, zav::Value value);
    // The position of `fieldName` (any case) among the fields, -1 when the record has no such field.
    int FieldIndex(std::string_view fieldName) const;
    // Value(name, value) for the field at `index` (a FieldIndex result); nothing for -1, as a value stored
    // under a name that is no field takes no part in assembly. SetText stores a text in the storage of
    // the text the field held before.
    void SetValue(int index, zav::Value value) {
        if (index >= 0) Receive(static_cast<std::size_t>(index)) = std::move(value);
    }
    void SetText(int index, std::string_view text) {
        if (index < 0) return;
        zav::Value& slot = Receive(static_cast<std::size_t>(index));
        if (auto* s = std::get_if<std::string>(&slot)) {
            s->clear();
            s->append(text);
        } else
            slot.emplace<std::string>(text);
    }
    // The stored value as text (numbers in their plain form) and as a number (0 when empty or not a number).
    std::string Text(std::string_view fieldName) const { return ValueText(Value(fieldName)); }
    double Number(std::string_view fieldName) const;
    // Text(fieldName) without copying a text: a text field's characters as a view of the parsed line or
    // of its stored text (valid until the record changes); another value's text written into `scratch`.
    std::string_view TextView(std::string_view fieldName, std::string& scratch) const;
    // TextView and Number of the field at `index` (a FieldIndex result: a caller reading one record type
    // line after line finds its names once); empty and 0 for -1.
    std::string_view TextAt(int index, std::string& scratch) const {
        // A text field not read yet: its columns (inline, the common case).
        if (index >= 0 && pending_[static_cast<std::size_t>(index)] &&
            colFields_[static_cast<std::size_t>(index)].FieldType == kHostText)
            return ColumnText(static_cast<std::size_t>(index));
        return StoredTextAt(index, scratch);
    }
    double NumberAt(int index) const;

    // Clears all values; returns 0.
    int Init();
    void ClearFields();
    void ClearValues();

    // Assembles the line from the stored values in field order (fields without a value stay blank) and
    // pads it with blanks to `padTo` characters; a longer line is kept whole. A value that cannot be
    // formatted shows its failure in a message box and gives an empty line.
    std::string Buffer(int padTo);
    // Buffer into `line` (whose storage is reused); false (with `line` empty) when a value could not be
    // formatted.
    bool AssembleInto(std::string& line, int padTo);
    // Names of the number fields whose values the last Buffer had to cut to the field's width.
    const std::vector<std::string>& CutFields() const { return cut_; }
    // Names of the number fields of the last Parse that held a number too large to read (read as 0).
    const std::vector<std::string>& TooLargeFields() const;

  private:
    struct NoCaseHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const;
    };
    struct NoCaseEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    struct ExactHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };

    std::vector<clsField> colFields_;
    std::vector<std::size_t> wholeFields_;  // the fields of whole-number types, in field order
    struct Span {
        std::size_t start, width;  // the field's columns: first (from 0) and how many
    };
    std::vector<Span> spans_;    // per field
    std::size_t recordEnd_ = 0;  // where the field reaching furthest ends
    // The columns of whole-number fields (a number of its kind at most, leading columns beyond that blank
    // or zero).
    NumberColumns wholeColumns_;
    std::unordered_map<std::string, int, NoCaseHash, NoCaseEqual> index_;
    // The same by exact name, tried first: callers nearly always spell names as declared.
    std::unordered_map<std::string, int, ExactHash, std::equal_to<>> exact_;
    mutable NameCache names_;  // names found before, by the address of their text
    // The value of field i, extracted from the parsed line first when it is still pending; nullptr when
    // none is stored.
    const zav::Value* Slot(std::size_t i) const {
        if (pending_[i]) Extract(i);
        return stored_[i] ? &colValues_[i] : nullptr;
    }
    void Extract(std::size_t i) const;
    // Field i's characters of the parsed line (what Extract reads).
    std::string_view ColumnText(std::size_t i) const {
        const Span span = spans_[i];
        return span.start < cvarBuffer.size() ? std::string_view(cvarBuffer).substr(span.start, span.width)
                                              : std::string_view();
    }
    // TextAt for any field but a text field not read yet.
    std::string_view StoredTextAt(int index, std::string& scratch) const;
    // Marks the columns of whole-number field i in wholeColumns_.
    void MarkWholeColumns(std::size_t i);
    // Field i's slot about to receive a value (a pending extraction is done first: it notes a too-large number).
    zav::Value& Receive(std::size_t i) {
        if (pending_[i]) Extract(i);  // keeps its too-large note
        stored_[i] = 1;
        changed_[i] = 1;
        return colValues_[i];
    }
    // Assembles every field into assembled_; RefreshAssembled writes only the changed ones into it. False
    // (after showing why) when a value could not be formatted.
    bool AssembleAll(int padTo);
    bool RefreshAssembled();
    // cut_ from cutAt_: the cut fields before field `end`, in field order.
    void CollectCut(std::size_t end);

    // One slot per field; a slot whose stored_ is 0 holds no value (its text's storage is kept for reuse).
    mutable std::vector<zav::Value> colValues_;
    mutable std::vector<unsigned char> stored_;
    mutable std::vector<unsigned char> pending_;                // per field: not yet extracted from cvarBuffer
    mutable std::vector<unsigned char> tooLargeAt_;             // per field: its extraction read too large a number
    mutable bool tooLargeKnown_ = true;                         // tooLarge_ lists every such field of the line
    Values extra_;                                              // values stored under names that are not fields
    std::int16_t iLastPos_ = 0;
    std::vector<std::string> cut_;
    // The line of the last assembly, kept so that the next assembly of the same fields writes only the
    // values changed since (when no two fields share a column; a cleared or parsed record starts anew).
    std::string assembled_;
    std::size_t assembledLength_ = 0;
    int assembledPad_ = 0;
    bool assembledValid_ = false;
    bool disjoint_ = true;                  // fields in column order, no two sharing a column
    mutable std::vector<unsigned char> changed_;  // per field: value stored since the last assembly
    std::vector<unsigned char> cutAt_;      // per field: its number was cut in the line
    std::size_t cutCount_ = 0;
    mutable std::vector<std::string> tooLarge_;
};

}  // namespace zav
