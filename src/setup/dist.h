// clsDist: the distribution file (".dst") that carries a whole office setup from one desktop to
// another: every stored setting below the program's settings key and every conversion map file of the
// home folder.
//
// The file, as written (every line ends with CR LF):
//   "DIST 1.1"
//   "[REGISTRY]"
//   the listing of the settings key (clsRegistry::GetKeyInfo at indent 0), then an empty line
//   for each map file of the home folder, in name order: a header "[ROUTE MAP name]", "[READING MAP
//   name]", "[ORPHAN MAP name]" or "[UNKNOWN MAP name]" (by the name's last three characters: ZCM,
//   ZRM, ZOM), directly followed by the file's bytes, then a CR LF that separates it from the next
//   header, so every header starts a line even after a map without a final line break
//   one final CR LF
// Version 1.1 carries every map byte for byte. Files of other versions (1.0 wrote no separator after
// a map's bytes) load as those versions were meant: a map gets a line break at its end.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "setup/registry.h"

namespace zav {

// What the save or open dialog for a distribution file is asked with.
struct DistFileDialog {
    std::string title;          // "Save Distribution" or "Load Distribution"
    std::string initialFolder;  // the home folder
    std::string filter = "Distribution Files (*.dst)|*.dst|All Files(*.*)|*.*";
    std::string defaultExtension = "DST";
};

class clsDist {
  public:
    clsDist(RegistryStore& store, std::filesystem::path home);

    // The save or open dialog, used when no file name is given; returns "" when cancelled. Without
    // one, a missing file name counts as cancelled.
    std::function<std::string(const DistFileDialog&)> ChooseFile;

    // Writes the distribution file (asking for a name when `Filename` is empty). True when written;
    // false silently when no name was chosen, or after a message when writing failed.
    bool WriteDist(std::string Filename);
    // Loads a distribution file: without `Filename`, the home folder's only ".dst" file, else the one the
    // dialog gives. Writes its settings to the store and its map files into the home folder. True when the
    // file was recognised and processed, even when single entries were refused (each is reported).
    bool LoadDist(std::string Filename);

    // The text WriteDist writes. THROWS RuntimeError when a map file cannot be read.
    std::string BuildDist();

  private:
    void LoadMapSection(const std::string& section, bool exactMaps, const std::string& lineBreak);
    void LoadRegistrySection(const std::string& section);

    clsRegistry registry_;
    std::filesystem::path home_;
};

// The map files of `folder` in name order: regular files whose names match "*.z?m" without regard to case.
std::vector<std::string> ListMapFiles(const std::filesystem::path& folder);

// True when a map file name from a distribution file may be written into the home folder: a bare name
// (no path separator, no "..", no control character) ending in ".zcm", ".zrm" or ".zom" (any case).
bool IsDistMapFileName(const std::string& name);

}  // namespace zav
