// The reading report of a readings database of 30,000 meters: laid out on a recording surface (the
// engine and the report's rules alone), written to PDF, and one preview page (a full run of the engine
// that draws only that page). Counters: meters per second.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "core/frontend.h"
#include "reports/recording_surface.h"
#include "reports/report.h"
#include "support/quiet_frontend.h"
#include "support/readings_builder.h"
#ifdef ZAV_WITH_QT_SURFACES
#include <QGuiApplication>

#include "qtsurface/painter_surface.h"
#endif

namespace {

namespace fs = std::filesystem;

constexpr int kMeters = 30000;

struct Fixture {
    fs::path dir = fs::temp_directory_path() / "zav-bench-reports";
    fs::path readings = dir / "ReadingZAV.pdb";
    zav::test::QuietFrontend frontend;
    zav::ScopedFrontend scoped{frontend};

    Fixture() {
        fs::create_directories(dir);
        zav::test::ReadingsBuilder b;
        b.Header(40, {{"ResponseText", std::string("UNIT07")}});
        for (int i = 0; i < kMeters; ++i) {
            const bool note = i % 7 == 0;
            b.Meter(1 + i / 750, {{"MeterTagNbr", 100000 + i},
                                  {"MeterType", std::int16_t{1}},
                                  {"Digits", std::int16_t{6}},
                                  {"Status", std::int16_t{1}},
                                  {"ReadType", std::int16_t{1}},
                                  {"CurReading", 4000 + i % 500},
                                  {"PrvReading", 3900},
                                  {"MinReading", 3950},
                                  {"MaxReading", 4400},
                                  {"ReadingDate", 20240109},
                                  {"ReadingTime", 93015 + i % 100},
                                  {"Initials", std::string("JD")},
                                  {"ServiceUniqueID", "ACCT " + std::to_string(5000000 + i)},
                                  {"MeterSerialNbr", "SN" + std::to_string(i)},
                                  {"BillingName", "CUSTOMER NUMBER " + std::to_string(i)},
                                  {"ServiceAddress", std::to_string(100 + i % 900) + " NORTH MAIN STREET APT 4"},
                                  {"ResponseText", std::string(note ? "DOG IN YARD; GATE CODE 1234" : "")}});
        }
        b.Write(readings);
    }
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

void BM_ReadingReportRecorded(benchmark::State& state) {
    Fixture& f = TheFixture();
    for (auto _ : state) {
        zav::RecordingSurface surface;
        zav::clsReport report;
        report.Engine().OutputDevice = &surface;
        if (!report.Begin(false, f.readings, zav::kReportReadings, "")) state.SkipWithError("report failed");
        benchmark::DoNotOptimize(surface.Items().size());
        state.counters["pages"] = surface.Sheets();
    }
    state.counters["meters/s"] = benchmark::Counter(kMeters, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReadingReportRecorded)->Unit(benchmark::kMillisecond);

#ifdef ZAV_WITH_QT_SURFACES
void EnsureGui() {
    static int argc = 3;
    static char a0[] = "bench", a1[] = "-platform", a2[] = "offscreen";
    static char* argv[] = {a0, a1, a2, nullptr};
    static QGuiApplication app(argc, argv);
}

void BM_ReadingReportPdf(benchmark::State& state) {
    EnsureGui();
    Fixture& f = TheFixture();
    for (auto _ : state) {
        zav::PdfSurface pdf((f.dir / "report.pdf").string());
        zav::clsReport report;
        report.Engine().OutputDevice = &pdf;
        if (!report.Begin(false, f.readings, zav::kReportReadings, "")) state.SkipWithError("report failed");
    }
    state.counters["MB"] = static_cast<double>(fs::file_size(f.dir / "report.pdf")) / 1e6;
    state.counters["meters/s"] = benchmark::Counter(kMeters, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ReadingReportPdf)->Unit(benchmark::kMillisecond);

// A preview that shows its first page and closes.
struct OnePagePreview : zav::PreviewWindow {
    zav::ImageSurface picture;
    zav::Surface& PagePicture() override { return picture; }
    void SetPageSize(double w, double l) override { picture.SetPageSize(w, l); }
    std::string Display(const std::string&) override { return zav::kPreviewClose; }
};

// The first page of the preview: one full run of the engine that draws page 1 (and counts the pages).
void BM_PreviewPage(benchmark::State& state) {
    EnsureGui();
    Fixture& f = TheFixture();
    for (auto _ : state) {
        OnePagePreview preview;
        zav::clsReport report;
        report.Engine().Preview = &preview;
        if (!report.Begin(true, f.readings, zav::kReportReadings, "")) state.SkipWithError("preview failed");
    }
}
BENCHMARK(BM_PreviewPage)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
