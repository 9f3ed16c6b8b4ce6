// The exception test of the re-read builder.
#pragma once

#include <cstdint>

namespace zav {

// True when a meter must be read again: not read (`status` 0), or its reading lies outside the
// expected range — below `min` or above `max`, or, when min > max (a range that wraps past the
// dial's rollover), strictly between max and min. Equal limits never make an exception.
bool IsReadingException(std::int32_t status, std::int32_t cur, std::int32_t min, std::int32_t max);

}  // namespace zav
