#include "exchange/exchange.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "core/identity.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

class ExchangeSettingsTest : public testing::Test {
protected:
    test::TempDir dir;
    RegistryStore store{dir / "registry.sqlite3"};
    test::FakeFrontend ui;
    ScopedFrontend scoped{ui};

    void Store(const std::string& section, const std::string& name, const std::string& value) {
        ASSERT_TRUE(clsRegistry(store).SaveValue(value, {kLocalMachine, kSettingsKey, section, name}));
    }
    static std::vector<std::string> Listing(const clsExchange& ex) {
        std::vector<std::string> lines;
        for (const auto& def : SettingsTable()) lines.push_back(std::string(def.property) + "=" + SettingText(ex, def));
        return lines;
    }
};

TEST_F(ExchangeSettingsTest, FreshStoreGivesTheDefaults) {
    clsExchange ex(store);
    ex.LoadSettings();
    EXPECT_EQ(Listing(ex), (std::vector<std::string>{
                               "RouteSource=", "RouteDestination=RouteZAV.pdb", "RouteMap=", "RouteZAVType=PDB",
                               "ReReadSource=", "ReReadDestination=RouteZAV.pdb", "ReReadMap=", "ReReadZAVType=PDB",
                               "ReadingSource=ReadingZAV.pdb", "ReadingDestination=", "ReadingMap=", "AutoReRead=N",
                               "OrphanDestination=", "OrphanMap=", "OrphanConvert=0", "OrphanReplace=0",
                               "AutoInstall=N", "AutoInstallUnit=", "AutoInstallPrompt=N", "AutoInstallLeave=N"}));
    EXPECT_EQ(clsRegistry(store).GetKeys({kLocalMachine, kSettingsKey}), std::vector<std::string>{})
        << "loading writes nothing";
}

TEST_F(ExchangeSettingsTest, StoredTextsConvertByTheNumberAndFlagRules) {
    const struct {
        const char* convert;
        const char* autoReRead;
        std::int16_t expectedConvert;
        std::int16_t expectedAutoReRead;
    } cases[] = {
        {"1x", "Y", 1, -1},
        {"x1", "y", 0, 0},      // no leading number; lower-case y is off
        {" 1 ", "YES", 1, 0},   // only the single letter Y is on
        {"-1", "N", -1, 0},
        {"2.5", "", 2, 0},      // halves to even
        {"99999", "Y", 0, -1},  // out of the 16-bit range: the default, not a stopped program
        {"1E9", "Y", 0, -1},
    };
    for (const auto& c : cases) {
        Store("Orphan", "Convert", c.convert);
        Store("Reading", "AutoReRead", c.autoReRead);
        clsExchange ex(store);
        ex.LoadSettings();
        EXPECT_EQ(ex.OrphanConvert, c.expectedConvert) << c.convert;
        EXPECT_EQ(ex.AutoReRead, c.expectedAutoReRead) << c.autoReRead;
    }
}

TEST_F(ExchangeSettingsTest, EverySettingSurvivesSaveAndReload) {
    clsExchange ex(store);
    ex.LoadSettings();
    int i = 0;
    for (const auto& def : SettingsTable()) {
        if (def.kind == SettingKind::Text) ex.*def.text = std::string("v") + std::to_string(i++) + " \xe9\"x\"";
        else ex.*def.number = def.kind == SettingKind::Flag ? -1 : 1;
    }
    ex.OrphanReplace = -1;
    ASSERT_TRUE(ex.SaveSettings());
    clsExchange again(store);
    again.LoadSettings();
    EXPECT_EQ(Listing(again), Listing(ex));
    EXPECT_EQ(again.OrphanReplace, -1);

    // Empty text reloads as its default.
    again.RouteDestination.clear();
    again.RouteZAVType.clear();
    again.RouteSource.clear();
    ASSERT_TRUE(again.SaveSettings());
    clsExchange third(store);
    third.LoadSettings();
    EXPECT_EQ(third.RouteDestination, "RouteZAV.pdb");
    EXPECT_EQ(third.RouteZAVType, "PDB");
    EXPECT_EQ(third.RouteSource, "");
}

TEST_F(ExchangeSettingsTest, SaveSettingsWritesInItsFixedOrder) {
    clsExchange ex(store);
    ex.LoadSettings();
    ex.SetAutoReRead(5);
    EXPECT_EQ(ex.AutoReRead, -1);
    ASSERT_TRUE(ex.SaveSettings());
    clsRegistry reg(store);
    using V = std::vector<std::string>;
    const HiveName base{kLocalMachine, kSettingsKey};
    auto values = [&](const char* section) { return reg.GetValues({kLocalMachine, kSettingsKey, section}); };
    EXPECT_EQ(values("Route"), (V{"Source", "Destination", "ZAVType", "Map"}));
    EXPECT_EQ(values("ReRead"), (V{"Source", "Destination", "ZAVType", "Map"}));
    EXPECT_EQ(values("Reading"), (V{"Source", "Destination", "Map", "AutoReRead"}));
    EXPECT_EQ(values("Orphan"), (V{"Destination", "Map", "Convert", "Replace"}));
    EXPECT_EQ(values("PRCInstall"), (V{"AutoInstall", "Prompt", "Leave", "Unit"}));
    EXPECT_EQ(reg.GetValue({kLocalMachine, kSettingsKey, "Reading", "AutoReRead"}), RegValue(std::string("Y")));
    EXPECT_EQ(reg.GetValue({kLocalMachine, kSettingsKey, "Orphan", "Convert"}), RegValue(std::string("0")));
    EXPECT_EQ(reg.GetValue({kLocalMachine, kSettingsKey, "PRCInstall", "Prompt"}), RegValue(std::string("N")));
}

TEST_F(ExchangeSettingsTest, AFailedWriteIsReported) {
    // Another connection holds the write lock for longer than the store waits.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((dir / "registry.sqlite3").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    store.SetBusyTimeout(50);
    clsExchange ex(store);
    EXPECT_FALSE(ex.SaveParm("Route", "Source", "x"));
    EXPECT_FALSE(ex.SaveSettings());
    ASSERT_EQ(ui.calls.size(), 1u);
    EXPECT_EQ(ui.calls[0], "ShowMessage(Marquand|The settings could not be saved (Route\\Source).)");
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(ex.SaveSettings());
}

TEST(MapUseTables, AnswerByCode) {
    const struct {
        int use;
        const char* descr;
        const char* ext;
        const char* fileExt;
    } cases[] = {
        {1, "Route", ".zcm", ".txt"}, {2, "ReRead", ".zcm", ".txt"}, {3, "Reading", ".zrm", ".txt"},
        {99, "Orphan", ".zom", ".txt"}, {4, "", "", ""},             {0, "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clsExchange::TypeDescr(c.use), c.descr) << c.use;
        EXPECT_EQ(clsExchange::MapExtension(c.use), c.ext) << c.use;
        EXPECT_EQ(clsExchange::DefaultFileExtension(c.use), c.fileExt) << c.use;
    }
}

}  // namespace
}  // namespace zav
