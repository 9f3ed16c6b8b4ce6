/* Preloaded into the conversions whose outputs scripts/speed.sh compares: the clock reads 10 March 2026
 * 08:00:00 UTC, so the date and time a route database's header records are the same on every run. */
#include <time.h>

time_t time(time_t* out) {
    const time_t fixed = 1773129600;
    if (out) *out = fixed;
    return fixed;
}
