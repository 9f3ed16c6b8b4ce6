// zavdepot-desktop: the desktop application. `zavdepot` without a command replaces itself with this
// program, passing its arguments on; the same options and commands are understood here.
#include "cli/command.h"
#include "ui/desktop.h"

int main(int argc, char** argv) {
    return zav::RunCommandLine(argc, argv, [&](const std::filesystem::path& home, bool noGate) {
        return zav::RunDesktop(argc, argv, home, noGate);
    });
}
