// The command line: one class per command, all registered in one table (commands.cpp).
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/terminal_frontend.h"

namespace CLI {
class App;
}

namespace zav {

class RegistryStore;

// Exit statuses of the command line.
enum ExitStatus : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

// What every command can reach: the home folder, the settings store and the terminal frontend.
class CliContext {
public:
    CliContext();
    ~CliContext();

    std::optional<std::string> homeOption;  // --home

    TerminalFrontend& Terminal() { return frontend_; }
    // The home folder, created on first use. THROWS RuntimeError when it cannot be created.
    const std::filesystem::path& Home();
    // The settings store of the home folder, opened on first use.
    RegistryStore& Store();

private:
    TerminalFrontend frontend_;
    std::optional<std::filesystem::path> home_;
    std::unique_ptr<RegistryStore> store_;
};

// A usage error found while running a command: printed to standard error, exit status 2.
struct UsageError {
    std::string message;
};

class Command {
public:
    virtual ~Command() = default;
    virtual std::string Name() const = 0;
    virtual std::string Description() const = 0;
    // Adds the command's options, arguments and nested subcommands.
    virtual void Configure(CLI::App& app) = 0;
    // Runs the command after parsing; returns the exit status. May throw UsageError or RuntimeError.
    virtual int Run(CliContext& ctx) = 0;
};

// The command table, in the order `--help` lists the commands.
std::vector<std::unique_ptr<Command>> MakeCommands();

std::unique_ptr<Command> MakeSettingsCommand();
std::unique_ptr<Command> MakeRegistryCommand();
std::unique_ptr<Command> MakeViewCommand();

// Runs the command line and returns the exit status. Without a command it is the desktop
// application's start (the word NOGATE may be given).
int RunCommandLine(int argc, char** argv);

}  // namespace zav
