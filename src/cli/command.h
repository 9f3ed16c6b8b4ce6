// The command line: one class per command, all registered in one table (commands.cpp).
#pragma once

#include <filesystem>
#include <functional>
#include <map>
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
    std::string executableName;             // the program's file name without folder and extension

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
std::unique_ptr<Command> MakeAdvancedCommand();
std::unique_ptr<Command> MakeDistCommand();
std::unique_ptr<Command> MakeUnitsCommand();
std::unique_ptr<Command> MakeInstallCommand();
std::unique_ptr<Command> MakeMapCommand();
std::unique_ptr<Command> MakeRouteCommand();
std::unique_ptr<Command> MakeReReadCommand();
std::unique_ptr<Command> MakeReadingsCommand();
std::unique_ptr<Command> MakeReportCommand();

class clsExchMap;

// The values of `--prompt FIELD=VALUE` options by field name (the text before the first "=" is the
// name, letter case as given). THROWS UsageError for an option without "=" or a name given twice.
std::map<std::string, std::string> ParsePromptOptions(const std::vector<std::string>& options);
// THROWS UsageError when a --prompt value names no field that `map` prompts for (names compare exactly,
// as the map spells them).
void CheckPromptOptions(const clsExchMap& map, const std::map<std::string, std::string>& values);
std::unique_ptr<Command> MakeViewCommand();

// Starts the desktop application on the home folder (resolved and created); `noGate` when the word
// NOGATE was given. Returns the program's exit status.
using DesktopStarter = std::function<int(const std::filesystem::path& home, bool noGate)>;

// Runs the command line and returns the exit status. Without a command it starts the desktop
// application through `desktop` (the word NOGATE may be given); a build without one prints the usage.
int RunCommandLine(int argc, char** argv, const DesktopStarter& desktop = {});

// The desktop application's own executable, which the command line starts when given no command, so
// that a command-line run never loads Qt.
inline constexpr const char* kDesktopExecutable = "zavdepot-desktop";

// Replaces this process with the desktop executable, passing the program's own arguments unchanged (the
// first still names the edition). Returns only when it could not be started: says why on standard
// error and returns the exit status for the failure.
int ExecDesktop(char** argv);

}  // namespace zav
