// The reading conversion on the largest routes: a readings database of 30,000 meters over 40 routes
// to a fixed-width upload file of 14 fields (dates, times, texts, adjusted readings), against the
// I/O floor: reading the database's bytes and writing the upload file's bytes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "core/file_io.h"
#include "core/frontend.h"
#include "exchange/exchange.h"
#include "setup/registry_store.h"
#include "support/quiet_frontend.h"
#include "zav/zav.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMeters = 30000;
constexpr int kRoutes = 40;

using zav::test::QuietFrontend;

void Out(zav::clsExchMap& m, const char* field, int position, int width, int align, int pad, int format = 0) {
    m.MapOption(field, zav::kWriteToDestination);
    m.DataPosition(field, static_cast<std::int16_t>(position));
    m.DataWidth(field, static_cast<std::int16_t>(width));
    m.MapAlign(field, align);
    m.MapPad(field, pad);
    m.MapFormat(field, format);
}

struct Fixture {
    fs::path dir = fs::temp_directory_path() / "zav-bench-reading-convert";
    QuietFrontend frontend;
    zav::ScopedFrontend scoped{frontend};
    zav::RegistryStore store{(fs::create_directories(dir), dir / "registry.sqlite3")};
    zav::clsExchange ex{store};

    Fixture() {
        ex.HomeFolder = dir;
        ex.ReadingSource = "ReadingZAV.pdb";
        ex.ReadingDestination = "upload.txt";
        WriteReadings(dir / "ReadingZAV.pdb");
        zav::clsExchMap& m = ex.ExchMap;
        m.NewMap("Bench.zrm", zav::kMapReading);
        m.MapType(zav::kMapFixed);
        m.MapLength(120);
        Out(m, "RouteNbr", 1, 6, 1, 2);
        Out(m, "Sequence", 7, 6, 2, 1);
        Out(m, "MeterTagNbr", 13, 10, 2, 1);
        Out(m, "CurReading", 23, 8, 2, 1);
        Out(m, "ReadingDate", 31, 10, 1, 2, 25);
        Out(m, "ReadingTime", 41, 8, 1, 2, 43);
        Out(m, "Status", 49, 2, 2, 1);
        Out(m, "ReadType", 51, 1, 1, 2);
        Out(m, "ResponseCode", 52, 4, 2, 1);
        Out(m, "TamperCount", 56, 4, 2, 1);
        Out(m, "Initials", 60, 4, 1, 2);
        Out(m, "ResponseText", 64, 20, 1, 2);
        Out(m, "MeterSerialNbr", 84, 12, 1, 2);
        Out(m, "User1", 96, 20, 1, 2);
    }

    static void WriteReadings(const fs::path& path) {
        zav::clsZAV db;
        db.SetVersion(zav::kZAVCurrentVersion);
        db.CreateZAV(path, zav::kContainerPDB, kMeters + kRoutes + 1);
        db.AddNew();
        db.SetItem("RecType", std::int16_t{0});
        db.SetItem("RouteNbr", kRoutes);
        db.SetItem("MeterType", std::int16_t{zav::kZAVCurrentVersion});
        db.WriteData();
        for (int r = 1; r <= kRoutes; ++r) {
            db.AddNew();
            db.SetItem("RecType", std::int16_t{256});
            db.SetItem("RouteNbr", r);
            db.SetItem("Initials", "R" + std::to_string(1000 + r));
            db.WriteData();
        }
        for (int i = 0; i < kMeters; ++i) {
            db.AddNew();
            db.SetItem("RecType", std::int16_t{2});
            db.SetItem("RouteNbr", i * kRoutes / kMeters + 1);
            db.SetItem("Sequence", i + 1);
            db.SetItem("MeterTagNbr", 10000000 + i);
            db.SetItem("Digits", std::int16_t{6});
            db.SetItem("Decimals", std::int16_t{1});
            db.SetItem("CurReading", 1234567 + i);
            db.SetItem("ReadingDate", 20250115);
            db.SetItem("ReadingTime", 93000 + i % 60);
            db.SetItem("Status", std::int16_t{1});
            db.SetItem("ReadType", static_cast<std::int16_t>(1 + i % 3));
            db.SetItem("Initials", "JB");
            db.SetItem("ResponseText", "Dog in yard");
            db.SetItem("ServiceAddress", std::to_string(i) + " Elm Street");
            db.SetItem("BillingName", "Owner " + std::to_string(i));
            db.SetItem("MeterSerialNbr", "SN" + std::to_string(i));
            db.SetItem("User1", "acct~" + std::to_string(i));
            db.WriteData();
        }
        db.CloseZAV();
    }
};

void ReadingConvertFixed(benchmark::State& state) {
    Fixture f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f.ex.ConvertReadingFlat(zav::kZAVCurrentVersion));
        f.ex.ReadingZAV.reset();
    }
    state.SetItemsProcessed(state.iterations() * kMeters);
    state.counters["upload_bytes"] = static_cast<double>(fs::file_size(f.dir / "upload.txt"));
    state.SetLabel("30000 meters, 14 fields");
}

// The floor: the database's bytes read and the upload file's bytes written, nothing else.
void ReadingConvertIOFloor(benchmark::State& state) {
    Fixture f;
    f.ex.ConvertReadingFlat(zav::kZAVCurrentVersion);
    const std::string upload = zav::ReadFileBytes(f.dir / "upload.txt");
    for (auto _ : state) {
        benchmark::DoNotOptimize(zav::ReadFileBytes(f.dir / "ReadingZAV.pdb").size());
        zav::WriteFileBytes(f.dir / "floor.txt", upload);
    }
    state.SetItemsProcessed(state.iterations() * kMeters);
}

}  // namespace

BENCHMARK(ReadingConvertFixed)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadingConvertIOFloor)->Unit(benchmark::kMillisecond);
