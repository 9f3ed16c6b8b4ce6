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
bool EndsInOrdinal(std::string_view word) {
    const char a = word[word.size() - 2];
    const char b = word[word.size() - 1];
    return (a == 'S' && b == 'T') || (a == 'N' && b == 'D') || (a == 'R' && b == 'D');
}

// A word of up to seven characters as one number: its bytes, then its length.
std::uint64_t ShortWord(std::string_view word) {
    std::uint64_t v = 0;
    for (const char c : word) v = v << 8 | static_cast<unsigned char>(c);
    return v << (8 * (8 - word.size())) | word.size();
}
constexpr std::size_t kShortWord = 7;

// The first eight bytes of a key as one big-endian number, zero bytes past its end.
std::uint64_t Prefix(const char* key, std::size_t length) {
    std::uint64_t v = 0;
    if (length >= 8) {
        std::memcpy(&v, key, 8);
        return __builtin_bswap64(v);
    }
    for (std::size_t b = 0; b < length; ++b) v = v << 8 | static_cast<unsigned char>(key[b]);
    return v << (8 * (8 - length));
}

// Calls take(start, length) for each key word of `text`, its upper-cased characters written to `out`
// from `start` first; a word that is no key is taken back out of `out`.
template <typename IsToken, typename Take>
void ScanWords(std::string_view text, std::string& out, IsToken&& isToken, Take&& take) {
    const char* map = kKeyChars.map;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        while (i < n && map[static_cast<unsigned char>(text[i])] == 0) ++i;
        const std::size_t start = i;
        while (i < n && map[static_cast<unsigned char>(text[i])] != 0) ++i;
        const std::size_t length = i - start;
        if (length < 2) continue;
        const std::size_t at = out.size();
        out.resize(at + length);
        char* to = out.data() + at;
        for (std::size_t k = start; k < i; ++k) *to++ = map[static_cast<unsigned char>(text[k])];
        const std::string_view word(out.data() + at, length);
        const bool startsWithLetter = word[0] >= 'A' && word[0] <= 'Z';
        if ((startsWithLetter || EndsInOrdinal(word)) && !isToken(word)) {
            take(at, length);
        } else {
            out.resize(at);
        }
    }
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
    const std::uint64_t v = ShortWord(upperWord);
    const auto at = std::lower_bound(short_.begin(), short_.end(), v);
    if (at == short_.end() || *at != v) short_.insert(at, v);
}

void IndexTokens::Clear() {
    short_.clear();
    long_.clear();
}

bool IndexTokens::Contains(std::string_view word) const {
    if (word.size() > kShortWord) return !long_.empty() && long_.find(word) != long_.end();
    return std::binary_search(short_.begin(), short_.end(), ShortWord(word));
}

std::vector<std::string> IndexWords(std::string_view text, const std::unordered_set<std::string>& tokens) {
    std::vector<std::string> words;
    std::string out;
    ScanWords(
        text, out, [&](std::string_view word) { return tokens.count(std::string(word)) != 0; },
        [&](std::size_t start, std::size_t length) {
            words.emplace_back(out, start, length);
            out.clear();
        });
    return words;
}

void clsIndex::Collect(std::size_t offset, std::int16_t position) {
    const std::size_t length = text_.size() - offset;
    keys_.push_back({Prefix(text_.data() + offset, length), static_cast<std::uint32_t>(offset),
                     static_cast<std::uint32_t>(length), position});
}

void clsIndex::Insert(std::string_view key, std::int16_t position) {
    const std::size_t offset = text_.size();
    text_.append(key);
    Collect(offset, position);
}

void clsIndex::InsertUpper(std::string_view key, std::int16_t position) {
    const std::size_t offset = text_.size();
    AppendUCase(text_, key);
    Collect(offset, position);
}

void clsIndex::InsertWords(std::string_view text, const IndexTokens& tokens, std::int16_t position) {
    ScanWords(
        text, text_, [&](std::string_view word) { return tokens.Contains(word); },
        [&](std::size_t start, std::size_t) { Collect(start, position); });
}

void clsIndex::Clear() {
    text_.clear();
    keys_.clear();
}

std::int32_t clsIndex::WriteRecord(clsZAV& database) {
    if (keys_.empty()) return 0;
    SortKeys();
    const char* text = text_.data();
    sortedKeys_.clear();
    sortedPositions_.clear();
    for (const Key& k : keys_) {
        sortedKeys_.emplace_back(text + k.offset, k.length);
        sortedPositions_.push_back(k.position);
    }
    const std::int32_t leftOut = database.AddIndexRecord(RouteIndex, IndexType, sortedKeys_, sortedPositions_);
    Clear();
    return leftOut;
}

void clsIndex::SortKeys() {
    // By character codes, equal keys in collection order: the order of a bubble sort that swaps only
    // strictly smaller later keys. A stable radix sort on the first eight bytes (least significant byte
    // first, a byte every key shares skipped) orders nearly all; runs that share those eight bytes are
    // then put in order by their whole keys, keeping the collection order of equal ones.
    const std::size_t n = keys_.size();
    std::array<std::array<std::uint32_t, 256>, 8> counts{};
    for (const Key& k : keys_)
        for (int b = 0; b < 8; ++b) ++counts[b][(k.prefix >> (8 * b)) & 0xFF];
    spare_.resize(n);
    for (int b = 0; b < 8; ++b) {
        std::array<std::uint32_t, 256>& count = counts[b];
        if (count[(keys_[0].prefix >> (8 * b)) & 0xFF] == n) continue;  // every key has this byte
        std::uint32_t total = 0;
        for (std::uint32_t& c : count) {
            const std::uint32_t here = c;
            c = total;
            total += here;
        }
        for (const Key& k : keys_) spare_[count[(k.prefix >> (8 * b)) & 0xFF]++] = k;
        keys_.swap(spare_);
    }
    const char* text = text_.data();
    for (std::size_t first = 0; first < n;) {
        std::size_t last = first + 1;
        bool whole = keys_[first].length > 8;
        while (last < n && keys_[last].prefix == keys_[first].prefix) {
            whole = whole || keys_[last].length > 8 || keys_[last].length != keys_[first].length;
            ++last;
        }
        // Up to eight bytes each and of one length, keys with the same first eight bytes are equal.
        if (whole && last - first > 1) {
            std::stable_sort(keys_.begin() + static_cast<std::ptrdiff_t>(first),
                             keys_.begin() + static_cast<std::ptrdiff_t>(last), [text](const Key& a, const Key& b) {
                                 return std::string_view(text + a.offset, a.length) <
                                        std::string_view(text + b.offset, b.length);
                             });
        }
        first = last;
    }
}

}  // namespace zav
