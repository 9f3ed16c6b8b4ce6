#include "exchange/route_records.h"

#include <unordered_set>

#include "core/errors.h"
#include "core/text.h"
#include "maps/exch_map.h"
#include "zav/zav.h"

namespace zav {

namespace {

int MapIndex(const clsExchMap& map, const char* name) {
    const int item = map.FindItem(std::string_view(name));
    if (item == 0)
        throw RuntimeError(kErrInvalidCall,
                           std::string("Invalid procedure call or argument: map field ") + name + " missing");
    return item - 1;
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    return local;
}

}  // namespace

RouteFieldIndex RouteFieldIndex::Resolve(const clsExchMap& map) {
    std::unordered_set<std::string> names;
    for (const MapField& f : map.Fields())
        if (!names.insert(UCase(f.FieldName)).second) throw RuntimeError(kErrDuplicateKey);
    RouteFieldIndex r{};
    r.RouteNbr = MapIndex(map, "RouteNbr");
    r.Sequence = MapIndex(map, "Sequence");
    r.MeterTagNbr = MapIndex(map, "MeterTagNbr");
    r.MeterType = MapIndex(map, "MeterType");
    r.Digits = MapIndex(map, "Digits");
    r.Decimals = MapIndex(map, "Decimals");
    r.PrvReading = MapIndex(map, "PrvReading");
    r.MaxReading = MapIndex(map, "MaxReading");
    r.MinReading = MapIndex(map, "MinReading");
    r.ReadType = MapIndex(map, "ReadType");
    r.LstReadingDate = MapIndex(map, "LstReadingDate");
    r.UtilityCode = MapIndex(map, "UtilityCode");
    r.Lat = MapIndex(map, "Lat");
    r.Lng = MapIndex(map, "Lng");
    r.Message = MapIndex(map, "Message");
    r.ServiceAddress = MapIndex(map, "ServiceAddress");
    r.BillingName = MapIndex(map, "BillingName");
    r.ServiceUniqueID = MapIndex(map, "ServiceUniqueID");
    r.MeterSerialNbr = MapIndex(map, "MeterSerialNbr");
    r.ScaleFactor = MapIndex(map, "ScaleFactor");
    r.InitReading = MapIndex(map, "InitReading");
    r.InitPulseCount = MapIndex(map, "InitPulseCount");
    r.InitTamperCount = MapIndex(map, "InitTamperCount");
    const char* users[] = {"User1", "User2", "User3", "User4", "User5"};
    for (int i = 0; i < 5; ++i) r.User[i] = MapIndex(map, users[i]);
    r.LstReadingDateFormat = map.Fields()[r.LstReadingDate].MapFormat;
    for (std::size_t i = 0; i < map.Fields().size(); ++i) {
        const MapField& f = map.Fields()[i];
        if (f.MaxValue > 0 || f.Required || static_cast<int>(i) == r.LstReadingDate) r.Checked.push_back(i);
    }
    return r;
}

ZAVFieldIndex ZAVFieldIndex::Resolve(const clsZAV& database) {
    const clsPalmDB& db = database.DB();
    auto at = [&db](const char* name) { return db.FindItem(std::string_view(name)); };
    ZAVFieldIndex z{};
    z.RecType = at("RecType");
    z.RouteNbr = at("RouteNbr");
    z.Sequence = at("Sequence");
    z.MeterTagNbr = at("MeterTagNbr");
    z.MeterType = at("MeterType");
    z.Digits = at("Digits");
    z.Decimals = at("Decimals");
    z.PrvReading = at("PrvReading");
    z.MaxReading = at("MaxReading");
    z.MinReading = at("MinReading");
    z.ReadType = at("ReadType");
    z.LstReadingDate = at("LstReadingDate");
    z.UtilityCode = at("UtilityCode");
    z.Lat = at("Lat");
    z.Lng = at("Lng");
    z.ScaleFactor = at("ScaleFactor");
    z.InitReading = at("InitReading");
    z.InitPulseCount = at("InitPulseCount");
    z.InitTamperCount = at("InitTamperCount");
    z.Message = at("Message");
    z.ServiceAddress = at("ServiceAddress");
    z.BillingName = at("BillingName");
    z.ServiceUniqueID = at("ServiceUniqueID");
    z.MeterSerialNbr = at("MeterSerialNbr");
    z.ReceiverData = at("ReceiverData");
    const char* users[] = {"User1", "User2", "User3", "User4", "User5"};
    for (int i = 0; i < 5; ++i) z.User[i] = at(users[i]);
    return z;
}

std::int32_t DateNumber(std::time_t when) {
    const std::tm t = LocalTime(when);
    return (t.tm_year + 1900) * 10000 + (t.tm_mon + 1) * 100 + t.tm_mday;
}

std::int32_t TimeNumberHHNN(std::time_t when) {
    const std::tm t = LocalTime(when);
    return t.tm_hour * 100 + t.tm_min;
}

void WriteRouteHeader(clsZAV& database, std::int16_t routes, std::int16_t announcedMeters, const std::string& source,
                      std::int32_t version, std::time_t when, const std::string& user1) {
    const std::int32_t today = DateNumber(when);
    database.AddNew();
    database.SetItem("RecType", std::int32_t{kRecHeader});
    database.SetItem("RouteNbr", std::int32_t{routes});
    database.SetItem("Sequence", today);
    database.SetItem("MeterTagNbr", TimeNumberHHNN(when));
    database.SetItem("MeterType", version);
    database.SetItem("PrvReading", std::int32_t{announcedMeters});
    database.SetItem("ReadingDate", today);
    database.SetItem("Initials", "ZAV loaded from " + source);
    if (!user1.empty()) database.SetItem("User1", user1);
    database.WriteData();
}

void WriteRouteRecord(clsZAV& database, std::int16_t ordinal, std::int16_t meters, const std::string& route,
                      const std::string& user1) {
    database.AddNew();
    database.SetItem("RecType", std::int32_t{kRecRoute});
    database.SetItem("RouteNbr", std::int32_t{ordinal});
    database.SetItem("PrvReading", std::int32_t{meters});
    database.SetItem("Initials", route);
    database.SetItem("ResponseText", route);
    if (!user1.empty()) database.SetItem("User1", user1);
    database.WriteData();
}

void WriteRouteRecords(clsZAV& database, const RouteList& routes) {
    // An int counter: a 16-bit one would wrap before it passed the 32,767th route.
    for (int i = 1; i <= routes.Count(); ++i) {
        const auto ordinal = static_cast<std::int16_t>(i);
        WriteRouteRecord(database, ordinal, routes.MeterCount(ordinal), routes.Route(ordinal));
    }
}

std::int16_t ReadTypeOfLetter(const std::string& letter) {
    const std::string_view l = Trim(letter);
    if (l == "R") return 1;
    if (l == "M" || l == "S") return 2;
    if (l == "P") return 3;
    return 0;
}

bool NonRadioLetter(const std::string& letter) {
    const std::string_view l = Trim(letter);
    return l == "M" || l == "P" || l == "S";
}

}  // namespace zav
