#include "hostformats/host_route.h"

#include "core/errors.h"
#include "core/frontend.h"
#include "core/number.h"
#include "exchange/exchange.h"
#include "exchange/route_meter.h"
#include "exchange/route_records.h"
#include "hostformats/rec_type.h"
#include "zav/zav.h"

namespace zav::host {

bool CountFits(clsExchange& ex, std::int32_t count, const std::string& what, std::int32_t lineNo) {
    if (count <= kMaxCount) return true;
    AddLog("Error: The route file has more than 32767 " + what + " (line " + std::to_string(lineNo) + ")");
    ex.State.Problems = true;
    return false;
}

void WarnTooLarge(clsExchange& ex, const clsRecType& rec, std::int32_t lineNo) {
    for (const std::string& field : rec.TooLargeFields()) {
        AddLog("Warning: Number too large to read in " + field + " of " + rec.RIValue + " at line " +
               std::to_string(lineNo) + "; read as 0");
        ex.State.Warnings = true;
    }
}

void Progress::Show(long current) {
    if (current == last_) return;
    last_ = current;
    SetProgressButton(max_, current);
}

void BeginMeter(clsExchange& ex, MeterRecordBuilder& record, std::int32_t routeOrdinal) {
    const ZAVFieldIndex& z = record.Fields();
    record.Begin();
    record.SetNumber(z.RecType, std::int32_t{kRecMeter});
    record.SetNumber(z.RouteNbr, routeOrdinal);
    record.SetNumber("Status", 0);
    record.SetNumber(z.LstReadingDate, std::int32_t{0});
    for (int field : {z.Lat, z.Lng, z.InitPulseCount, z.InitTamperCount}) record.SetNumber(field, std::int32_t{0});
    record.SetText(z.ReceiverData, std::string_view());
}

void FinishMeter(clsExchange& ex, MeterRecordBuilder& record, std::int32_t routeOrdinal, std::int32_t tag) {
    ex.AppendMeterRecord(record.Lay());
    ++ex.State.MetersWritten;
    ex.IndexWrittenMeter(static_cast<std::int16_t>(routeOrdinal),
                         record.Fields().MeterTagNbr == 0 ? std::string() : std::to_string(tag), record);
}

std::int32_t MeterTypeOfLetter(std::string_view letter) {
    if (letter == "W") return 1;
    if (letter == "G") return 2;
    if (letter == "E") return 3;
    if (letter == "S") return 4;
    if (letter == "I") return 5;
    return 0;
}

std::optional<std::int32_t> LeadingLong(std::string_view text) {
    try {
        return CLng(Val(text));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

std::string Fixed(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

}  // namespace zav::host
