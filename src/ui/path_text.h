// File paths between the program's bytes and Qt's text, spelled as the file system spells names, so a
// path chosen in a file dialog is stored and shown again byte for byte.
#pragma once

#include <QString>
#include <string>

namespace zav {

QString PathToQt(const std::string& path);
std::string PathFromQt(const QString& path);

}  // namespace zav
