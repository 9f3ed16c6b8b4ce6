// ConvertRouteE5K: an E5000 download file into a route database, in two passes like the MVRS route
// conversion: the first collects the routes ("F") and counts the meters ("H", "I"), the second writes one
// meter record per meter with its account, customer and location texts.
#include <array>
#include <vector>

#include "advanced/advanced.h"
#include "core/clock.h"
#include "core/errors.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "core/number.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "exchange/route_meter.h"
#include "exchange/route_records.h"
#include "exchange/user_fields.h"
#include "exchange/write_behind.h"
#include "hostformats/e5k_files.h"
#include "hostformats/host_formats.h"
#include "hostformats/host_route.h"
#include "zav/zav.h"

namespace zav {

namespace {

struct RouteEntry {
    std::string RouteNumber;
    std::int32_t Meters = 0;
    std::int32_t Accounts = 0;
};

// The account and meter being gathered. Their texts are views of the lines of the records they come
// from (or of a field's own scratch): each record type keeps its line until it parses another, and the
// second pass writes a meter before it parses the line that ends it (see WriteMeters).
struct Account {
    std::string_view Number, Sequence, Type, SpecialInstruction, LotAndPlan, PropertyKey;
    Value CustomerName, Address;  // texts (always: Name() and AddressText() read them)
    // An account with no values; the name and address keep their storage.
    void Clear() {
        Number = Sequence = Type = SpecialInstruction = LotAndPlan = PropertyKey = {};
        host::AssignText(CustomerName, {});
        host::AssignText(Address, {});
    }
    const std::string& Name() const { return std::get<std::string>(CustomerName); }
    const std::string& AddressText() const { return std::get<std::string>(Address); }
};

struct Meter {
    bool Pending = false;
    std::string_view Relative, Serial, Size, Type, Make, DisplayCode, MustRead, Status, Location, Reference;
    std::int32_t Dials = 0, MinimumRead = 0, MaximumRead = 0, PriorRead = 0, Decimals = 0;
    std::string_view PropertyLocation1, MeterLocation1, PropertyLocation2, MeterLocation2, LocationText;
};

// The fields of a meter record ("H", "I"), their positions found once.
enum MeterField {
    kRelative,
    kSerial,
    kDials,
    kMinimumRead,
    kMaximumRead,
    kPriorRead,
    kSize,
    kType,
    kMake,
    kDisplayCode,
    kDecimals,
    kMustRead,
    kStatus,
    kLocation,
    kReference,
    kMeterFields
};
constexpr std::array<std::string_view, kMeterFields> kMeterNames = {
    "RelativeMeterNumber", "MeterSerialNumber", "NumberofDials", "MinimumRead",   "MaximumRead",
    "PriorRead",           "MeterSize",         "MeterType",     "MeterMake",     "DisplayCode",
    "NoDecimals",          "MustReadFlag",      "MeterStatus",   "MeterLocation", "MeterReference"};

enum AccountField { kAccountNumber, kAccountSequence, kAccountType, kSpecialInstruction, kAccountFields };
constexpr std::array<std::string_view, kAccountFields> kAccountNames = {"AccountNumber", "MeterSequenceNumber",
                                                                        "AccountType", "SpecialInstruction"};

// `to` becomes the text of `field` without the blanks around it.
void AssignTrimmed(Value& to, const clsRecType& rec, std::string_view field, std::string& scratch) {
    host::AssignText(to, Trim(rec.TextView(field, scratch)));
}

// Appends `text` without the blanks around it, after a blank.
void AppendWord(std::string& to, std::string_view text) {
    to += ' ';
    to.append(Trim(text));
}

class E5KRouteConversion {
  public:
    explicit E5KRouteConversion(clsExchange& ex) : ex_(ex), source_(ex.SettingPath(ex.RouteSource)) {}

    bool Run() { return host::RunTwoPasses(ex_, *this); }

    // First pass: the routes and the counts. Only the records whose values it reads are parsed.
    bool Collect() {
        clsE5KDownload reader;
        if (!reader.OpenFile(source_)) return false;
        host::Progress progress(765);
        while (clsRecType* rec = reader.ReadNextType()) {
            progress.Show(reader.Position255());
            const std::string_view id = rec->RIValue;  // compared with literals inline
            const std::int32_t line = reader.LineNo();
            if (id == "F") {
                rec->Parse(reader.LastLine());
                routes_.push_back({std::string(Trim(rec->TextView("Route", scratch_))), 0, 0});
                if (!host::CountFits(ex_, static_cast<std::int32_t>(routes_.size()), "routes", line)) return false;
            } else if (id == "H" || id == "I") {
                ++meterLines_;
                if (!host::CountFits(ex_, meterLines_, "meters", line)) return false;
                // Meters before the first route header belong to no route of the table.
                if (!routes_.empty() && !host::CountFits(ex_, ++routes_.back().Meters, "meters in one route", line))
                    return false;
            } else if (id == "Z") {
                rec->Parse(reader.LastLine());
                host::WarnTooLarge(ex_, *rec, line);
                if (!routes_.empty())
                    routes_.back().Accounts = static_cast<std::int32_t>(rec->Number("NumberofAccounts"));
            } else if (id == "?") {
                rec->Parse(reader.LastLine());
                AddLog("Error: Unknown record type '" + rec->Text("RecID") + "' at line " + std::to_string(line));
                ex_.State.Warnings = true;
            }
        }
        return true;
    }

    bool CreateDatabase() {
        const auto routeCount = static_cast<std::int32_t>(routes_.size());
        if (!ex_.CreateRouteZAV(meterLines_ + routeCount + 2102)) return false;
        ex_.State.DuplicateTags.Reserve(static_cast<std::size_t>(meterLines_));  // no growing on the way
        clsZAV& db = *ex_.RouteZAV;
        WriteRouteHeader(db, static_cast<std::int16_t>(routeCount), static_cast<std::int16_t>(meterLines_),
                         ex_.RouteSource, clsExchange::LookupFileVersion(kVersionMajor, kVersionMinor), Now(), "0");
        for (std::int32_t i = 1; i <= routeCount; ++i) {
            const RouteEntry& r = routes_[static_cast<std::size_t>(i - 1)];
            WriteRouteRecord(db, static_cast<std::int16_t>(i), static_cast<std::int16_t>(r.Meters), r.RouteNumber,
                             std::to_string(r.Accounts));
        }
        for (const RouteEntry& r : routes_) ordinals_.Add(r.RouteNumber);
        return true;
    }

    // Second pass: one meter record per "H" or "I" record.
    bool WriteMeters() {
        clsE5KDownload reader;
        if (!reader.OpenFile(source_)) return false;
        writer_.emplace(ex_);
        host::Progress progress(765);
        while (clsRecType* rec = reader.ReadNextType()) {
            progress.Show(255 + reader.Position255());
            const std::string_view id = rec->RIValue;  // compared with literals inline
            line_ = reader.LineNo();
            // A route, account, special instruction or meter ends the meter gathered so far: it is written
            // while the records it took its texts from still hold their lines.
            if (id == "F" || id == "A" || id == "D" || id == "H" || id == "I") Flush();
            rec->Parse(reader.LastLine());
            if (id == "F") {
                routeNumber_.assign(Trim(rec->TextView("Route", scratch_)));
                routeOrdinal_ = ordinals_.Of(routeNumber_);
            } else if (id == "A") {
                host::WarnTooLarge(ex_, *rec, line_);
                TakeAccount(*rec);
            } else if (id == "B") {
                AssignTrimmed(account_.CustomerName, *rec, "CustomerName", scratch_);
                AssignTrimmed(account_.Address, *rec, "Address", scratch_);
            } else if (id == "E") {
                account_.LotAndPlan = Trim(rec->TextView("CustomerAddressLotandPlan", textScratch_[0]));
            } else if (id == "C") {
                account_.PropertyKey = Trim(rec->TextView("PropertyVGKey", textScratch_[1]));
            } else if (id == "D") {
                specialInstructions_ = rec->TextView("SpecialInstructions", textScratch_[2]);
            } else if (id == "H" || id == "I") {
                host::WarnTooLarge(ex_, *rec, line_);
                TakeMeter(*rec);
            } else if (id == "K01") {
                meter_.PropertyLocation1 = rec->TextView("PropertyLocationDesc1", textScratch_[3]);
                meter_.MeterLocation1 = rec->TextView("MeterLocationDesc1", textScratch_[4]);
            } else if (id == "K05") {
                meter_.PropertyLocation2 = rec->TextView("PropertyLocationDesc2", textScratch_[5]);
                meter_.MeterLocation2 = rec->TextView("MeterLocationDesc2", textScratch_[6]);
            } else if (id == "L") {
                meter_.LocationText = rec->TextView("Location", textScratch_[7]);
            }
        }
        Flush();
        return !ex_.State.Problems;
    }

  private:
    void TakeAccount(const clsRecType& rec) {
        const auto& at = accountAt_.In(rec);
        const auto trimmed = [&](AccountField field) { return Trim(rec.TextAt(at[field], accountScratch_[field])); };
        account_.Clear();
        account_.Number = trimmed(kAccountNumber);
        account_.Sequence = trimmed(kAccountSequence);
        account_.Type = trimmed(kAccountType);
        account_.SpecialInstruction = trimmed(kSpecialInstruction);
    }

    void TakeMeter(const clsRecType& rec) {
        const auto& at = meterAt_.In(rec);
        const auto text = [&](MeterField field) { return rec.TextAt(at[field], meterScratch_[field]); };
        const auto number = [&](MeterField field) { return static_cast<std::int32_t>(rec.NumberAt(at[field])); };
        Meter& m = meter_;
        m = Meter();
        m.Pending = true;
        meterLine_ = line_;
        m.Relative = text(kRelative);
        m.Serial = text(kSerial);
        m.Dials = number(kDials);
        m.MinimumRead = number(kMinimumRead);
        m.MaximumRead = number(kMaximumRead);
        m.PriorRead = number(kPriorRead);
        m.Size = text(kSize);
        m.Type = text(kType);
        m.Make = text(kMake);
        m.DisplayCode = text(kDisplayCode);
        m.Decimals = number(kDecimals);
        m.MustRead = text(kMustRead);
        m.Status = text(kStatus);
        m.Location = text(kLocation);
        m.Reference = text(kReference);
    }

    void Flush() {
        if (!meter_.Pending) return;
        const Meter& m = meter_;
        const Account& a = account_;
        serial_.assign(Trim(m.Serial));
        std::int32_t tag = 0;
        if (const auto n = host::LeadingLong(serial_)) {
            tag = *n;
        } else {
            AddLog("Warning: Number too large to read in MeterSerialNumber at line " + std::to_string(meterLine_) +
                   "; tag 0");
            ex_.State.Warnings = true;
        }
        // The message looked up goes after the special instructions and the meter's location lines.
        text_.assign(Trim(a.SpecialInstruction));
        AppendWord(text_, specialInstructions_);
        AppendWord(text_, m.MeterLocation1);
        AppendWord(text_, m.MeterLocation2);
        ex_.Advanced().LookupMessage(message_, Trim(text_), routeNumber_, a.Number, serial_, serial_);
        address_.assign(a.AddressText()).append(" ").append(a.LotAndPlan);
        AppendWord(address_, m.LocationText);
        host::HostMeter v;
        v.Sequence = host::LeadingLong(a.Sequence).value_or(0);
        v.Tag = tag;
        v.MeterType = host::MeterTypeOfLetter(m.Type);
        v.Digits = m.Dials;
        v.Decimals = m.Decimals;
        v.PrvReading = m.PriorRead;
        v.MaxReading = m.MaximumRead;
        v.MinReading = m.MinimumRead;
        v.ReadType = IsAllDigits(m.Serial) ? 1 : 2;
        v.TamperCount = 0;
        v.UtilityCode = 0;
        v.Message = message_;
        v.ServiceAddress = Trim(address_);
        v.BillingName = a.Name();
        v.ServiceUniqueID = a.Number;
        v.MeterSerialNbr = m.Serial;
        // The duplicate's information line names the customer and the address; the line is the meter's.
        if (ex_.DuplicateTag(serial_, a.Name(), a.AddressText(), meterLine_)) ex_.State.Problems = true;
        v.User[0] = a.PropertyKey;
        // The upload sends the relative meter number and the meter size back: they are kept here.
        v.User[1] = m.Relative;
        v.User[2] = Trim(m.Size);
        meter_.Pending = false;  // written; TakeMeter starts the next one afresh
        specialInstructions_ = {};
        writer_->Write(routeOrdinal_, v);
    }

    clsExchange& ex_;
    std::filesystem::path source_;
    std::vector<RouteEntry> routes_;
    host::RouteOrdinals ordinals_;
    std::int32_t meterLines_ = 0;
    std::optional<host::MeterWriter> writer_;
    std::string routeNumber_;
    std::int32_t routeOrdinal_ = 0;
    std::int32_t line_ = 0, meterLine_ = 0;
    Account account_;
    Meter meter_;
    std::string_view specialInstructions_;
    std::string scratch_;  // the text of a field read once
    // The texts of fields the account and meter keep views of, one per field.
    std::array<std::string, kMeterFields> meterScratch_;
    std::array<std::string, kAccountFields> accountScratch_;
    std::array<std::string, 8> textScratch_;
    std::string serial_, text_, message_, address_;  // texts of the meter being written, their storage reused
    host::FieldPositions<kMeterFields> meterAt_{kMeterNames};
    host::FieldPositions<kAccountFields> accountAt_{kAccountNames};
};

}  // namespace

bool ConvertRouteE5K(clsExchange& ex) { return E5KRouteConversion(ex).Run(); }

}  // namespace zav
