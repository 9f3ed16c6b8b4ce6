// The validation of a parsed route line: maximum values, required values, the last reading date and
// the duplicate meter-tag check, with the limit of 50 messages per conversion.
#include "core/frontend.h"
#include "core/number.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "exchange/route_records.h"
#include "maps/map_date.h"
#include "maps/map_texts.h"

namespace zav {

namespace {

constexpr std::int16_t kMessageLimit = 50;

bool BlankValue(const Value& v) {
    if (const auto* text = std::get_if<std::string>(&v)) return Trim(*text).empty();
    return Trim(ValueText(v)).empty();
}

}  // namespace

void clsExchange::ResolveRouteFields() {
    routeFields_ = std::make_unique<RouteFieldIndex>(RouteFieldIndex::Resolve(ExchMap));
}

std::int16_t clsExchange::ReportValidation(const std::string& message) {
    if (State.ValidationMessages < kMessageLimit) {
        AddLog(message);
        ++State.ValidationMessages;
        return 1;
    }
    if (State.ValidationMessages == kMessageLimit) {
        AddLog("Remaining validation messages suppressed");
        AddLog("Fatal Error limit reached");
        ++State.ValidationMessages;
        return 3;
    }
    return 0;
}

bool clsExchange::DuplicateTag(std::string_view tag, std::string_view address, std::string_view billingName,
                               std::int32_t lineNumber) {
    if (State.DuplicateTags.Insert(tag)) return false;
    AddLog("Meter Tag Number of " + std::string(tag) + " is duplicate in Line " + std::to_string(lineNumber));
    AddLog("   Info: " + std::string(address) + " " + std::string(billingName));
    return true;
}

std::int16_t clsExchange::ValidateRoute(const RouteFields& rec) {
    const RouteFieldIndex& at = *routeFields_;
    const auto line = [this] { return std::to_string(State.InputLines); };
    const bool nonRadio = NonRadioLetter(ReadTypeLetter);
    std::int16_t result = 0;
    auto report = [&](const std::string& message) {
        const std::int16_t r = ReportValidation(message);
        if (r > result) result = r;
    };

    const auto& fields = ExchMap.Fields();
    for (const std::size_t i : at.Checked) {
        const MapField& f = fields[i];
        const Value& v = rec[i];
        const bool exempt = nonRadio && static_cast<int>(i) == at.MeterTagNbr;
        if (!exempt && f.MaxValue > 0 && ValueNumber(v) > f.MaxValue)
            report("Value of " + f.FieldName + "(" + ValueText(v) + ") exceeds maximum permitted value in Line " +
                   line());
        if (!exempt && f.Required) {
            if (f.DataType == kText || f.DataType == kDate || f.DataType == kTime) {
                if (BlankValue(v)) report(f.FieldName + " empty in Line " + line());
            } else if (ValueNumber(v) == 0) {
                report(f.FieldName + " zero in Line " + line());
            }
        }
        // The last reading date is stored as the number yyyymmdd: a text that is no date in the
        // field's format is stored as 0, and said so.
        if (static_cast<int>(i) == at.LstReadingDate && std::holds_alternative<std::string>(v) &&
            !MapDateNumber(std::get<std::string>(v), at.LstReadingDateFormat)) {
            const std::string format =
                at.LstReadingDateFormat == 0 ? "YYYYMMDD" : MapFormatText(at.LstReadingDateFormat);
            report("Warning: " + f.FieldName + "(" + std::get<std::string>(v) + ") is not a date in the format " +
                   (format.empty() ? "of code " + std::to_string(at.LstReadingDateFormat) : format) + " in Line " +
                   line() + "; stored as 0");
        }
    }
    if (!nonRadio) {
        std::string address, name;  // a value that is no text, as text
        if (DuplicateTag(ValueTextView(rec[at.MeterTagNbr], tagText_), ValueTextView(rec[at.ServiceAddress], address),
                         ValueTextView(rec[at.BillingName], name), State.InputLines))
            result = 3;
    }
    return result;
}

std::int16_t clsExchange::ValidateRoute(const Values& rec) {
    RouteFields fields;
    fields.reserve(rec.Count());
    for (const auto& entry : rec) fields.push_back(entry.second);
    return ValidateRoute(fields);
}

bool clsExchange::ValidateRouteLine(const RouteFields& rec) {
    switch (ValidateRoute(rec)) {
        case 1:
            State.Warnings = true;
            return true;
        case 2:
            State.Problems = true;
            return true;
        case 3:
            return false;
        default:
            return true;
    }
}

}  // namespace zav
