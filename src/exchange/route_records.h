// The records a route converter writes: the header and route records from the route list, and the
// field positions (of the route map and of the ZAV schema) it resolves once per conversion, so that
// no meter looks a field up by name.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "exchange/route_state.h"

namespace zav {

class clsExchMap;
class clsZAV;

// Where the fields a route converter reads sit in a parsed line (index into RouteFields), by name.
struct RouteFieldIndex {
    int RouteNbr, Sequence, MeterTagNbr, MeterType, Digits, Decimals, PrvReading, MaxReading, MinReading, ReadType,
        LstReadingDate, UtilityCode, Lat, Lng, Message, ServiceAddress, BillingName, ServiceUniqueID, MeterSerialNbr,
        ScaleFactor, InitReading, InitPulseCount, InitTamperCount;
    std::array<int, 5> User;
    std::int32_t LstReadingDateFormat;  // the map's date format code of LstReadingDate
    // The fields validation looks at, in map order: those with a maximum, the required ones and the last
    // reading date (the others can raise no message).
    std::vector<std::size_t> Checked;

    // THROWS RuntimeError(457) when a map field name occurs twice (without regard to case), 5 when one
    // of the fields above is missing.
    static RouteFieldIndex Resolve(const clsExchMap& map);
};

// The schema positions (from 1) of the meter record's fields in a ZAV database of version 1 to 3.
struct ZAVFieldIndex {
    int RecType, RouteNbr, Sequence, MeterTagNbr, MeterType, Digits, Decimals, PrvReading, MaxReading, MinReading,
        ReadType, LstReadingDate, UtilityCode, Lat, Lng, ScaleFactor, InitReading, InitPulseCount, InitTamperCount,
        Message, ServiceAddress, BillingName, ServiceUniqueID, MeterSerialNbr, ReceiverData;
    std::array<int, 5> User;

    // Fields the schema of the database's version lacks are 0 (a write to position 0 stores nothing).
    static ZAVFieldIndex Resolve(const clsZAV& database);
};

// Today's date as yyyymmdd and the time as hhnn (24-hour), local time.
std::int32_t DateNumber(std::time_t when);
std::int32_t TimeNumberHHNN(std::time_t when);

// Writes the header record: `routes` routes, `announcedMeters` meter records announced, `source` named
// in its Initials ("ZAV loaded from " + source), schema version `version`, created `when`.
// `user1` goes to its User1 (the host converters keep file totals there).
void WriteRouteHeader(clsZAV& database, std::int16_t routes, std::int16_t announcedMeters, const std::string& source,
                      std::int32_t version, std::time_t when, const std::string& user1 = std::string());
// Writes one route record: ordinal, meter count, route number text and User1.
void WriteRouteRecord(clsZAV& database, std::int16_t ordinal, std::int16_t meters, const std::string& route,
                      const std::string& user1 = std::string());
// Writes one route record per route in list order: ordinal, meter count and route number text.
void WriteRouteRecords(clsZAV& database, const RouteList& routes);

// The ZAV ReadType of a read-type letter: "R" 1, "M" or "S" 2, "P" 3, anything else 0 (not a letter
// that is known: the caller then takes the number mapped). Spaces around the letter are ignored.
std::int16_t ReadTypeOfLetter(const std::string& letter);
// Lines whose letter is "M", "P" or "S" are read by hand, not by radio (spaces ignored).
bool NonRadioLetter(const std::string& letter);

}  // namespace zav
