// zavdepot readings: the run log on standard output, overrides resolved against the working directory,
// questions without a terminal, and exit statuses.
#include <gtest/gtest.h>

#include "core/file_io.h"
#include "maps/exch_map.h"
#include "support/readings_builder.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

class CliReadingsTest : public testing::Test {
  protected:
    test::TempDir dir;
    std::filesystem::path home = dir / "home";

    void SetUp() override {
        std::filesystem::create_directories(home);
        clsExchMap m(home);
        m.NewMap("Upload.zrm", kMapReading);
        m.MapType(kMapDelimited);
        m.MapDelimiter(",");
        m.MapQuote("\"");
        for (auto [field, column] :
             {std::pair{"RouteNbr", 1}, {"MeterTagNbr", 2}, {"CurReading", 3}, {"BillingName", 4}}) {
            m.MapOption(field, kWriteToDestination);
            m.DataPosition(field, static_cast<std::int16_t>(column));
        }
        ASSERT_TRUE(m.SaveMap());
        test::ReadingsBuilder b;
        b.Header(1).Route(1, "0412");
        b.Meter(1, {{"MeterTagNbr", 5001}, {"CurReading", 1234}, {"Status", std::int16_t{1}}, {"BillingName", "Ann"}});
        b.Write(dir / "ReadingZAV.pdb");
    }
    int Run(const std::string& args, std::string* out, bool stderrToo = true) {
        const std::string cmd = "cd '" + dir.Path().string() + "' && " + ZAV_BINARY + " --home '" + home.string() +
                                "' " + args + " </dev/null" + (stderrToo ? " 2>&1" : " 2>/dev/null");
        return test::RunCommand(cmd, out);
    }
};

TEST_F(CliReadingsTest, ConvertsWithOverridesRelativeToTheWorkingDirectory) {
    std::string out;
    ASSERT_EQ(Run("readings --source ReadingZAV.pdb --destination upload.txt --map Upload", &out, false), 0) << out;
    const std::string source = (dir / "ReadingZAV.pdb").string();
    const std::string destination = (dir / "upload.txt").string();
    EXPECT_EQ(out.substr(0, out.find("Reading Conversion Starting")),
              "Reading from " + source + "\nWriting to " + destination + "\nUsing map Upload\n");
    EXPECT_EQ(out.substr(out.find("Reading Conversion Finished")), "Reading Conversion Finished\n\n");
    EXPECT_EQ(ReadFileBytes(dir / "upload.txt"), "\"0412\",5001,1234,\"Ann\"\r\n");

    // Nothing was saved: the settings still name the defaults.
    ASSERT_EQ(Run("settings", &out), 0);
    EXPECT_NE(out.find("ReadingSource=ReadingZAV.pdb\nReadingDestination=\nReadingMap=\n"), std::string::npos) << out;
}

TEST_F(CliReadingsTest, SettingsPathsResolveAgainstTheHomeFolder) {
    std::filesystem::copy_file(dir / "ReadingZAV.pdb", home / "ReadingZAV.pdb");
    std::string out;
    ASSERT_EQ(Run("settings set ReadingDestination upload.txt", &out), 0) << out;
    ASSERT_EQ(Run("settings set ReadingMap Upload", &out), 0) << out;
    ASSERT_EQ(Run("readings", &out), 0) << out;
    EXPECT_TRUE(std::filesystem::exists(home / "upload.txt"));

    // Again without --yes and without a terminal: the question is answered No and logged.
    EXPECT_EQ(Run("readings", &out), 1);
    EXPECT_NE(out.find("Writing to upload.txt\nQuestion: upload.txt already exists.  Overwrite? - answered No\n"
                       "Error: Reading Destination already exists\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("Error: Check Log\nConversion Not Complete\n"), std::string::npos) << out;
    ASSERT_EQ(Run("--yes readings", &out), 0) << out;
}

TEST_F(CliReadingsTest, FailuresExitWithOne) {
    std::string out;
    EXPECT_EQ(Run("readings --source missing.pdb --destination u.txt --map Upload", &out), 1);
    EXPECT_NE(out.find("Error: Reading Source does not exist"), std::string::npos) << out;

    // A damaged database: the converter stops with a clear line; no crash.
    WriteFileBytes(dir / "bad.pdb", std::string(100, '\x7f'));
    EXPECT_EQ(Run("readings --source bad.pdb --destination u.txt --map Upload", &out), 1);
    EXPECT_NE(out.find("Error: Could not read ZAV file"), std::string::npos) << out;
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

TEST(CliReRead, ConvertsAListWithOverridesAndExitsWithTheResult) {
    test::TempDir dir;
    const std::filesystem::path home = dir / "home";
    std::filesystem::create_directories(home);
    WriteFileBytes(home / "List.zcm",
                   "MAPTYPE=2\r\nMAPDELIMITER=,\r\nRouteNbr=1,0,,,0\r\nSequence=A\r\nMeterTagNbr=2,0,,,0\r\n"
                   "MeterType=C,W\r\nUtilityCode=C,1\r\nServiceAddress=3,0,,,0\r\nMessage=P\r\n");
    WriteFileBytes(dir / "list.txt", "0412,101,1 ELM ST\r\n0412,102,2 ELM ST\r\n");
    auto run = [&](const std::string& args, std::string* out) {
        return test::RunCommand("cd '" + dir.Path().string() + "' && " + ZAV_BINARY + " --home '" + home.string() +
                                    "' " + args + " </dev/null 2>&1",
                                out);
    };
    std::string out;
    ASSERT_EQ(run("reread --source list.txt --destination rr.pdb --map List --format vfs --prompt Message=Hi", &out), 0)
        << out;
    EXPECT_NE(out.find("2 meters written to ReRead ZAV File\nReRead Conversion Finished\n\n"), std::string::npos)
        << out;
    clsZAV db;
    ASSERT_FALSE(db.OpenZAVWithFileVersion(dir / "rr.pdb"));
    EXPECT_EQ(db.GetType(), kContainerVFS);
    int meters = 0;
    while (db.ReadData())
        if (db.RecType() == kRecMeter) {
            ++meters;
            EXPECT_EQ(ValueText(db.Item("Message")),
                      "Billing: Hi");  // the prompted message, as LookupMessage labels it
        }
    EXPECT_EQ(meters, 2);

    EXPECT_EQ(run("reread --source list.txt --destination rr.pdb --map List", &out), 1);  // no --yes: not replaced
    EXPECT_NE(out.find("Error: ReRead Destination already exists\n"), std::string::npos) << out;
    EXPECT_EQ(run("reread --map List --prompt Nothing=1", &out), 2);
}

}  // namespace
}  // namespace zav
