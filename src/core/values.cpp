#include "core/values.h"

#include <charconv>

#include "core/errors.h"
#include "core/number.h"
#include "core/text.h"

namespace zav {

std::string ValueText(const Value& value) {
    struct Visitor {
        std::string operator()(std::monostate) const { return ""; }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(std::int16_t n) const { return std::to_string(n); }
        std::string operator()(std::int32_t n) const { return std::to_string(n); }
        std::string operator()(double d) const { return NumberText(d); }
    };
    return std::visit(Visitor{}, value);
}

std::string_view ValueTextView(const Value& value, std::string& scratch) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (std::holds_alternative<std::monostate>(value)) return {};
    const auto whole = [&scratch](std::int32_t n) {
        char digits[12];
        const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, n);
        scratch.assign(digits, end);
    };
    if (const auto* n = std::get_if<std::int32_t>(&value)) {
        whole(*n);
    } else if (const auto* n16 = std::get_if<std::int16_t>(&value)) {
        whole(*n16);
    } else if (const auto* d = std::get_if<double>(&value);
               d != nullptr && *d >= INT32_MIN && *d <= INT32_MAX && *d == static_cast<std::int32_t>(*d)) {
        whole(static_cast<std::int32_t>(*d));  // a whole number reads as NumberText writes it
    } else {
        scratch = ValueText(value);
    }
    return scratch;
}

double ValueNumber(const Value& value) {
    struct Visitor {
        double operator()(std::monostate) const { return 0; }
        double operator()(const std::string& s) const { return Val(s); }
        double operator()(std::int16_t n) const { return n; }
        double operator()(std::int32_t n) const { return n; }
        double operator()(double d) const { return d; }
    };
    return std::visit(Visitor{}, value);
}

void Values::Add(std::string key, Value value) {
    if (Find(key) != nullptr) throw RuntimeError(kErrDuplicateKey);
    entries_.emplace_back(std::move(key), std::move(value));
}

const Value* Values::Find(std::string_view key) const {
    for (const auto& [k, v] : entries_)
        if (EqualsNoCase(k, key)) return &v;
    return nullptr;
}

Value* Values::Find(std::string_view key) {
    return const_cast<Value*>(static_cast<const Values&>(*this).Find(key));
}

const Value& Values::Item(std::string_view key) const {
    const Value* v = Find(key);
    if (v == nullptr) throw RuntimeError(kErrInvalidCall);
    return *v;
}

}  // namespace zav
