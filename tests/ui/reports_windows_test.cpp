// The reports' windows: frmReports (choice, remembered per user), the status window, the preview window
// (caption, commands, scrolling) and the reports after a reading conversion, printed or as PDF files
// without a printer.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <cstdlib>
#include <deque>

#include "core/file_io.h"
#include "core/identity.h"
#include "reports/report_rows.h"
#include "support/fake_frontend.h"
#include "support/readings_builder.h"
#include "support/temp_dir.h"
#include "ui/dialog_status.h"
#include "ui/frm_preview.h"
#include "ui/frm_reports.h"
#include "ui/reading_reports.h"
#include "ui_support.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

void StoreChoice(const QString& value) { QSettings(kCompanyName, kAppTitle).setValue("Reports/Options", value); }
QString StoredChoice() { return QSettings(kCompanyName, kAppTitle).value("Reports/Options").toString(); }

// Saves `widget` as a PNG in $ZAV_SCREENSHOTS (when set), for looking at the windows.
void Screenshot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("ZAV_SCREENSHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    widget.grab().save(folder + "/" + name + ".png");
}

TEST(FrmReports, CaptionsAndTheRememberedChoice) {
    StoreChoice("20");  // reading + missed
    frmReports window;
    int shown = 0;
    test::WhenModal<frmReports>([&](frmReports* w) {
        ++shown;
        EXPECT_EQ(w->windowTitle(), "Reports");
        EXPECT_NE(w->findChild<QLabel*>("lblSelect"), nullptr);
        EXPECT_EQ(w->findChild<QLabel*>("lblSelect")->text(), "Select reports to print.  (Click name to preview)");
        EXPECT_FALSE(w->CheckBox(kReportExceptions)->isChecked());
        EXPECT_TRUE(w->CheckBox(kReportReadings)->isChecked());
        EXPECT_FALSE(w->CheckBox(kReportOrphans)->isChecked());
        EXPECT_TRUE(w->CheckBox(kReportMissed)->isChecked());
        EXPECT_EQ(w->PreviewButton(kReportExceptions)->text(), "Exceptions");
        EXPECT_EQ(w->PreviewButton(kReportReadings)->text(), "Readings");
        EXPECT_EQ(w->PreviewButton(kReportOrphans)->text(), "Orphans");
        EXPECT_EQ(w->PreviewButton(kReportMissed)->text(), "Missed");
        EXPECT_EQ(w->ContinueButton()->text(), "Conti&nue");
        EXPECT_EQ(w->CloseButton()->text(), "&Close");
        EXPECT_EQ(w->CheckBox(kReportOrphans)->accessibleName(), "Print Orphan Report");
        // Tab order: each report's box, then its preview button, then Continue and Close.
        EXPECT_EQ(w->CheckBox(kReportExceptions)->nextInFocusChain(), w->PreviewButton(kReportExceptions));
        EXPECT_EQ(w->PreviewButton(kReportExceptions)->nextInFocusChain(), w->CheckBox(kReportReadings));
        EXPECT_EQ(w->PreviewButton(kReportMissed)->nextInFocusChain(), w->ContinueButton());
        Screenshot(*w, "frmReports");
        w->CheckBox(kReportMissed)->setChecked(false);
        w->CheckBox(kReportExceptions)->setChecked(true);
        w->ContinueButton()->click();
    });
    EXPECT_EQ(window.Display(), kReportExceptions + kReportReadings);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(StoredChoice(), "6");

    test::WhenModal<frmReports>([](frmReports* w) { w->PreviewButton(kReportOrphans)->click(); });
    EXPECT_EQ(window.Display(), kReportOrphans + kReportPreview);
    test::WhenModal<frmReports>([](frmReports* w) {
        w->CheckBox(kReportOrphans)->setChecked(true);
        w->CloseButton()->click();
    });
    EXPECT_EQ(window.Display(), 0);
    EXPECT_EQ(StoredChoice(), "6");  // Close keeps the remembered choice
}

TEST(StatusDialog, ShowsTheTextAndCancelsOnce) {
    Dialog status;
    EXPECT_FALSE(status.Status("Reading Report\r\nFormatting page 2\r\nRows processed: 52"));
    EXPECT_TRUE(status.isVisible());
    EXPECT_EQ(status.Label()->text(), "Reading Report\nFormatting page 2\nRows processed: 52");
    EXPECT_EQ(status.CancelButton()->text(), "&Cancel...");
    Screenshot(status, "Dialog");
    status.CancelButton()->click();
    EXPECT_FALSE(status.CancelButton()->isEnabled());
    EXPECT_EQ(status.Label()->text(), "Cancelling...");
    EXPECT_TRUE(status.Status("Reading Report\r\nFormatting page 3\r\nRows processed: 104"));
    EXPECT_EQ(status.Label()->text(), "Cancelling...");
    EXPECT_FALSE(status.Status(""));
    EXPECT_FALSE(status.isVisible());
    EXPECT_TRUE(status.CancelButton()->isEnabled());
    EXPECT_FALSE(status.Status("next run"));
}

class ReportsFlowTest : public testing::Test {
  protected:
    test::TempDir dir;
    fs::path readings = dir / "ReadingZAV.pdb";
    test::FakeFrontend frontend;
    ScopedFrontend scoped{frontend};

    void SetUp() override {
        test::ReadingsBuilder b;
        b.Header(1, {{"ResponseText", std::string("UNIT07")}}).Route(1, "0412");
        for (int i = 0; i < 3; ++i)
            b.Meter(1, {{"MeterTagNbr", 5001 + i},
                        {"CurReading", 1234},
                        {"Status", std::int16_t{1}},
                        {"ReadType", std::int16_t{1}},
                        {"ReadingDate", 20240109},
                        {"ReadingTime", 93015},
                        {"BillingName", std::string("SMITH, ANN")},
                        {"ServiceAddress", std::string("12 OAK ST")},
                        {"ServiceUniqueID", std::string("100-200")},
                        {"MeterSerialNbr", std::string("X9")},
                        {"ResponseText", std::string(i == 1 ? "DOG; GATE" : "")}});
        b.Write(readings);
    }
};

TEST_F(ReportsFlowTest, PreviewOfAOnePageReportThenPrintingWithoutAPrinterOffersPdfFiles) {
    ReadingReports flow(nullptr, readings, dir.Path());
    std::deque<std::int16_t> choices = {kReportReadings + kReportPreview,
                                        kReportMissed + kReportReadings + kReportExceptions};
    flow.ChooseReports = [&] {
        const std::int16_t c = choices.front();
        choices.pop_front();
        return c;
    };
    flow.HasPrinter = [] { return false; };
    std::vector<std::string> asked;
    flow.ChoosePdfFile = [&](const std::string& title) {
        asked.push_back(title);
        return title == "Missed Report" ? std::string() : (dir / (title + ".pdf")).string();
    };
    std::vector<std::string> captions;
    flow.PreviewOpened = [&](frmPreview& preview) {
        // Each step waits for the window to show a page (enabled), then acts.
        auto steps = std::make_shared<std::deque<std::function<void()>>>();
        steps->push_back([&] {
            captions.push_back(preview.windowTitle().toStdString());
            EXPECT_EQ(preview.ToolBar()->actions().size(), 8);  // seven buttons and a separator
            EXPECT_EQ(preview.Action(kPreviewPdf)->text(), "Save as PDF");
            EXPECT_EQ(preview.Action(kPreviewPrint)->text(), "Print");
            EXPECT_FALSE(preview.Picture()->pixmap().isNull());
            EXPECT_EQ(preview.Picture()->pixmap().size(), QSize(1056, 816));  // 11 x 8.5 inches at 96 dpi
            preview.resize(900, 600);
            QApplication::processEvents();
            EXPECT_TRUE(preview.VScroll()->isVisible());
            EXPECT_EQ(preview.VScroll()->maximum(), (816 - preview.Frame()->height()) * 100);
            QTest::keyClick(&preview, Qt::Key_Down);
            EXPECT_EQ(preview.VScroll()->value(), preview.VScroll()->singleStep());
            QTest::keyClick(&preview, Qt::Key_Down, Qt::ControlModifier);
            EXPECT_EQ(preview.VScroll()->value(), preview.VScroll()->maximum());
            EXPECT_EQ(preview.Picture()->y(), -preview.VScroll()->maximum() / 100);
            QTest::keyClick(&preview, Qt::Key_Up, Qt::ControlModifier);
            EXPECT_EQ(preview.VScroll()->value(), 0);
            QTest::keyClick(&preview, Qt::Key_Right, Qt::ShiftModifier);
            EXPECT_EQ(preview.HScroll()->value(),
                      std::min(preview.HScroll()->pageStep(), preview.HScroll()->maximum()));
            preview.HScroll()->setValue(0);
            // Dragging the page up and left by (40, 60) pixels scrolls it by as much: it follows the mouse.
            auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
                QMouseEvent event(type, QPointF(at), preview.Picture()->mapToGlobal(QPointF(at)), Qt::LeftButton,
                                  buttons, Qt::NoModifier);
                QApplication::sendEvent(preview.Picture(), &event);
            };
            send(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton);
            send(QEvent::MouseMove, {60, 40}, Qt::LeftButton);
            send(QEvent::MouseButtonRelease, {60, 40}, Qt::NoButton);
            EXPECT_EQ(preview.HScroll()->value(), 4000);
            EXPECT_EQ(preview.VScroll()->value(), 6000);
            preview.VScroll()->setValue(0);
            preview.HScroll()->setValue(0);
            preview.resize(1120, 960);  // the whole page fits: no scroll bars
            QApplication::processEvents();
            EXPECT_FALSE(preview.VScroll()->isVisible());
            EXPECT_FALSE(preview.HScroll()->isVisible());
            Screenshot(preview, "frmPreview");
            preview.Action(kPreviewNext)->trigger();
        });
        steps->push_back([&] {
            captions.push_back(preview.windowTitle().toStdString());
            preview.Action(kPreviewPrev)->trigger();
        });
        steps->push_back([&] {
            captions.push_back(preview.windowTitle().toStdString());
            preview.Action(kPreviewClose)->trigger();
        });
        auto poll = std::make_shared<std::function<void()>>();
        *poll = [&preview, steps, poll] {
            if (steps->empty()) return;
            if (preview.isVisible() && preview.isEnabled()) {
                auto step = steps->front();
                steps->pop_front();
                step();
            }
            QTimer::singleShot(10, *poll);
        };
        QTimer::singleShot(10, *poll);
    };
    frontend.yesNoAnswers = {true};
    flow.Run();
    EXPECT_EQ(captions, std::vector<std::string>(3, "Reading Report Page 1 of 1"));
    EXPECT_EQ(frontend.calls,
              (std::vector<std::string>{
                  "AskYesNo(Reports|No printer is set up.\r\nSave the reports as PDF files instead?)"}));
    // Printed in the order exception, reading, missed; the missed report's file was not chosen.
    EXPECT_EQ(asked, (std::vector<std::string>{"Exception Report", "Reading Report", "Missed Report"}));
    EXPECT_EQ(ReadFileBytes(dir / "Exception Report.pdf").substr(0, 5), "%PDF-");
    EXPECT_EQ(ReadFileBytes(dir / "Reading Report.pdf").substr(0, 5), "%PDF-");
    EXPECT_TRUE(choices.empty());
}

TEST_F(ReportsFlowTest, NoPrinterAndNoPdfWritesNothingButSaysSo) {
    ReadingReports flow(nullptr, readings, dir.Path());
    flow.ChooseReports = [] { return std::int16_t{kReportReadings}; };
    flow.HasPrinter = [] { return false; };
    int asked = 0;
    flow.ChoosePdfFile = [&](const std::string&) {
        ++asked;
        return std::string();
    };
    frontend.yesNoAnswers = {false};
    flow.Run();
    EXPECT_EQ(frontend.calls.size(), 1u);
    EXPECT_EQ(asked, 0);
}

TEST_F(ReportsFlowTest, PreviewPrintWithoutAPrinterOffersThePdf) {
    ReadingReports flow(nullptr, readings, dir.Path());
    flow.HasPrinter = [] { return false; };
    std::string written;
    flow.ChoosePdfFile = [&](const std::string& title) { return written = (dir / (title + ".pdf")).string(); };
    flow.PreviewOpened = [&](frmPreview& preview) {
        auto poll = std::make_shared<std::function<void()>>();
        auto printed = std::make_shared<bool>(false);
        *poll = [&preview, poll, printed] {
            if (preview.isVisible() && preview.isEnabled()) {
                preview.Action(*printed ? kPreviewClose : kPreviewPrint)->trigger();
                if (*printed) return;
                *printed = true;
            }
            QTimer::singleShot(10, *poll);
        };
        QTimer::singleShot(10, *poll);
    };
    frontend.yesNoAnswers = {true};
    EXPECT_TRUE(flow.Preview(kReportExceptions));
    EXPECT_EQ(
        frontend.calls,
        (std::vector<std::string>{"AskYesNo(Print|No printer is set up.\r\nSave the report as a PDF file instead?)"}));
    EXPECT_EQ(written, (dir / "Exception Report.pdf").string());
    EXPECT_EQ(ReadFileBytes(dir / "Exception Report.pdf").substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace zav
