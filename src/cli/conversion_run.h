// What the conversion commands share: command-line paths and the exit status of a conversion.
#pragma once

#include <string>

namespace zav {

// A file named on the command line resolves against the working directory (paths stored in the
// settings resolve against the home folder): made absolute here, before it becomes a setting.
std::string CommandLinePath(const std::string& path);

// The exit status of a conversion: 0 when it succeeded; otherwise "Check Log" and "Conversion Not
// Complete" go to standard error, as the main window shows them, and the status is 1.
int ConversionExit(bool succeeded);

}  // namespace zav
