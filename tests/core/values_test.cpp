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

// The text of a value without a copy reads as ValueText, whatever the value holds.
TEST(Values, TextViewReadsAsValueText) {
    const Value cases[] = {Value{},
                           Value{std::string(" A 1 ")},
                           Value{std::int16_t{-32768}},
                           Value{std::int32_t{2147483647}},
                           Value{0.0},
                           Value{-0.0},
                           Value{-42.0},
                           Value{2147483647.0},
                           Value{2147483648.0},
                           Value{1.5},
                           Value{1e20}};
    std::string scratch = "left over";
    for (const Value& v : cases) EXPECT_EQ(ValueTextView(v, scratch), ValueText(v)) << ValueText(v);
}

}  // namespace
}  // namespace zav
