// Distribution files: exact bytes written, write-load-write cycles, files of the earlier framing,
// the loading rules and hostile input.
#include "setup/dist.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/identity.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

namespace fs = std::filesystem;
using V = std::vector<std::string>;

// One office: a home folder with its own settings store.
struct Office {
    explicit Office(const fs::path& folder) : home((fs::create_directories(folder), folder)) {}
    fs::path home;
    RegistryStore store{home / "registry.sqlite3"};
    clsRegistry reg{store};
    clsDist dist{store, home};

    void Set(const std::string& key, const std::string& name, const std::string& value) {
        ASSERT_TRUE(reg.SaveValue(value, {kLocalMachine, kSettingsKey, key, name}));
    }
    std::string Get(const std::string& key, const std::string& name) {
        return RegValueText(reg.GetValue({kLocalMachine, kSettingsKey, key, name}));
    }
    std::string Map(const std::string& name) const { return ReadFileBytes(home / name); }
};

const std::string kRouteMap = "ZAV=1.1\r\nMAPNAME=Flat.zcm\r\nMAPTYPE=1\r\nMeterTagNbr=1,10,,,0\r\n";

class DistTest : public testing::Test {
  protected:
    test::TempDir dir;
    test::FakeFrontend ui;
    ScopedFrontend scoped{ui};
    Office office{dir / "home"};

    std::string Load(const std::string& text, Office& into) {
        const std::string file = (dir / "in.dst").string();
        WriteFileBytes(file, text);
        ui.calls.clear();
        EXPECT_TRUE(into.dist.LoadDist(file));
        EXPECT_FALSE(ui.calls.empty());
        if (!ui.calls.empty()) {
            EXPECT_EQ(ui.calls.back(), "ShowMessage(Distribution|" + file + " loaded.)");
            ui.calls.pop_back();
        }
        return file;
    }
};

TEST_F(DistTest, WritesSettingsAndMapFilesInTheFileFormat) {
    office.Set("LoginSetup", "UseLogin", "N");
    office.Set("Route", "Map", "Flat");
    WriteFileBytes(office.home / "Flat.zcm", kRouteMap);
    WriteFileBytes(office.home / "read.ZRM", "ZAV=1.1\r\nMAPTYPE=1\r\n");
    WriteFileBytes(office.home / "odd.zxm", "ZAV=1.1\r\n");
    WriteFileBytes(office.home / "notes.txt", "not a map");
    fs::create_directories(office.home / "folder.zcm");

    const std::string file = (dir / "office.dst").string();
    ASSERT_TRUE(office.dist.WriteDist(file));
    EXPECT_EQ(ui.calls, (V{"ShowMessage(Distribution|" + file + " written.)"}));
    EXPECT_EQ(ReadFileBytes(file),
              "DIST 1.1\r\n[REGISTRY]\r\n"
              "LoginSetup: \r\n    > UseLogin = \"N\"\r\n"
              "Route: \r\n    > Map = \"Flat\"\r\n"
              "\r\n"
              "[ROUTE MAP Flat.zcm]" +
                  kRouteMap +
                  "\r\n"
                  "[UNKNOWN MAP odd.zxm]ZAV=1.1\r\n\r\n"
                  "[READING MAP read.ZRM]ZAV=1.1\r\nMAPTYPE=1\r\n\r\n"
                  "\r\n");
}

TEST_F(DistTest, WriteLoadWriteGivesTheSameFileAndEveryValueAndMap) {
    const std::string values[] = {"N",          "",        "C:\\routes\\in.txt", "a \"quoted\" word", "x = y",
                                  "trailing  ", "caf\xE9", "[bracket]"};
    for (std::size_t i = 0; i < std::size(values); ++i)
        office.Set("Section" + std::to_string(i % 3), "V" + std::to_string(i), values[i]);
    const std::pair<const char*, std::string> maps[] = {
        {"Flat.zcm", kRouteMap},
        {"LineFeeds.zrm", "ZAV=1.1\nMAPTYPE=2\n"},  // saved with line feeds only
        {"NoBreak.zom", "ZAV=1.1\r\nMAPTYPE=1"},    // no final line break
        {"Blank.zcm", "ZAV=1.1\r\n\r\n\r\n"},       // ends with empty lines
    };
    for (const auto& [name, bytes] : maps) WriteFileBytes(office.home / name, bytes);

    const fs::path first = dir / "first.dst";
    ASSERT_TRUE(office.dist.WriteDist(first.string()));
    Office copy(dir / "copy");
    Load(ReadFileBytes(first), copy);
    EXPECT_TRUE(ui.calls.empty()) << ui.calls.front();
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(copy.Get("Section" + std::to_string(i % 3), "V" + std::to_string(i)), values[i]) << i;
    for (const auto& [name, bytes] : maps) EXPECT_EQ(copy.Map(name), bytes) << name;

    const fs::path second = dir / "second.dst";
    ASSERT_TRUE(copy.dist.WriteDist(second.string()));
    EXPECT_EQ(ReadFileBytes(second), ReadFileBytes(first));
    // And again: the last map does not grow from cycle to cycle.
    Load(ReadFileBytes(second), copy);
    for (const auto& [name, bytes] : maps) EXPECT_EQ(copy.Map(name), bytes) << name;
}

TEST_F(DistTest, FilesOfTheEarlierFramingLoadAsBefore) {
    // As version 1.0 wrote them: no separator after a map's bytes.
    const std::string crlf =
        "DIST 1.0\r\n[REGISTRY]\r\nLoginSetup: \r\n    > UseLogin = \"N\"\r\n\r\n"
        "[ROUTE MAP A.zcm]" +
        kRouteMap + "[READING MAP B.zrm]ZAV=1.1\r\nMAPTYPE=1\r\n\r\n";
    Load(crlf, office);
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(office.Get("LoginSetup", "UseLogin"), "N");
    EXPECT_EQ(office.Map("A.zcm"), kRouteMap);
    EXPECT_EQ(office.Map("B.zrm"), "ZAV=1.1\r\nMAPTYPE=1\r\n") << "the last map gains no empty line";

    // The same file with line feeds only loads the same way (its maps keep line feeds).
    Office lf(dir / "lf");
    std::string lfText;
    for (char c : crlf)
        if (c != '\r') lfText += c;
    Load(lfText, lf);
    EXPECT_TRUE(ui.calls.empty());
    EXPECT_EQ(lf.Get("LoginSetup", "UseLogin"), "N");
    EXPECT_EQ(lf.Map("A.zcm"), "ZAV=1.1\nMAPNAME=Flat.zcm\nMAPTYPE=1\nMeterTagNbr=1,10,,,0\n");
    EXPECT_EQ(lf.Map("B.zrm"), "ZAV=1.1\nMAPTYPE=1\n");
}

TEST_F(DistTest, RegistryLinesAsTheLoaderReadsThem) {
    Load(
        "DIST 7.3\r\n[Registry]\r\n"  // any version and case; the header line itself is then an entry
        "> Top = \"root value\"\r\n"  // before any key line: the settings key itself
        "LoginSetup:\r\n"
        "    > UseLogin = \"N\"\r\n"
        "  > Spaced =    \"  padded\"  \r\n"  // extra spaces after "=" shift the value's start
        "> Lead = \"  x\"\r\n"                // leading spaces of a value are lost
        "> Quoted = \"\"inner\"\"\r\n"        // a leading quote of the value is lost
        "> Number = &H0000000A\r\n"           // a double-word listing reads back as text
        "> Split = \"first\r\nsecond\"\r\n"   // a value with a line break cannot be carried
        "no marker here\r\n"
        "> = \"no name\"\r\n"
        "a=b> c = d\r\n"
        "Other: Error\r\n"
        "\r\n",
        office);
    EXPECT_EQ(ui.calls, (V{"ShowMessage(Marquand|Improperly formatted registry entry\r\nRegistry])",
                           "ShowMessage(Marquand|Improperly formatted registry entry\r\nsecond\")",
                           "ShowMessage(Marquand|Improperly formatted registry entry\r\nno marker here)",
                           "ShowMessage(Marquand|Improperly formatted registry entry\r\n> = \"no name\")",
                           "ShowMessage(Marquand|Improperly formatted registry entry\r\na=b> c = d)",
                           "ShowMessage(Marquand|Improperly formatted registry entry\r\nOther: Error)"}));
    clsRegistry& reg = office.reg;
    EXPECT_EQ(RegValueText(reg.GetValue({kLocalMachine, kSettingsKey, "Top"})), "root value");
    EXPECT_EQ(office.Get("LoginSetup", "UseLogin"), "N");
    EXPECT_EQ(office.Get("LoginSetup", "Spaced"), "  padded");
    EXPECT_EQ(office.Get("LoginSetup", "Lead"), "x");
    EXPECT_EQ(office.Get("LoginSetup", "Quoted"), "inner\"");
    EXPECT_EQ(office.Get("LoginSetup", "Number"), "H0000000A");
    EXPECT_EQ(office.Get("LoginSetup", "Split"), "first");
}

TEST_F(DistTest, WrongPreambleAndUnreadableFilesAreRefused) {
    const std::string file = (dir / "bad.dst").string();
    for (const char* text : {"dist 1.0\r\n[REGISTRY]\r\n", "", "DIST", "[REGISTRY]\r\nDIST 1.0\r\n"}) {
        WriteFileBytes(file, text);
        ui.calls.clear();
        EXPECT_FALSE(office.dist.LoadDist(file)) << text;
        EXPECT_EQ(ui.calls, (V{"ShowMessage(Distribution|Distribution file not properly formatted)"})) << text;
    }
    ui.calls.clear();
    EXPECT_FALSE(office.dist.LoadDist((dir / "missing.dst").string()));
    EXPECT_EQ(ui.calls, (V{"ShowMessage(Distribution|File not found)"}));
    ui.calls.clear();
    EXPECT_FALSE(office.dist.WriteDist((dir / "no" / "such" / "folder.dst").string()));
    EXPECT_EQ(ui.calls.size(), 2u);  // "Error opening key." (nothing stored yet), then the write error
    EXPECT_EQ(ui.calls.back(), "ShowMessage(Distribution|File not found)");
}

TEST_F(DistTest, HostileMapSectionsWriteNothingOutsideTheHomeFolder) {
    fs::create_directories(dir / "outside");
    WriteFileBytes(dir / "outside" / "target.zcm", "untouched");
    fs::create_symlink(dir / "outside" / "target.zcm", office.home / "link.zcm");
    const char* names[] = {"../escape.zcm", "../../escape.zcm",
                           "/tmp/abs.zcm",  "sub/x.zcm",
                           "a\\b.zcm",      "..zcm",
                           "x.txt",         ".zcm",
                           "x.zcm\r\nMORE", ""};
    std::string text = "DIST 1.1\r\n[REGISTRY]\r\n\r\n";
    for (const char* name : names) text += std::string("[ROUTE MAP ") + name + "]ZAV=1.1\r\n\r\n";
    text += "[ORPHAN MAP no-bracket ZAV=1.1\r\n\r\n";
    text += "[READING MAP nokey.zrm]MAPTYPE=1\r\n\r\n";  // no "ZAV=": nothing created
    text += "[ROUTE MAP link.zcm]ZAV=1.1\r\n\r\n";       // replaces the link, not its target
    text += "[UNKNOWN MAP skipped.zcm]ZAV=1.1\r\n\r\n";
    text += "[ROUTE MAP " + std::string(300, 'x') + ".zcm]ZAV=1.1\r\n\r\n";
    Load(text + "\r\n", office);

    EXPECT_EQ(ui.calls, V(std::size(names) + 3, "ShowMessage(Marquand|Improperly formatted map file)"));
    EXPECT_EQ(ReadFileBytes(dir / "outside" / "target.zcm"), "untouched");
    EXPECT_FALSE(fs::is_symlink(office.home / "link.zcm"));
    EXPECT_EQ(office.Map("link.zcm"), "ZAV=1.1\r\n");
    V top, home;
    for (const auto& e : fs::directory_iterator(dir.Path())) top.push_back(e.path().filename().string());
    for (const auto& e : fs::directory_iterator(office.home)) {
        const std::string name = e.path().filename().string();
        if (name.rfind("registry.sqlite3-", 0) != 0) home.push_back(name);  // the store's open log files
    }
    std::sort(top.begin(), top.end());
    std::sort(home.begin(), home.end());
    EXPECT_EQ(top, (V{"home", "in.dst", "outside"}));
    EXPECT_EQ(home, (V{"link.zcm", "registry.sqlite3"}));
}

TEST_F(DistTest, WithoutANameTheOnlyDistFileOrTheDialog) {
    std::vector<std::string> asked;
    office.dist.ChooseFile = [&](const DistFileDialog& d) {
        asked.push_back(d.title + "|" + d.initialFolder + "|" + d.filter + "|" + d.defaultExtension);
        return std::string();
    };
    EXPECT_FALSE(office.dist.WriteDist(""));
    EXPECT_FALSE(office.dist.LoadDist(""));
    const std::string tail = "|" + office.home.string() + "|Distribution Files (*.dst)|*.dst|All Files(*.*)|*.*|DST";
    EXPECT_EQ(asked, (V{"Save Distribution" + tail, "Load Distribution" + tail}));
    EXPECT_TRUE(ui.calls.empty()) << "cancelling is silent";

    WriteFileBytes(office.home / "Office.DST", "DIST 1.0\r\n[REGISTRY]\r\nKey: \r\n    > A = \"1\"\r\n\r\n\r\n");
    asked.clear();
    EXPECT_TRUE(office.dist.LoadDist(""));
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(office.Get("Key", "A"), "1");
    EXPECT_EQ(ui.calls, (V{"ShowMessage(Distribution|" + (office.home / "Office.DST").string() + " loaded.)"}));

    WriteFileBytes(office.home / "second.dst", "DIST 1.0\r\n");
    EXPECT_FALSE(office.dist.LoadDist(""));
    EXPECT_EQ(asked.size(), 1u) << "two files: the dialog decides";
}

}  // namespace
}  // namespace zav
