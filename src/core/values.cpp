#include "core/values.h"

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
