#include "cli/conversion_run.h"

#include <filesystem>

#include "cli/command.h"
#include "core/frontend.h"

namespace zav {

std::string CommandLinePath(const std::string& path) {
    if (path.empty()) return path;
    return std::filesystem::absolute(path).lexically_normal().string();
}

int ConversionExit(bool succeeded) {
    if (succeeded) return kExitOk;
    CurrentFrontend().ShowMessage("Check Log\r\nConversion Not Complete", "Error");
    return kExitFailed;
}

}  // namespace zav
