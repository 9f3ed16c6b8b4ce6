// What the MVRS and E5000 route converters share beyond the route driver's own pieces: the two passes,
// the 16-bit count limits, warnings for numbers too large to read, progress shown only when it moves,
// field positions found once per record type, the route ordinals of the second pass and the writing of
// their meter records.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/values.h"
#include "exchange/exchange.h"
#include "exchange/route_meter.h"
#include "exchange/write_behind.h"
#include "hostformats/rec_type.h"

namespace zav {

namespace host {

inline constexpr std::int32_t kMaxCount = 32767;

// A host route conversion: the first pass (Collect) reads the route table and the counts, the database
// is created at its size (CreateDatabase), then the second pass (WriteMeters) writes the meter records,
// appended and indexed on a second core. Clears the warnings and problems flags first.
template <class Conversion>
bool RunTwoPasses(clsExchange& ex, Conversion& conversion) {
    ex.State.Warnings = false;
    ex.State.Problems = false;
    if (!conversion.Collect()) return false;
    if (!conversion.CreateDatabase()) return false;
    return WithWriteBehind(ex, [&conversion] { return conversion.WriteMeters(); });
}

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
    void Show(long current) {
        if (current != last_) Changed(current);
    }

  private:
    void Changed(long current);
    long max_;
    long last_ = -1;
};

// The positions (clsRecType::FieldIndex) of named fields of a record type, found when a record of
// another type than the last one comes: a converter reads the same types line after line.
template <std::size_t N>
class FieldPositions {
  public:
    explicit FieldPositions(const std::array<std::string_view, N>& names) : names_(names) {}
    const std::array<int, N>& In(const clsRecType& rec) {
        if (&rec != type_) {
            type_ = &rec;
            for (std::size_t k = 0; k < N; ++k) at_[k] = rec.FieldIndex(names_[k]);
        }
        return at_;
    }

  private:
    std::array<std::string_view, N> names_;
    const clsRecType* type_ = nullptr;
    std::array<int, N> at_{};
};

// The route ordinals of the route table's numbers (from 1, in table order; a number listed twice has
// its first ordinal). A route number not in the table has the ordinal after the last.
class RouteOrdinals {
  public:
    void Add(const std::string& routeNumber) {
        ordinals_.emplace(routeNumber, ++count_);  // a later entry of the same number keeps the first
    }
    std::int32_t Of(std::string_view routeNumber) const {
        const auto it = ordinals_.find(routeNumber);
        return it != ordinals_.end() ? it->second : count_ + 1;
    }

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };
    std::unordered_map<std::string, std::int32_t, Hash, std::equal_to<>> ordinals_;
    std::int32_t count_ = 0;
};

// The values of a host meter record beside the ones every such record holds (record kind and route
// ordinal, Status 0, no last reading date, position and initial counts 0, no receiver data). Texts are
// views: they must stay valid until Write returns.
struct HostMeter {
    std::int32_t Sequence = 0, Tag = 0;
    std::int32_t MeterType = 0;  // 0 leaves the field out
    std::int32_t Digits = 0, Decimals = 0, PrvReading = 0, MaxReading = 0, MinReading = 0;
    std::int32_t ReadType = -1;  // below 0 leaves the field out
    std::int32_t TamperCount = 0, UtilityCode = 0;
    std::string_view Message, ServiceAddress, BillingName, ServiceUniqueID, MeterSerialNbr;
    std::array<std::string_view, 5> User{};
};

// Writes the meter records of a host route conversion into the exchange's route database: each one is
// appended, counted and its texts (and its tag, as the record holds it) handed to the index step.
class MeterWriter {
  public:
    explicit MeterWriter(clsExchange& ex);
    void Write(std::int32_t routeOrdinal, const HostMeter& meter);

  private:
    // A number field found by name, resolved once; a name the schema lacks shows its message each time.
    void SetNamed(int field, std::string_view name, std::int32_t value);

    clsExchange& ex_;
    MeterRecordBuilder record_;
    int status_, tamperCount_;
};

// The ZAV MeterType of a meter category letter (W 1, G 2, E 3, S 4, I 5); 0 for any other.
std::int32_t MeterTypeOfLetter(std::string_view letter);
// The leading number of a text as a 32-bit integer (halves to even); nullopt when it does not fit.
std::optional<std::int32_t> LeadingLong(std::string_view text);

// `to` becomes `text` padded with blanks or cut to `width` characters (its storage reused).
void AssignFixed(std::string& to, std::string_view text, std::size_t width);
// `slot` becomes the text `text`, in the storage of the text it held.
void AssignText(Value& slot, std::string_view text);

}  // namespace host
}  // namespace zav
