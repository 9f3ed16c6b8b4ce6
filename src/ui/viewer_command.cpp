#include "ui/viewer_command.h"

#include <QFile>
#include <QFileDialog>
#include <QSettings>

#include "core/frontend.h"
#include "core/identity.h"
#include "ui/frm_zav_view.h"
#include "ui/qt_file_dialog.h"

namespace zav {

namespace {

constexpr const char* kSection = "RememberedUse";
constexpr const char* kKey = "ViewerFile";

QSettings UserSettings() { return QSettings(kCompanyName, kAppTitle); }

}  // namespace

QString RememberedViewerFile() {
    QSettings settings = UserSettings();
    settings.beginGroup(kSection);
    return settings.value(kKey).toString();
}

void RememberViewerFile(const QString& path) {
    QSettings settings = UserSettings();
    settings.beginGroup(kSection);
    settings.setValue(kKey, path);
}

std::unique_ptr<QFileDialog> MakeViewerDialog(QWidget* parent, const QString& folder, const QString& remembered) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setObjectName("dlgViewerFile");
    FileDialogRequest request;
    request.title = "Exchange File";
    request.filter = "Palm Database Files (*.pdb)|*.pdb|All Files(*.*)|*.*";
    request.defaultExtension = ".pdb";
    request.initialFile = QFile::encodeName(remembered).toStdString();
    request.initialFolder = QFile::encodeName(folder).toStdString();
    ConfigureFileDialog(*dialog, request);
    return dialog;
}

void RunViewer(QWidget* parent, const std::filesystem::path& home) {
    const auto dialog = MakeViewerDialog(parent, QFile::decodeName(home.string().c_str()), RememberedViewerFile());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
    const QString chosen = dialog->selectedFiles().front();
    RememberViewerFile(chosen);
    try {
        frmZAVView viewer(parent);
        viewer.Display(QFile::encodeName(chosen).toStdString());
    } catch (const std::exception&) {  // RuntimeError included; also a file too large to list
        CurrentFrontend().ShowMessage("Unable to display file", kAppTitle);
    }
}

}  // namespace zav
