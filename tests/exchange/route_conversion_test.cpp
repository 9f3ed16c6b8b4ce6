// The route conversion end to end through the scripted frontend: the driver's checks, questions and
// log lines, the flat converter's records and validation, and the automatic installation.
#include <gtest/gtest.h>

#include <fstream>

#include "advanced/advanced.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "exchange/exchange.h"
#include "exchange/host_converters.h"
#include "exchange/prompts.h"
#include "install/hotsync.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"
#include "zav/zav.h"

namespace zav {
namespace {

namespace fs = std::filesystem;
using V = std::vector<std::string>;

// Columns: route, sequence, tag, meter type, read type, last reading date (MM/DD/YYYY), address,
// name, account, serial, message.
constexpr const char* kMap =
    "ZAV=1.1\r\nMAPTYPE=2\r\nMAPDELIMITER=,\r\nMAPQUOTE=\r\nMAPTERMINATOR= 3 \r\nMAPLENGTH=0\r\n"
    "RouteNbr=1,0,,,0\r\nSequence=2,0,,,0\r\nMeterTagNbr=3,0,,,0\r\nMeterType=4,0,,,0\r\nReadType=5,0,,,0\r\n"
    "LstReadingDate=6,0,,,26\r\nServiceAddress=7,0,,,0\r\nBillingName=8,0,,,0\r\nServiceUniqueID=9,0,,,0\r\n"
    "MeterSerialNbr=10,0,,,0\r\nMessage=11,0,,,0\r\nUtilityCode=C,1\r\n";

// A fixed clock: 9 January 2024, 14:30:15 local time.
std::time_t FixedTime() {
    std::tm t{};
    t.tm_year = 124;
    t.tm_mon = 0;
    t.tm_mday = 9;
    t.tm_hour = 14;
    t.tm_min = 30;
    t.tm_sec = 15;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

std::string Meter(const std::string& route, int seq, const std::string& tag, const std::string& read = "R",
                  const std::string& type = "W", const std::string& date = "01/02/2024",
                  const std::string& address = "12 MAIN ST", const std::string& name = "SMITH") {
    return route + "," + std::to_string(seq) + "," + tag + "," + type + "," + read + "," + date + "," + address + "," +
           name + ",A" + std::to_string(seq) + ",S" + std::to_string(seq) + ",";
}

class RouteConversionTest : public testing::Test {
  protected:
    test::TempDir dir;
    RegistryStore store{dir / "registry.sqlite3"};
    test::FakeFrontend ui;
    ScopedFrontend scoped{ui};
    ScopedFixedClock clock{FixedTime()};
    clsExchange ex{store};
    std::string started = "Route Conversion Starting " + ShortTime(FixedTime()) + " " + ShortDate(FixedTime());

    void SetUp() override {
        Prompts().Clear();
        ex.HomeFolder = dir.Path();
        ex.RouteSource = "route.txt";
        ex.RouteDestination = "RouteZAV.pdb";
        ex.RouteMap = "T";
        ex.RouteZAVType = "PDB";
        WriteFileBytes(dir / "T.zcm", kMap);
    }
    ~RouteConversionTest() override {
        ReleaseSharedAdvanced();
        RegisterHostFormatConverters({});
    }

    void Source(const V& lines) {
        std::string text;
        for (const auto& l : lines) text += l + "\r\n";
        WriteFileBytes(dir / "route.txt", text);
    }
    bool Convert(const V& lines) {
        Source(lines);
        return ex.ConvertRoute();
    }
    // The opening lines of a conversion that starts.
    V Opening() const { return {"Reading from route.txt", "Writing to RouteZAV.pdb", "Using Map: T", started}; }
    static V Join(V a, const V& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }

    // Every record of the database: RecType and, for schema records, the values.
    struct Record {
        std::int32_t recType;
        Values values;
        std::string raw;
    };
    std::vector<Record> Records(const fs::path& file) {
        std::vector<Record> out;
        clsZAV db;
        EXPECT_FALSE(db.OpenZAVWithFileVersion(file)) << file;
        while (db.ReadData()) out.push_back({db.RecType(), db.GetValues(), db.RawData()});
        return out;
    }
    std::vector<Record> Records() { return Records(dir / "RouteZAV.pdb"); }
    static std::vector<const Record*> OfType(const std::vector<Record>& records, std::int32_t type) {
        std::vector<const Record*> out;
        for (const auto& r : records)
            if (r.recType == type) out.push_back(&r);
        return out;
    }
    static double Num(const Record& r, const char* field) { return ValueNumber(r.values.Item(field)); }
    static std::string Text(const Record& r, const char* field) { return ValueText(r.values.Item(field)); }
};

TEST_F(RouteConversionTest, InterleavedRoutesGetOneRouteRecordEachAndOrdinalsInFileOrder) {
    ASSERT_TRUE(Convert({Meter("A", 1, "101"), Meter("B", 2, "102"), Meter("A", 3, "103"), Meter("B", 4, "104"),
                         Meter("A", 5, "105")}));
    EXPECT_EQ(ui.log, Join(Opening(), {"5 meters written to Route ZAV File", "Route Conversion Finished", ""}));
    EXPECT_TRUE(ui.calls.empty()) << ui.calls.front();

    const auto records = Records();
    ASSERT_GE(records.size(), 8u);
    const Record& header = records[0];
    EXPECT_EQ(header.recType, 0);
    EXPECT_EQ(Num(header, "RouteNbr"), 2);
    EXPECT_EQ(Num(header, "PrvReading"), 5);
    EXPECT_EQ(Num(header, "Sequence"), 20240109);
    EXPECT_EQ(Num(header, "ReadingDate"), 20240109);
    EXPECT_EQ(Num(header, "MeterTagNbr"), 1430);
    EXPECT_EQ(Num(header, "MeterType"), 3);
    EXPECT_EQ(Text(header, "Initials"), "ZAV loaded from route.txt");

    const auto routes = OfType(records, 1);
    ASSERT_EQ(routes.size(), 2u);
    EXPECT_EQ(records[1].recType, 1);
    EXPECT_EQ(records[2].recType, 1);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Num(*routes[i], "RouteNbr"), i + 1);
        EXPECT_EQ(Num(*routes[i], "PrvReading"), i == 0 ? 3 : 2);
        EXPECT_EQ(Text(*routes[i], "Initials"), i == 0 ? "A" : "B");
        EXPECT_EQ(Text(*routes[i], "ResponseText"), i == 0 ? "A" : "B");
    }
    const auto meters = OfType(records, 2);
    ASSERT_EQ(meters.size(), 5u);
    const int ordinals[] = {1, 2, 1, 2, 1};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Num(*meters[i], "RouteNbr"), ordinals[i]);
        EXPECT_EQ(Num(*meters[i], "Sequence"), i + 1);
        EXPECT_EQ(Num(*meters[i], "MeterTagNbr"), 101 + i);
        EXPECT_EQ(Num(*meters[i], "LstReadingDate"), 20240102);
        EXPECT_EQ(Num(*meters[i], "UtilityCode"), 1);
        EXPECT_EQ(Text(*meters[i], "ServiceUniqueID"), "A" + std::to_string(i + 1));
    }
    // Index records: route 1 is not contiguous, so it gets records twice; then the alert record.
    const auto indexes = OfType(records, 6);
    EXPECT_FALSE(indexes.empty());
    EXPECT_EQ(records.back().recType, 7);
}

TEST_F(RouteConversionTest, ReadTypesMeterTypesAndTheRadioChecks) {
    // Hand-read lines ("M", "P", "S" in any case) skip the tag's maximum, required and duplicate checks.
    ASSERT_TRUE(Convert({
        Meter("A", 1, "101", "R", "W"), Meter("A", 2, "", "p", "G"),
        Meter("A", 3, "", "P", "E"),          // a second blank tag on a probe line is no duplicate
        Meter("A", 4, "99999999", "m", "7"),  // above the maximum, but read by hand
        Meter("A", 5, "0", "S", "0"), Meter("A", 6, "106", "7", "a"),  // no letter: the number read from ReadType
    }));
    EXPECT_EQ(ui.log, Join(Opening(), {"6 meters written to Route ZAV File", "Route Conversion Finished", ""}));
    const auto records = Records();
    const auto meters = OfType(records, 2);
    ASSERT_EQ(meters.size(), 6u);
    const int readTypes[] = {1, 3, 3, 2, 2, 7};
    const int meterTypes[] = {87, 71, 69, 7, 0, 97};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(Num(*meters[i], "ReadType"), readTypes[i]) << i;
        EXPECT_EQ(Num(*meters[i], "MeterType"), meterTypes[i]) << i;
    }
}

TEST_F(RouteConversionTest, DuplicateRadioTagStopsWithBothLines) {
    EXPECT_FALSE(Convert({Meter("A", 1, "101"), Meter("A", 2, "555", "R", "W", "", "1 ELM ST", "JONES"),
                          Meter("A", 3, "555", "r", "W", "", "2 OAK AVE", "BROWN"), Meter("A", 4, "104")}));
    EXPECT_EQ(ui.log, Join(Opening(), {"Meter Tag Number of 555 is duplicate in Line 3", "   Info: 2 OAK AVE BROWN",
                                       "Route ZAV File NOT created", "Route Conversion Finished", ""}));
    const auto records = Records();
    const auto meters = OfType(records, 2);
    ASSERT_EQ(meters.size(), 2u) << "the meters before the duplicate are in the file";
    EXPECT_EQ(Num(*meters[1], "MeterTagNbr"), 555);
}

TEST_F(RouteConversionTest, FiftyValidationMessagesWarnAndTheFirstBeyondStops) {
    V lines;
    for (int i = 1; i <= 50; ++i) lines.push_back(Meter("A", i, std::to_string(100 + i), "R", "W", "", ""));
    ASSERT_TRUE(Convert(lines));
    ASSERT_EQ(ui.log.size(), Opening().size() + 50 + 3);
    EXPECT_EQ(ui.log[4], "ServiceAddress empty in Line 1");
    EXPECT_EQ(ui.log[53], "ServiceAddress empty in Line 50");
    EXPECT_EQ(V(ui.log.end() - 3, ui.log.end()),
              (V{"50 meters written to Route ZAV File", "Route Conversion Finished with Warnings", ""}));

    ui.log.clear();
    ui.yesNoAnswers.push_back(true);  // overwrite the database of the first run
    lines.push_back(Meter("A", 51, "151", "R", "W", "", ""));
    EXPECT_FALSE(Convert(lines));
    EXPECT_EQ(
        V(ui.log.end() - 6, ui.log.end()),
        (V{"ServiceAddress empty in Line 50", "Remaining validation messages suppressed", "Fatal Error limit reached",
           "Route ZAV File NOT created", "Route Conversion Finished with Warnings", ""}));
}

TEST_F(RouteConversionTest, MaximumAndDateMessagesAreValidationMessages) {
    ASSERT_TRUE(Convert({Meter("A", 1, "16777216"), Meter("A", 2, "102", "R", "W", "02/30/2024"),
                         Meter("A", 3, "103", "R", "W", "00/00/0000")}));
    EXPECT_EQ(ui.log,
              Join(Opening(), {"Value of MeterTagNbr(16777216) exceeds maximum permitted value in Line 1",
                               "Warning: LstReadingDate(02/30/2024) is not a date in the format MM/DD/YYYY "
                               "in Line 2; stored as 0",
                               "3 meters written to Route ZAV File", "Route Conversion Finished with Warnings", ""}));
    const auto records = Records();
    const auto meters = OfType(records, 2);
    ASSERT_EQ(meters.size(), 3u);
    EXPECT_EQ(Num(*meters[0], "LstReadingDate"), 20240102);
    EXPECT_EQ(Num(*meters[1], "LstReadingDate"), 0) << "never the codes of the text's characters";
    EXPECT_EQ(Num(*meters[2], "LstReadingDate"), 0);
}

TEST_F(RouteConversionTest, SourceWithoutMetersEndsWithoutClosingLines) {
    EXPECT_FALSE(Convert({}));
    EXPECT_EQ(ui.log, Join(Opening(), {"The RouteZAV contains no meter records. The RouteZAV file is unusable."}));
}

TEST_F(RouteConversionTest, OverwriteQuestionDeclinedLeavesTheFileAndAcceptedReplacesIt) {
    WriteFileBytes(dir / "RouteZAV.pdb", "old database");
    ui.yesNoAnswers.push_back(false);
    EXPECT_FALSE(Convert({Meter("A", 1, "101")}));
    EXPECT_EQ(ui.calls, (V{"AskYesNo(Route Destination already exists|RouteZAV.pdb already exists.  Overwrite?)"}));
    EXPECT_EQ(ui.log,
              (V{"Reading from route.txt", "Writing to RouteZAV.pdb", "Error: Route Destination already exists"}));
    EXPECT_EQ(ReadFileBytes(dir / "RouteZAV.pdb"), "old database");

    ui.log.clear();
    ui.yesNoAnswers.push_back(true);
    EXPECT_TRUE(Convert({Meter("A", 1, "101")}));
    EXPECT_EQ(ui.log[2], "Notice: File RouteZAV.pdb overwritten on request");
    EXPECT_EQ(OfType(Records(), 2).size(), 1u);
}

TEST_F(RouteConversionTest, IndexControlTwoAsksOnceBeforeTheStart) {
    ex.Advanced().IndexControl(2);
    for (const bool yes : {false, true}) {
        ui.log.clear();
        ui.calls.clear();
        fs::remove(dir / "RouteZAV.pdb");
        ui.yesNoAnswers.push_back(yes);
        ASSERT_TRUE(Convert({Meter("A", 1, "101"), Meter("A", 2, "102"), Meter("B", 3, "103")}));
        EXPECT_EQ(ui.calls, (V{"AskYesNo(Index Control|Create indexes?  \r\n(Takes longer to create and load, but "
                               "speeds lookups in the field.))"}));
        EXPECT_EQ(ui.log[3], started) << "asked before the start line";
        EXPECT_EQ(OfType(Records(), 6).empty(), !yes);
    }
}

TEST_F(RouteConversionTest, SourceAndDestinationThatAreOneFileAreRefusedBeforeAnyQuestion) {
    Source({Meter("A", 1, "101")});
    const std::string before = ReadFileBytes(dir / "route.txt");
    fs::create_directory(dir / "sub");
    ex.RouteDestination = (dir / "sub" / ".." / "route.txt").string();
    EXPECT_FALSE(ex.ConvertRoute());
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(ui.log.back(), "Error: Route Source and Route Destination are the same file");
    EXPECT_EQ(ReadFileBytes(dir / "route.txt"), before);
}

TEST_F(RouteConversionTest, MoreMetersThanSixteenBitsHoldEndWithTheOverflowError) {
    V lines;
    lines.reserve(32768);
    for (int i = 1; i <= 32768; ++i) lines.push_back(Meter("A", i, std::to_string(i)));
    EXPECT_FALSE(Convert(lines));
    EXPECT_EQ(ui.calls, (V{"ShowMessage(Error|Overflow)"}));
    EXPECT_EQ(ui.log, Join(Opening(), {"Error: Overflow in Line 32768", "Route ZAV File NOT created",
                                       "Problems encountered; Route file unusable", ""}));
    EXPECT_FALSE(fs::exists(dir / "RouteZAV.pdb")) << "the first pass ends before the database is created";
}

TEST_F(RouteConversionTest, AutomaticInstallationSchedulesTheDatabaseWritten) {
    HotSyncDesktop desktop(dir.Path());
    desktop.UmAddUser("Reader 1", 0);
    const fs::path scheduled = dir / "hotsync" / "Reader 1" / "Install" / "RouteZAV.pdb";
    const fs::path destination = dir / "RouteZAV.pdb";
    ex.AutoInstall = -1;
    ex.AutoInstallUnit = "Reader 1";

    ex.AutoInstallLeave = -1;  // kept: one "Info: " line, the two files equal
    ASSERT_TRUE(Convert({Meter("A", 1, "101")}));
    EXPECT_EQ(ui.log, Join(Opening(), {"1 meters written to Route ZAV File",
                                       "Info: RouteZAV.pdb copied to HotSync install folder for Reader 1",
                                       "Route Conversion Finished", ""}));
    EXPECT_EQ(ReadFileBytes(scheduled), ReadFileBytes(destination));

    ex.AutoInstallLeave = 0;  // removed: both lines, the scheduled file is the database
    ui.log.clear();
    ui.yesNoAnswers.push_back(true);
    const auto keptRecords = Records(scheduled);
    ASSERT_TRUE(Convert({Meter("A", 1, "101"), Meter("A", 2, "102")}));
    EXPECT_EQ(
        V(ui.log.end() - 5, ui.log.end()),
        (V{"2 meters written to Route ZAV File", "Info: RouteZAV.pdb copied to HotSync install folder for Reader 1",
           "Info: RouteZAV.pdb Removed from destination folder", "Route Conversion Finished", ""}));
    EXPECT_FALSE(fs::exists(destination));
    EXPECT_EQ(OfType(Records(scheduled), 2).size(), 2u);
    EXPECT_EQ(keptRecords.size() + 1, Records(scheduled).size());

    // No unit chosen: a warning, and the file stays.
    ex.AutoInstallUnit = "";
    ui.log.clear();
    ui.unitAnswers.push_back("");
    ASSERT_TRUE(Convert({Meter("A", 1, "101")}));
    EXPECT_EQ(V(ui.log.end() - 3, ui.log.end()),
              (V{"Install Cancelled without selecting unit", "Route Conversion Finished with Warnings", ""}));
    EXPECT_TRUE(fs::exists(destination));

    // "pdb" in lower case is no Palm file type for the installation.
    ex.RouteZAVType = "pdb";
    ui.log.clear();
    ui.calls.clear();
    ui.yesNoAnswers.push_back(true);
    ASSERT_TRUE(Convert({Meter("A", 1, "101")}));
    EXPECT_EQ(ui.log.back(), "");
    EXPECT_EQ(ui.log[ui.log.size() - 2], "Route Conversion Finished");
}

TEST_F(RouteConversionTest, ChecksThatEndTheConversionBeforeItStarts) {
    Source({Meter("A", 1, "101")});
    WriteFileBytes(dir / "Bad.zcm", "MAPTYPE=2\r\nMAPDELIMITER=,\r\nRouteNbr=1,0,,,0\r\n");
    struct Case {
        const char* name;
        std::function<void(clsExchange&)> setup;
        V log;  // after the lines that come before
    } cases[] = {
        {"no source", [](clsExchange& e) { e.RouteSource = "  "; }, {"Error: Route Source not specified"}},
        {"missing source", [](clsExchange& e) { e.RouteSource = "none.txt"; }, {"Error: Route Source does not exist"}},
        {"no destination",
         [](clsExchange& e) { e.RouteDestination = " "; },
         {"Reading from route.txt", "Error: Route Destination not specified"}},
        {"no map",
         [](clsExchange& e) { e.RouteMap = ""; },
         {"Reading from route.txt", "Writing to RouteZAV.pdb", "Error: Route Conversion Map not specified"}},
        {"missing map",
         [](clsExchange& e) { e.RouteMap = "None"; },
         {"Reading from route.txt", "Writing to RouteZAV.pdb", "Using Map: None",
          "Error: Could not load Route Conversion Map"}},
    };
    for (const auto& c : cases) {
        clsExchange e(store);
        e.HomeFolder = dir.Path();
        e.RouteSource = "route.txt";
        e.RouteDestination = "RouteZAV.pdb";
        e.RouteMap = "T";
        e.RouteZAVType = "PDB";
        c.setup(e);
        ui.log.clear();
        EXPECT_FALSE(e.ConvertRoute()) << c.name;
        EXPECT_EQ(ui.log, c.log) << c.name;
        EXPECT_FALSE(fs::exists(dir / "RouteZAV.pdb")) << c.name;
    }
    EXPECT_TRUE(ui.calls.empty());

    // A flat map that fails validation never shows the prompt window.
    ui.log.clear();
    ex.RouteMap = "Bad";
    EXPECT_FALSE(ex.ConvertRoute());
    ASSERT_EQ(ui.log.size(), 4u);
    EXPECT_EQ(ui.log[3].rfind("Error: Mapping Errors found:", 0), 0u) << ui.log[3];
    EXPECT_TRUE(ui.calls.empty());
}

TEST_F(RouteConversionTest, PromptCancelledEndsTheConversion) {
    std::string map = kMap;
    map.replace(map.find("Message=11,0,,,0"), 16, "Message=P");
    WriteFileBytes(dir / "T.zcm", map);
    ui.promptAnswers.push_back({"CANCEL", {}});
    EXPECT_FALSE(Convert({Meter("A", 1, "101")}));
    EXPECT_EQ(ui.calls, (V{"PromptVariables(Message)"}));
    EXPECT_EQ(ui.log.back(), "Error: Prompted entry of runtime variables cancelled");
    EXPECT_FALSE(fs::exists(dir / "RouteZAV.pdb"));

    // Answered: every meter gets the value.
    ui.log.clear();
    ui.promptAnswers.push_back({"OK", {{"Message", "GATE CODE 12"}}});
    ASSERT_TRUE(Convert({Meter("A", 1, "101")}));
    EXPECT_EQ(Text(*OfType(Records(), 2)[0], "Message"), "Billing: GATE CODE 12");
}

TEST_F(RouteConversionTest, DatabaseThatCannotBeCreatedIsNeverTouched) {
    ex.RouteDestination = (dir / "no-such-folder" / "RouteZAV.pdb").string();
    EXPECT_FALSE(Convert({Meter("A", 1, "101")}));
    EXPECT_EQ(V(ui.log.end() - 4, ui.log.end()), (V{"Error: Could not Create Route ZAV File",
                                                    "Route ZAV File NOT created", "Route Conversion Finished", ""}));
    EXPECT_FALSE(fs::exists(dir / "no-such-folder"));
    EXPECT_TRUE(ui.calls.empty()) << ui.calls.front();
}

TEST_F(RouteConversionTest, HostFormatMapsWithoutTheirConverterAreRefused) {
    for (const auto& [type, line] : {std::pair{"3", "Error: MVRS route files cannot be converted by this version"},
                                     std::pair{"4", "Error: E5000 route files cannot be converted by this version"}}) {
        WriteFileBytes(dir / "Host.zcm", std::string("MAPTYPE=") + type + "\r\nMAPOPTIONS=1:Y\r\n");
        ex.RouteMap = "Host";
        ui.log.clear();
        EXPECT_FALSE(Convert({"anything"}));
        EXPECT_EQ(V(ui.log.end() - 4, ui.log.end()),
                  (V{line, "Route ZAV File NOT created", "Route Conversion Finished", ""}));
        EXPECT_FALSE(fs::exists(dir / "RouteZAV.pdb"));
    }
    // A registered converter is called with the prepared state.
    int calls = 0;
    RegisterHostFormatConverters({[&calls](clsExchange& e) {
                                      ++calls;
                                      EXPECT_EQ(e.State.MetersWritten, 0);
                                      return false;
                                  },
                                  {},
                                  {},
                                  {}});
    WriteFileBytes(dir / "Host.zcm", "MAPTYPE=3\r\nMAPOPTIONS=1:Y\r\n");
    ui.log.clear();
    EXPECT_FALSE(Convert({"anything"}));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ui.log[3], "Notice: Special radio processing option is enabled");
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// A map whose type is none of the four layouts (no MAPTYPE line, 0, 9, -1, a number too large to
// read) ends as every refused conversion does, naming the type; nothing is written.
TEST_F(RouteConversionTest, MapsOfAnUnknownTypeAreRefusedNamingTheType) {
    const std::string fields = std::string(kMap).substr(std::string(kMap).find("MAPDELIMITER"));
    const std::pair<std::string, std::string> cases[] = {
        {"", "0"},
        {"MAPTYPE=0\r\n", "0"},
        {"MAPTYPE=9\r\n", "9"},
        {"MAPTYPE=-1\r\n", "-1"},
        {"MAPTYPE=99999999999\r\n", "0"},
    };
    for (const auto& [typeLine, type] : cases) {
        WriteFileBytes(dir / "T.zcm", typeLine + fields);
        ui.log.clear();
        EXPECT_FALSE(Convert({Meter("A", 1, "101")})) << typeLine;
        EXPECT_EQ(V(ui.log.end() - 4, ui.log.end()),
                  (V{"Error: Route Conversion Map must be Fixed, Delimited, MVRS or E5000, not type " + type,
                     "Route ZAV File NOT created", "Route Conversion Finished", ""}))
            << typeLine;
        EXPECT_FALSE(fs::exists(dir / "RouteZAV.pdb"));
    }
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// A source whose lines end in CR LF and LF alone, mixed, with a byte order mark: one meter per line.
TEST_F(RouteConversionTest, MixedLineEndsGiveOneMeterPerLine) {
    std::string text = "\xEF\xBB\xBF";
    for (int i = 1; i <= 12; ++i)
        text += Meter("A", i, std::to_string(100 + i)) + (i % 3 == 0 ? "\n" : i % 3 == 1 ? "\r\n" : "\r");
    WriteFileBytes(dir / "route.txt", text);
    ASSERT_TRUE(ex.ConvertRoute());
    EXPECT_EQ(ui.log, Join(Opening(), {"12 meters written to Route ZAV File", "Route Conversion Finished", ""}));
    const auto records = Records();
    const auto meters = OfType(records, kRecMeter);
    ASSERT_EQ(meters.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(Num(*meters[i], "MeterTagNbr"), 101 + i);
        EXPECT_EQ(Text(*meters[i], "MeterSerialNbr"), "S" + std::to_string(i + 1));
    }
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// Negative numbers in 4-byte fields are stored as their 32-bit pattern and read back as they went in (a
// western longitude); a number too large for 32 bits stops the run naming its field.
// A zero byte would end a stored text: it is dropped from the meter record, and the index keys are
// those of the texts as the record holds them.
TEST_F(RouteConversionTest, ZeroBytesInTextsAreDroppedFromTheRecordAndItsIndexKeys) {
    ASSERT_TRUE(Convert({Meter("A", 1, "101", "R", "W", "01/02/2024", std::string("12 MA\0IN ST", 11),
                               std::string("SM\0ITH", 6)),
                         Meter("A", 2, "102", "R", "W", "01/02/2024", "14 OAK AVE", "JONES")}));
    const auto records = Records();
    const auto meters = OfType(records, kRecMeter);
    ASSERT_EQ(meters.size(), 2u);
    EXPECT_EQ(Text(*meters[0], "BillingName"), "SMITH");
    EXPECT_EQ(Text(*meters[0], "ServiceAddress"), "12 MAIN ST");
    EXPECT_EQ(Text(*meters[0], "ServiceUniqueID"), "A1");
    EXPECT_EQ(Text(*meters[1], "BillingName"), "JONES");
    std::string keys;  // every index record's bytes
    for (const Record* index : OfType(records, kRecIndex)) keys += index->raw;
    for (const char* key : {"SMITH", "MAIN", "JONES", "OAK", "A1", "S1", "S2"})
        EXPECT_NE(keys.find(std::string(key) + '\0'), std::string::npos) << key;
    EXPECT_EQ(keys.find(std::string("SM") + '\0'), std::string::npos);
}

TEST_F(RouteConversionTest, NegativeFourByteValuesComeBackAsTheyWentIn) {
    WriteFileBytes(dir / "T.zcm", std::string(kMap) + "Lat=12,0,,,0\r\nLng=13,0,,,0\r\n");
    ASSERT_TRUE(Convert({Meter("A", 1, "101") + ",-100,-1", Meter("A", 2, "102") + ",44977753,-93265011"}));
    const auto records = Records();
    const auto meters = OfType(records, kRecMeter);
    ASSERT_EQ(meters.size(), 2u);
    EXPECT_EQ(Num(*meters[0], "Lat"), -100);
    EXPECT_EQ(Num(*meters[0], "Lng"), -1);
    EXPECT_EQ(Num(*meters[1], "Lat"), 44977753);
    EXPECT_EQ(Num(*meters[1], "Lng"), -93265011);

    ui.log.clear();
    ui.yesNoAnswers = {true};
    EXPECT_FALSE(Convert({Meter("A", 1, "101") + ",0,-99999999999"}));
    EXPECT_EQ(ui.calls.back(), "ShowMessage(Error|Overflow in field Lng)");
    EXPECT_EQ(V(ui.log.end() - 4, ui.log.end()),
              (V{"Error: Overflow in field Lng in Line 1", "Route ZAV File NOT created",
                 "Problems encountered; Route file unusable", ""}));

    // A record that cannot be built fails at its line, after that line's validation messages.
    ui.log.clear();
    ui.yesNoAnswers = {true};
    EXPECT_FALSE(Convert({Meter("A", 1, "101") + ",0,0", Meter("B", 2, "16777216") + ",0,-99999999999",
                          Meter("B", 3, "103") + ",0,0"}));
    EXPECT_EQ(V(ui.log.end() - 5, ui.log.end()),
              (V{"Value of MeterTagNbr(16777216) exceeds maximum permitted value in Line 2",
                 "Error: Overflow in field Lng in Line 2", "Route ZAV File NOT created",
                 "Problems encountered; Route file unusable", ""}));
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// Every file that converts as a record stream converts as a Palm database while the records fit the
// container: many route changes (index records for each) and many routes.
TEST_F(RouteConversionTest, PalmDatabasesHoldWhatTheirSourceNeeds) {
    V interleaved;
    for (int i = 1; i <= 3000; ++i) interleaved.push_back(Meter(i % 2 ? "A" : "B", i, std::to_string(i)));
    ASSERT_TRUE(Convert(interleaved)) << testing::PrintToString(ui.log);
    EXPECT_EQ(OfType(Records(), kRecMeter).size(), 3000u);

    V pairs;
    for (int i = 1; i <= 3000; ++i) pairs.push_back(Meter("R" + std::to_string((i + 1) / 2), i, std::to_string(i)));
    ui.yesNoAnswers = {true};
    ASSERT_TRUE(Convert(pairs)) << testing::PrintToString(ui.log);
    const auto records = Records();
    EXPECT_EQ(OfType(records, kRecRoute).size(), 1500u);
    EXPECT_EQ(OfType(records, kRecMeter).size(), 3000u);
}

// 32,767 routes of one meter each: every route gets its record (as a record stream); as a Palm database
// the routes, meters and index records pass 65,535 records: a clear error and no file.
TEST_F(RouteConversionTest, ThirtyTwoThousandRoutes) {
    V lines;
    lines.reserve(32767);
    for (int i = 1; i <= 32767; ++i) lines.push_back(Meter("R" + std::to_string(i), i, std::to_string(i)));
    ex.RouteZAVType = "VFS";
    ASSERT_TRUE(Convert(lines)) << testing::PrintToString(ui.log);
    const auto records = Records();
    const auto routes = OfType(records, kRecRoute);
    ASSERT_EQ(routes.size(), 32767u);
    EXPECT_EQ(Num(*routes.back(), "RouteNbr"), 32767);
    EXPECT_EQ(Text(*routes.back(), "Initials"), "R32767");
    EXPECT_EQ(OfType(records, kRecMeter).size(), 32767u);

    ex.RouteZAVType = "PDB";
    ui.log.clear();
    ui.calls.clear();
    ui.yesNoAnswers = {true};
    EXPECT_FALSE(Convert(lines));
    EXPECT_EQ(ui.calls.back(),
              "ShowMessage(Error|The database would be too large: a Palm database holds at most 65535 records)");
    EXPECT_EQ(V(ui.log.end() - 3, ui.log.end()),
              (V{"Route ZAV File NOT created", "Problems encountered; Route file unusable", ""}));
    // The record that did not fit is the meter of line 5463: 1 header, 32,767 routes, 5,462 meters and
    // five index records for each of the 5,461 routes before make 65,535.
    EXPECT_EQ(ui.log[ui.log.size() - 4],
              "Error: The database would be too large: a Palm database holds at most 65535 records in Line 5463");
    EXPECT_FALSE(fs::exists(dir / "RouteZAV.pdb")) << "no partial file";
}

// The records are written and the index built while later lines are read: the run log still reads in
// the order of the work. Route A's index warning comes at route B's first meter, before the validation
// message of B's second line; the stop at a duplicate tag leaves every meter before it written.
TEST_F(RouteConversionTest, TheRunLogKeepsTheOrderOfTheWork) {
    V lines;
    for (int i = 1; i <= 32764; ++i) lines.push_back(Meter("A", i, std::to_string(i)));
    lines.push_back(Meter("B", 32765, "32765"));
    lines.push_back(Meter("B", 32766, "32766", "R", "W", "01/02/2024", ""));
    lines.push_back(Meter("B", 32767, "32765", "R"));
    EXPECT_FALSE(Convert(lines));
    EXPECT_EQ(V(ui.log.begin() + 4, ui.log.end()),
              (V{"Warning: Index key SMITH of route 1 has too many meters for one index record and is left out of the "
                 "index",
                 "Warning: Index key MAIN of route 1 has too many meters for one index record and is left out of the "
                 "index",
                 "ServiceAddress empty in Line 32766", "Meter Tag Number of 32765 is duplicate in Line 32767",
                 "   Info: 12 MAIN ST SMITH", "Route ZAV File NOT created", "Route Conversion Finished with Warnings",
                 ""}));
    EXPECT_EQ(OfType(Records(), kRecMeter).size(), 32766u);
}

// A large file's first pass reads its two halves at once: the routes still come in the order first
// met, with their counts, and an error in the second half names its line and creates no database.
TEST_F(RouteConversionTest, TheFirstPassOverTwoHalvesCountsAsOneReading) {
    WriteFileBytes(dir / "T.zcm", std::string(kMap) + "Lat=12,0,,,0\r\nLng=13,0,,,0\r\n");
    V lines;
    for (int i = 1; i <= 8000; ++i) {
        const char* route = i <= 4000 ? (i % 2 ? "A" : "B") : (i % 2 ? "C" : "A");
        lines.push_back(Meter(route, i, std::to_string(i)) + ",0,0");
    }
    ASSERT_TRUE(Convert(lines)) << testing::PrintToString(ui.log);
    const auto records = Records();
    const auto routes = OfType(records, kRecRoute);
    ASSERT_EQ(routes.size(), 3u);
    EXPECT_EQ((V{Text(*routes[0], "Initials"), Text(*routes[1], "Initials"), Text(*routes[2], "Initials")}),
              (V{"A", "B", "C"}));
    EXPECT_EQ(Num(*routes[0], "PrvReading"), 4000) << "the meter count";
    EXPECT_EQ(Num(*routes[1], "PrvReading"), 2000);
    EXPECT_EQ(Num(*routes[2], "PrvReading"), 2000);
    EXPECT_EQ(OfType(records, kRecMeter).size(), 8000u);

    lines[6999] = Meter("C", 7000, "7000") + ",0,-99999999999";
    ui.log.clear();
    ui.yesNoAnswers = {true};
    EXPECT_FALSE(Convert(lines));
    EXPECT_EQ(V(ui.log.end() - 4, ui.log.end()), (V{"Error: Overflow in field Lng in Line 7000", "Route ZAV File NOT created",
                                                   "Problems encountered; Route file unusable", ""}));
    EXPECT_FALSE(fs::exists(dir / "RouteZAV.pdb")) << "the first pass ends before the database is created";
}

}  // namespace
}  // namespace zav
