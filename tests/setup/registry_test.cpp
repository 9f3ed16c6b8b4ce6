#include "setup/registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/errors.h"
#include "core/identity.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

using V = std::vector<std::string>;

class RegistryTest : public testing::Test {
protected:
    test::TempDir dir;
    RegistryStore store{dir / "registry.sqlite3"};
    clsRegistry reg{store};
    test::FakeFrontend ui;
    ScopedFrontend scoped{ui};

    static HiveName Settings(const std::string& section, const std::string& name) {
        return {kLocalMachine, kSettingsKey, section, name};
    }
};

TEST_F(RegistryTest, KeyPathJoinsElementsWithSingleBackslashes) {
    std::uint32_t root = 0;
    std::string path;
    EXPECT_TRUE(clsRegistry::KeyPath(root, path, {"HKEY_LOCAL_MACHINE", "Software\\Halvary, Inc.\\ZavDepot\\", "LoginSetup"}));
    EXPECT_EQ(root, 0x80000002u);
    EXPECT_EQ(path, "Software\\Halvary, Inc.\\ZavDepot\\LoginSetup");
    EXPECT_TRUE(clsRegistry::KeyPath(root, path, {"HKEY_CURRENT_USER", "Software", "A", "B"}));
    EXPECT_EQ(root, 0x80000001u);
    EXPECT_EQ(path, "Software\\A\\B");
    EXPECT_TRUE(clsRegistry::KeyPath(root, path, {"HKEY_DYN_DATA", std::string("Sof\0tware", 9)}));
    EXPECT_EQ(path, "Software");  // NUL characters are removed
    EXPECT_FALSE(clsRegistry::KeyPath(root, path, {"hkey_local_machine", "Software"}));  // exact case
    EXPECT_FALSE(clsRegistry::KeyPath(root, path, {}));
}

TEST_F(RegistryTest, SaveValueCreatesEveryMissingKeyAndReadsBack) {
    EXPECT_EQ(reg.OpenKey(false, {kLocalMachine, "Software"}), 0);
    ASSERT_TRUE(reg.SaveValue("Route.txt", {kLocalMachine, "Software", "Halvary, Inc.", "ZavDepot", "Route", "Source"}));
    EXPECT_NE(reg.OpenKey(false, {kLocalMachine, "Software"}), 0);
    EXPECT_EQ(reg.GetValue(Settings("Route", "Source")), RegValue(std::string("Route.txt")));
    EXPECT_EQ(reg.GetValue(Settings("route", "SOURCE")), RegValue(std::string("Route.txt")));  // case-insensitive
    EXPECT_EQ(reg.GetValue(Settings("Route", "Missing")), RegValue());
    EXPECT_EQ(reg.GetValue(Settings("NoKey", "Source")), RegValue());
    EXPECT_EQ(reg.GetValue({"HKEY_NOWHERE", "Software", "x"}), RegValue());
    EXPECT_FALSE(reg.SaveValue("x", {"HKEY_NOWHERE", "Software", "x"}));
    EXPECT_EQ(reg.GetKeys({kLocalMachine, kSettingsKey}), V{"Route"});
}

TEST_F(RegistryTest, LongValuesReadBackWholeAndAreAllListed) {
    const std::string longText(5000, 'x');
    ASSERT_TRUE(reg.SaveValue("a", Settings("S", "First")));
    ASSERT_TRUE(reg.SaveValue(longText, Settings("S", "Long")));
    ASSERT_TRUE(reg.SaveValue("c", Settings("S", "Third")));
    EXPECT_EQ(reg.GetValue(Settings("S", "Long")), RegValue(longText));
    EXPECT_EQ(reg.GetValues({kLocalMachine, kSettingsKey, "S"}), (V{"First", "Long", "Third"}));
    const std::string listing = reg.GetKeyInfo(0, {kLocalMachine, kSettingsKey});
    EXPECT_NE(listing.find("> Third = \"c\""), std::string::npos);
    EXPECT_NE(listing.find(longText), std::string::npos);
}

TEST_F(RegistryTest, ValuesListInCreationOrderSubkeysInNameOrder) {
    for (const char* name : {"Zeta", "alpha", "Mid"}) ASSERT_TRUE(reg.SaveValue("1", Settings("K", name)));
    ASSERT_TRUE(reg.SaveValue("2", Settings("K", "ALPHA")));  // rewrite keeps its place, takes the new case
    EXPECT_EQ(reg.GetValues({kLocalMachine, kSettingsKey, "K"}), (V{"Zeta", "ALPHA", "Mid"}));
    EXPECT_EQ(reg.GetValue(Settings("K", "alpha")), RegValue(std::string("2")));
    for (const char* key : {"Route", "advanced", "LoginSetup", "Alerts"}) ASSERT_TRUE(reg.SaveValue("", Settings(key, "v")));
    EXPECT_EQ(reg.GetKeys({kLocalMachine, kSettingsKey}), (V{"advanced", "Alerts", "K", "LoginSetup", "Route"}));
}

TEST_F(RegistryTest, DeleteValueHasThreeResults) {
    ASSERT_TRUE(reg.SaveValue("1", Settings("K", "v")));
    EXPECT_EQ(reg.DeleteValue(Settings("K", "V")), std::optional<bool>(true));
    EXPECT_EQ(reg.GetValue(Settings("K", "v")), RegValue());
    EXPECT_EQ(reg.DeleteValue(Settings("K", "v")), std::optional<bool>(false));
    // A missing key is created empty, and the deletion fails.
    EXPECT_EQ(reg.DeleteValue(Settings("New", "v")), std::optional<bool>(false));
    EXPECT_NE(reg.OpenKey(false, {kLocalMachine, kSettingsKey, "New"}), 0);
    EXPECT_EQ(reg.DeleteValue({"HKEY_NOWHERE", "x", "v"}), std::nullopt);
}

TEST_F(RegistryTest, GetValueByType) {
    const RegKeyPath key{kLocalMachine, {"Software", "T"}};
    ASSERT_TRUE(store.WriteValue(key, "dword", kRegDword, std::string("\x0a\x00\x00\x80", 4)));
    ASSERT_TRUE(store.WriteValue(key, "binary", kRegBinary, "abc"));
    ASSERT_TRUE(store.WriteValue(key, "expand", kRegExpandSz, "%PATH%"));
    EXPECT_EQ(reg.GetValue({kLocalMachine, "Software", "T", "dword"}), RegValue(std::int32_t(0x8000000a)));
    EXPECT_EQ(reg.GetValue({kLocalMachine, "Software", "T", "binary"}), RegValue());
    EXPECT_EQ(reg.GetValue({kLocalMachine, "Software", "T", "expand"}), RegValue(std::string("%PATH%")));
}

TEST_F(RegistryTest, GetKeyInfoListsInTheDistributionLineFormat) {
    ASSERT_TRUE(reg.SaveValue("N", Settings("LoginSetup", "UseLogin")));
    ASSERT_TRUE(reg.SaveValue("say \"hi\"", Settings("LoginSetup", "Greeting")));
    ASSERT_TRUE(reg.SaveValue("x.zcm", Settings("Route", "Map")));
    ASSERT_TRUE(reg.SaveValue("top", {kLocalMachine, kSettingsKey, "TopValue"}));
    const RegKeyPath route{kLocalMachine, {"Software", "Halvary, Inc.", "ZavDepot", "Route"}};
    ASSERT_TRUE(store.WriteValue(route, "", kRegSz, "default text"));
    ASSERT_TRUE(store.WriteValue(route, "D", kRegDword, std::string("\x0a\x0b\x00\xff", 4)));
    ASSERT_TRUE(store.WriteValue(route, "B", kRegBinary, "xx"));
    ASSERT_TRUE(store.WriteValue(route, "M", kRegMultiSz, "xx"));
    ASSERT_TRUE(store.WriteValue(route, "Odd", 42, "xx"));  // unknown type: no line
    ASSERT_TRUE(store.WriteValue({kLocalMachine, {"Software", "Halvary, Inc.", "ZavDepot", "Route", "Deep"}}, "v",
                                 kRegSz, "1"));

    EXPECT_EQ(reg.GetKeyInfo(0, {kLocalMachine, kSettingsKey}),
              "> TopValue = \"top\"\r\n"
              "LoginSetup: \r\n"
              "    > UseLogin = \"N\"\r\n"
              "    > Greeting = \"say \"hi\"\"\r\n"
              "Route: default text\r\n"
              "    > Map = \"x.zcm\"\r\n"
              "    >  = \"default text\"\r\n"
              "    > D = &HFF000B0A\r\n"
              "    > B = [binary]\r\n"
              "    > M = [multi sz]\r\n"
              "    Deep: \r\n"
              "        > v = \"1\"\r\n");
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(reg.GetKeyInfo(0, {kLocalMachine, "Software", "Nowhere"}), "");
    EXPECT_EQ(ui.calls, V{"ShowMessage(Marquand|Error opening key.)"});
}

// Reads in a batch share one snapshot and remember the keys they find; a write inside the batch still
// lands (and is read back), and another connection's write is seen once the batch is over.
TEST_F(RegistryTest, ReadBatchesReadWriteAndSeeOtherWritersAfterwards) {
    ASSERT_TRUE(reg.SaveValue("1", Settings("Route", "Source")));
    RegistryStore other(dir / "registry.sqlite3");
    clsRegistry otherReg(other);
    {
        const RegistryStore::ReadBatch batch(store);
        EXPECT_EQ(reg.GetValue(Settings("Route", "Source")), RegValue(std::string("1")));
        EXPECT_EQ(reg.GetValue(Settings("route", "source")), RegValue(std::string("1")));  // the key found before
        EXPECT_EQ(reg.GetValue(Settings("NoKey", "Source")), RegValue());
        ASSERT_TRUE(otherReg.SaveValue("2", Settings("Route", "Source")));  // a reader does not block a writer
        {
            const RegistryStore::ReadBatch inner(store);
            EXPECT_EQ(reg.GetValue(Settings("Route", "Source")), RegValue(std::string("1"))) << "the same snapshot";
        }
        EXPECT_EQ(reg.GetValue(Settings("Route", "Source")), RegValue(std::string("1"))) << "the outer batch holds";
        ASSERT_TRUE(reg.SaveValue("3", Settings("NoKey", "Source"))) << "a write inside a batch";
        EXPECT_EQ(reg.GetValue(Settings("NoKey", "Source")), RegValue(std::string("3")));
        EXPECT_EQ(reg.GetValue(Settings("Route", "Source")), RegValue(std::string("2")));
    }
    ASSERT_TRUE(otherReg.SaveValue("4", Settings("Route", "Source")));
    EXPECT_EQ(reg.GetValue(Settings("Route", "Source")), RegValue(std::string("4")));
}

TEST_F(RegistryTest, StoreFileIsOwnerOnly) {
    struct stat st {};
    ASSERT_EQ(::stat((dir / "registry.sqlite3").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(RegistryStoreOpen, GarbageFileIsAClearError) {
    test::TempDir dir;
    {
        FILE* f = std::fopen((dir / "registry.sqlite3").c_str(), "wb");
        std::fputs("this is not a settings store, just some text that is long enough to be a header......", f);
        std::fclose(f);
    }
    EXPECT_THROW(RegistryStore(dir / "registry.sqlite3"), RuntimeError);
    EXPECT_THROW(RegistryStore(dir / "missing-folder" / "registry.sqlite3"), RuntimeError);
}

}  // namespace
}  // namespace zav
