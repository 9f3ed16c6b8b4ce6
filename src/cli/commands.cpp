#include "cli/command.h"

namespace zav {

std::vector<std::unique_ptr<Command>> MakeCommands() {
    std::vector<std::unique_ptr<Command>> table;
    table.push_back(MakeSettingsCommand());
    table.push_back(MakeViewCommand());
    table.push_back(MakeRegistryCommand());
    return table;
}

}  // namespace zav
