// ConvertRouteE5K: an E5000 download file into a route database, in two passes like the MVRS route
// conversion: the first collects the routes ("F") and counts the meters ("H", "I"), the second writes one
// meter record per meter with its account, customer and location texts.
#include <unordered_map>
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

struct Account {
    std::string Number, Sequence, Type, SpecialInstruction, CustomerName, Address, LotAndPlan, PropertyKey;
};

struct Meter {
    bool Pending = false;
    std::string Relative, Serial, Size, Type, Make, DisplayCode, MustRead, Status, Location, Reference;
    std::int32_t Dials = 0, MinimumRead = 0, MaximumRead = 0, PriorRead = 0, Decimals = 0;
    std::string PropertyLocation1, MeterLocation1, PropertyLocation2, MeterLocation2, LocationText;
};

std::string Trimmed(const clsRecType& rec, std::string_view field) { return std::string(Trim(rec.Text(field))); }

class E5KRouteConversion {
  public:
    explicit E5KRouteConversion(clsExchange& ex) : ex_(ex), source_(ex.SettingPath(ex.RouteSource)) {}

    bool Run() {
        ex_.State.Warnings = false;
        ex_.State.Problems = false;
        if (!Collect()) return false;
        if (!CreateDatabase()) return false;
        // The records are appended and the index built on a second core.
        return WithWriteBehind(ex_, [this] { return WriteMeters(); });
    }

  private:
    bool Collect() {
        clsE5KDownload reader;
        if (!reader.OpenFile(source_)) return false;
        host::Progress progress(765);
        while (clsRecType* rec = reader.ReadNext()) {
            progress.Show(reader.Position255());
            const std::string_view id = rec->RIValue;  // compared with literals inline
            const std::int32_t line = reader.LineNo();
            if (id == "F") {
                routes_.push_back({Trimmed(*rec, "Route"), 0, 0});
                if (!host::CountFits(ex_, static_cast<std::int32_t>(routes_.size()), "routes", line)) return false;
            } else if (id == "H" || id == "I") {
                ++meterLines_;
                if (!host::CountFits(ex_, meterLines_, "meters", line)) return false;
                // Meters before the first route header belong to no route of the table.
                if (!routes_.empty() && !host::CountFits(ex_, ++routes_.back().Meters, "meters in one route", line))
                    return false;
            } else if (id == "Z") {
                host::WarnTooLarge(ex_, *rec, line);
                if (!routes_.empty())
                    routes_.back().Accounts = static_cast<std::int32_t>(rec->Number("NumberofAccounts"));
            } else if (id == "?") {
                AddLog("Error: Unknown record type '" + rec->Text("RecID") + "' at line " + std::to_string(line));
                ex_.State.Warnings = true;
            }
        }
        return true;
    }

    bool CreateDatabase() {
        const auto routeCount = static_cast<std::int32_t>(routes_.size());
        if (!ex_.CreateRouteZAV(meterLines_ + routeCount + 2102)) return false;
        clsZAV& db = *ex_.RouteZAV;
        WriteRouteHeader(db, static_cast<std::int16_t>(routeCount), static_cast<std::int16_t>(meterLines_),
                         ex_.RouteSource, clsExchange::LookupFileVersion(kVersionMajor, kVersionMinor), Now(), "0");
        for (std::int32_t i = 1; i <= routeCount; ++i) {
            const RouteEntry& r = routes_[static_cast<std::size_t>(i - 1)];
            WriteRouteRecord(db, static_cast<std::int16_t>(i), static_cast<std::int16_t>(r.Meters), r.RouteNumber,
                             std::to_string(r.Accounts));
        }
        for (std::size_t i = routes_.size(); i-- > 0;)
            routeIndex_[routes_[i].RouteNumber] = static_cast<std::int32_t>(i + 1);
        return true;
    }

    bool WriteMeters() {
        clsE5KDownload reader;
        if (!reader.OpenFile(source_)) return false;
        record_.emplace(*ex_.RouteZAV);
        host::Progress progress(765);
        while (clsRecType* rec = reader.ReadNext()) {
            progress.Show(255 + reader.Position255());
            const std::string_view id = rec->RIValue;  // compared with literals inline
            line_ = reader.LineNo();
            if (id == "F") {
                Flush();
                routeNumber_ = Trimmed(*rec, "Route");
                const auto it = routeIndex_.find(routeNumber_);
                routeOrdinal_ = it != routeIndex_.end() ? it->second : static_cast<std::int32_t>(routes_.size()) + 1;
            } else if (id == "A") {
                Flush();
                host::WarnTooLarge(ex_, *rec, line_);
                account_ = Account();
                account_.Number = Trimmed(*rec, "AccountNumber");
                account_.Sequence = Trimmed(*rec, "MeterSequenceNumber");
                account_.Type = Trimmed(*rec, "AccountType");
                account_.SpecialInstruction = Trimmed(*rec, "SpecialInstruction");
            } else if (id == "B") {
                account_.CustomerName = Trimmed(*rec, "CustomerName");
                account_.Address = Trimmed(*rec, "Address");
            } else if (id == "E") {
                account_.LotAndPlan = Trimmed(*rec, "CustomerAddressLotandPlan");
            } else if (id == "C") {
                account_.PropertyKey = Trimmed(*rec, "PropertyVGKey");
            } else if (id == "D") {
                Flush();
                specialInstructions_.assign(rec->TextView("SpecialInstructions", scratch_));
            } else if (id == "H" || id == "I") {
                Flush();
                host::WarnTooLarge(ex_, *rec, line_);
                TakeMeter(*rec);
            } else if (id == "K01") {
                meter_.PropertyLocation1.assign(rec->TextView("PropertyLocationDesc1", scratch_));
                meter_.MeterLocation1.assign(rec->TextView("MeterLocationDesc1", scratch_));
            } else if (id == "K05") {
                meter_.PropertyLocation2.assign(rec->TextView("PropertyLocationDesc2", scratch_));
                meter_.MeterLocation2.assign(rec->TextView("MeterLocationDesc2", scratch_));
            } else if (id == "L") {
                meter_.LocationText.assign(rec->TextView("Location", scratch_));
            }
        }
        Flush();
        return !ex_.State.Problems;
    }

    void TakeMeter(const clsRecType& rec) {
        meter_ = Meter();
        meter_.Pending = true;
        meterLine_ = line_;
        meter_.Relative.assign(rec.TextView("RelativeMeterNumber", scratch_));
        meter_.Serial.assign(rec.TextView("MeterSerialNumber", scratch_));
        meter_.Dials = static_cast<std::int32_t>(rec.Number("NumberofDials"));
        meter_.MinimumRead = static_cast<std::int32_t>(rec.Number("MinimumRead"));
        meter_.MaximumRead = static_cast<std::int32_t>(rec.Number("MaximumRead"));
        meter_.PriorRead = static_cast<std::int32_t>(rec.Number("PriorRead"));
        meter_.Size.assign(rec.TextView("MeterSize", scratch_));
        meter_.Type.assign(rec.TextView("MeterType", scratch_));
        meter_.Make.assign(rec.TextView("MeterMake", scratch_));
        meter_.DisplayCode.assign(rec.TextView("DisplayCode", scratch_));
        meter_.Decimals = static_cast<std::int32_t>(rec.Number("NoDecimals"));
        meter_.MustRead.assign(rec.TextView("MustReadFlag", scratch_));
        meter_.Status.assign(rec.TextView("MeterStatus", scratch_));
        meter_.Location.assign(rec.TextView("MeterLocation", scratch_));
        meter_.Reference.assign(rec.TextView("MeterReference", scratch_));
    }

    void Flush() {
        if (!meter_.Pending) return;
        const Meter& m = meter_;
        const Account& a = account_;
        MeterRecordBuilder& r = *record_;
        const ZAVFieldIndex& z = r.Fields();
        const std::string serial(Trim(m.Serial));
        std::int32_t tag = 0;
        if (const auto n = host::LeadingLong(serial)) {
            tag = *n;
        } else {
            AddLog("Warning: Number too large to read in MeterSerialNumber at line " + std::to_string(meterLine_) +
                   "; tag 0");
            ex_.State.Warnings = true;
        }
        const std::string text(Trim(std::string(Trim(a.SpecialInstruction)) + " " +
                                    std::string(Trim(specialInstructions_)) + " " +
                                    std::string(Trim(m.MeterLocation1)) + " " + std::string(Trim(m.MeterLocation2))));
        host::BeginMeter(ex_, r, routeOrdinal_);
        r.SetNumber(z.Sequence, host::LeadingLong(a.Sequence).value_or(0));
        r.SetNumber(z.MeterTagNbr, tag);
        if (const std::int32_t type = host::MeterTypeOfLetter(m.Type); type != 0) r.SetNumber(z.MeterType, type);
        r.SetNumber(z.Digits, m.Dials);
        r.SetNumber(z.Decimals, m.Decimals);
        r.SetNumber(z.PrvReading, m.PriorRead);
        r.SetNumber(z.MaxReading, m.MaximumRead);
        r.SetNumber(z.MinReading, m.MinimumRead);
        r.SetNumber(z.ReadType, std::int32_t{IsAllDigits(m.Serial) ? 1 : 2});
        r.SetNumber("TamperCount", 0);
        r.SetNumber(z.UtilityCode, std::int32_t{0});
        r.SetText(z.Message, ex_.Advanced().LookupMessage(text, routeNumber_, a.Number, serial, serial));
        r.SetText(z.ServiceAddress, Trim(a.Address + " " + a.LotAndPlan + " " + std::string(Trim(m.LocationText))));
        r.SetText(z.BillingName, std::string_view(a.CustomerName));
        r.SetText(z.ServiceUniqueID, std::string_view(a.Number));
        r.SetText(z.MeterSerialNbr, std::string_view(m.Serial));
        // The duplicate's information line names the customer and the address; the line is the meter's.
        if (ex_.DuplicateTag(serial, a.CustomerName, a.Address, meterLine_)) ex_.State.Problems = true;
        r.SetText(z.User[0], std::string_view(a.PropertyKey));
        // The upload sends the relative meter number and the meter size back: they are kept here.
        r.SetText(z.User[1], std::string_view(m.Relative));
        r.SetText(z.User[2], Trim(m.Size));
        r.SetText(z.User[4], std::string_view());
        meter_.Pending = false;  // written; TakeMeter starts the next one afresh
        specialInstructions_.clear();
        host::FinishMeter(ex_, r, routeOrdinal_, tag);
    }

    clsExchange& ex_;
    std::filesystem::path source_;
    std::vector<RouteEntry> routes_;
    std::unordered_map<std::string, std::int32_t> routeIndex_;
    std::int32_t meterLines_ = 0;
    std::optional<MeterRecordBuilder> record_;
    std::string routeNumber_;
    std::int32_t routeOrdinal_ = 0;
    std::int32_t line_ = 0, meterLine_ = 0;
    Account account_;
    Meter meter_;
    std::string specialInstructions_;
    std::string scratch_;  // the text of a number field on its way into the meter
};

}  // namespace

bool ConvertRouteE5K(clsExchange& ex) { return E5KRouteConversion(ex).Run(); }

}  // namespace zav
