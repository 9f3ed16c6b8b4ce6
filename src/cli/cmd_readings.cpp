// zavdepot readings [--source F] [--destination F] [--map NAME]
#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/conversion_run.h"
#include "exchange/exchange.h"

namespace zav {

namespace {

class ReadingsCommand final : public Command {
  public:
    std::string Name() const override { return "readings"; }
    std::string Description() const override {
        return "Convert a readings database into the host's upload file (and the orphan and re-read files when "
               "configured)";
    }

    void Configure(CLI::App& app) override {
        app.add_option("--source", source_, "Readings database (default: the ReadingSource setting)");
        app.add_option("--destination", destination_, "Upload file to write (default: ReadingDestination)");
        app.add_option("--map", map_, "Reading map name without extension (default: ReadingMap)");
    }

    int Run(CliContext& ctx) override {
        clsExchange exchange(ctx.Store());
        exchange.LoadSettings();
        exchange.HomeFolder = ctx.Home();
        // Overrides for this run only; nothing is saved.
        if (source_) exchange.ReadingSource = CommandLinePath(*source_);
        if (destination_) exchange.ReadingDestination = CommandLinePath(*destination_);
        if (map_) exchange.ReadingMap = *map_;
        return ConversionExit(exchange.ConvertReading());
    }

  private:
    std::optional<std::string> source_;
    std::optional<std::string> destination_;
    std::optional<std::string> map_;
};

}  // namespace

std::unique_ptr<Command> MakeReadingsCommand() { return std::make_unique<ReadingsCommand>(); }

}  // namespace zav
