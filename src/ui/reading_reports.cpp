#include "ui/reading_reports.h"

#include <QFileDialog>

#include "core/frontend.h"
#include "qtsurface/painter_surface.h"
#include "reports/report.h"
#include "ui/dialog_status.h"
#include "ui/frm_preview.h"
#include "ui/frm_reports.h"
#include "ui/printer_surface.h"

namespace zav {

ReadingReports::ReadingReports(QWidget* parent, std::filesystem::path readings, std::filesystem::path folder)
    : parent_(parent), readings_(std::move(readings)), folder_(std::move(folder)) {
    ChooseReports = [this] {
        frmReports window(parent_);
        return window.Display();
    };
    HasPrinter = PrinterAvailable;
    ChoosePdfFile = [this](const std::string& title) {
        const QString start = QString::fromStdString((folder_ / (title + ".pdf")).string());
        return QFileDialog::getSaveFileName(parent_, "Save as PDF", start, "PDF Files (*.pdf)").toStdString();
    };
    MakePrinter = [] { return std::make_unique<PrinterSurface>(); };
}

void ReadingReports::Run() {
    for (;;) {
        const std::int16_t choice = ChooseReports();
        if (choice == 0) return;
        if (choice & kReportPreview) {
            Preview(choice & ~kReportPreview);
            continue;
        }
        Print(choice);
        return;
    }
}

std::unique_ptr<Surface> ReadingReports::PdfFor(const std::string& title) {
    const std::string path = ChoosePdfFile(title);
    if (path.empty()) return nullptr;
    return std::make_unique<PdfSurface>(path);
}

bool ReadingReports::Preview(int kind) {
    const bool printer = HasPrinter();
    std::unique_ptr<Surface> device = printer ? MakePrinter() : nullptr;
    frmPreview preview(parent_);
    preview.printerAvailable = printer;
    Dialog status(&preview);
    clsReport report;
    RptEngine& engine = report.Engine();
    engine.OutputDevice = device.get();
    engine.Preview = &preview;
    engine.Status = &status;
    engine.SaveAsPdf = [this, &engine] { return PdfFor(engine.Title); };
    if (PreviewOpened) PreviewOpened(preview);
    const bool done = report.Begin(true, readings_, kind, "");
    preview.hide();
    return done;
}

void ReadingReports::Print(int choice) {
    const bool printer = HasPrinter();
    if (!printer &&
        !CurrentFrontend().AskYesNo("Reports", "No printer is set up.\r\nSave the reports as PDF files instead?", true))
        return;
    Dialog status(parent_);
    for (const int kind : kReportPrintOrder) {
        if (!(choice & kind)) continue;
        const std::string title = ReportKindTitle(kind);
        std::unique_ptr<Surface> device = printer ? MakePrinter() : PdfFor(title);
        if (!device) continue;
        clsReport report;
        report.Engine().OutputDevice = device.get();
        report.Engine().Status = &status;
        report.Begin(false, readings_, kind, title);
    }
}

}  // namespace zav
