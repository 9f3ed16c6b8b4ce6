// Starting the desktop application from the command line: the desktop is its own executable, so the
// command line stays free of Qt and starts fast.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli/command.h"
#include "core/program_files.h"

namespace zav {

int ExecDesktop(char** argv) {
    const auto desktop = FindProgramFile(kDesktopExecutable);
    if (!desktop) {
        std::cerr << "Error: the desktop application (" << kDesktopExecutable
                  << ") is not installed beside this program.\nRun a command instead: zavdepot --help\n";
        return kExitFailed;
    }
    std::cout.flush();
    execv(desktop->c_str(), argv);
    std::cerr << "Error: could not start " << desktop->string() << ": " << std::strerror(errno) << '\n';
    return kExitFailed;
}

}  // namespace zav
