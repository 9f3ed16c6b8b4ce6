// units, install and dist as a user runs them: the real binary on a temporary home folder.
#include <gtest/gtest.h>

#include "core/file_io.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

class CliInstallTest : public testing::Test {
  protected:
    test::TempDir dir;
    fs::path home = dir / "home";

    // Runs `binary` with `args` on the test's home from the test folder; stdout and stderr in `out`.
    int Run(const std::string& args, std::string* out = nullptr, const std::string& binary = ZAV_BINARY) {
        std::string cmd = "cd '" + dir.Path().string() + "' && '" + binary + "' --home '" + home.string() + "' " +
                          args + " </dev/null 2>&1";
        return test::RunCommand(cmd, out);
    }
    fs::path Install(const std::string& unit) const { return home / "hotsync" / unit / "Install"; }
};

TEST_F(CliInstallTest, UnitsListAndAdd) {
    std::string out;
    EXPECT_EQ(Run("units", &out), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(Run("units add 'Unit 2'"), 0);
    EXPECT_EQ(Run("units add alpha"), 0);
    out.clear();
    EXPECT_EQ(Run("units add ALPHA", &out), 0);
    EXPECT_EQ(out, "Unit ALPHA already exists.\n");
    out.clear();
    EXPECT_EQ(Run("units add ../escape", &out), 1);
    EXPECT_EQ(out, "Error: Invalid unit name: \"../escape\"\n");
    EXPECT_FALSE(fs::exists(home / "escape"));
    out.clear();
    EXPECT_EQ(Run("units", &out), 0);
    EXPECT_EQ(out, "alpha\nUnit 2\n");
    EXPECT_EQ(Run("units add"), 2);
}

TEST_F(CliInstallTest, InstallAFileTwiceAndMissingOnes) {
    ASSERT_EQ(Run("units add 'Unit 1'"), 0);
    WriteFileBytes(dir / "RouteZAV.pdb", "route");
    std::string out;
    EXPECT_EQ(Run("install 'unit 1' RouteZAV.pdb", &out), 0) << out;  // relative to the working folder
    EXPECT_EQ(out, "");
    EXPECT_EQ(ReadFileBytes(Install("Unit 1") / "RouteZAV.pdb"), "route");
    EXPECT_EQ(Run("install 'Unit 1' RouteZAV.pdb", &out), 0);
    EXPECT_EQ(out, "Marquand: Application (" + (dir / "RouteZAV.pdb").string() +
                       ") is already scheduled to be installed during next HotSync operation.\n");
    // A changed file of the same name replaces the copy still waiting; an identical one stays.
    WriteFileBytes(dir / "RouteZAV.pdb", "route, converted again");
    out.clear();
    EXPECT_EQ(Run("install 'Unit 1' RouteZAV.pdb", &out), 0);
    EXPECT_EQ(out, "Marquand: Application (" + (dir / "RouteZAV.pdb").string() +
                       ") replaces the different copy that was scheduled to be installed during next HotSync "
                       "operation.\n");
    EXPECT_EQ(ReadFileBytes(Install("Unit 1") / "RouteZAV.pdb"), "route, converted again");
    out.clear();
    EXPECT_EQ(Run("install 'Unit 1' missing.pdb", &out), 1);
    EXPECT_NE(out.find("Application not found in"), std::string::npos) << out;
    out.clear();
    EXPECT_EQ(Run("install Nobody RouteZAV.pdb", &out), 1);
    EXPECT_NE(out.find("no unit named \"Nobody\""), std::string::npos) << out;
    EXPECT_FALSE(fs::exists(home / "hotsync" / "Nobody")) << "a mistyped unit is not created";
    EXPECT_EQ(Run("install 'Unit 1' RouteZAV.pdb --meazura"), 2);
    EXPECT_EQ(Run("install"), 2);
}

TEST_F(CliInstallTest, InstallTheEditionsHandheldProgram) {
    ASSERT_EQ(Run("units add U"), 0);
    fs::create_directories(home);
    for (const char* f : {"ZAVELKORN.PRC", "CORVANDER.PRC", "MeazuraLib_V302b.prc", "MeazuraStartupPatch_V200b.prc"})
        WriteFileBytes(home / f, f);
    EXPECT_EQ(Run("install U"), 0);
    EXPECT_TRUE(fs::exists(Install("U") / "ZAVELKORN.PRC"));
    EXPECT_FALSE(fs::exists(Install("U") / "MeazuraLib_V302b.prc"));

    // The edition follows the executable's name, without regard to case.
    fs::create_symlink(ZAV_BINARY, dir / "PENDREL");
    EXPECT_EQ(Run("install U --meazura", nullptr, (dir / "PENDREL").string()), 0);
    EXPECT_TRUE(fs::exists(Install("U") / "CORVANDER.PRC"));
    EXPECT_TRUE(fs::exists(Install("U") / "MeazuraStartupPatch_V200b.prc"));

    // A missing support file: the message and the warning, exit status 1.
    ASSERT_EQ(Run("units add V"), 0);
    fs::remove(home / "MeazuraLib_V302b.prc");
    std::string out;
    EXPECT_EQ(Run("install V --meazura", &out), 1);
    EXPECT_NE(out.find("Warning: Meazura Support extension file failed to install\n"), std::string::npos) << out;
}

TEST_F(CliInstallTest, DistWriteAndLoad) {
    ASSERT_EQ(Run("registry set LoginSetup UseLogin N"), 0);
    WriteFileBytes(home / "Flat.zcm", "ZAV=1.1\r\nMAPTYPE=1\r\n");
    std::string out;
    ASSERT_EQ(Run("dist write office.dst", &out), 0);
    EXPECT_EQ(out, "Distribution: office.dst written.\n");
    const std::string written = ReadFileBytes(dir / "office.dst");

    home = dir / "other";
    out.clear();
    ASSERT_EQ(Run("dist load office.dst", &out), 0);
    EXPECT_EQ(out, "Distribution: office.dst loaded.\n");
    EXPECT_EQ(ReadFileBytes(home / "Flat.zcm"), "ZAV=1.1\r\nMAPTYPE=1\r\n");
    out.clear();
    ASSERT_EQ(Run("registry get LoginSetup UseLogin", &out), 0);
    EXPECT_EQ(out, "N\n");
    ASSERT_EQ(Run("dist write again.dst"), 0);
    EXPECT_EQ(ReadFileBytes(dir / "again.dst"), written);

    // Without FILE: the home folder's only .dst file.
    fs::copy_file(dir / "office.dst", home / "office.dst");
    EXPECT_EQ(Run("dist load"), 0);
    fs::copy_file(dir / "office.dst", home / "second.dst");
    out.clear();
    EXPECT_EQ(Run("dist load", &out), 1);
    EXPECT_NE(out.find("give the distribution file"), std::string::npos) << out;

    WriteFileBytes(dir / "bad.dst", "not a distribution");
    out.clear();
    EXPECT_EQ(Run("dist load bad.dst", &out), 1);
    EXPECT_EQ(out, "Distribution: Distribution file not properly formatted\n");
    EXPECT_EQ(Run("dist load missing.dst"), 1);
    EXPECT_EQ(Run("dist"), 2);
    EXPECT_EQ(Run("dist write"), 2);
}

}  // namespace
}  // namespace zav
