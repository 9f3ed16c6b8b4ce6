// The reading conversion end to end through the scripted frontend: checks and their messages, the
// upload file (reading adjustment, read-type letters, filters, defaults), orphans appended and
// replaced, the automatic re-read database, and damaged readings databases.
#include <gtest/gtest.h>

#include "core/clock.h"
#include "core/file_io.h"
#include "exchange/exchange.h"
#include "exchange/host_converters.h"
#include "exchange/reread.h"
#include "exchange/route_records.h"
#include "maps/exch_map.h"
#include "palmdb/byte_codec.h"
#include "support/fake_frontend.h"
#include "support/readings_builder.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

using test::ReadingsBuilder;
using Lines = std::vector<std::string>;

constexpr std::time_t kNoon = 1736942400;  // 2025-01-15 12:00:00 UTC

class ReadingConvertTest : public testing::Test {
  protected:
    test::TempDir dir;
    RegistryStore store{dir / "registry.sqlite3"};
    clsExchange ex{store};
    test::FakeFrontend fake;
    ScopedFrontend scoped{fake};
    ScopedFixedClock clock{kNoon};

    void SetUp() override {
        ex.HomeFolder = dir.Path();
        ex.ReadingSource = "ReadingZAV.pdb";
        ex.ReadingDestination = "upload.txt";
        ex.ReadingMap = "Upload";
        ex.OrphanDestination = "orphans.txt";
        ex.OrphanMap = "Orphans";
        ex.ReReadDestination = "reread.pdb";
        ex.ReReadZAVType = "PDB";
        SaveUploadMap();
        SaveOrphanMap();
    }

    // Tag (8, zeros), route identifier (4, left), reading (6, zeros), read type (1), date (8, yyyymmdd).
    void SaveUploadMap(const std::function<void(clsExchMap&)>& change = {}) {
        clsExchMap m(dir.Path());
        m.NewMap("Upload.zrm", kMapReading);
        m.MapType(kMapFixed);
        Out(m, "MeterTagNbr", 1, 8, 2, 1);
        Out(m, "RouteNbr", 9, 4, 1, 2);
        Out(m, "CurReading", 13, 6, 2, 1);
        Out(m, "ReadType", 19, 1, 1, 2);
        Out(m, "ReadingDate", 20, 8, 1, 2, 14);
        if (change) change(m);
        ASSERT_TRUE(m.SaveMap());
    }
    // Delimited: tag, reading; LF after each.
    void SaveOrphanMap() {
        clsExchMap m(dir.Path());
        m.NewMap("Orphans.zom", kMapOrphan);
        m.MapType(kMapDelimited);
        m.MapDelimiter(",");
        m.MapTerminator(2);
        Out(m, "MeterTagNbr", 1, 0);
        Out(m, "CurReading", 2, 0);
        ASSERT_TRUE(m.SaveMap());
    }
    static void Out(clsExchMap& m, const char* field, int position, int width, int align = 2, int pad = 2,
                    int format = 0) {
        m.MapOption(field, kWriteToDestination);
        m.DataPosition(field, static_cast<std::int16_t>(position));
        m.DataWidth(field, static_cast<std::int16_t>(width));
        m.MapAlign(field, align);
        m.MapPad(field, pad);
        m.MapFormat(field, format);
    }

    // Two routes; route 2 has the exceptions (unread meter, reading above its range).
    static ReadingsBuilder TwoRoutes(std::int32_t version = kZAVCurrentVersion) {
        ReadingsBuilder b(version);
        b.Header(2).Route(1, "R01").Route(2, "R02");
        b.Meter(1, {{"MeterTagNbr", 101},
                    {"CurReading", 1234},
                    {"Status", std::int16_t{1}},
                    {"ReadType", std::int16_t{1}},
                    {"ReadingDate", 20250115},
                    {"MinReading", 1000},
                    {"MaxReading", 2000}});
        b.Meter(2, {{"MeterTagNbr", 201},
                    {"CurReading", 0},
                    {"Status", std::int16_t{0}},
                    {"ReadType", std::int16_t{2}},
                    {"ReadingDate", 0}});
        b.Meter(2, {{"MeterTagNbr", 202},
                    {"CurReading", 9999},
                    {"Status", std::int16_t{1}},
                    {"ReadType", std::int16_t{3}},
                    {"ReadingDate", 20250114},
                    {"MinReading", 100},
                    {"MaxReading", 200}});
        b.Orphan({{"MeterTagNbr", 901}, {"CurReading", 77}});
        return b;
    }

    std::string File(const char* name) { return ReadFileBytes(dir / name); }
    std::string Start(const char* what) {
        return std::string(what) + " Conversion Starting  " + ShortTime(kNoon) + " " + ShortDate(kNoon);
    }
};

TEST_F(ReadingConvertTest, WritesTheUploadFileAndLogsEachStep) {
    TwoRoutes().Write(dir / "ReadingZAV.pdb");
    ASSERT_TRUE(ex.ConvertReading());
    EXPECT_EQ(fake.log, (Lines{"Reading from ReadingZAV.pdb", "Writing to upload.txt", "Using map Upload",
                               Start("Reading"), "Reading Conversion Finished", ""}));
    EXPECT_EQ(File("upload.txt"),
              "00000101R01 001234R20250115\r\n"
              "00000201R02 000000M00000000\r\n"
              "00000202R02 009999P20250114\r\n");
    EXPECT_TRUE(fake.calls.empty());
    ASSERT_FALSE(fake.progress.empty());
    EXPECT_EQ(fake.progress.back().first, 255);
}

TEST_F(ReadingConvertTest, ReadingAdjustedByDigitsAndDecimals) {
    struct Case {
        std::int16_t digits, decimals;
        std::int32_t reading;
        const char* expected;
    };
    const Case cases[] = {
        {0, 0, 123456, "123456"}, {4, 0, 123456, "003456"}, {0, 1, 123456, "012345"},
        {4, 1, 123456, "002345"}, {0, 2, 12399, "000123"},  {9, 0, 42, "000042"},
    };
    for (const Case& c : cases) {
        ReadingsBuilder b;
        b.Header(1).Route(1, "R01").Meter(
            1, {{"MeterTagNbr", 1}, {"CurReading", c.reading}, {"Digits", c.digits}, {"Decimals", c.decimals}});
        b.Write(dir / "ReadingZAV.pdb");
        fake.yesNoAnswers.push_back(true);  // the upload file of the case before
        ASSERT_TRUE(ex.ConvertReading());
        EXPECT_EQ(File("upload.txt").substr(12, 6), c.expected) << c.digits << "/" << c.decimals << " " << c.reading;
    }
}

TEST_F(ReadingConvertTest, FilterChoosesTheMetersWritten) {
    ReadingsBuilder b;
    b.Header(1).Route(1, "R01");
    b.Meter(1, {{"MeterTagNbr", 1}, {"Status", std::int16_t{0}}});
    b.Meter(1, {{"MeterTagNbr", 2}, {"Status", std::int16_t{1}}});
    b.Meter(1, {{"MeterTagNbr", 3}, {"Status", std::int16_t{0}}, {"ResponseCode", std::int16_t{5}}});
    b.Write(dir / "ReadingZAV.pdb");
    const std::pair<int, std::string> cases[] = {{0, "123"}, {1, "2"}, {2, "23"}, {3, "13"}, {4, ""}};
    for (const auto& [filter, tags] : cases) {
        SaveUploadMap([&](clsExchMap& m) { m.MapFilter(filter); });
        std::filesystem::remove(dir / "upload.txt");
        ASSERT_TRUE(ex.ConvertReading());
        std::string written;
        const std::string upload = File("upload.txt");
        for (std::size_t at = 7; at < upload.size(); at += 29) written += upload[at];
        EXPECT_EQ(written, tags) << "filter " << filter;
    }
}

TEST_F(ReadingConvertTest, FieldsTheDatabaseVersionLacksAreDefaultedAndReportedOnce) {
    SaveUploadMap([](clsExchMap& m) {
        Out(m, "Decimals", 28, 1, 2, 1);        // version 2 and up
        Out(m, "InitPulseCount", 29, 3, 2, 1);  // version 3 only
    });
    ReadingsBuilder b(1);
    b.Header(1).Route(1, "R01").Meter(1, {{"MeterTagNbr", 1}}).Meter(1, {{"MeterTagNbr", 2}});
    b.Write(dir / "ReadingZAV.pdb");
    ASSERT_TRUE(ex.ConvertReading());
    EXPECT_EQ(fake.log, (Lines{"Reading from ReadingZAV.pdb", "Writing to upload.txt", "Using map Upload",
                               Start("Reading"), "Warning: Defaulted Decimals to 0",
                               "Warning: Defaulted InitPulseCount to 0", "Reading Conversion Finished", ""}));
    EXPECT_EQ(File("upload.txt"), "00000001R01 0000000000000000000\r\n00000002R01 0000000000000000000\r\n");
}

TEST_F(ReadingConvertTest, ChecksEndTheRunBeforeAnythingIsWritten) {
    TwoRoutes().Write(dir / "ReadingZAV.pdb");
    struct Case {
        std::function<void(clsExchange&)> change;
        Lines log;
    };
    const Case cases[] = {
        {[](clsExchange& x) { x.ReadingSource = "  "; }, {"Error: Reading Source not specified"}},
        {[](clsExchange& x) { x.ReadingSource = "missing.pdb"; },
         {"Reading from missing.pdb", "Error: Reading Source does not exist"}},
        {[](clsExchange& x) { x.ReadingDestination = ""; },
         {"Reading from ReadingZAV.pdb", "Error: Reading Destination not specified"}},
        {[](clsExchange& x) { x.ReadingMap = ""; },
         {"Reading from ReadingZAV.pdb", "Error: Reading Conversion Map not specified"}},
        {[](clsExchange& x) { x.OrphanConvert = 1, x.OrphanDestination = " "; },
         {"Reading from ReadingZAV.pdb", "Error: Orphan Destination not specified"}},
        {[](clsExchange& x) { x.OrphanConvert = 1, x.OrphanMap = ""; },
         {"Reading from ReadingZAV.pdb", "Error: Orphan Conversion Map not specified"}},
        {[](clsExchange& x) { x.AutoReRead = -1, x.ReReadDestination = ""; },
         {"Reading from ReadingZAV.pdb", "Error: Re-Read Destination not specified"}},
        {[](clsExchange& x) { x.ReadingMap = "Nothing"; },
         {"Reading from ReadingZAV.pdb", "Writing to upload.txt", "Using map Nothing",
          "Error: Could not load Reading Conversion Map"}},
        // A destination that is the readings database itself is refused before any question.
        {[](clsExchange& x) { x.ReadingDestination = "./ReadingZAV.pdb"; },
         {"Reading from ReadingZAV.pdb", "Writing to ./ReadingZAV.pdb",
          "Error: Reading Destination is the same file as the Reading Source"}},
        {[](clsExchange& x) { x.OrphanConvert = 1, x.OrphanDestination = "ReadingZAV.pdb"; },
         {"Reading from ReadingZAV.pdb", "Error: Orphan Destination is the same file as the Reading Source"}},
        {[this](clsExchange& x) { x.AutoReRead = -1, x.ReReadDestination = dir.Path() / "ReadingZAV.pdb"; },
         {"Reading from ReadingZAV.pdb", "Error: Re-Read Destination is the same file as the Reading Source"}},
    };
    const std::string readings = File("ReadingZAV.pdb");
    for (const Case& c : cases) {
        clsExchange x(store);
        x.HomeFolder = ex.HomeFolder;
        static_cast<ExchangeSettings&>(x) = ex;
        c.change(x);
        fake.log.clear();
        EXPECT_FALSE(x.ConvertReading());
        EXPECT_EQ(fake.log, c.log);
        EXPECT_FALSE(std::filesystem::exists(dir / "upload.txt"));
        EXPECT_EQ(File("ReadingZAV.pdb"), readings);
    }
    EXPECT_TRUE(fake.calls.empty());
}

TEST_F(ReadingConvertTest, InvalidMapIsReportedWithItsProblems) {
    SaveUploadMap([](clsExchMap& m) { m.MapFormat("ReadingDate", 0); });
    TwoRoutes().Write(dir / "ReadingZAV.pdb");
    EXPECT_FALSE(ex.ConvertReading());
    EXPECT_EQ(fake.log.back(), "Error: Mapping Errors found:\r\n\tDate/Time format missing for ReadingDate\r\n");
}

TEST_F(ReadingConvertTest, OverwriteQuestionForTheUploadFile) {
    TwoRoutes().Write(dir / "ReadingZAV.pdb");
    WriteFileBytes(dir / "upload.txt", "old");
    fake.yesNoAnswers = {false};
    EXPECT_FALSE(ex.ConvertReading());
    EXPECT_EQ(fake.calls, Lines{"AskYesNo(Reading Destination already exists|upload.txt already exists.  Overwrite?)"});
    EXPECT_EQ(fake.log.back(), "Error: Reading Destination already exists");
    EXPECT_EQ(File("upload.txt"), "old");

    fake.log.clear();
    fake.yesNoAnswers = {true};
    EXPECT_TRUE(ex.ConvertReading());
    EXPECT_EQ(fake.log[2], "Notice: File upload.txt overwritten on request");
    EXPECT_NE(File("upload.txt"), "old");
}

TEST_F(ReadingConvertTest, OrphansAppendOrReplaceWithByteCounts) {
    ReadingsBuilder b = TwoRoutes();
    b.Orphan({{"MeterTagNbr", 902}, {"CurReading", 5}});
    b.Write(dir / "ReadingZAV.pdb");
    ex.OrphanConvert = 1;
    ASSERT_TRUE(ex.ConvertReading());
    EXPECT_EQ(File("orphans.txt"), "901,77\n902,5\n");
    EXPECT_EQ(Lines(fake.log.begin() + 4, fake.log.end()),
              (Lines{"Writing orphans to orphans.txt", "Using map Orphans", Start("Orphan"),
                     "Notice: File orphans.txt now contains 13 bytes.", "Reading Conversion Finished", ""}));

    // Appended by default: a second run adds its lines.
    fake.log.clear();
    fake.yesNoAnswers = {true};
    ASSERT_TRUE(ex.ConvertReading());
    EXPECT_EQ(File("orphans.txt"), "901,77\n902,5\n901,77\n902,5\n");
    EXPECT_EQ(fake.log[fake.log.size() - 3], "Notice: File orphans.txt now contains 26 bytes.");

    // Replaced: the loss is announced first.
    fake.log.clear();
    fake.yesNoAnswers = {true};
    ex.OrphanReplace = 1;
    ASSERT_TRUE(ex.ConvertReading());
    EXPECT_EQ(File("orphans.txt"), "901,77\n902,5\n");
    EXPECT_EQ(fake.log[5], "Writing orphans to orphans.txt");
    EXPECT_EQ(fake.log[6], "Notice: File orphans.txt overwritten per configuration.  26 bytes lost.");

    // Without orphan records: appending leaves the file as it was, replacing empties it.
    ReadingsBuilder none;
    none.Header(1).Route(1, "R01").Meter(1, {{"MeterTagNbr", 1}});
    none.Write(dir / "ReadingZAV.pdb");
    ex.OrphanReplace = 0;
    fake.yesNoAnswers = {true};
    ASSERT_TRUE(ex.ConvertReading());
    EXPECT_EQ(File("orphans.txt"), "901,77\n902,5\n");
    ex.OrphanReplace = 1;
    fake.yesNoAnswers = {true};
    ASSERT_TRUE(ex.ConvertReading());
    EXPECT_EQ(File("orphans.txt"), "");
}

TEST_F(ReadingConvertTest, OrphanMapProblemsEndTheRunWithFalse) {
    TwoRoutes().Write(dir / "ReadingZAV.pdb");
    ex.OrphanConvert = 1;
    ex.OrphanMap = "Missing";
    EXPECT_FALSE(ex.ConvertReading());
    EXPECT_EQ(fake.log.back(), "Error: Could not load Orphan Conversion Map");
    EXPECT_TRUE(std::filesystem::exists(dir / "upload.txt"));  // the upload file was written before

    // A failed orphan conversion (its file cannot be written) makes the run's result false.
    fake.log.clear();
    fake.yesNoAnswers = {true};
    ex.OrphanMap = "Orphans";
    ex.OrphanDestination = "no-such-folder/orphans.txt";
    EXPECT_FALSE(ex.ConvertReading());
    EXPECT_EQ(fake.log[fake.log.size() - 3], "Error: Could not write no-such-folder/orphans.txt: File not found");
    EXPECT_EQ(fake.log[fake.log.size() - 2], "Reading Conversion Finished");
}

TEST_F(ReadingConvertTest, ExceptionReReadKeepsOnlyRoutesWithExceptionsRenumbered) {
    // Three routes, version 2: only route 2 has exceptions.
    ReadingsBuilder b(2);
    b.Header(3).Route(1, "A").Route(2, "B").Route(3, "C");
    b.Meter(1, {{"MeterTagNbr", 1},
                {"Status", std::int16_t{1}},
                {"CurReading", 150},
                {"MinReading", 100},
                {"MaxReading", 200}});
    b.Meter(2, {{"MeterTagNbr", 2},
                {"Status", std::int16_t{1}},
                {"CurReading", 201},
                {"MinReading", 100},
                {"MaxReading", 200},
                {"ReadingDate", 20250115},
                {"ReadingTime", 93000},
                {"BillingName", "Ann"}});
    b.Meter(2, {{"MeterTagNbr", 3}, {"Status", std::int16_t{0}}});
    b.Meter(2, {{"MeterTagNbr", 4},
                {"Status", std::int16_t{1}},
                {"CurReading", 9950},
                {"MinReading", 9900},
                {"MaxReading", 100}});
    b.Meter(3, {{"MeterTagNbr", 5},
                {"Status", std::int16_t{1}},
                {"CurReading", 50},
                {"MinReading", 9900},
                {"MaxReading", 100}});
    b.Write(dir / "ReadingZAV.pdb");
    ex.AutoReRead = -1;
    ASSERT_TRUE(ex.ConvertReading());
    EXPECT_EQ(Lines(fake.log.end() - 4, fake.log.end()),
              (Lines{"Writing Exceptions for Re-Read to reread.pdb", "Notice: ReRead File prepared with 2 Meters",
                     "Reading Conversion Finished", ""}));

    clsZAV out;
    ASSERT_FALSE(out.OpenZAVWithFileVersion(dir / "reread.pdb"));
    EXPECT_EQ(out.Version(), 2);  // the header names the version its records are written in
    EXPECT_EQ(out.GetType(), kContainerPDB);
    ASSERT_TRUE(out.ReadData());
    EXPECT_EQ(out.RecType(), kRecHeader);
    EXPECT_EQ(ValueNumber(out.Item("RouteNbr")), 1);
    EXPECT_EQ(ValueNumber(out.Item("PrvReading")), 2);
    EXPECT_EQ(ValueNumber(out.Item("Sequence")), DateNumber(kNoon));
    EXPECT_EQ(ValueNumber(out.Item("ReadingDate")), DateNumber(kNoon));
    EXPECT_EQ(ValueNumber(out.Item("MeterTagNbr")), TimeNumberHHNN(kNoon));
    ASSERT_TRUE(out.ReadData());
    EXPECT_EQ(out.RecType(), kRecRouteReturned);
    EXPECT_EQ(ValueNumber(out.Item("RouteNbr")), 1);
    EXPECT_EQ(ValueText(out.Item("Initials")), "B");
    EXPECT_EQ(ValueNumber(out.Item("PrvReading")), 2);  // the meters it has in this file
    for (int tag : {2, 3}) {
        ASSERT_TRUE(out.ReadData());
        EXPECT_EQ(out.RecType(), kRecMeter);
        EXPECT_EQ(ValueNumber(out.Item("MeterTagNbr")), tag);
        EXPECT_EQ(ValueNumber(out.Item("RouteNbr")), 1);
        for (const char* cleared : {"Status", "CurReading", "ReadingDate", "ReadingTime"})
            EXPECT_EQ(ValueNumber(out.Item(cleared)), 0) << cleared;
        if (tag == 2) {
            EXPECT_EQ(ValueText(out.Item("BillingName")), "Ann");
            EXPECT_EQ(ValueNumber(out.Item("MaxReading")), 200);
        }
    }
    EXPECT_FALSE(out.ReadData());
}

TEST_F(ReadingConvertTest, NoExceptionsNoReReadFile) {
    ReadingsBuilder b;
    b.Header(1).Route(1, "A").Meter(1, {{"MeterTagNbr", 1}, {"Status", std::int16_t{1}}});
    b.Write(dir / "ReadingZAV.pdb");
    ex.AutoReRead = -1;
    ASSERT_TRUE(ex.ConvertReading());
    EXPECT_EQ(fake.log[fake.log.size() - 3], "Notice: No exceptions found in reading.  Not creating re-read file");
    EXPECT_FALSE(std::filesystem::exists(dir / "reread.pdb"));
}

TEST_F(ReadingConvertTest, ReReadOverwriteDeclinedMakesTheResultFalse) {
    TwoRoutes().Write(dir / "ReadingZAV.pdb");
    WriteFileBytes(dir / "reread.pdb", "old");
    ex.AutoReRead = -1;
    fake.yesNoAnswers = {false};
    EXPECT_FALSE(ex.ConvertReading());
    EXPECT_EQ(Lines(fake.log.end() - 4, fake.log.end()),
              (Lines{"Writing Exceptions for Re-Read to reread.pdb", "Error: ReRead Destination already exists",
                     "Reading Conversion Finished", ""}));
    EXPECT_EQ(File("reread.pdb"), "old");
}

TEST_F(ReadingConvertTest, RecordStreamReadingsGiveARecordStreamReRead) {
    TwoRoutes().Write(dir / "ReadingZAV.pdb", kContainerVFS);
    ex.AutoReRead = -1;
    ASSERT_TRUE(ex.ConvertReading());
    EXPECT_EQ(File("upload.txt").size(), 3 * 29u);
    clsZAV out;
    ASSERT_FALSE(out.OpenZAVWithFileVersion(dir / "reread.pdb"));
    EXPECT_EQ(out.GetType(), kContainerVFS);
    int meters = 0;
    while (out.ReadData()) meters += out.RecType() == kRecMeter;
    EXPECT_EQ(meters, 2);
}

TEST(ExceptionTest, ReadingsOutsideTheirRange) {
    struct Case {
        std::int32_t status, cur, min, max;
        bool exception;
    };
    const Case cases[] = {
        {1, 99, 100, 200, true},   {1, 201, 100, 200, true},   {1, 150, 100, 200, false},   {1, 100, 100, 200, false},
        {1, 200, 100, 200, false}, {1, 5000, 9900, 100, true}, {1, 9950, 9900, 100, false}, {1, 50, 9900, 100, false},
        {0, 150, 100, 200, true},  {1, 7, 5, 5, false},        {1, 0, 0, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsReadingException(c.status, c.cur, c.min, c.max), c.exception)
            << c.status << " " << c.cur << " " << c.min << " " << c.max;
}

TEST_F(ReadingConvertTest, DamagedDatabasesEndTheConverterWithAClearLine) {
    // A meter naming a route the header did not announce: the converter stops, the run goes on.
    ReadingsBuilder b;
    b.Header(1).Route(1, "A").Meter(1, {{"MeterTagNbr", 1}}).Meter(7, {{"MeterTagNbr", 2}});
    b.Orphan({{"MeterTagNbr", 9}});
    b.Write(dir / "ReadingZAV.pdb");
    ex.OrphanConvert = 1;
    ex.AutoReRead = -1;
    EXPECT_FALSE(ex.ConvertReading());
    const Lines& log = fake.log;
    ASSERT_GE(log.size(), 5u);
    EXPECT_EQ(log[4],
              "Error: Route number 7 of a meter record is outside the route list of the readings "
              "database (1 routes)");
    EXPECT_EQ(File("upload.txt"), "00000001A   000000000000000\r\n");  // what was written stays
    EXPECT_EQ(File("orphans.txt"), "9,0\n");
    EXPECT_EQ(log.back(), "");
    EXPECT_EQ(log[log.size() - 2], "Reading Conversion Finished");

    // A truncated file cannot be opened at all.
    const std::string bytes = File("ReadingZAV.pdb");
    WriteFileBytes(dir / "ReadingZAV.pdb", bytes.substr(0, bytes.size() / 2));
    fake.log.clear();
    fake.yesNoAnswers = {true};
    EXPECT_FALSE(ex.ConvertReading());
    EXPECT_EQ(fake.log.back(), "Error: Could not read ZAV file");
}

TEST_F(ReadingConvertTest, HostFormatMapsWithoutTheirConverterAreRefused) {
    TwoRoutes().Write(dir / "ReadingZAV.pdb");
    RegisterHostFormatConverters({});
    for (const auto& [type, line] :
         {std::pair{kMapMVRS, "Error: MVRS upload files cannot be written by this program"},
          std::pair{kMapE5000, "Error: E5000 upload files cannot be written by this program"}}) {
        clsExchMap m(dir.Path());
        m.NewMap("Host.zrm", kMapReading);
        m.MapType(type);
        ASSERT_TRUE(m.SaveMap());
        ex.ReadingMap = "Host";
        fake.log.clear();
        EXPECT_FALSE(ex.ConvertReading());
        EXPECT_EQ(fake.log[4], line);
        EXPECT_EQ(fake.log[5], "Reading Conversion Finished");
    }
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// Reading and orphan maps of a type that is none of the layouts are refused with the one message the
// route and re-read conversions give; nothing is written for them.
TEST_F(ReadingConvertTest, MapsOfAnUnknownTypeAreRefusedNamingTheType) {
    TwoRoutes().Write(dir / "ReadingZAV.pdb");
    for (const std::int32_t type : {0, 9, -1}) {
        SaveUploadMap([type](clsExchMap& m) { m.MapType(type); });
        fake.log.clear();
        EXPECT_FALSE(ex.ConvertReading()) << type;
        EXPECT_EQ(fake.log.back(), "Error: Reading Conversion Map must be Fixed, Delimited, MVRS or E5000, not type " +
                                       std::to_string(type));
        EXPECT_FALSE(std::filesystem::exists(dir / "upload.txt"));
    }

    SaveUploadMap();
    ex.OrphanConvert = 1;
    for (const auto& [type, line] :
         {std::pair{0, "Error: Orphan Conversion Map must be Fixed or Delimited, not type 0"},
          std::pair{3, "Error: Orphan Conversion Map must be Fixed or Delimited, not type 3 (MVRS)"}}) {
        clsExchMap m(dir.Path());
        m.NewMap("Odd.zom", kMapOrphan);
        m.MapType(type);
        ASSERT_TRUE(m.SaveMap());
        ex.OrphanMap = "Odd";
        fake.log.clear();
        fake.yesNoAnswers = {true};
        EXPECT_FALSE(ex.ConvertReading()) << type;
        EXPECT_EQ(fake.log.back(), line);
        EXPECT_FALSE(std::filesystem::exists(dir / "orphans.txt"));
    }
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// Two outputs of one reading run that name one file (also through "." or a link, and before either
// exists) are refused before anything is asked or written.
TEST_F(ReadingConvertTest, OutputsThatNameOneFileAreRefusedBeforeAnythingIsWritten) {
    TwoRoutes().Write(dir / "ReadingZAV.pdb");
    std::filesystem::create_directory(dir / "out");
    std::filesystem::create_directory_symlink(dir / "out", dir / "link");
    struct Case {
        std::string reading, orphan, reread, line;
    };
    const Case cases[] = {
        {"upload.txt", "orphans.txt", "upload.txt",
         "Error: Re-Read Destination is the same file as the Reading Destination"},
        {"upload.txt", "./upload.txt", "reread.pdb",
         "Error: Orphan Destination is the same file as the Reading Destination"},
        {"upload.txt", "out/orphans.txt", "link/orphans.txt",
         "Error: Re-Read Destination is the same file as the Orphan Destination"},
    };
    ex.OrphanConvert = 1;
    ex.AutoReRead = -1;
    for (const Case& c : cases) {
        ex.ReadingDestination = c.reading;
        ex.OrphanDestination = c.orphan;
        ex.ReReadDestination = c.reread;
        fake.log.clear();
        EXPECT_FALSE(ex.ConvertReading()) << c.line;
        EXPECT_EQ(fake.log, (Lines{"Reading from ReadingZAV.pdb", c.line}));
        EXPECT_TRUE(fake.calls.empty());
        EXPECT_FALSE(std::filesystem::exists(dir / "upload.txt"));
        EXPECT_FALSE(std::filesystem::exists(dir / "out" / "orphans.txt"));
    }
    // An existing upload file named twice is left as it was.
    WriteFileBytes(dir / "upload.txt", "host's file");
    ex.OrphanDestination = "orphans.txt";
    ex.ReReadDestination = "upload.txt";
    EXPECT_FALSE(ex.ConvertReading());
    EXPECT_EQ(File("upload.txt"), "host's file");

    // Outputs that are not used this run may share a name.
    ex.OrphanConvert = 0;
    ex.AutoReRead = 0;
    ex.OrphanDestination = "upload.txt";
    fake.yesNoAnswers = {true};
    EXPECT_TRUE(ex.ConvertReading());
}

// A run without exceptions leaves no re-read database of an earlier run that would look current:
// asked first, it is removed with Yes and kept with No.
TEST_F(ReadingConvertTest, NoExceptionsRemoveTheReReadFileOfAnEarlierRunWhenAllowed) {
    ReadingsBuilder b;
    b.Header(1).Route(1, "A").Meter(1, {{"MeterTagNbr", 1}, {"Status", std::int16_t{1}}});
    b.Write(dir / "ReadingZAV.pdb");
    ex.AutoReRead = -1;
    WriteFileBytes(dir / "reread.pdb", "earlier run");
    fake.yesNoAnswers = {true};
    ASSERT_TRUE(ex.ConvertReading());
    EXPECT_EQ(Lines(fake.log.end() - 6, fake.log.end()),
              (Lines{"Writing Exceptions for Re-Read to reread.pdb", "Notice: File reread.pdb overwritten on request",
                     "Notice: No exceptions found in reading.  Not creating re-read file",
                     "Notice: File reread.pdb of an earlier run removed: there were no exceptions",
                     "Reading Conversion Finished", ""}));
    EXPECT_FALSE(std::filesystem::exists(dir / "reread.pdb"));

    WriteFileBytes(dir / "reread.pdb", "earlier run");
    fake.log.clear();
    fake.yesNoAnswers = {true, false};  // the upload file is replaced, the re-read file is not
    EXPECT_FALSE(ex.ConvertReading());
    EXPECT_EQ(fake.log[fake.log.size() - 3], "Error: ReRead Destination already exists");
    EXPECT_EQ(File("reread.pdb"), "earlier run");
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// A damaged readings database is not converted in part as if it were whole: the meters that could be
// read are written, an "Error: " line says what was found, and the run fails.
TEST_F(ReadingConvertTest, DatabasesHoldingLessThanTheyAnnounceFailTheRun) {
    ReadingsBuilder b;
    b.Header(1).Route(1, "A");
    for (int i = 1; i <= 30; ++i) b.Meter(1, {{"MeterTagNbr", i}, {"Status", std::int16_t{1}}});

    // A record stream with a zero-length record after its tenth record (header, route, 8 meters).
    b.Write(dir / "whole.vfs", kContainerVFS);
    const std::string stream = File("whole.vfs");
    std::size_t at = 0;
    for (int i = 0; i < 10; ++i) at += 4 + static_cast<std::size_t>(BytesToNumber(stream, at, 4));
    WriteFileBytes(dir / "ReadingZAV.pdb", stream.substr(0, at) + std::string(4, '\0') + stream.substr(at));
    EXPECT_FALSE(ex.ConvertReading());
    EXPECT_EQ(Lines(fake.log.begin() + 4, fake.log.end()),
              (Lines{"Error: Readings database damaged: the header announces 30 meters, 8 meter records were read",
                     "Error: Readings database damaged: reading ended at an empty record with " +
                         std::to_string(stream.size() - at) + " bytes of the file after it",
                     "Reading Conversion Finished", ""}));
    EXPECT_EQ(File("upload.txt").size(), 8 * 29u);  // what could be read is written

    // A Palm database whose record count is too small (header, route and 4 meters).
    b.Write(dir / "ReadingZAV.pdb");
    std::string pdb = File("ReadingZAV.pdb");
    pdb[76] = 0;
    pdb[77] = 6;
    WriteFileBytes(dir / "ReadingZAV.pdb", pdb);
    fake.log.clear();
    fake.yesNoAnswers = {true};
    EXPECT_FALSE(ex.ConvertReading());
    EXPECT_EQ(fake.log[5],
              "Error: Readings database damaged: the header announces 30 meters, 4 meter records were read");
    EXPECT_EQ(File("upload.txt").size(), 4 * 29u);

    // Route records missing against the header's count.
    ReadingsBuilder routes;
    routes.Header(3).Route(1, "A").Meter(1, {{"MeterTagNbr", 1}});
    routes.Write(dir / "ReadingZAV.pdb");
    fake.log.clear();
    fake.yesNoAnswers = {true};
    EXPECT_FALSE(ex.ConvertReading());
    EXPECT_EQ(fake.log[5], "Error: Readings database damaged: the header announces 3 routes, 1 route record was read");
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// A negative 4-byte value of the readings database reaches the upload file as it is.
TEST_F(ReadingConvertTest, NegativeFourByteValuesReachTheUpload) {
    SaveUploadMap([](clsExchMap& m) {
        Out(m, "Lat", 28, 10, 2, 2);
        Out(m, "Lng", 38, 10, 2, 2);
    });
    ReadingsBuilder b;
    b.Header(1).Route(1, "A").Meter(1, {{"MeterTagNbr", 1}, {"Lat", 44977753}, {"Lng", -93265011}});
    b.Write(dir / "ReadingZAV.pdb");
    ASSERT_TRUE(ex.ConvertReading());
    EXPECT_EQ(File("upload.txt").substr(27, 20), "  44977753 -93265011");
}

}  // namespace
}  // namespace zav
