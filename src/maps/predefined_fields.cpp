// The fixed field lists of the map uses. A new map starts from the list of its use; maps never gain or
// lose fields.
#include "maps/exch_map.h"

namespace zav {

namespace {

// Route and re-read maps.
const PredefinedField kRouteFields[] = {
    {"RouteNbr", kText, true, 0, ""},
    {"Sequence", kReal, true, 0, ""},
    {"MeterTagNbr", kReal, true, 16777215, ""},
    {"MeterType", kText, true, 0, ""},
    {"Digits", kInteger, false, 0, ""},
    {"Decimals", kInteger, false, 0, ""},
    {"PrvReading", kReal, false, 0, ""},
    {"MaxReading", kReal, false, 0, ""},
    {"MinReading", kReal, false, 0, ""},
    {"ReadType", kInteger, false, 0, ""},
    {"LstReadingDate", kDate, false, 0, ""},
    {"UtilityCode", kInteger, true, 255, ""},
    {"Lat", kReal, false, 0, ""},
    {"Lng", kReal, false, 0, ""},
    {"ScaleFactor", kReal, false, 0, "Pulse Scaling (434)"},
    {"InitReading", kReal, false, 0, "Initial Reading(434)"},
    {"InitPulseCount", kReal, false, 0, "Initial Pulse Count(434)"},
    {"InitTamperCount", kLong, false, 0, "Initial Tamper Count(434)"},
    {"Message", kText, false, 0, ""},
    {"ServiceAddress", kText, true, 0, ""},
    {"BillingName", kText, false, 0, ""},
    {"ServiceUniqueID", kText, false, 0, ""},
    {"MeterSerialNbr", kText, false, 0, ""},
    {"User1", kText, false, 0, ""},
    {"User2", kText, false, 0, ""},
    {"User3", kText, false, 0, ""},
    {"User4", kText, false, 0, ""},
    {"User5", kText, false, 0, ""},
};

// Reading maps: none required, no maximum.
const PredefinedField kReadingFields[] = {
    {"RouteNbr", kText, false, 0, ""},
    {"Sequence", kReal, false, 0, ""},
    {"MeterTagNbr", kReal, false, 0, ""},
    {"MeterType", kText, false, 0, ""},
    {"Digits", kInteger, false, 0, ""},
    {"Decimals", kInteger, false, 0, ""},
    {"PrvReading", kReal, false, 0, ""},
    {"MaxReading", kReal, false, 0, ""},
    {"MinReading", kReal, false, 0, ""},
    {"CurReading", kReal, false, 0, ""},
    {"ReadingDate", kDate, false, 0, ""},
    {"ReadingTime", kTime, false, 0, ""},
    {"Status", kInteger, false, 0, ""},
    {"ReadType", kInteger, false, 0, ""},
    {"ResponseCode", kLong, false, 0, ""},
    {"LstReadingDate", kDate, false, 0, ""},
    {"TamperCount", kLong, false, 0, ""},
    {"UtilityCode", kInteger, false, 0, ""},
    {"Signal", kInteger, false, 0, ""},
    {"Lat", kReal, false, 0, ""},
    {"Lng", kReal, false, 0, ""},
    {"ScaleFactor", kReal, false, 0, "Pulse Scaling (434)"},
    {"InitReading", kReal, false, 0, "Initial Reading(434)"},
    {"InitPulseCount", kReal, false, 0, "Initial Pulse Count(434)"},
    {"InitTamperCount", kLong, false, 0, "Initial Tamper Count(434)"},
    {"Initials", kText, false, 0, ""},
    {"ResponseText", kText, false, 0, ""},
    {"Message", kText, false, 0, ""},
    {"ServiceAddress", kText, false, 0, ""},
    {"BillingName", kText, false, 0, ""},
    {"ServiceUniqueID", kText, false, 0, ""},
    {"MeterSerialNbr", kText, false, 0, ""},
    {"ReceiverData", kText, false, 0, ""},
    {"User1", kText, false, 0, ""},
    {"User2", kText, false, 0, ""},
    {"User3", kText, false, 0, ""},
    {"User4", kText, false, 0, ""},
    {"User5", kText, false, 0, ""},
};

// Orphan maps. The four nearby-tag fields hold tag numbers of meters near the orphan, hence their type
// (also LstReadingDate) and labels.
const PredefinedField kOrphanFields[] = {
    {"MeterTagNbr", kReal, false, 0, ""},
    {"CurReading", kReal, false, 0, ""},
    {"ReadingDate", kDate, false, 0, ""},
    {"ReadingTime", kTime, false, 0, ""},
    {"TamperCount", kLong, false, 0, ""},
    {"UtilityCode", kInteger, false, 0, ""},
    {"PrvReading", kReal, false, 0, "NearbyTagNbr1"},
    {"MaxReading", kReal, false, 0, "NearbyTagNbr2"},
    {"MinReading", kReal, false, 0, "NearbyTagNbr3"},
    {"LstReadingDate", kReal, false, 0, "NearbyTagNbr4"},
};

}  // namespace

std::vector<PredefinedField> PredefinedFields(std::int32_t use) {
    switch (use) {
        case kMapRoute:
        case kMapReRead:
            return {std::begin(kRouteFields), std::end(kRouteFields)};
        case kMapReading:
            return {std::begin(kReadingFields), std::end(kReadingFields)};
        case kMapOrphan:
            return {std::begin(kOrphanFields), std::end(kOrphanFields)};
        default:
            return {};
    }
}

}  // namespace zav
