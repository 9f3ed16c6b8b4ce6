// The open-file dialog of the windows that ask for one existing file, and file paths in Qt's text.
#pragma once

#include <QString>
#include <filesystem>
#include <string>

class QWidget;

namespace zav {

struct OpenFileRequest {
    std::string title;
    std::string filter;            // "Description|pattern|...", the first pair chosen
    std::string defaultExtension;  // without the point: "pdb"
    std::filesystem::path folder;  // where the dialog starts
    std::string initialFile;       // preselected, when not empty (relative to `folder`)
};

// A file path between the program's bytes and Qt's text, spelled as the file system spells names (so a
// path chosen in a dialog is kept byte for byte).
QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);

// Shows the dialog modally; the chosen file's path, or "" when cancelled.
std::string BrowseForFile(QWidget* parent, const OpenFileRequest& request);

}  // namespace zav
