// clsReport: the four reading reports (reading, exception, missed, orphan) over a readings database, laid
// out by the report engine on landscape pages in ten columns. The detail band reads the database record by
// record: the header record names the unit, every meter and orphan record becomes one row, printed when it
// belongs to the report.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "reports/print_element.h"
#include "reports/report_rows.h"
#include "reports/rpt_engine.h"

namespace zav {

class clsZAV;

class clsReport final : public ReportBands {
  public:
    clsReport();
    ~clsReport() override;

    // The engine: the caller sets its OutputDevice (printer or PDF), Preview, Status and SaveAsPdf.
    RptEngine& Engine() { return p; }

    // One report of kind `filter` from the readings database `filename`: previewed, or printed on the
    // engine's OutputDevice. A non-empty `reportTitle` replaces the kind's title. False when the database
    // cannot be read (logged: "Error: Could not read ZAV file"), or the run was cancelled or failed.
    bool Begin(bool preview, const std::filesystem::path& filename, int filter, const std::string& reportTitle);

    // The paper bin handed to the printer.
    std::int16_t Tray = 0;

    void PrintEvent(int eventId, int level, double& sectionHeight) override;

  private:
    void BuildRows();
    void Detail(double& sectionHeight);

    RptEngine p;
    int filter_ = 0;
    std::unique_ptr<clsZAV> db_;
    double lh_ = 0;
    bool unitPending_ = false;
    std::string unit_;
    PrintElements titleRow_;
    PrintElements unitBlock_;
    PrintElements detailRow_;
    PrintElements footerRow_;
};

}  // namespace zav
