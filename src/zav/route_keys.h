// Search keys of the index records: the words of owner names and service addresses, and the
// collector clsIndex that gathers one route's keys of one kind and writes them sorted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "zav/zav.h"

namespace zav {

// Index kinds (the index type stored in the record).
enum IndexKind : std::int16_t { kIndexOwner = 0, kIndexAddress = 1, kIndexTag = 2, kIndexSerial = 3, kIndexAccount = 4 };
inline constexpr int kIndexKindCount = 5;

// Words left out of the keys (upper-cased), looked up by view: words of up to seven characters (nearly
// all) as one number in a short sorted list, longer ones in a hash set. A word whose first character
// and length no short token has is turned away with one bit test.
class IndexTokens {
  public:
    IndexTokens() = default;
    explicit IndexTokens(const std::unordered_set<std::string>& upperWords);
    void Add(std::string_view upperWord);
    void Clear();
    bool Contains(std::string_view word) const;
    // The same for a word whose first eight bytes (zero bytes past its end) are `prefix` as one
    // big-endian number.
    bool Contains(std::string_view word, std::uint64_t prefix) const {
        if (word.size() > kShortWord) return !long_.empty() && ContainsLong(word);
        if (word.empty() || (firsts_[word.size()] & FirstBit(word[0])) == 0) return false;
        return ContainsShort(prefix | word.size());
    }

  private:
    static constexpr std::size_t kShortWord = 7;
    // The bit of a word's first character in firsts_.
    static std::uint64_t FirstBit(char c) { return std::uint64_t{1} << (static_cast<unsigned char>(c) & 63); }
    bool ContainsShort(std::uint64_t shortWord) const;
    bool ContainsLong(std::string_view word) const;

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    std::vector<std::uint64_t> short_;  // sorted: a word's bytes from the top, its length in the low byte
    std::uint64_t firsts_[8] = {};      // by length: a bit (character & 63) per first character in short_
    std::unordered_set<std::string, Hash, std::equal_to<>> long_;
};

// The words of `text` that become keys: the text upper-cased, every character other than A-Z and
// 0-9 made a space, split at spaces; a word is a key when it has at least 2 characters, starts with a
// letter or ends in "ST", "ND" or "RD" (21ST, 2ND, 3RD), and is not in `tokens` (upper-cased words).
std::vector<std::string> IndexWords(std::string_view text, const std::unordered_set<std::string>& tokens);

// One route's keys of one index kind with the meter position of each, in collection order. The keys'
// characters are kept back to back in one buffer, so collecting a key allocates nothing. A collector
// made to share keys (for kinds whose keys repeat, such as the words of names and addresses) keeps
// each distinct key once, found again through a hash table, with the positions that came with it, so
// only the distinct keys are sorted.
class clsIndex {
  public:
    explicit clsIndex(bool shareKeys = false) : shareKeys_(shareKeys) {}

    std::int16_t RouteIndex = 0;
    std::int16_t IndexType = 0;

    void Insert(std::string_view key, std::int16_t position);
    // Collects UCase(key).
    void InsertUpper(std::string_view key, std::int16_t position);
    // Collects the IndexWords of `text` (tokens from `tokens`).
    void InsertWords(std::string_view text, const IndexTokens& tokens, std::int16_t position);
    std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }

    // With pairs collected: sorts them by key (character codes, ascending; equal keys keep their
    // collection order), writes the index record(s) and empties the lists. Nothing otherwise. Returns
    // the number of keys left out of the index (too many meters for one record).
    std::int32_t WriteRecord(clsZAV& database);
    // Empties the lists without writing.
    void Clear();

  private:
    // One key (with shareKeys_, one distinct key).
    struct Key {
        std::uint64_t prefix;  // its first eight bytes as one big-endian number (zero bytes past its end)
        std::uint32_t offset;  // in text_
        std::uint32_t length;
        std::uint32_t count;  // pairs with this key (while writing: where its next position goes)
    };
    struct Entry {
        std::uint32_t key;  // in keys_
        std::int16_t position;
    };
    // What the sort moves: eight bytes of a key from some depth on, as Key::prefix, and the key.
    struct SortItem {
        std::uint64_t prefix;
        std::uint32_t key;
    };
    // Room for `bytes` more key bytes at used_, with eight bytes more readable past them.
    char* Reserve(std::size_t bytes);
    // Adds the pair of the key text_[offset, offset + length), whose first eight bytes are `prefix`;
    // true when the key is new (its bytes are kept then), always without shareKeys_.
    bool Collect(std::size_t offset, std::size_t length, std::uint64_t prefix, std::int16_t position);
    // The same for a key not collected before.
    bool AddKey(std::size_t offset, std::size_t length, std::uint64_t prefix, std::int16_t position);
    std::size_t Hash(const char* key, std::size_t length, std::uint64_t prefix) const;
    // Doubles the hash table (at least kMinSlots).
    void Grow();
    std::string_view KeyOf(const SortItem& item) const;
    // Sorts order_ (an item per key; with shareKeys_, per distinct key) for WriteRecord.
    void SortKeys();
    // Part of order_: [first, last), keys that share their first `depth` bytes.
    struct Range {
        std::size_t first;
        std::size_t last;
        std::size_t depth;
    };
    // Sorts a range by the keys' bytes from its depth on; runs of keys that share eight more bytes are
    // left to pending_.
    void SortRange(const Range& range);

    bool shareKeys_;
    std::string text_;  // the keys back to back in [0, used_); at least eight bytes more are readable
    std::size_t used_ = 0;
    std::vector<Key> keys_;             // in order of their first pair
    std::vector<Entry> entries_;        // the pairs in collection order
    std::vector<std::uint32_t> slots_;  // with shareKeys_, the hash table: key index + 1, 0 when free; a
                                        // power of two long
    std::vector<SortItem> order_;
    std::vector<SortItem> spare_;     // the radix sort's second buffer
    std::vector<Range> pending_;      // ranges still to sort (no recursion: keys may be long)
    std::vector<IndexGroup> groups_;  // storage reused by WriteRecord
    std::vector<std::int16_t> sortedPositions_;
};

}  // namespace zav
