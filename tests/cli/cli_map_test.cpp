// `map list`, `map show` and the prompted values of the command line.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "cli/command.h"
#include "core/file_io.h"
#include "maps/exch_map.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

class CliMapTest : public testing::Test {
  protected:
    test::TempDir dir;
    std::filesystem::path home = dir / "home";

    void SetUp() override { std::filesystem::create_directories(home); }
    int Run(const std::string& args, std::string* out = nullptr, bool withStderr = false) {
        std::string cmd = std::string(ZAV_BINARY) + " --home '" + home.string() + "' " + args + " </dev/null" +
                          (withStderr ? " 2>&1" : " 2>/dev/null");
        return test::RunCommand(cmd, out);
    }
};

TEST_F(CliMapTest, ListGroupsTheMapsByUse) {
    for (const char* name : {"zeta.zcm", "Alpha.zcm", "Upload.zrm", "Notes.txt", "Odd.ZCM", ".zom"})
        WriteFileBytes(home / name, "");
    std::filesystem::create_directory(home / "Folder.zrm");
    std::string out;
    ASSERT_EQ(Run("map list", &out), 0);
    EXPECT_EQ(out,
              "Route and re-read maps (.zcm):\n    Alpha\n    zeta\n"
              "Reading maps (.zrm):\n    Upload\n"
              "Orphan maps (.zom):\n    (none)\n");
}

TEST_F(CliMapTest, ShowPrintsSettingsFieldsAndValidation) {
    std::filesystem::copy_file(std::filesystem::path(ZAV_FIXTURES) / "maps" / "Orphans.zom", home / "Orphans.zom");
    std::string out;
    ASSERT_EQ(Run("map show Orphans.zom", &out), 0);
    EXPECT_EQ(out,
              "Map: Orphans.zom\n"
              "Use: Orphan maps (.zom)\n"
              "Type: 2 (Delimited)\n"
              "Delimiter: <tab>\n"
              "Quote: <none>\n"
              "Terminator: 2 (<lf>)\n"
              "Record length: 0 (no padding)\n"
              "Filter: 0 (All Entries)\n"
              "Options: (none)\n"
              "Fields (10, * required):\n"
              "   1 MeterTagNbr        Real     Write to Destination  column 1\n"
              "   2 CurReading         Real     Write to Destination  column 2\n"
              "   3 ReadingDate        Date     Write to Destination  column 3, format 26 (MM/DD/YYYY)\n"
              "   4 ReadingTime        Time     Do Not Map\n"
              "   5 TamperCount        Long     Do Not Map\n"
              "   6 UtilityCode        Integer  Do Not Map\n"
              "   7 PrvReading         Real     Do Not Map            label \"NearbyTagNbr1\"\n"
              "   8 MaxReading         Real     Do Not Map            label \"NearbyTagNbr2\"\n"
              "   9 MinReading         Real     Do Not Map            label \"NearbyTagNbr3\"\n"
              "  10 LstReadingDate     Real     Write to Destination  column 4, label \"NearbyTagNbr4\"\n"
              "Validation: OK\n");

    std::filesystem::copy_file(std::filesystem::path(ZAV_FIXTURES) / "maps" / "Cycle.zcm", home / "Cycle.zcm");
    out.clear();
    ASSERT_EQ(Run("map show Cycle.zcm", &out), 0);
    EXPECT_NE(out.find("   2 Sequence *         Real     Autonumber\n"), std::string::npos) << out;
    EXPECT_NE(out.find("   4 MeterType *        Text     Map Constant          \"W\"\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Validation: OK\n"), std::string::npos) << out;

    WriteFileBytes(home / "Broken.zcm", std::string("MAPTYPE=1\r\nRouteNbr=\xff,,\r\n\0\0", 23));
    out.clear();
    ASSERT_EQ(Run("map show Broken.zcm", &out), 0);
    EXPECT_NE(out.find("Validation: Mapping Errors found:\n    Position of RouteNbr is required\n"
                       "    Mapping of Sequence is required\n"),
              std::string::npos)
        << out;
}

TEST_F(CliMapTest, ShowRefusesWhatIsNotAMapOfTheHomeFolder) {
    std::string err;
    EXPECT_EQ(Run("map show Missing.zrm", &err, true), 1);
    EXPECT_EQ(err, "Error: No map file " + (home / "Missing.zrm").string() + "\n");
    std::filesystem::create_directory(home / "Folder.zcm");
    err.clear();
    EXPECT_EQ(Run("map show Folder.zcm", &err, true), 1);
    EXPECT_EQ(err, "Error: Could not read map file " + (home / "Folder.zcm").string() + "\n");
    for (const char* args :
         {"map show ../x.zcm", "map show Billing", "map show Billing.txt", "map show .zcm", "map", "map show"})
        EXPECT_EQ(Run(args), 2) << args;
}

TEST(PromptOptions, ParseAndCheckAgainstTheMap) {
    EXPECT_EQ(ParsePromptOptions({"Message=a=b", "UtilityCode="}),
              (std::map<std::string, std::string>{{"Message", "a=b"}, {"UtilityCode", ""}}));
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"Message"}, {"=x"}, {"Message=1", "Message=2"}})
        EXPECT_THROW(ParsePromptOptions(bad), UsageError) << bad.front();

    clsExchMap map;
    map.NewMap("P.zcm", kMapRoute);
    map.MapOption("Message", kMapPrompt);
    EXPECT_NO_THROW(CheckPromptOptions(map, {{"Message", "x"}}));
    for (const char* name : {"message", "Digits", "Nope"})
        EXPECT_THROW(CheckPromptOptions(map, {{name, "x"}}), UsageError) << name;
}

TEST(TerminalPrompts, WithoutATerminalValuesComeFromTheOptions) {
    const std::vector<PromptField> fields = {
        {"Message", 0, false}, {"LstReadingDate", 4, false}, {"UtilityCode", 1, true}, {"User1", 0, false}};
    struct Case {
        std::map<std::string, std::string> given;
        const char* result;
        std::vector<std::pair<std::string, std::string>> answers;
    };
    const Case cases[] = {
        {{{"UtilityCode", "12"}, {"Message", "hi"}},
         "OK",
         {{"Message", "hi"}, {"UtilityCode", "12"}, {"User1", ""}}},  // no box, no value for the date
        {{{"Message", "hi"}}, "CANCEL", {}},                          // a required field left empty
        {{{"UtilityCode", "  "}}, "CANCEL", {}},
        {{{"UtilityCode", "x1"}}, "CANCEL", {}},  // the numeric box would not take it
    };
    for (const Case& c : cases) {
        TerminalFrontend terminal;
        terminal.SetInteractive(false);
        terminal.SetPromptValues(c.given);
        std::vector<std::pair<std::string, std::string>> answers;
        EXPECT_EQ(terminal.PromptVariables(fields, answers), c.result);
        if (std::string(c.result) == "OK") {
            EXPECT_EQ(answers, c.answers);
        }
    }
}

TEST(TerminalPrompts, OnATerminalEachBoxIsAskedUntilItIsAccepted) {
    const std::vector<PromptField> fields = {{"Message", 0, false}, {"ReadingDate", 4, true}, {"UtilityCode", 1, true}};
    struct Case {
        std::map<std::string, std::string> given;
        const char* input;
        const char* result;
        std::vector<std::pair<std::string, std::string>> answers;
    };
    const Case cases[] = {
        {{}, "hi\nx1\n  \n1234\n12\n", "OK", {{"Message", "hi"}, {"UtilityCode", "12"}}},
        {{{"Message", "given"}}, "7\n", "OK", {{"Message", "given"}, {"UtilityCode", "7"}}},
        {{}, "hi\n", "CANCEL", {}},  // the input ends before a required value
    };
    for (const Case& c : cases) {
        std::istringstream input(c.input);
        std::streambuf* saved = std::cin.rdbuf(input.rdbuf());
        TerminalFrontend terminal;
        terminal.SetInteractive(true);
        terminal.SetPromptValues(c.given);
        std::vector<std::pair<std::string, std::string>> answers;
        const std::string result = terminal.PromptVariables(fields, answers);
        std::cin.rdbuf(saved);
        EXPECT_EQ(result, c.result) << c.input;
        if (result == "OK") {
            EXPECT_EQ(answers, c.answers) << c.input;
        }
    }
}

}  // namespace
}  // namespace zav
