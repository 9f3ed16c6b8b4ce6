#include "ui/printer_surface.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinterInfo>
#include <stdexcept>

namespace zav {

bool PrinterAvailable() { return !QPrinterInfo::availablePrinterNames().isEmpty(); }

PrinterSurface::PrinterSurface() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setFullPage(true);
    SetDevice(printer_.get());
}

PrinterSurface::~PrinterSurface() { EndPainting(); }

void PrinterSurface::SetPageSize(double width, double length) {
    const bool landscape = length < width;
    const QPageSize size(QSizeF(landscape ? length : width, landscape ? width : length), QPageSize::Inch);
    printer_->setPageSize(size);
    printer_->setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer_->setPageMargins(QMarginsF(0, 0, 0, 0));
}

bool PrinterSurface::SetPaperBin(int tray) {
    if (tray <= 0) return false;
    const auto source = static_cast<QPrinter::PaperSource>(tray - 1);
    printer_->setPaperSource(source);  // a source the printer does not offer is not taken
    return printer_->paperSource() == source;
}

void PrinterSurface::StartDocument() {
    if (!printer_->isValid()) throw std::runtime_error("No printer is set up.");
    Painter();
}

void PrinterSurface::NewSheet() {
    Painter();
    if (!printer_->newPage()) throw std::runtime_error("The printer could not start a new page.");
}

void PrinterSurface::EndDocument() { EndPainting(); }

}  // namespace zav
