// The reports after a successful reading conversion: the report window (frmReports) until the user
// continues or closes it; a preview button previews that report and shows the window again; Continue
// prints the ticked reports in the order exception, reading, orphan, missed. Without a printer it says so
// and offers PDF files instead.
#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "reports/surface.h"

class QWidget;

namespace zav {

class frmPreview;

class ReadingReports {
  public:
    // `readings`: the readings database; `folder`: where PDF files are offered first.
    ReadingReports(QWidget* parent, std::filesystem::path readings, std::filesystem::path folder);

    void Run();
    // One report previewed; false when it could not be produced.
    bool Preview(int kind);
    // The reports of `choice` printed (or written as PDF files without a printer).
    void Print(int choice);

    // What the user and the system answer; the defaults are the windows and the printer.
    std::function<std::int16_t()> ChooseReports;
    std::function<bool()> HasPrinter;
    // The PDF file for a report of `title`; "" when cancelled.
    std::function<std::string(const std::string& title)> ChoosePdfFile;
    std::function<std::unique_ptr<Surface>()> MakePrinter;
    // Called with the preview window before the preview starts (tests drive it from here).
    std::function<void(frmPreview&)> PreviewOpened;

  private:
    std::unique_ptr<Surface> PdfFor(const std::string& title);

    QWidget* parent_;
    std::filesystem::path readings_;
    std::filesystem::path folder_;
};

}  // namespace zav
