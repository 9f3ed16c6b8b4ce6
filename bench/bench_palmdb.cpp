// Writing and reading a large ZAV database (60,000 version-3 meter records with filled texts, about
// 7.8 MB) through clsZAV, next to a plain write and read of the same bytes as the floor.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "zav/zav.h"

namespace {

constexpr int kRecords = 60000;

std::filesystem::path BenchFile(const char* name) {
    return std::filesystem::temp_directory_path() / (std::string("zavdepot_bench_") + name + ".pdb");
}

// One meter record's fields, by name as a converter sets them.
void FillMeter(zav::clsZAV& zav, int i) {
    zav.AddNew();
    zav.SetItem("RecType", std::int32_t{2});
    zav.SetItem("RouteNbr", std::int32_t{1 + i / 1000});
    zav.SetItem("Sequence", std::int32_t{i});
    zav.SetItem("MeterTagNbr", std::int32_t{100000 + i});
    zav.SetItem("MeterType", std::int32_t{1});
    zav.SetItem("Digits", std::int32_t{6});
    zav.SetItem("PrvReading", std::int32_t{i * 3});
    zav.SetItem("MaxReading", std::int32_t{999999});
    zav.SetItem("MinReading", std::int32_t{i});
    zav.SetItem("ReadingDate", std::int32_t{20240109});
    zav.SetItem("Status", std::int32_t{0});
    zav.SetItem("UtilityCode", std::int32_t{1});
    zav.SetItem("ScaleFactor", std::int32_t{1});
    zav.SetItem("Message", std::string("Dog in yard"));
    zav.SetItem("ServiceAddress", std::string("1234 Elm St"));
    zav.SetItem("BillingName", std::string("J SMITH"));
    zav.SetItem("ServiceUniqueID", std::string("A") + std::to_string(100000 + i));
    zav.SetItem("MeterSerialNbr", std::string("S") + std::to_string(i));
}

// The file image the benchmarks write, and its records.
struct Sample {
    std::string image;
    std::vector<std::string> records;
};

const Sample& SampleData() {
    static const Sample sample = [] {
        Sample s;
        const auto path = BenchFile("sample");
        {
            zav::clsZAV zav;
            zav.SetVersion(zav::kZAVCurrentVersion);
            zav.CreateZAV(path, zav::kContainerPDB, kRecords);
            for (int i = 0; i < kRecords; ++i) {
                FillMeter(zav, i);
                s.records.push_back(zav.RawData());
                zav.WriteData();
            }
            zav.CloseZAV();
        }
        s.image = zav::ReadFileBytes(path);
        std::filesystem::remove(path);
        return s;
    }();
    return sample;
}

void Finish(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() * kRecords);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(SampleData().image.size()));
}

void BM_FloorWrite(benchmark::State& state) {
    const auto& sample = SampleData();
    const auto path = BenchFile("floor");
    for (auto _ : state) zav::WriteFileBytes(path, sample.image);
    Finish(state);
}

void BM_FloorRead(benchmark::State& state) {
    const auto path = BenchFile("floor");
    zav::WriteFileBytes(path, SampleData().image);
    for (auto _ : state) benchmark::DoNotOptimize(zav::ReadFileBytes(path));
    Finish(state);
}

// Records built elsewhere: the container and record layer alone.
void BM_ZAVWriteRecords(benchmark::State& state) {
    const auto& sample = SampleData();
    const auto path = BenchFile("zav");
    for (auto _ : state) {
        zav::clsZAV zav;
        zav.SetVersion(zav::kZAVCurrentVersion);
        zav.CreateZAV(path, zav::kContainerPDB, kRecords);
        for (const auto& record : sample.records) {
            zav.SetRawData(record);
            zav.WriteData();
        }
        zav.CloseZAV();
    }
    Finish(state);
}

void BM_ZAVReadRecords(benchmark::State& state) {
    const auto path = BenchFile("zav");
    zav::WriteFileBytes(path, SampleData().image);
    for (auto _ : state) {
        zav::clsZAV zav;
        zav.OpenZAVWithFileVersion(path);
        std::size_t total = 0;
        while (zav.ReadData()) total += static_cast<std::size_t>(zav.RecType());
        benchmark::DoNotOptimize(total);
    }
    Finish(state);
}

// Field by field, as the converters use it: every field set by name; every record's values read.
void BM_ZAVWriteFields(benchmark::State& state) {
    const auto path = BenchFile("zav");
    for (auto _ : state) {
        zav::clsZAV zav;
        zav.SetVersion(zav::kZAVCurrentVersion);
        zav.CreateZAV(path, zav::kContainerPDB, kRecords);
        for (int i = 0; i < kRecords; ++i) {
            FillMeter(zav, i);
            zav.WriteData();
        }
        zav.CloseZAV();
    }
    Finish(state);
}

// The same fields by position, the names looked up once: what the name lookups cost.
void BM_ZAVWriteFieldsByIndex(benchmark::State& state) {
    const auto path = BenchFile("zav");
    const char* names[] = {"RecType",     "RouteNbr",        "Sequence",      "MeterTagNbr", "MeterType",
                           "Digits",      "PrvReading",      "MaxReading",    "MinReading",  "ReadingDate",
                           "Status",      "UtilityCode",     "ScaleFactor",   "Message",     "ServiceAddress",
                           "BillingName", "ServiceUniqueID", "MeterSerialNbr"};
    for (auto _ : state) {
        zav::clsZAV zav;
        zav.SetVersion(zav::kZAVCurrentVersion);
        int f[18];
        for (int n = 0; n < 18; ++n) f[n] = zav.DB().FindItem(names[n]);
        zav.CreateZAV(path, zav::kContainerPDB, kRecords);
        zav::clsPalmDB& db = zav.DB();
        for (int i = 0; i < kRecords; ++i) {
            db.AddNew();
            db.SetItem(f[0], std::int32_t{2});
            db.SetItem(f[1], std::int32_t{1 + i / 1000});
            db.SetItem(f[2], std::int32_t{i});
            db.SetItem(f[3], std::int32_t{100000 + i});
            db.SetItem(f[4], std::int32_t{1});
            db.SetItem(f[5], std::int32_t{6});
            db.SetItem(f[6], std::int32_t{i * 3});
            db.SetItem(f[7], std::int32_t{999999});
            db.SetItem(f[8], std::int32_t{i});
            db.SetItem(f[9], std::int32_t{20240109});
            db.SetItem(f[10], std::int32_t{0});
            db.SetItem(f[11], std::int32_t{1});
            db.SetItem(f[12], std::int32_t{1});
            db.SetItem(f[13], std::string("Dog in yard"));
            db.SetItem(f[14], std::string("1234 Elm St"));
            db.SetItem(f[15], std::string("J SMITH"));
            db.SetItem(f[16], std::string("A") + std::to_string(100000 + i));
            db.SetItem(f[17], std::string("S") + std::to_string(i));
            db.WriteData();
        }
        zav.CloseZAV();
    }
    Finish(state);
}

void BM_ZAVReadValues(benchmark::State& state) {
    const auto path = BenchFile("zav");
    zav::WriteFileBytes(path, SampleData().image);
    for (auto _ : state) {
        zav::clsZAV zav;
        zav.OpenZAVWithFileVersion(path);
        std::size_t total = 0;
        while (zav.ReadData()) total += zav.GetValues().Count();
        benchmark::DoNotOptimize(total);
    }
    Finish(state);
}

BENCHMARK(BM_FloorWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZAVWriteRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZAVWriteFields)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZAVWriteFieldsByIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FloorRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZAVReadRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZAVReadValues)->Unit(benchmark::kMillisecond);

}  // namespace
