// Readings databases come back from the field: arbitrary bytes as a readings database through every
// reading report, laid out on a recording surface. Any record (odd digit and decimal counts, dates,
// texts with tags or placeholders) ends in a report or a clear error, never a crash or a hang.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/file_io.h"
#include "core/frontend.h"
#include "reports/recording_surface.h"
#include "reports/report.h"
#include "support/quiet_frontend.h"

namespace {

namespace fs = std::filesystem;

struct Setup {
    fs::path dir = fs::temp_directory_path() / ("fuzz_report_" + std::to_string(::getpid()));
    zav::test::QuietFrontend frontend;
    zav::ScopedFrontend scoped{frontend};
    Setup() { fs::create_directories(dir); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Setup s;
    const fs::path readings = s.dir / "readings.pdb";
    zav::WriteFileBytes(readings, std::string(reinterpret_cast<const char*>(data), size));
    zav::RecordingSurface printer;
    zav::clsReport report;
    report.Engine().OutputDevice = &printer;
    // Every kind at once: every meter and orphan row is laid out.
    (void)report.Begin(false, readings,
                       zav::kReportExceptions | zav::kReportReadings | zav::kReportOrphans | zav::kReportMissed, "");
    return 0;
}
