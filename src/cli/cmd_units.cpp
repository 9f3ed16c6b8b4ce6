// zavdepot units | units add NAME
//
// The units are the HotSync users of this desktop: folders under <home>/hotsync/.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/command.h"
#include "install/hotsync.h"
#include "install/palm_users.h"

namespace zav {

namespace {

class UnitsCommand final : public Command {
  public:
    std::string Name() const override { return "units"; }
    std::string Description() const override { return "List the units (HotSync users), or add one"; }

    void Configure(CLI::App& app) override {
        app.require_subcommand(0, 1);
        add_ = app.add_subcommand("add", "Add a unit: its folder and install folder under <home>/hotsync/");
        add_->add_option("NAME", name_, "The unit's name (a bare folder name)")->required();
    }

    int Run(CliContext& ctx) override {
        HotSyncDesktop desktop(ctx.Home());
        if (add_->parsed()) {
            if (desktop.UmAddUser(name_, 0) != 0) std::cerr << "Unit " << name_ << " already exists.\n";
            return kExitOk;
        }
        for (const auto& name : clsPalmUsers(desktop).Names()) std::cout << name << '\n';
        return kExitOk;
    }

  private:
    CLI::App* add_ = nullptr;
    std::string name_;
};

}  // namespace

std::unique_ptr<Command> MakeUnitsCommand() { return std::make_unique<UnitsCommand>(); }

}  // namespace zav
