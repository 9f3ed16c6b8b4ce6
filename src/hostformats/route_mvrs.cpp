// ConvertRouteMVRS: an MVRS download file into a route database, in two passes over the file. The first
// collects the routes of the cycle headers and route headers and counts the meters, so the database can be
// created at its size with its header and route records; the second writes one meter record per "MTR"
// record, gathering its customer, reading instruction and device records, with the values the upload needs
// packed into User1 to User5.
#include <array>
#include <ctime>
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

// The customer and meter being gathered. Their texts are views of the lines of the records they come
// from (or of a field's own scratch): each record type keeps its line until it parses another, and the
// second pass writes a meter before it parses the line that ends it (see WriteMeters).
struct Customer {
    std::string Address1, Address2, Address3, Name, Name2;  // 20 characters each
    std::string_view Account, UtilityID, GroupCode, ExtraIndicator, SegmentCode, PassThru, CustomerInfo;
    Customer() { Clear(); }
    // Blank names and addresses, every other text empty; the names keep their storage.
    void Clear() {
        for (std::string* name : {&Address1, &Address2, &Address3, &Name, &Name2}) name->assign(kNameWidth, ' ');
        Account = UtilityID = GroupCode = ExtraIndicator = SegmentCode = PassThru = CustomerInfo = {};
    }
};

struct Meter {
    bool Pending = false;
    bool SpecialRadio = false;
    std::int32_t Sequence = 0;
    std::int32_t Tag = 0;
    // "MTR"
    std::string_view MeterNumber, MeterCategory, MeterType, GroupCode, SurveyCode1, SurveyCode2, BillCode, MeterStatus,
        OpticalProbeID, ReadInstruction1, ReadInstruction2, SpecialMessageDisplay, LocationExtraMeter,
        AdditionalMeterInfo, ReadSequence, SurveyText1;
    std::string MeterLocation;
    // "RFF", "WRR", "MTS"
    std::int32_t GeographicArea = 0, Tamper = 0;
    std::string_view RFFrequency, RFTone, WandProgram, DeviceID, SpecialMessageText;
    // "RDG"
    std::int32_t NumberDials = 0, PreviousReading = 0, High1 = 0, Low1 = 0, MeterConstant = 0, ConstantFlag = 0,
                 NumberDecimals = 0;
    std::string_view TextPrompt, ReadDirection, CompareCode, ValidationCode, ReadMethod, HHFPosition;
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

// The fields the second pass reads, by record type: their positions are found once per type.
enum MeterField {
    kMeterNumber,
    kMeterCategory,
    kMeterType,
    kReadSequence,
    kGroupCode,
    kMeterLocation,
    kSurveyCode1,
    kSurveyCode2,
    kBillCode,
    kMeterStatus,
    kOpticalProbeID,
    kReadInstruction1,
    kReadInstruction2,
    kSpecialMessageDisplay,
    kLocationExtraMeter,
    kAdditionalMeterInfo,
    kMeterFields
};
constexpr std::array<std::string_view, kMeterFields> kMeterNames = {"MeterNumber",
                                                                    "MeterCategory",
                                                                    "MeterType",
                                                                    "ReadSequence",
                                                                    "GroupCode",
                                                                    "MeterLocation",
                                                                    "SurveyCode1DisplayIndicator",
                                                                    "SurveyCode2DisplayIndicator",
                                                                    "BillCode",
                                                                    "MeterStatus",
                                                                    "OpticalProbeID",
                                                                    "ReadInstruction1",
                                                                    "ReadInstruction2",
                                                                    "SpecialMessageDisplayIndicator",
                                                                    "LocationExtraMeter",
                                                                    "AdditionalMeterInfo"};

enum ReadingField {
    kNumberDials,
    kPreviousReading,
    kTextPrompt,
    kReadDirection,
    kCompareCode,
    kValidationCode,
    kReadMethod,
    kMeterConstant,
    kConstantFlag,
    kHHFPosition,
    kNumberDecimals,
    kHigh1,
    kLow1,
    kReadingFields
};
constexpr std::array<std::string_view, kReadingFields> kReadingNames = {
    "NumberDials",    "PreviousReading", "TextPrompt",    "ReadDirection", "CompareCode",
    "ValidationCode", "ReadMethod",      "MeterConstant", "ConstantFlag",  "HHFPosition",
    "NumberDecimals", "High1",           "Low1"};

enum CustomerField {
    kCusName,
    kCusAddress1,
    kCusAddress2,
    kCusUtilityID,
    kCusAccount,
    kCusGroupCode,
    kCusExtraIndicator,
    kCusSegmentCode,
    kCusPassThru,
    kCusCustomerInfo,
    kCustomerFields
};
constexpr std::array<std::string_view, kCustomerFields> kCustomerNames = {
    "Name",      "Address1",       "Address2",    "UtilityID", "Account",
    "GroupCode", "ExtraIndicator", "SegmentCode", "PassThru",  "CustomerInfo"};

enum RadioField { kRFERTID, kGeographicArea, kRFFrequency, kRFTone, kTamper, kRadioFields };
constexpr std::array<std::string_view, kRadioFields> kRadioNames = {"RFERTID", "GeographicArea", "RFFrequency",
                                                                    "RFTone", "Tamper"};

class MVRSRouteConversion {
  public:
    explicit MVRSRouteConversion(clsExchange& ex) : ex_(ex), source_(ex.SettingPath(ex.RouteSource)) {}

    bool Run() { return host::RunTwoPasses(ex_, *this); }

    // First pass: the route table and the counts.
    bool Collect() {
        clsMVRSDownload reader;
        if (!reader.OpenFile(source_)) return false;
        host::Progress progress(765);
        std::int32_t announced = 0;
        std::size_t current = 0;
        double cycleDate = 0;
        // Only the headers are parsed: a meter record is only counted.
        while (clsRecType* rec = Next(reader, true)) {
            progress.Show(reader.Position255());
            const std::string_view id = rec->RIValue;  // compared with literals inline
            const std::int32_t line = reader.LineNo();
            if (id == "FHD") {
                announced = 0;
                customers_ = 0;
                meters_ = 0;
            } else if (id == "CHD") {
                rec->Parse(reader.LastLine());
                host::WarnTooLarge(ex_, *rec, line);
                cycleDate = rec->Number("CycleDate");
                const auto n = static_cast<std::int32_t>(rec->Number("NumberRoutes"));
                announced += n == 0 ? 1 : n;
                if (!host::CountFits(ex_, announced, "routes", line)) return false;
                routes_.resize(static_cast<std::size_t>(announced));
            } else if (id == "RHD") {
                rec->Parse(reader.LastLine());
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
        ex_.State.DuplicateTags.Reserve(static_cast<std::size_t>(meterLines_));  // no growing on the way
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
        for (const RouteEntry& r : routes_) ordinals_.Add(r.RouteNumber);
        return true;
    }

    // Second pass: one meter record per "MTR" record.
    bool WriteMeters() {
        clsMVRSDownload reader;
        if (!reader.OpenFile(source_)) return false;
        writer_.emplace(ex_);
        host::Progress progress(765);
        const bool specialRadio = ex_.ExchMap.MapOptions(1) == "Y";
        while (clsRecType* rec = Next(reader)) {
            progress.Show(255 + reader.Position255());
            const std::string_view id = rec->RIValue;  // compared with literals inline
            const std::int32_t line = reader.LineNo();
            // A route header, customer or meter ends the meter gathered so far: it is written while the
            // records it took its texts from still hold their lines.
            if (id == "RHD" || id == "CUS" || id == "MTR") Flush();
            rec->Parse(reader.LastLine());
            if (id == "RHD") {
                routeNumber_.assign(rec->TextView("RouteNumber", scratch_));
                routeOrdinal_ = ordinals_.Of(routeNumber_);
            } else if (id == "CUS") {
                TakeCustomer(*rec);
            } else if (id == "CSX") {
                host::AssignFixed(customer_.Name2, rec->TextView("Name", scratch_), kNameWidth);
                host::AssignFixed(customer_.Address3, rec->TextView("Address3", scratch_), kNameWidth);
            } else if (id == "MTR") {
                host::WarnTooLarge(ex_, *rec, line);
                TakeMeter(*rec, specialRadio);
            } else if (id == "RTS") {
                meter_.SurveyText1 = rec->TextView("SurveyText1", surveyScratch_);
            } else if (id == "RFF") {
                host::WarnTooLarge(ex_, *rec, line);
                TakeRadio(*rec, line);
            } else if (id == "WRR") {
                meter_.WandProgram = rec->TextView("WandProgram", wandScratch_[0]);
                meter_.DeviceID = rec->TextView("DeviceID", wandScratch_[1]);
            } else if (id == "MTS") {
                meter_.SpecialMessageText = rec->TextView("SpecialMessageText", messageScratch_);
            } else if (id == "RDG") {
                host::WarnTooLarge(ex_, *rec, line);
                TakeReading(*rec);
            }
        }
        Flush();
        return !ex_.State.Problems;
    }

  private:
    // The record type of the next line of a pass (its caller parses the lines it reads); nullptr at the
    // end of the file. Blank lines at the end of the file end it quietly; any other line of no known type
    // ends the pass with an error (logged in the first pass).
    clsRecType* Next(clsMVRSDownload& reader, bool firstPass = false) {
        const std::int32_t before = reader.LineNo();
        clsRecType* rec = reader.ReadNextType();
        if (rec != nullptr || reader.LineNo() == before) return rec;
        const std::int32_t at = reader.LineNo();
        const std::string id(reader.LastLine().substr(0, 3));
        bool blank = Trim(reader.LastLine()).empty();
        while (blank && !reader.AtEnd()) {
            reader.ReadNextType();
            blank = Trim(reader.LastLine()).empty();
        }
        if (blank) return nullptr;
        if (firstPass) AddLog("Error: Unknown record type '" + id + "' at line " + std::to_string(at));
        ex_.State.Problems = true;
        return nullptr;
    }

    void TakeCustomer(const clsRecType& rec) {
        const auto& at = customerAt_.In(rec);
        const auto text = [&](CustomerField field) { return rec.TextAt(at[field], customerScratch_[field]); };
        Customer& c = customer_;
        c.Clear();
        host::AssignFixed(c.Name, text(kCusName), kNameWidth);
        host::AssignFixed(c.Address1, text(kCusAddress1), kNameWidth);
        host::AssignFixed(c.Address2, text(kCusAddress2), kNameWidth);
        c.UtilityID = text(kCusUtilityID);
        c.Account = text(kCusAccount);
        c.GroupCode = text(kCusGroupCode);
        c.ExtraIndicator = text(kCusExtraIndicator);
        c.SegmentCode = text(kCusSegmentCode);
        c.PassThru = text(kCusPassThru);
        c.CustomerInfo = text(kCusCustomerInfo);
    }

    void TakeMeter(const clsRecType& rec, bool specialRadio) {
        const auto& at = meterAt_.In(rec);
        const auto text = [&](MeterField field) { return rec.TextAt(at[field], meterScratch_[field]); };
        Meter& m = meter_;
        m = Meter();
        m.Pending = true;
        m.MeterNumber = text(kMeterNumber);
        // A meter number of exactly eight decimal digits (blanks around it aside) is the radio tag itself,
        // and the meter is read by radio; no other number form ("&H..", "1.5E+007", signs, points) is.
        if (const std::string_view number = Trim(m.MeterNumber);
            specialRadio && number.size() == 8 && IsAllDigits(number)) {
            m.Tag = std::stoi(std::string(number));
            m.SpecialRadio = true;
        }
        m.MeterCategory = text(kMeterCategory);
        m.MeterType = text(kMeterType);
        // The sequence is kept as read: the field holds 32 bits, so a long route keeps its walk order.
        m.Sequence = static_cast<std::int32_t>(rec.NumberAt(at[kReadSequence]));
        m.GroupCode = text(kGroupCode);
        m.MeterLocation = DecimalText(text(kMeterLocation));
        m.SurveyCode1 = text(kSurveyCode1);
        m.SurveyCode2 = text(kSurveyCode2);
        m.BillCode = text(kBillCode);
        m.MeterStatus = text(kMeterStatus);
        m.OpticalProbeID = text(kOpticalProbeID);
        m.ReadInstruction1 = text(kReadInstruction1);
        m.ReadInstruction2 = text(kReadInstruction2);
        m.SpecialMessageDisplay = text(kSpecialMessageDisplay);
        m.LocationExtraMeter = text(kLocationExtraMeter);
        m.AdditionalMeterInfo = text(kAdditionalMeterInfo);
        m.ReadSequence = text(kReadSequence);
    }

    void TakeRadio(const clsRecType& rec, std::int32_t line) {
        const auto& at = radioAt_.In(rec);
        Meter& m = meter_;
        if (const auto tag = host::LeadingLong(rec.TextAt(at[kRFERTID], scratch_))) {
            m.Tag = *tag;
        } else {
            AddLog("Warning: Number too large to read in RFERTID of RFF at line " + std::to_string(line) +
                   "; read as 0");
            ex_.State.Warnings = true;
            m.Tag = 0;
        }
        m.GeographicArea = static_cast<std::int32_t>(rec.NumberAt(at[kGeographicArea]));
        m.RFFrequency = rec.TextAt(at[kRFFrequency], radioScratch_[0]);
        m.RFTone = rec.TextAt(at[kRFTone], radioScratch_[1]);
        m.Tamper = static_cast<std::int32_t>(rec.NumberAt(at[kTamper]));
        // The duplicate's information line names the customer: name, a blank, first address line.
        if (ex_.DuplicateTag(std::to_string(m.Tag), customer_.Name, customer_.Address1, line))
            ex_.State.Problems = true;
    }

    void TakeReading(const clsRecType& rec) {
        const auto& at = readingAt_.In(rec);
        const auto text = [&](ReadingField field) { return rec.TextAt(at[field], readingScratch_[field]); };
        const auto number = [&](ReadingField field) { return static_cast<std::int32_t>(rec.NumberAt(at[field])); };
        Meter& m = meter_;
        m.NumberDials = number(kNumberDials);
        m.PreviousReading = number(kPreviousReading);
        m.TextPrompt = text(kTextPrompt);
        m.ReadDirection = text(kReadDirection);
        m.CompareCode = text(kCompareCode);
        m.ValidationCode = text(kValidationCode);
        m.ReadMethod = m.SpecialRadio ? std::string_view("R") : text(kReadMethod);
        m.MeterConstant = number(kMeterConstant);
        m.ConstantFlag = number(kConstantFlag);
        m.HHFPosition = text(kHHFPosition);
        m.NumberDecimals = number(kNumberDecimals);
        m.High1 = number(kHigh1);
        m.Low1 = number(kLow1);
    }

    // Writes the pending meter, if any.
    void Flush() {
        if (!meter_.Pending) return;
        const Meter& m = meter_;
        const Customer& c = customer_;
        const std::string tagText = std::to_string(m.Tag);
        host::HostMeter v;
        v.Sequence = m.Sequence;
        v.Tag = m.Tag;
        v.MeterType = host::MeterTypeOfLetter(m.MeterCategory);
        v.Digits = m.NumberDials;
        v.Decimals = m.NumberDecimals;
        v.PrvReading = m.PreviousReading;
        v.MaxReading = m.High1;
        v.MinReading = m.Low1;
        v.ReadType = ReadTypeOfMethod(m.ReadMethod);
        v.TamperCount = m.Tamper;
        v.UtilityCode = host::LeadingLong(c.UtilityID).value_or(0);
        ex_.Advanced().LookupMessage(message_, Trim(m.SpecialMessageText), routeNumber_, Trim(c.Account),
                                     Trim(m.MeterNumber), tagText);
        v.Message = message_;
        address_.assign(c.Address1).append(c.Address2).append(c.Address3);
        v.ServiceAddress = Trim(address_);
        name_.assign(c.Name).append(c.Name2);
        v.BillingName = Trim(name_);
        v.ServiceUniqueID = c.Account;
        v.MeterSerialNbr = m.MeterNumber;
        const std::string meterConstant = std::to_string(m.MeterConstant),
                          constantFlag = std::to_string(m.ConstantFlag), decimals = std::to_string(m.NumberDecimals),
                          area = std::to_string(m.GeographicArea);
        CombineUserInto(user_[0],
                        {"0", c.Account, c.GroupCode, c.ExtraIndicator, c.SegmentCode, c.PassThru, c.CustomerInfo});
        CombineUserInto(user_[1],
                        {m.GroupCode, m.SurveyCode1, m.SurveyCode2, m.BillCode, m.MeterStatus, m.OpticalProbeID,
                         m.MeterType, m.MeterLocation, m.ReadInstruction1, m.ReadInstruction2, m.SpecialMessageDisplay,
                         m.SurveyText1, m.LocationExtraMeter, m.AdditionalMeterInfo, m.ReadSequence});
        CombineUserInto(user_[2], {m.TextPrompt, m.ReadDirection, m.CompareCode, m.ValidationCode, m.ReadMethod,
                                   meterConstant, constantFlag, m.HHFPosition, decimals});
        CombineUserInto(user_[3], {area, m.RFFrequency, m.RFTone, "", m.DeviceID, m.WandProgram});
        CombineUserInto(user_[4], {m.SpecialMessageText});
        for (std::size_t i = 0; i < user_.size(); ++i) v.User[i] = user_[i];
        meter_.Pending = false;  // written; TakeMeter starts the next one afresh
        writer_->Write(routeOrdinal_, v);
    }

    clsExchange& ex_;
    std::filesystem::path source_;
    std::vector<RouteEntry> routes_;
    host::RouteOrdinals ordinals_;
    std::int32_t customers_ = 0, meters_ = 0, meterLines_ = 0;
    std::optional<host::MeterWriter> writer_;
    std::array<std::string, 5> user_;  // the packed user fields of the meter being written
    std::string scratch_;              // the text of a number field read once
    // The texts of number fields the meter and customer keep views of, one per field.
    std::array<std::string, kMeterFields> meterScratch_;
    std::array<std::string, kReadingFields> readingScratch_;
    std::array<std::string, kCustomerFields> customerScratch_;
    std::array<std::string, 2> radioScratch_, wandScratch_;
    std::string surveyScratch_, messageScratch_;
    std::string address_, name_;  // address and name lines joined on their way into the meter
    std::string message_;
    host::FieldPositions<kMeterFields> meterAt_{kMeterNames};
    host::FieldPositions<kReadingFields> readingAt_{kReadingNames};
    host::FieldPositions<kCustomerFields> customerAt_{kCustomerNames};
    host::FieldPositions<kRadioFields> radioAt_{kRadioNames};
    std::string routeNumber_;
    std::int32_t routeOrdinal_ = 0;
    Customer customer_;
    Meter meter_;
};

}  // namespace

bool ConvertRouteMVRS(clsExchange& ex) { return MVRSRouteConversion(ex).Run(); }

}  // namespace zav
