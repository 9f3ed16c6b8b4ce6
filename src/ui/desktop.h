// The desktop application's start: splash window, login gate, main window.
#pragma once

#include <filesystem>

namespace zav {

// Runs the desktop application on `home` (the program's folder) until its main window closes and
// returns the exit status. `noGate` skips the login gate (the word NOGATE on the command line).
// `argc`/`argv` are the program's own; the first names the edition.
int RunDesktop(int& argc, char** argv, const std::filesystem::path& home, bool noGate);

}  // namespace zav
