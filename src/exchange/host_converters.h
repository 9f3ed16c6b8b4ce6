// The converters of the host file formats (map types 3 and 4). They live in the hostformats module,
// which builds on this one, so the drivers reach them through this registration: the program
// registers them once at start-up. A driver that meets a host map whose converter is not
// registered ends that conversion with an error line instead of guessing.
#pragma once

#include <functional>

namespace zav {

class clsExchange;

struct HostFormatConverters {
    // Each works on the exchange object's conversion state and returns the converter's result.
    std::function<bool(clsExchange&)> RouteMVRS;
    std::function<bool(clsExchange&)> RouteE5K;
    std::function<bool(clsExchange&)> ReadingMVRS;
    std::function<bool(clsExchange&)> ReadingE5K;
};

// Replaces the registered converters (process-wide).
void RegisterHostFormatConverters(HostFormatConverters converters);
const HostFormatConverters& RegisteredHostFormatConverters();

}  // namespace zav
