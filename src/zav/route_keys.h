// Search keys of the index records: the words of owner names and service addresses, and the
// collector clsIndex that gathers one route's keys of one kind and writes them sorted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace zav {

class clsZAV;

// Index kinds (the index type stored in the record).
enum IndexKind : std::int16_t { kIndexOwner = 0, kIndexAddress = 1, kIndexTag = 2, kIndexSerial = 3, kIndexAccount = 4 };
inline constexpr int kIndexKindCount = 5;

// The words of `text` that become keys: the text upper-cased, every character other than A-Z and
// 0-9 made a space, split at spaces; a word is a key when it has at least 2 characters, starts with a
// letter or ends in "ST", "ND" or "RD" (21ST, 2ND, 3RD), and is not in `tokens` (upper-cased words).
std::vector<std::string> IndexWords(std::string_view text, const std::unordered_set<std::string>& tokens);

// One route's keys of one index kind with the meter position of each, in collection order.
class clsIndex {
public:
    std::int16_t RouteIndex = 0;
    std::int16_t IndexType = 0;

    void Insert(std::string key, std::int16_t position);
    std::int32_t Count() const { return static_cast<std::int32_t>(keys_.size()); }

    // With pairs collected: sorts them by key (character codes, ascending; equal keys keep their
    // collection order), writes the index record(s) and empties the lists. Nothing otherwise. Returns
    // the number of keys left out of the index (too many meters for one record).
    std::int32_t WriteRecord(clsZAV& database);
    // Empties the lists without writing.
    void Clear();

private:
    std::vector<std::string> keys_;
    std::vector<std::int16_t> positions_;
};

}  // namespace zav
