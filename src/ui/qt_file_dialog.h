// Open and save file dialogs described as the program describes them: a title, a filter list of
// "Description|pattern|Description|pattern..." pairs with one of them preselected, a default extension
// and the file to start from.
#pragma once

#include <string>

class QFileDialog;
class QWidget;

namespace zav {

struct FileDialogRequest {
    bool save = false;  // a save dialog (else an open dialog, for an existing file)
    std::string title;
    std::string filter;            // "All Files(*.*)|*.*"
    int filterIndex = 0;           // the preselected filter, from 1; 0 for the first
    std::string defaultExtension;  // added to a name typed without one (".txt" or "txt")
    std::string initialFile;       // the dialog opens in its folder with its name filled in (may be "")
    std::string initialFolder;     // the folder to open in when `initialFile` names none
};

// Sets up `dialog` as the request describes. A save dialog does not ask before naming an existing file:
// choosing a name writes nothing yet.
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request);

// Shows the dialog modally; the chosen file's path, or "" when it was cancelled.
std::string RunFileDialog(QWidget* parent, const FileDialogRequest& request);

}  // namespace zav
