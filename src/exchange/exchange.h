// clsExchange: the one object through which the program converts files. It holds the exchange
// settings and their persistence in the settings store; the conversion drivers and converters are
// its methods too, each in a file of its own.
#pragma once

#include <cstdint>
#include <string>

#include "exchange/exchange_settings.h"
#include "setup/registry.h"

namespace zav {

// Map-use codes of conversion maps.
enum MapUse : int { kMapRoute = 1, kMapReRead = 2, kMapReading = 3, kMapOrphan = 99 };

class clsExchange : public ExchangeSettings {
public:
    explicit clsExchange(RegistryStore& store);

    // The value `name` of the settings key `section` as text; `defaultValue` when missing or empty.
    std::string GetParm(const std::string& section, const std::string& name, const std::string& defaultValue);
    // Writes the value, creating missing keys; true when it was written.
    bool SaveParm(const std::string& section, const std::string& name, const std::string& value);

    // Reads every setting with its default. A stored number outside the 16-bit range reads as the
    // default rather than stopping the program.
    void LoadSettings();
    // Writes every setting in the fixed order (which fixes their listing order in the store and in
    // distribution files). Writes the remaining values after a failure, reports the failure through
    // a message and returns false.
    bool SaveSettings();

    // Lookups by map-use code; empty for an unknown code.
    static std::string MapExtension(int use);
    static std::string DefaultFileExtension(int use);
    static std::string TypeDescr(int use);

    // The ZAV schema version a program of version major.minor writes: 1.2 -> 1, 1.3 -> 2, 1.4 to 1.6
    // and 3.0 -> 3. Any other pair shows "Contact Support - ..." and gives 0.
    static std::int16_t LookupFileVersion(std::int16_t major, std::int16_t minor);

protected:
    clsRegistry registry_;
};

}  // namespace zav
