// Readings databases come back from the field: arbitrary bytes as a readings database through the
// flat upload converter (fixed map), the orphan converter (delimited, quoted map) and the exception
// re-read builder. A damaged database ends a converter with a run-time error, never a crash, a hang
// or a huge allocation.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/frontend.h"
#include "exchange/exchange.h"
#include "setup/registry_store.h"
#include "zav/zav.h"

namespace {

namespace fs = std::filesystem;

// Swallows the run log and answers every question with No.
struct QuietFrontend final : zav::Frontend {
    void AddLog(const std::string&) override {}
    void SetProgressButton(long, long) override {}
    bool AskYesNo(const std::string&, const std::string&, bool) override { return false; }
    void ShowMessage(const std::string&, const std::string&) override {}
    int AbortRetryIgnore(const std::string&, const std::string&) override { return zav::kAbort; }
    std::string PromptVariables(const std::vector<zav::PromptField>&,
                                std::vector<std::pair<std::string, std::string>>&) override {
        return "CANCEL";
    }
    std::string PromptUnit(const std::vector<std::string>&) override { return ""; }
};

void Out(zav::clsExchMap& m, const char* field, int position, int width, int align, int pad, int format = 0) {
    m.MapOption(field, zav::kWriteToDestination);
    m.DataPosition(field, static_cast<std::int16_t>(position));
    m.DataWidth(field, static_cast<std::int16_t>(width));
    m.MapAlign(field, align);
    m.MapPad(field, pad);
    m.MapFormat(field, format);
}

struct Setup {
    fs::path dir = fs::temp_directory_path() / ("fuzz_reading_convert_" + std::to_string(::getpid()));
    QuietFrontend frontend;
    zav::ScopedFrontend scoped{frontend};
    std::unique_ptr<zav::RegistryStore> store;
    std::unique_ptr<zav::clsExchange> exchange;
    zav::clsExchMap upload, orphans;

    Setup() {
        fs::create_directories(dir);
        store = std::make_unique<zav::RegistryStore>(dir / "registry.sqlite3");
        exchange = std::make_unique<zav::clsExchange>(*store);
        exchange->HomeFolder = dir;
        exchange->ReadingSource = "readings.pdb";
        exchange->ReadingDestination = "upload.txt";
        exchange->OrphanDestination = "orphans.txt";
        exchange->OrphanReplace = 1;

        upload.NewMap("Upload.zrm", zav::kMapReading);
        upload.MapType(zav::kMapFixed);
        upload.MapLength(60);
        Out(upload, "RouteNbr", 1, 4, 1, 2);
        Out(upload, "MeterTagNbr", 5, 10, 2, 1);
        Out(upload, "CurReading", 15, 8, 2, 1);
        Out(upload, "ReadingDate", 23, 10, 1, 2, 25);
        Out(upload, "ReadingTime", 33, 8, 1, 2, 43);
        Out(upload, "ReadType", 41, 1, 1, 2);
        Out(upload, "Decimals", 42, 2, 2, 1);
        Out(upload, "BillingName", 30, 12, 1, 2);  // overlaps earlier columns
        Out(upload, "User5", 44, 20, 1, 2);

        orphans.NewMap("Orphans.zom", zav::kMapOrphan);
        orphans.MapType(zav::kMapDelimited);
        orphans.MapDelimiter(",");
        orphans.MapQuote("\"");
        Out(orphans, "MeterTagNbr", 1, 0, 1, 2);
        Out(orphans, "CurReading", 3, 0, 1, 2);
        Out(orphans, "ReadingDate", 2, 0, 1, 2, 16);
        Out(orphans, "LstReadingDate", 9, 0, 1, 2);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Setup s;
    zav::clsExchange& x = *s.exchange;
    zav::WriteFileBytes(s.dir / "readings.pdb", std::string(reinterpret_cast<const char*>(data), size));
    const auto version = zav::clsZAV::ReadFileVersion(s.dir / "readings.pdb");
    if (!version) return 0;

    x.ExchMap = s.upload;
    try {
        (void)x.ConvertReadingFlat(*version);
    } catch (const zav::RuntimeError&) {
    }
    if (x.ReadingZAV) {
        try {
            (void)x.BuildExceptionReRead(*x.ReadingZAV, s.dir / "reread.pdb");
        } catch (const zav::RuntimeError&) {
        }
        x.ReadingZAV.reset();
        std::error_code ec;
        fs::remove(s.dir / "reread.pdb", ec);
    }
    x.ExchMap = s.orphans;
    try {
        (void)x.ConvertOrphanFlat(*version);
    } catch (const zav::RuntimeError&) {
    }
    return 0;
}
