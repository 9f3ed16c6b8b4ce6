// Both download readers (MVRS and E5000) on an arbitrary file: every line is read, known records are
// parsed, progress stays within 0-255, and the readers stop at the end of the file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/file_io.h"
#include "hostformats/e5k_files.h"
#include "hostformats/mvrs_files.h"

namespace {

const std::filesystem::path& InputPath() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("zav-fuzz-host-" + std::to_string(::getpid()) + ".dat");
    return path;
}

template <typename Reader>
void ReadAll(std::size_t size) {
    Reader reader;
    if (!reader.OpenFile(InputPath())) __builtin_trap();
    std::int32_t lines = 0;
    while (!reader.AtEnd()) {
        zav::clsRecType* rec = reader.ReadNext();
        if (rec != nullptr) (void)rec->Text("RecID");
        const auto p = reader.Position255();
        if (p < 0 || p > 255) __builtin_trap();
        if (reader.LineNo() != ++lines) __builtin_trap();
        if (static_cast<std::size_t>(lines) > size + 1) __builtin_trap();
    }
    if (reader.ReadNext() != nullptr) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zav::WriteFileBytes(InputPath(), std::string_view(reinterpret_cast<const char*>(data), size));
    ReadAll<zav::clsMVRSDownload>(size);
    ReadAll<zav::clsE5KDownload>(size);
    return 0;
}
