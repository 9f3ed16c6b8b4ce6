// The machine-wide hierarchical settings store, kept in one SQLite file.
//
// Keys form a tree under named roots; each key holds typed values. Key and value names compare
// without regard to letter case (the case written last is kept for values); values enumerate in the
// order they were created, subkeys in case-insensitive name order. Every write is one transaction, so
// two processes writing at once never corrupt the store, and a process killed in the middle of a write
// leaves the last committed values. The file is created readable and writable by its owner only.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace zav {

// Value types, numbered as the platform numbers them.
enum RegType : int {
    kRegNone = 0,
    kRegSz = 1,
    kRegExpandSz = 2,
    kRegBinary = 3,
    kRegDword = 4,
    kRegDwordBigEndian = 5,
    kRegLink = 6,
    kRegMultiSz = 7,
    kRegResourceList = 8,
    kRegFullResourceDescriptor = 9,
    kRegResourceRequirementsList = 10,
};

struct RegStoredValue {
    std::string name;
    int type = kRegNone;
    std::string data;  // the value's bytes; strings without a terminating NUL, DWORDs little-endian
};

// A key: the root's name and the key names below it, level by level.
struct RegKeyPath {
    std::string root;
    std::vector<std::string> levels;
};

class RegistryStore {
public:
    using KeyId = std::int64_t;  // 0 = no key

    // Opens the store file, creating it (owner-only) when missing.
    // THROWS RuntimeError when the file cannot be opened or is not a settings store.
    explicit RegistryStore(const std::filesystem::path& file);
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    const std::filesystem::path& File() const { return file_; }
    // How long a write waits for another process's write to finish before it fails.
    void SetBusyTimeout(int milliseconds);

    // The key's id, or 0 when it does not exist (nothing is created).
    KeyId FindKey(const RegKeyPath& path);
    // The key's id, creating it and every missing key above it in one transaction; 0 on failure.
    KeyId CreateKey(const RegKeyPath& path);

    // Writes a value, creating the key path as needed, in one transaction. False when it failed.
    bool WriteValue(const RegKeyPath& path, std::string_view name, int type, std::string_view data);
    // Deletes a value of an existing key; false when there was no such value or the write failed.
    bool DeleteValue(KeyId key, std::string_view name);

    // Many reads in a row (loading settings) in one snapshot: the store's lock is taken once, not per
    // read, and the keys found are remembered until the batch ends. Batches nest (the outermost one
    // counts). A write during a batch ends the batch's snapshot first; later reads take their own.
    class ReadBatch {
      public:
        explicit ReadBatch(RegistryStore& store);
        ~ReadBatch();
        ReadBatch(const ReadBatch&) = delete;
        ReadBatch& operator=(const ReadBatch&) = delete;

      private:
        RegistryStore& store_;
    };

    std::optional<RegStoredValue> ReadValue(KeyId key, std::string_view name);
    // Every value of the key, in creation order.
    std::vector<RegStoredValue> ListValues(KeyId key);
    // The names of the key's subkeys, in case-insensitive name order.
    std::vector<std::string> ListSubkeys(KeyId key);

private:
    class Statement;
    class Transaction;
    KeyId FindChild(KeyId parent, std::string_view name);
    KeyId FindOrCreate(const RegKeyPath& path);  // inside a transaction; throws on failure
    // Ends a read batch's snapshot (before a write) and forgets the keys it found.
    void EndSnapshot();

    std::filesystem::path file_;
    sqlite3* db_ = nullptr;
    // Prepared statements kept for reuse, by the address of their SQL text (a literal): a run reads many
    // settings with the same few queries. One in use is not handed out twice.
    struct CachedStatement {
        const char* sql = nullptr;
        sqlite3_stmt* stmt = nullptr;
        bool inUse = false;
    };
    std::array<CachedStatement, 8> cache_{};
    int batchDepth_ = 0;     // read batches open
    bool inSnapshot_ = false;  // the outermost batch's read transaction is open
    std::unordered_map<std::string, KeyId> batchKeys_;  // keys found in the snapshot, by folded path
};

}  // namespace zav
