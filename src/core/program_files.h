// Files shipped with the program (the desktop executable, modules loaded on demand), found beside the
// running executable in a build folder or in the installed private folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zav {

// The folder of the running executable (empty when the system cannot tell).
std::filesystem::path ProgramFolder();

// The path of the program file `name`: beside the running executable, else in the installed private
// folder (relative to the executable's folder: ZAVDEPOT_PRIVATE_DIR, set by the build). Nothing when
// neither holds it.
std::optional<std::filesystem::path> FindProgramFile(const std::string& name);

}  // namespace zav
