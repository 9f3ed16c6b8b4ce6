#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/command.h"
#include "core/errors.h"
#include "core/home.h"
#include "core/identity.h"
#include "core/text.h"
#include "hostformats/host_formats.h"
#include "setup/registry_store.h"

namespace zav {

CliContext::CliContext() = default;
CliContext::~CliContext() = default;

const std::filesystem::path& CliContext::Home() {
    if (!home_) {
        auto home = ResolveHomeFolder(homeOption);
        EnsureFolder(home);
        home_ = std::move(home);
    }
    return *home_;
}

RegistryStore& CliContext::Store() {
    if (!store_) store_ = std::make_unique<RegistryStore>(Home() / "registry.sqlite3");
    return *store_;
}

int RunCommandLine(int argc, char** argv, const DesktopStarter& desktop) {
    RegisterHostFormats();  // the route and reading drivers reach the MVRS and E5000 converters
    CLI::App app{std::string(kProductName) + " " + kVersionText +
                     ": route and reading conversions for handheld meter reading.\n"
                     "Without a command, starts the desktop application.",
                 "zavdepot"};
    app.fallthrough();  // --home, --yes and --no may stand before or after the command
    CliContext ctx;
    if (argc > 0 && argv[0] != nullptr) ctx.executableName = std::filesystem::path(argv[0]).stem().string();
    bool yes = false;
    bool no = false;
    std::vector<std::string> words;  // the desktop application's words (NOGATE)
    app.add_option("--home", ctx.homeOption, "Home folder (default: $ZAVDEPOT_HOME or ~/.local/share/zavdepot)")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    auto* yesFlag = app.add_flag("--yes", yes, "Answer Yes to every question");
    app.add_flag("--no", no, "Answer No to every question")->excludes(yesFlag);
    app.add_option("words", words, "NOGATE: skip the login gate of the desktop application")->group("");

    auto commands = MakeCommands();
    std::vector<CLI::App*> subs;
    for (auto& cmd : commands) {
        CLI::App* sub = app.add_subcommand(cmd->Name(), cmd->Description());
        cmd->Configure(*sub);
        subs.push_back(sub);
    }
    app.require_subcommand(0, 1);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }

    TerminalFrontend& terminal = ctx.Terminal();
    terminal.SetAnswerMode(yes ? AnswerMode::Yes : (no ? AnswerMode::No : AnswerMode::Ask));
    ScopedFrontend scoped(terminal);

    Command* chosen = nullptr;
    for (std::size_t i = 0; i < commands.size(); ++i)
        if (subs[i]->parsed()) chosen = commands[i].get();

    if (chosen == nullptr) {
        for (const auto& w : words) {
            if (!EqualsNoCase(w, "NOGATE")) {
                std::cerr << "Unknown command: " << w << "\nRun with --help for more information.\n";
                return kExitUsage;
            }
        }
        if (!desktop) {  // a build without the desktop application: show what the command line offers
            std::cout << app.help();
            return kExitOk;
        }
        try {
            return desktop(ctx.Home(), !words.empty());
        } catch (const RuntimeError& e) {
            std::cerr << "Error: " << e.Description() << '\n';
            return kExitFailed;
        }
    }
    if (!words.empty()) {
        std::cerr << "Unexpected argument: " << words.front() << "\nRun with --help for more information.\n";
        return kExitUsage;
    }

    try {
        const int status = chosen->Run(ctx);
        terminal.EndProgress();
        return status;
    } catch (const UsageError& e) {
        terminal.EndProgress();
        std::cerr << e.message << "\nRun with --help for more information.\n";
        return kExitUsage;
    } catch (const RuntimeError& e) {
        terminal.EndProgress();
        std::cerr << "Error: " << e.Description() << '\n';
        return kExitFailed;
    } catch (const std::exception& e) {
        terminal.EndProgress();
        std::cerr << "Error: " << e.what() << '\n';
        return kExitFailed;
    }
}

}  // namespace zav
