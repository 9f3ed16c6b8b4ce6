#include "ui/path_text.h"

#include <QFile>

namespace zav {

QString PathToQt(const std::string& path) { return QFile::decodeName(path.c_str()); }

std::string PathFromQt(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace zav
