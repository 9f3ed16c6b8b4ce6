// The ZAV database: schema versions, the record layout, the versioned open and an independent reader.
#include "zav/zav.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/file_io.h"
#include "palmdb/palm_file_pdb.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

TEST(ZAV, SchemaVersions) {
    struct Case {
        std::int32_t version;
        int fixed, texts, fields;
    } cases[] = {{0, 15, 0, 5}, {1, 68, 13, 36}, {2, 70, 13, 38}, {3, 76, 13, 40}};
    clsZAV zav;
    for (const auto& c : cases) {
        zav.SetVersion(c.version);
        EXPECT_EQ(zav.DB().FixedSize(), c.fixed) << c.version;
        EXPECT_EQ(zav.DB().TextCount(), c.texts) << c.version;
        EXPECT_EQ(zav.DB().FieldCount(), c.fields) << c.version;
    }
    zav.SetVersion(2);
    zav.SetVersion(1);
    EXPECT_EQ(zav.DB().FindItem("Decimals"), 0) << "the schema is rebuilt from scratch";
    // Offsets of version 3 (byte 0 is RecType).
    zav.SetVersion(3);
    const std::pair<const char*, int> offsets[] = {
        {"PrvReading", 18}, {"ResponseCode", 44}, {"Lat", 54}, {"InitPulseCount", 70}, {"InitTamperCount", 74}};
    for (const auto& [name, offset] : offsets) EXPECT_EQ(zav.DB().FieldAt(zav.DB().FindItem(name)).position, offset);
    zav.AddNew();
    EXPECT_EQ(zav.RawData().size(), 89u) << "76 fixed bytes and 13 zero bytes";
}

class ZAVFileTest : public testing::Test {
  protected:
    test::TempDir dir;
    std::filesystem::path file = dir / "RouteZAV.pdb";

    // Header, one route, two meters, then an index-like raw record.
    void WriteSample(int container) {
        clsZAV zav;
        zav.SetVersion(3);
        ASSERT_EQ(zav.CreateZAV(file, container, 10), 0);
        zav.AddNew();
        zav.SetItem("RecType", std::int32_t{0});
        zav.SetItem("RouteNbr", std::int32_t{1});
        zav.SetItem("Sequence", std::int32_t{20240109});
        zav.SetItem("MeterTagNbr", std::int32_t{1430});
        zav.SetItem("MeterType", std::int32_t{3});
        zav.SetItem("PrvReading", std::int32_t{2});
        zav.SetItem("ReadingDate", std::int32_t{20240109});
        zav.SetItem("Initials", std::string("ZAV loaded from route.txt"));
        zav.WriteData();
        zav.AddNew();
        zav.SetItem("RecType", std::int32_t{1});
        zav.SetItem("RouteNbr", std::int32_t{1});
        zav.SetItem("PrvReading", std::int32_t{2});
        zav.SetItem("Initials", std::string("0101"));
        zav.SetItem("ResponseText", std::string("0101"));
        zav.WriteData();
        for (int m = 1; m <= 2; ++m) {
            zav.AddNew();
            zav.SetItem("RecType", std::int32_t{2});
            zav.SetItem("RouteNbr", std::int32_t{1});
            zav.SetItem("Sequence", std::int32_t{m * 10});
            zav.SetItem("InitPulseCount", std::int32_t{m});
            zav.SetItem("User5", std::string("u") + std::to_string(m));
            zav.WriteData();
        }
        zav.DB().WriteRaw(std::string("\x00\x06\x01", 3));
        zav.CloseZAV();
    }
};

TEST_F(ZAVFileTest, VersionedOpenReadsWhatWasWritten) {
    for (int container : {kContainerPDB, kContainerVFS}) {
        WriteSample(container);
        EXPECT_EQ(clsZAV::ReadFileVersion(file), 3);
        clsZAV zav;
        ASSERT_FALSE(zav.OpenZAVWithFileVersion(file));
        EXPECT_EQ(zav.Version(), 3);
        EXPECT_EQ(zav.GetType(), container);
        ASSERT_TRUE(zav.ReadData());
        EXPECT_EQ(zav.Item("Initials"), Value(std::string("ZAV loaded from route.txt")));
        EXPECT_EQ(zav.Item("MeterTagNbr"), Value(std::int32_t{1430}));
        ASSERT_TRUE(zav.ReadData());
        ASSERT_TRUE(zav.ReadData());
        const Values meter = zav.GetValues();
        EXPECT_EQ(meter.Count(), 40u);
        EXPECT_EQ(meter.Item("Sequence"), Value(std::int32_t{10}));
        EXPECT_EQ(meter.Item("InitPulseCount"), Value(std::int32_t{1}));
        EXPECT_EQ(meter.Item("User5"), Value(std::string("u1")));
        EXPECT_EQ(meter.Item("MeterType"), Value(std::int16_t{0}));
        ASSERT_TRUE(zav.ReadData());
        ASSERT_TRUE(zav.ReadData());
        EXPECT_EQ(zav.RecType(), 6);
        EXPECT_EQ(zav.Item("User1"), Value(std::string())) << "a raw record reads through the schema safely";
        EXPECT_FALSE(zav.ReadData());
    }
}

TEST_F(ZAVFileTest, VersionZeroSeesTheFirstFiveFields) {
    WriteSample(kContainerPDB);
    clsZAV zav;
    ASSERT_FALSE(zav.OpenZAV(file));
    EXPECT_EQ(zav.RecordCount(), 5);
    ASSERT_TRUE(zav.ReadData());
    const Values v = zav.GetValues();
    EXPECT_EQ(v.Count(), 5u);
    EXPECT_EQ(v.Item("MeterType"), Value(std::int16_t{3}));
    EXPECT_EQ(zav.Item("Initials"), Value());
}

TEST_F(ZAVFileTest, FilesWithoutAHeaderReadAsVersionZero) {
    EXPECT_EQ(clsZAV::ReadFileVersion(std::filesystem::path(ZAV_FIXTURES) / "zav" / "no_header.pdb"), 0);
    EXPECT_EQ(clsZAV::ReadFileVersion(std::filesystem::path(ZAV_FIXTURES) / "zav" / "readings_v2.pdb"), 2);
    EXPECT_EQ(clsZAV::ReadFileVersion(dir / "missing.pdb"), std::nullopt);
    clsZAV zav;
    EXPECT_TRUE(zav.OpenZAV(dir / "missing.pdb"));
}

// An independent Palm database reader (Perl's Palm::PDB) sees the same identity and record bytes.
TEST_F(ZAVFileTest, IndependentReaderAgrees) {
    if (std::system("perl -MPalm::PDB -MPalm::Raw -e 1 2>/dev/null") != 0)
        GTEST_FAIL() << "Palm::PDB (Debian package libpalm-perl) is missing: run scripts/install-deps.sh";
    WriteSample(kContainerPDB);
    const auto script = dir / "dump.pl";
    std::ofstream(script)
        << "use Palm::PDB; use Palm::Raw; my $p = Palm::PDB->new; $p->Load($ARGV[0]);\n"
           "print join('|', $p->{name}, $p->{type}, $p->{creator}, scalar @{$p->{records}}), \"\\n\";\n"
           "print unpack('H*', $_->{data}), \"\\n\" for @{$p->{records}};\n";
    std::string out;
    ASSERT_EQ(test::RunCommand("perl '" + script.string() + "' '" + file.string() + "'", &out), 0);

    std::string expected = "RouteZAV|DATA|hZVL|5\n";
    clsPalmFilePDB pdb;
    ASSERT_EQ(pdb.OpenFile(file), 0);
    std::string record;
    while (pdb.ReadRecord(-1, record)) {
        for (const unsigned char c : record) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02x", c);
            expected += hex;
        }
        expected += '\n';
    }
    EXPECT_EQ(out, expected);
}

}  // namespace
}  // namespace zav
