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
    // A stable sort gives the order of a bubble sort that swaps only strictly smaller later keys.
    std::vector<std::size_t> order(keys_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return keys_[a] < keys_[b]; });
    std::vector<std::string> keys;
    std::vector<std::int16_t> positions;
    keys.reserve(order.size());
    positions.reserve(order.size());
    for (std::size_t i : order) {
        keys.push_back(std::move(keys_[i]));
        positions.push_back(positions_[i]);
    }
    Clear();
    return database.AddIndexRecord(RouteIndex, IndexType, static_cast<std::int32_t>(keys.size()), keys, positions);
}

}  // namespace zav
