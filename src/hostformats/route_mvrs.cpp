// ConvertRouteMVRS: an MVRS download file into a route database, in two passes over the file. The first
// collects the routes of the cycle headers and route headers and counts the meters, so the database can be
// created at its size with its header and route records; the second writes one meter record per "MTR"
// record, gathering its customer, reading instruction and device records, with the values the upload needs
// packed into User1 to User5.
#include <ctime>
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
#include "hostformats/date_serial.h"
#include "hostformats/host_formats.h"
#include "hostformats/host_route.h"
#include "hostformats/mvrs_files.h"
#include "zav/zav.h"

namespace zav {

namespace {

constexpr std::size_t kNameWidth = 20;

struct RouteEntry {
    std::string RouteNumber, Region, Zone, Office;
    double CycleDate = 0;
    std::int32_t RemoteWandReads = 0;
    std::int32_t Meters = 0;
};

struct Customer {
    std::string Address1, Address2, Address3, Name, Name2;  // 20 characters each
    std::string Account, UtilityID, GroupCode, ExtraIndicator, SegmentCode, PassThru, CustomerInfo;
    Customer()
        : Address1(kNameWidth, ' '),
          Address2(kNameWidth, ' '),
          Address3(kNameWidth, ' '),
          Name(kNameWidth, ' '),
          Name2(kNameWidth, ' ') {}
};

struct Meter {
    bool Pending = false;
    bool SpecialRadio = false;
    std::int32_t Sequence = 0;
    std::int32_t Tag = 0;
    // "MTR"
    std::string MeterNumber, MeterCategory, MeterType, GroupCode, MeterLocation, SurveyCode1, SurveyCode2, BillCode,
        MeterStatus, OpticalProbeID, ReadInstruction1, ReadInstruction2, SpecialMessageDisplay, LocationExtraMeter,
        AdditionalMeterInfo, ReadSequence, SurveyText1;
    // "RFF", "WRR", "MTS"
    std::int32_t GeographicArea = 0, Tamper = 0;
    std::string RFFrequency, RFTone, WandProgram, DeviceID, SpecialMessageText;
    // "RDG"
    std::int32_t NumberDials = 0, PreviousReading = 0, High1 = 0, Low1 = 0, MeterConstant = 0, ConstantFlag = 0,
                 NumberDecimals = 0;
    std::string TextPrompt, ReadDirection, CompareCode, ValidationCode, ReadMethod, HHFPosition;
};

// The ZAV ReadType of an MVRS read method; -1 for one that is not known.
std::int32_t ReadTypeOfMethod(std::string_view method) {
    if (method == "K") return 2;
    if (method == "P" || method == "W") return 3;
    if (method == "R") return 1;
    if (method == "N") return 0;
    return -1;
}

// The leading number of a text in its plain decimal form ("03" -> "3").
std::string DecimalText(std::string_view text) {
    try {
        return NumberText(Val(text));
    } catch (const RuntimeError&) {
        return "0";
    }
}

class MVRSRouteConversion {
  public:
    explicit MVRSRouteConversion(clsExchange& ex) : ex_(ex), source_(ex.SettingPath(ex.RouteSource)) {}

    bool Run() {
        ex_.State.Warnings = false;
        ex_.State.Problems = false;
        if (!Collect()) return false;
        if (!CreateDatabase()) return false;
        // The records are appended and the index built on a second core.
        return WithWriteBehind(ex_, [this] { return WriteMeters(); });
    }

  private:
    // The next record of a pass; nullptr at the end of the file. Blank lines at the end of the file end it
    // quietly; any other line of no known type ends the pass with an error (logged in the first pass).
    clsRecType* Next(clsMVRSDownload& reader, bool firstPass) {
        const std::int32_t before = reader.LineNo();
        clsRecType* rec = reader.ReadNext();
        if (rec != nullptr || reader.LineNo() == before) return rec;
        const std::int32_t at = reader.LineNo();
        const std::string id(reader.LastLine().substr(0, 3));
        bool blank = Trim(reader.LastLine()).empty();
        while (blank && !reader.AtEnd()) {
            reader.ReadNext();
            blank = Trim(reader.LastLine()).empty();
        }
        if (blank) return nullptr;
        if (firstPass) AddLog("Error: Unknown record type '" + id + "' at line " + std::to_string(at));
        ex_.State.Problems = true;
        return nullptr;
    }

    // First pass: the route table and the counts.
    bool Collect() {
        clsMVRSDownload reader;
        if (!reader.OpenFile(source_)) return false;
        host::Progress progress(765);
        std::int32_t announced = 0;
        std::size_t current = 0;
        double cycleDate = 0;
        while (clsRecType* rec = Next(reader, true)) {
            progress.Show(reader.Position255());
            const std::string_view id = rec->RIValue;  // compared with literals inline
            const std::int32_t line = reader.LineNo();
            if (id == "FHD") {
                announced = 0;
                customers_ = 0;
                meters_ = 0;
            } else if (id == "CHD") {
                host::WarnTooLarge(ex_, *rec, line);
                cycleDate = rec->Number("CycleDate");
                const auto n = static_cast<std::int32_t>(rec->Number("NumberRoutes"));
                announced += n == 0 ? 1 : n;
                if (!host::CountFits(ex_, announced, "routes", line)) return false;
                routes_.resize(static_cast<std::size_t>(announced));
            } else if (id == "RHD") {
                host::WarnTooLarge(ex_, *rec, line);
                customers_ += static_cast<std::int32_t>(rec->Number("NumberCustomerRecords"));
                meters_ += static_cast<std::int32_t>(rec->Number("NumberMeterRecords"));
                if (!host::CountFits(ex_, customers_, "customers", line) ||
                    !host::CountFits(ex_, meters_, "meters", line))
                    return false;
                if (++current > routes_.size()) {
                    AddLog("Error: Route header at line " + std::to_string(line) + " is one more than the " +
                           std::to_string(routes_.size()) + " routes the cycle headers announce");
                    ex_.State.Problems = true;
                    return false;
                }
                RouteEntry& entry = routes_[current - 1];
                entry.RouteNumber.assign(rec->TextView("RouteNumber", scratch_));
                entry.Region.assign(rec->TextView("Region", scratch_));
                entry.Zone.assign(rec->TextView("Zone", scratch_));
                entry.Office.assign(rec->TextView("Office", scratch_));
                entry.CycleDate = cycleDate;
                entry.RemoteWandReads = static_cast<std::int32_t>(rec->Number("NumberRemoteWandReads"));
                entry.Meters = 0;
            } else if (id == "MTR") {
                if (current == 0) {
                    AddLog("Error: Meter record before any route header at line " + std::to_string(line));
                    ex_.State.Problems = true;
                    return false;
                }
                ++meterLines_;
                ++routes_[current - 1].Meters;
                if (!host::CountFits(ex_, meterLines_, "meters", line) ||
                    !host::CountFits(ex_, routes_[current - 1].Meters, "meters in one route", line))
                    return false;
            }
        }
        return true;
    }

    bool CreateDatabase() {
        const auto routeCount = static_cast<std::int32_t>(routes_.size());
        if (!ex_.CreateRouteZAV(routeCount + meterLines_ + 4202)) return false;
        clsZAV& db = *ex_.RouteZAV;
        WriteRouteHeader(db, static_cast<std::int16_t>(routeCount), static_cast<std::int16_t>(meterLines_),
                         ex_.RouteSource, clsExchange::LookupFileVersion(kVersionMajor, kVersionMinor), Now(),
                         CombineUser({std::to_string(customers_), std::to_string(meters_)}));
        for (std::int32_t i = 1; i <= routeCount; ++i) {
            const RouteEntry& r = routes_[static_cast<std::size_t>(i - 1)];
            WriteRouteRecord(
                db, static_cast<std::int16_t>(i), static_cast<std::int16_t>(r.Meters), r.RouteNumber,
                CombineUser({r.Region, r.Zone, r.Office, r.CycleDate == 0 ? "" : ShortDateText(r.CycleDate),
                             std::to_string(r.RemoteWandReads)}));
        }
        for (std::size_t i = routes_.size(); i-- > 0;)
            routeIndex_[routes_[i].RouteNumber] = static_cast<std::int32_t>(i + 1);
        return true;
    }

    // Second pass: one meter record per "MTR" record.
    bool WriteMeters() {
        clsMVRSDownload reader;
        if (!reader.OpenFile(source_)) return false;
        record_.emplace(*ex_.RouteZAV);
        host::Progress progress(765);
        const bool specialRadio = ex_.ExchMap.MapOptions(1) == "Y";
        while (clsRecType* rec = Next(reader, false)) {
            progress.Show(255 + reader.Position255());
            const std::string_view id = rec->RIValue;  // compared with literals inline
            const std::int32_t line = reader.LineNo();
            if (id == "RHD") {
                Flush();
                routeNumber_.assign(rec->TextView("RouteNumber", scratch_));
                const auto it = routeIndex_.find(routeNumber_);
                routeOrdinal_ = it != routeIndex_.end() ? it->second : static_cast<std::int32_t>(routes_.size()) + 1;
            } else if (id == "CUS") {
                Flush();
                customer_ = Customer();
                customer_.Name = host::Fixed(rec->Text("Name"), kNameWidth);
                customer_.Address1 = host::Fixed(rec->Text("Address1"), kNameWidth);
                customer_.Address2 = host::Fixed(rec->Text("Address2"), kNameWidth);
                customer_.UtilityID.assign(rec->TextView("UtilityID", scratch_));
                customer_.Account.assign(rec->TextView("Account", scratch_));
                customer_.GroupCode.assign(rec->TextView("GroupCode", scratch_));
                customer_.ExtraIndicator.assign(rec->TextView("ExtraIndicator", scratch_));
                customer_.SegmentCode.assign(rec->TextView("SegmentCode", scratch_));
                customer_.PassThru.assign(rec->TextView("PassThru", scratch_));
                customer_.CustomerInfo.assign(rec->TextView("CustomerInfo", scratch_));
            } else if (id == "CSX") {
                customer_.Name2 = host::Fixed(rec->Text("Name"), kNameWidth);
                customer_.Address3 = host::Fixed(rec->Text("Address3"), kNameWidth);
            } else if (id == "MTR") {
                Flush();
                host::WarnTooLarge(ex_, *rec, line);
                TakeMeter(*rec, specialRadio);
            } else if (id == "RTS") {
                meter_.SurveyText1.assign(rec->TextView("SurveyText1", scratch_));
            } else if (id == "RFF") {
                host::WarnTooLarge(ex_, *rec, line);
                const std::string ert(rec->TextView("RFERTID", scratch_));
                if (const auto tag = host::LeadingLong(ert)) {
                    meter_.Tag = *tag;
                } else {
                    AddLog("Warning: Number too large to read in RFERTID of RFF at line " + std::to_string(line) +
                           "; read as 0");
                    ex_.State.Warnings = true;
                    meter_.Tag = 0;
                }
                meter_.GeographicArea = static_cast<std::int32_t>(rec->Number("GeographicArea"));
                meter_.RFFrequency.assign(rec->TextView("RFFrequency", scratch_));
                meter_.RFTone.assign(rec->TextView("RFTone", scratch_));
                meter_.Tamper = static_cast<std::int32_t>(rec->Number("Tamper"));
                // The duplicate's information line names the customer: name, a blank, first address line.
                if (ex_.DuplicateTag(std::to_string(meter_.Tag), customer_.Name, customer_.Address1, line))
                    ex_.State.Problems = true;
            } else if (id == "WRR") {
                meter_.WandProgram.assign(rec->TextView("WandProgram", scratch_));
                meter_.DeviceID.assign(rec->TextView("DeviceID", scratch_));
            } else if (id == "MTS") {
                meter_.SpecialMessageText.assign(rec->TextView("SpecialMessageText", scratch_));
            } else if (id == "RDG") {
                host::WarnTooLarge(ex_, *rec, line);
                TakeReading(*rec);
            }
        }
        Flush();
        return !ex_.State.Problems;
    }

    // The positions of the fields TakeMeter and TakeReading read, found once per record type.
    struct MeterFieldsAt {
        const clsRecType* type = nullptr;
        int MeterNumber, MeterCategory, MeterType, ReadSequence, GroupCode, MeterLocation, SurveyCode1, SurveyCode2,
            BillCode, MeterStatus, OpticalProbeID, ReadInstruction1, ReadInstruction2, SpecialMessageDisplay,
            LocationExtraMeter, AdditionalMeterInfo;
        void Find(const clsRecType& rec) {
            if (type == &rec) return;
            type = &rec;
            MeterNumber = rec.FieldIndex("MeterNumber");
            MeterCategory = rec.FieldIndex("MeterCategory");
            MeterType = rec.FieldIndex("MeterType");
            ReadSequence = rec.FieldIndex("ReadSequence");
            GroupCode = rec.FieldIndex("GroupCode");
            MeterLocation = rec.FieldIndex("MeterLocation");
            SurveyCode1 = rec.FieldIndex("SurveyCode1DisplayIndicator");
            SurveyCode2 = rec.FieldIndex("SurveyCode2DisplayIndicator");
            BillCode = rec.FieldIndex("BillCode");
            MeterStatus = rec.FieldIndex("MeterStatus");
            OpticalProbeID = rec.FieldIndex("OpticalProbeID");
            ReadInstruction1 = rec.FieldIndex("ReadInstruction1");
            ReadInstruction2 = rec.FieldIndex("ReadInstruction2");
            SpecialMessageDisplay = rec.FieldIndex("SpecialMessageDisplayIndicator");
            LocationExtraMeter = rec.FieldIndex("LocationExtraMeter");
            AdditionalMeterInfo = rec.FieldIndex("AdditionalMeterInfo");
        }
    };
    struct ReadingFieldsAt {
        const clsRecType* type = nullptr;
        int NumberDials, PreviousReading, TextPrompt, ReadDirection, CompareCode, ValidationCode, ReadMethod,
            MeterConstant, ConstantFlag, HHFPosition, NumberDecimals, High1, Low1;
        void Find(const clsRecType& rec) {
            if (type == &rec) return;
            type = &rec;
            NumberDials = rec.FieldIndex("NumberDials");
            PreviousReading = rec.FieldIndex("PreviousReading");
            TextPrompt = rec.FieldIndex("TextPrompt");
            ReadDirection = rec.FieldIndex("ReadDirection");
            CompareCode = rec.FieldIndex("CompareCode");
            ValidationCode = rec.FieldIndex("ValidationCode");
            ReadMethod = rec.FieldIndex("ReadMethod");
            MeterConstant = rec.FieldIndex("MeterConstant");
            ConstantFlag = rec.FieldIndex("ConstantFlag");
            HHFPosition = rec.FieldIndex("HHFPosition");
            NumberDecimals = rec.FieldIndex("NumberDecimals");
            High1 = rec.FieldIndex("High1");
            Low1 = rec.FieldIndex("Low1");
        }
    };

    void TakeMeter(const clsRecType& rec, bool specialRadio) {
        meterAt_.Find(rec);
        const MeterFieldsAt& at = meterAt_;
        const auto text = [&](int field) { return rec.TextAt(field, scratch_); };
        meter_ = Meter();
        meter_.Pending = true;
        meter_.MeterNumber.assign(text(at.MeterNumber));
        // A meter number of exactly eight decimal digits (blanks around it aside) is the radio tag itself,
        // and the meter is read by radio; no other number form ("&H..", "1.5E+007", signs, points) is.
        if (const std::string_view number = Trim(meter_.MeterNumber);
            specialRadio && number.size() == 8 && IsAllDigits(number)) {
            meter_.Tag = std::stoi(std::string(number));
            meter_.SpecialRadio = true;
        }
        meter_.MeterCategory.assign(text(at.MeterCategory));
        meter_.MeterType.assign(text(at.MeterType));
        // The sequence is kept as read: the field holds 32 bits, so a long route keeps its walk order.
        meter_.Sequence = static_cast<std::int32_t>(rec.NumberAt(at.ReadSequence));
        meter_.GroupCode.assign(text(at.GroupCode));
        meter_.MeterLocation = DecimalText(text(at.MeterLocation));
        meter_.SurveyCode1.assign(text(at.SurveyCode1));
        meter_.SurveyCode2.assign(text(at.SurveyCode2));
        meter_.BillCode.assign(text(at.BillCode));
        meter_.MeterStatus.assign(text(at.MeterStatus));
        meter_.OpticalProbeID.assign(text(at.OpticalProbeID));
        meter_.ReadInstruction1.assign(text(at.ReadInstruction1));
        meter_.ReadInstruction2.assign(text(at.ReadInstruction2));
        meter_.SpecialMessageDisplay.assign(text(at.SpecialMessageDisplay));
        meter_.LocationExtraMeter.assign(text(at.LocationExtraMeter));
        meter_.AdditionalMeterInfo.assign(text(at.AdditionalMeterInfo));
        meter_.ReadSequence.assign(text(at.ReadSequence));
    }

    void TakeReading(const clsRecType& rec) {
        readingAt_.Find(rec);
        const ReadingFieldsAt& at = readingAt_;
        const auto text = [&](int field) { return rec.TextAt(field, scratch_); };
        const auto number = [&](int field) { return static_cast<std::int32_t>(rec.NumberAt(field)); };
        meter_.NumberDials = number(at.NumberDials);
        meter_.PreviousReading = number(at.PreviousReading);
        meter_.TextPrompt.assign(text(at.TextPrompt));
        meter_.ReadDirection.assign(text(at.ReadDirection));
        meter_.CompareCode.assign(text(at.CompareCode));
        meter_.ValidationCode.assign(text(at.ValidationCode));
        if (meter_.SpecialRadio)
            meter_.ReadMethod = "R";
        else
            meter_.ReadMethod.assign(text(at.ReadMethod));
        meter_.MeterConstant = number(at.MeterConstant);
        meter_.ConstantFlag = number(at.ConstantFlag);
        meter_.HHFPosition.assign(text(at.HHFPosition));
        meter_.NumberDecimals = number(at.NumberDecimals);
        meter_.High1 = number(at.High1);
        meter_.Low1 = number(at.Low1);
    }

    // Writes the pending meter, if any.
    void Flush() {
        if (!meter_.Pending) return;
        const Meter& m = meter_;
        const Customer& c = customer_;
        MeterRecordBuilder& r = *record_;
        const ZAVFieldIndex& z = r.Fields();
        const std::string tagText = std::to_string(m.Tag);
        host::BeginMeter(ex_, r, routeOrdinal_);
        r.SetNumber(z.Sequence, m.Sequence);
        r.SetNumber(z.MeterTagNbr, m.Tag);
        if (const std::int32_t type = host::MeterTypeOfLetter(m.MeterCategory); type != 0)
            r.SetNumber(z.MeterType, type);
        r.SetNumber(z.Digits, m.NumberDials);
        r.SetNumber(z.Decimals, m.NumberDecimals);
        r.SetNumber(z.PrvReading, m.PreviousReading);
        r.SetNumber(z.MaxReading, m.High1);
        r.SetNumber(z.MinReading, m.Low1);
        if (const std::int32_t readType = ReadTypeOfMethod(m.ReadMethod); readType >= 0)
            r.SetNumber(z.ReadType, readType);
        r.SetNumber("TamperCount", m.Tamper);
        r.SetNumber(z.UtilityCode, host::LeadingLong(c.UtilityID).value_or(0));
        r.SetText(z.Message, ex_.Advanced().LookupMessage(Trim(m.SpecialMessageText), routeNumber_, Trim(c.Account),
                                                          Trim(m.MeterNumber), tagText));
        joined_.assign(c.Address1).append(c.Address2).append(c.Address3);
        r.SetText(z.ServiceAddress, Trim(joined_));
        joined_.assign(c.Name).append(c.Name2);
        r.SetText(z.BillingName, Trim(joined_));
        r.SetText(z.ServiceUniqueID, std::string_view(c.Account));
        r.SetText(z.MeterSerialNbr, std::string_view(m.MeterNumber));
        const std::string meterConstant = std::to_string(m.MeterConstant),
                          constantFlag = std::to_string(m.ConstantFlag), decimals = std::to_string(m.NumberDecimals),
                          area = std::to_string(m.GeographicArea);
        CombineUserInto(user_,
                        {"0", c.Account, c.GroupCode, c.ExtraIndicator, c.SegmentCode, c.PassThru, c.CustomerInfo});
        r.SetText(z.User[0], std::string_view(user_));
        CombineUserInto(
            user_, {m.GroupCode, m.SurveyCode1, m.SurveyCode2, m.BillCode, m.MeterStatus, m.OpticalProbeID, m.MeterType,
                    m.MeterLocation, m.ReadInstruction1, m.ReadInstruction2, m.SpecialMessageDisplay, m.SurveyText1,
                    m.LocationExtraMeter, m.AdditionalMeterInfo, m.ReadSequence});
        r.SetText(z.User[1], std::string_view(user_));
        CombineUserInto(user_, {m.TextPrompt, m.ReadDirection, m.CompareCode, m.ValidationCode, m.ReadMethod,
                                meterConstant, constantFlag, m.HHFPosition, decimals});
        r.SetText(z.User[2], std::string_view(user_));
        CombineUserInto(user_, {area, m.RFFrequency, m.RFTone, "", m.DeviceID, m.WandProgram});
        r.SetText(z.User[3], std::string_view(user_));
        CombineUserInto(user_, {m.SpecialMessageText});
        r.SetText(z.User[4], std::string_view(user_));
        const std::int32_t tag = m.Tag;
        meter_.Pending = false;  // written; TakeMeter starts the next one afresh
        host::FinishMeter(ex_, r, routeOrdinal_, tag);
    }

    clsExchange& ex_;
    std::filesystem::path source_;
    std::vector<RouteEntry> routes_;
    std::unordered_map<std::string, std::int32_t> routeIndex_;  // first entry of each route number
    std::int32_t customers_ = 0, meters_ = 0, meterLines_ = 0;
    std::optional<MeterRecordBuilder> record_;
    std::string user_;     // a packed user field being built
    std::string scratch_;  // the text of a number field on its way into the meter
    std::string joined_;   // address or name lines joined on their way into the meter
    MeterFieldsAt meterAt_;
    ReadingFieldsAt readingAt_;
    std::string routeNumber_;
    std::int32_t routeOrdinal_ = 0;
    Customer customer_;
    Meter meter_;
};

}  // namespace

bool ConvertRouteMVRS(clsExchange& ex) { return MVRSRouteConversion(ex).Run(); }

}  // namespace zav
