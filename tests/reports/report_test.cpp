// The reading reports on a recording surface: which meters each report shows and how, the unit block,
// page set-up, page breaks with footer and header, and an unreadable database.
#include "reports/report.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "core/clock.h"
#include "reports/recording_surface.h"
#include "support/fake_frontend.h"
#include "support/readings_builder.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

using test::ReadingsBuilder;

// Left edges of the ten columns on the page (left margin 0.25).
constexpr double kColumnX[kReportColumns] = {0.25, 1.25, 1.75, 2.45, 3.15, 3.85, 4.95, 5.85, 7.35, 9.65};

// One detail row as drawn: each column's lines joined by "\n".
struct DrawnRow {
    int page = 0;
    double y = 0;
    std::array<std::string, kReportColumns> cells;
};

// The detail rows of a recorded report: plain texts below the column headings, grouped from each
// Transponder cell; a row's cells are the texts after it by their left edge.
std::vector<DrawnRow> Rows(const RecordingSurface& surface) {
    std::vector<DrawnRow> rows;
    bool inBody = false;
    for (const DrawnItem& item : surface.Items()) {
        if (item.kind != DrawnItem::Text) continue;
        if (item.text == "Exception" && item.font.bold) {
            inBody = true;
            continue;
        }
        if (item.text == "Unit ID:" || item.y >= 7.75 - 1e-9) inBody = false;
        if (!inBody || item.font.bold || item.font.italic) continue;
        int column = -1;
        for (int c = 0; c < kReportColumns; ++c)
            if (std::abs(item.x - kColumnX[c]) < 1e-6) column = c;
        if (column < 0) continue;
        if (column == 0 && (rows.empty() || item.y > rows.back().y + 1e-9 || item.page != rows.back().page))
            rows.push_back({item.page, item.y, {}});
        if (rows.empty()) continue;
        std::string& cell = rows.back().cells[column];
        cell += (cell.empty() ? "" : "\n") + item.text;
    }
    return rows;
}

std::map<std::string, DrawnRow> RowsByTag(const RecordingSurface& surface) {
    std::map<std::string, DrawnRow> byTag;
    for (const DrawnRow& row : Rows(surface)) byTag[row.cells[0]] = row;
    return byTag;
}

using Fields = ReadingsBuilder::Fields;

// A meter read on 9 January 2024 at 09:30:15 with the given fields on top.
Fields Meter(std::int32_t tag, Fields more) {
    Fields f = {{"MeterTagNbr", tag},
                {"MeterType", std::int16_t{1}},
                {"Digits", std::int16_t{0}},
                {"Status", std::int16_t{1}},
                {"ReadType", std::int16_t{1}},
                {"CurReading", std::int32_t{500}},
                {"PrvReading", std::int32_t{400}},
                {"MinReading", std::int32_t{100}},
                {"MaxReading", std::int32_t{900}},
                {"ReadingDate", std::int32_t{20240109}},
                {"ReadingTime", std::int32_t{93015}},
                {"ServiceUniqueID", std::string("ACCT-" + std::to_string(tag))},
                {"MeterSerialNbr", std::string("SN")},
                {"BillingName", std::string("NAME")},
                {"ServiceAddress", std::string("ADDR")},
                {"Initials", std::string("JD")}};
    for (auto& [name, value] : more) {
        auto it = std::find_if(f.begin(), f.end(), [&](const auto& e) { return e.first == name; });
        if (it != f.end())
            it->second = value;
        else
            f.emplace_back(name, value);
    }
    return f;
}

struct ReportRun {
    RecordingSurface printer;
    test::FakeFrontend frontend;
    bool ok = false;
    ReportRun(const std::filesystem::path& db, int kind, const std::string& title = {}) {
        ScopedFrontend scoped(frontend);
        clsReport report;
        report.Engine().OutputDevice = &printer;
        ok = report.Begin(false, db, kind, title);
    }
};

struct RulesFixture : ::testing::Test {
    test::TempDir dir;
    std::filesystem::path db = dir / "ReadingZAV.pdb";
    void SetUp() override {
        using I16 = std::int16_t;
        using I32 = std::int32_t;
        ReadingsBuilder b;
        b.Header(1, {{"ResponseText", std::string("UNIT07")}});
        b.Route(1, "0412");
        b.Meter(1, Meter(1, {{"Status", I16{0}},
                             {"CurReading", I32{0}},
                             {"ReadingDate", I32{0}},
                             {"ReadingTime", I32{0}}}));                           // missed
        b.Meter(1, Meter(2, {}));                                                  // normal
        b.Meter(1, Meter(3, {{"ResponseText", std::string("DOG IN YARD")}}));      // with a note
        b.Meter(1, Meter(4, {{"ReadType", I16{4}}}));                              // skipped
        b.Meter(1, Meter(5, {{"CurReading", I32{950}}}));                          // high
        b.Meter(1, Meter(6, {{"CurReading", I32{50}}, {"PrvReading", I32{40}}}));  // low
        b.Meter(1, Meter(7, {{"MinReading", I32{9900}},
                             {"MaxReading", I32{100}},
                             {"CurReading", I32{5000}},
                             {"PrvReading", I32{0}}}));                          // past rollover
        b.Meter(1, Meter(8, {{"CurReading", I32{300}}}));                        // rollover
        b.Meter(1, Meter(9, {{"ReadType", I16{2}}, {"ResponseCode", I32{3}}}));  // manual
        b.Meter(1, Meter(10, {{"TamperCount", I32{2}}}));                        // tamper only
        b.Meter(1, Meter(11, {{"ResponseText", std::string("GATE LOCKED; CALL FIRST")}, {"CurReading", I32{950}}}));
        b.Meter(1, Meter(12, {{"Digits", I16{5}},
                              {"Decimals", I16{1}},
                              {"CurReading", I32{1234567}},
                              {"MinReading", I32{0}},
                              {"MaxReading", I32{0}},
                              {"PrvReading", I32{0}}}));
        b.Meter(1, Meter(13, {{"BillingName", std::string("SMITH <BOB>")},
                              {"ServiceAddress", std::string("12 %d ST")},
                              {"ServiceUniqueID", std::string("A     B    C  D")},
                              {"MeterType", I16{7}}}));
        b.Orphan({{"MeterTagNbr", I32{14}},
                  {"Status", I16{1}},
                  {"CurReading", I32{77}},
                  {"PrvReading", I32{1001}},
                  {"MaxReading", I32{1002}},
                  {"ReadingDate", I32{20240109}},
                  {"ReadingTime", I32{80000}}});
        b.Write(db);
    }
};

TEST_F(RulesFixture, EachReportShowsTheMetersItsRulesGiveIt) {
    struct Case {
        int kind;
        std::vector<std::string> tags;
    } cases[] = {
        {kReportMissed, {"1"}},
        {kReportReadings, {"2", "3", "5", "6", "7", "8", "9", "10", "11", "12", "13"}},
        {kReportExceptions, {"3", "4", "5", "6", "7", "8", "9", "11"}},
        {kReportOrphans, {"14"}},
    };
    for (const Case& c : cases) {
        ReportRun run(db, c.kind);
        ASSERT_TRUE(run.ok) << c.kind;
        std::vector<std::string> tags;
        for (const DrawnRow& row : Rows(run.printer)) tags.push_back(row.cells[0]);
        EXPECT_EQ(tags, c.tags) << ReportKindTitle(c.kind);
    }
}

TEST_F(RulesFixture, ExceptionTextsReadingsAndCells) {
    ReportRun exceptions(db, kReportExceptions);
    ReportRun readings(db, kReportReadings);
    ReportRun missed(db, kReportMissed);
    ReportRun orphans(db, kReportOrphans);
    auto all = RowsByTag(readings.printer);
    for (auto& [tag, row] : RowsByTag(exceptions.printer)) all[tag] = row;
    all["1"] = RowsByTag(missed.printer).at("1");
    all["14"] = RowsByTag(orphans.printer).at("14");

    struct Case {
        const char* tag;
        const char* reading;
        const char* exception;
    } cases[] = {
        {"1", "--", "Missed"},
        {"2", "500", ""},
        {"3", "500", "DOG IN YARD"},
        {"4", "500", "Skipped"},
        {"5", "950", "High Reading"},
        {"6", "50", "Low Reading"},
        {"7", "5000", "High Reading"},
        {"8", "300", "Rollover"},
        {"9", "500*", "Manually Read"},
        {"10", "500", "TAMPER"},
        {"11", "950", "High Reading\nGATE LOCKED\nCALL FIRST"},  // the note's two phrases on two lines
        {"12", "23456", ""},                                     // digits 5, decimals 1, 1234567
        {"14", "77", "Nearby: 1001 \n1002"},                     // wider than its 1.1 inch column
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(all.count(c.tag)) << c.tag;
        EXPECT_EQ(all[c.tag].cells[2], c.reading) << c.tag;
        EXPECT_EQ(all[c.tag].cells[9], c.exception) << c.tag;
    }
    const DrawnRow& normal = all["2"];
    EXPECT_EQ(normal.cells[6], "2024/01/09\n09:30:15");
    EXPECT_EQ(normal.cells[3], "400");
    EXPECT_EQ(normal.cells[4], "100");
    EXPECT_EQ(normal.cells[5], "900");
    EXPECT_EQ(normal.cells[7], "ACCT-2\nW SN");
    EXPECT_EQ(normal.cells[8], "NAME\nADDR");
    EXPECT_EQ(normal.cells[1], "0");
    const DrawnRow& missedRow = all["1"];
    EXPECT_EQ(missedRow.cells[6], "");  // no date, no time
    EXPECT_EQ(all["12"].cells[3], "");  // 0 prints as nothing
    EXPECT_EQ(all["14"].cells[8], "**Orphan Transponder **");
    EXPECT_EQ(all["14"].cells[7], "");
    // Data values print exactly as stored: no style tags, no placeholders.
    EXPECT_EQ(all["13"].cells[8], "SMITH <BOB>\n12 %d ST");
    EXPECT_EQ(all["13"].cells[7], "A B C D\n7 SN");
}

TEST_F(RulesFixture, DateOverTimeOnTwoLines) {
    ReportRun run(db, kReportReadings);
    const DrawnItem* date = run.printer.FindText("2024/01/09");
    const DrawnItem* time = run.printer.FindText("09:30:15");
    ASSERT_TRUE(date && time);
    EXPECT_NEAR(date->x, time->x, 1e-9);
    EXPECT_NEAR(time->y - date->y, 8 * 1.2 / 72, 1e-9);
}

TEST_F(RulesFixture, PageSetUpTitleRowUnitBlockAndFooter) {
    ScopedFixedClock clock(1'700'000'000);
    ReportRun run(db, kReportExceptions, "");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.printer.pageWidth, 11);  // landscape
    EXPECT_EQ(run.printer.pageLength, 8.5);
    EXPECT_EQ(run.printer.paperBin, 0);  // Tray
    const std::vector<std::string> texts = run.printer.Texts(1);
    const std::string today = ShortDate(Now());
    const std::vector<std::string> head = {"Marquand", today, "Exception Report", "Page 1", "Unit ID:", "Reader:",
                                           "UNIT07",   "JD",  "Transponder",      "Tamper"};
    EXPECT_EQ(std::vector<std::string>(texts.begin(), texts.begin() + head.size()), head);
    EXPECT_TRUE(run.printer.FindText("UNIT07")->font.italic);
    EXPECT_TRUE(run.printer.FindText("Tamper")->font.bold);
    EXPECT_EQ(run.printer.FindText("Transponder")->font.name, "Courier New");
    EXPECT_EQ(run.printer.FindText("Transponder")->font.size, 8);
    const DrawnItem* printed = run.printer.FindText("Printed " + today);
    ASSERT_NE(printed, nullptr);
    EXPECT_NEAR(printed->y, 7.75, 1e-9);
    EXPECT_NEAR(run.printer.FindText("Page 1", 1)->x, 10.25 - 0.25 - 6 * 8 * 0.6 / 72, 1e-9);  // title row
    ReportRun titled(db, kReportExceptions, "Route 0412 exceptions");
    EXPECT_NE(titled.printer.FindText("Route 0412 exceptions"), nullptr);
}

TEST(Report, LongReportsBreakPagesWithFooterThenHeaderAndNumberThem) {
    test::TempDir dir;
    ReadingsBuilder b;
    b.Header(1, {{"ResponseText", std::string("UNIT07")}});
    for (int i = 1; i <= 150; ++i) b.Meter(1, Meter(i, {}));
    b.Write(dir / "r.pdb");
    ReportRun run(dir / "r.pdb", kReportReadings);
    ASSERT_TRUE(run.ok);
    ASSERT_GE(run.printer.Sheets(), 3);
    const std::vector<std::string> page3 = run.printer.Texts(3);
    EXPECT_EQ(page3[3], "Page 3");      // the title row's page number
    EXPECT_EQ(page3.back(), "Page 3");  // the footer's
    EXPECT_NE(run.printer.FindText("Unit ID:", 3), nullptr);
    // Every meter once, none below the overflow threshold.
    const auto rows = Rows(run.printer);
    ASSERT_EQ(rows.size(), 150u);
    for (const DrawnRow& row : rows) EXPECT_LT(row.y, 7.25 + 1e-9) << row.cells[0];
    EXPECT_EQ(rows[0].page, 1);
    EXPECT_EQ(rows.back().page, run.printer.Sheets());
}

TEST(Report, UnreadableDatabaseIsLoggedAndDrawsNothing) {
    test::TempDir dir;
    std::ofstream(dir / "bad.pdb") << "not a database";
    for (const auto& path : {dir / "bad.pdb", dir / "missing.pdb"}) {
        ReportRun run(path, kReportReadings);
        EXPECT_FALSE(run.ok);
        EXPECT_EQ(run.frontend.log, std::vector<std::string>{"Error: Could not read ZAV file"});
        EXPECT_EQ(run.printer.documentsStarted, 0);
    }
}

}  // namespace
}  // namespace zav
