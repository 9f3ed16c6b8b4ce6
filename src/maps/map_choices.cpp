#include "maps/map_choices.h"

#include "core/text.h"
#include "maps/exch_map.h"

namespace zav {

std::vector<std::int32_t> MapTypeChoices(std::int32_t use) {
    if (use == kMapOrphan) return {kMapFixed, kMapDelimited};
    return {kMapFixed, kMapDelimited, kMapMVRS, kMapE5000};
}

std::vector<std::int32_t> MapOptionChoices(std::int32_t use, std::string_view fieldName) {
    switch (use) {
        case kMapRoute:
        case kMapReRead:
            if (EqualsNoCase(fieldName, "Sequence")) return {kDoNotMap, kMapFromSource, kAutonumber};
            return {kDoNotMap, kMapFromSource, kMapConstant, kMapPrompt};
        case kMapReading:
        case kMapOrphan:
            return {kDoNotMap, kWriteToDestination};
        default:
            return {};
    }
}

std::vector<std::int32_t> MapFormatChoices(std::int32_t dataType) {
    if (dataType == kDate) return {10, 11, 12, 14, 15, 16, 20, 21, 22, 24, 25, 26, 30, 31, 32, 34, 35, 36};
    if (dataType == kTime) return {40, 42, 41, 43};
    return {};
}

std::vector<std::int32_t> MapFilterChoices() { return {0, 1, 2, 3}; }
std::vector<std::int32_t> MapTerminatorChoices() { return {0, 1, 2, 3, 4}; }
std::vector<std::int32_t> MapAlignChoices() { return {1, 2}; }
std::vector<std::int32_t> MapPadChoices() { return {2, 1}; }

}  // namespace zav
