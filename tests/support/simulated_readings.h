// A readings database as a handheld brings it back after a day on a route: every record of the route
// database in order (route records as kind 256), each meter read by a simple, repeatable rule, and a
// few orphan readings at the end. Header-only; the test executables that include it link the zav
// module.
//
// The rule, by the meter's position n (from 1) among the meters:
//   - every 17th meter is not read (Status 0, reading 0, no date or time);
//   - every 13th reads above its MaxReading (an exception to read again), every 11th is skipped with
//     response code 2 and the response text "LOCKED GATE", every 7th reports one tamper;
//   - all others read within their range: MinReading + (tag mod (MaxReading - MinReading + 1)), or
//     PrvReading + (tag mod 500) for a meter without a range; Status 1, read 10 March 2026 from
//     08:00:00 on at 37 seconds per meter (round the clock on a long route), initials "JB".
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "zav/zav.h"

namespace zav::test {

// The reading a read meter gets (see above).
inline std::int32_t ExpectedReading(std::int32_t prv, std::int32_t min, std::int32_t max, std::int32_t tag) {
    if (max > min) return min + static_cast<std::int32_t>(tag % (static_cast<std::int64_t>(max) - min + 1));
    return prv + tag % 500;
}

inline void SimulateReadings(const std::filesystem::path& routeDatabase, const std::filesystem::path& readings) {
    clsZAV route;
    if (route.OpenZAVWithFileVersion(routeDatabase)) throw std::runtime_error("cannot open " + routeDatabase.string());
    clsZAV out;
    out.SetVersion(route.Version());
    if (out.DB().CreateDB(route.GetType(), readings, "ReadingZAV", kZAVCreator, kZAVType, route.RecordCount() + 4, "",
                          "") != 0)
        throw std::runtime_error("cannot create " + readings.string());

    auto number = [&](const char* name) { return static_cast<std::int32_t>(ValueNumber(route.Item(name))); };
    std::int32_t n = 0;
    while (route.ReadData()) {
        out.SetRawData(route.RawData());
        const std::int32_t recType = route.RecType();
        if (recType == kRecRoute) {
            out.SetItem("RecType", std::int16_t{kRecRouteReturned});
        } else if (recType == kRecMeter) {
            ++n;
            const std::int32_t tag = number("MeterTagNbr");
            std::int32_t reading =
                ExpectedReading(number("PrvReading"), number("MinReading"), number("MaxReading"), tag);
            std::int16_t status = 1;
            if (n % 17 == 0)
                status = 0;
            else if (n % 13 == 0)
                reading = number("MaxReading") + 1 + n;
            if (n % 11 == 0 && status != 0) {
                out.SetItem("ResponseCode", std::int16_t{2});
                out.SetItem("ResponseText", std::string("LOCKED GATE"));
            }
            if (n % 7 == 0) out.SetItem("TamperCount", std::int16_t{1});
            out.SetItem("Status", status);
            if (status != 0) {
                const std::int32_t seconds = 8 * 3600 + 37 * n;
                out.SetItem("CurReading", reading);
                out.SetItem("ReadingDate", 20260310);
                out.SetItem("ReadingTime", seconds / 3600 % 24 * 10000 + seconds / 60 % 60 * 100 + seconds % 60);
                out.SetItem("Initials", std::string("JB"));
            }
        }
        out.WriteData();
    }
    // Orphans: meters found on the way that were on no route, with the tags of up to four neighbours.
    const std::int32_t orphans[][7] = {
        {88000101, 4521, 91500, 20200104, 20200113, 0, 0},
        {88000102, 120, 101230, 20200121, 20200128, 20200117, 0},
        {88000103, 99871, 134502, 20200104, 0, 0, 0},
    };
    for (const auto& o : orphans) {
        out.AddNew();
        out.SetItem("RecType", std::int16_t{kRecOrphan});
        out.SetItem("MeterTagNbr", o[0]);
        out.SetItem("CurReading", o[1]);
        out.SetItem("ReadingDate", 20260310);
        out.SetItem("ReadingTime", o[2]);
        out.SetItem("PrvReading", o[3]);
        out.SetItem("MaxReading", o[4]);
        out.SetItem("MinReading", o[5]);
        out.SetItem("LstReadingDate", o[6]);
        out.SetItem("Initials", std::string("JB"));
        out.WriteData();
    }
    out.CloseZAV();
}

}  // namespace zav::test
