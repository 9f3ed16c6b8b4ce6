// zavdepot settings [show] | settings set NAME VALUE
#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/command.h"
#include "core/text.h"
#include "exchange/exchange.h"

namespace zav {

namespace {

bool IsWholeNumber(const std::string& text) {
    std::size_t i = text.size() > 1 && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// The value typed for a flag or number setting, as the 16-bit value it stores.
std::int16_t ParseSettingValue(const SettingDef& def, const std::string& value) {
    if (def.kind == SettingKind::Flag) {
        const std::string v = UCase(value);
        if (v == "Y" || v == "YES" || v == "TRUE" || v == "-1" || v == "1") return -1;
        if (v == "N" || v == "NO" || v == "FALSE" || v == "0") return 0;
        throw UsageError{std::string(def.property) + " takes Y or N, not \"" + value + "\""};
    }
    if (IsWholeNumber(value) && value.size() <= 7) {
        const long n = std::stol(value);  // checked digits only, at most 7 characters
        if (n >= -32768 && n <= 32767) return static_cast<std::int16_t>(n);
    }
    throw UsageError{std::string(def.property) + " takes a whole number from -32768 to 32767, not \"" + value + "\""};
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
        if (set_->parsed()) return Set(exchange);
        for (const auto& def : SettingsTable()) std::cout << def.property << '=' << SettingText(exchange, def) << '\n';
        return kExitOk;
    }

private:
    int Set(clsExchange& exchange) {
        const SettingDef* def = FindSetting(name_);
        if (def == nullptr) throw UsageError{"Unknown setting: " + name_};
        if (def->kind == SettingKind::Text) exchange.*def->text = value_;
        else exchange.*def->number = ParseSettingValue(*def, value_);
        return exchange.SaveSettings() ? kExitOk : kExitFailed;
    }

    CLI::App* set_ = nullptr;
    std::string name_;
    std::string value_;
};

}  // namespace

std::unique_ptr<Command> MakeSettingsCommand() { return std::make_unique<SettingsCommand>(); }

}  // namespace zav
