// Parsing the largest routes: 30,000 meter lines with every one of the 28 route fields mapped from the
// source, fixed-width and delimited (quoted).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "exchange/exchange.h"

namespace {

constexpr int kMeters = 30000;
constexpr int kWidth = 12;

struct Fixture {
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "zav-bench-route-parse";
    zav::RegistryStore store{(std::filesystem::create_directories(dir), dir / "registry.sqlite3")};
    zav::clsExchange ex{store};
    std::string text;

    explicit Fixture(int type) {
        ex.ExchMap.NewMap("Bench.zcm", zav::kMapRoute);
        ex.ExchMap.MapType(type);
        ex.ExchMap.MapDelimiter(",");
        ex.ExchMap.MapQuote("\"");
        for (int i = 1; i <= ex.ExchMap.FieldCount(); ++i) {
            ex.ExchMap.MapOption(i, zav::kMapFromSource);
            ex.ExchMap.DataPosition(i, static_cast<std::int16_t>(type == zav::kMapFixed ? (i - 1) * kWidth + 1 : i));
            ex.ExchMap.DataWidth(i, kWidth);
        }
        for (int m = 0; m < kMeters; ++m) {
            std::string line;
            for (int i = 1; i <= ex.ExchMap.FieldCount(); ++i) {
                const std::string value = ex.ExchMap.DataType(i) == zav::kText ? "Name " + std::to_string(m)
                                                                               : std::to_string((m * 7 + i) % 250);
                if (type == zav::kMapFixed)
                    line += (value + std::string(kWidth, ' ')).substr(0, kWidth);
                else
                    line += (i > 1 ? "," : "") + ("\"" + value + "\"");
            }
            text += line + "\r\n";
        }
    }
};

void ParseRoute(benchmark::State& state, int type) {
    Fixture f(type);
    for (auto _ : state) {
        zav::LineSplitter lines(f.text);
        std::string_view line;
        std::size_t fields = 0;
        while (lines.Next(line)) fields += f.ex.ParseRoute(line)->Count();
        benchmark::DoNotOptimize(fields);
    }
    state.SetItemsProcessed(state.iterations() * kMeters);
    state.SetLabel("30000 lines, 28 fields");
}

}  // namespace

BENCHMARK_CAPTURE(ParseRoute, Fixed, zav::kMapFixed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParseRoute, DelimitedQuoted, zav::kMapDelimited)->Unit(benchmark::kMillisecond);
