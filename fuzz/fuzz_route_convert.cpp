// The whole route conversion on arbitrary bytes as the route source, with fixed maps (the first byte
// chooses the fixed-width or the delimited one), into a temporary folder. The driver reports every
// problem in the run log and returns false; it never crashes, and a true result is a readable database.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/file_io.h"
#include "core/frontend.h"
#include "exchange/exchange.h"
#include "exchange/prompts.h"
#include "zav/zav.h"

namespace {

namespace fs = std::filesystem;

// Says nothing, answers Yes (so each run replaces the previous database) and OK.
struct QuietFrontend final : zav::Frontend {
    void AddLog(const std::string&) override {}
    void SetProgressButton(long, long) override {}
    bool AskYesNo(const std::string&, const std::string&, bool) override { return true; }
    void ShowMessage(const std::string&, const std::string&) override {}
    int AbortRetryIgnore(const std::string&, const std::string&) override { return zav::kAbort; }
    std::string PromptVariables(const std::vector<zav::PromptField>&,
                                std::vector<std::pair<std::string, std::string>>& answers) override {
        answers = {{"Message", "fuzz"}};
        return "OK";
    }
    std::string PromptUnit(const std::vector<std::string>&) override { return ""; }
};

constexpr const char* kFields =
    "MeterTagNbr=3,8,,,0\r\nMeterType=4,1,,,0\r\nReadType=5,1,,,0\r\nLstReadingDate=6,10,,,26\r\n"
    "ServiceAddress=7,20,,,0\r\nBillingName=8,20,,,0\r\nServiceUniqueID=9,10,,,0\r\nMeterSerialNbr=10,10,,,0\r\n"
    "UtilityCode=11,3,,,0\r\nDigits=12,2,,,0\r\nPrvReading=13,9,,,0\r\nMessage=P\r\nUser1=C,u\r\n";

struct Setup {
    fs::path home;
    zav::RegistryStore* store;
    zav::clsExchange* exchange;
    QuietFrontend ui;
};

Setup& Prepared() {
    static Setup setup = [] {
        Setup s;
        s.home = fs::temp_directory_path() / ("zav-fuzz-convert-" + std::to_string(::getpid()));
        fs::create_directories(s.home);
        zav::WriteFileBytes(s.home / "Fixed.zcm",
                            std::string("MAPTYPE=1\r\nRouteNbr=1,2,,,0\r\nSequence=3,4,,,0\r\n") +
                                "MeterTagNbr=7,8,,,0\r\nMeterType=15,1,,,0\r\nReadType=16,1,,,0\r\n"
                                "LstReadingDate=17,8,,,24\r\nServiceAddress=25,12,,,0\r\n"
                                "UtilityCode=37,3,,,0\r\nDigits=40,3,,,0\r\nMessage=P\r\n");
        zav::WriteFileBytes(s.home / "Delimited.zcm",
                            std::string("MAPTYPE=2\r\nMAPDELIMITER=,\r\nMAPQUOTE=\"\r\nRouteNbr=1,0,,,0\r\n"
                                        "Sequence=A\r\n") +
                                kFields);
        s.store = new zav::RegistryStore(s.home / "registry.sqlite3");
        s.exchange = new zav::clsExchange(*s.store);
        s.exchange->HomeFolder = s.home;
        s.exchange->RouteSource = "route.txt";
        s.exchange->RouteDestination = "RouteZAV.pdb";
        s.exchange->RouteZAVType = "PDB";
        return s;
    }();
    return setup;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Setup& s = Prepared();
    zav::ScopedFrontend scoped(s.ui);
    s.exchange->RouteMap = (data[0] & 1) ? "Delimited" : "Fixed";
    s.exchange->RouteZAVType = (data[0] & 2) ? "VFS" : "PDB";
    zav::WriteFileBytes(s.home / "route.txt", std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    if (s.exchange->ConvertRoute()) {
        zav::clsZAV db;
        if (db.OpenZAVWithFileVersion(s.home / "RouteZAV.pdb")) __builtin_trap();
        if (!db.ReadData() || db.RecType() != zav::kRecHeader) __builtin_trap();
    }
    return 0;
}
