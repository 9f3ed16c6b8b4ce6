// zavdepot advanced show: the advanced handheld options, section by section. Read-only: the store is
// loaded without saving, so a fresh store's default tokens are not written.
#include <CLI/CLI.hpp>
#include <iostream>

#include "advanced/advanced.h"
#include "cli/command.h"

namespace zav {

namespace {

const char* AlertText(int code) {
    switch (code) {
        case 0: return "no alert";
        case 1: return "beep";
        case 2: return "popup message";
        default: return "unknown";
    }
}

const char* IndexControlText(int code) {
    switch (code) {
        case 0: return "do not build indexes";
        case 1: return "always build indexes";
        case 2: return "ask during route creation";
        default: return "unknown";
    }
}

const char* YesNo(bool on) { return on ? "Yes" : "No"; }

// Token lists on one line: "  RD, ST, LN".
void PrintTokens(std::ostream& out, const AdvList& list) {
    std::string line;
    for (const auto& e : list.Entries())
        if (!e.deleted) line += (line.empty() ? "" : ", ") + e.key;
    out << "  " << (line.empty() ? "(none)" : line) << '\n';
}

// The entries of one list that are not deleted, one line each: "  key  textA  textB".
void PrintList(std::ostream& out, const AdvList& list, bool withTextA, bool withTextB) {
    bool any = false;
    for (const auto& e : list.Entries()) {
        if (e.deleted) continue;
        any = true;
        out << "  " << e.key;
        if (withTextA) out << "  \"" << e.textA << '"';
        if (withTextB) out << "  \"" << e.textB << '"';
        out << '\n';
    }
    if (!any) out << "  (none)\n";
}

class AdvancedCommand final : public Command {
public:
    std::string Name() const override { return "advanced"; }
    std::string Description() const override { return "Show the advanced handheld options"; }

    void Configure(CLI::App& app) override {
        app.require_subcommand(1, 1);
        app.add_subcommand("show", "Print the advanced options store section by section");
    }

    int Run(CliContext& ctx) override {
        const clsAdvanced adv(ctx.Store(), false);
        using L = clsAdvanced::ListId;
        std::ostream& out = std::cout;
        out << "[Logins]\nLogin at start-up: " << YesNo(adv.UseLoginSecurity()) << "\nUser IDs (password, data):\n";
        PrintList(out, adv.List(L::kLogins), true, true);
        out << "\n[Messages]\n";
        const std::pair<const char*, L> messages[] = {
            {"Account", L::kMsgAccount}, {"Serial number", L::kMsgSerial}, {"Tag number", L::kMsgTag}};
        for (const auto& [title, id] : messages) {
            out << title << " messages (route||number, message):\n";
            PrintList(out, adv.List(id), true, false);
        }
        out << "\n[Tokens]\nIndex control: " << adv.IndexControl() << " (" << IndexControlText(adv.IndexControl())
            << ")\nAddress tokens:\n";
        PrintTokens(out, adv.List(L::kTokAddress));
        out << "Owner tokens:\n";
        PrintTokens(out, adv.List(L::kTokOwner));
        out << "\n[Changeouts]\n";
        const std::pair<const char*, L> changeouts[] = {{"RC (change reasons)", L::kChangeRC},
                                                        {"MT (meter types)", L::kChangeMT},
                                                        {"MFG (manufacturers)", L::kChangeMFG},
                                                        {"MS (meter sizes)", L::kChangeMS}};
        for (const auto& [title, id] : changeouts) {
            out << title << ":\n";
            PrintList(out, adv.List(id), true, false);
        }
        out << "\n[Favorites]\nUse favorites: " << YesNo(adv.UseFavorite()) << "\nUnits (readings file):\n";
        PrintList(out, adv.List(L::kFavorites), true, false);
        out << "\n[Skips]\n";
        PrintList(out, adv.List(L::kSkips), true, false);
        out << "\n[Alerts]\n"
            << "Out of bounds: " << adv.AlertOutOfBounds() << " (" << AlertText(adv.AlertOutOfBounds()) << ")\n"
            << "Rollover: " << adv.AlertRollover() << " (" << AlertText(adv.AlertRollover()) << ")\n"
            << "Tamper: " << adv.AlertTamper() << " (" << AlertText(adv.AlertTamper()) << ")\n";
        return kExitOk;
    }
};

}  // namespace

std::unique_ptr<Command> MakeAdvancedCommand() { return std::make_unique<AdvancedCommand>(); }

}  // namespace zav
