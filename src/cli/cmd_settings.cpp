// zavdepot settings [show] | settings set NAME VALUE
#include <CLI/CLI.hpp>
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>
#include <vector>

#include "cli/command.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "maps/map_list.h"
#include "maps/map_use.h"

namespace zav {

namespace {

bool IsWholeNumber(const std::string& text) {
    std::size_t i = text.size() > 1 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// A switch typed as Y/N, yes/no, true/false or 1/0 (any letter case); empty when it is none of them.
std::optional<bool> SwitchValue(const std::string& value) {
    const std::string v = UCase(value);
    if (v == "Y" || v == "YES" || v == "TRUE" || v == "-1" || v == "1") return true;
    if (v == "N" || v == "NO" || v == "FALSE" || v == "0") return false;
    return std::nullopt;
}

// The value typed for a flag or number setting, as the 16-bit value it stores.
std::int16_t ParseSettingValue(const SettingDef& def, const std::string& value) {
    const std::string property = def.property;
    if (def.kind == SettingKind::Flag) {
        if (const auto on = SwitchValue(value)) return *on ? -1 : 0;
        throw UsageError{property + " takes Y or N, not \"" + value + "\""};
    }
    // OrphanConvert and OrphanReplace are switches stored as 1 and 0.
    if (property == "OrphanConvert" || property == "OrphanReplace") {
        if (const auto on = SwitchValue(value)) return *on ? 1 : 0;
        throw UsageError{property + " takes 1 (on) or 0 (off), not \"" + value + "\""};
    }
    if (IsWholeNumber(value) && value.size() <= 7) {
        const long n = std::stol(value);  // checked digits only, at most 7 characters
        if (n >= -32768 && n <= 32767) return static_cast<std::int16_t>(n);
    }
    throw UsageError{property + " takes a whole number from -32768 to 32767, not \"" + value + "\""};
}

// The map use of a map setting; 0 for other settings.
int MapUseOf(const std::string& property) {
    if (property == "RouteMap") return kMapRoute;
    if (property == "ReReadMap") return kMapReRead;
    if (property == "ReadingMap") return kMapReading;
    if (property == "OrphanMap") return kMapOrphan;
    return 0;
}

// The value to store for a text setting. ZAV types are PDB, PRC or VFS in any letter case (stored upper
// case: the conversions compare them exactly); a map setting names a map of its use in the home folder
// (with or without the extension; stored without) or is empty. Other texts are stored as typed.
std::string CheckedText(const SettingDef& def, const std::string& value, const std::filesystem::path& home) {
    const std::string property = def.property;
    if (property == "RouteZAVType" || property == "ReReadZAVType") {
        const std::string type = UCase(Trim(value));
        if (type == "PDB" || type == "PRC" || type == "VFS") return type;
        throw UsageError{property + " takes PDB, PRC or VFS, not \"" + value + "\""};
    }
    const int use = MapUseOf(property);
    if (use == 0 || value.empty()) return value;
    const std::string ext = MapUseExtension(use);
    const std::string name = RemoveExtensionEverywhere(value, ext);
    const std::vector<std::string> names = ListMapNames(home, use);
    if (std::find(names.begin(), names.end(), name) != names.end()) return name;
    std::string known;
    for (const std::string& n : names) known += (known.empty() ? "" : ", ") + n;
    const std::string title = MapUseTitle(use);
    throw UsageError{property + " takes the name of " + (title[0] == 'O' ? "an " : "a ") + title + " map (" + ext +
                     ") of the home folder (" + (known.empty() ? "there is none" : known) + "), not \"" + value + "\""};
}

class SettingsCommand final : public Command {
public:
    std::string Name() const override { return "settings"; }
    std::string Description() const override { return "Show the exchange settings, or set one"; }

    void Configure(CLI::App& app) override {
        app.require_subcommand(0, 1);
        app.add_subcommand("show", "Print every exchange setting as Name=Value");
        set_ = app.add_subcommand("set", "Set and save one exchange setting (e.g. RouteSource)");
        set_->add_option("NAME", name_, "Setting name, as `settings` lists it")->required();
        set_->add_option("VALUE", value_, "New value (Y/N for switches)")->required();
    }

    int Run(CliContext& ctx) override {
        clsExchange exchange(ctx.Store());
        exchange.LoadSettings();
        if (set_->parsed()) return Set(exchange, ctx.Home());
        for (const auto& def : SettingsTable()) std::cout << def.property << '=' << SettingText(exchange, def) << '\n';
        return kExitOk;
    }

  private:
    int Set(clsExchange& exchange, const std::filesystem::path& home) {
        const SettingDef* def = FindSetting(name_);
        if (def == nullptr) throw UsageError{"Unknown setting: " + name_};
        if (def->kind == SettingKind::Text)
            exchange.*def->text = CheckedText(*def, value_, home);
        else
            exchange.*def->number = ParseSettingValue(*def, value_);
        return exchange.SaveSettings() ? kExitOk : kExitFailed;
    }

    CLI::App* set_ = nullptr;
    std::string name_;
    std::string value_;
};

}  // namespace

std::unique_ptr<Command> MakeSettingsCommand() { return std::make_unique<SettingsCommand>(); }

}  // namespace zav
