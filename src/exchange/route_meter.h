// The meter record of a route database, written from one parsed route line: the route and re-read
// conversions write their meters the same way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/values.h"
#include "exchange/route_records.h"

namespace zav {

class clsAdvanced;
class clsPalmDB;
class clsZAV;

// One parsed route line, a value per map field in map order (clsExchange::ParseRouteFields).
using RouteFields = std::vector<Value>;

class MeterRecordWriter {
  public:
    // Field positions are resolved here, once: `fields` in the parsed lines, the meter fields in the
    // schema of `database` (fields its version lacks are left out).
    MeterRecordWriter(clsZAV& database, const RouteFieldIndex& fields, const clsAdvanced& advanced);

    // Appends the meter record of `rec`: route ordinal `ordinal`; ReadType `readType` (from the line's
    // read-type letter) or, when that is 0, the number mapped; MeterType as a letter's character code;
    // LstReadingDate read in its map format; Message from the advanced options' LookupMessage; the
    // other fields as parsed. THROWS RuntimeError when a value does not fit its field.
    void Write(const RouteFields& rec, std::int16_t ordinal, std::int16_t readType);

    // What the record just written holds, for the index step (a missing tag reads "0").
    std::string StoredTag() const;
    enum StoredText { kSerial, kBillingName, kAddress, kAccount };
    const std::string& Stored(StoredText which) const;

  private:
    clsZAV& database_;
    const RouteFieldIndex& at_;
    const clsAdvanced& advanced_;
    ZAVFieldIndex z_;
    std::vector<std::string> texts_;  // the record's texts by ordinal, written after the fixed area
    std::string record_;

    void SetText(int field, const Value& value);
    std::string& Text(int field);
};

}  // namespace zav
