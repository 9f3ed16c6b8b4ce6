// LoadMap on arbitrary bytes, for every map use: loads or ignores lines, never crashes or allocates
// without bound; saving what was loaded and loading it again settles on one text.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/file_io.h"
#include "maps/exch_map.h"

namespace {

const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        auto dir = std::filesystem::temp_directory_path() / ("zav-fuzz-map-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        return dir;
    }();
    return folder;
}

std::string Reloaded(const std::string& text, int use) {
    zav::clsExchMap m;
    m.NewMap("Fuzz" + zav::MapUseExtension(use), use);
    m.ApplyMapFileText(text);
    return m.MapFileText();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static const int kUses[] = {zav::kMapRoute, zav::kMapReRead, zav::kMapReading, zav::kMapOrphan};
    const int use = kUses[data[0] % 4];
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string name = "Fuzz" + zav::MapUseExtension(use);
    zav::WriteFileBytes(Folder() / name, bytes);

    zav::clsExchMap map(Folder());
    if (!map.LoadMap(name, use)) __builtin_trap();
    std::string message;
    map.ValidateMap(message);
    for (int i = 1; i <= map.FieldCount(); ++i) (void)map.Prompt(i, true);

    const std::string once = map.MapFileText();
    const std::string twice = Reloaded(once, use);
    if (Reloaded(twice, use) != twice) __builtin_trap();
    return 0;
}
