// Packed user fields and the digits test.
#include "exchange/user_fields.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

TEST(UserFields, CombineAndExtractRoundTrip) {
    EXPECT_EQ(CombineUser({"a", "b", "c"}), "a~b~c");
    EXPECT_EQ(ExtractUser("a~b~c"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(ExtractUser(""), (std::vector<std::string>{""}));
    EXPECT_EQ(ExtractUser("~"), (std::vector<std::string>{"", ""}));

    // A zero byte would end the stored text and a "~" would split a value: both survive packing.
    const std::vector<std::string> awkward{std::string("x\0y", 3), "1~2", "", "plain"};
    const std::string packed = CombineUser(awkward);
    EXPECT_EQ(packed.find('\0'), std::string::npos);
    EXPECT_EQ(packed, std::string("x\1y~1\2"
                                  "2~~plain"));
    EXPECT_EQ(ExtractUser(packed), awkward);
}

TEST(UserFields, CombineIntoPacksLikeCombineWhereverTheBytesStand) {
    // Parts short and long, a zero byte or "~" at the start, middle or end of a part, or in none: the
    // packed text is CombineUser's, in storage reused from call to call.
    const std::string zero("\0", 1);
    const std::string longText(40, 'L');
    const std::vector<std::vector<std::string>> cases = {
        {},
        {""},
        {"plain", "", "parts"},
        {"~"},
        {zero},
        {"a~b", "c"},
        {"a", "b" + zero},
        {longText, longText + "~", "x"},
        {longText + zero + longText, "", ""},
        {std::string(5000, 'p') + "~", "q"},
        {"0", "123456789012345", "~1234567890123456", "12345678901234567" + zero},
    };
    std::string out = "left over from before";
    for (const auto& parts : cases) {
        SCOPED_TRACE(CombineUser(parts));
        const std::vector<std::string_view> views(parts.begin(), parts.end());
        switch (views.size()) {
            case 0:
                CombineUserInto(out, {});
                break;
            case 1:
                CombineUserInto(out, {views[0]});
                break;
            case 2:
                CombineUserInto(out, {views[0], views[1]});
                break;
            case 3:
                CombineUserInto(out, {views[0], views[1], views[2]});
                break;
            default:
                CombineUserInto(out, {views[0], views[1], views[2], views[3]});
                break;
        }
        EXPECT_EQ(out, CombineUser(parts));
        if (!parts.empty()) {
            EXPECT_EQ(ExtractUser(out), parts);
        }
    }
}

TEST(UserFields, ExtractIntoViewsReusesItsStorage) {
    std::string storage;
    std::vector<std::string_view> parts;
    const std::string plain = "a~~bc";
    ExtractUserInto(plain, storage, parts);
    EXPECT_EQ(parts, (std::vector<std::string_view>{"a", "", "bc"}));
    EXPECT_EQ(parts[2].data(), plain.data() + 3) << "nothing to turn back: views into the packed text";

    const std::string packed = std::string("x\1y~1\2") + "2";
    ExtractUserInto(packed, storage, parts);
    EXPECT_EQ(parts, (std::vector<std::string_view>{std::string_view("x\0y", 3), "1~2"}));

    ExtractUserInto("", storage, parts);
    EXPECT_EQ(parts, (std::vector<std::string_view>{""}));
}

TEST(UserFields, IsAllDigits) {
    EXPECT_TRUE(IsAllDigits(" 0123 "));
    EXPECT_TRUE(IsAllDigits("7"));
    EXPECT_FALSE(IsAllDigits("12a"));
    EXPECT_FALSE(IsAllDigits(""));
    EXPECT_FALSE(IsAllDigits("   "));
    EXPECT_FALSE(IsAllDigits("-12"));
    EXPECT_FALSE(IsAllDigits("1 2"));
    EXPECT_FALSE(IsAllDigits("\t12"));  // only spaces are trimmed
}

}  // namespace
}  // namespace zav
