// zavdepot: the desktop application without a command, the command line with one.
#include "cli/command.h"
#ifdef ZAVDEPOT_WITH_DESKTOP
#include "ui/desktop.h"
#endif

int main(int argc, char** argv) {
#ifdef ZAVDEPOT_WITH_DESKTOP
    return zav::RunCommandLine(argc, argv, [&](const std::filesystem::path& home, bool noGate) {
        return zav::RunDesktop(argc, argv, home, noGate);
    });
#else
    return zav::RunCommandLine(argc, argv);
#endif
}
