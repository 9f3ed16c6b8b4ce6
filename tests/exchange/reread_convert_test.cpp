// The re-read conversion through the scripted frontend: one route "REREAD" holding every meter of the
// host's list, validated as routes are, no index or configuration records, and the checks, questions
// and automatic installation.
#include <gtest/gtest.h>

#include "advanced/advanced.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "exchange/exchange.h"
#include "exchange/prompts.h"
#include "install/hotsync.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"
#include "zav/zav.h"

namespace zav {
namespace {

namespace fs = std::filesystem;
using V = std::vector<std::string>;

// Columns: route, sequence, tag, meter type, read type, last reading date, address, name, account.
constexpr const char* kMap =
    "ZAV=1.1\r\nMAPTYPE=2\r\nMAPDELIMITER=,\r\nMAPQUOTE=\r\nMAPTERMINATOR= 3 \r\nMAPLENGTH=0\r\n"
    "RouteNbr=1,0,,,0\r\nSequence=2,0,,,0\r\nMeterTagNbr=3,0,,,0\r\nMeterType=4,0,,,0\r\nReadType=5,0,,,0\r\n"
    "LstReadingDate=6,0,,,26\r\nServiceAddress=7,0,,,0\r\nBillingName=8,0,,,0\r\nServiceUniqueID=9,0,,,0\r\n"
    "ScaleFactor=10,0,,,0\r\nUtilityCode=C,1\r\n";

constexpr std::time_t kNoon = 1736942400;

class ReReadConvertTest : public testing::Test {
  protected:
    test::TempDir dir;
    RegistryStore store{dir / "registry.sqlite3"};
    test::FakeFrontend ui;
    ScopedFrontend scoped{ui};
    ScopedFixedClock clock{kNoon};
    clsExchange ex{store};
    std::string started = "ReRead Conversion Starting " + ShortTime(kNoon) + " " + ShortDate(kNoon);

    void SetUp() override {
        Prompts().Clear();
        ex.HomeFolder = dir.Path();
        ex.ReReadSource = "list.txt";
        ex.ReReadDestination = "ReRead.pdb";
        ex.ReReadMap = "T";
        ex.ReReadZAVType = "PDB";
        WriteFileBytes(dir / "T.zcm", kMap);
    }
    ~ReReadConvertTest() override { ReleaseSharedAdvanced(); }

    bool Convert(const V& lines) {
        std::string text;
        for (const auto& l : lines) text += l + "\r\n";
        WriteFileBytes(dir / "list.txt", text);
        return ex.ConvertReRead();
    }
    V Opening() const { return {"Reading from list.txt", "Writing to ReRead.pdb", "Using Map: T", started}; }
    static V Join(V a, const V& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    std::vector<Values> Records(const fs::path& file) {
        std::vector<Values> out;
        clsZAV db;
        EXPECT_FALSE(db.OpenZAVWithFileVersion(file)) << file;
        while (db.ReadData()) out.push_back(db.GetValues());
        return out;
    }
    static double Num(const Values& r, const char* field) { return ValueNumber(r.Item(field)); }
    static std::string Text(const Values& r, const char* field) { return ValueText(r.Item(field)); }
};

TEST_F(ReReadConvertTest, EveryMeterOfTheListOnTheRouteREREAD) {
    ASSERT_TRUE(Convert({"0412,10,101,W,r,02/21/2026,1 ELM ST,SMITH,A1,7", "0500,20,102,G,P,,2 OAK ST,JONES,A2,0",
                         "0412,30,103,87,9,,3 FIR ST,LEE,A3,0"}));
    EXPECT_EQ(ui.log, Join(Opening(), {"3 meters written to ReRead ZAV File", "ReRead Conversion Finished", ""}));
    EXPECT_TRUE(ui.calls.empty());

    const auto records = Records(dir / "ReRead.pdb");
    ASSERT_EQ(records.size(), 5u);  // header, route, three meters: no index or configuration records
    const Values& header = records[0];
    EXPECT_EQ(Num(header, "RecType"), 0);
    EXPECT_EQ(Num(header, "RouteNbr"), 1);
    EXPECT_EQ(Num(header, "PrvReading"), 3);
    EXPECT_EQ(Num(header, "MeterType"), 3);
    EXPECT_EQ(Text(header, "Initials"), "ZAV loaded from list.txt");
    const Values& route = records[1];
    EXPECT_EQ(Num(route, "RecType"), 1);
    EXPECT_EQ(Num(route, "RouteNbr"), 1);
    EXPECT_EQ(Num(route, "PrvReading"), 3);
    EXPECT_EQ(Text(route, "Initials"), "REREAD");
    EXPECT_EQ(Text(route, "ResponseText"), "REREAD");

    struct Expected {
        double tag, meterType, readType, lastDate, scale;
        const char* address;
    };
    const Expected expected[] = {
        {101, 87, 1, 20260221, 7, "1 ELM ST"}, {102, 71, 3, 0, 0, "2 OAK ST"}, {103, 87, 9, 0, 0, "3 FIR ST"}};
    for (int i = 0; i < 3; ++i) {
        const Values& m = records[static_cast<std::size_t>(i) + 2];
        EXPECT_EQ(Num(m, "RecType"), 2);
        EXPECT_EQ(Num(m, "RouteNbr"), 1);  // whatever route the host named
        EXPECT_EQ(Num(m, "MeterTagNbr"), expected[i].tag);
        EXPECT_EQ(Num(m, "MeterType"), expected[i].meterType);  // a letter's character code
        EXPECT_EQ(Num(m, "ReadType"), expected[i].readType);
        EXPECT_EQ(Num(m, "LstReadingDate"), expected[i].lastDate);
        EXPECT_EQ(Num(m, "ScaleFactor"), expected[i].scale);
        EXPECT_EQ(Num(m, "UtilityCode"), 1);
        EXPECT_EQ(Text(m, "ServiceAddress"), expected[i].address);
        EXPECT_EQ(Num(m, "CurReading"), 0);
        EXPECT_EQ(Num(m, "Status"), 0);
    }
}

TEST_F(ReReadConvertTest, IndexQuestionIsAskedButNoIndexIsWritten) {
    ex.Advanced().IndexControl(2);
    ui.yesNoAnswers = {true};
    ASSERT_TRUE(Convert({"1,1,101,W,R,,A,B,C,0"}));
    EXPECT_EQ(ui.calls, V{"AskYesNo(Index Control|Create indexes?  \r\n(Takes longer to create and load, but speeds "
                          "lookups in the field.))"});
    EXPECT_EQ(ui.log[3], started);
    EXPECT_EQ(Records(dir / "ReRead.pdb").size(), 3u);
}

TEST_F(ReReadConvertTest, ValidationEndsOrSpoilsTheConversion) {
    // A duplicate radio tag stops at once.
    EXPECT_FALSE(Convert({"1,1,101,W,R,,1 ELM,SMITH,A", "1,2,101,W,R,,2 ELM,JONES,B"}));
    EXPECT_EQ(ui.log, Join(Opening(), {"Meter Tag Number of 101 is duplicate in Line 2", "   Info: 2 ELM JONES"}));

    // An empty list.
    ui.log.clear();
    ui.yesNoAnswers = {true};
    EXPECT_FALSE(Convert({}));
    EXPECT_EQ(ui.log.back(), "The ReReadZAV contains no meter records. The ReReadZAV file is unusable.");

    // A required field missing: accepted with a warning.
    ui.log.clear();
    ui.yesNoAnswers = {true};
    EXPECT_TRUE(Convert({"1,1,101,W,R,,,SMITH,A"}));
    EXPECT_EQ(V(ui.log.end() - 4, ui.log.end()),
              (V{"ServiceAddress empty in Line 1", "1 meters written to ReRead ZAV File",
                 "ReRead Conversion Finished with Warnings", ""}));

    // A number too large for its field ends the conversion with the line it was on.
    ui.log.clear();
    ui.yesNoAnswers = {true};
    EXPECT_FALSE(Convert({"1,1,101,W,R,,A,B,C", "1,2,102,W,99999999999,,A,B,C"}));
    EXPECT_EQ(ui.calls.back(), "ShowMessage(Error|Overflow in field ReadType)");
    EXPECT_EQ(ui.log.back(), "Error: Overflow in field ReadType in Line 2");
}

TEST_F(ReReadConvertTest, ChecksAndTheOverwriteQuestion) {
    struct Case {
        std::function<void(clsExchange&)> change;
        V log;
    };
    WriteFileBytes(dir / "list.txt", "1,1,101,W,R,,A,B,C\r\n");
    const Case cases[] = {
        {[](clsExchange& x) { x.ReReadSource = " "; }, {"Error: ReRead Source not specified"}},
        {[](clsExchange& x) { x.ReReadSource = "none.txt"; }, {"Error: ReRead Source does not exist"}},
        {[](clsExchange& x) { x.ReReadDestination = ""; },
         {"Reading from list.txt", "Error: ReRead Destination not specified"}},
        {[](clsExchange& x) { x.ReReadDestination = "./list.txt"; },
         {"Reading from list.txt", "Writing to ./list.txt",
          "Error: ReRead Source and ReRead Destination are the same file"}},
        {[](clsExchange& x) { x.ReReadMap = ""; },
         {"Reading from list.txt", "Writing to ReRead.pdb", "Error: ReRead Conversion Map not specified"}},
        {[](clsExchange& x) { x.ReReadMap = "None"; },
         {"Reading from list.txt", "Writing to ReRead.pdb", "Using Map: None",
          "Error: Could not load ReRead Conversion Map"}},
        {[](clsExchange& x) { x.ReReadMap = "Host"; },
         {"Reading from list.txt", "Writing to ReRead.pdb", "Using Map: Host",
          "Error: ReRead Conversion Map must be Fixed or Delimited, not type 3 (MVRS)"}},
        {[](clsExchange& x) { x.ReReadMap = "Odd"; },
         {"Reading from list.txt", "Writing to ReRead.pdb", "Using Map: Odd",
          "Error: ReRead Conversion Map must be Fixed or Delimited, not type 9"}},
    };
    WriteFileBytes(dir / "Host.zcm", "MAPTYPE=3\r\n");
    WriteFileBytes(dir / "Odd.zcm", "MAPTYPE=9\r\n");
    for (const Case& c : cases) {
        clsExchange x(store);
        x.HomeFolder = ex.HomeFolder;
        static_cast<ExchangeSettings&>(x) = ex;
        c.change(x);
        ui.log.clear();
        EXPECT_FALSE(x.ConvertReRead());
        EXPECT_EQ(ui.log, c.log);
    }
    EXPECT_EQ(ReadFileBytes(dir / "list.txt"), "1,1,101,W,R,,A,B,C\r\n");
    EXPECT_FALSE(fs::exists(dir / "ReRead.pdb"));

    WriteFileBytes(dir / "ReRead.pdb", "old");
    ui.log.clear();
    ui.yesNoAnswers = {false};
    EXPECT_FALSE(ex.ConvertReRead());
    EXPECT_EQ(ui.calls.back(), "AskYesNo(ReRead Destination already exists|ReRead.pdb already exists.  Overwrite?)");
    EXPECT_EQ(ui.log.back(), "Error: ReRead Destination already exists");
    EXPECT_EQ(ReadFileBytes(dir / "ReRead.pdb"), "old");
    ui.log.clear();
    ui.yesNoAnswers = {true};
    EXPECT_TRUE(ex.ConvertReRead());
    EXPECT_EQ(ui.log[2], "Notice: File ReRead.pdb overwritten on request");
}

TEST_F(ReReadConvertTest, InstalledDatabaseIsComplete) {
    HotSyncDesktop desktop(dir.Path());
    desktop.UmAddUser("Reader 1", 0);
    ex.AutoInstall = -1;
    ex.AutoInstallUnit = "Reader 1";
    ASSERT_TRUE(Convert({"1,1,101,W,R,,A,B,C", "1,2,102,W,R,,A,B,C"}));
    EXPECT_EQ(
        V(ui.log.end() - 5, ui.log.end()),
        (V{"2 meters written to ReRead ZAV File", "Info: ReRead.pdb copied to HotSync install folder for Reader 1",
           "Info: ReRead.pdb Removed from destination folder", "ReRead Conversion Finished", ""}));
    // The scheduled file is the whole database: it was closed before it was copied.
    EXPECT_EQ(Records(dir / "hotsync" / "Reader 1" / "Install" / "ReRead.pdb").size(), 4u);
    EXPECT_FALSE(fs::exists(dir / "ReRead.pdb"));
}

}  // namespace
}  // namespace zav
