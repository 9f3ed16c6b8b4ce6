// zavdepot route  [--source F] [--destination F] [--map NAME] [--format PDB|PRC|VFS] [--prompt FIELD=VALUE]...
// zavdepot reread [the same options]
//
// Runs the route conversion (or the re-read conversion of a host re-read list) with the saved exchange
// settings; the options replace them for this run only (nothing is saved). The run log goes to
// standard output.
#include <CLI/CLI.hpp>

#include "advanced/advanced.h"
#include "cli/command.h"
#include "cli/conversion_run.h"
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

// The settings and driver of one of the two conversions into a route database.
struct RouteKind {
    const char* name;
    const char* description;
    const char* title;  // "Route" or "ReRead": the settings' and the help's word
    int mapUse;
    std::string ExchangeSettings::*source;
    std::string ExchangeSettings::*destination;
    std::string ExchangeSettings::*map;
    std::string ExchangeSettings::*zavType;
    bool (clsExchange::*driver)();
};

class RouteCommand final : public Command {
  public:
    explicit RouteCommand(RouteKind kind) : kind_(kind) {}
    std::string Name() const override { return kind_.name; }
    std::string Description() const override { return kind_.description; }

    void Configure(CLI::App& app) override {
        const std::string title = kind_.title;
        app.add_option("--source", source_, title + " source file (default: the " + title + "Source setting)");
        app.add_option("--destination", destination_, title + " database to write (default: " + title + "Destination)");
        app.add_option("--map", map_, title + " map name without extension (default: " + title + "Map)");
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
        if (source_) exchange.*kind_.source = CommandLinePath(*source_);
        if (destination_) exchange.*kind_.destination = CommandLinePath(*destination_);
        if (map_) exchange.*kind_.map = *map_;
        if (format_) exchange.*kind_.zavType = UCase(*format_);
        if (!promptValues.empty()) {
            clsExchMap map(ctx.Home());
            if (map.LoadMap(exchange.*kind_.map + clsExchange::MapExtension(kind_.mapUse), kind_.mapUse))
                CheckPromptOptions(map, promptValues);
        }
        ctx.Terminal().SetPromptValues(promptValues);
        return ConversionExit((exchange.*kind_.driver)());
    }

  private:
    RouteKind kind_;
    std::optional<std::string> source_;
    std::optional<std::string> destination_;
    std::optional<std::string> map_;
    std::optional<std::string> format_;
    std::vector<std::string> prompts_;
};

}  // namespace

std::unique_ptr<Command> MakeRouteCommand() {
    return std::make_unique<RouteCommand>(
        RouteKind{"route", "Convert the route source file into a route database (options apply to this run only)",
                  "Route", kMapRoute, &ExchangeSettings::RouteSource, &ExchangeSettings::RouteDestination,
                  &ExchangeSettings::RouteMap, &ExchangeSettings::RouteZAVType, &clsExchange::ConvertRoute});
}

std::unique_ptr<Command> MakeReReadCommand() {
    return std::make_unique<RouteCommand>(
        RouteKind{"reread", "Convert the host's re-read list into a re-read database (options apply to this run only)",
                  "ReRead", kMapReRead, &ExchangeSettings::ReReadSource, &ExchangeSettings::ReReadDestination,
                  &ExchangeSettings::ReReadMap, &ExchangeSettings::ReReadZAVType, &clsExchange::ConvertReRead});
}

}  // namespace zav
