// The report engine on a recording surface: bands and page breaks, positions, placeholders and style
// tags, wrapping, the page-select range and the preview loop, the status window and drawing errors.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "core/clock.h"
#include "core/errors.h"
#include "reports/recording_surface.h"
#include "reports/rpt_engine.h"
#include "reports/rpt_text.h"
#include "support/fake_frontend.h"

namespace zav {
namespace {

// A band handler scripted by the test: it records every event and answers with a callback.
struct ScriptedBands : ReportBands {
    std::vector<int> events;
    std::function<void(int, double&)> onEvent;
    void PrintEvent(int eventId, int, double& sectionHeight) override {
        events.push_back(eventId);
        if (onEvent) onEvent(eventId, sectionHeight);
    }
};

// A report of `rows` detail rows, each one text line, with a page header "HEAD %p" and footer "FOOT %p".
struct RowsReport {
    ScriptedBands bands;
    RptEngine engine{bands};
    RecordingSurface surface;
    int rows;
    int next = 0;
    std::vector<double> detailTops;  // CurrentYPos at each detail row, with its page

    explicit RowsReport(int rowCount) : rows(rowCount) {
        engine.PageSetup(11, 8.5, 0.25, 0.5, 0.2, 0.75, 7.25);
        engine.BaseFontName = "Courier New";
        engine.BaseFontSize = 8;
        engine.OutputDevice = &surface;
        bands.onEvent = [this](int id, double& height) {
            switch (id) {
                case kEventReportStart:
                    next = 0;
                    break;
                case kEventPageHeader:
                    height = engine.PrintElements({engine.MakeElement(0, 0, std::string("HEAD %p"))}, false);
                    break;
                case kEventPageFooter:
                    engine.PrintElements({engine.MakeElement(0.25, 7.75, std::string("FOOT %p"))}, true);
                    break;
                case kEventDetail:
                    if (next == rows) {
                        height = -1;
                        break;
                    }
                    detailTops.push_back(engine.CurrentYPos());
                    height = engine.PrintElements({engine.MakeElement(0, 0, "row " + std::to_string(++next))}, false);
                    break;
                default:
                    break;
            }
        };
    }
};

TEST(RptEngine, BandsRunInOrderAndADetailAtTheThresholdStartsANewPage) {
    // Lines are 8 * 1.2 / 72 = 0.1333 inch: the header leaves row 1 at 0.3333 and 52 rows fill the page
    // to 7.2667 >= 7.25, so row 53 starts page 2.
    RowsReport report(53);
    ASSERT_TRUE(report.engine.PrintReport(0, 0, -1));
    const std::vector<int> expectedStart = {kEventReportStart, kEventPageHeader, kEventReportHeader, kEventDetail};
    ASSERT_GE(report.bands.events.size(), 4u);
    EXPECT_EQ(std::vector<int>(report.bands.events.begin(), report.bands.events.begin() + 4), expectedStart);
    // Before the 53rd detail band: footer of page 1, header of page 2.
    const auto& e = report.bands.events;
    const auto footer = std::find(e.begin(), e.end(), kEventPageFooter);
    ASSERT_NE(footer, e.end());
    EXPECT_EQ(std::count(e.begin(), footer, kEventDetail), 52);  // the overflow test runs before the 53rd
    EXPECT_EQ(*(footer + 1), kEventPageHeader);
    EXPECT_EQ(*(footer + 2), kEventDetail);

    const double lh = 8 * 1.2 / 72;
    ASSERT_EQ(report.detailTops.size(), 53u);
    EXPECT_NEAR(report.detailTops[51], 0.2 + lh * 52, 1e-9);  // row 52, still on page 1
    EXPECT_NEAR(report.detailTops[52], 0.2 + lh, 1e-9);       // row 53, below page 2's header
    const DrawnItem* row53 = report.surface.FindText("row 53");
    ASSERT_NE(row53, nullptr);
    EXPECT_EQ(row53->page, 2);
    EXPECT_NEAR(row53->y, 0.2 + lh, 1e-9);
    EXPECT_NE(report.surface.FindText("FOOT 1", 1), nullptr);
    EXPECT_NE(report.surface.FindText("HEAD 2", 2), nullptr);
    EXPECT_NE(report.surface.FindText("FOOT 2", 2), nullptr);
    EXPECT_EQ(report.surface.Sheets(), 2);
    EXPECT_EQ(report.surface.documentsStarted, 1);
    EXPECT_EQ(report.surface.documentsEnded, 1);
    EXPECT_EQ(report.engine.RowsProcessed(), 53);
}

TEST(RptEngine, PageSelectRangeDrawsOnlyThatPageAndCountsThemAll) {
    RowsReport report(120);  // three pages
    RecordingSurface picture(true);
    report.engine.OutputDevice = &picture;
    ASSERT_TRUE(report.engine.PrintReportOn(picture, 3, 3, -1));
    for (const DrawnItem& item : picture.Items()) EXPECT_EQ(item.page, 1) << item.text;  // no sheets on a picture
    EXPECT_EQ(picture.Texts(0).front(), "HEAD 3");
    EXPECT_NE(picture.FindText("FOOT 3"), nullptr);
    EXPECT_EQ(picture.FindText("FOOT 2"), nullptr);
    EXPECT_EQ(picture.FindText("row 1"), nullptr);
}

// Elements of one band drawn at the start of a fresh engine (relative mode, CurrentYPos = MarginTop).
struct OneBand {
    ScriptedBands bands;
    RptEngine engine{bands};
    RecordingSurface surface;
    PrintElements elements;
    bool pageMode = false;
    explicit OneBand(PrintElements els, bool page = false) : elements(std::move(els)), pageMode(page) {
        engine.OutputDevice = &surface;
        engine.Title = "Daily Readings";
        engine.Company = "Water Works";
        engine.SubTitle = "";
        int detail = 0;
        bands.onEvent = [this, detail](int id, double& height) mutable {
            if (id == kEventDetail) {
                if (detail++ == 1) {
                    height = -1;
                    return;
                }
                height = engine.PrintElements(elements, pageMode);
            }
        };
    }
    void Run() { ASSERT_TRUE(engine.PrintReport(0, 0, -1)); }
};

TEST(RptEngine, PositionsAlignmentAndSameLineElements) {
    clsPrintElement sameLine = MakeElement(2, -1, std::string("same line"));
    clsPrintElement continued = MakeElement(-1, -1, std::string("+more"));
    OneBand band({MakeElement(0, 0, std::string("left")), MakeElement(3, 0, std::string("right"), kAlignRight),
                  MakeElement(5, 0, std::string("centre"), kAlignCenter), sameLine, continued,
                  MakeElement(0, 1, std::string("lower")), MakeLine(0, 2, 4, 0)});
    band.Run();
    const double cw = 10 * 0.6 / 72;  // a character at the base font's 10 points
    const DrawnItem* left = band.surface.FindText("left");
    ASSERT_NE(left, nullptr);
    EXPECT_NEAR(left->x, 0.5, 1e-9);  // X from the left margin
    EXPECT_NEAR(left->y, 0.5, 1e-9);  // Y from the band's top
    EXPECT_NEAR(band.surface.FindText("right")->x, 3.5 - 5 * cw, 1e-9);
    EXPECT_NEAR(band.surface.FindText("centre")->x, 5.5 - 3 * cw, 1e-9);
    EXPECT_NEAR(band.surface.FindText("same line")->y, 0.5, 1e-9);       // Y -1: the line of the element before
    EXPECT_NEAR(band.surface.FindText("+more")->x, 2.5 + 9 * cw, 1e-9);  // X -1: where the text before ended
    EXPECT_NEAR(band.surface.FindText("lower")->y, 1.5, 1e-9);
    const auto& items = band.surface.Items();
    const auto line =
        std::find_if(items.begin(), items.end(), [](const DrawnItem& i) { return i.kind == DrawnItem::Line; });
    ASSERT_NE(line, items.end());
    EXPECT_NEAR(line->x, 0.5, 1e-9);
    EXPECT_NEAR(line->y, 2.5, 1e-9);
    EXPECT_NEAR(line->x2, 4.5, 1e-9);
}

TEST(RptEngine, PlaceholdersAndStyleTagsApplyToTheReportsOwnTexts) {
    ScopedFixedClock clock(0);
    const std::string today = ShortDate(0);
    OneBand band({MakeElement(0, 0, std::string("%t for %c on %d%s, page %p")),
                  MakeElement(0, 1, std::string("plain <b>bold</b> plain <i>italic<u>under</u>")),
                  MakeElement(0, 2, std::string("x"))});
    band.Run();
    EXPECT_NE(band.surface.FindText("Daily Readings for Water Works on " + today + ", page 1"), nullptr);
    const DrawnItem* plain = band.surface.FindText("plain ");
    const DrawnItem* bold = band.surface.FindText("bold");
    const DrawnItem* after = band.surface.FindText(" plain ");
    const DrawnItem* italic = band.surface.FindText("italic");
    const DrawnItem* under = band.surface.FindText("under");
    ASSERT_TRUE(plain && bold && after && italic && under);
    EXPECT_FALSE(plain->font.bold);
    EXPECT_TRUE(bold->font.bold);
    EXPECT_FALSE(after->font.bold);
    EXPECT_TRUE(italic->font.italic);
    EXPECT_TRUE(under->font.italic && under->font.underline);
    // A tag's text continues where the text before it ended, on the same line.
    EXPECT_NEAR(bold->x, plain->x + 6 * 10 * 0.6 / 72, 1e-9);
    EXPECT_NEAR(bold->y, plain->y, 1e-9);
}

TEST(RptEngine, DataValuesPrintExactlyAsStored) {
    clsPrintElement name = MakeElement(0, 0, std::string("SMITH <BOB>"));
    clsPrintElement address = MakeElement(0, 1, std::string("12 %d ST <b>"));
    clsPrintElement twoLines = MakeElement(0, 2, std::string("%p <i>one\r\n</i>two"));
    name.Literal = address.Literal = twoLines.Literal = true;
    OneBand band({name, address, twoLines});
    band.Run();
    EXPECT_EQ(band.surface.Texts(0), (std::vector<std::string>{"SMITH <BOB>", "12 %d ST <b>", "%p <i>one", "</i>two"}));
    for (const DrawnItem& item : band.surface.Items()) EXPECT_FALSE(item.font.bold || item.font.italic) << item.text;
}

TEST(RptEngine, LinesOfATextStackAndTheBandIsAsHighAsItsTallestElement) {
    ScriptedBands bands;
    RptEngine engine(bands);
    RecordingSurface surface;
    engine.OutputDevice = &surface;
    std::vector<double> heights;
    int detail = 0;
    bands.onEvent = [&](int id, double& height) {
        if (id != kEventDetail) return;
        if (detail++ == 1) {
            height = -1;
            return;
        }
        height = engine.PrintElements(
            {MakeElement(0, 0, std::string("a\r\nb\r\nc")), MakeElement(2, 0, std::string("d"))}, false);
        heights.push_back(height);
    };
    ASSERT_TRUE(engine.PrintReport(0, 0, -1));
    const double lh = 10 * 1.2 / 72;
    ASSERT_EQ(heights.size(), 1u);
    EXPECT_NEAR(heights[0], 3 * lh, 1e-9);
    EXPECT_NEAR(surface.FindText("c")->y - surface.FindText("a")->y, 2 * lh, 1e-9);
    EXPECT_NEAR(surface.FindText("b")->x, surface.FindText("a")->x, 1e-9);
}

TEST(WraptoWidth, BreaksAfterBlanksAndCommasOrAtTheWidestPrefix) {
    const TextMeasure chars = [](const std::string& s) { return static_cast<double>(s.size()); };
    struct Case {
        const char* text;
        double width;
        const char* wrapped;
    } cases[] = {
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 10, "ABCDEFGHIJ\r\nKLMNOPQRST\r\nUVWXYZ"},  // no blank: the widest prefix
        {"  12 OAK STREET NORTH  ", 10, "12 OAK \r\nSTREET \r\nNORTH"},            // the line keeps its blank
        {"SMITH,JOHN ANDREW", 8, "SMITH,\r\nJOHN \r\nANDREW"},
        {"LOW\r\nNO ACCESS TODAY", 10, "LOW\r\nNO ACCESS \r\nTODAY"},  // the text's own break stays
        {"A\r\n\r\nB", 9, "A\r\n\r\nB"},                               // an empty line stays
        {"WIDE", 0.5, "W\r\nI\r\nD\r\nE"},                             // nothing is lost
        {"", 5, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(WraptoWidth(c.text, c.width, chars), c.wrapped) << c.text;
}

// A preview window that answers from a script and records the captions and what the page showed.
struct ScriptedPreview : PreviewWindow {
    RecordingSurface picture{true};
    std::deque<std::string> commands;
    std::vector<std::string> captions;
    std::vector<std::vector<std::string>> pages;
    double width = 0, length = 0;
    Surface& PagePicture() override { return picture; }
    void SetPageSize(double w, double l) override {
        width = w;
        length = l;
    }
    std::string Display(const std::string& caption) override {
        captions.push_back(caption);
        pages.push_back(picture.Texts(0));
        if (commands.empty()) return kPreviewClose;
        std::string c = commands.front();
        commands.pop_front();
        return c;
    }
};

TEST(RptEngine, PreviewOfAOnePageReport) {
    RowsReport report(3);
    report.engine.Title = "Reading Report";
    ScriptedPreview preview;
    preview.commands = {kPreviewNext, kPreviewPrev, kPreviewLast, kPreviewClose};
    report.engine.Preview = &preview;
    EXPECT_TRUE(report.engine.PreviewReport());
    EXPECT_EQ(preview.captions, std::vector<std::string>(4, "Reading Report Page 1 of 1"));
    for (const auto& page : preview.pages)
        EXPECT_EQ(page, (std::vector<std::string>{"HEAD 1", "row 1", "row 2", "row 3", "FOOT 1"}));
    EXPECT_EQ(preview.width, 11);
    EXPECT_EQ(preview.length, 8.5);
    EXPECT_EQ(report.surface.documentsStarted, 0);  // nothing printed
}

TEST(RptEngine, PreviewWalksThePagesAndPrintsOrSavesTheWholeReport) {
    RowsReport report(120);
    report.engine.Title = "T";
    ScriptedPreview preview;
    RecordingSurface pdf;
    int pdfAsked = 0;
    report.engine.SaveAsPdf = [&]() -> std::unique_ptr<Surface> {
        ++pdfAsked;
        struct Borrowed : RecordingSurface {
            RecordingSurface& target;
            explicit Borrowed(RecordingSurface& t) : target(t) {}
            void DrawText(double x, double y, const std::string& s) override { target.DrawText(x, y, s); }
        };
        return std::make_unique<Borrowed>(pdf);
    };
    preview.commands = {kPreviewNext, kPreviewNext, kPreviewNext, kPreviewFirst,
                        kPreviewLast, kPreviewPdf,  kPreviewPrint};
    report.engine.Preview = &preview;
    EXPECT_TRUE(report.engine.PreviewReport());
    EXPECT_EQ(preview.captions,
              (std::vector<std::string>{"T Page 1 of 3", "T Page 2 of 3", "T Page 3 of 3", "T Page 3 of 3",
                                        "T Page 1 of 3", "T Page 3 of 3", "T Page 3 of 3"}));
    EXPECT_EQ(preview.pages[1].front(), "HEAD 2");
    EXPECT_EQ(pdfAsked, 1);
    EXPECT_NE(pdf.FindText("row 120"), nullptr);
    EXPECT_NE(pdf.FindText("row 1"), nullptr);
    EXPECT_EQ(report.surface.documentsStarted, 1);  // PRINT: the whole report on the printer
    EXPECT_EQ(report.surface.Sheets(), 3);
}

// A status window that records what it shows and presses Cancel at a given text.
struct ScriptedStatus : StatusWindow {
    std::vector<std::string> texts;
    std::string cancelAt;
    bool Status(const std::string& text) override {
        texts.push_back(text);
        return !cancelAt.empty() && text.find(cancelAt) != std::string::npos;
    }
};

TEST(RptEngine, StatusWindowShowsPagesAndRowsAndCancelStopsDrawing) {
    RowsReport report(120);
    report.engine.Title = "Reading Report";
    ScriptedStatus status;
    report.engine.Status = &status;
    ASSERT_TRUE(report.engine.PrintReport(0, 0, -1));
    ASSERT_GE(status.texts.size(), 4u);
    EXPECT_EQ(status.texts[0], "Reading Report\r\nRetrieving data");
    EXPECT_EQ(status.texts[1], "Reading Report\r\nFormatting page 2\r\nRows processed: 52");
    EXPECT_EQ(status.texts.back(), "");

    status.texts.clear();
    report.surface.documentsEnded = 0;
    status.cancelAt = "Formatting page 2";
    EXPECT_FALSE(report.engine.PrintReport(0, 0, -1));
    EXPECT_TRUE(report.engine.Cancelled());
    EXPECT_NE(report.surface.FindText("row 52"), nullptr);
    EXPECT_EQ(report.surface.FindText("row 53"), nullptr);  // nothing drawn after Cancel
    EXPECT_EQ(report.next, 120);                            // the bands still ran to the end of the data
    EXPECT_EQ(report.surface.documentsEnded, 0);
}

TEST(RptEngine, ADrawingErrorIsShownRaisesEvent9AndCancelsTheRest) {
    struct FailingSurface : RecordingSurface {
        void DrawText(double x, double y, const std::string& text) override {
            if (text == "row 2") throw RuntimeError(kErrDeviceIO);
            RecordingSurface::DrawText(x, y, text);
        }
    };
    RowsReport report(5);
    FailingSurface failing;
    report.engine.OutputDevice = &failing;
    test::FakeFrontend frontend;
    ScopedFrontend scoped(frontend);
    EXPECT_FALSE(report.engine.PrintReport(0, 0, -1));
    EXPECT_EQ(frontend.calls, (std::vector<std::string>{"ShowMessage(Error|Device I/O error)"}));
    EXPECT_NE(std::find(report.bands.events.begin(), report.bands.events.end(), kEventError),
              report.bands.events.end());
    EXPECT_EQ(failing.FindText("row 3"), nullptr);
}

TEST(RptEngine, OverflowThresholdFollowsPageLengthAndBottomMargin) {
    ScriptedBands bands;
    RptEngine engine(bands);
    EXPECT_DOUBLE_EQ(engine.OverFlowThreshold(), 10.5);
    engine.SetPageLength(8.5);
    EXPECT_DOUBLE_EQ(engine.OverFlowThreshold(), 8.0);
    engine.SetMarginBottom(0.75);
    EXPECT_DOUBLE_EQ(engine.OverFlowThreshold(), 7.75);
    engine.PageSetup(11, 8.5, 0.25, 0.5, 0.2, 0.75, 7.25);
    EXPECT_DOUBLE_EQ(engine.OverFlowThreshold(), 7.25);
    EXPECT_DOUBLE_EQ(engine.PrintWidth(), 10.25);
}

}  // namespace
}  // namespace zav
