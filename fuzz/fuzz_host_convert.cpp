// The MVRS and E5000 conversions on arbitrary bytes as the download file: the first byte chooses the format
// (MVRS with or without special radio processing, or E5000) and the container. The route driver reports
// every problem in the run log and never crashes; a route database it calls good is readable, and the
// reading conversion of that database into the upload file of the same format runs to its end.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/file_io.h"
#include "core/frontend.h"
#include "exchange/exchange.h"
#include "exchange/prompts.h"
#include "hostformats/host_formats.h"
#include "support/quiet_frontend.h"
#include "zav/zav.h"

namespace {

namespace fs = std::filesystem;

using zav::test::QuietFrontend;

struct Setup {
    fs::path home;
    zav::RegistryStore* store;
    zav::clsExchange* exchange;
    QuietFrontend ui;
};

Setup& Prepared() {
    static Setup setup = [] {
        Setup s;
        s.home = fs::temp_directory_path() / ("zav-fuzz-host-convert-" + std::to_string(::getpid()));
        fs::create_directories(s.home);
        zav::WriteFileBytes(s.home / "Radio.zcm", "MAPTYPE=3\r\nMAPOPTIONS=1:Y\r\n");
        zav::WriteFileBytes(s.home / "MVRS.zcm", "MAPTYPE=3\r\n");
        zav::WriteFileBytes(s.home / "MVRS.zrm", "MAPTYPE=3\r\n");
        zav::WriteFileBytes(s.home / "E5000.zcm", "MAPTYPE=4\r\n");
        zav::WriteFileBytes(s.home / "E5000.zrm", "MAPTYPE=4\r\n");
        zav::RegisterHostFormats();
        s.store = new zav::RegistryStore(s.home / "registry.sqlite3");
        s.exchange = new zav::clsExchange(*s.store);
        s.exchange->HomeFolder = s.home;
        s.exchange->RouteSource = "route.dat";
        s.exchange->RouteDestination = "RouteZAV.pdb";
        s.exchange->ReadingSource = "RouteZAV.pdb";
        s.exchange->ReadingDestination = "upload.dat";
        s.exchange->OrphanConvert = 0;
        s.exchange->AutoReRead = 0;
        return s;
    }();
    return setup;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Setup& s = Prepared();
    zav::ScopedFrontend scoped(s.ui);
    zav::Prompts().Clear();
    const int format = data[0] % 3;
    s.exchange->RouteMap = format == 0 ? "Radio" : format == 1 ? "MVRS" : "E5000";
    s.exchange->ReadingMap = format == 2 ? "E5000" : "MVRS";
    s.exchange->RouteZAVType = (data[0] & 4) ? "VFS" : "PDB";
    zav::WriteFileBytes(s.home / "route.dat", std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    std::error_code ec;
    fs::remove(s.home / "RouteZAV.pdb", ec);
    if (s.exchange->ConvertRoute()) {
        zav::clsZAV db;
        if (db.OpenZAVWithFileVersion(s.home / "RouteZAV.pdb")) __builtin_trap();
        if (!db.ReadData() || db.RecType() != zav::kRecHeader) __builtin_trap();
#ifdef ZAV_HOST_READINGS
        (void)s.exchange->ConvertReading();
#endif
    }
    return 0;
}
