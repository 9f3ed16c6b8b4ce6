// HotSync users as folders, the user snapshot and the installer's scheduling results and messages.
#include "install/hotsync.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/file_io.h"
#include "install/installer.h"
#include "install/palm_users.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

namespace fs = std::filesystem;
using V = std::vector<std::string>;

class HotSyncTest : public testing::Test {
  protected:
    test::TempDir dir;
    HotSyncDesktop desktop{dir.Path()};
    test::FakeFrontend ui;
    ScopedFrontend scoped{ui};

    fs::path Install(const std::string& user) const { return dir / "hotsync" / user / "Install"; }
    void MakeFile(const fs::path& path, const std::string& bytes = "db") const {
        fs::create_directories(path.parent_path());
        WriteFileBytes(path, bytes);
    }
};

TEST_F(HotSyncTest, UsersAreFoldersInNameOrder) {
    EXPECT_EQ(desktop.UmGetUserCount(), 0);  // no hotsync folder yet
    EXPECT_EQ(desktop.UmAddUser("beta", 0), 0);
    EXPECT_EQ(desktop.UmAddUser("Alpha", 0), 0);
    EXPECT_EQ(desktop.UmAddUser("ALPHA", 0), 1) << "an existing user, found without regard to case";
    EXPECT_TRUE(fs::is_directory(Install("Alpha")));
    fs::create_directories(dir / "hotsync" / ".hidden");
    MakeFile(dir / "hotsync" / "file.txt");

    EXPECT_EQ(desktop.UmGetUserCount(), 2);
    EXPECT_EQ(clsPalmUsers(desktop).Names(), (V{"Alpha", "beta"}));
    std::int32_t id = -1;
    desktop.UmGetUserID(1, id);
    EXPECT_EQ(desktop.UmGetUserName(id), "beta");
    EXPECT_EQ(desktop.UmGetUserDirectory(id), (dir / "hotsync" / "beta").string());
    desktop.UmGetUserID(2, id);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(desktop.UmGetUserName(0), "");
    desktop.UmGetIDFromName("BETA", id);
    EXPECT_EQ(id, 2);
    desktop.UmGetIDFromName("gamma", id);
    EXPECT_EQ(id, 0);
    EXPECT_EQ(clsInstaller(desktop).UserNames(), (V{"Alpha", "beta"}));
    EXPECT_EQ(clsInstaller(desktop).UserCount(), 2);
}

TEST_F(HotSyncTest, UserNamesMustBeBareFolderNames) {
    for (const char* bad : {"", "   ", "../x", "..", "a/b", "a\\b", ".hidden", "x..y", "tab\there"}) {
        EXPECT_FALSE(IsValidUserName(bad)) << bad;
        try {
            desktop.UmAddUser(bad, 0);
            ADD_FAILURE() << "accepted " << bad;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number(), kErrBadFileName);
        }
    }
    EXPECT_FALSE(fs::exists(dir / "x")) << "nothing created beside the hotsync folder";
    EXPECT_TRUE(IsValidUserName("Unit 7 (north)"));
}

TEST_F(HotSyncTest, SnapshotEntriesAndLookups) {
    desktop.UmAddUser("Unit 1", 0);
    desktop.UmAddUser("Unit 2", 0);
    const clsPalmUsers users(desktop);
    desktop.UmAddUser("Unit 3", 0);  // the snapshot is not refreshed
    ASSERT_EQ(users.UserCount(), 2);

    std::string name = "keep";
    std::string folder = "keep";
    for (std::int16_t index : {3, -1, 255}) {
        users.GetUserData(index, name, folder);
        EXPECT_EQ(name, "keep");
        EXPECT_EQ(folder, "keep");
    }
    users.GetUserData(2, name, folder);
    EXPECT_EQ(name, "Unit 2");
    EXPECT_EQ(folder, (dir / "hotsync" / "Unit 2").string());
    name = "unit 3";  // index 0 looks the name up afresh
    users.GetUserData(0, name, folder);
    EXPECT_EQ(name, "Unit 3");
    EXPECT_EQ(folder, (dir / "hotsync" / "Unit 3").string());

    std::string withNul("Unit 1\0     ", 12);
    EXPECT_EQ(clsPalmUsers::CleanZ(withNul), "Unit 1");
    EXPECT_EQ(withNul, "Unit 1");
    std::string plain(50, ' ');
    EXPECT_EQ(clsPalmUsers::CleanZ(plain).size(), 50u);
}

TEST_F(HotSyncTest, MoreThan255UsersIsAnOverflow) {
    for (int i = 0; i < 256; ++i) fs::create_directories(dir / "hotsync" / ("u" + std::to_string(i)));
    try {
        clsPalmUsers users(desktop);
        ADD_FAILURE() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kErrOverflow);
    }
}

TEST_F(HotSyncTest, ScheduleWithdrawAndTheirMessages) {
    clsInstaller installer(desktop);
    MakeFile(dir / "ZAVELKORN.PRC", "program");
    MakeFile(dir / "out" / "RouteZAV.pdb", "route");

    // A bare name is taken from the home folder; a path is used as it stands.
    std::int16_t code = 1;
    EXPECT_EQ(installer.PRC("Unit 1", "ZAVELKORN.PRC", &code), 0);
    EXPECT_EQ(code, kPltOk);
    EXPECT_EQ(ReadFileBytes(Install("Unit 1") / "ZAVELKORN.PRC"), "program");
    EXPECT_EQ(installer.PRC("Unit 1", (dir / "out" / "RouteZAV.pdb").string()), 0);
    EXPECT_EQ(ReadFileBytes(Install("Unit 1") / "RouteZAV.pdb"), "route");
    EXPECT_TRUE(ui.calls.empty());

    EXPECT_EQ(installer.PRC("Unit 1", "ZAVELKORN.PRC", &code), 0) << "already scheduled still succeeds";
    EXPECT_EQ(code, kPltAlreadyScheduled);
    EXPECT_EQ(installer.PRC("Unit 1", "missing.prc"), kPltNotFound);
    EXPECT_EQ(ui.calls,
              (V{"ShowMessage(Marquand|Application (ZAVELKORN.PRC) is already scheduled to be installed during next "
                 "HotSync operation.)",
                 "ShowMessage(Marquand|Application not found in " + dir.Path().string() + ": missing.prc)"}));
    ui.calls.clear();

    EXPECT_EQ(installer.RemovePRC("Unit 1", "nothere.pdb"), kPltNotFound);
    EXPECT_EQ(installer.RemovePRC("Unit 1", "/elsewhere/routezav.PDB"), 0) << "withdrawn by name, any case";
    EXPECT_FALSE(fs::exists(Install("Unit 1") / "RouteZAV.pdb"));
    EXPECT_TRUE(fs::exists(dir / "out" / "RouteZAV.pdb"));
    // Withdrawing by the path of the scheduled copy itself would lose the only copy: refused.
    EXPECT_EQ(installer.RemovePRC("Unit 1", (Install("Unit 1") / "ZAVELKORN.PRC").string()), kPltNotWithdrawn);
    EXPECT_TRUE(fs::exists(Install("Unit 1") / "ZAVELKORN.PRC"));
    EXPECT_TRUE(ui.calls.empty()) << "withdrawal results come without messages";
    // No half-copied file is left behind.
    for (const auto& entry : fs::directory_iterator(Install("Unit 1")))
        EXPECT_EQ(entry.path().filename().string().find(".partial"), std::string::npos);
}

TEST_F(HotSyncTest, ConduitRegistration) {
    clsInstaller installer(desktop);
    MakeFile(dir / "zavcond.so");
    EXPECT_EQ(installer.Conduit("ZAVc", "zavcond.so", "ZAV Conduit", "(c)"), kConduitOk);
    EXPECT_EQ(installer.Conduit("ZAVc", "zavcond.so", "ZAV Conduit", "(c)"), kConduitAlreadyInstalled);
    EXPECT_EQ(installer.Conduit("ZAVd", "missing.so", "x", ""), kConduitNotFound);
    EXPECT_EQ(ui.calls,
              (V{"ShowMessage(Marquand|Conduit Installed)", "ShowMessage(Marquand|Conduit is already installed)",
                 "ShowMessage(Marquand|Conduit not found)"}));
    EXPECT_EQ(clsPalmUsers(desktop).UserCount(), 0) << "the conduit records are not a user";
}

}  // namespace
}  // namespace zav
