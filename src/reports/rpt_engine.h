// RptEngine: a small banded report writer. It owns the page geometry, the fonts and the vertical position
// and drives a report by raising PrintEvent for each band (report start, page header, each detail row,
// page footer, end); the handler answers with print elements, which PrintElements draws on the output
// surface. The engine starts new pages on its own (a band at or past the overflow threshold first gets the
// page footer, a new page and the page header), draws single pages for the preview window (every page is
// laid out and measured, only the selected ones are drawn), prints whole reports and shows its progress in
// a status window with a Cancel button. All lengths are inches.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "reports/barcode.h"
#include "reports/print_element.h"
#include "reports/surface.h"

namespace zav {

// Band events.
enum PrintEventId : int {
    kEventReportStart = 0,
    kEventReportHeader = 1,
    kEventPageHeader = 2,
    kEventDetail = 4,
    kEventPageFooter = 6,
    kEventReportFooter = 7,
    kEventReportEnd = 8,
    kEventError = 9,
};

// The handler of the band events: it sets `sectionHeight` to the height its band used; a detail band sets
// it below 0 when there is no more data.
class ReportBands {
  public:
    virtual ~ReportBands() = default;
    virtual void PrintEvent(int eventId, int level, double& sectionHeight) = 0;
};

// The status window: shows `text` (an empty text closes it) and answers whether Cancel was pressed.
class StatusWindow {
  public:
    virtual ~StatusWindow() = default;
    virtual bool Status(const std::string& text) = 0;
};

// Commands of the preview window.
inline constexpr const char* kPreviewFirst = "FIRST";
inline constexpr const char* kPreviewPrev = "PREV";
inline constexpr const char* kPreviewNext = "NEXT";
inline constexpr const char* kPreviewLast = "LAST";
inline constexpr const char* kPreviewPrint = "PRINT";
inline constexpr const char* kPreviewPdf = "PDF";
inline constexpr const char* kPreviewClose = "CLOSE";

// The preview window: its page picture, the page size the picture shows, and Display, which shows the
// window with `caption` until the user chooses a command.
class PreviewWindow {
  public:
    virtual ~PreviewWindow() = default;
    virtual Surface& PagePicture() = 0;
    virtual void SetPageSize(double width, double length) = 0;
    virtual std::string Display(const std::string& caption) = 0;
};

class RptEngine {
  public:
    explicit RptEngine(ReportBands& bands);
    ~RptEngine();

    // Page set-up (inches).
    void PageSetup(double pageWidth, double pageHeight, double marginLeft, double marginRight, double marginTop,
                   double marginBottom, double overFlowThreshold);
    double PageWidth = 8.5;
    double MarginTop = 0.5;
    double MarginLeft = 0.5;
    double MarginRight = 0.5;
    double PageLength() const { return pageLength_; }
    double MarginBottom() const { return marginBottom_; }
    double OverFlowThreshold() const { return overFlowThreshold_; }
    // Each recomputes the overflow threshold as PageLength - MarginBottom.
    void SetPageLength(double value);
    void SetMarginBottom(double value);
    // PageWidth - MarginLeft - MarginRight.
    double PrintWidth() const { return PageWidth - MarginLeft - MarginRight; }
    // The output surface's text height of "X" in its current font.
    double LineHeight();

    std::string BaseFontName = "Arial";
    std::int16_t BaseFontSize = 10;
    std::int32_t BaseFontStyle = kStylePlain;
    std::string Company = "{Replace with Company Name}";
    std::string Title = "{Replace with Report Title}";
    std::string ReportName = "Replace w/Report Name}";
    std::string SubTitle = "{Replace with Report Subtitle}";

    // The printer (or another printer-like surface such as a PDF file) that PrintReport draws on.
    Surface* OutputDevice = nullptr;
    // The status window; none: no progress is shown and the run cannot be cancelled.
    StatusWindow* Status = nullptr;
    // The preview window of PreviewReport.
    PreviewWindow* Preview = nullptr;
    // The preview's "Save as PDF": a PDF surface for a file the user chose, or none when cancelled.
    std::function<std::unique_ptr<Surface>()> SaveAsPdf;

    long PageNo() const { return pageNo_; }
    double CurrentYPos() const { return currentYPos_; }
    bool Cancelled() const { return cancel_; }
    // Detail rows drawn in this run (the status window's "Rows processed: ").
    long RowsProcessed() const { return rows_; }

    clsPrintElement MakeElement(double x, double y, const Value& value, std::int32_t align = kAlignLeft,
                                std::int32_t fontStyle = 0, const std::string& source = {}, std::int16_t fontSize = 0,
                                double printWidth = 0, const std::string& formatString = {}) const {
        return zav::MakeElement(x, y, value, align, fontStyle, source, fontSize, printWidth, formatString);
    }
    clsPrintElement MakeLine(double x, double y, double lineWidth, double lineHeight) const {
        return zav::MakeLine(x, y, lineWidth, lineHeight);
    }

    // Draws the elements in order and returns the band height they used (0 in page mode). Relative mode:
    // X from the left margin, Y from the band's top (CurrentYPos); page mode (`relativeToPage`): page
    // coordinates.
    double PrintElements(const PrintElements& elements, bool relativeToPage);
    // Without a height: adds the section height to CurrentYPos and clears it. With one: adds `newHeight` to
    // CurrentYPos, keeps the section height, and tests for overflow.
    void AddSectionHeight();
    void AddSectionHeight(double newHeight);
    // At or past the overflow threshold: a new page; true when one was started.
    bool TestOverflow();
    void NewPage(int level);
    void ThrowEvent(int event, int level);
    // Runs the report, drawing pages `fromPage` to `thruPage` (0: no upper limit); sets `lastPage` to the
    // page count when it is 0. Returns whether the run was cancelled.
    bool Begin(long fromPage, long thruPage, long& lastPage);
    // The whole report (or a page range) on OutputDevice, or on `device`; false when it was cancelled or
    // failed (the failure shown in a message box).
    bool PrintReport(long fromPage, long thruPage, int tray);
    bool PrintReportOn(Surface& device, long fromPage, long thruPage, int tray);
    // The preview loop on the Preview window; false when it ended by a cancelled run.
    bool PreviewReport();
    void UpdateStatus();
    void ClearStatus();

    // The output surface of the run in progress.
    Surface* Output() const { return surface_; }

  private:
    bool PageSkipped() const;
    void ApplyFont(const std::string& name, std::int16_t size, std::int32_t style);
    // Draws one element; relative mode updates `maxHeight`.
    void DrawElement(const clsPrintElement& element, bool relative, double& maxHeight, bool& skipped);
    void DrawText(const clsPrintElement& element, const std::string& text, bool relative, double& maxHeight,
                  bool& skipped);
    void ShowStatus(const std::string& text);

    ReportBands& bands_;
    double pageLength_ = 11;
    double marginBottom_ = 0.5;
    double overFlowThreshold_ = 10.5;
    Surface* surface_ = nullptr;
    bool printer_ = false;  // output mode: the printer (true) or a picture surface
    long pageNo_ = 0;
    double currentYPos_ = 0;
    double sectionHeight_ = 0;
    long fromPage_ = 0;
    long thruPage_ = 0;
    bool cancel_ = false;
    long rows_ = 0;
    double curX_ = 0;  // the surface's current position
    double curY_ = 0;
    double lineY_ = 0;  // where the previous element's line started
    std::unique_ptr<clsDrawBarcode> barcode_;
};

}  // namespace zav
