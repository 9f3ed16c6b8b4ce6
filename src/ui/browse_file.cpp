#include "ui/browse_file.h"

#include <QFile>
#include <QFileDialog>

#include "core/home.h"
#include "ui/qt_text.h"

namespace zav {

QString PathToQt(const std::string& path) { return QFile::decodeName(path.c_str()); }

std::string PathFromQt(const QString& path) { return QFile::encodeName(path).toStdString(); }

std::string BrowseForFile(QWidget* parent, const OpenFileRequest& request) {
    QFileDialog chooser(parent, ToQt(request.title), PathToQt(request.folder.string()), QtFileFilter(request.filter));
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(QFileDialog::ExistingFile);
    chooser.setDefaultSuffix(ToQt(request.defaultExtension));
    if (!request.initialFile.empty())
        chooser.selectFile(PathToQt(ResolveAgainst(request.folder, request.initialFile).string()));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return {};
    return PathFromQt(chooser.selectedFiles().front());
}

}  // namespace zav
