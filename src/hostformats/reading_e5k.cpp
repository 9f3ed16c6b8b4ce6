// ConvertReadingE5K: a readings database into an E5000 upload file. Meters with no reading to send (skipped,
// not read, or keyed as 0) take no part. The first pass collects each route's counts, read date and
// sequence range; the second writes a route header, the account and property records when the account
// changes, a meter and a reading record per meter, and the route trailer.
#include <fmt/format.h>

#include <vector>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/number.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "exchange/readings_tally.h"
#include "hostformats/e5k_files.h"
#include "hostformats/host_formats.h"
#include "hostformats/host_upload.h"
#include "zav/zav.h"

namespace zav {

namespace {

struct RouteEntry {
    std::string RouteNumber, ReadDate;
    std::int32_t Accounts = 0, Meters = 0, BeginSequence = 0, EndSequence = 0;
};

std::int32_t Long(const clsZAV& db, std::string_view field) {
    try {
        return CLng(ValueNumber(db.Item(field)));
    } catch (const RuntimeError&) {
        return 0;
    }
}

std::string Text(const clsZAV& db, std::string_view field) { return ValueText(db.Item(field)); }

// Characters `start` (from 1) to `start` + `length` - 1 of a text, as far as it goes.
std::string Mid(const std::string& text, std::size_t start, std::size_t length) {
    return start - 1 < text.size() ? text.substr(start - 1, length) : std::string();
}

bool TakesPart(const clsZAV& db) {
    if (db.RecType() != kRecMeter) return false;
    const std::int32_t readType = Long(db, "ReadType");
    if (readType == 4 || Long(db, "ReadingDate") == 0) return false;
    return !(readType == 2 && Long(db, "CurReading") == 0);
}

class E5KReadingConversion {
  public:
    explicit E5KReadingConversion(clsExchange& ex) : ex_(ex), upload_(writer_) {}

    bool Run() {
        if (!upload_.Create(ex_.SettingPath(ex_.ReadingDestination))) return false;
        clsZAV db;
        db.SetVersion(ex_.FileVersion);
        if (db.OpenZAV(ex_.SettingPath(ex_.ReadingSource))) throw RuntimeError(kErrFileNotFound);
        ReadingsTally tally;
        while (db.ReadData()) {
            SetProgressButton(255, db.Position255() / 2);
            tally.Note(db);
            Collect(db);
        }
        // What could be read is still written; a database that held more makes the run fail.
        const bool whole = tally.Check(db);
        db.Rewind();
        while (db.ReadData()) {
            SetProgressButton(255, 127 + db.Position255() / 2);
            if (TakesPart(db)) WriteMeter(db);
        }
        if (current_ != 0) WriteTrailer(Route(current_));
        return upload_.Close() && whole;
    }

  private:
    RouteEntry& Route(std::int32_t ordinal, const char* what = "a meter record") { return routes_.At(ordinal, what); }

    void Collect(const clsZAV& db) {
        const std::int32_t type = db.RecType();
        if (type == kRecHeader) {
            routes_.Announce(Long(db, "RouteNbr"));
            employer_ = Text(db, "Initials").substr(0, 3);
            const std::string response = Text(db, "ResponseText");
            processor_ = response.size() > 3 ? response.substr(response.size() - 3) : response;
        } else if (type == kRecRoute || type == kRecRouteReturned) {
            RouteEntry& r = Route(Long(db, "RouteNbr"), "a route record");
            r.RouteNumber = Text(db, "Initials");
            try {
                r.Accounts = CLng(Val(Text(db, "User1")));
            } catch (const RuntimeError&) {
                r.Accounts = 0;
            }
        } else if (TakesPart(db)) {
            RouteEntry& r = Route(Long(db, "RouteNbr"));
            ++r.Meters;
            if (r.ReadDate.empty()) r.ReadDate = Mid(Text(db, "ReadingDate"), 3, 6);
            const std::int32_t sequence = Long(db, "Sequence");
            if (r.BeginSequence == 0) r.BeginSequence = sequence;
            r.EndSequence = sequence;
        }
    }

    void WriteMeter(const clsZAV& db) {
        const std::int32_t ordinal = Long(db, "RouteNbr");
        const RouteEntry& route = Route(ordinal);
        if (ordinal != current_) {
            if (current_ != 0) WriteTrailer(Route(current_));
            clsRecType& a = upload_.Setup("A");
            a.Value("Route", route.RouteNumber);
            a.Value("NoofAccounts", route.Accounts);
            a.Value("NoofMeters", route.Meters);
            a.Value("ProcessorNumber", processor_);
            a.Value("ReadDate", route.ReadDate);
            a.Value("SurveyQuestionNumber", std::string());
            a.Value("BeginningSequenceNumber", route.BeginSequence);
            a.Value("EndingSequenceNumber", route.EndSequence);
            a.Value("ResequenceFlag", std::string());
            upload_.Write(a);
            lastAccount_.reset();
            current_ = ordinal;
        }
        const std::string account = Text(db, "ServiceUniqueID");
        const std::string propertyKey = Text(db, "User1");
        if (account != lastAccount_) {
            clsRecType& c = upload_.Setup("C");
            c.Value("Route", route.RouteNumber);
            c.Value("AccountNumber", account);
            c.Value("SpecialInstructionCode", std::string());
            c.Value("SurveyAnswer", std::string());
            c.Value("ReadingStatus", std::string("2"));
            c.Value("ResequenceFlag", std::string("0"));
            c.Value("ReadDate", Mid(Text(db, "ReadingDate"), 5, 4));
            upload_.Write(c);
            if (!propertyKey.empty()) {
                clsRecType& s = upload_.Setup("S");
                s.Value("RecordCategory", std::string("02"));
                s.Value("PropertyVGKey", propertyKey);
                upload_.Write(s);
            }
            lastAccount_ = account;
        }
        clsRecType& d = upload_.Setup("D");
        d.Value("RelativeMeterNumber", Text(db, "User2"));
        d.Value("MeterNumber", Text(db, "MeterSerialNbr"));
        for (const char* f :
             {"SpecialInstructionsCode2", "MeterConditionCode1", "MeterConditionCode2", "MeterChangedFlags"})
            d.Value(f, std::string());
        // The meter size the route conversion kept with the meter (its download value).
        d.Value("MeterSize", Text(db, "User3"));
        upload_.Write(d);

        clsRecType& e = upload_.Setup("E");
        e.Value("NumberofDials", std::int32_t{0});
        e.Value("Decimals", std::int32_t{0});
        e.Value("ReadVerifyFlag", std::int32_t{0});
        e.Value("CurrentReading", Long(db, "CurReading"));
        e.Value("ReadTime", fmt::format("{:06}", Long(db, "ReadingTime")));
        e.Value("ReadChangeFlags", std::string());
        e.Value("DisplayCode", std::string());
        e.Value("ReadCount", std::int32_t{1});
        e.Value("NoReadCode", std::string("00"));
        upload_.Write(e);
    }

    void WriteTrailer(const RouteEntry& route) {
        clsRecType& z = upload_.Setup("Z");
        z.Value("Route", route.RouteNumber);
        z.Value("ProcessorNumber", processor_);
        z.Value("EmployerNumber", employer_);
        upload_.Write(z);
    }

    clsExchange& ex_;
    clsE5KUpload writer_;
    host::Upload upload_;
    ReadingsRoutes<RouteEntry> routes_;
    std::string processor_, employer_;
    std::int32_t current_ = 0;
    std::optional<std::string> lastAccount_;
};

}  // namespace

bool ConvertReadingE5K(clsExchange& ex) { return E5KReadingConversion(ex).Run(); }

}  // namespace zav
