// Runtime prompt values: which fields are asked, the stored order, the required check and the
// OK/CANCEL contract, with a scripted frontend.
#include "exchange/prompts.h"

#include <gtest/gtest.h>

#include "maps/exch_map.h"
#include "support/fake_frontend.h"

namespace zav {
namespace {

class PromptsTest : public testing::Test {
  protected:
    test::FakeFrontend ui;
    ScopedFrontend scoped{ui};
    clsExchMap map;

    void SetUp() override {
        map.NewMap("P.zcm", kMapRoute);
        Prompts().Clear();
    }
    void Prompt(const char* field) { map.MapOption(field, kMapPrompt); }
};

TEST(ClsPrompts, ValueOfTheFirstExactName) {
    clsPrompts p;
    p.Add("Message", "one");
    p.Add("Message", "two");
    EXPECT_EQ(p.Value("Message"), "one");
    EXPECT_EQ(p.Value("message"), "");
    p.Clear();
    EXPECT_EQ(p.Value("Message"), "");
}

TEST_F(PromptsTest, NoPromptedFieldAnswersOkWithoutAsking) {
    Prompts().Add("Kept", "1");
    EXPECT_EQ(DisplayPromptVariables(map), "OK");
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(Prompts().Value("Kept"), "1") << "the list is left as it is";
}

TEST_F(PromptsTest, AnswersAreStoredTextFirstThenNumbersDatesGetNone) {
    Prompt("Digits");          // integer
    Prompt("LstReadingDate");  // date: no box
    Prompt("Message");         // text
    Prompt("Lat");             // real
    Prompt("User1");           // text
    ui.promptAnswers.push_back(
        {"OK", {{"Lat", "-1.5"}, {"User1", " u "}, {"Digits", "12"}, {"Message", "hi"}, {"LstReadingDate", "x"}}});
    EXPECT_EQ(DisplayPromptVariables(map), "OK");
    EXPECT_EQ(ui.calls, std::vector<std::string>{"PromptVariables(Digits,LstReadingDate,Lat,Message,User1)"});
    EXPECT_EQ(Prompts().Pairs(), (std::vector<std::pair<std::string, std::string>>{
                                     {"Message", "hi"}, {"User1", " u "}, {"Digits", "12"}, {"Lat", "-1.5"}}));
    EXPECT_EQ(Prompts().Value("LstReadingDate"), "");

    // A second display holds only its own answers; a cancelled one leaves the list empty.
    ui.promptAnswers.push_back({"OK", {{"Message", "again"}}});
    EXPECT_EQ(DisplayPromptVariables(map), "OK");
    EXPECT_EQ(Prompts().Value("Message"), "again");
    EXPECT_EQ(Prompts().Value("Digits"), "");
    ui.promptAnswers.push_back({"CANCEL", {{"Message", "ignored"}}});
    EXPECT_EQ(DisplayPromptVariables(map), "CANCEL");
    EXPECT_TRUE(Prompts().Pairs().empty());
}

TEST_F(PromptsTest, AnswersTheWindowWouldRefuseCancel) {
    Prompt("MeterType");    // required text
    Prompt("UtilityCode");  // required integer
    struct Case {
        std::vector<std::pair<std::string, std::string>> answers;
        const char* message;  // "" when accepted
    };
    const Case cases[] = {
        {{{"MeterType", "W"}, {"UtilityCode", "12"}}, ""},
        {{{"MeterType", "   "}, {"UtilityCode", "12"}}, "ShowMessage(Marquand|MeterType Required)"},
        {{{"MeterType", "W"}}, "ShowMessage(Marquand|UtilityCode Required)"},
        {{{"UtilityCode", ""}}, "ShowMessage(Marquand|MeterType Required)"},  // text boxes are checked first
        {{{"MeterType", "W"}, {"UtilityCode", "1a"}},
         "ShowMessage(Marquand|UtilityCode takes only digits, \".\" and \"-\", at most 3 characters)"},
        {{{"MeterType", "W"}, {"UtilityCode", "1234"}},
         "ShowMessage(Marquand|UtilityCode takes only digits, \".\" and \"-\", at most 3 characters)"},
        {{{"MeterType", "W"}, {"UtilityCode", "-.-"}}, ""},  // what the box takes, the parser reads as 0
    };
    for (const Case& c : cases) {
        ui.calls.clear();
        ui.promptAnswers.push_back({"OK", c.answers});
        const std::string expected = *c.message ? "CANCEL" : "OK";
        EXPECT_EQ(DisplayPromptVariables(map), expected) << c.message;
        if (*c.message)
            EXPECT_EQ(ui.calls.back(), c.message);
        else
            EXPECT_EQ(ui.calls.size(), 1u);
    }
}

TEST(NumericPromptBox, TakesDigitsPointAndMinusUpToItsLength) {
    EXPECT_TRUE(NumericPromptAccepts(kInteger, "999"));
    EXPECT_FALSE(NumericPromptAccepts(kInteger, "1000"));
    EXPECT_TRUE(NumericPromptAccepts(kLong, "-1.2."));
    EXPECT_FALSE(NumericPromptAccepts(kLong, "1e5"));
    EXPECT_TRUE(NumericPromptAccepts(kReal, "1234567890"));
    EXPECT_FALSE(NumericPromptAccepts(kReal, "12345678901"));
    EXPECT_FALSE(NumericPromptAccepts(kReal, " 1"));
    EXPECT_TRUE(NumericPromptAccepts(kReal, ""));
}

}  // namespace
}  // namespace zav
