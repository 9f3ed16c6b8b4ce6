#include "exchange/exchange.h"

#include "advanced/advanced.h"
#include "exchange/route_index.h"
#include "exchange/route_records.h"
#include "zav/zav.h"

#include "core/errors.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "core/number.h"

namespace zav {

namespace {

// Properties in the order SaveSettings writes them.
constexpr const char* kSaveOrder[] = {
    "RouteSource",       "RouteDestination", "RouteZAVType",      "RouteMap",
    "ReReadSource",      "ReReadDestination", "ReReadZAVType",    "ReReadMap",
    "ReadingSource",     "ReadingDestination", "ReadingMap",      "AutoReRead",
    "OrphanDestination", "OrphanMap",         "OrphanConvert",     "OrphanReplace",
    "AutoInstall",       "AutoInstallPrompt", "AutoInstallLeave", "AutoInstallUnit",
};
static_assert(std::size(kSaveOrder) == kSettingCount);

std::int16_t NumberOrDefault(const std::string& text) {
    try {
        return ValInt(text);
    } catch (const RuntimeError&) {
        return 0;  // out of the 16-bit range: the default
    }
}

}  // namespace

clsExchange::clsExchange(RegistryStore& store) : store_(store), registry_(store) {}

clsExchange::~clsExchange() = default;

clsAdvanced& clsExchange::Advanced() { return SharedAdvanced(store_); }

std::string clsExchange::GetParm(const std::string& section, const std::string& name,
                                 const std::string& defaultValue) {
    std::string value = RegValueText(registry_.GetValue({kLocalMachine, kSettingsKey, section, name}));
    return value.empty() ? defaultValue : value;
}

bool clsExchange::SaveParm(const std::string& section, const std::string& name, const std::string& value) {
    return registry_.SaveValue(value, {kLocalMachine, "Software", kCompanyName, kProductName, section, name});
}

void clsExchange::LoadSettings() {
    const RegistryStore::ReadBatch batch(store_);
    for (const auto& def : SettingsTable()) {
        const std::string text = GetParm(def.section, def.valueName, def.defaultText);
        switch (def.kind) {
            case SettingKind::Text: this->*def.text = text; break;
            case SettingKind::Flag: this->*def.number = text == "Y" ? -1 : 0; break;
            case SettingKind::Number: this->*def.number = NumberOrDefault(text); break;
        }
    }
}

bool clsExchange::SaveSettings() {
    std::string firstFailure;
    for (const char* property : kSaveOrder) {
        const SettingDef& def = *FindSetting(property);
        if (!SaveParm(def.section, def.valueName, SettingText(*this, def)) && firstFailure.empty())
            firstFailure = std::string(def.section) + "\\" + def.valueName;
    }
    if (firstFailure.empty()) return true;
    CurrentFrontend().ShowMessage("The settings could not be saved (" + firstFailure + ").", kAppTitle);
    return false;
}

std::string clsExchange::MapExtension(int use) { return MapUseExtension(use); }

std::string clsExchange::DefaultFileExtension(int use) {
    switch (use) {
        case kMapRoute:
        case kMapReRead:
        case kMapReading:
        case kMapOrphan: return ".txt";
        default: return "";
    }
}

std::string clsExchange::TypeDescr(int use) { return MapUseTitle(use); }

std::string clsExchange::MapTypeRefusal(const clsExchMap& map, int use) {
    const std::int32_t type = map.MapType();
    const bool flatOnly = use == kMapReRead || use == kMapOrphan;
    if (type == kMapFixed || type == kMapDelimited) return "";
    if (!flatOnly && (type == kMapMVRS || type == kMapE5000)) return "";
    static const char* const kNames[] = {"", "Fixed", "Delimited", "MVRS", "E5000"};
    const std::string known = type >= kMapFixed && type <= kMapE5000 ? std::string(" (") + kNames[type] + ")" : "";
    return "Error: " + TypeDescr(use) + " Conversion Map must be " +
           (flatOnly ? "Fixed or Delimited" : "Fixed, Delimited, MVRS or E5000") + ", not type " +
           std::to_string(type) + known;
}

}  // namespace zav
