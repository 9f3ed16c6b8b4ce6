#include "hostformats/host_route.h"

#include <charconv>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/number.h"
#include "exchange/route_records.h"
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

void Progress::Changed(long current) {
    last_ = current;
    SetProgressButton(max_, current);
}

MeterWriter::MeterWriter(clsExchange& ex)
    : ex_(ex),
      record_(*ex.RouteZAV),
      status_(ex.RouteZAV->DB().FindItem("Status")),
      tamperCount_(ex.RouteZAV->DB().FindItem("TamperCount")) {}

void MeterWriter::SetNamed(int field, std::string_view name, std::int32_t value) {
    if (field != 0)
        record_.SetNumber(field, value);
    else
        record_.SetNumber(name, value);  // shows that the schema lacks it
}

void MeterWriter::Write(std::int32_t routeOrdinal, const HostMeter& m) {
    MeterRecordBuilder& r = record_;
    const ZAVFieldIndex& z = r.Fields();
    r.Begin();
    r.SetNumber(z.RecType, std::int32_t{kRecMeter});
    r.SetNumber(z.RouteNbr, routeOrdinal);
    SetNamed(status_, "Status", 0);
    r.SetNumber(z.LstReadingDate, std::int32_t{0});
    for (int field : {z.Lat, z.Lng, z.InitPulseCount, z.InitTamperCount}) r.SetNumber(field, std::int32_t{0});
    r.SetTextView(z.ReceiverData, std::string_view());
    r.SetNumber(z.Sequence, m.Sequence);
    r.SetNumber(z.MeterTagNbr, m.Tag);
    if (m.MeterType != 0) r.SetNumber(z.MeterType, m.MeterType);
    r.SetNumber(z.Digits, m.Digits);
    r.SetNumber(z.Decimals, m.Decimals);
    r.SetNumber(z.PrvReading, m.PrvReading);
    r.SetNumber(z.MaxReading, m.MaxReading);
    r.SetNumber(z.MinReading, m.MinReading);
    if (m.ReadType >= 0) r.SetNumber(z.ReadType, m.ReadType);
    SetNamed(tamperCount_, "TamperCount", m.TamperCount);
    r.SetNumber(z.UtilityCode, m.UtilityCode);
    // The meter's texts are views that stay as they are while it is written: no copies.
    r.SetTextView(z.Message, m.Message);
    r.SetTextView(z.ServiceAddress, m.ServiceAddress);
    r.SetTextView(z.BillingName, m.BillingName);
    r.SetTextView(z.ServiceUniqueID, m.ServiceUniqueID);
    r.SetTextView(z.MeterSerialNbr, m.MeterSerialNbr);
    for (std::size_t i = 0; i < m.User.size(); ++i) r.SetTextView(z.User[i], m.User[i]);
    // The index step takes the record's texts and the meter's own tag (none when the schema lacks it).
    char tag[12];
    const std::size_t tagSize =
        z.MeterTagNbr == 0 ? 0 : static_cast<std::size_t>(std::to_chars(tag, tag + sizeof tag, m.Tag).ptr - tag);
    const std::string_view record = r.Lay();
    ex_.AppendIndexedMeter(record, r.IndexSpans(), r, static_cast<std::int16_t>(routeOrdinal), ex_.IndexRecordCounter,
                           std::string_view(tag, tagSize));
    ++ex_.State.MetersWritten;
    CountUp(ex_.IndexRecordCounter);
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

void AssignFixed(std::string& to, std::string_view text, std::size_t width) {
    to.assign(text.substr(0, width));
    to.resize(width, ' ');
}

void AssignText(Value& slot, std::string_view text) {
    if (auto* s = std::get_if<std::string>(&slot))
        s->assign(text);
    else
        slot.emplace<std::string>(text);
}

}  // namespace zav::host
