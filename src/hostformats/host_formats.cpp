#include "hostformats/host_formats.h"

#include "exchange/host_converters.h"

namespace zav {

void RegisterHostFormats() {
    HostFormatConverters converters;
    converters.RouteMVRS = ConvertRouteMVRS;
    converters.RouteE5K = ConvertRouteE5K;
#ifdef ZAV_HOST_READINGS
    converters.ReadingMVRS = ConvertReadingMVRS;
    converters.ReadingE5K = ConvertReadingE5K;
#endif
    RegisterHostFormatConverters(std::move(converters));
}

}  // namespace zav
