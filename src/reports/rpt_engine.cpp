#include "reports/rpt_engine.h"

#include <algorithm>
#include <exception>

#include "core/clock.h"
#include "core/errors.h"
#include "core/frontend.h"
#include "reports/rpt_text.h"

namespace zav {

namespace {

constexpr const char* kCrLf = "\r\n";
// The element width unit of report barcodes, in device pixels.
constexpr int kBarcodeElementWidth = 14;

// A style flag set on `font`: 1 plain, else 4 italic, else 2 bold; each clears underlining. 0 keeps the
// style as it is.
void ApplyStyle(std::int32_t style, FontSpec& font) {
    if (style & kStylePlain) {
        font.bold = font.italic = font.underline = false;
    } else if (style & kStyleItalic) {
        font.italic = true;
        font.bold = font.underline = false;
    } else if (style & kStyleBold) {
        font.bold = true;
        font.italic = font.underline = false;
    }
}

bool IsTextValue(const Value& value) { return !std::holds_alternative<std::monostate>(value); }

}  // namespace

clsPrintElement MakeElement(double x, double y, const Value& value, std::int32_t align, std::int32_t fontStyle,
                            const std::string& source, std::int16_t fontSize, double printWidth,
                            const std::string& formatString) {
    clsPrintElement e;
    e.X = x;
    e.Y = y;
    e.Value = value;
    e.Align = align;
    e.FontStyle = fontStyle;
    e.Source = source;
    e.FontSize = fontSize;
    e.PrintWidth = printWidth;
    e.FormatString = formatString;
    return e;
}

clsPrintElement MakeLine(double x, double y, double lineWidth, double lineHeight) {
    clsPrintElement e;
    e.X = x;
    e.Y = y;
    e.PrintWidth = lineWidth;
    e.PrintHeight = lineHeight;
    e.FontStyle = kStyleLine;
    return e;
}

RptEngine::RptEngine(ReportBands& bands) : bands_(bands) {}
RptEngine::~RptEngine() = default;

void RptEngine::PageSetup(double pageWidth, double pageHeight, double marginLeft, double marginRight, double marginTop,
                          double marginBottom, double overFlowThreshold) {
    PageWidth = pageWidth;
    pageLength_ = pageHeight;
    MarginLeft = marginLeft;
    MarginRight = marginRight;
    MarginTop = marginTop;
    marginBottom_ = marginBottom;
    overFlowThreshold_ = overFlowThreshold;
}

void RptEngine::SetPageLength(double value) {
    pageLength_ = value;
    overFlowThreshold_ = pageLength_ - marginBottom_;
}

void RptEngine::SetMarginBottom(double value) {
    marginBottom_ = value;
    overFlowThreshold_ = pageLength_ - marginBottom_;
}

double RptEngine::LineHeight() { return surface_ ? surface_->TextHeight("X") : 0; }

bool RptEngine::PageSkipped() const { return pageNo_ < fromPage_ || (thruPage_ != 0 && pageNo_ > thruPage_); }

void RptEngine::ApplyFont(const std::string& name, std::int16_t size, std::int32_t style) {
    FontSpec font = surface_->Font();
    if (!name.empty()) font.name = name;
    if (size != 0) font.size = size;
    ApplyStyle(style, font);
    if (!(font == surface_->Font())) surface_->SetFont(font);
}

double RptEngine::PrintElements(const zav::PrintElements& elements, bool relativeToPage) {
    if (cancel_ || !surface_) return 0;
    ApplyFont(BaseFontName, BaseFontSize, BaseFontStyle);
    bool skipped = PageSkipped();
    double maxHeight = 0;
    for (const clsPrintElement& element : elements) {
        if (element.FontStyle & kStyleSkip) continue;
        std::string error;
        try {
            DrawElement(element, !relativeToPage, maxHeight, skipped);
        } catch (const RuntimeError& e) {
            error = e.Description();
        } catch (const std::exception& e) {
            error = e.what();
        }
        if (!error.empty()) {
            // A drawing error ends this call and cancels the rest of the report.
            CurrentFrontend().ShowMessage(error, "Error");
            double height = 0;
            bands_.PrintEvent(kEventError, 0, height);
            cancel_ = true;
            break;
        }
    }
    return relativeToPage ? 0 : maxHeight;
}

void RptEngine::DrawElement(const clsPrintElement& element, bool relative, double& maxHeight, bool& skipped) {
    if (relative) {
        // Y below 0 keeps the line the previous element started on.
        curY_ = element.Y >= 0 ? element.Y + currentYPos_ : lineY_;
        if (element.X >= 0) curX_ = element.X + MarginLeft;
    } else {
        curY_ = element.Y;
        curX_ = element.X;
    }
    lineY_ = curY_;
    ApplyFont(element.FontName, element.FontSize != 0 ? element.FontSize : BaseFontSize, element.FontStyle);

    if (element.FontStyle & kStyleLine) {
        if (!skipped) surface_->DrawLine(curX_, curY_, curX_ + element.PrintWidth, curY_ + element.PrintHeight);
        curX_ += element.PrintWidth;
        curY_ += element.PrintHeight;
    } else if (element.FontStyle & kStyleBarcode) {
        if (!barcode_) barcode_ = std::make_unique<clsDrawBarcode>();
        if (!skipped)
            barcode_->Draw(kCode128, *surface_, element.X, element.Y, element.PrintHeight, kBarcodeElementWidth,
                           ValueText(element.Value));
    } else if (IsTextValue(element.Value)) {
        DrawText(element, PrintedText(element.Value, element.FormatString), relative, maxHeight, skipped);
    }
    if (relative) maxHeight = std::max(maxHeight, curY_ - currentYPos_);
}

void RptEngine::DrawText(const clsPrintElement& element, const std::string& value, bool relative, double& maxHeight,
                         bool& skipped) {
    std::string text = value;
    if (!element.Literal) text = ReplacePlaceholders(text, {pageNo_, Company, Title, SubTitle, ShortDate(Now())});
    if (element.PrintWidth != 0)
        text = WraptoWidth(text, element.PrintWidth, [this](const std::string& s) { return surface_->TextWidth(s); });
    const bool multiLine = text.find(kCrLf) != std::string::npos;
    const double x = curX_;
    std::size_t pos = 0;
    do {
        std::size_t end;
        std::size_t next;
        const std::size_t crlf = text.find(kCrLf, pos);
        if (crlf != std::string::npos) {
            end = crlf;
            next = crlf + 2;
        } else {
            end = element.Literal ? std::string::npos : text.find('<', pos + 1);
            if (end == std::string::npos) end = text.size();
            next = end;
        }
        std::string piece = text.substr(pos, end - pos);
        pos = next;

        if (relative && TestOverflow()) {
            // The band continues on the new page, below its header.
            skipped = PageSkipped();
            maxHeight = 0;
            curY_ = currentYPos_;
            ApplyFont(element.FontName, element.FontSize != 0 ? element.FontSize : BaseFontSize, element.FontStyle);
        }
        bool continueLine = false;
        if (!element.Literal && !piece.empty() && piece[0] == '<') {
            // A style tag: "<b>", "<i>", "<u>" turn a style on, "</x>" turns them all off.
            FontSpec font = surface_->Font();
            std::size_t tagLength = 1;
            const char kind = piece.size() > 1 ? piece[1] : '\0';
            switch (kind) {
                case 'i':
                case 'I':
                    font.italic = true;
                    break;
                case 'b':
                case 'B':
                    font.bold = true;
                    break;
                case 'u':
                case 'U':
                    font.underline = true;
                    break;
                case '/':
                    font.bold = font.italic = font.underline = false;
                    ++tagLength;
                    break;
                default:
                    break;
            }
            if (piece.size() > tagLength) ++tagLength;  // the letter
            if (tagLength < piece.size() && piece[tagLength] == '>') ++tagLength;
            piece.erase(0, tagLength);
            if (!(font == surface_->Font())) surface_->SetFont(font);
            continueLine = true;
        }
        const double width = surface_->TextWidth(piece);
        double drawX = curX_;
        if (!continueLine) {
            drawX = element.Align == kAlignRight ? x - width : element.Align == kAlignCenter ? x - width / 2 : x;
        }
        if (!skipped && !piece.empty()) surface_->DrawText(drawX, curY_, piece);
        curX_ = drawX + width;
        const double height = surface_->TextHeight(piece);
        if (multiLine || pos >= text.size()) curY_ += height;
        if (relative) maxHeight = std::max(maxHeight, curY_ - currentYPos_);
    } while (pos < text.size());
}

void RptEngine::AddSectionHeight() {
    currentYPos_ += sectionHeight_;
    sectionHeight_ = 0;
}

void RptEngine::AddSectionHeight(double newHeight) {
    currentYPos_ += newHeight;
    TestOverflow();
}

bool RptEngine::TestOverflow() {
    if (currentYPos_ < overFlowThreshold_) return false;
    NewPage(0);
    return true;
}

void RptEngine::NewPage(int level) {
    sectionHeight_ = 0;
    bands_.PrintEvent(kEventPageFooter, 0, sectionHeight_);
    const bool wasDrawn = !PageSkipped();
    ++pageNo_;
    if (printer_ && wasDrawn && !PageSkipped() && !cancel_) surface_->NewSheet();
    currentYPos_ = MarginTop;
    sectionHeight_ = 0;
    UpdateStatus();
    bands_.PrintEvent(kEventPageHeader, level, sectionHeight_);
    AddSectionHeight();
}

void RptEngine::ThrowEvent(int event, int level) {
    sectionHeight_ = 0;
    bands_.PrintEvent(event, level, sectionHeight_);
    if (sectionHeight_ > 0) AddSectionHeight();
}

bool RptEngine::Begin(long fromPage, long thruPage, long& lastPage) {
    cancel_ = false;
    rows_ = 0;
    fromPage_ = fromPage;
    thruPage_ = thruPage;
    curX_ = curY_ = lineY_ = 0;
    pageNo_ = 1;
    ShowStatus(Title + kCrLf + "Retrieving data");
    // The report starts in its base font, so that measurements at report start are the report's.
    if (surface_) ApplyFont(BaseFontName, BaseFontSize, BaseFontStyle);
    ThrowEvent(kEventReportStart, 0);
    currentYPos_ = MarginTop;
    pageNo_ = 1;
    ThrowEvent(kEventPageHeader, 0);
    ThrowEvent(kEventReportHeader, 0);
    for (;;) {
        TestOverflow();
        sectionHeight_ = 0;
        bands_.PrintEvent(kEventDetail, 0, sectionHeight_);
        if (sectionHeight_ < 0) break;
        if (sectionHeight_ > 0) {
            ++rows_;
            AddSectionHeight();
        }
    }
    TestOverflow();
    ThrowEvent(kEventReportFooter, 0);
    TestOverflow();
    ThrowEvent(kEventPageFooter, 0);
    ThrowEvent(kEventReportEnd, 0);
    if (lastPage == 0) lastPage = pageNo_;
    ClearStatus();
    if (printer_ && !cancel_) surface_->EndDocument();
    return cancel_;
}

void RptEngine::ShowStatus(const std::string& text) {
    if (Status && Status->Status(text)) cancel_ = true;
}

void RptEngine::UpdateStatus() {
    ShowStatus(Title + kCrLf + "Formatting page " + std::to_string(pageNo_) + kCrLf +
               "Rows processed: " + std::to_string(rows_));
}

void RptEngine::ClearStatus() {
    if (Status) Status->Status("");
}

bool RptEngine::PrintReport(long fromPage, long thruPage, int tray) {
    if (!OutputDevice) {
        CurrentFrontend().ShowMessage("No printer is set up.", "Error");
        return false;
    }
    return PrintReportOn(*OutputDevice, fromPage, thruPage, tray);
}

bool RptEngine::PrintReportOn(Surface& device, long fromPage, long thruPage, int tray) {
    Surface* previous = surface_;
    const bool previousMode = printer_;
    surface_ = &device;
    printer_ = !device.IsPicture();
    bool ok = false;
    try {
        if (printer_) {
            device.SetPageSize(PageWidth, pageLength_);
            if (tray != -1) device.SetPaperBin(tray);  // a printer without that bin keeps its own
            device.StartDocument();
        }
        long lastPage = 0;
        ok = !Begin(fromPage, thruPage, lastPage);
    } catch (const RuntimeError& e) {
        CurrentFrontend().ShowMessage(e.Description(), "Error");
    } catch (const std::exception& e) {
        CurrentFrontend().ShowMessage(e.what(), "Error");
    }
    ClearStatus();
    surface_ = previous;
    printer_ = previousMode;
    return ok;
}

bool RptEngine::PreviewReport() {
    if (!Preview) return false;
    Surface& picture = Preview->PagePicture();
    Preview->SetPageSize(PageWidth, pageLength_);
    long page = 1;
    long lastPage = 0;
    for (;;) {
        picture.Clear();
        surface_ = &picture;
        printer_ = false;
        bool cancelled = true;
        try {
            cancelled = Begin(page, page, lastPage);
        } catch (const RuntimeError& e) {
            CurrentFrontend().ShowMessage(e.Description(), "Error");
            ClearStatus();
        } catch (const std::exception& e) {
            CurrentFrontend().ShowMessage(e.what(), "Error");
            ClearStatus();
        }
        if (cancelled) return false;
        const std::string command =
            Preview->Display(Title + " Page " + std::to_string(page) + " of " + std::to_string(lastPage));
        if (command == kPreviewFirst) {
            page = 1;
        } else if (command == kPreviewPrev) {
            if (page >= 2) --page;
        } else if (command == kPreviewNext) {
            if (page < lastPage) ++page;
        } else if (command == kPreviewLast) {
            page = lastPage;
        } else if (command == kPreviewClose) {
            return true;
        } else if (command == kPreviewPrint) {
            PrintReport(0, 0, -1);
            return true;
        } else if (command == kPreviewPdf) {
            if (SaveAsPdf) {
                if (auto pdf = SaveAsPdf()) PrintReportOn(*pdf, 0, 0, -1);
            }
        }
    }
}

}  // namespace zav
