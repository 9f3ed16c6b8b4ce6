// The MVRS and E5000 file readers and writers.
#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/frontend.h"
#include "hostformats/date_serial.h"
#include "hostformats/e5k_files.h"
#include "hostformats/mvrs_files.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

std::filesystem::path Write(const test::TempDir& dir, const std::string& name, const std::string& bytes) {
    const auto path = dir / name;
    WriteFileBytes(path, bytes);
    return path;
}

TEST(MVRSDownload, MissingFileIsNotOpened) {
    test::TempDir dir;
    clsMVRSDownload reader;
    EXPECT_FALSE(reader.OpenFile(dir / "none.dat"));
    EXPECT_EQ(reader.ReadNext(), nullptr);
    EXPECT_EQ(reader.Position255(), 0);
}

TEST(MVRSDownload, ReadsOneRecordPerLineAndStopsAtTheEnd) {
    test::TempDir dir;
    clsMVRSDownload reader;
    ASSERT_TRUE(reader.OpenFile(Write(dir, "a.dat", "FHDYN00001   07NYN\r\n")));
    clsRecType* rec = reader.ReadNext();
    ASSERT_NE(rec, nullptr);
    EXPECT_EQ(rec->RIValue, "FHD");
    EXPECT_EQ(rec->Value("NumberCycles"), Value(std::int32_t{7}));
    EXPECT_EQ(rec->Text("Version"), "00001");
    EXPECT_EQ(reader.LineNo(), 1);
    EXPECT_EQ(reader.Position255(), 0);  // whole 128-byte blocks read: none yet
    EXPECT_EQ(reader.ReadNext(), nullptr);
    EXPECT_EQ(reader.LineNo(), 1);
    EXPECT_TRUE(reader.AtEnd());
}

// A download saved with a byte order mark and line ends that change from line to line still gives one
// record per line, in both host formats.
TEST(HostDownloads, MixedLineEndsAndAByteOrderMark) {
    test::TempDir dir;
    clsMVRSDownload mvrs;
    ASSERT_TRUE(mvrs.OpenFile(Write(dir, "a.dat",
                                    "\xEF\xBB\xBF"
                                    "FHDYN00001   07NYN\nCHD0100030315200\r\nFHD\rCHD")));
    std::vector<std::string> ids;
    while (clsRecType* rec = mvrs.ReadNext()) ids.push_back(rec->RIValue);
    EXPECT_EQ(ids, (std::vector<std::string>{"FHD", "CHD", "FHD", "CHD"}));
    EXPECT_EQ(mvrs.LineNo(), 4);

    clsE5KDownload e5k;
    ASSERT_TRUE(e5k.OpenFile(Write(dir, "b.dat",
                                   "\xEF\xBB\xBF"
                                   "one\ntwo\r\nthree")));
    std::vector<std::string> lines;
    while (e5k.ReadNext() != nullptr) lines.emplace_back(e5k.LastLine());
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"}));
}

TEST(MVRSDownload, UnknownLinesGiveNothingButReadingGoesOn) {
    test::TempDir dir;
    clsMVRSDownload reader;
    ASSERT_TRUE(reader.OpenFile(Write(dir, "a.dat", "rhd00000001\r\nXYZ\r\n\r\n??? ABCDE\rCHD0100030315200\r\n")));
    EXPECT_EQ(reader.ReadNext(), nullptr);
    EXPECT_EQ(reader.LastLine(), "rhd00000001");
    EXPECT_EQ(reader.ReadNext(), nullptr);
    EXPECT_EQ(reader.ReadNext(), nullptr);  // a blank line
    EXPECT_FALSE(reader.AtEnd());
    clsRecType* codes = reader.ReadNext();
    ASSERT_NE(codes, nullptr);
    EXPECT_EQ(codes->RIValue, "???");
    EXPECT_EQ(codes->Text("Code2"), "A");
    clsRecType* cycle = reader.ReadNext();
    ASSERT_NE(cycle, nullptr);
    EXPECT_EQ(cycle->RIValue, "CHD");
    EXPECT_EQ(cycle->Value("NumberRoutes"), Value(std::int32_t{3}));
    EXPECT_EQ(cycle->Value("CycleDate"), Value(0.0));  // "0315200" is seven characters: no date
    EXPECT_EQ(reader.LineNo(), 5);
}

TEST(MVRSDownload, ShortLinesAndOversizedNumbersReadAsDefaults) {
    test::TempDir dir;
    const std::string customer = "CUS00000001001" + std::string("ACCT-1") + std::string(14, ' ') + "SMITH JOHN";
    const std::string reading = "RDG00000001" + std::string(20, ' ') + "9999999999" + "0000012345";
    clsMVRSDownload reader;
    ASSERT_TRUE(reader.OpenFile(Write(dir, "a.dat", customer + "\r\n" + reading + "\r\n")));
    clsRecType* cus = reader.ReadNext();
    ASSERT_NE(cus, nullptr);
    EXPECT_EQ(cus->Text("Name"), "SMITH JOHN");
    EXPECT_EQ(cus->Text("Address1"), "");
    EXPECT_EQ(cus->Text("CustomerInfo"), "");
    clsRecType* rdg = reader.ReadNext();
    ASSERT_NE(rdg, nullptr);
    EXPECT_EQ(rdg->Value("PreviousReading"), Value(std::int32_t{0}));
    EXPECT_EQ(rdg->TooLargeFields(), std::vector<std::string>{"PreviousReading"});
    EXPECT_TRUE(cus->TooLargeFields().empty());
    EXPECT_EQ(rdg->Value("High1"), Value(std::int32_t{12345}));
}

TEST(E5KDownload, UnknownLinesComeBackAsTheCatchAllRecord) {
    test::TempDir dir;
    clsE5KDownload reader;
    ASSERT_TRUE(reader.OpenFile(Write(dir, "a.dat", "F0000001A\r\nXtra\r\nK01Front yard\r\nK02\r\n")));
    EXPECT_EQ(reader.ReadNext()->Text("Route"), "0000001A");
    clsRecType* unknown = reader.ReadNext();
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(unknown->RIValue, "?");
    EXPECT_EQ(unknown->Text("RecID"), "X");
    EXPECT_EQ(reader.ReadNext()->RIValue, "K01");
    EXPECT_EQ(reader.ReadNext()->Text("RecID"), "K");
    EXPECT_EQ(reader.LineNo(), 4);
    EXPECT_EQ(reader.ReadNext(), nullptr);
}

TEST(HostDownloads, EachLineIsTheFirstTypeWhoseIdentifierItStartsWith) {
    // Every identifier, its beginnings, one more character, its last character changed and a few short
    // lines: each comes back as the first declared type (catch-all aside) that TestID accepts.
    test::TempDir dir;
    for (const bool e5k : {false, true}) {
        const auto& layouts = e5k ? E5KDownloadLayouts() : MVRSDownloadLayouts();
        auto types = DeclareRecordTypes(layouts);
        if (e5k) types.pop_back();  // the catch-all
        std::vector<std::string> lines = {"", "x", "~~", "\x80\x80\x80\x80"};
        for (const auto& type : types) {
            const std::string& id = type->RIValue;
            for (std::size_t n = 1; n <= id.size(); ++n) lines.push_back(id.substr(0, n));
            lines.push_back(id + "X");
            lines.push_back(id.substr(0, id.size() - 1) + "~" + "0000");
        }
        std::string bytes;
        for (const std::string& line : lines) bytes += line + "\r\n";
        clsMVRSDownload mvrs;
        clsE5KDownload e5000;
        HostFileReader& reader = e5k ? static_cast<HostFileReader&>(e5000) : mvrs;
        ASSERT_TRUE(reader.OpenFile(Write(dir, e5k ? "e.dat" : "m.dat", bytes)));
        for (const std::string& line : lines) {
            std::string expected = e5k ? "?" : "";
            for (const auto& type : types)
                if (type->TestID(line)) {
                    expected = type->RIValue;
                    break;
                }
            const clsRecType* rec = reader.ReadNext();
            EXPECT_EQ(rec != nullptr ? rec->RIValue : "", expected) << "'" << line << "'";
        }
    }
}

std::vector<std::string> Lines(const std::filesystem::path& path) {
    const std::string bytes = ReadFileBytes(path);
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "every line ends with CR LF";
    return lines;
}

TEST(MVRSUpload, WritesPaddedRecordsWithCrLf) {
    test::TempDir dir;
    const auto path = dir / "up.dat";
    {
        clsMVRSUpload writer;
        ASSERT_TRUE(writer.CreateFile(path));
        EXPECT_EQ(writer.SetupRecord("XYZ"), nullptr);
        clsRecType* fhd = writer.SetupRecord("FHD");
        ASSERT_NE(fhd, nullptr);
        EXPECT_EQ(writer.WriteRecord(*fhd), 0);
        clsRecType* rdg = writer.SetupRecord("RDG");
        rdg->Value("ReadDate", 0.0);
        rdg->Value("Reading", std::int32_t{42});
        EXPECT_EQ(writer.WriteRecord(*rdg), 0);
        clsRecType* erh = writer.SetupRecord("ERH");
        erh->Value("TypeRoute", std::string("X"));
        writer.WriteRecord(*erh);
        clsRecType* again = writer.SetupRecord("RDG");  // values of the last use are gone
        EXPECT_EQ(again->Value("Reading"), Value());
        again->Value("Reading", std::int32_t{2147483647});
        EXPECT_EQ(writer.WriteRecord(*again), 0);
        again->Value("ReadOrder", std::int32_t{12345});
        EXPECT_EQ(writer.WriteRecord(*again), 1);
        EXPECT_EQ(again->CutFields(), std::vector<std::string>{"ReadOrder"});
        EXPECT_TRUE(writer.Close());
    }
    const auto lines = Lines(path);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "FHD" + std::string(123, ' '));
    EXPECT_EQ(lines[1].size(), 126u);
    EXPECT_EQ(lines[1].substr(33, 10), "0000000042");
    EXPECT_EQ(lines[1].substr(47, 8), "00000000");
    EXPECT_EQ(lines[2].size(), 128u);
    EXPECT_EQ(lines[2].substr(0, 3), "ERH");
    EXPECT_EQ(lines[2].back(), 'X');
    EXPECT_EQ(lines[3].substr(33, 10), "2147483647");
}

TEST(HostUpload, FileThatCannotBeCreatedIsShown) {
    test::TempDir dir;
    test::FakeFrontend fe;
    ScopedFrontend scope(fe);
    clsE5KUpload writer;
    EXPECT_FALSE(writer.CreateFile(dir / "missing" / "up.dat"));
    ASSERT_EQ(fe.calls.size(), 1u);
    EXPECT_NE(fe.calls[0].find("not found"), std::string::npos) << fe.calls[0];
}

TEST(E5KUpload, WritesEightyCharacterLines) {
    test::TempDir dir;
    const auto path = dir / "up.dat";
    {
        clsE5KUpload writer;
        ASSERT_TRUE(writer.CreateFile(path));
        EXPECT_EQ(writer.SetupRecord("F"), nullptr);
        clsRecType* e = writer.SetupRecord("E");
        e->Value("CurrentReading", std::int32_t{1234});
        e->Value("ReadTime", std::string("93015"));
        e->Value("NoReadCode", std::string("00"));
        writer.WriteRecord(*e);
    }
    const auto lines = Lines(path);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "E 00001234 093015     00" + std::string(56, ' '));
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// The demo route files (written by scripts/make-host-samples.py) read back record by record.
TEST(HostDownloads, DemoSamplesAreWholeFilesOfKnownRecords) {
    const std::filesystem::path routes = std::filesystem::path(ZAV_SOURCE_DIR) / "examples/demo-home/routes";
    clsMVRSDownload mvrs;
    ASSERT_TRUE(mvrs.OpenFile(routes / "mvrs-cycle01.dat"));
    std::string ids;
    int meters = 0;
    while (clsRecType* rec = mvrs.ReadNext()) {
        ids += rec->RIValue.substr(0, 1);
        if (rec->RIValue == "MTR") ++meters;
        if (rec->RIValue == "CHD") {
            EXPECT_EQ(rec->Value("CycleDate"), Value(DateSerial(2026, 3, 15)));
        }
        if (rec->RIValue == "RFF" && meters == 2) {
            EXPECT_EQ(rec->Text("RFERTID"), "40011223");
        }
    }
    EXPECT_TRUE(mvrs.AtEnd());
    EXPECT_EQ(meters, 6);
    EXPECT_EQ(ids.front(), 'F');
    EXPECT_EQ(ids.back(), 'F');

    clsE5KDownload e5k;
    ASSERT_TRUE(e5k.OpenFile(routes / "e5000-route.dat"));
    int e5kMeters = 0;
    while (clsRecType* rec = e5k.ReadNext()) {
        EXPECT_NE(rec->RIValue, "?") << e5k.LineNo();
        if (rec->RIValue == "H") {
            ++e5kMeters;
            EXPECT_EQ(rec->Text("MeterSerialNumber").size(), 10u);
        }
        if (rec->RIValue == "Z") {
            EXPECT_EQ(rec->Value("NumberofMeters"), Value(std::int32_t{e5kMeters}));
        }
    }
    EXPECT_EQ(e5kMeters, 4);
}

}  // namespace
}  // namespace zav
