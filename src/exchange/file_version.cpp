// clsExchange::LookupFileVersion: which ZAV schema version this program writes.
#include "core/frontend.h"
#include "core/identity.h"
#include "exchange/exchange.h"

namespace zav {

std::int16_t clsExchange::LookupFileVersion(std::int16_t major, std::int16_t minor) {
    if (major == 1 && minor == 2) return 1;
    if (major == 1 && minor == 3) return 2;
    if (major == 1 && minor >= 4 && minor <= 6) return 3;
    if (major == 3 && minor == 0) return 3;
    CurrentFrontend().ShowMessage(
        "Contact Support - cannot determine internal file version from this version of Pendrel Utility", kAppTitle);
    return 0;
}

}  // namespace zav
