// The automatic install after a conversion: the database just written is scheduled for one unit at
// once, and the local copy may be deleted.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace zav {

// The exchange settings the automatic install reads (true = on).
struct AutoInstallSettings {
    std::string AutoInstallUnit;     // the default unit's name
    bool AutoInstallPrompt = false;  // always ask for the unit
    bool AutoInstallLeave = false;   // keep the written file in its destination folder
};

// True when a conversion that wrote a database of `zavType` (`RouteZAVType` or `ReReadZAVType`) is to
// install it: the type is exactly "PRC" or "PDB" and `autoInstall` (the AutoInstall flag) is on.
bool AutoInstallApplies(const std::string& zavType, std::int16_t autoInstall);

// The unit prompt: a fresh snapshot of the users offered through Frontend::PromptUnit. Returns the
// chosen name, or "" when cancelled; an error while listing the users is shown (title "Error") and
// gives "".
std::string PromptForUnit(const std::filesystem::path& home);

// Schedules the database `SourcePRC` (as the driver names it; relative paths resolve against the home
// folder) for the configured unit, or the one the user picks, and logs the outcome. Deletes the file
// afterwards unless AutoInstallLeave is on, but only when this call copied it into the install folder.
// True when the file was scheduled; false when no unit was chosen (nothing logged) or it failed.
// Never throws: errors are logged and shown.
bool InstallPRC(const std::string& SourcePRC, const AutoInstallSettings& settings, const std::filesystem::path& home);

}  // namespace zav
