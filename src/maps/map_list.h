// The maps of one use that a folder holds, as the windows list them for choosing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zav {

// The names of the map files of `use` in `folder`: every regular file whose name ends in the use's
// extension (".zcm", ".zrm", ".zom"; in any letter case), with every occurrence of that extension removed
// from the name, again in any letter case ("Old.zcm.ZCM" lists as "Old"). In name order without regard
// to case. A name that would be empty is left out. Empty for a use without map files or a folder that
// cannot be read.
std::vector<std::string> ListMapNames(const std::filesystem::path& folder, int use);

// `fileName` with every occurrence of `extension` removed, compared without regard to case.
std::string RemoveExtensionEverywhere(const std::string& fileName, const std::string& extension);

}  // namespace zav
