// The printer as a report surface: the system's default printer, drawn from the paper's corner (the report
// keeps its own margins), landscape when the page is wider than high, the tray as paper source where the
// printer offers it.
#pragma once

#include <QPrinter>
#include <memory>

#include "qtsurface/painter_surface.h"

namespace zav {

// True when a printer is set up on this system.
bool PrinterAvailable();

class PrinterSurface final : public PainterSurface {
  public:
    PrinterSurface();
    ~PrinterSurface() override;

    void SetPageSize(double width, double length) override;
    // Tray n selects the printer's paper source n - 1 (bins count from 1 where trays are numbered; 0 and
    // bins the printer does not offer keep its own choice).
    bool SetPaperBin(int tray) override;
    void StartDocument() override;
    void NewSheet() override;
    void EndDocument() override;
    void SetDocumentName(const QString& name) { printer_->setDocName(name); }

  private:
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace zav
