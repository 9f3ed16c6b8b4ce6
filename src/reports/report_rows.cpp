#include "reports/report_rows.h"

#include <cmath>

#include "core/text.h"
#include "reports/rpt_text.h"
#include "zav/zav.h"

namespace zav {

namespace {

constexpr const char* kCrLf = "\r\n";

std::int64_t Number(const clsZAV& db, std::string_view field) {
    const double value = ValueNumber(db.Item(field));
    return std::isfinite(value) ? static_cast<std::int64_t>(value) : 0;
}

std::string Text(const clsZAV& db, std::string_view field) { return ValueText(db.Item(field)); }

std::string NumberOrEmpty(std::int64_t value) { return value == 0 ? std::string() : std::to_string(value); }

// Characters `from` (1-based) to `from + count - 1` of `text`, as far as it has them.
std::string Mid(const std::string& text, std::size_t from, std::size_t count) {
    return from - 1 < text.size() ? text.substr(from - 1, count) : std::string();
}

std::string Right(const std::string& text, std::size_t count) {
    return count >= text.size() ? text : text.substr(text.size() - count);
}

// "yyyy/mm/dd", CR LF, "hh:mm:ss"; each part empty when its number is not above 0.
std::string DateTimeText(std::int64_t date, std::int64_t time) {
    std::string out;
    if (date > 0) {
        const std::string d = std::to_string(date);
        out = Mid(d, 1, 4) + "/" + Mid(d, 5, 2) + "/" + Mid(d, 7, 2);
    }
    out += kCrLf;
    if (time > 0) {
        const std::string t = Right("000000" + std::to_string(time), 6);
        out += t.substr(0, 2) + ":" + t.substr(2, 2) + ":" + t.substr(4, 2);
    }
    return out;
}

std::string TypeLetter(std::int64_t meterType) {
    switch (meterType) {
        case 1:
            return "W";
        case 2:
            return "G";
        case 3:
            return "E";
        default:
            return std::to_string(meterType);
    }
}

// Runs of blanks in the account become one blank (runs of five, then four, three and two, one pass each).
std::string AccountText(const std::string& uniqueId) {
    std::string out = ReplaceAll(uniqueId, "     ", " ");
    out = ReplaceAll(out, "    ", " ");
    out = ReplaceAll(out, "   ", " ");
    return ReplaceAll(out, "  ", " ");
}

// The reading as printed: "--" when not read; its last `digits` digits of eight (leading zeros) when the
// meter has a digit count.
std::string ReadingText(std::int64_t status, std::int64_t digits, std::int64_t reading) {
    if (status == 0) return "--";
    if (digits <= 0) return std::to_string(reading);
    return Right(PrintedText(static_cast<double>(reading), "00000000"), static_cast<std::size_t>(digits));
}

// Adds `line` on a new line of `text` (directly when the text is empty).
void AddLine(std::string& text, const std::string& line) { text += (text.empty() ? "" : kCrLf) + line; }

}  // namespace

std::string ReportKindTitle(int kind) {
    switch (kind) {
        case kReportExceptions:
            return "Exception Report";
        case kReportReadings:
            return "Reading Report";
        case kReportOrphans:
            return "Orphan Report";
        case kReportMissed:
            return "Missed Report";
        default:
            return {};
    }
}

std::string ReportKindButton(int kind) {
    switch (kind) {
        case kReportExceptions:
            return "Exceptions";
        case kReportReadings:
            return "Readings";
        case kReportOrphans:
            return "Orphans";
        case kReportMissed:
            return "Missed";
        default:
            return {};
    }
}

ReportRow MakeReportRow(const clsZAV& db) {
    ReportRow row;
    auto& c = row.cells;
    c[0] = Text(db, "MeterTagNbr");
    c[1] = Text(db, "TamperCount");
    const std::int64_t decimals = Number(db, "Decimals");
    std::int64_t reading = Number(db, "CurReading");
    if (decimals > 0) {
        // Whole units only; a reading has at most ten digits, so more decimals leave nothing.
        std::int64_t divisor = 1;
        for (std::int64_t i = 0; i < decimals && divisor <= 10'000'000'000LL; ++i) divisor *= 10;
        reading /= divisor;
    }
    const std::int64_t status = Number(db, "Status");
    const std::int64_t readType = Number(db, "ReadType");
    c[2] = ReadingText(status, Number(db, "Digits"), reading);
    c[6] = DateTimeText(Number(db, "ReadingDate"), Number(db, "ReadingTime"));
    const std::string responseText = Text(db, "ResponseText");

    std::string text;
    if (db.RecType() == 2) {
        const std::int64_t previous = Number(db, "PrvReading");
        const std::int64_t min = Number(db, "MinReading");
        const std::int64_t max = Number(db, "MaxReading");
        c[3] = NumberOrEmpty(previous);
        c[4] = NumberOrEmpty(min);
        c[5] = NumberOrEmpty(max);
        c[7] = AccountText(Text(db, "ServiceUniqueID")) + kCrLf + TypeLetter(Number(db, "MeterType")) + " " +
               Text(db, "MeterSerialNbr");
        c[8] = Text(db, "BillingName") + kCrLf + Text(db, "ServiceAddress");
        if (readType == 2 && status > 0) c[2] += "*";

        bool ruleMatched = true;
        if (status == 0) {
            row.bits = kReportMissed;
            text = "Missed";
        } else if (readType == 4 || Number(db, "ReadingDate") == 0 || (readType == 2 && reading == 0)) {
            row.bits = kReportExceptions;
            text = "Skipped";
        } else if (min < max && (reading < min || reading > max)) {
            row.bits = kReportExceptions | kReportReadings;
            text = reading < min ? "Low Reading" : "High Reading";
        } else if (reading < previous) {
            row.bits = kReportExceptions | kReportReadings;
            text = "Rollover";
        } else if (min > max && reading > max && reading < min) {
            row.bits = kReportExceptions | kReportReadings;
            text = "High Reading";
        } else if (readType == 2 && Number(db, "ResponseCode") != 0) {
            row.bits = kReportExceptions | kReportReadings;
            text = "Manually Read";
        } else {
            ruleMatched = false;
            row.bits = kReportReadings | (responseText.empty() ? 0 : kReportExceptions);
            text = responseText;
        }
        if (ruleMatched && !responseText.empty()) AddLine(text, responseText);
        if (Number(db, "TamperCount") != 0) AddLine(text, "TAMPER");
    } else {
        c[8] = "**Orphan Transponder **";
        row.bits = kReportOrphans;
        for (const char* field : {"PrvReading", "MaxReading", "MinReading", "LstReadingDate"}) {
            const std::int64_t tag = Number(db, field);
            if (tag != 0) text.append(" ").append(std::to_string(tag));
        }
        if (!text.empty()) text = "Nearby:" + text;
    }
    c[9] = ReplaceAll(ReplaceAll(text, "; ", kCrLf), ";", kCrLf);
    return row;
}

}  // namespace zav
