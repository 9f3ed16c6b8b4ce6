// The route conversion of the largest routes: a 30,000-meter fixed-width route file over 40 routes,
// indexes on, through the whole driver into a Palm database file; beside it the I/O floor, reading the
// source and writing the result's bytes once, to compare with.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "advanced/advanced.h"
#include "core/file_io.h"
#include "core/frontend.h"
#include "exchange/exchange.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMeters = 30000;
constexpr int kRoutes = 40;

// Says nothing and answers Yes (each run replaces the previous database).
struct QuietFrontend final : zav::Frontend {
    void AddLog(const std::string&) override {}
    void SetProgressButton(long, long) override {}
    bool AskYesNo(const std::string&, const std::string&, bool) override { return true; }
    void ShowMessage(const std::string&, const std::string&) override {}
    int AbortRetryIgnore(const std::string&, const std::string&) override { return zav::kAbort; }
    std::string PromptVariables(const std::vector<zav::PromptField>&,
                                std::vector<std::pair<std::string, std::string>>&) override {
        return "OK";
    }
    std::string PromptUnit(const std::vector<std::string>&) override { return ""; }
};

std::string Field(const std::string& text, std::size_t width, bool right = false) {
    std::string t = text.substr(0, width);
    const std::string pad(width - t.size(), ' ');
    return right ? pad + t : t + pad;
}

// The layout of the demo office's route file (scripts/make-demo-route.py), 181 characters a line.
constexpr const char* kMap =
    "MAPTYPE=1\r\nRouteNbr=1,4,,,0\r\nSequence=5,5,,,0\r\nServiceUniqueID=10,10,,,0\r\nBillingName=20,30,,,0\r\n"
    "ServiceAddress=50,30,,,0\r\nMeterTagNbr=80,8,,,0\r\nMeterSerialNbr=88,10,,,0\r\nMeterType=98,1,,,0\r\n"
    "ReadType=99,1,,,0\r\nDigits=100,1,,,0\r\nDecimals=101,1,,,0\r\nPrvReading=102,9,,,0\r\n"
    "MaxReading=111,9,,,0\r\nMinReading=120,9,,,0\r\nLstReadingDate=129,10,,,26\r\nUtilityCode=139,3,,,0\r\n"
    "Message=142,40,,,0\r\nUser1=C,Bench\r\n";

struct Office {
    fs::path home = fs::temp_directory_path() / "zav-bench-route-convert";
    zav::RegistryStore* store;
    zav::clsExchange* ex;
    QuietFrontend ui;
    std::uintmax_t sourceBytes = 0;

    Office() {
        fs::remove_all(home);
        fs::create_directories(home);
        zav::WriteFileBytes(home / "Bench.zcm", kMap);
        const char* streets[] = {"MAIN ST", "OAK AVE", "21ST AVE NW", "LAKEVIEW DR", "MILL RD"};
        const char* names[] = {"SMITH, JOHN", "O'NEIL, MARY", "THE CORNER BAKERY", "NGUYEN, WEI", "GARCIA, ANA"};
        std::string text;
        text.reserve(kMeters * 183);
        for (int m = 0; m < kMeters; ++m) {
            const int route = m / (kMeters / kRoutes);
            const bool radio = m % 10 < 7;
            text += Field(std::to_string(1000 + route), 4) + Field(std::to_string(10 + m * 10 % 99990), 5, true) +
                    Field(std::to_string(200000 + m), 10) +
                    Field(names[m % 5] + std::string(" ") + std::to_string(m), 30) +
                    Field(std::to_string(100 + m % 9000) + " " + streets[m % 5], 30) +
                    Field(radio ? std::to_string(3100000 + m) : "", 8, true) +
                    Field("W" + std::to_string(10000000 + m), 10) + "W" + (radio ? "R" : "M") + "60" +
                    Field(std::to_string(1000 + m), 9, true) + Field(std::to_string(2000 + m), 9, true) +
                    Field(std::to_string(1100 + m), 9, true) +
                    Field("0" + std::to_string(1 + m % 9) + "/" + std::to_string(10 + m % 18) + "/2026", 10) + "  1" +
                    Field(m % 7 == 0 ? "DOG IN YARD" : "", 40) + "\r\n";
        }
        zav::WriteFileBytes(home / "route.txt", text);
        sourceBytes = text.size();
        store = new zav::RegistryStore(home / "registry.sqlite3");
        ex = new zav::clsExchange(*store);
        ex->HomeFolder = home;
        ex->RouteSource = "route.txt";
        ex->RouteDestination = "RouteZAV.pdb";
        ex->RouteMap = "Bench";
        ex->RouteZAVType = "PDB";
        ex->Advanced().IndexControl(1);
    }
};

Office& TheOffice() {
    static Office office;
    return office;
}

void BM_ConvertRoute(benchmark::State& state) {
    Office& o = TheOffice();
    zav::ScopedFrontend scoped(o.ui);
    for (auto _ : state)
        if (!o.ex->ConvertRoute()) state.SkipWithError("conversion failed");
    state.SetItemsProcessed(state.iterations() * kMeters);
    state.counters["source_bytes"] = static_cast<double>(o.sourceBytes);
    state.counters["result_bytes"] = static_cast<double>(fs::file_size(o.home / "RouteZAV.pdb"));
    state.SetLabel("30000 meters, 40 routes, indexes on");
}
BENCHMARK(BM_ConvertRoute)->Unit(benchmark::kMillisecond);

// Reading the source once and writing as many bytes as the database has: the least any conversion needs.
void BM_IOFloor(benchmark::State& state) {
    Office& o = TheOffice();
    {
        zav::ScopedFrontend scoped(o.ui);
        o.ex->ConvertRoute();
    }
    const std::string result = zav::ReadFileBytes(o.home / "RouteZAV.pdb");
    for (auto _ : state) {
        const std::string source = zav::ReadFileBytes(o.home / "route.txt");
        zav::WriteFileBytes(o.home / "floor.pdb", result);
        benchmark::DoNotOptimize(source.size());
    }
    state.SetItemsProcessed(state.iterations() * kMeters);
}
BENCHMARK(BM_IOFloor)->Unit(benchmark::kMillisecond);

}  // namespace
