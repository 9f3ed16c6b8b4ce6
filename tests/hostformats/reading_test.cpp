// The MVRS and E5000 reading conversions through the reading driver: upload records built from readings
// databases, and round trips from a download file through a route database and simulated readings.
#include <fmt/format.h>

#include "hostformats/host_conversion_support.h"
#ifdef ZAV_HOST_READINGS  // with the reading conversion driver
#include "support/readings_builder.h"

namespace zav::test {
namespace {

namespace fs = std::filesystem;
using F = ReadingsBuilder::Fields;

// The readings a handheld brings back: the route database with its route records returned (256) and every
// meter read by `read` (which sets the reading fields of one meter record).
void SimulateReadings(const fs::path& route, const fs::path& readings,
                      const std::function<void(clsZAV&, int meterIndex)>& read) {
    clsZAV in;
    ASSERT_FALSE(in.OpenZAVWithFileVersion(route));
    clsZAV out;
    out.SetVersion(in.Version());
    ASSERT_EQ(out.CreateZAV(readings, kContainerPDB, in.RecordCount() + 1), 0);
    int meter = 0;
    while (in.ReadData()) {
        out.AddNew();
        out.SetRawData(in.RawData());
        if (in.RecType() == kRecRoute) out.SetItem("RecType", std::int32_t{kRecRouteReturned});
        if (in.RecType() == kRecMeter) read(out, meter++);
        out.WriteData();
    }
    out.CloseZAV();
}

class ReadingTest : public HostConversionTest {
  protected:
    bool ConvertReading(const std::string& map) {
        ex.ReadingMap = map;
        return ex.ConvertReading();
    }
    Lines Upload() { return FileLines(dir / "upload.dat"); }
    // The records of one identifier.
    static Lines Of(const Lines& lines, const std::string& id) {
        Lines out;
        for (const auto& l : lines)
            if (l.compare(0, id.size(), id) == 0) out.push_back(l);
        return out;
    }
    // The identifiers (the first `width` characters) of the lines.
    static std::string Ids(const Lines& lines, std::size_t width) {
        std::string out;
        for (const auto& l : lines) out += l.substr(0, width) + " ";
        return out;
    }
    // An MVRS readings database: routes "00000101" and "00000102" and the meters, on the routes given.
    void MVRSReadings(const std::vector<F>& meters, const std::vector<std::int32_t>& routes) {
        ReadingsBuilder b;
        b.Header(2);
        b.Record(
            kRecRouteReturned,
            {{"RouteNbr", 1}, {"Initials", std::string("00000101")}, {"User1", std::string("R1~Z3~O5~03/15/2026~2")}});
        b.Record(kRecRouteReturned, {{"RouteNbr", 2}, {"Initials", std::string("00000102")}});
        for (std::size_t i = 0; i < meters.size(); ++i) b.Meter(routes[i], meters[i]);
        b.Write(dir / "ReadingZAV.pdb");
    }
};

// A meter read with `status`, `readType` and `reading` on 16 March 2026 at 09:30:15, read by radio.
F Read(std::int32_t status, std::int32_t readType, std::int32_t reading, F more = {}) {
    F f{{"MeterSerialNbr", std::string("M-1")},
        {"Status", status},
        {"ReadType", readType},
        {"CurReading", reading},
        {"ReadingDate", 20260316},
        {"ReadingTime", 93015},
        {"MeterTagNbr", 40011223},
        {"MeterType", 1},
        {"User3", std::string("KWH~F~5~7~R~1~0~1~0")}};
    f.insert(f.end(), more.begin(), more.end());
    return f;
}

TEST_F(ReadingTest, MVRSRoundTripFromTheDemoDownload) {
    fs::copy_file(fs::path(ZAV_SOURCE_DIR) / "examples/demo-home/routes/mvrs-cycle01.dat", dir / "route.dat");
    ex.RouteMap = "MVRS";
    ASSERT_TRUE(ex.ConvertRoute());
    const auto meters = Meters();
    ASSERT_EQ(meters.size(), 6u);
    SimulateReadings(dir / "RouteZAV.pdb", dir / "ReadingZAV.pdb", [](clsZAV& db, int i) {
        db.SetItem("Status", std::int32_t{1});
        db.SetItem("CurReading", std::int32_t{50000 + i * 111});
        db.SetItem("ReadingDate", std::int32_t{20260316});
        db.SetItem("ReadingTime", std::int32_t{80000 + i});
    });
    ui.log.clear();
    ASSERT_TRUE(ConvertReading("MVRS")) << testing::PrintToString(ui.log);

    const Lines lines = Upload();
    for (const auto& l : lines) EXPECT_EQ(l.size(), 126u) << l;
    EXPECT_EQ(Ids(lines, 3),
              "FHD RHD CUS MTR RDG RFF CUS CSX MTR RDG RFF CUS CSX MTR RDG WRR CUS MTR MTS RDG RTR "
              "RHD CUS MTR RDG RFF CUS MTR RDG PRB RTR FTR ");
    // File header: 2 routes, 6 customers, meters and reads.
    EXPECT_EQ(lines[0].substr(0, 29), "FHDN N 002000006000006000006N");
    const Lines rhd = Of(lines, "RHD");
    EXPECT_EQ(rhd[0].substr(3, 8), "00000101");
    EXPECT_EQ(rhd[0].substr(41, 4), "0004");      // TotalMeterRecords
    EXPECT_EQ(rhd[0].substr(93, 6), "R1Z3O5");    // Region, Zone, Office
    EXPECT_EQ(rhd[0].substr(99, 8), "03152026");  // ScheduledReadDate from the cycle date
    EXPECT_EQ(Of(lines, "RTR")[0].substr(3), rhd[0].substr(3));
    // Every reading goes back with its meter (the fourth meter has one decimal).
    const Lines rdg = Of(lines, "RDG");
    const Lines mtr = Of(lines, "MTR");
    ASSERT_EQ(rdg.size(), 6u);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const std::int32_t reading = 50000 + i * 111;
        EXPECT_EQ(rdg[i].substr(33, 10), fmt::format("{:010}", i == 3 ? reading / 10 : reading));
        EXPECT_EQ(rdg[i].substr(47, 8), "03162026");
        EXPECT_EQ(rdg[i].substr(55, 6), fmt::format("{:06}", 80000 + i));
        EXPECT_EQ(rdg[i].substr(105, 10), fmt::format("{:010}", static_cast<int>(meters[i].Num("PrvReading"))));
        EXPECT_EQ(mtr[i].substr(45, 12), meters[i].Text("MeterSerialNbr"));
        EXPECT_EQ(mtr[i].substr(61, 8), fmt::format("{:08}", static_cast<int>(meters[i].Num("Sequence"))));
    }
    // The radio records name the tags: the special-radio meter's own number and the radio records' ids.
    const Lines rff = Of(lines, "RFF");
    ASSERT_EQ(rff.size(), 3u);
    EXPECT_EQ(rff[0].substr(11, 8), "12345678");
    EXPECT_EQ(rff[1].substr(11, 8), "40011223");
    EXPECT_EQ(Of(lines, "MTS")[0].substr(23, 34), "Billing: DOG IN YARD - CALL AHEAD ");
}

TEST_F(ReadingTest, MVRSReadingRecordFields) {
    MVRSReadings({Read(1, 1, 12399, {{"Decimals", 2}}), Read(0, 4, 0), Read(0, 2, 0), Read(0, 1, 7)}, {1, 1, 1, 1});
    ASSERT_TRUE(ConvertReading("MVRS"));
    const Lines lines = Upload();
    const Lines rdg = Of(lines, "RDG");
    ASSERT_EQ(rdg.size(), 4u);
    // Decimals 2 and 12399: rounded down in the reading record, rounded in the radio record.
    EXPECT_EQ(rdg[0].substr(33, 10), "0000000123");
    EXPECT_EQ(Of(lines, "RFF")[0].substr(72, 10), "0000000124");
    EXPECT_EQ(rdg[0].substr(55, 6), "093015");
    EXPECT_EQ(rdg[0].substr(61, 1), "N");  // ReadCode of a radio read
    EXPECT_EQ(rdg[0].substr(93, 1), "R");  // NewReadMethod
    EXPECT_EQ(rdg[0].substr(75, 9), "TRAV     ");
    // Unread meters: no date or time, "S" for a skipped or keyed-as-zero meter, blank otherwise.
    for (int i = 1; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rdg[i].substr(47, 8), "00000000");
        EXPECT_EQ(rdg[i].substr(55, 6), "000000");
        EXPECT_EQ(rdg[i].substr(61, 1), i < 3 ? "S" : " ");
        EXPECT_EQ(rdg[i].substr(93, 1), "N");
    }
}

TEST_F(ReadingTest, MVRSRoutesAndDeviceRecords) {
    auto method = [](const std::string& m) { return F{{"User3", std::string("KWH~F~5~7~") + m + "~1~0~1~0"}}; };
    MVRSReadings({Read(1, 2, 10, method("K")), Read(1, 1, 20, method("R")), Read(1, 3, 30, method("W"))}, {1, 2, 1});
    ASSERT_TRUE(ConvertReading("MVRS"));
    const Lines lines = Upload();
    EXPECT_EQ(Ids(lines, 3), "FHD RHD CUS MTR RDG RTR RHD CUS MTR RDG RFF RTR RHD CUS MTR RDG WRR RTR FTR ");
    // Route 1 is written twice, each time with the counts of the whole route.
    const Lines rhd = Of(lines, "RHD");
    EXPECT_EQ(rhd[0].substr(3, 8), "00000101");
    EXPECT_EQ(rhd[2].substr(3, 8), "00000101");
    EXPECT_EQ(rhd[0].substr(57, 4), "0002");
    EXPECT_EQ(rhd[2].substr(57, 4), "0002");
}

TEST_F(ReadingTest, MVRSEmptyDatabaseAndFailures) {
    MVRSReadings({}, {});
    ASSERT_TRUE(ConvertReading("MVRS"));
    EXPECT_EQ(Ids(Upload(), 3), "FHD FTR ");

    // A meter of a route the database does not have: Ignore goes on with the next step, Abort ends it.
    fs::remove(dir / "upload.dat");
    MVRSReadings({Read(1, 1, 5), Read(1, 1, 6)}, {9, 1});
    ui.abortRetryIgnoreAnswers = {kIgnore, kIgnore};
    EXPECT_TRUE(ConvertReading("MVRS"));
    EXPECT_EQ(Ids(Upload(), 3), "FHD RHD CUS MTR RDG RFF RTR FTR ");
    ASSERT_EQ(ui.calls.size(), 2u);
    EXPECT_EQ(ui.calls[0],
              "AbortRetryIgnore(Error|Error: Route number 9 of a meter record is outside the route list of the "
              "readings database (2 routes))");

    fs::remove(dir / "upload.dat");
    ui.calls.clear();
    ui.abortRetryIgnoreAnswers = {kAbort};
    EXPECT_FALSE(ConvertReading("MVRS"));
    EXPECT_EQ(ui.calls.size(), 1u);

    // An upload file that cannot be created.
    ex.ReadingDestination = "missing/upload.dat";
    ui.log.clear();
    EXPECT_FALSE(ConvertReading("MVRS"));
    const std::string error = "Error: Could not create upload file " + (dir / "missing/upload.dat").string();
    EXPECT_NE(std::find(ui.log.begin(), ui.log.end(), error), ui.log.end()) << testing::PrintToString(ui.log);
}

// An E5000 readings database of route "R0000042" with the given meters.
void E5KReadings(const fs::path& path, const std::vector<F>& meters) {
    ReadingsBuilder b;
    b.Header(1, {{"Initials", std::string("EMP-LOADED")}, {"ResponseText", std::string("PROC-123")}});
    b.Record(kRecRouteReturned, {{"RouteNbr", 1}, {"Initials", std::string("R0000042")}, {"User1", std::string("3")}});
    for (const F& m : meters) b.Meter(1, m);
    b.Write(path);
}

F E5KMeter(const std::string& account, std::int32_t sequence, std::int32_t readType, std::int32_t reading,
           std::int32_t date = 20260316, const std::string& key = "VG42") {
    return {{"ServiceUniqueID", account},
            {"Sequence", sequence},
            {"ReadType", readType},
            {"CurReading", reading},
            {"ReadingDate", date},
            {"ReadingTime", 93015},
            {"User1", key},
            {"User2", std::string("01")},
            {"User3", std::string("20")},
            {"MeterSerialNbr", std::string("00012345")}};
}

TEST_F(ReadingTest, E5000UploadRecords) {
    // Left out: a skipped meter (ReadType 4), one without a reading date, one keyed as 0.
    E5KReadings(dir / "ReadingZAV.pdb",
                {E5KMeter("A1", 0, 1, 100), E5KMeter("A1", 12, 1, 200), E5KMeter("A2", 13, 4, 300),
                 E5KMeter("A3", 14, 1, 400, 0), E5KMeter("A4", 15, 2, 0), E5KMeter("A5", 16, 2, 500, 20260316, "")});
    ASSERT_TRUE(ConvertReading("E5000"));
    const Lines lines = Upload();
    for (const auto& l : lines) EXPECT_EQ(l.size(), 80u) << l;
    EXPECT_EQ(Ids(lines, 1), "A C S D E D E C D E Z ");
    // The begin sequence comes from the first meter with one.
    EXPECT_EQ(lines[0].substr(0, 39), "AR000004200030003123260316  0001200016 ");
    EXPECT_EQ(lines[1].substr(0, 29), "CR0000042A1           200316 ");
    EXPECT_EQ(lines[2].substr(0, 16), "S02VG42         ");
    EXPECT_EQ(lines[3].substr(0, 26), "D0100012345        000020 ");
    EXPECT_EQ(lines[4].substr(0, 25), "E0000001000093015   1000 ");
    EXPECT_EQ(lines.back().substr(0, 17), "ZR0000042123EMP  ");
}

TEST_F(ReadingTest, E5000ReadingsThatDoNotFitAndEmptyUploads) {
    E5KReadings(dir / "ReadingZAV.pdb", {E5KMeter("A1", 1, 4, 100), E5KMeter("A2", 2, 1, 100, 0)});
    ASSERT_TRUE(ConvertReading("E5000"));
    EXPECT_TRUE(Upload().empty());

    fs::remove(dir / "upload.dat");
    E5KReadings(dir / "ReadingZAV.pdb", {E5KMeter("A1", 1, 1, 123456789)});
    ui.log.clear();
    EXPECT_FALSE(ConvertReading("E5000"));
    const std::string error =
        "Error: Value 123456789 does not fit field CurrentReading of the E record (upload line 5)";
    EXPECT_NE(std::find(ui.log.begin(), ui.log.end(), error), ui.log.end()) << testing::PrintToString(ui.log);
}

TEST_F(ReadingTest, E5000RoundTripFromTheDemoDownload) {
    fs::copy_file(fs::path(ZAV_SOURCE_DIR) / "examples/demo-home/routes/e5000-route.dat", dir / "route.dat");
    ex.RouteMap = "E5000";
    ASSERT_TRUE(ex.ConvertRoute());
    const auto meters = Meters();
    ASSERT_EQ(meters.size(), 4u);
    SimulateReadings(dir / "RouteZAV.pdb", dir / "ReadingZAV.pdb", [](clsZAV& db, int i) {
        db.SetItem("Status", std::int32_t{1});
        db.SetItem("CurReading", std::int32_t{4000 + i});
        db.SetItem("ReadingDate", std::int32_t{20260316});
        db.SetItem("ReadingTime", std::int32_t{93015});
    });
    ASSERT_TRUE(ConvertReading("E5000")) << testing::PrintToString(ui.log);
    const Lines lines = Upload();
    for (const auto& l : lines) EXPECT_EQ(l.size(), 80u) << l;
    EXPECT_EQ(Ids(lines, 1), "A C S D E C S D E D E C D E Z ");
    EXPECT_EQ(lines[0].substr(1, 16), "R000004200030004");
    const Lines d = Of(lines, "D");
    const Lines e = Of(lines, "E");
    ASSERT_EQ(d.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(d[i].substr(3, 10), meters[i].Text("MeterSerialNbr"));
        EXPECT_EQ(d[i].substr(1, 2), i == 2 ? "02" : "01");
        EXPECT_EQ(d[i].substr(19, 6), "000020");
        EXPECT_EQ(e[i].substr(2, 8), fmt::format("{:08}", 4000 + i));
    }
}

// The host upload converters check the database as the flat one does: a record count cut short fails the
// run after writing what could be read; a header claiming a huge number of routes costs nothing (the route
// table follows the route records present) and fails the run as damaged.
TEST_F(ReadingTest, DamagedDatabasesFailTheRunAndHugeRouteCountsCostNothing) {
    for (const char* map : {"MVRS", "E5000"}) {
        SCOPED_TRACE(map);
        MVRSReadings({Read(1, 1, 5), Read(1, 1, 6), Read(1, 1, 7)}, {1, 1, 2});
        std::string pdb = ReadFileBytes(dir / "ReadingZAV.pdb");
        pdb[77] = 4;  // header, two routes, one meter
        WriteFileBytes(dir / "ReadingZAV.pdb", pdb);
        fs::remove(dir / "upload.dat");
        ui.log.clear();
        EXPECT_FALSE(ConvertReading(map));
        EXPECT_NE(std::find(ui.log.begin(), ui.log.end(),
                            "Error: Readings database damaged: the header announces 3 meters, 1 meter record was read"),
                  ui.log.end())
            << testing::PrintToString(ui.log);
        EXPECT_FALSE(Upload().empty());

        ReadingsBuilder b;
        b.Header(100000000).Route(1, "00000101").Meter(1, Read(1, 1, 5));
        b.Write(dir / "ReadingZAV.pdb");
        fs::remove(dir / "upload.dat");
        ui.log.clear();
        EXPECT_FALSE(ConvertReading(map));
        EXPECT_NE(std::find(ui.log.begin(), ui.log.end(),
                            "Error: Readings database damaged: the header announces 100000000 routes, 1 route record "
                            "was read"),
                  ui.log.end())
            << testing::PrintToString(ui.log);
    }
}

}  // namespace
}  // namespace zav::test
#endif  // ZAV_HOST_READINGS
