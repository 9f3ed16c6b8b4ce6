// clsRegistry: the one way the system reads and writes its machine-wide settings store.
//
// A location is a key-path array (`HiveName`): the root's name, then key names or partial paths
// joined with backslashes; for value operations the last element is the value name. The class holds
// no state of its own: every operation opens the key it needs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "setup/registry_store.h"

namespace zav {

using HiveName = std::vector<std::string>;

// A value as GetValue returns it: empty, a string, or a 32-bit integer (double-word values).
using RegValue = std::variant<std::monostate, std::string, std::int32_t>;

class clsRegistry {
public:
    explicit clsRegistry(RegistryStore& store) : store_(store) {}

    // True when the first element names a known root ("HKEY_LOCAL_MACHINE" ..., exact case); sets the
    // root's handle and the other elements joined with single backslashes (NUL characters removed).
    static bool KeyPath(std::uint32_t& RootKey, std::string& CombinedPath, const HiveName& hive);

    // An open key handle, or 0 when the key does not exist (and is not to be created) or the root is
    // unknown. Handles need no closing in this store; CloseKey is kept for callers written in pairs.
    RegistryStore::KeyId OpenKey(bool CreateIfNeeded, const HiveName& hive);
    void CloseKey(RegistryStore::KeyId) {}

    // Writes a string value (missing keys are created); true on success.
    bool SaveValue(const std::string& Value, const HiveName& hive);
    // The names of the key's subkeys / values; empty when the key cannot be opened.
    std::vector<std::string> GetKeys(const HiveName& hive);
    std::vector<std::string> GetValues(const HiveName& hive);
    // true when deleted, false when the deletion failed, nullopt when the key cannot be opened.
    // Like the platform's call, a missing key is created (empty) first.
    std::optional<bool> DeleteValue(const HiveName& hive);
    // A string for string values, an integer for double-word values, empty otherwise. Any length
    // reads back whole.
    RegValue GetValue(const HiveName& hive);
    // The listing of the key, its values and all its subkeys, in the distribution file's line format.
    // Shows "Error opening key." and returns "" when the key cannot be opened.
    std::string GetKeyInfo(std::int16_t Indent, const HiveName& hive);

    // The store under the registry (for RegistryStore::ReadBatch around many reads).
    RegistryStore& Store() { return store_; }

private:
    // The store path of the key named by `hive` (all elements when `valueName` is false, all but the
    // last when true); nullopt for an unknown root.
    static std::optional<RegKeyPath> StorePath(const HiveName& hive, bool lastIsValueName);

    RegistryStore& store_;
};

// The string held by a RegValue, or "" when it holds none.
std::string RegValueText(const RegValue& value);

}  // namespace zav
