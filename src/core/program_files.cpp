#include "core/program_files.h"

#include <system_error>

#ifndef ZAVDEPOT_PRIVATE_DIR
#define ZAVDEPOT_PRIVATE_DIR "../libexec/zavdepot"
#endif

namespace zav {

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    return self.parent_path();
}

std::optional<std::filesystem::path> FindProgramFile(const std::string& name) {
    const auto folder = ProgramFolder();
    if (folder.empty()) return std::nullopt;
    for (const auto& candidate : {folder / name, folder / ZAVDEPOT_PRIVATE_DIR / name}) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec)) return candidate.lexically_normal();
    }
    return std::nullopt;
}

}  // namespace zav
