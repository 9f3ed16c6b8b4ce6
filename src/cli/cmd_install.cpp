// zavdepot install UNIT FILE | install UNIT [--meazura]
//
// With FILE: schedules that file for the unit's next HotSync. Without: schedules the edition's handheld
// program file from the home folder (and, with --meazura, the Meazura support files), as the install
// window does for a ticked unit.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/command.h"
#include "install/hotsync.h"
#include "install/installer.h"
#include "install/unit_install.h"

namespace zav {

namespace {

class InstallCommand final : public Command {
  public:
    std::string Name() const override { return "install"; }
    std::string Description() const override {
        return "Schedule a file, or the handheld program, for a unit's next HotSync";
    }

    void Configure(CLI::App& app) override {
        app.add_option("UNIT", unit_, "The unit (as `units` lists it)")->required();
        app.add_option("FILE", file_, "The file to schedule; without it, the handheld program file");
        app.add_flag("--meazura", meazura_, "With the handheld program: also the files required for Meazura");
    }

    int Run(CliContext& ctx) override {
        if (meazura_ && !file_.empty()) throw UsageError{"--meazura goes with the handheld program, not with FILE"};
        HotSyncDesktop desktop(ctx.Home());
        std::int32_t id = 0;
        desktop.UmGetIDFromName(unit_, id);
        if (id == 0) {
            std::cerr << "Error: no unit named \"" << unit_ << "\" (`zavdepot units` lists them, `zavdepot units add` "
                      << "adds one)\n";
            return kExitFailed;
        }
        const std::string unit = desktop.UmGetUserName(id);
        if (file_.empty()) {
            const std::string program = HandheldProgramFile(ctx.executableName);
            return InstallUnits({unit}, meazura_, program, ctx.Home()) ? kExitOk : kExitFailed;
        }
        clsInstaller installer(desktop);
        return installer.PRC(unit, std::filesystem::absolute(file_).string()) == 0 ? kExitOk : kExitFailed;
    }

  private:
    std::string unit_;
    std::string file_;
    bool meazura_ = false;
};

}  // namespace

std::unique_ptr<Command> MakeInstallCommand() { return std::make_unique<InstallCommand>(); }

}  // namespace zav
