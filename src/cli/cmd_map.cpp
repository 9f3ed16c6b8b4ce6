// zavdepot map list | map show NAME.EXT
#include <fmt/format.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <iostream>

#include "cli/command.h"
#include "core/text.h"
#include "maps/exch_map.h"
#include "maps/map_texts.h"

namespace zav {

namespace {

// The groups `map list` shows: route and re-read maps share their files.
struct MapGroup {
    const char* title;
    int use;
};
constexpr MapGroup kGroups[] = {
    {"Route and re-read maps", kMapRoute},
    {"Reading maps", kMapReading},
    {"Orphan maps", kMapOrphan},
};

// The map names (file names without the extension) of one use in `folder`, in name order.
std::vector<std::string> MapNames(const std::filesystem::path& folder, int use) {
    const std::string ext = MapUseExtension(use);
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const std::string file = entry.path().filename().string();
        if (file.size() <= ext.size() || file.compare(file.size() - ext.size(), ext.size(), ext) != 0) continue;
        if (!entry.is_regular_file(ec)) continue;
        names.push_back(file.substr(0, file.size() - ext.size()));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = UCase(a), ub = UCase(b);
        return ua != ub ? ua < ub : a < b;
    });
    return names;
}

// A code with its name when it has one: "2 (Delimited)".
std::string Coded(std::int32_t code, const std::string& name) {
    return name.empty() ? std::to_string(code) : fmt::format("{} ({})", code, name);
}

// Where a field is read or written, as a person reads it.
std::string Placement(const clsExchMap& map, const MapField& f) {
    std::string text = map.MapType() == kMapDelimited
                           ? fmt::format("column {}", f.DataPosition)
                           : fmt::format("position {}, width {}", f.DataPosition, f.DataWidth);
    if (f.MapOption == kWriteToDestination && map.MapType() != kMapDelimited)
        text += fmt::format(", {}, padded with {}", MapAlignText(f.MapAlign), LCase(MapPadText(f.MapPad)));
    if (f.MapFormat != 0) text += ", format " + Coded(f.MapFormat, MapFormatText(f.MapFormat));
    return text;
}

std::string Details(const clsExchMap& map, const MapField& f) {
    switch (f.MapOption) {
        case kMapFromSource:
        case kWriteToDestination:
            return Placement(map, f);
        case kMapConstant:
            return "\"" + f.MapConstant + "\"";
        default:
            return "";
    }
}

void ShowMap(const clsExchMap& map, std::ostream& out) {
    out << "Map: " << map.MapName() << '\n';
    for (const MapGroup& group : kGroups)
        if (group.use == map.MapUse()) out << "Use: " << group.title << " (" << MapUseExtension(group.use) << ")\n";
    out << "Type: " << (map.MapType() == 0 ? "0 (not chosen)" : Coded(map.MapType(), MapTypeText(map.MapType())))
        << '\n';
    out << "Delimiter: " << (map.MapDelimiter().empty() ? "(none)" : map.MapDelimiter()) << '\n';
    out << "Quote: " << (map.MapQuote().empty() ? "<none>" : map.MapQuote()) << '\n';
    out << "Terminator: " << Coded(map.MapTerminator(), MapTerminatorText(map.MapTerminator())) << '\n';
    out << "Record length: " << map.MapLength() << (map.MapLength() == 0 ? " (no padding)" : "") << '\n';
    out << "Filter: " << Coded(map.MapFilter(), MapFilterText(map.MapFilter())) << '\n';
    out << "Options: " << (map.MapOptions(0).empty() ? "(none)" : map.MapOptions(0)) << '\n';
    out << "Fields (" << map.FieldCount() << ", * required):\n";
    int number = 0;
    for (const MapField& f : map.Fields()) {
        std::string name = f.FieldName + (f.Required ? " *" : "");
        std::string line =
            fmt::format("{:>4} {:<18} {:<8} {:<21} {}", ++number, name, DataTypeText(f.DataType),
                        MapOptionText(f.MapOption).empty() ? std::to_string(f.MapOption) : MapOptionText(f.MapOption),
                        Details(map, f));
        if (!f.Prompt.empty()) line += std::string(Details(map, f).empty() ? "" : ", ") + "label \"" + f.Prompt + "\"";
        out << RTrim(line) << '\n';
    }
    if (map.MapType() == kMapMVRS || map.MapType() == kMapE5000) return;  // host formats: not validated
    std::string message;
    if (map.ValidateMap(message))
        out << "Validation: OK\n";
    else
        out << "Validation: " << ReplaceAll(ReplaceAll(message, "\r\n", "\n"), "\t", "    ");
}

class MapCommand final : public Command {
  public:
    std::string Name() const override { return "map"; }
    std::string Description() const override { return "List the conversion maps, or show one"; }

    void Configure(CLI::App& app) override {
        app.require_subcommand(1, 1);
        list_ = app.add_subcommand("list", "The maps of the home folder by use");
        show_ = app.add_subcommand("show", "A map's settings and each field's mapping");
        show_->add_option("NAME.EXT", file_, "Map file name in the home folder (e.g. Billing.zcm)")->required();
    }

    int Run(CliContext& ctx) override {
        if (list_->parsed()) return List(ctx.Home());
        return Show(ctx.Home());
    }

  private:
    static int List(const std::filesystem::path& home) {
        for (const MapGroup& group : kGroups) {
            std::cout << group.title << " (" << MapUseExtension(group.use) << "):\n";
            const std::vector<std::string> names = MapNames(home, group.use);
            if (names.empty()) std::cout << "    (none)\n";
            for (const std::string& name : names) std::cout << "    " << name << '\n';
        }
        return kExitOk;
    }

    int Show(const std::filesystem::path& home) {
        if (file_.find('/') != std::string::npos)
            throw UsageError{"map show takes the name of a map file in the home folder, not a path: " + file_};
        const std::size_t dot = file_.rfind('.');
        const std::string ext = dot == std::string::npos ? "" : LCase(file_.substr(dot));
        int use = 0;
        for (const MapGroup& group : kGroups)
            if (ext == MapUseExtension(group.use)) use = group.use;
        if (use == 0 || dot == 0)
            throw UsageError{"map show takes NAME.zcm, NAME.zrm or NAME.zom, not \"" + file_ + "\""};
        clsExchMap map(home);
        if (!map.LoadMap(file_, use)) {
            std::cerr << "Error: "
                      << (std::filesystem::exists(map.MapFileName()) ? "Could not read map file " : "No map file ")
                      << (home / file_).string() << '\n';
            return kExitFailed;
        }
        ShowMap(map, std::cout);
        return kExitOk;
    }

    CLI::App* list_ = nullptr;
    CLI::App* show_ = nullptr;
    std::string file_;
};

}  // namespace

std::unique_ptr<Command> MakeMapCommand() { return std::make_unique<MapCommand>(); }

}  // namespace zav
