#include "setup/registry_store.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "core/errors.h"
#include "core/text.h"

namespace zav {

namespace {

constexpr int kBusyTimeoutMs = 15000;

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS reg_keys(
    id     INTEGER PRIMARY KEY,
    parent INTEGER NOT NULL,          -- 0 for a root
    name   BLOB NOT NULL,
    fold   BLOB NOT NULL,             -- name in upper case: lookups and ordering ignore case
    UNIQUE(parent, fold));
CREATE TABLE IF NOT EXISTS reg_values(
    seq  INTEGER PRIMARY KEY AUTOINCREMENT,  -- creation order
    key  INTEGER NOT NULL,
    name BLOB NOT NULL,
    fold BLOB NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    UNIQUE(key, fold));
)sql";

// A failed store operation inside a transaction; turned into a false result by the writers.
struct StoreFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace

// One prepared statement, finalized when it goes out of scope.
class RegistryStore::Statement {
public:
    // `sql` is a literal: its address finds the store's prepared statement of it, reset for this use.
    Statement(RegistryStore& store, const char* sql) : db_(store.db_) {
        CachedStatement* free = nullptr;
        for (CachedStatement& c : store.cache_) {
            if (c.sql == sql && !c.inUse) {
                cached_ = &c;
                break;
            }
            if (c.sql == nullptr && free == nullptr) free = &c;
        }
        if (cached_ == nullptr) {
            sqlite3_stmt* stmt = nullptr;
            if (sqlite3_prepare_v2(db_, sql, -1, &stmt, nullptr) != SQLITE_OK) throw StoreFailure(sqlite3_errmsg(db_));
            if (free == nullptr) {
                stmt_ = stmt;  // no room to keep it: finalized after this use
                return;
            }
            *free = {sql, stmt, false};
            cached_ = free;
        }
        cached_->inUse = true;
        stmt_ = cached_->stmt;
    }
    ~Statement() {
        if (cached_ == nullptr) {
            sqlite3_finalize(stmt_);
            return;
        }
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        cached_->inUse = false;
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, std::int64_t v) {
        sqlite3_bind_int64(stmt_, index, v);
        return *this;
    }
    Statement& Bind(int index, std::string_view v) {
        // Zero-length blobs must not bind as NULL.
        sqlite3_bind_blob(stmt_, index, v.empty() ? "" : v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    // True while a row is available.
    bool Step() {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW) return true;
        if (rc == SQLITE_DONE) return false;
        throw StoreFailure(sqlite3_errmsg(db_));
    }
    std::int64_t Int(int col) { return sqlite3_column_int64(stmt_, col); }
    std::string Blob(int col) {
        const void* p = sqlite3_column_blob(stmt_, col);
        const int n = sqlite3_column_bytes(stmt_, col);
        return p ? std::string(static_cast<const char*>(p), static_cast<std::size_t>(n)) : std::string();
    }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    CachedStatement* cached_ = nullptr;  // the store's entry, or none for a statement of this use only
};

// BEGIN IMMEDIATE ... COMMIT; rolled back unless committed. A read batch's snapshot ends first.
class RegistryStore::Transaction {
public:
    explicit Transaction(RegistryStore& store) : db_(store.db_) {
        store.EndSnapshot();
        Exec("BEGIN IMMEDIATE");
    }
    ~Transaction() {
        if (!done_) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    void Commit() {
        Exec("COMMIT");
        done_ = true;
    }

private:
    void Exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) throw StoreFailure(sqlite3_errmsg(db_));
    }
    sqlite3* db_;
    bool done_ = false;
};

RegistryStore::RegistryStore(const std::filesystem::path& file) : file_(file) {
    // Create the file owner-only before SQLite sees it; its journal takes the same permissions.
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) throw FileError(errno);
    ::close(fd);
    if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK) {
        const std::string msg = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        db_ = nullptr;
        throw RuntimeError(kErrPathFileAccess, "Cannot open the settings store " + file.string() + ": " + msg);
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    // Write-ahead log: readers never block the writer, and a commit needs no sync of the main file.
    // With synchronous=NORMAL a killed process never loses a committed write; only a power failure
    // may roll back the last commits, never corrupt the store.
    sqlite3_exec(db_, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
    try {
        Transaction tx(*this);
        if (sqlite3_exec(db_, kSchema, nullptr, nullptr, nullptr) != SQLITE_OK) throw StoreFailure(sqlite3_errmsg(db_));
        tx.Commit();
    } catch (const StoreFailure& e) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw RuntimeError(kErrPathFileAccess, "Cannot open the settings store " + file.string() + ": " + e.what());
    }
}

RegistryStore::~RegistryStore() {
    for (CachedStatement& c : cache_) sqlite3_finalize(c.stmt);  // a connection closes only without them
    sqlite3_close(db_);
}

void RegistryStore::SetBusyTimeout(int milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }

RegistryStore::KeyId RegistryStore::FindChild(KeyId parent, std::string_view name) {
    Statement st(*this, "SELECT id FROM reg_keys WHERE parent = ?1 AND fold = ?2");
    st.Bind(1, parent).Bind(2, UCase(name));
    return st.Step() ? st.Int(0) : 0;
}

RegistryStore::KeyId RegistryStore::FindKey(const RegKeyPath& path) {
    // In a snapshot, a key found once is the same key until it ends (keys are never deleted, and no
    // write happens inside it): the path's folded names, each after its length, look it up.
    std::string folded;
    if (inSnapshot_) {
        const auto add = [&folded](const std::string& name) {
            folded += std::to_string(name.size());
            folded += ':';
            folded += UCase(name);
        };
        add(path.root);
        for (const auto& level : path.levels) add(level);
        if (const auto found = batchKeys_.find(folded); found != batchKeys_.end()) return found->second;
    }
    try {
        KeyId id = FindChild(0, path.root);
        for (const auto& level : path.levels) {
            if (id == 0) break;
            id = FindChild(id, level);
        }
        if (inSnapshot_ && id != 0) batchKeys_.emplace(std::move(folded), id);
        return id;
    } catch (const StoreFailure&) {
        return 0;
    }
}

RegistryStore::ReadBatch::ReadBatch(RegistryStore& store) : store_(store) {
    if (store_.batchDepth_++ == 0)
        store_.inSnapshot_ = sqlite3_exec(store_.db_, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
}

RegistryStore::ReadBatch::~ReadBatch() {
    if (--store_.batchDepth_ == 0) store_.EndSnapshot();
}

void RegistryStore::EndSnapshot() {
    if (!inSnapshot_) return;
    inSnapshot_ = false;
    batchKeys_.clear();
    // Every statement of the snapshot has been reset already (Statement does it): the commit cannot
    // fail on a statement still reading. Should it fail all the same, the read transaction is rolled
    // back: the connection must not stay in it (writes would then fail).
    if (sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

RegistryStore::KeyId RegistryStore::FindOrCreate(const RegKeyPath& path) {
    KeyId id = 0;
    auto step = [&](std::string_view name) {
        KeyId child = FindChild(id, name);
        if (child == 0) {
            Statement ins(*this, "INSERT INTO reg_keys(parent, name, fold) VALUES(?1, ?2, ?3)");
            ins.Bind(1, id).Bind(2, name).Bind(3, UCase(name)).Step();
            child = sqlite3_last_insert_rowid(db_);
        }
        id = child;
    };
    step(path.root);
    for (const auto& level : path.levels) step(level);
    return id;
}

RegistryStore::KeyId RegistryStore::CreateKey(const RegKeyPath& path) {
    try {
        Transaction tx(*this);
        const KeyId id = FindOrCreate(path);
        tx.Commit();
        return id;
    } catch (const StoreFailure&) {
        return 0;
    }
}

bool RegistryStore::WriteValue(const RegKeyPath& path, std::string_view name, int type, std::string_view data) {
    try {
        Transaction tx(*this);
        const KeyId key = FindOrCreate(path);
        Statement st(*this,
                     "INSERT INTO reg_values(key, name, fold, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
                     "ON CONFLICT(key, fold) DO UPDATE SET name = excluded.name, type = excluded.type, "
                     "data = excluded.data");
        st.Bind(1, key).Bind(2, name).Bind(3, UCase(name)).Bind(4, type).Bind(5, data).Step();
        tx.Commit();
        return true;
    } catch (const StoreFailure&) {
        return false;
    }
}

bool RegistryStore::DeleteValue(KeyId key, std::string_view name) {
    try {
        Transaction tx(*this);
        Statement st(*this, "DELETE FROM reg_values WHERE key = ?1 AND fold = ?2");
        st.Bind(1, key).Bind(2, UCase(name)).Step();
        const bool deleted = sqlite3_changes(db_) > 0;
        tx.Commit();
        return deleted;
    } catch (const StoreFailure&) {
        return false;
    }
}

std::optional<RegStoredValue> RegistryStore::ReadValue(KeyId key, std::string_view name) {
    try {
        Statement st(*this, "SELECT name, type, data FROM reg_values WHERE key = ?1 AND fold = ?2");
        st.Bind(1, key).Bind(2, UCase(name));
        if (!st.Step()) return std::nullopt;
        return RegStoredValue{st.Blob(0), static_cast<int>(st.Int(1)), st.Blob(2)};
    } catch (const StoreFailure&) {
        return std::nullopt;
    }
}

std::vector<RegStoredValue> RegistryStore::ListValues(KeyId key) {
    std::vector<RegStoredValue> values;
    try {
        Statement st(*this, "SELECT name, type, data FROM reg_values WHERE key = ?1 ORDER BY seq");
        st.Bind(1, key);
        while (st.Step()) values.push_back({st.Blob(0), static_cast<int>(st.Int(1)), st.Blob(2)});
    } catch (const StoreFailure&) {
    }
    return values;
}

std::vector<std::string> RegistryStore::ListSubkeys(KeyId key) {
    std::vector<std::string> names;
    try {
        Statement st(*this, "SELECT name FROM reg_keys WHERE parent = ?1 ORDER BY fold");
        st.Bind(1, key);
        while (st.Step()) names.push_back(st.Blob(0));
    } catch (const StoreFailure&) {
    }
    return names;
}

}  // namespace zav
