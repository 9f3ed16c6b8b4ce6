#include "zav/route_keys.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/text.h"
#include "zav/zav.h"

namespace zav {

namespace {

// Per byte: its upper-case form when it is a word character (a-z, A-Z, 0-9), else 0. No other byte
// upper-cases to one of these.
struct KeyCharTable {
    char map[256] = {};
    KeyCharTable() {
        for (int c = '0'; c <= '9'; ++c) map[c] = static_cast<char>(c);
        for (int c = 'A'; c <= 'Z'; ++c) map[c] = static_cast<char>(c);
        for (int c = 'a'; c <= 'z'; ++c) map[c] = static_cast<char>(c - 32);
    }
};
const KeyCharTable kKeyChars;

// Ordinal suffixes: 21ST, 2ND, 3RD (the word has at least two characters).
bool EndsInOrdinal(const char* word, std::size_t length) {
    const char a = word[length - 2];
    const char b = word[length - 1];
    return (a == 'S' && b == 'T') || (a == 'N' && b == 'D') || (a == 'R' && b == 'D');
}

// The first eight bytes at `key` as one big-endian number, zero bytes past `length`. Eight bytes from
// `key` on must be readable.
std::uint64_t Prefix(const char* key, std::size_t length) {
    if (length == 0) return 0;
    std::uint64_t v;
    std::memcpy(&v, key, 8);
    v = __builtin_bswap64(v);
    return length >= 8 ? v : v & (~std::uint64_t{0} << (8 * (8 - length)));
}

// The same for a key of which only its own bytes are readable.
std::uint64_t PrefixOf(std::string_view key) {
    if (key.empty()) return 0;
    char bytes[8] = {};
    std::memcpy(bytes, key.data(), std::min<std::size_t>(key.size(), 8));
    return Prefix(bytes, key.size());
}

// Writes the key words of `text` upper-cased from `out` on (room for text.size() bytes, and eight
// more readable) and calls take(word, prefix) for each, its first eight bytes as Prefix gives them.
// Returns the end of the words kept: a word that is no key, or for which take returns false, is not.
template <typename Take>
char* ScanWords(std::string_view text, char* out, const IndexTokens& tokens, Take&& take) {
    const char* map = kKeyChars.map;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (true) {
        while (p != end && map[static_cast<unsigned char>(*p)] == 0) ++p;
        if (p == end) break;
        char* const word = out;
        for (char c; p != end && (c = map[static_cast<unsigned char>(*p)]) != 0; ++p) *out++ = c;
        const auto length = static_cast<std::size_t>(out - word);
        if (length < 2) {
            out = word;
            continue;
        }
        const std::uint64_t prefix = Prefix(word, length);
        const std::string_view w(word, length);
        if (!(word[0] >= 'A' || EndsInOrdinal(word, length)) || tokens.Contains(w, prefix) || !take(w, prefix))
            out = word;
    }
    return out;
}

// True when the keys at `a` and `b` of `length` bytes are equal; eight bytes from each past their
// last are readable.
bool SameKey(const char* a, const char* b, std::size_t length) {
    for (std::size_t i = 0; i < length; i += 8) {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        x ^= y;
        if (length - i < 8) x &= ~(~std::uint64_t{0} << (8 * (length - i)));  // the key's bytes only
        if (x != 0) return false;
    }
    return true;
}

}  // namespace

IndexTokens::IndexTokens(const std::unordered_set<std::string>& upperWords) {
    for (const std::string& word : upperWords) Add(word);
}

void IndexTokens::Add(std::string_view upperWord) {
    if (upperWord.size() > kShortWord) {
        long_.emplace(upperWord);
        return;
    }
    if (upperWord.empty()) return;  // no word is empty
    const std::uint64_t v = PrefixOf(upperWord) | upperWord.size();
    const auto at = std::lower_bound(short_.begin(), short_.end(), v);
    if (at == short_.end() || *at != v) short_.insert(at, v);
    firsts_[upperWord.size()] |= FirstBit(upperWord[0]);
}

void IndexTokens::Clear() {
    short_.clear();
    long_.clear();
    std::fill(std::begin(firsts_), std::end(firsts_), 0);
}

bool IndexTokens::Contains(std::string_view word) const {
    return Contains(word, word.size() > kShortWord ? 0 : PrefixOf(word));
}

bool IndexTokens::ContainsShort(std::uint64_t shortWord) const {
    return std::binary_search(short_.begin(), short_.end(), shortWord);
}

bool IndexTokens::ContainsLong(std::string_view word) const { return long_.find(word) != long_.end(); }

std::vector<std::string> IndexWords(std::string_view text, const std::unordered_set<std::string>& tokens) {
    std::vector<std::string> words;
    std::string out(text.size() + 8, '\0');
    ScanWords(text, out.data(), IndexTokens(tokens), [&](std::string_view word, std::uint64_t) {
        words.emplace_back(word);
        return false;
    });
    return words;
}

inline char* clsIndex::Reserve(std::size_t bytes) {
    if (used_ + bytes + 8 > text_.size()) text_.resize(std::max(2 * text_.size(), used_ + bytes + 8 + 4096));
    return text_.data() + used_;
}

inline std::size_t clsIndex::Hash(const char* key, std::size_t length, std::uint64_t prefix) const {
    // Every byte of the key reaches the low bits used.
    constexpr std::uint64_t kMix = 0x9E3779B97F4A7C15;
    std::uint64_t h = prefix ^ length;
    for (std::size_t i = 8; i < length; i += 8) h = (h * kMix) ^ Prefix(key + i, length - i);
    h ^= h >> 32;
    h *= kMix;
    h ^= h >> 29;
    return static_cast<std::size_t>(h) & (slots_.size() - 1);
}

void clsIndex::Grow() {
    constexpr std::size_t kMinSlots = 1024;
    slots_.assign(std::max(kMinSlots, 2 * slots_.size()), 0);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t k = 0; k < keys_.size(); ++k) {
        const Key& key = keys_[k];
        std::size_t h = Hash(text_.data() + key.offset, key.length, key.prefix);
        while (slots_[h] != 0) h = (h + 1) & mask;
        slots_[h] = static_cast<std::uint32_t>(k + 1);
    }
}

bool clsIndex::AddKey(std::size_t offset, std::size_t length, std::uint64_t prefix, std::int16_t position) {
    entries_.push_back({static_cast<std::uint32_t>(keys_.size()), position});
    keys_.push_back({prefix, static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(length), 1});
    return true;
}

inline bool clsIndex::Collect(std::size_t offset, std::size_t length, std::uint64_t prefix, std::int16_t position) {
    if (!shareKeys_) return AddKey(offset, length, prefix, position);
    if (2 * (keys_.size() + 1) > slots_.size()) Grow();
    const char* const text = text_.data();
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t h = Hash(text + offset, length, prefix);; h = (h + 1) & mask) {
        const std::uint32_t slot = slots_[h];
        if (slot == 0) {
            slots_[h] = static_cast<std::uint32_t>(keys_.size() + 1);
            return AddKey(offset, length, prefix, position);
        }
        // Keys of up to eight bytes and of one length are equal when their first eight bytes are.
        Key& key = keys_[slot - 1];
        if (key.prefix == prefix && key.length == length &&
            (length <= 8 || SameKey(text + key.offset + 8, text + offset + 8, length - 8))) {
            ++key.count;
            entries_.push_back({slot - 1, position});
            return false;
        }
    }
}

std::string_view clsIndex::KeyOf(const SortItem& item) const {
    const Key& k = keys_[item.key];
    return std::string_view(text_.data() + k.offset, k.length);
}

void clsIndex::Insert(std::string_view key, std::int16_t position) {
    char* to = Reserve(key.size());
    std::copy(key.begin(), key.end(), to);
    if (Collect(used_, key.size(), Prefix(to, key.size()), position)) used_ += key.size();
}

void clsIndex::InsertUpper(std::string_view key, std::int16_t position) {
    char* to = Reserve(key.size());
    CopyUCase(to, key);
    if (Collect(used_, key.size(), Prefix(to, key.size()), position)) used_ += key.size();
}

void clsIndex::InsertWords(std::string_view text, const IndexTokens& tokens, std::int16_t position) {
    char* const out = Reserve(text.size());
    const char* const base = text_.data();
    const char* end = ScanWords(text, out, tokens, [&](std::string_view word, std::uint64_t prefix) {
        return Collect(static_cast<std::size_t>(word.data() - base), word.size(), prefix, position);
    });
    used_ = static_cast<std::size_t>(end - base);
}

void clsIndex::Clear() {
    if (shareKeys_ && !keys_.empty()) std::fill(slots_.begin(), slots_.end(), 0);
    used_ = 0;
    keys_.clear();
    entries_.clear();
}

std::int32_t clsIndex::WriteRecord(clsZAV& database) {
    if (entries_.empty()) return 0;
    SortKeys();
    // A group per distinct key in sorted order (equal keys kept apart are neighbours, in the order they
    // came), its positions in collection order.
    const char* text = text_.data();
    groups_.clear();
    std::uint32_t next = 0;
    for (const SortItem& item : order_) {
        Key& k = keys_[item.key];
        const std::uint32_t count = k.count;
        k.count = next;
        if (!groups_.empty() && groups_.back().key.size() == k.length &&
            SameKey(groups_.back().key.data(), text + k.offset, k.length)) {
            groups_.back().count += count;
        } else {
            groups_.push_back({std::string_view(text + k.offset, k.length), next, count});
        }
        next += count;
    }
    sortedPositions_.resize(entries_.size());
    for (const Entry& e : entries_) sortedPositions_[keys_[e.key].count++] = e.position;
    const std::int32_t leftOut = database.AddIndexGroups(RouteIndex, IndexType, groups_, sortedPositions_);
    Clear();
    return leftOut;
}

void clsIndex::SortKeys() {
    // By character codes, equal keys in the order they came: the order of a bubble sort that swaps only
    // strictly smaller later keys.
    order_.resize(keys_.size());
    for (std::size_t k = 0; k < keys_.size(); ++k) order_[k] = {keys_[k].prefix, static_cast<std::uint32_t>(k)};
    pending_.assign(1, {0, order_.size(), 0});
    while (!pending_.empty()) {
        const Range range = pending_.back();
        pending_.pop_back();
        SortRange(range);
    }
}

void clsIndex::SortRange(const Range& range) {
    const std::size_t first = range.first;
    const std::size_t depth = range.depth;
    SortItem* const items = order_.data() + first;
    const std::size_t n = range.last - first;
    if (n < 2) return;
    // A few keys: an insertion sort on the whole keys (stable).
    constexpr std::size_t kFew = 24;
    if (n < kFew) {
        for (std::size_t i = 1; i < n; ++i) {
            const SortItem item = items[i];
            const std::string_view key = KeyOf(item);
            std::size_t j = i;
            for (; j > 0 && key < KeyOf(items[j - 1]); --j) items[j] = items[j - 1];
            items[j] = item;
        }
        return;
    }
    if (depth > 0) {
        for (std::size_t i = 0; i < n; ++i) {
            const Key& k = keys_[items[i].key];
            items[i].prefix = k.length > depth ? Prefix(text_.data() + k.offset + depth, k.length - depth) : 0;
        }
    }
    // Keys that came in order (numbered along the route) stay as they are.
    std::size_t inOrder = 1;
    while (inOrder < n) {
        const SortItem& a = items[inOrder - 1];
        const SortItem& b = items[inOrder];
        if (a.prefix > b.prefix || (a.prefix == b.prefix && KeyOf(b) < KeyOf(a))) break;
        ++inOrder;
    }
    if (inOrder == n) return;
    // A stable radix sort on those eight bytes, least significant byte first, a byte every key shares
    // skipped.
    std::array<std::array<std::uint32_t, 256>, 8> counts{};
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t p = items[i].prefix;
        for (int b = 0; b < 8; ++b) ++counts[b][(p >> (8 * b)) & 0xFF];
    }
    spare_.resize(order_.size());
    SortItem* from = items;
    SortItem* to = spare_.data() + first;
    for (int b = 0; b < 8; ++b) {
        std::array<std::uint32_t, 256>& count = counts[b];
        if (count[(from[0].prefix >> (8 * b)) & 0xFF] == n) continue;  // every key has this byte
        std::uint32_t total = 0;
        for (std::uint32_t& c : count) {
            const std::uint32_t here = c;
            c = total;
            total += here;
        }
        for (std::size_t i = 0; i < n; ++i) to[count[(from[i].prefix >> (8 * b)) & 0xFF]++] = from[i];
        std::swap(from, to);
    }
    if (from != items) std::copy(from, from + n, items);

    // Keys that share these eight bytes too: when one goes on past them, by the bytes that follow (a key
    // that ends within them has only zero bytes left and goes first); when all end within them, they
    // differ at most in trailing zero bytes, and the shorter goes first.
    for (std::size_t a = 0; a < n;) {
        std::size_t b = a + 1;
        while (b < n && items[b].prefix == items[a].prefix) ++b;
        if (b - a > 1) {
            const std::uint32_t length = keys_[items[a].key].length;
            bool longer = false;
            bool sameLength = true;
            for (std::size_t i = a; i < b; ++i) {
                const std::uint32_t l = keys_[items[i].key].length;
                longer = longer || l > depth + 8;
                sameLength = sameLength && l == length;
            }
            if (longer) {
                pending_.push_back({first + a, first + b, depth + 8});
            } else if (!sameLength) {
                std::stable_sort(items + a, items + b, [this](const SortItem& x, const SortItem& y) {
                    return keys_[x.key].length < keys_[y.key].length;
                });
            }
        }
        a = b;
    }
}

}  // namespace zav
