#include "ui/qt_file_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <filesystem>

#include "ui/qt_text.h"

namespace zav {

void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
    dialog.setWindowTitle(ToQt(request.title));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, request.save);
    const QStringList filters = QtFileFilter(request.filter).split(";;", Qt::SkipEmptyParts);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    std::string suffix = request.defaultExtension;
    if (!suffix.empty() && suffix.front() == '.') suffix.erase(0, 1);
    dialog.setDefaultSuffix(ToQt(suffix));

    const std::filesystem::path file(request.initialFile);
    const std::filesystem::path folder =
        file.has_parent_path() ? file.parent_path() : std::filesystem::path(request.initialFolder);
    if (!folder.empty()) dialog.setDirectory(QFile::decodeName(folder.c_str()));
    if (file.has_filename()) dialog.selectFile(QFile::decodeName(file.filename().c_str()));
}

std::string RunFileDialog(QWidget* parent, const FileDialogRequest& request) {
    QFileDialog dialog(parent);
    ConfigureFileDialog(dialog, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

}  // namespace zav
