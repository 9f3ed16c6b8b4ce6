// ConvertReadingE5K: a readings database into an E5000 upload file. Meters with no reading to send (skipped,
// not read, or keyed as 0) take no part. The first pass collects each route's counts, read date and
// sequence range; the second writes a route header, the account and property records when the account
// changes, a meter and a reading record per meter, and the route trailer.
#include <fmt/format.h>

#include <charconv>
#include <optional>
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
#include "zav/zav_field_reader.h"

namespace zav {

namespace {

using host::Field;

struct RouteEntry {
    std::string RouteNumber, ReadDate;
    std::int32_t Accounts = 0, Meters = 0, BeginSequence = 0, EndSequence = 0;
};

// Characters `start` (from 1) to `start` + `length` - 1 of a text, as far as it goes.
std::string_view Mid(std::string_view text, std::size_t start, std::size_t length) {
    return start - 1 < text.size() ? text.substr(start - 1, length) : std::string_view();
}

// The readings database fields the conversion reads, found once.
struct MeterFields {
    explicit MeterFields(const clsZAV& db) : read(db) {}
    ZAVFieldReader read;
    const int RouteNbr = read.Find("RouteNbr"), Initials = read.Find("Initials"),
              ResponseText = read.Find("ResponseText"), User1 = read.Find("User1"), User2 = read.Find("User2"),
              User3 = read.Find("User3"), ReadType = read.Find("ReadType"), ReadingDate = read.Find("ReadingDate"),
              CurReading = read.Find("CurReading"), Sequence = read.Find("Sequence"),
              ServiceUniqueID = read.Find("ServiceUniqueID"), MeterSerialNbr = read.Find("MeterSerialNbr"),
              ReadingTime = read.Find("ReadingTime");
};

// The upload records written per meter. They keep their values from meter to meter: the values that are
// the same for every meter are set once here, the others (found once as Fields) for each meter.
struct AccountRecord {
    explicit AccountRecord(clsRecType& r) : rec(r) {
        for (const char* f : {"SpecialInstructionCode", "SurveyAnswer"}) rec.Value(f, std::string());
        rec.Value("ReadingStatus", std::string("2"));
        rec.Value("ResequenceFlag", std::string("0"));
    }
    clsRecType& rec;
    const Field Route{rec, "Route"}, AccountNumber{rec, "AccountNumber"}, ReadDate{rec, "ReadDate"};
};

struct PropertyRecord {
    explicit PropertyRecord(clsRecType& r) : rec(r) { rec.Value("RecordCategory", std::string("02")); }
    clsRecType& rec;
    const Field PropertyVGKey{rec, "PropertyVGKey"};
};

struct MeterRecord {
    explicit MeterRecord(clsRecType& r) : rec(r) {
        for (const char* f :
             {"SpecialInstructionsCode2", "MeterConditionCode1", "MeterConditionCode2", "MeterChangedFlags"})
            rec.Value(f, std::string());
    }
    clsRecType& rec;
    const Field RelativeMeterNumber{rec, "RelativeMeterNumber"}, MeterNumber{rec, "MeterNumber"},
        MeterSize{rec, "MeterSize"};
};

struct ReadingRecord {
    explicit ReadingRecord(clsRecType& r) : rec(r) {
        for (const char* f : {"NumberofDials", "Decimals", "ReadVerifyFlag"}) rec.Value(f, std::int32_t{0});
        for (const char* f : {"ReadChangeFlags", "DisplayCode"}) rec.Value(f, std::string());
        rec.Value("ReadCount", std::int32_t{1});
        rec.Value("NoReadCode", std::string("00"));
    }
    clsRecType& rec;
    const Field CurrentReading{rec, "CurrentReading"}, ReadTime{rec, "ReadTime"};
};

// `n` zero-padded to six digits, as fmt's "{:06}" writes it, in `out` (its storage reused).
std::string_view SixDigits(std::int32_t n, std::string& out) {
    if (n < 0) {
        out = fmt::format("{:06}", n);
        return out;
    }
    char digits[16];
    const auto length = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits);
    out.assign(length < 6 ? 6 - length : 0, '0');
    out.append(digits, length);
    return out;
}

class E5KReadingConversion {
  public:
    explicit E5KReadingConversion(clsExchange& ex)
        : ex_(ex),
          upload_(writer_),
          account_(upload_.Setup("C")),
          property_(upload_.Setup("S")),
          meter_(upload_.Setup("D")),
          reading_(upload_.Setup("E")) {}

    bool Run() {
        if (!upload_.Create(ex_.SettingPath(ex_.ReadingDestination))) return false;
        clsZAV db;
        db.SetVersion(ex_.FileVersion);
        if (db.OpenZAV(ex_.SettingPath(ex_.ReadingSource))) throw RuntimeError(kErrFileNotFound);
        MeterFields fields(db);
        ReadingsTally tally;
        while (db.ReadData()) {
            SetProgressButton(255, db.Position255() / 2);
            tally.Note(db);
            Collect(db, fields);
        }
        // What could be read is still written; a database that held more makes the run fail.
        const bool whole = tally.Check(db);
        db.Rewind();
        while (db.ReadData()) {
            SetProgressButton(255, 127 + db.Position255() / 2);
            if (TakesPart(db, fields)) WriteMeter(fields);
        }
        if (current_ != 0) WriteTrailer(Route(current_));
        return upload_.Close() && whole;
    }

  private:
    RouteEntry& Route(std::int32_t ordinal, const char* what = "a meter record") { return routes_.At(ordinal, what); }

    // Whether the current record is a meter with a reading to send.
    static bool TakesPart(const clsZAV& db, const MeterFields& f) {
        if (db.RecType() != kRecMeter) return false;
        const std::int32_t readType = f.read.Long(f.ReadType);
        if (readType == 4 || f.read.Long(f.ReadingDate) == 0) return false;
        return !(readType == 2 && f.read.Long(f.CurReading) == 0);
    }

    void Collect(const clsZAV& db, MeterFields& f) {
        ZAVFieldReader& read = f.read;
        const std::int32_t type = db.RecType();
        if (type == kRecHeader) {
            read.Load();
            routes_.Announce(read.Long(f.RouteNbr));
            employer_ = read.TextView(f.Initials).substr(0, 3);
            const std::string_view response = read.TextView(f.ResponseText);
            processor_ = response.size() > 3 ? response.substr(response.size() - 3) : response;
        } else if (type == kRecRoute || type == kRecRouteReturned) {
            read.Load();
            RouteEntry& r = Route(read.Long(f.RouteNbr), "a route record");
            r.RouteNumber = read.TextView(f.Initials);
            try {
                r.Accounts = CLng(Val(read.TextView(f.User1)));
            } catch (const RuntimeError&) {
                r.Accounts = 0;
            }
        } else if (TakesPart(db, f)) {
            RouteEntry& r = Route(read.Long(f.RouteNbr));
            ++r.Meters;
            if (r.ReadDate.empty()) r.ReadDate = Mid(read.Text(f.ReadingDate, scratch_), 3, 6);
            const std::int32_t sequence = read.Long(f.Sequence);
            if (r.BeginSequence == 0) r.BeginSequence = sequence;
            r.EndSequence = sequence;
        }
    }

    void WriteMeter(MeterFields& f) {
        ZAVFieldReader& read = f.read;
        read.Load();
        const std::int32_t ordinal = read.Long(f.RouteNbr);
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
        const std::string_view account = read.TextView(f.ServiceUniqueID);
        const std::string_view propertyKey = read.TextView(f.User1);
        if (!lastAccount_ || *lastAccount_ != account) {
            const AccountRecord& c = account_;
            c.Route.Set(route.RouteNumber);
            c.AccountNumber.Set(account);
            c.ReadDate.Set(Mid(read.Text(f.ReadingDate, scratch_), 5, 4));
            upload_.Write(c.rec);
            if (!propertyKey.empty()) {
                property_.PropertyVGKey.Set(propertyKey);
                upload_.Write(property_.rec);
            }
            lastAccount_ = account;
        }
        const MeterRecord& d = meter_;
        d.RelativeMeterNumber.Set(read.TextView(f.User2));
        d.MeterNumber.Set(read.TextView(f.MeterSerialNbr));
        // The meter size the route conversion kept with the meter (its download value).
        d.MeterSize.Set(read.TextView(f.User3));
        upload_.Write(d.rec);

        const ReadingRecord& e = reading_;
        e.CurrentReading.Set(read.Long(f.CurReading));
        e.ReadTime.Set(SixDigits(read.Long(f.ReadingTime), scratch_));
        upload_.Write(e.rec);
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
    std::string scratch_;  // a number's text, its storage reused
    const AccountRecord account_;
    const PropertyRecord property_;
    const MeterRecord meter_;
    const ReadingRecord reading_;
};

}  // namespace

bool ConvertReadingE5K(clsExchange& ex) { return E5KReadingConversion(ex).Run(); }

}  // namespace zav
