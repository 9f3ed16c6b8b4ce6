// The index builder of a route conversion: five collectors (one per index kind) and the route
// ordinal of the previous meter, kept between calls of clsExchange::IndexStep.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <unordered_set>

#include "zav/route_keys.h"

namespace zav {

class clsAdvanced;

class RouteIndexBuilder {
public:
    // One meter (or the end marker, route ordinal 0). `database` may be null (nothing is written then).
    // Returns the number of keys the index records written here left out.
    std::int32_t Step(clsZAV* database, bool createIndexes, const clsAdvanced& advanced, std::int16_t routeOrdinal,
                      std::int16_t position, const std::string& tag, const std::string& serial,
                      const std::string& billingName, const std::string& address, const std::string& account);

private:
    bool active_ = false;  // the collectors exist
    std::array<clsIndex, kIndexKindCount> collectors_;
    std::unordered_set<std::string> ownerTokens_;
    std::unordered_set<std::string> addressTokens_;
    std::int16_t previousRoute_ = 0;
};

}  // namespace zav
