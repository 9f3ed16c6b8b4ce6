// zavdepot dist write FILE | dist load [FILE]
//
// A distribution file carries the stored settings and the home folder's map files. Without FILE,
// `dist load` takes the home folder's only ".dst" file.
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/command.h"
#include "setup/dist.h"

namespace zav {

namespace {

class DistCommand final : public Command {
  public:
    std::string Name() const override { return "dist"; }
    std::string Description() const override { return "Write or load a distribution file (settings and maps)"; }

    void Configure(CLI::App& app) override {
        app.require_subcommand(1, 1);
        write_ = app.add_subcommand("write", "Write every stored setting and map file into FILE");
        write_->add_option("FILE", file_, "The distribution file to write")->required();
        load_ = app.add_subcommand("load", "Load the settings and map files of FILE");
        load_->add_option("FILE", file_, "The distribution file; default: the home folder's only .dst file");
    }

    int Run(CliContext& ctx) override {
        clsDist dist(ctx.Store(), ctx.Home());
        dist.ChooseFile = [](const DistFileDialog&) {
            std::cerr << "Error: give the distribution file (the home folder does not hold exactly one .dst file)\n";
            return std::string();
        };
        const bool done = write_->parsed() ? dist.WriteDist(file_) : dist.LoadDist(file_);
        return done ? kExitOk : kExitFailed;
    }

  private:
    CLI::App* write_ = nullptr;
    CLI::App* load_ = nullptr;
    std::string file_;
};

}  // namespace

std::unique_ptr<Command> MakeDistCommand() { return std::make_unique<DistCommand>(); }

}  // namespace zav
