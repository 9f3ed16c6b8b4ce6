// The automatic install after a conversion and the installation of the handheld program files.
#include "install/auto_install.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "install/hotsync.h"
#include "install/unit_install.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

namespace fs = std::filesystem;
using V = std::vector<std::string>;

class AutoInstallTest : public testing::Test {
  protected:
    test::TempDir dir;
    test::FakeFrontend ui;
    ScopedFrontend scoped{ui};
    std::string source = (dir / "RouteZAV.pdb").string();

    void SetUp() override {
        HotSyncDesktop desktop(dir.Path());
        desktop.UmAddUser("Unit 1", 0);
        desktop.UmAddUser("Unit 2", 0);
        WriteFileBytes(source, "route");
    }
    fs::path Install(const std::string& user) const { return dir / "hotsync" / user / "Install"; }
};

TEST_F(AutoInstallTest, AppliesOnlyToPalmFilesWithTheSwitchOn) {
    struct Case {
        const char* type;
        std::int16_t on;
        bool applies;
    } cases[] = {{"PDB", -1, true}, {"PRC", -1, true}, {"pdb", -1, false}, {"VFS", -1, false}, {"PDB", 0, false}};
    for (const auto& c : cases) EXPECT_EQ(AutoInstallApplies(c.type, c.on), c.applies) << c.type << c.on;
}

TEST_F(AutoInstallTest, ScheduledForTheConfiguredUnitThenRemovedOrLeft) {
    ASSERT_TRUE(InstallPRC(source, {"  Unit 2 ", false, false}, dir.Path()));
    EXPECT_EQ(ui.log, (V{"Info: " + source + " copied to HotSync install folder for Unit 2",
                         "Info: " + source + " Removed from destination folder"}));
    EXPECT_EQ(ReadFileBytes(Install("Unit 2") / "RouteZAV.pdb"), "route");
    EXPECT_FALSE(fs::exists(source));
    EXPECT_TRUE(ui.calls.empty()) << "no prompt, no message";

    // A newer database replaces the one still waiting; with Leave on it stays in place.
    ui.log.clear();
    WriteFileBytes(source, "route 2");
    ASSERT_TRUE(InstallPRC(source, {"Unit 2", false, true}, dir.Path()));
    EXPECT_EQ(ui.log, (V{"Info: " + source + " copied to HotSync install folder for Unit 2"}));
    EXPECT_EQ(ReadFileBytes(Install("Unit 2") / "RouteZAV.pdb"), "route 2");
    EXPECT_TRUE(fs::exists(source));
    EXPECT_TRUE(ui.calls.empty());
}

TEST_F(AutoInstallTest, TheUnitPromptDecidesWhenAskedFor) {
    struct Case {
        AutoInstallSettings settings;
        std::string answer;
        bool scheduled;
    } cases[] = {
        {{"   ", false, true}, "Unit 1", true},    // only spaces: no default unit
        {{"Unit 2", true, true}, "Unit 1", true},  // Prompt on: asked even with a default unit
        {{"Unit 2", true, false}, "", false},      // cancelled: nothing logged, the file stays
        {{"", false, false}, "", false},
    };
    for (const auto& c : cases) {
        ui.log.clear();
        ui.calls.clear();
        ui.unitAnswers = {c.answer};
        fs::remove_all(Install("Unit 1"));
        EXPECT_EQ(InstallPRC((dir / "RouteZAV.pdb").string(), c.settings, dir.Path()), c.scheduled);
        EXPECT_EQ(ui.calls, (V{"PromptUnit(Unit 1,Unit 2)"}));
        EXPECT_EQ(fs::exists(Install("Unit 1") / "RouteZAV.pdb"), c.scheduled);
        EXPECT_TRUE(fs::exists(source)) << "Leave on, or not scheduled";
        if (!c.scheduled) {
            EXPECT_TRUE(ui.log.empty());
        }
    }
}

TEST_F(AutoInstallTest, FailuresAreLoggedAndKeepTheFile) {
    // The file is missing: the installer's message, then the run-log error.
    fs::remove(source);
    EXPECT_FALSE(InstallPRC(source, {"Unit 1", false, false}, dir.Path()));
    EXPECT_EQ(ui.log, (V{"Error: Unable to automatically install route to Handheld unit"}));
    EXPECT_EQ(ui.calls,
              (V{"ShowMessage(Marquand|Application not found in " + dir.Path().string() + ": " + source + ")"}));

    // A unit name that cannot be a folder: reported as an error of the auto install.
    ui.log.clear();
    ui.calls.clear();
    WriteFileBytes(source, "route");
    EXPECT_FALSE(InstallPRC(source, {"../Unit 1", false, false}, dir.Path()));
    EXPECT_EQ(ui.log, (V{"Error: Invalid unit name: \"../Unit 1\" occurred during auto install"}));
    EXPECT_EQ(ui.calls, (V{"ShowMessage(Error|Invalid unit name: \"../Unit 1\")"}));
    EXPECT_TRUE(fs::exists(source));
}

TEST_F(AutoInstallTest, NeverDeletesTheOnlyCopy) {
    // The withdrawal fails (a folder of that name waits): "already scheduled", and the new file stays.
    fs::create_directories(Install("Unit 1") / "RouteZAV.pdb" / "stuck");
    EXPECT_TRUE(InstallPRC(source, {"Unit 1", false, false}, dir.Path()));
    EXPECT_EQ(ui.calls, (V{"ShowMessage(Marquand|Application (" + source +
                           ") is already scheduled to be installed during next HotSync operation.)"}));
    EXPECT_EQ(ui.log, (V{"Info: " + source + " copied to HotSync install folder for Unit 1"}));
    EXPECT_EQ(ReadFileBytes(source), "route");

    // The destination is the install folder itself.
    ui.log.clear();
    ui.calls.clear();
    const std::string inPlace = (Install("Unit 2") / "RouteZAV.pdb").string();
    WriteFileBytes(inPlace, "in place");
    EXPECT_TRUE(InstallPRC(inPlace, {"Unit 2", false, false}, dir.Path()));
    EXPECT_EQ(ReadFileBytes(inPlace), "in place");
    EXPECT_EQ(ui.log, (V{"Info: " + inPlace + " copied to HotSync install folder for Unit 2"}));
}

TEST_F(AutoInstallTest, RelativeSourceNamesAFileOfTheHomeFolder) {
    EXPECT_TRUE(InstallPRC("RouteZAV.pdb", {"Unit 1", false, false}, dir.Path()));
    EXPECT_TRUE(fs::exists(Install("Unit 1") / "RouteZAV.pdb"));
    EXPECT_FALSE(fs::exists(source));
    EXPECT_EQ(ui.log, (V{"Info: RouteZAV.pdb copied to HotSync install folder for Unit 1",
                         "Info: RouteZAV.pdb Removed from destination folder"}));
}

TEST_F(AutoInstallTest, EditionsPickTheirHandheldProgram) {
    struct Case {
        const char* exe;
        const char* file;
    } cases[] = {{"ZavDepot", "ZAVELKORN.PRC"},
                 {"zavdepot", "ZAVELKORN.PRC"},
                 {"Pendrel", "CORVANDER.PRC"},
                 {"PENDREL", "CORVANDER.PRC"},
                 {"marquand", "ECORVANDER.PRC"},
                 {"zavdepot2", ""},
                 {"", ""}};
    for (const auto& c : cases) EXPECT_EQ(HandheldProgramFile(c.exe), c.file) << c.exe;
}

TEST_F(AutoInstallTest, InstallUnitsSchedulesProgramThenMeazuraFilesPerUnit) {
    // Nothing in the home folder: the messages show the order, unit by unit.
    EXPECT_FALSE(InstallUnits({"Unit 1", "Unit 2"}, true, "ZAVELKORN.PRC", dir.Path()));
    const std::string notFound = "ShowMessage(Marquand|Application not found in " + dir.Path().string() + ": ";
    const V perUnit{notFound + "ZAVELKORN.PRC)", notFound + "MeazuraLib_V302b.prc)",
                    notFound + "MeazuraStartupPatch_V200b.prc)"};
    V expected = perUnit;
    expected.insert(expected.end(), perUnit.begin(), perUnit.end());
    EXPECT_EQ(ui.calls, expected);
    const V warnings{"Warning: Meazura Support extension file failed to install",
                     "Warning: Meazura Startup patch file failed to install"};
    EXPECT_EQ(ui.log, (V{warnings[0], warnings[1], warnings[0], warnings[1]}));

    ui.calls.clear();
    ui.log.clear();
    for (const char* f : {"ZAVELKORN.PRC", kMeazuraLibFile, kMeazuraStartupPatchFile}) WriteFileBytes(dir / f, f);
    EXPECT_TRUE(InstallUnits({"Unit 2"}, true, "ZAVELKORN.PRC", dir.Path()));
    EXPECT_TRUE(InstallUnits({"Unit 1"}, false, "ZAVELKORN.PRC", dir.Path()));
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_TRUE(ui.log.empty());
    EXPECT_TRUE(fs::exists(Install("Unit 2") / kMeazuraStartupPatchFile));
    EXPECT_TRUE(fs::exists(Install("Unit 1") / "ZAVELKORN.PRC"));
    EXPECT_FALSE(fs::exists(Install("Unit 1") / kMeazuraLibFile));

    // An unknown edition has no program file: said once, nothing scheduled.
    EXPECT_FALSE(InstallUnits({"Unit 1", "Unit 2"}, false, "", dir.Path()));
    EXPECT_EQ(ui.calls, (V{"ShowMessage(Marquand|No handheld program file belongs to this edition of the program.)"}));
}

}  // namespace
}  // namespace zav
