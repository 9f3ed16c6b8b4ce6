// The index builder of a route conversion: five collectors (one per index kind) and the route
// ordinal of the previous meter, kept between calls of clsExchange::IndexStep.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "zav/route_keys.h"

namespace zav {

class clsAdvanced;

class RouteIndexBuilder {
public:
    // Reads the owner and address tokens the collectors leave out (the first meter does it otherwise).
    void Activate(const clsAdvanced& advanced);
    // One meter (or the end marker, route ordinal 0). `database` may be null (nothing is written then).
    // Returns the number of keys the index records written here left out.
    std::int32_t Step(clsZAV* database, bool createIndexes, const clsAdvanced& advanced, std::int16_t routeOrdinal,
                      std::int16_t position, std::string_view tag, std::string_view serial,
                      std::string_view billingName, std::string_view address, std::string_view account);

private:
    bool active_ = false;  // the collectors exist
    // By index kind; the words of names and addresses repeat within a route, the other keys hardly.
    std::array<clsIndex, kIndexKindCount> collectors_{clsIndex(true), clsIndex(true), clsIndex(), clsIndex(),
                                                      clsIndex()};
    IndexTokens ownerTokens_;
    IndexTokens addressTokens_;
    std::int16_t previousRoute_ = 0;
};

}  // namespace zav
