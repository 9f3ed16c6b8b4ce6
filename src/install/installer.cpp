#include "install/installer.h"

#include "core/frontend.h"
#include "core/identity.h"

namespace zav {

namespace {

void Say(const std::string& text) { CurrentFrontend().ShowMessage(text, kAppTitle); }

std::string UndefinedError(int code) { return "Undefined error: " + std::to_string(code) + " occurred."; }

std::string ConduitMessage(int code) {
    switch (code) {
        case 0:
            return "Conduit Installed";
        case -1005:
            return "Conduit is already installed";
        case -1200:
            return "PCI Base Error";
        case -1201:
            return "Error loading temp condmgr";
        case -1202:
            return "Invalid CondMgr";
        case -1203:
            return "HSAPI not found";
        case -1204:
            return "Conduit not found";
        case -1205:
            return "HotSync in progress";
        default:
            return "Undefined error: " + std::to_string(code);
    }
}

}  // namespace

std::int16_t clsInstaller::UserCount() const {
    const std::int32_t count = desktop_.UmGetUserCount();
    return count > 0 && count <= 32767 ? static_cast<std::int16_t>(count) : 0;
}

std::vector<std::string> clsInstaller::UserNames() const {
    std::vector<std::string> names;
    const std::int32_t count = desktop_.UmGetUserCount();
    for (std::int32_t i = 0; i < count && i <= 32767; ++i) {
        std::int32_t id = 0;
        desktop_.UmGetUserID(static_cast<std::int16_t>(i), id);
        std::string name = desktop_.UmGetUserName(id);
        names.push_back(name.substr(0, name.find('\0')));
    }
    return names;
}

std::int16_t clsInstaller::PRC(const std::string& User, const std::string& PrcFile, std::int16_t* libraryCode) {
    desktop_.UmAddUser(User, 0);
    const std::int16_t code = desktop_.PltInstallFile(User, PrcFile);
    if (libraryCode) *libraryCode = code;
    switch (code) {
        case kPltOk:
            return 0;
        case kPltAlreadyScheduled:
            // A different file of that name still waiting would reach the unit instead of this one.
            if (desktop_.ScheduledCopyMatches(User, PrcFile) == false &&
                desktop_.PltRemoveInstallFile(User, PrcFile) == kPltOk &&
                desktop_.PltInstallFile(User, PrcFile) == kPltOk) {
                if (libraryCode) *libraryCode = kPltOk;
                Say("Application (" + PrcFile +
                    ") replaces the different copy that was scheduled to be installed during next HotSync "
                    "operation.");
                return 0;
            }
            Say("Application (" + PrcFile + ") is already scheduled to be installed during next HotSync operation.");
            return 0;
        case kPltNotFound:
            Say("Application not found in " + desktop_.Home().string() + ": " + PrcFile);
            return kPltNotFound;
        default:
            Say(UndefinedError(code));
            return code;
    }
}

std::int16_t clsInstaller::RemovePRC(const std::string& User, const std::string& PrcFile) {
    desktop_.UmAddUser(User, 0);
    const std::int16_t code = desktop_.PltRemoveInstallFile(User, PrcFile);
    switch (code) {
        case kPltAlreadyScheduled:
            return 0;
        case kPltOk:
        case kPltNotFound:
        case kPltNotWithdrawn:
            return code;
        default:
            Say(UndefinedError(code));
            return code;
    }
}

std::int16_t clsInstaller::Conduit(const std::string& CreatorID, const std::string& ConduitFile,
                                   const std::string& ConduitName, const std::string& CopyrightInfo) {
    const std::string folder = desktop_.Home().string();
    const std::int16_t code =
        desktop_.InstallConduit(folder, CreatorID, folder, ConduitFile, "", "", "", ConduitName, 2, CopyrightInfo);
    Say(ConduitMessage(code));
    return code;
}

}  // namespace zav
