// What the viewer reads of the largest databases: a 30,000-meter route database over 40 routes and a
// 32,767-meter readings database on one route, each read once into the routes and their meter rows.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "support/large_zav.h"
#include "support/quiet_frontend.h"
#include "zav/zav_listing.h"

namespace {

namespace fs = std::filesystem;

fs::path SampleFile(std::int32_t meters, std::int32_t routes, bool readings) {
    const fs::path path =
        fs::temp_directory_path() / ("zavdepot_bench_view_" + std::to_string(meters) + (readings ? "r" : "") + ".pdb");
    if (!fs::exists(path)) zav::test::WriteLargeZAV(path, meters, routes, readings);
    return path;
}

void LoadListing(benchmark::State& state, std::int32_t meters, std::int32_t routes, bool readings) {
    const fs::path file = SampleFile(meters, routes, readings);
    zav::test::QuietFrontend ui;
    zav::ScopedFrontend scoped(ui);
    for (auto _ : state) {
        zav::ZAVListing listing;
        if (!zav::LoadZAVListing(file, listing)) state.SkipWithError("cannot read the database");
        benchmark::DoNotOptimize(listing.routes.data());
    }
    state.SetItemsProcessed(state.iterations() * meters);
    state.counters["file_bytes"] = static_cast<double>(fs::file_size(file));
}

void BM_ListRouteDatabase(benchmark::State& state) { LoadListing(state, 30000, 40, false); }
BENCHMARK(BM_ListRouteDatabase)->Unit(benchmark::kMillisecond);

void BM_ListReadingsDatabase(benchmark::State& state) { LoadListing(state, 32767, 1, true); }
BENCHMARK(BM_ListReadingsDatabase)->Unit(benchmark::kMillisecond);

}  // namespace
