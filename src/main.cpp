// zavdepot: the desktop application without a command, the command line with one.
#include "cli/command.h"

int main(int argc, char** argv) { return zav::RunCommandLine(argc, argv); }
