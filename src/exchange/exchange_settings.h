// The exchange settings: for each kind of conversion, where the source is, where the result goes and
// which map to use, plus the automatic re-read and automatic installation switches.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zav {

// Flags are 16-bit values, true = -1. Numbers are 16-bit integers.
struct ExchangeSettings {
    std::string RouteSource;
    std::string RouteDestination;
    std::string RouteMap;
    std::string RouteZAVType;
    std::string ReReadSource;
    std::string ReReadDestination;
    std::string ReReadMap;
    std::string ReReadZAVType;
    std::string ReadingSource;
    std::string ReadingDestination;
    std::string ReadingMap;
    std::int16_t AutoReRead = 0;
    std::string OrphanDestination;
    std::string OrphanMap;
    std::int16_t OrphanConvert = 0;  // 1 on, 0 off
    std::int16_t OrphanReplace = 0;  // 1 on, 0 off
    std::int16_t AutoInstall = 0;
    std::string AutoInstallUnit;
    std::int16_t AutoInstallPrompt = 0;
    std::int16_t AutoInstallLeave = 0;

    // AutoReRead stores -1 for any non-zero value; the other flags are set directly.
    void SetAutoReRead(int value) { AutoReRead = value != 0 ? -1 : 0; }
};

enum class SettingKind { Text, Flag, Number };

// One row of the settings table: the property, where it is stored and its default.
struct SettingDef {
    const char* property;
    const char* section;      // registry key below the program's settings key
    const char* valueName;
    const char* defaultText;  // used when the stored value is missing or empty
    SettingKind kind;
    std::string ExchangeSettings::*text;     // Text settings
    std::int16_t ExchangeSettings::*number;  // Flag and Number settings
};

inline constexpr std::size_t kSettingCount = 20;

// Every setting, in the order of the settings table (the order `settings` lists them).
const std::array<SettingDef, kSettingCount>& SettingsTable();

// The setting of that property name (compared without regard to case), or nullptr.
const SettingDef* FindSetting(std::string_view property);

// A setting as text: texts as they are, flags "Y"/"N", numbers in decimal.
std::string SettingText(const ExchangeSettings& settings, const SettingDef& def);

}  // namespace zav
