// One list of the advanced options store: entries by position (from 1), found by key without regard
// to letter case, with deleted and changed marks. An empty list shows one blank placeholder at
// position 0; the first entry added replaces it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

namespace zav {

struct AdvEntry {
    std::string key;
    std::string textA;
    std::string textB;
    bool deleted = false;
    bool changed = false;
};

// A list position (16-bit) or a key, as the get/update/delete operations take it.
using AdvIndex = std::variant<std::int16_t, std::string>;

class AdvList {
public:
    // The position of the first entry that is not deleted and has this key (from the lowest
    // position), or -1.
    std::int16_t FindKey(std::string_view key) const;
    // The position `index` names: a key looked up with FindKey, or a position used directly;
    // -1 when the key is missing or the position lies outside the list.
    std::int16_t Resolve(const AdvIndex& index) const;

    // Appends an entry at position Count() + 1. THROWS RuntimeError(6) past 32767 entries.
    void Append(AdvEntry entry);

    // The entry at a position Resolve returned; the placeholder for position 0 of an empty list.
    const AdvEntry& At(std::int16_t position) const;
    AdvEntry& At(std::int16_t position);

    // Number of entries (the placeholder does not count).
    std::int16_t Count() const { return static_cast<std::int16_t>(entries_.size()); }
    const std::vector<AdvEntry>& Entries() const { return entries_; }
    std::vector<AdvEntry>& Entries() { return entries_; }

private:
    std::vector<AdvEntry> entries_;
    AdvEntry placeholder_;
    // Upper-cased key -> positions holding it, in increasing order (keys never change their letters
    // except for case, so an entry stays in its bucket).
    std::unordered_map<std::string, std::vector<std::int16_t>> byKey_;
};

}  // namespace zav
