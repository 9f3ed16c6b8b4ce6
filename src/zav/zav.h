// clsZAV: the route and readings database exchanged with the handheld, over typed records.
//
// Every record starts with RecType (16 bits at offset 0): 0 header, 1 route (256 as a readings
// database brings it back), 2 meter, 3 orphan reading; 4, 5 and 7 configuration lists and 6 index
// records have layouts of their own but are read through the schema like the rest. The schema has
// four versions (fixed areas of 15, 68, 70 and 76 bytes; versions 1 to 3 have 13 texts). A new object
// has version 0, enough to read the version from a file's header record.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "palmdb/palm_db.h"

namespace zav {

// Record kinds by RecType.
enum ZAVRecType : std::int32_t {
    kRecHeader = 0,
    kRecRoute = 1,
    kRecMeter = 2,
    kRecOrphan = 3,
    kRecLogins = 4,
    kRecCodes = 5,
    kRecIndex = 6,
    kRecAlerts = 7,
    kRecRouteReturned = 256,  // a route record as the handheld writes it back (1 with its bytes exchanged)
};

// The version this program writes.
inline constexpr std::int32_t kZAVCurrentVersion = 3;

// Identity of every database the desktop writes.
inline constexpr const char* kZAVTitle = "RouteZAV";
inline constexpr const char* kZAVCreator = "hZVL";
inline constexpr const char* kZAVType = "DATA";

// One key of an index record and its meter positions: `count` of them from `first` on.
struct IndexGroup {
    std::string_view key;
    std::uint32_t first;
    std::uint32_t count;
};

// The names of the fields of schema `version`, in schema order.
std::vector<std::string> ZAVFieldNames(std::int32_t version);

class clsZAV {
  public:
    clsZAV();

    // Opens an existing file, detecting its container. True when it cannot be opened.
    bool OpenZAV(const std::filesystem::path& name);
    // Opens an existing file with the schema of the version its header record names (0 without
    // one). True when it cannot be opened.
    bool OpenZAVWithFileVersion(const std::filesystem::path& name);
    // The version a file's header record names: the header's MeterType when the first record has
    // RecType 0 and MeterType above 0, else 0. Empty when the file cannot be opened.
    static std::optional<std::int32_t> ReadFileVersion(const std::filesystem::path& name);

    // Creates the file with the identity "RouteZAV", "DATA", "hZVL"; `containerType` 1 = Palm
    // database file, 2 = VFS stream; `presize` reserves records (0: 999). 0, or the error number.
    std::int16_t CreateZAV(const std::filesystem::path& name, int containerType, std::int32_t presize);
    // True after a CreateZAV that succeeded: the object holds a database being written.
    bool Created() const { return created_; }
    // Writes anything buffered and closes the file (releasing the object does the same, without
    // reporting). THROWS RuntimeError when buffered records cannot be written.
    void CloseZAV() { db_.CloseDB(); }

    // Rebuilds the schema for `version` from scratch.
    void SetVersion(std::int32_t version);
    void BuildSchema(std::int32_t version);
    std::int32_t Version() const { return version_; }

    Value Item(std::string_view name) const { return db_.Item(name); }
    void SetItem(std::string_view name, const Value& value) { db_.SetItem(name, value); }
    void AddNew() { db_.AddNew(); }
    bool WriteData() { return db_.WriteData(); }
    void Rewind() { db_.Rewind(); }
    // The next record in sequence; false at the end.
    bool ReadData() { return db_.ReadData(-1); }
    Values GetValues() const { return db_.GetValues(); }
    // RecType of the current record (0 when the record is shorter than 2 bytes).
    std::int32_t RecType() const { return db_.GetInt16(0); }
    std::int16_t Position255() const { return db_.Position255(); }
    std::uint64_t BytesLeft() const { return db_.BytesLeft(); }
    int GetType() const { return db_.GetType(); }
    std::int32_t RecordCount() const { return db_.RecordCount(); }
    const std::string& RawData() const { return db_.RawData(); }
    void SetRawData(std::string data) { db_.SetRawData(std::move(data)); }

    // Appends index records (RecType 6) of one route and index kind from `count` key/position pairs,
    // which must be sorted so that equal keys are adjacent: one group per distinct key, in the given
    // order. A Palm record holds at most 65,535 bytes: groups that do not fit go to further records of
    // the same route and kind (a group is never split); a single group too large for any record is
    // left out with a "Warning: " log line. Returns the number of groups left out.
    std::int32_t AddIndexRecord(std::int16_t routeOrdinal, std::int16_t indexType, std::int32_t count,
                                const std::vector<std::string>& keys, const std::vector<std::int16_t>& positions);
    // The same for every pair of `keys` and `positions` (as many of each), keys held elsewhere.
    std::int32_t AddIndexRecord(std::int16_t routeOrdinal, std::int16_t indexType,
                                std::span<const std::string_view> keys, std::span<const std::int16_t> positions);
    // The same from the groups already formed (distinct keys in record order), each taking its positions
    // from `positions`.
    std::int32_t AddIndexGroups(std::int16_t routeOrdinal, std::int16_t indexType, std::span<const IndexGroup> groups,
                                std::span<const std::int16_t> positions);
    // Appends one configuration record: record type, code type, flags, `count` entries of three texts
    // (code, value, data) and the end mark. THROWS RuntimeError(6) when it would not fit in a record.
    void AddCodeRecord(std::int16_t recordType, std::int16_t codeType, std::int16_t flags, std::int16_t count,
                       const std::vector<std::string>& codes, const std::vector<std::string>& values,
                       const std::vector<std::string>& data);

    // The typed record layer, for raw record builders (index and configuration records).
    clsPalmDB& DB() { return db_; }
    const clsPalmDB& DB() const { return db_; }

  private:
    clsPalmDB db_;
    std::int32_t version_ = 0;
    bool created_ = false;
    // Storage reused by AddIndexGroups: each group's bytes in the record and its key's length without
    // zero bytes, and the record.
    struct GroupLayout {
        std::uint32_t bytes;
        std::uint32_t textLength;
    };
    std::vector<GroupLayout> groupLayout_;
    std::string indexRecord_;
};

}  // namespace zav
