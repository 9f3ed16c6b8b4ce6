#include "install/auto_install.h"

#include <system_error>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/home.h"
#include "core/text.h"
#include "install/installer.h"
#include "install/palm_users.h"

namespace zav {

namespace fs = std::filesystem;

bool AutoInstallApplies(const std::string& zavType, std::int16_t autoInstall) {
    return (zavType == "PRC" || zavType == "PDB") && autoInstall != 0;
}

std::string PromptForUnit(const fs::path& home) {
    std::vector<std::string> names;
    try {
        const HotSyncDesktop desktop(home);
        names = clsPalmUsers(desktop).Names();
    } catch (const RuntimeError& e) {
        CurrentFrontend().ShowMessage(e.Description(), "Error");
        return "";
    }
    return CurrentFrontend().PromptUnit(names);
}

bool InstallPRC(const std::string& SourcePRC, const AutoInstallSettings& settings, const fs::path& home) {
    try {
        std::string unit(Trim(settings.AutoInstallUnit));
        if (unit.empty() || settings.AutoInstallPrompt) unit = PromptForUnit(home);
        if (unit.empty()) return false;

        HotSyncDesktop desktop(home);
        clsInstaller installer(desktop);
        // Withdraw first: replaces a copy still waiting from an earlier conversion.
        installer.RemovePRC(unit, SourcePRC);
        std::int16_t copied = 0;
        if (installer.PRC(unit, SourcePRC, &copied) != 0) {
            AddLog("Error: Unable to automatically install route to Handheld unit");
            return false;
        }
        AddLog("Info: " + SourcePRC + " copied to HotSync install folder for " + unit);
        // Only a file this call copied may go: when the schedule was already there (the withdrawal
        // failed, or the destination is the install folder itself) the written file is the only copy.
        if (!settings.AutoInstallLeave && copied == kPltOk) {
            std::error_code ec;
            if (!fs::remove(ResolveAgainst(home, SourcePRC), ec) || ec)
                throw ec ? FileError(ec.value()) : RuntimeError(kErrFileNotFound);
            AddLog("Info: " + SourcePRC + " Removed from destination folder");
        }
        return true;
    } catch (const RuntimeError& e) {
        AddLog("Error: " + e.Description() + " occurred during auto install");
        CurrentFrontend().ShowMessage(e.Description(), "Error");
        return false;
    }
}

}  // namespace zav
