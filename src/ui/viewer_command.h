// The main window's "Viewer..." command: the open dialog "Exchange File" for a database, with the file
// last viewed preselected (per-user store, section "RememberedUse", key "ViewerFile"), then the file
// in the viewer window.
#pragma once

#include <QString>
#include <filesystem>
#include <memory>

class QFileDialog;
class QWidget;

namespace zav {

// The file last opened with the viewer ("" when none).
QString RememberedViewerFile();
void RememberViewerFile(const QString& path);

// The open dialog: "Exchange File", Palm database files or all files, default extension ".pdb",
// starting in `folder`, or with `remembered` preselected (in its own folder) when there is one.
std::unique_ptr<QFileDialog> MakeViewerDialog(QWidget* parent, const QString& folder, const QString& remembered);

// Asks for a file (starting in `home`), remembers the chosen one and shows it in the viewer. A file
// that cannot be opened gives only the run-log line; any other error the box "Unable to display file".
void RunViewer(QWidget* parent, const std::filesystem::path& home);

}  // namespace zav
