// The host files at the largest route size (30,000 meters): reading an MVRS and an E5000 download record by
// record, against the I/O floor of reading the same file's lines without parsing them; writing an MVRS
// upload file of 30,000 meters; and both route conversions of those downloads through the whole route
// driver into a Palm database file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "advanced/advanced.h"
#include "core/file_io.h"
#include "core/frontend.h"
#include "exchange/exchange.h"
#include "hostformats/e5k_files.h"
#include "hostformats/host_formats.h"
#include "hostformats/mvrs_files.h"
#include "support/quiet_frontend.h"

namespace {

constexpr int kMeters = 30000;
constexpr int kMetersPerRoute = 1000;

std::filesystem::path Dir() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / "zav-bench-host-files";
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

void Put(zav::HostFileWriter& w, std::string_view id,
         std::initializer_list<std::pair<const char*, zav::Value>> values) {
    zav::clsRecType* rec = w.SetupRecord(id);
    for (const auto& [name, value] : values) rec->Value(name, value);
    w.WriteRecord(*rec);
}

const std::filesystem::path& MVRSDownload() {
    static const std::filesystem::path path = [] {
        const auto p = Dir() / "mvrs.dat";
        zav::HostFileWriter w(zav::MVRSDownloadLayouts(), 0);
        w.CreateFile(p);
        Put(w, "FHD", {{"NumberCycles", 1}});
        Put(w, "CHD", {{"CycleNumber", 1}, {"NumberRoutes", kMeters / kMetersPerRoute}, {"CycleDate", 46096.0}});
        for (int m = 0; m < kMeters; ++m) {
            const std::string route = std::to_string(10000000 + m / kMetersPerRoute);
            if (m % kMetersPerRoute == 0)
                Put(w, "RHD",
                    {{"RouteNumber", route},
                     {"NumberCustomerRecords", kMetersPerRoute},
                     {"NumberMeterRecords", kMetersPerRoute},
                     {"Region", std::string("R1")}});
            Put(w, "CUS",
                {{"RouteNumber", route},
                 {"Account", "A" + std::to_string(m)},
                 {"Name", "CUSTOMER " + std::to_string(m)},
                 {"Address1", std::to_string(m) + " MAIN ST"},
                 {"CustomerInfo", std::string("INFO")}});
            Put(w, "MTR",
                {{"RouteNumber", route},
                 {"MeterNumber", "M" + std::to_string(m)},
                 {"MeterType", 1},
                 {"ReadSequence", m % kMetersPerRoute * 10},
                 {"MeterCategory", std::string("W")}});
            Put(w, "RDG",
                {{"RouteNumber", route},
                 {"NumberDials", 6},
                 {"ReadMethod", std::string("R")},
                 {"PreviousReading", m * 3},
                 {"High1", m * 3 + 900},
                 {"Low1", m * 3}});
            Put(w, "RFF", {{"RouteNumber", route}, {"RFERTID", std::to_string(40000000 + m)}, {"GeographicArea", 12}});
            if ((m + 1) % kMetersPerRoute == 0) Put(w, "RTR", {{"RouteNumber", route}});
        }
        Put(w, "CTR", {{"CycleNumber", 1}});
        Put(w, "FTR", {{"NumberCycles", 1}});
        return p;
    }();
    return path;
}

const std::filesystem::path& E5KDownload() {
    static const std::filesystem::path path = [] {
        const auto p = Dir() / "e5k.dat";
        zav::HostFileWriter w(zav::E5KDownloadLayouts(), 80);
        w.CreateFile(p);
        for (int m = 0; m < kMeters; ++m) {
            const std::string route = std::to_string(10000000 + m / kMetersPerRoute);
            if (m % kMetersPerRoute == 0) Put(w, "F", {{"Route", route}});
            Put(w, "A",
                {{"Route", route},
                 {"AccountNumber", std::to_string(4200000000LL + m)},
                 {"MeterSequenceNumber", m % kMetersPerRoute}});
            Put(w, "B",
                {{"CustomerName", "CUSTOMER " + std::to_string(m)}, {"Address", std::to_string(m) + " HILL RD"}});
            Put(w, "C", {{"RecordCategory", std::string("02")}, {"PropertyVGKey", "VG" + std::to_string(m)}});
            Put(w, "H",
                {{"RelativeMeterNumber", std::string("01")},
                 {"MeterSerialNumber", std::to_string(10000000 + m)},
                 {"NumberofDials", 5},
                 {"PriorRead", m},
                 {"MaximumRead", m + 800},
                 {"MeterType", std::string("W")}});
            Put(w, "K01", {{"PropertyLocationDesc1", std::string("FRONT")}});
            if ((m + 1) % kMetersPerRoute == 0) Put(w, "Z", {{"Route", route}, {"NumberofMeters", kMetersPerRoute}});
        }
        return p;
    }();
    return path;
}

void LinesOnly(benchmark::State& state, const std::filesystem::path& path) {
    for (auto _ : state) {
        zav::TextFileReader reader(path);
        std::string line;
        std::size_t n = 0;
        while (reader.ReadLine(line)) n += line.size();
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * kMeters);
}

template <typename Reader>
void ReadRecords(benchmark::State& state, const std::filesystem::path& path) {
    for (auto _ : state) {
        Reader reader;
        reader.OpenFile(path);
        std::size_t n = 0;
        while (!reader.AtEnd())
            if (zav::clsRecType* rec = reader.ReadNext()) n += rec->Text("RecID").size();
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * kMeters);
}

void BM_MVRSDownloadLines(benchmark::State& state) { LinesOnly(state, MVRSDownload()); }
void BM_MVRSDownloadRecords(benchmark::State& state) { ReadRecords<zav::clsMVRSDownload>(state, MVRSDownload()); }
void BM_E5KDownloadLines(benchmark::State& state) { LinesOnly(state, E5KDownload()); }
void BM_E5KDownloadRecords(benchmark::State& state) { ReadRecords<zav::clsE5KDownload>(state, E5KDownload()); }

void BM_MVRSUploadWrite(benchmark::State& state) {
    for (auto _ : state) {
        zav::clsMVRSUpload w;
        w.CreateFile(Dir() / "upload.dat");
        for (int m = 0; m < kMeters; ++m) {
            Put(w, "CUS",
                {{"RouteNumber", std::string("10000001")},
                 {"NumberMeters", 1},
                 {"Account", "A" + std::to_string(m)},
                 {"Name", std::string("CUSTOMER")}});
            Put(w, "MTR",
                {{"RouteNumber", std::string("10000001")},
                 {"MeterNumber", "M" + std::to_string(m)},
                 {"ReadSequence", m},
                 {"NewReadSequence", m}});
            Put(w, "RDG",
                {{"RouteNumber", std::string("10000001")},
                 {"Reading", m * 7},
                 {"ReadDate", 46096.0},
                 {"ReadTime", std::string("093015")},
                 {"PreviousReading", m}});
        }
        w.Close();
    }
    state.SetItemsProcessed(state.iterations() * kMeters);
}

using zav::test::QuietFrontend;

void RouteConvert(benchmark::State& state, const std::filesystem::path& source, int mapType) {
    const auto home = Dir() / "office";
    std::filesystem::create_directories(home);
    zav::WriteFileBytes(home / "Host.zcm", "MAPTYPE=" + std::to_string(mapType) + "\r\n");
    zav::RegisterHostFormats();
    QuietFrontend ui;
    zav::ScopedFrontend scoped(ui);
    {
        zav::RegistryStore store(home / "registry.sqlite3");
        zav::clsExchange ex(store);
        ex.HomeFolder = home;
        ex.RouteSource = source.string();
        ex.RouteDestination = "RouteZAV.pdb";
        ex.RouteMap = "Host";
        ex.RouteZAVType = "PDB";
        for (auto _ : state)
            if (!ex.ConvertRoute()) state.SkipWithError("conversion failed");
        state.SetItemsProcessed(state.iterations() * kMeters);
    }
    zav::ReleaseSharedAdvanced();
}

void BM_MVRSRouteConvert(benchmark::State& state) { RouteConvert(state, MVRSDownload(), 3); }
void BM_E5KRouteConvert(benchmark::State& state) { RouteConvert(state, E5KDownload(), 4); }

// The I/O floor of a route conversion: reading the download's lines and writing the bytes of the database
// the conversion made (run after it) once.
void RouteFloor(benchmark::State& state, const std::filesystem::path& source) {
    const auto database = Dir() / "office" / "RouteZAV.pdb";
    if (!std::filesystem::exists(database)) {
        state.SkipWithError("run the conversion benchmark first");
        return;
    }
    const std::string bytes = zav::ReadFileBytes(database);
    for (auto _ : state) {
        zav::TextFileReader reader(source);
        std::string line;
        std::size_t n = 0;
        while (reader.ReadLine(line)) n += line.size();
        zav::WriteFileBytes(Dir() / "floor.pdb", bytes);
        benchmark::DoNotOptimize(n);
    }
    state.SetItemsProcessed(state.iterations() * kMeters);
}

void BM_MVRSRouteFloor(benchmark::State& state) { RouteFloor(state, MVRSDownload()); }
void BM_E5KRouteFloor(benchmark::State& state) { RouteFloor(state, E5KDownload()); }

}  // namespace

BENCHMARK(BM_MVRSRouteConvert)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MVRSRouteFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_E5KRouteConvert)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_E5KRouteFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MVRSDownloadLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MVRSDownloadRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_E5KDownloadLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_E5KDownloadRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MVRSUploadWrite)->Unit(benchmark::kMillisecond);
