// A keyed collection of typed values: one record's fields by name (a parsed route line, the values of
// a ZAV record). Keys keep their insertion order and compare without regard to letter case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace zav {

// Empty, text (bytes), 16-bit integer, 32-bit integer, or double-precision real.
using Value = std::variant<std::monostate, std::string, std::int16_t, std::int32_t, double>;

// The value as text the way the platform converts it: numbers in their plain decimal form
// (NumberText), empty for an empty value.
std::string ValueText(const Value& value);
// The same text without copying a stored text: a text value is viewed where it is, any other value is
// written into `scratch` (valid while `value` and `scratch` are unchanged).
std::string_view ValueTextView(const Value& value, std::string& scratch);
// The value as a number: numbers as they are, text through Val (so it may throw overflow), empty 0.
double ValueNumber(const Value& value);

class Values {
public:
    using Entry = std::pair<std::string, Value>;

    // Adds a value under `key`. THROWS RuntimeError(457) when the key is already there.
    void Add(std::string key, Value value);
    // Adds a value without looking for the key first, for callers that build a collection from keys
    // known to differ (a record schema's field names). REQUIRES: !Contains(key).
    void Append(std::string key, Value value) { entries_.emplace_back(std::move(key), std::move(value)); }
    // The value under `key`, or nullptr.
    const Value* Find(std::string_view key) const;
    Value* Find(std::string_view key);
    // The value under `key`. THROWS RuntimeError(5) when there is none.
    const Value& Item(std::string_view key) const;
    bool Contains(std::string_view key) const { return Find(key) != nullptr; }

    std::size_t Count() const { return entries_.size(); }
    bool Empty() const { return entries_.empty(); }
    void Clear() { entries_.clear(); }
    void Reserve(std::size_t n) { entries_.reserve(n); }
    std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries_.end(); }

private:
    std::vector<Entry> entries_;
};

}  // namespace zav
