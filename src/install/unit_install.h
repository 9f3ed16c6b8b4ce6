// Installing the handheld program files on units: the edition's program file and, on request, the
// Meazura support files, all taken from the home folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

inline constexpr const char* kMeazuraLibFile = "MeazuraLib_V302b.prc";
inline constexpr const char* kMeazuraStartupPatchFile = "MeazuraStartupPatch_V200b.prc";

// The handheld program file of the edition named by the executable (name without folder and
// extension, compared without regard to case): "ZAVELKORN.PRC" for ZavDepot, "CORVANDER.PRC" for
// Pendrel, "ECORVANDER.PRC" for Marquand; "" for any other name.
std::string HandheldProgramFile(std::string_view executableName);

// For each unit in order: schedules `programFile`, then, with `includeMeazura`, the support library
// and the startup patch (a failure of either is a run-log warning). The installer reports its own
// messages. An empty `programFile` (an unknown edition) is reported once and not scheduled.
// Returns true when every file was scheduled. THROWS RuntimeError (a unit name that cannot be a folder
// name, a failed copy); units already done stay scheduled.
bool InstallUnits(const std::vector<std::string>& units, bool includeMeazura, const std::string& programFile,
                  const std::filesystem::path& home);

}  // namespace zav
