// What the MVRS and E5000 route converters share beyond the route driver's own pieces: the 16-bit
// count limits, warnings for numbers too large to read, progress shown only when it moves, and the
// common part of their meter records.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zav {

class clsExchange;
class clsRecType;
class MeterRecordBuilder;

namespace host {

inline constexpr std::int32_t kMaxCount = 32767;

// True when `count` fits the 16-bit counts of a route database; otherwise logs "Error: The route file has
// more than 32767 <what> (line n)" and sets the problems flag.
bool CountFits(clsExchange& ex, std::int32_t count, const std::string& what, std::int32_t lineNo);

// Logs "Warning: Number too large to read in <field> of <record> at line n; read as 0" for each such field
// of the record last parsed, and sets the warnings flag.
void WarnTooLarge(clsExchange& ex, const clsRecType& rec, std::int32_t lineNo);

// Progress of a route conversion pass, passed on to the frontend only when it changes.
class Progress {
  public:
    explicit Progress(long max) : max_(max) {}
    void Show(long current);

  private:
    long max_;
    long last_ = -1;
};

// Starts a meter record of a host route conversion with what every one holds beside its own values:
// record kind and route ordinal, Status 0, no last reading date, position and initial counts 0, no
// receiver data.
void BeginMeter(clsExchange& ex, MeterRecordBuilder& record, std::int32_t routeOrdinal);
// Writes the record, counts it and hands its texts (and `tag`, as the record holds it) to the index step.
void FinishMeter(clsExchange& ex, MeterRecordBuilder& record, std::int32_t routeOrdinal, std::int32_t tag);

// The ZAV MeterType of a meter category letter (W 1, G 2, E 3, S 4, I 5); 0 for any other.
std::int32_t MeterTypeOfLetter(std::string_view letter);
// The leading number of a text as a 32-bit integer (halves to even); nullopt when it does not fit.
std::optional<std::int32_t> LeadingLong(std::string_view text);

// A text padded with blanks or cut to `width` characters.
std::string Fixed(std::string text, std::size_t width);

}  // namespace host
}  // namespace zav
