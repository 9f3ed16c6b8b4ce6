// The index step over a 30,000-meter route (40 routes, contiguous meters) with owner names,
// addresses, tags, serial numbers and accounts, writing the index records to a database.
#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>

#include "advanced/advanced.h"
#include "exchange/exchange.h"
#include "zav/zav.h"

namespace {

constexpr int kMeters = 30000;
constexpr int kRoutes = 40;

void BM_IndexStep30000(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "zavdepot-bench-index";
    fs::create_directories(dir);
    zav::RegistryStore store(dir / "registry.sqlite3");
    const char* streets[] = {"MAIN ST", "21ST AVE NW", "OAK CIR", "ELM BLVD", "3RD ST", "LAKE VIEW RD"};
    const char* owners[] = {"THE SMITH CO", "O'NEIL INC", "JONES AND SONS LLC", "MARIA GARCIA", "LEE FAMILY TRUST"};
    std::vector<std::array<std::string, 5>> meters(kMeters);
    for (int i = 0; i < kMeters; ++i) {
        meters[i] = {std::to_string(100000 + i), "SN" + std::to_string(i * 7), owners[i % 5],
                     std::to_string(i % 997 + 1) + " " + streets[i % 6], "ACCT" + std::to_string(i)};
    }
    for (auto _ : state) {
        zav::clsExchange ex(store);
        ex.RouteZAV = std::make_unique<zav::clsZAV>();
        ex.RouteZAV->SetVersion(3);
        ex.RouteZAV->CreateZAV(dir / "route.pdb", 1, 1000);
        for (int i = 0; i < kMeters; ++i) {
            const auto& m = meters[i];
            ex.IndexStep(static_cast<std::int16_t>(i / (kMeters / kRoutes) + 1), static_cast<std::int16_t>(i), m[0],
                         m[1], m[2], m[3], m[4]);
        }
        ex.IndexStep(0, 0, "", "", "", "", "");
        ex.RouteZAV.reset();
    }
    zav::ReleaseSharedAdvanced();
    state.SetItemsProcessed(state.iterations() * kMeters);
    fs::remove_all(dir);
}
BENCHMARK(BM_IndexStep30000)->Unit(benchmark::kMillisecond);

}  // namespace
