// The command line as a user runs it: the real binary on a temporary home folder.
#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_dir.h"

namespace zav {
namespace {

class CliTest : public testing::Test {
protected:
    test::TempDir dir;

    // Runs zavdepot with `args` on the test's home; returns the exit status, stdout in `out`.
    int Run(const std::string& args, std::string* out = nullptr, bool withStderr = false) {
        // No display: a desktop application started here reports that instead of opening a window.
        std::string cmd = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + std::string(ZAV_BINARY) +
                          " --home '" + (dir / "home").string() + "' " + args + " </dev/null" +
                          (withStderr ? " 2>&1" : " 2>/dev/null");
        return test::RunCommand(cmd, out);
    }
};

TEST_F(CliTest, FreshHomePrintsTheDefaults) {
    std::string out;
    ASSERT_EQ(Run("settings", &out), 0);
    EXPECT_EQ(out,
              "RouteSource=\nRouteDestination=RouteZAV.pdb\nRouteMap=\nRouteZAVType=PDB\n"
              "ReReadSource=\nReReadDestination=RouteZAV.pdb\nReReadMap=\nReReadZAVType=PDB\n"
              "ReadingSource=ReadingZAV.pdb\nReadingDestination=\nReadingMap=\nAutoReRead=N\n"
              "OrphanDestination=\nOrphanMap=\nOrphanConvert=0\nOrphanReplace=0\n"
              "AutoInstall=N\nAutoInstallUnit=\nAutoInstallPrompt=N\nAutoInstallLeave=N\n");
    std::string shown;
    ASSERT_EQ(Run("settings show", &shown), 0);
    EXPECT_EQ(shown, out);
    EXPECT_TRUE(std::filesystem::exists(dir / "home" / "registry.sqlite3"));
}

TEST_F(CliTest, SettingsSetSavesAndReloads) {
    ASSERT_EQ(Run("settings set RouteSource 'host/route file.txt'"), 0);
    ASSERT_EQ(Run("settings set autoreread y"), 0);  // names and Y/N in any case
    ASSERT_EQ(Run("settings set OrphanConvert 1"), 0);
    ASSERT_EQ(Run("--yes settings set RouteDestination '' --no"), 2) << "--yes and --no exclude each other";
    ASSERT_EQ(Run("settings set RouteDestination ''"), 0);
    std::string out;
    ASSERT_EQ(Run("settings", &out), 0);
    EXPECT_NE(out.find("RouteSource=host/route file.txt\n"), std::string::npos);
    EXPECT_NE(out.find("AutoReRead=Y\n"), std::string::npos);
    EXPECT_NE(out.find("OrphanConvert=1\n"), std::string::npos);
    EXPECT_NE(out.find("RouteDestination=RouteZAV.pdb\n"), std::string::npos);  // empty reloads as default

    std::string value;
    ASSERT_EQ(Run("registry get Reading AutoReRead", &value), 0);
    EXPECT_EQ(value, "Y\n");
}

// `settings set` stores what the conversions can use and refuses other values, naming the allowed ones:
// a lower-case "pdb" would have made every later route conversion write a record stream.
TEST_F(CliTest, SettingsSetChecksTheValuesItKnows) {
    std::filesystem::create_directories(dir / "home");
    std::ofstream(dir / "home" / "Billing.zcm") << "MAPTYPE=1\r\n";
    std::ofstream(dir / "home" / "Upload.zrm") << "MAPTYPE=1\r\n";
    const std::pair<const char*, const char*> stored[] = {
        {"settings set RouteZAVType pdb", "RouteZAVType=PDB\n"},
        {"settings set ReReadZAVType ' Vfs'", "ReReadZAVType=VFS\n"},
        {"settings set RouteMap Billing", "RouteMap=Billing\n"},
        {"settings set ReReadMap Billing.ZCM", "ReReadMap=Billing\n"},
        {"settings set ReadingMap Upload", "ReadingMap=Upload\n"},
        {"settings set OrphanMap ''", "OrphanMap=\n"},
        {"settings set OrphanReplace y", "OrphanReplace=1\n"},
        {"settings set OrphanConvert 0", "OrphanConvert=0\n"},
    };
    for (const auto& [args, line] : stored) {
        ASSERT_EQ(Run(args), 0) << args;
        std::string out;
        ASSERT_EQ(Run("settings", &out), 0);
        EXPECT_NE(out.find(line), std::string::npos) << args << "\n" << out;
    }
    const std::pair<const char*, const char*> refused[] = {
        {"settings set RouteZAVType pdx", "RouteZAVType takes PDB, PRC or VFS, not \"pdx\""},
        {"settings set RouteMap Upload",
         "RouteMap takes the name of a Route map (.zcm) of the home folder (Billing), not \"Upload\""},
        {"settings set OrphanMap Billing",
         "OrphanMap takes the name of an Orphan map (.zom) of the home folder (there is none), not \"Billing\""},
        {"settings set OrphanConvert 2", "OrphanConvert takes 1 (on) or 0 (off), not \"2\""},
    };
    for (const auto& [args, message] : refused) {
        std::string out;
        EXPECT_EQ(Run(args, &out, true), 2) << args;
        EXPECT_NE(out.find(message), std::string::npos) << out;
    }
    std::string out;
    ASSERT_EQ(Run("settings", &out), 0);
    EXPECT_NE(out.find("RouteZAVType=PDB\n"), std::string::npos) << "a refused value changes nothing";
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
    const char* bad[] = {
        "settings set NoSuchSetting x", "settings set AutoReRead maybe", "settings set OrphanConvert 99999",
        "settings set OrphanConvert 1x", "settings set RouteSource", "nosuchcommand", "registry",
        "registry get OnlySection", "settings show extra",
    };
    for (const char* args : bad) EXPECT_EQ(Run(args), 2) << args;
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_EQ(Run("settings set --help"), 0);
    EXPECT_EQ(Run("registry list --help"), 0);
}

TEST_F(CliTest, RegistryCommands) {
    std::string out;
    EXPECT_EQ(Run("registry list", &out), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(Run("registry get LoginSetup UseLogin", &out), 1);
    EXPECT_EQ(out, "");
    ASSERT_EQ(Run("registry set LoginSetup UseLogin N"), 0);
    ASSERT_EQ(Run("registry set --home '" + (dir / "home").string() + "' LoginSetup Greeting 'Good day'"), 0);
    ASSERT_EQ(Run("registry list", &out), 0);
    EXPECT_EQ(out, "LoginSetup: \n    > UseLogin = \"N\"\n    > Greeting = \"Good day\"\n");
    EXPECT_EQ(Run("registry delete LoginSetup Greeting"), 0);
    EXPECT_EQ(Run("registry delete LoginSetup Greeting"), 1);
    out.clear();
    ASSERT_EQ(Run("registry get loginsetup USELOGIN", &out), 0);
    EXPECT_EQ(out, "N\n");
}

#ifdef ZAV_WITH_DESKTOP
TEST_F(CliTest, WithoutACommandStartsTheDesktopApplication) {
    // Without a display it cannot show a window: it says so (the desktop tests cover the windows).
    std::string out;
    EXPECT_EQ(Run("nogate", &out, true), 1);
    EXPECT_NE(out.find("no display for the desktop application"), std::string::npos) << out;
    EXPECT_EQ(Run("nogate extra"), 2);
}
#else
TEST_F(CliTest, WithoutACommandShowsTheUsage) {
    std::string out;
    EXPECT_EQ(Run("", &out), 0);
    EXPECT_NE(out.find("settings"), std::string::npos);
    EXPECT_EQ(Run("nogate"), 0);
}
#endif

TEST_F(CliTest, UnusableHomeIsAClearError) {
    std::string out;
    test::RunCommand("touch '" + (dir / "file").string() + "'");
    std::string cmd = std::string(ZAV_BINARY) + " --home '" + (dir / "file").string() + "' settings 2>&1";
    EXPECT_EQ(test::RunCommand(cmd, &out), 1);
    EXPECT_NE(out.find("Error: "), std::string::npos) << out;
}

}  // namespace
}  // namespace zav
