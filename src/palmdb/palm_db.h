// clsPalmDB: typed records over a record file (IPalmFile).
//
// A schema is an ordered list of named fields. Number fields (8, 16, 32 bits) sit at byte offsets in
// the record's fixed area; text fields follow the fixed area in declaration order, each ended by one
// zero byte:
//   [fixed area: numbers at their offsets, other bytes 0][text 1][0][text 2][0]...[text n][0]
// The current record is one byte string, built field by field (by name or by position) and written,
// or read and taken apart. Raw access serves records that do not follow the schema (index and
// configuration records). Reads never look outside the record: a number field that lies past the
// record's end reads as 0, a missing text as empty.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/name_cache.h"
#include "core/values.h"
#include "palmdb/palm_file.h"

namespace zav {

// Field type codes of a schema.
enum PalmFieldType : std::int32_t { kFieldText = 0, kFieldInt8 = 1, kFieldInt16 = 2, kFieldInt32 = 3 };

// Container types.
enum PalmContainer : int { kContainerPDB = 1, kContainerVFS = 2 };

// The next text of a record's text area, starting at `pos`: up to its zero byte (`pos` moves past it), or
// the rest of the record when no zero byte ends it (then `more` goes false: every later text is empty).
// An empty text while `more` is false.
inline std::string_view NextRecordText(std::string_view record, std::size_t& pos, bool& more) {
    if (!more) return {};
    const std::size_t zero = record.find('\0', pos);
    if (zero == std::string_view::npos) {
        more = false;  // no terminator to move past: every later text is empty
        return record.substr(pos);
    }
    const std::string_view text = record.substr(pos, zero - pos);
    pos = zero + 1;
    return text;
}

class clsPalmDB {
  public:
    struct Field {
        std::int32_t FieldType = 0;
        std::int32_t position = 0;  // numbers: byte offset from 0; texts: ordinal among the texts from 1
        std::string FieldName;
    };

    clsPalmDB();
    ~clsPalmDB();
    clsPalmDB(const clsPalmDB&) = delete;
    clsPalmDB& operator=(const clsPalmDB&) = delete;

    // Schema.
    void ClearSchema();
    // Appends a field. Numbers go to byte `position` when it is 0 or more, else after the fields
    // declared so far; texts take the next ordinal. Other type codes make a field of size 0 that is
    // never read or written. The name is kept without leading and trailing spaces.
    void AddField(std::int32_t fieldType, std::string_view fieldName, std::int32_t position);
    // The field index (from 1) of a number key within the schema, or of the first field whose name
    // equals the text key without regard to case; 0 when there is none.
    int FindItem(int index) const;
    int FindItem(std::string_view name) const;
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    const std::string& FieldName(int index) const;
    const Field& FieldAt(int index) const;  // REQUIRES: 1 <= index <= FieldCount()
    int FixedSize() const { return fixedSize_; }
    int TextCount() const { return textCount_; }

    // Field values of the current record. Read: text for text fields, a 16-bit number for 8-bit
    // fields, a 32-bit number for 16- and 32-bit fields, empty for other types and for no field.
    Value Item(std::string_view key) const { return ItemAt(FindItem(key)); }
    Value Item(int index) const { return ItemAt(FindItem(index)); }
    // Write. A key that names no field shows "<key> not valid field in Record" and stores nothing.
    // THROWS RuntimeError as the setters below.
    void SetItem(std::string_view key, const Value& value);
    void SetItem(int index, const Value& value);
    // Every field's value in schema order, keyed by field name.
    Values GetValues() const;

    // Positional access. The setters store the value's bytes from `offset` and return the offset just
    // after them; SetInt16 appends two zero bytes first when the record is exactly `offset` long.
    // THROWS RuntimeError(5) when the bytes are not there, 6 for a value that does not fit.
    int SetInt8(int offset, const Value& value);
    int SetInt16(int offset, const Value& value);
    int SetInt32(int offset, const Value& value);
    // 0 when the field lies (partly) past the end of the record.
    std::int32_t GetInt8(int offset) const;
    std::int32_t GetInt16(int offset) const;
    std::int32_t GetInt32(int offset) const;
    // The n-th text after the fixed area. Zero bytes in `value` are dropped (they would end the text
    // early and shift every later text). THROWS RuntimeError(9) when the record has no such text.
    void SetString(int ordinal, std::string_view value);
    std::string GetString(int ordinal) const;
    // The record becomes its first `offset` bytes, the value (zero bytes dropped) and one zero byte,
    // plus one more zero byte when `padEven` is set and the length is odd. Returns the new length.
    int AppendString(int offset, std::string_view value, bool padEven);

    const std::string& RawData() const { return record_; }
    void SetRawData(std::string data) { record_ = std::move(data); }

    // Records and file.
    // Creates the file in the container `type` (kContainerPDB or kContainerVFS); the file object's
    // result (0 when created).
    std::int16_t CreateDB(int type, const std::filesystem::path& name, const std::string& title,
                          const std::string& creator, const std::string& dbType, std::int32_t presize,
                          const std::string& appInfo, const std::string& sortInfo);
    // Opens a file; `type` -1 detects the container (a VFS stream first, else a Palm database file).
    // 0 when opened, -1 when no container accepts the file, otherwise the run-time error number.
    std::int16_t OpenDB(const std::filesystem::path& name, int type = -1);
    // Writes anything buffered and closes the file. THROWS RuntimeError when buffered records
    // cannot be written.
    void CloseDB();

    // The current record becomes the fixed area of zero bytes and one zero byte per text.
    void AddNew();
    bool WriteData();
    bool WriteRaw(std::string_view data);
    // Reads record `recordNumber` (negative: the next in sequence) into the current record.
    bool ReadData(std::int32_t recordNumber = -1);
    bool ReadRaw(std::string& buffer, std::int32_t recordNumber = -1);

    void Rewind();
    std::int32_t RecordCount() const;
    std::int16_t Position255() const;
    // Bytes sequential reading has not reached (IPalmFile::BytesLeft).
    std::uint64_t BytesLeft() const;
    std::string Title() const;
    std::string Creator() const;
    std::string DBType() const;
    std::string AppInfo() const;
    std::string SortInfo() const;
    PalmDate CreateDate() const;
    PalmDate ModifyDate() const;
    std::int32_t Attributes() const;
    int GetType() const { return type_; }

  private:
    Value ItemAt(int index) const;
    void SetItemAt(int index, const Value& value);
    void StoreField(const Field& f, const Value& value);
    // The text spans after the fixed area: up to TextCount() of them, as GetString finds them.
    void TextSpans(std::vector<std::string_view>& out) const;
    IPalmFile& File() const;

    std::vector<Field> fields_;
    std::vector<bool> firstOfName_;  // per field: no earlier field has its name
    // Field names without regard to case, looked up without building a key string.
    struct NoCaseHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const;
    };
    struct NoCaseEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    std::unordered_map<std::string, int, NoCaseHash, NoCaseEqual> byName_;  // name -> first field index
    mutable NameCache names_;  // names found before, by the address of their text
    int fixedSize_ = 0;
    int textCount_ = 0;
    std::string record_;
    int type_ = 0;
    std::unique_ptr<IPalmFile> file_;
};

}  // namespace zav
