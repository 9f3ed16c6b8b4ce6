// The reading reports' view of one readings record: to which reports it belongs (kind bits) and the
// texts of its ten columns.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace zav {

class clsZAV;

// Report kinds: one bit each; the selection window's answer adds kReportPreview for a preview.
enum ReportKind : int {
    kReportPreview = 1,
    kReportExceptions = 2,
    kReportReadings = 4,
    kReportOrphans = 8,
    kReportMissed = 16,
};

// The kinds in the order they are printed.
inline constexpr std::array<int, 4> kReportPrintOrder = {kReportExceptions, kReportReadings, kReportOrphans,
                                                         kReportMissed};

// "Exception Report", "Reading Report", "Orphan Report", "Missed Report"; "" for anything else.
std::string ReportKindTitle(int kind);
// The preview buttons: "Exceptions", "Readings", "Orphans", "Missed".
std::string ReportKindButton(int kind);

inline constexpr int kReportColumns = 10;

struct ReportRow {
    std::int32_t bits = 0;  // the reports the record belongs to
    std::array<std::string, kReportColumns> cells;
};

// The row of the current record of `db`, a meter (RecType 2) or an orphan reading (RecType 3). The
// exception text (column 9) has its "; " and ";" separators turned into line breaks.
ReportRow MakeReportRow(const clsZAV& db);

}  // namespace zav
