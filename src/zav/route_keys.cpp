#include "zav/route_keys.h"

#include <algorithm>
#include <numeric>

#include "core/text.h"
#include "zav/zav.h"

namespace zav {

namespace {
bool IsKeyChar(char c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }
bool EndsWith(std::string_view word, std::string_view tail) {
    return word.size() >= tail.size() && word.substr(word.size() - tail.size()) == tail;
}
}  // namespace

std::vector<std::string> IndexWords(std::string_view text, const std::unordered_set<std::string>& tokens) {
    std::vector<std::string> words;
    const std::string upper = UCase(text);
    std::size_t i = 0;
    while (i < upper.size()) {
        while (i < upper.size() && !IsKeyChar(upper[i])) ++i;
        const std::size_t start = i;
        while (i < upper.size() && IsKeyChar(upper[i])) ++i;
        const std::string_view word(upper.data() + start, i - start);
        if (word.size() < 2) continue;
        const bool startsWithLetter = word[0] >= 'A' && word[0] <= 'Z';
        if (!startsWithLetter && !EndsWith(word, "ST") && !EndsWith(word, "ND") && !EndsWith(word, "RD")) continue;
        std::string key(word);
        if (tokens.count(key) == 0) words.push_back(std::move(key));
    }
    return words;
}

void clsIndex::Insert(std::string key, std::int16_t position) {
    keys_.push_back(std::move(key));
    positions_.push_back(position);
}

void clsIndex::Clear() {
    keys_.clear();
    positions_.clear();
}

std::int32_t clsIndex::WriteRecord(clsZAV& database) {
    if (keys_.empty()) return 0;
    // A stable sort gives the order of a bubble sort that swaps only strictly smaller later keys. Keys
    // are compared by their first eight bytes as one number first (as character codes, a shorter key
    // padded with zero bytes), and whole only when those are equal.
    struct Entry {
        std::uint64_t prefix;
        std::size_t index;
    };
    std::vector<Entry> order(keys_.size());
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        std::uint64_t prefix = 0;
        const std::string& key = keys_[i];
        for (std::size_t b = 0; b < 8; ++b)
            prefix = prefix << 8 | (b < key.size() ? static_cast<unsigned char>(key[b]) : 0u);
        order[i] = {prefix, i};
    }
    std::stable_sort(order.begin(), order.end(), [&](const Entry& a, const Entry& b) {
        if (a.prefix != b.prefix) return a.prefix < b.prefix;
        return keys_[a.index] < keys_[b.index];
    });
    std::vector<std::string> keys;
    std::vector<std::int16_t> positions;
    keys.reserve(order.size());
    positions.reserve(order.size());
    for (const Entry& e : order) {
        keys.push_back(std::move(keys_[e.index]));
        positions.push_back(positions_[e.index]);
    }
    Clear();
    return database.AddIndexRecord(RouteIndex, IndexType, static_cast<std::int32_t>(keys.size()), keys, positions);
}

}  // namespace zav
