// zavdepot report: a reading report as PDF without a display (the PDF module loaded beside the program),
// the text it holds, an unreadable database, and usage errors.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "core/file_io.h"
#include "support/readings_builder.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

class CliReportTest : public testing::Test {
  protected:
    test::TempDir dir;

    void SetUp() override {
        test::ReadingsBuilder b;
        b.Header(1, {{"ResponseText", std::string("UNIT07")}}).Route(1, "0412");
        b.Meter(1, {{"MeterTagNbr", 5001},
                    {"CurReading", 1234},
                    {"Status", std::int16_t{1}},
                    {"ReadType", std::int16_t{1}},
                    {"ReadingDate", 20240109},
                    {"BillingName", std::string("SMITH <BOB>")},
                    {"ServiceAddress", std::string("12 %d ST")},
                    {"Initials", std::string("JD")}});
        b.Meter(1, {{"MeterTagNbr", 5002}, {"Status", std::int16_t{0}}});
        b.Write(dir / "ReadingZAV.pdb");
    }
    int Run(const std::string& args, std::string* out) {
        // No display: the command must not need one.
        const std::string cmd = "cd '" + dir.Path().string() +
                                "' && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + ZAV_BINARY +
                                " --home '" + (dir / "home").string() + "' " + args + " </dev/null 2>&1";
        return test::RunCommand(cmd, out);
    }
    static bool PdfModuleBuilt() { return fs::exists(fs::path(ZAV_BINARY).parent_path() / "zavdepot-pdf.so"); }
};

TEST_F(CliReportTest, WritesTheReportAsPdf) {
    if (!PdfModuleBuilt()) GTEST_SKIP() << "this build has no PDF module (built without Qt)";
    std::string out;
    ASSERT_EQ(Run("report reading ReadingZAV.pdb --pdf out.pdf", &out), 0) << out;
    EXPECT_EQ(out, "");
    const std::string pdf = ReadFileBytes(dir / "out.pdf");
    ASSERT_EQ(pdf.substr(0, 5), "%PDF-");
    if (test::RunCommand("command -v pdftotext >/dev/null") != 0)
        GTEST_SKIP() << "pdftotext (poppler-utils) is missing";
    std::string text;
    ASSERT_EQ(test::RunCommand("pdftotext -layout '" + (dir / "out.pdf").string() + "' -", &text), 0);
    for (const char* expected : {"Marquand", "Reading Report", "Page 1", "Unit ID:", "UNIT07", "Transponder",
                                 "Billing/Address", "5001", "1234", "SMITH <BOB>", "12 %d ST", "2024/01/09"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    EXPECT_EQ(text.find("5002"), std::string::npos);  // the missed meter is on the Missed Report only

    ASSERT_EQ(Run("report MISSED ReadingZAV.pdb --pdf missed.pdf --title \"Route 0412 not read\"", &out), 0) << out;
    ASSERT_EQ(test::RunCommand("pdftotext -layout '" + (dir / "missed.pdf").string() + "' -", &text), 0);
    EXPECT_NE(text.find("Route 0412 not read"), std::string::npos) << text;
    EXPECT_NE(text.find("5002"), std::string::npos) << text;
    EXPECT_NE(text.find("Missed"), std::string::npos) << text;
    std::string info;
    ASSERT_EQ(test::RunCommand("pdfinfo '" + (dir / "missed.pdf").string() + "'", &info), 0);
    EXPECT_NE(info.find("792 x 612 pts"), std::string::npos) << info;  // 11 x 8.5 inches, landscape
}

TEST_F(CliReportTest, UnreadableDatabaseWritesNothing) {
    std::ofstream(dir / "bad.pdb") << "not a database";
    std::ofstream(dir / "kept.pdf") << "an older report";
    std::string out;
    for (const char* db : {"bad.pdb", "missing.pdb"}) {
        out.clear();
        EXPECT_EQ(Run(std::string("report orphan ") + db + " --pdf new.pdf", &out), 1);
        EXPECT_EQ(out, "Error: Could not read ZAV file\n");
        EXPECT_FALSE(fs::exists(dir / "new.pdf"));
    }
    EXPECT_EQ(Run("report orphan bad.pdb --pdf kept.pdf", &out), 1);
    EXPECT_EQ(ReadFileBytes(dir / "kept.pdf"), "an older report");
}

TEST_F(CliReportTest, UsageErrorsAndHelp) {
    std::string out;
    EXPECT_EQ(Run("report weekly ReadingZAV.pdb --pdf out.pdf", &out), 2) << out;
    EXPECT_EQ(Run("report reading ReadingZAV.pdb", &out), 2) << out;  // --pdf is required
    EXPECT_EQ(Run("report --help", &out), 0);
    for (const char* word : {"KIND", "READINGS", "--pdf", "--title", "exception"})
        EXPECT_NE(out.find(word), std::string::npos) << word << "\n" << out;
    if (!PdfModuleBuilt()) return;
    EXPECT_EQ(Run("report reading ReadingZAV.pdb --pdf ReadingZAV.pdb", &out), 1) << out;  // never over the data
    EXPECT_EQ(Run("report reading ReadingZAV.pdb --pdf no-such-folder/out.pdf", &out), 1) << out;
    EXPECT_NE(out.find("Could not write PDF file"), std::string::npos) << out;
}

}  // namespace
}  // namespace zav
