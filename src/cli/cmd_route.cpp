// zavdepot route [--source F] [--destination F] [--map NAME] [--format PDB|PRC|VFS] [--prompt FIELD=VALUE]...
//
// Runs the route conversion with the saved exchange settings; the options replace them for this run
// only (nothing is saved). The run log goes to standard output.
#include <CLI/CLI.hpp>

#include "advanced/advanced.h"
#include "cli/command.h"
#include "core/frontend.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "maps/exch_map.h"

namespace zav {

namespace {

// Releases the shared advanced options (saving what changed) while the settings store is still open.
struct AdvancedRelease {
    ~AdvancedRelease() { ReleaseSharedAdvanced(); }
};

class RouteCommand final : public Command {
  public:
    std::string Name() const override { return "route"; }
    std::string Description() const override {
        return "Convert the route source file into a route database (options apply to this run only)";
    }

    void Configure(CLI::App& app) override {
        app.add_option("--source", source_, "Route source file (default: the RouteSource setting)");
        app.add_option("--destination", destination_, "Route database to write (default: RouteDestination)");
        app.add_option("--map", map_, "Route map name without extension (default: RouteMap)");
        app.add_option("--format", format_, "Database kind: PDB or PRC (Palm database file), VFS (record stream)")
            ->check(CLI::IsMember({"PDB", "PRC", "VFS"}, CLI::ignore_case));
        app.add_option("--prompt", prompts_, "Value of a field the map prompts for, FIELD=VALUE (repeatable)");
    }

    int Run(CliContext& ctx) override {
        const auto promptValues = ParsePromptOptions(prompts_);
        AdvancedRelease release;
        clsExchange exchange(ctx.Store());
        exchange.HomeFolder = ctx.Home();
        exchange.LoadSettings();
        // Paths given here resolve against the working directory, stored ones against the home folder.
        if (source_) exchange.RouteSource = std::filesystem::absolute(*source_).string();
        if (destination_) exchange.RouteDestination = std::filesystem::absolute(*destination_).string();
        if (map_) exchange.RouteMap = *map_;
        if (format_) exchange.RouteZAVType = UCase(*format_);
        if (!promptValues.empty()) {
            clsExchMap map(ctx.Home());
            if (map.LoadMap(exchange.RouteMap + clsExchange::MapExtension(kMapRoute), kMapRoute))
                CheckPromptOptions(map, promptValues);
        }
        ctx.Terminal().SetPromptValues(promptValues);
        if (exchange.ConvertRoute()) return kExitOk;
        CurrentFrontend().ShowMessage("Check Log\r\nConversion Not Complete", "Error");
        return kExitFailed;
    }

  private:
    std::optional<std::string> source_;
    std::optional<std::string> destination_;
    std::optional<std::string> map_;
    std::optional<std::string> format_;
    std::vector<std::string> prompts_;
};

}  // namespace

std::unique_ptr<Command> MakeRouteCommand() { return std::make_unique<RouteCommand>(); }

}  // namespace zav
