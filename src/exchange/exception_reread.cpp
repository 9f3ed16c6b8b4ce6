// clsExchange::BuildExceptionReRead: a re-read database of the meters in a readings database whose
// reading is missing or out of range, each with its route, renumbered and made unread again.
#include "core/clock.h"
#include "core/errors.h"
#include "exchange/exchange.h"
#include "exchange/reread.h"
#include "exchange/route_records.h"
#include "zav/zav.h"

namespace zav {

namespace {

std::int32_t Number(const clsZAV& db, std::string_view name) {
    return static_cast<std::int32_t>(ValueNumber(db.Item(name)));
}

// Sets a field the schema has (a version 0 database has only the first five).
void SetIfPresent(clsZAV& db, std::string_view name, const Value& value) {
    if (db.DB().FindItem(name) != 0) db.SetItem(name, value);
}

struct ExceptionRoute {
    std::int32_t exceptions = 0;
    std::int32_t newNumber = 0;  // 0: dropped
};

// The route entry a meter record names. THROWS RuntimeError(9) outside the list.
ExceptionRoute& RouteOf(std::vector<ExceptionRoute>& routes, std::int32_t number) {
    if (number < 1 || static_cast<std::size_t>(number) > routes.size())
        throw RuntimeError(kErrSubscript, "Error: Route number " + std::to_string(number) +
                                              " of a meter record is outside the route list of the readings "
                                              "database (" +
                                              std::to_string(routes.size()) + " routes)");
    return routes[static_cast<std::size_t>(number) - 1];
}

bool IsExceptionRecord(const clsZAV& db) {
    return IsReadingException(Number(db, "Status"), Number(db, "CurReading"), Number(db, "MinReading"),
                              Number(db, "MaxReading"));
}

}  // namespace

bool IsReadingException(std::int32_t status, std::int32_t cur, std::int32_t min, std::int32_t max) {
    if (status == 0) return true;
    if (min < max) return cur < min || cur > max;
    if (min > max) return cur > max && cur < min;  // the range wraps past the dial's rollover
    return false;
}

std::int32_t clsExchange::BuildExceptionReRead(clsZAV& readings, const std::filesystem::path& destination) {
    // Pass 1: the routes in file order and how many exceptions each has.
    std::int32_t version = readings.Version();
    std::vector<ExceptionRoute> routes;
    readings.Rewind();
    while (readings.ReadData()) {
        const std::int32_t recType = readings.RecType();
        if (recType == kRecHeader) {
            const std::int32_t meterType = Number(readings, "MeterType");
            if (meterType > 0) version = meterType;
        } else if (recType == kRecRoute || recType == kRecRouteReturned) {
            routes.emplace_back();
        } else if (recType == kRecMeter && IsExceptionRecord(readings)) {
            ++RouteOf(routes, Number(readings, "RouteNbr")).exceptions;
        }
    }
    std::int32_t kept = 0;
    std::int32_t total = 0;
    for (ExceptionRoute& r : routes) {
        if (r.exceptions == 0) continue;
        r.newNumber = ++kept;
        total += r.exceptions;
    }
    if (total == 0) return 0;

    clsZAV out;
    out.SetVersion(readings.Version());
    if (const std::int16_t err = out.CreateZAV(destination, readings.GetType(), kept + 1 + total); err != 0)
        throw RuntimeError(err, "Error: Could not Create ReRead ZAV File");

    // Pass 2: copies of the header, the kept routes and their exception meters.
    const std::time_t now = Now();
    const std::int32_t today = DateNumber(now);
    std::size_t routeIndex = 0;
    readings.Rewind();
    while (readings.ReadData()) {
        const std::int32_t recType = readings.RecType();
        if (recType == kRecHeader) {
            out.SetRawData(readings.RawData());
            SetIfPresent(out, "RouteNbr", kept);
            SetIfPresent(out, "Sequence", today);
            SetIfPresent(out, "MeterTagNbr", TimeNumberHHNN(now));
            // The records keep the readings database's layout, so the header names that version.
            SetIfPresent(out, "MeterType", static_cast<std::int16_t>(version));
            SetIfPresent(out, "PrvReading", total);
            SetIfPresent(out, "ReadingDate", today);
        } else if (recType == kRecRoute || recType == kRecRouteReturned) {
            const ExceptionRoute& r = routes[routeIndex++];
            if (r.newNumber == 0) continue;
            out.SetRawData(readings.RawData());
            SetIfPresent(out, "RouteNbr", r.newNumber);
            // A route record counts its meters: here the ones to read again.
            SetIfPresent(out, "PrvReading", r.exceptions);
        } else if (recType == kRecMeter) {
            const ExceptionRoute& r = RouteOf(routes, Number(readings, "RouteNbr"));
            if (r.newNumber == 0 || !IsExceptionRecord(readings)) continue;
            out.SetRawData(readings.RawData());
            SetIfPresent(out, "RouteNbr", r.newNumber);
            for (const char* name : {"ReadingDate", "ReadingTime", "CurReading"})
                SetIfPresent(out, name, std::int32_t{0});
            SetIfPresent(out, "Status", std::int16_t{0});
        } else {
            continue;
        }
        if (!out.WriteData()) throw RuntimeError(kErrDeviceIO, "Error: Could not write ReRead ZAV File");
    }
    out.CloseZAV();
    return total;
}

}  // namespace zav
