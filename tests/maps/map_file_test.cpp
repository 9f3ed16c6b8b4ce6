// Map files: the exact bytes SaveMap writes, what a reload keeps and loses, and the loading rules for
// hand-edited files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/file_io.h"
#include "maps/exch_map.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

const std::filesystem::path kGolden = std::filesystem::path(ZAV_FIXTURES) / "maps";

void Map(clsExchMap& m, const char* name, int option, int position = 0, int width = 0, int format = 0) {
    m.MapOption(name, option);
    m.DataPosition(name, static_cast<std::int16_t>(position));
    m.DataWidth(name, static_cast<std::int16_t>(width));
    m.MapFormat(name, format);
}

// A delimited route map using every kind of route mapping.
clsExchMap RouteMap(const std::filesystem::path& folder) {
    clsExchMap m(folder);
    m.NewMap("Cycle.zcm", kMapRoute);
    m.MapType(kMapDelimited);
    m.MapDelimiter(",");
    m.MapQuote("\"");
    Map(m, "RouteNbr", kMapFromSource, 1);
    Map(m, "Sequence", kAutonumber);
    Map(m, "MeterTagNbr", kMapFromSource, 2, 0);
    Map(m, "MeterType", kMapConstant);
    m.MapConstant("MeterType", "W");
    Map(m, "ReadType", kMapFromSource, 5);
    Map(m, "LstReadingDate", kMapFromSource, 6, 0, 14);
    Map(m, "UtilityCode", kMapPrompt);
    Map(m, "Message", kMapPrompt);
    Map(m, "ServiceAddress", kMapFromSource, 3);
    Map(m, "User1", kMapConstant);
    m.MapConstant("User1", "Zone A");
    return m;
}

// The fixed 80-character reading map of the file format's example, with options and a quote.
clsExchMap ReadingMap(const std::filesystem::path& folder) {
    clsExchMap m(folder);
    m.NewMap("Upload.zrm", kMapReading);
    m.MapType(kMapFixed);
    m.MapLength(80);
    m.MapFilter(2);
    m.MapQuote("'");
    m.MapOptions(1, "Y");
    m.MapOptions(3, "x");
    Map(m, "MeterTagNbr", kWriteToDestination, 1, 10);
    m.MapAlign("MeterTagNbr", 2);
    m.MapPad("MeterTagNbr", 1);
    Map(m, "ReadingDate", kWriteToDestination, 11, 8, 14);
    m.MapAlign("ReadingDate", 1);
    m.MapPad("ReadingDate", 2);
    Map(m, "ReadingTime", kWriteToDestination, 19, 6, 41);
    m.MapAlign("ReadingTime", 2);
    m.MapPad("ReadingTime", 1);
    Map(m, "CurReading", kWriteToDestination, 25, 10);
    m.MapAlign("CurReading", 2);
    m.MapPad("CurReading", 2);
    return m;
}

// A tab-delimited orphan map ending records with a line feed.
clsExchMap OrphanMap(const std::filesystem::path& folder) {
    clsExchMap m(folder);
    m.NewMap("Orphans.zom", kMapOrphan);
    m.MapType(kMapDelimited);
    m.MapDelimiter("<tab>");
    m.MapTerminator(2);
    Map(m, "MeterTagNbr", kWriteToDestination, 1);
    m.MapAlign("MeterTagNbr", 1);
    m.MapPad("MeterTagNbr", 2);
    Map(m, "CurReading", kWriteToDestination, 2);
    m.MapAlign("CurReading", 1);
    m.MapPad("CurReading", 2);
    Map(m, "ReadingDate", kWriteToDestination, 3, 0, 26);
    m.MapAlign("ReadingDate", 1);
    m.MapPad("ReadingDate", 2);
    Map(m, "LstReadingDate", kWriteToDestination, 4);
    m.MapAlign("LstReadingDate", 1);
    m.MapPad("LstReadingDate", 2);
    return m;
}

// Every setting a map file keeps, as one comparable text.
std::string Settings(const clsExchMap& m) {
    std::string s = std::to_string(m.MapUse()) + "|" + m.MapName() + "|" + std::to_string(m.MapType()) + "|" +
                    m.MapDelimiter() + "|" + m.MapQuote() + "|" + std::to_string(m.MapTerminator()) + "|" +
                    std::to_string(m.MapLength()) + "|" + std::to_string(m.MapFilter()) + "|" + m.MapOptions(0) + "\n";
    for (const MapField& f : m.Fields())
        s += f.FieldName + "=" + std::to_string(f.MapOption) + "," + std::to_string(f.DataPosition) + "," +
             std::to_string(f.DataWidth) + "," + std::to_string(f.MapAlign) + "," + std::to_string(f.MapPad) + "," +
             std::to_string(f.MapFormat) + "," + f.MapConstant + "\n";
    return s;
}

class MapFileTest : public testing::Test {
  protected:
    test::TempDir dir;

    void WriteMap(const std::string& name, const std::string& text) { WriteFileBytes(dir / name, text); }
};

TEST_F(MapFileTest, SaveMapWritesTheGoldenFiles) {
    using Maker = clsExchMap (*)(const std::filesystem::path&);
    const std::pair<Maker, const char*> maps[] = {
        {RouteMap, "Cycle.zcm"}, {ReadingMap, "Upload.zrm"}, {OrphanMap, "Orphans.zom"}};
    for (const auto& [make, name] : maps) {
        clsExchMap m = make(dir.Path());
        ASSERT_TRUE(m.Dirty());
        ASSERT_TRUE(m.SaveMap()) << name;
        EXPECT_FALSE(m.Dirty());
        EXPECT_EQ(ReadFileBytes(dir / name), ReadFileBytes(kGolden / name)) << name;
    }
}

TEST_F(MapFileTest, ReloadKeepsWhatTheFileHolds) {
    // Reading and orphan maps come back exactly.
    for (auto make : {ReadingMap, OrphanMap}) {
        clsExchMap saved = make(dir.Path());
        ASSERT_TRUE(saved.SaveMap());
        clsExchMap loaded(dir.Path());
        ASSERT_TRUE(loaded.LoadMap(saved.MapName(), saved.MapUse()));
        EXPECT_EQ(Settings(loaded), Settings(saved)) << saved.MapName();
        EXPECT_FALSE(loaded.Dirty());
    }
    // A route map loses the alignment and padding of "Map from Source" fields: they come back as 2 and 2.
    clsExchMap saved = RouteMap(dir.Path());
    saved.MapAlign("RouteNbr", 1);
    saved.MapPad("RouteNbr", 1);
    ASSERT_TRUE(saved.SaveMap());
    clsExchMap loaded(dir.Path());
    ASSERT_TRUE(loaded.LoadMap("Cycle.zcm", kMapRoute));
    for (const MapField& f : saved.Fields()) {
        const MapField& back = loaded.Fields()[loaded.FindItem(f.FieldName) - 1];
        EXPECT_EQ(back.MapOption, f.MapOption) << f.FieldName;
        EXPECT_EQ(back.DataPosition, f.DataPosition) << f.FieldName;
        EXPECT_EQ(back.DataWidth, f.DataWidth) << f.FieldName;
        EXPECT_EQ(back.MapFormat, f.MapFormat) << f.FieldName;
        EXPECT_EQ(back.MapConstant, f.MapConstant) << f.FieldName;
        if (f.MapOption == kMapFromSource) {
            EXPECT_EQ(std::make_pair(back.MapAlign, back.MapPad), std::make_pair(2, 2));
        }
    }
    EXPECT_EQ(loaded.MapQuote(), "\"");
    EXPECT_EQ(loaded.MapType(), kMapDelimited);
}

TEST_F(MapFileTest, TheGoldenFilesLoad) {
    clsExchMap m(kGolden);
    ASSERT_TRUE(m.LoadMap("Upload.zrm", kMapReading));
    EXPECT_EQ(Settings(m), Settings(ReadingMap(kGolden)));
}

TEST_F(MapFileTest, LoadingRules) {
    struct Case {
        const char* what;
        const char* lines;  // after the header lines of a route map; lines end with CR LF
        const char* field;
        std::string (*probe)(const clsExchMap&, const char* field);
        const char* expected;
    };
    const auto option = [](const clsExchMap& m, const char* f) {
        return std::to_string(m.MapOption(f)) + "," + std::to_string(m.DataPosition(f)) + "," +
               std::to_string(m.DataWidth(f)) + "," + std::to_string(m.MapFormat(f)) + "," + m.MapConstant(f);
    };
    const auto quote = [](const clsExchMap& m, const char*) { return m.MapQuote(); };
    const auto delimiter = [](const clsExchMap& m, const char*) { return m.MapDelimiter(); };
    const auto numbers = [](const clsExchMap& m, const char*) {
        return std::to_string(m.MapType()) + "," + std::to_string(m.MapFilter()) + "," +
               std::to_string(m.MapTerminator()) + "," + std::to_string(m.MapLength());
    };
    const Case cases[] = {
        {"autonumber", "Sequence=A\r\n", "Sequence", option, "6,0,0,0,"},
        {"source with three more commas", "MeterTagNbr=5,10,,,0\r\n", "MeterTagNbr", option, "2,5,10,0,"},
        {"field names ignore case", "metertagnbr = 5 , 10\r\n", "MeterTagNbr", option, "2,5,10,0,"},
        {"constant cut at the comma", "MeterType=C,Gas, Water\r\n", "MeterType", option, "3,0,0,0,Gas"},
        {"constant loses trailing spaces", "MeterType=C,W   \r\n", "MeterType", option, "3,0,0,0,W"},
        {"constant cut at a second =", "MeterType=C,a=b\r\n", "MeterType", option, "3,0,0,0,a"},
        {"prompt clears the placement", "Message=4,4\r\nMessage=P\r\n", "Message", option, "4,0,0,0,"},
        {"position out of range stops the line", "Message=5,70000,,,14\r\n", "Message", option, "1,5,0,0,"},
        {"comment and blank lines", "# Message=P\r\n   \r\n", "Message", option, "1,0,0,0,"},
        {"a reading field in a route map", "CurReading=5,5\r\n", "Message", option, "1,0,0,0,"},
        {"lower-case map key is a field line", "mapquote='\r\n", "", quote, ""},
        {"<none> quote", "MAPQUOTE=<none>\r\n", "", quote, ""},
        {"quote", "MAPQUOTE=\"\r\n", "", quote, "\""},
        {"single-space delimiter is trimmed away", "MAPDELIMITER= \r\n", "", delimiter, ""},
        {"delimiter cut at =", "MAPDELIMITER=a=b\r\n", "", delimiter, "a"},
        {"numbers", "MAPTYPE=1.5\r\nMAPFILTER=3\r\nMAPTERMINATOR= 2 \r\nMAPLENGTH=80\r\n", "", numbers, "2,3,2,80"},
        {"map type is the leading number", "MAPTYPE=2abc\r\n", "", numbers, "2,0,0,0"},
        {"unconvertible whole numbers leave the settings", "MAPFILTER=x\r\nMAPTERMINATOR=3a\r\nMAPLENGTH=40000\r\n", "",
         numbers, "0,0,0,0"},
    };
    for (const Case& c : cases) {
        WriteMap("Case.zcm", std::string("ZAV=1.1\r\nMAPNAME=Other\r\n") + c.lines);
        clsExchMap m(dir.Path());
        ASSERT_TRUE(m.LoadMap("Case.zcm", kMapRoute)) << c.what;
        EXPECT_EQ(m.MapName(), "Case.zcm") << "the name comes from the caller";
        EXPECT_EQ(c.probe(m, c.field), c.expected) << c.what;
    }
    WriteMap("NoHeader.zcm", "MAPTYPE=1\nRouteNbr=1,4,,,0");  // saved with line feeds only
    clsExchMap m(dir.Path());
    ASSERT_TRUE(m.LoadMap("NoHeader.zcm", kMapReRead));
    EXPECT_EQ(m.MapType(), kMapFixed);
    EXPECT_EQ(m.DataWidth("RouteNbr"), 4) << "a last line without terminator counts";
}

TEST_F(MapFileTest, FilesThatCannotBeLoaded) {
    clsExchMap m(dir.Path());
    m.MapType(kMapFixed);
    EXPECT_FALSE(m.LoadMap("Missing.zcm", kMapRoute));
    EXPECT_EQ(m.FieldCount(), 28) << "the predefined fields stay";
    EXPECT_EQ(m.MapType(), 0);

    std::filesystem::create_directory(dir / "Folder.zcm");
    EXPECT_FALSE(m.LoadMap("Folder.zcm", kMapRoute));

    WriteMap("Locked.zcm", "MAPTYPE=1\r\n");
    ::chmod((dir / "Locked.zcm").c_str(), 0);
    if (::geteuid() != 0) {
        EXPECT_FALSE(m.LoadMap("Locked.zcm", kMapRoute));
    }

    // Names never leave the folder.
    WriteMap("Inside.zcm", "MAPTYPE=1\r\n");
    for (const char* name : {"../Inside.zcm", "sub/Inside.zcm", "", ".", ".."}) {
        m.NewMap(name, kMapRoute);
        EXPECT_EQ(m.MapFileName(), std::filesystem::path()) << name;
        EXPECT_FALSE(m.LoadMap(name, kMapRoute)) << name;
        EXPECT_FALSE(m.SaveMap()) << name;
    }
    m.NewMap("Inside.zcm", 5);
    EXPECT_EQ(m.MapFileName(), std::filesystem::path()) << "no file for an unknown use";
}

TEST_F(MapFileTest, DeleteMapRemovesOnlyTheFile) {
    clsExchMap m = RouteMap(dir.Path());
    ASSERT_TRUE(m.SaveMap());
    EXPECT_EQ(m.MapFileName(), dir / "Cycle.zcm");
    EXPECT_TRUE(m.DeleteMap());
    EXPECT_FALSE(std::filesystem::exists(dir / "Cycle.zcm"));
    EXPECT_FALSE(m.DeleteMap());
    std::filesystem::create_directory(dir / "Cycle.zcm");
    EXPECT_FALSE(m.DeleteMap());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "Cycle.zcm"));
}

}  // namespace
}  // namespace zav
