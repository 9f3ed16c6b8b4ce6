#include "core/values.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace zav {
namespace {

TEST(Values, KeyedWithoutRegardToCaseInInsertionOrder) {
    Values v;
    v.Add("MeterNumber", std::string("M1"));
    v.Add("Dials", std::int16_t{5});
    v.Add("Account", std::int32_t{70000});
    v.Add("Factor", 1.5);
    EXPECT_EQ(ValueText(v.Item("meternumber")), "M1");
    EXPECT_EQ(ValueNumber(v.Item("DIALS")), 5);
    EXPECT_EQ(ValueText(v.Item("Account")), "70000");
    EXPECT_EQ(ValueText(v.Item("Factor")), "1.5");
    EXPECT_FALSE(v.Contains("Missing"));
    std::vector<std::string> keys;
    for (const auto& [k, value] : v) keys.push_back(k);
    EXPECT_EQ(keys, (std::vector<std::string>{"MeterNumber", "Dials", "Account", "Factor"}));

    try {
        v.Add("DIALS", std::int16_t{1});
        ADD_FAILURE() << "duplicate accepted";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), 457);
    }
    EXPECT_THROW(v.Item("Missing"), RuntimeError);
    EXPECT_EQ(ValueText(Value{}), "");
    EXPECT_EQ(ValueNumber(Value{std::string("12a5")}), 12);
}

}  // namespace
}  // namespace zav
