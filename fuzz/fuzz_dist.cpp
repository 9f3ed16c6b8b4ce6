// LoadDist on arbitrary bytes: never crashes, and never writes outside the home folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/file_io.h"
#include "core/frontend.h"
#include "setup/dist.h"

namespace {

namespace fs = std::filesystem;

struct SilentFrontend final : zav::Frontend {
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

struct Setup {
    Setup() {
        root = fs::temp_directory_path() / ("zav-fuzz-dist-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "work" / "home");
        store = std::make_unique<zav::RegistryStore>(root / "work" / "home" / "registry.sqlite3");
    }
    fs::path root;
    std::unique_ptr<zav::RegistryStore> store;
    SilentFrontend ui;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Setup setup;
    zav::ScopedFrontend scoped(setup.ui);
    const fs::path work = setup.root / "work";
    const fs::path home = work / "home";
    const fs::path input = setup.root / "in.dst";
    zav::WriteFileBytes(input, std::string_view(reinterpret_cast<const char*>(data), size));

    zav::clsDist dist(*setup.store, home);
    dist.LoadDist(input.string());

    // Only map files in the home folder may appear; remove them for the next input.
    for (const auto& entry : fs::directory_iterator(work))
        if (entry.path().filename() != "home") __builtin_trap();
    for (const auto& entry : fs::directory_iterator(home)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("registry.sqlite3", 0) == 0) continue;
        if (!zav::IsDistMapFileName(name) || !entry.is_regular_file()) __builtin_trap();
        fs::remove(entry.path());
    }
    for (const auto& entry : fs::directory_iterator(setup.root))
        if (entry.path().filename() != "work" && entry.path().filename() != "in.dst") __builtin_trap();
    return 0;
}
