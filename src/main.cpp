// zavdepot: the command line; without a command it starts the desktop application's own executable.
#include "cli/command.h"

int main(int argc, char** argv) {
#ifdef ZAVDEPOT_WITH_DESKTOP
    return zav::RunCommandLine(argc, argv,
                               [&](const std::filesystem::path&, bool) { return zav::ExecDesktop(argv); });
#else
    return zav::RunCommandLine(argc, argv);
#endif
}
