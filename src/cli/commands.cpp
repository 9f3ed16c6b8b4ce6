#include "cli/command.h"

namespace zav {

std::vector<std::unique_ptr<Command>> MakeCommands() {
    std::vector<std::unique_ptr<Command>> table;
    table.push_back(MakeSettingsCommand());
    table.push_back(MakeRouteCommand());
    table.push_back(MakeReReadCommand());
    table.push_back(MakeReadingsCommand());
    table.push_back(MakeReportCommand());
    table.push_back(MakeViewCommand());
    table.push_back(MakeRegistryCommand());
    table.push_back(MakeAdvancedCommand());
    table.push_back(MakeDistCommand());
    table.push_back(MakeUnitsCommand());
    table.push_back(MakeInstallCommand());
    table.push_back(MakeMapCommand());
    return table;
}

}  // namespace zav
