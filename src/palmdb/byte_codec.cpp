#include "palmdb/byte_codec.h"

#include <cstdio>

#include "core/errors.h"
#include "core/number.h"

namespace zav {

std::int32_t BytesToNumber(const unsigned char* p, int length) {
    std::uint32_t result = 0;
    for (int i = 0; i < length; ++i) result = result * 256 + p[i];
    return static_cast<std::int32_t>(result);  // 4 bytes: the two's-complement pattern
}

std::array<unsigned char, 4> ValueToBytes(const Value& value, int length) {
    std::array<unsigned char, 4> out{};
    if (const auto* text = std::get_if<std::string>(&value)) {
        for (int i = 0; i < length && i < static_cast<int>(text->size()); ++i)
            out[i] = static_cast<unsigned char>((*text)[i]);
        return out;
    }
    std::int32_t v = 0;
    if (const auto* n16 = std::get_if<std::int16_t>(&value))
        v = *n16;
    else if (const auto* n32 = std::get_if<std::int32_t>(&value))
        v = *n32;
    else if (const auto* d = std::get_if<double>(&value))
        v = CLng(*d);
    switch (length) {
        case 1:
            out[0] = static_cast<unsigned char>(v & 0xFF);
            break;
        case 2:
            out[0] = static_cast<unsigned char>((v & 0xFF00) >> 8);
            out[1] = static_cast<unsigned char>(v & 0xFF);
            break;
        case 4: {
            const auto u = static_cast<std::uint32_t>(v);  // negative values as their two's complement
            out[0] = static_cast<unsigned char>(u >> 24);
            out[1] = static_cast<unsigned char>((u >> 16) & 0xFF);
            out[2] = static_cast<unsigned char>((u >> 8) & 0xFF);
            out[3] = static_cast<unsigned char>(u & 0xFF);
            break;
        }
        default:
            break;
    }
    return out;
}

std::string PalmDate::Text() const {
    if (IsZero()) return "";
    // Days since 1904-01-01, then the civil date (proleptic Gregorian) of that day.
    const std::int64_t days = seconds / 86400;
    const std::int64_t secs = seconds % 86400;
    // 1904-01-01 is day 24107 after 1970-01-01 counted backwards: -24107.
    std::int64_t z = days - 24107 + 719468;
    const std::int64_t era = z / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", static_cast<long long>(y),
                  static_cast<long long>(m), static_cast<long long>(d), static_cast<long long>(secs / 3600),
                  static_cast<long long>(secs / 60 % 60), static_cast<long long>(secs % 60));
    return buf;
}

}  // namespace zav
