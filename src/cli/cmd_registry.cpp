// zavdepot registry list | get SECTION NAME | set SECTION NAME VALUE | delete SECTION NAME
//
// SECTION is the key below the program's settings key ("Route", "LoginSetup" ...).
#include <CLI/CLI.hpp>
#include <iostream>
#include <variant>

#include "cli/command.h"
#include "core/identity.h"
#include "setup/registry.h"

namespace zav {

namespace {

class RegistryCommand final : public Command {
public:
    std::string Name() const override { return "registry"; }
    std::string Description() const override { return "List, read, write or delete the program's stored settings"; }

    void Configure(CLI::App& app) override {
        app.require_subcommand(1, 1);
        list_ = app.add_subcommand("list", "List every key and value below the program's settings key");
        get_ = app.add_subcommand("get", "Print one value (exit status 1 when it is missing)");
        set_ = app.add_subcommand("set", "Write one string value");
        delete_ = app.add_subcommand("delete", "Delete one value");
        for (CLI::App* sub : {get_, set_, delete_}) {
            sub->add_option("SECTION", section_, "Key below the program's settings key")->required();
            sub->add_option("NAME", name_, "Value name")->required();
        }
        set_->add_option("VALUE", value_, "The text to store")->required();
    }

    int Run(CliContext& ctx) override {
        clsRegistry registry(ctx.Store());
        const HiveName hive{kLocalMachine, kSettingsKey, section_, name_};
        if (list_->parsed()) {
            const HiveName top{kLocalMachine, kSettingsKey};
            if (registry.OpenKey(false, top) == 0) return kExitOk;  // nothing stored yet
            std::cout << TerminalText(registry.GetKeyInfo(0, top));
            return kExitOk;
        }
        if (get_->parsed()) {
            const RegValue value = registry.GetValue(hive);
            if (std::holds_alternative<std::monostate>(value)) return kExitFailed;
            std::cout << RegValueText(value) << '\n';
            return kExitOk;
        }
        if (set_->parsed()) {
            if (registry.SaveValue(value_, hive)) return kExitOk;
            std::cerr << "Error: the value could not be written to " << ctx.Store().File().string() << '\n';
            return kExitFailed;
        }
        const auto deleted = registry.DeleteValue(hive);
        return deleted.value_or(false) ? kExitOk : kExitFailed;
    }

private:
    CLI::App* list_ = nullptr;
    CLI::App* get_ = nullptr;
    CLI::App* set_ = nullptr;
    CLI::App* delete_ = nullptr;
    std::string section_;
    std::string name_;
    std::string value_;
};

}  // namespace

std::unique_ptr<Command> MakeRegistryCommand() { return std::make_unique<RegistryCommand>(); }

}  // namespace zav
