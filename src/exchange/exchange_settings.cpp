#include "exchange/exchange_settings.h"

#include "core/text.h"

namespace zav {

namespace {
using S = ExchangeSettings;
constexpr SettingKind T = SettingKind::Text;
constexpr SettingKind F = SettingKind::Flag;
constexpr SettingKind N = SettingKind::Number;

const std::array<SettingDef, kSettingCount> kTable{{
    {"RouteSource", "Route", "Source", "", T, &S::RouteSource, nullptr},
    {"RouteDestination", "Route", "Destination", "RouteZAV.pdb", T, &S::RouteDestination, nullptr},
    {"RouteMap", "Route", "Map", "", T, &S::RouteMap, nullptr},
    {"RouteZAVType", "Route", "ZAVType", "PDB", T, &S::RouteZAVType, nullptr},
    {"ReReadSource", "ReRead", "Source", "", T, &S::ReReadSource, nullptr},
    {"ReReadDestination", "ReRead", "Destination", "RouteZAV.pdb", T, &S::ReReadDestination, nullptr},
    {"ReReadMap", "ReRead", "Map", "", T, &S::ReReadMap, nullptr},
    {"ReReadZAVType", "ReRead", "ZAVType", "PDB", T, &S::ReReadZAVType, nullptr},
    {"ReadingSource", "Reading", "Source", "ReadingZAV.pdb", T, &S::ReadingSource, nullptr},
    {"ReadingDestination", "Reading", "Destination", "", T, &S::ReadingDestination, nullptr},
    {"ReadingMap", "Reading", "Map", "", T, &S::ReadingMap, nullptr},
    {"AutoReRead", "Reading", "AutoReRead", "", F, nullptr, &S::AutoReRead},
    {"OrphanDestination", "Orphan", "Destination", "", T, &S::OrphanDestination, nullptr},
    {"OrphanMap", "Orphan", "Map", "", T, &S::OrphanMap, nullptr},
    {"OrphanConvert", "Orphan", "Convert", "", N, nullptr, &S::OrphanConvert},
    {"OrphanReplace", "Orphan", "Replace", "", N, nullptr, &S::OrphanReplace},
    {"AutoInstall", "PRCInstall", "AutoInstall", "", F, nullptr, &S::AutoInstall},
    {"AutoInstallUnit", "PRCInstall", "Unit", "", T, &S::AutoInstallUnit, nullptr},
    {"AutoInstallPrompt", "PRCInstall", "Prompt", "", F, nullptr, &S::AutoInstallPrompt},
    {"AutoInstallLeave", "PRCInstall", "Leave", "", F, nullptr, &S::AutoInstallLeave},
}};
}  // namespace

const std::array<SettingDef, kSettingCount>& SettingsTable() { return kTable; }

const SettingDef* FindSetting(std::string_view property) {
    for (const auto& def : kTable)
        if (EqualsNoCase(def.property, property)) return &def;
    return nullptr;
}

std::string SettingText(const ExchangeSettings& settings, const SettingDef& def) {
    switch (def.kind) {
        case SettingKind::Text: return settings.*def.text;
        case SettingKind::Flag: return settings.*def.number != 0 ? "Y" : "N";
        case SettingKind::Number: return std::to_string(settings.*def.number);
    }
    return "";
}

}  // namespace zav
