#include "exchange/host_converters.h"

#include <utility>

namespace zav {

namespace {
HostFormatConverters& Registered() {
    static HostFormatConverters converters;
    return converters;
}
}  // namespace

void RegisterHostFormatConverters(HostFormatConverters converters) { Registered() = std::move(converters); }

const HostFormatConverters& RegisteredHostFormatConverters() { return Registered(); }

}  // namespace zav
