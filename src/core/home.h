// The home folder: the program's own folder, holding maps, the settings store, handheld program files
// and the HotSync users' folders.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace zav {

// The home folder: `option` (--home) if given, else $ZAVDEPOT_HOME, else $XDG_DATA_HOME/zavdepot, else
// ~/.local/share/zavdepot. Made absolute against the working directory; not created.
std::filesystem::path ResolveHomeFolder(const std::optional<std::string>& option);

// Creates the folder (and its parents) when missing. THROWS RuntimeError when it cannot be created.
void EnsureFolder(const std::filesystem::path& folder);

// `path` as given when absolute, otherwise resolved against `base` (the home folder for stored paths).
std::filesystem::path ResolveAgainst(const std::filesystem::path& base, const std::string& path);

}  // namespace zav
