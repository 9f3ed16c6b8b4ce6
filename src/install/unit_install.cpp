#include "install/unit_install.h"

#include <array>
#include <utility>

#include "core/frontend.h"
#include "core/identity.h"
#include "core/text.h"
#include "install/installer.h"

namespace zav {

std::string HandheldProgramFile(std::string_view executableName) {
    static constexpr std::array<std::pair<const char*, const char*>, 3> kEditions{{
        {"ZavDepot", "ZAVELKORN.PRC"},
        {"Pendrel", "CORVANDER.PRC"},
        {"Marquand", "ECORVANDER.PRC"},
    }};
    for (const auto& [edition, file] : kEditions)
        if (EqualsNoCase(executableName, edition)) return file;
    return "";
}

bool InstallUnits(const std::vector<std::string>& units, bool includeMeazura, const std::string& programFile,
                  const std::filesystem::path& home) {
    HotSyncDesktop desktop(home);
    clsInstaller installer(desktop);
    bool allScheduled = true;
    if (programFile.empty() && !units.empty()) {
        CurrentFrontend().ShowMessage("No handheld program file belongs to this edition of the program.", kAppTitle);
        allScheduled = false;
    }
    for (const auto& unit : units) {
        if (!programFile.empty() && installer.PRC(unit, programFile) != 0) allScheduled = false;
        if (!includeMeazura) continue;
        if (installer.PRC(unit, kMeazuraLibFile) != 0) {
            AddLog("Warning: Meazura Support extension file failed to install");
            allScheduled = false;
        }
        if (installer.PRC(unit, kMeazuraStartupPatchFile) != 0) {
            AddLog("Warning: Meazura Startup patch file failed to install");
            allScheduled = false;
        }
    }
    return allScheduled;
}

}  // namespace zav
