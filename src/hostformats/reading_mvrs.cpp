// ConvertReadingMVRS: a readings database into an MVRS upload file. The first pass counts, per route and
// for the file, what the headers report; the second writes, per meter, its customer, meter, special
// message, reading and device records between the route headers and trailers. Everything comes from the
// database: the route records and the values the MVRS route conversion packed into User1 to User4.
#include <fmt/format.h>

#include <array>
#include <charconv>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/number.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "exchange/readings_tally.h"
#include "exchange/user_fields.h"
#include "hostformats/date_serial.h"
#include "hostformats/host_formats.h"
#include "hostformats/host_upload.h"
#include "hostformats/mvrs_files.h"
#include "zav/zav.h"
#include "zav/zav_field_reader.h"

namespace zav {

namespace {

using host::Field;
using host::Part;

struct RouteStats {
    std::string RouteNumber, Region, Zone, Office;
    double ScheduledReadDate = 0;
    std::int32_t RemoteWandReads = 0;
    std::int32_t MeterRecords = 0, CustomerRecords = 0, TotalCustomerRecords = 0, TotalMeterRecords = 0,
                 TotalReadingRecords = 0, ReadingRecords = 0, ElectricMeters = 0, WaterMeters = 0, GasMeters = 0,
                 MissedReadings = 0, OffsiteRadioReadings = 0, KeyedReadings = 0, OpticalProbeReadings = 0,
                 SkippedReadings = 0;
};

// The leading number of a text, 0 when there is none or it does not fit 32 bits.
std::int32_t Leading(std::string_view text) {
    try {
        return CLng(Val(text));
    } catch (const RuntimeError&) {
        return 0;
    }
}

// Characters `start` to `start` + `length` - 1 (from 0) of a text, padded with blanks to `length`, in
// `out` (its storage reused).
std::string_view Mid(std::string_view text, std::size_t start, std::size_t length, std::string& out) {
    out.assign(start < text.size() ? text.substr(start, length) : std::string_view());
    out.resize(length, ' ');
    return out;
}

// `n` zero-padded to `width` digits, as fmt's "{:0N}" writes it, in `out` (its storage reused).
std::string_view ZeroPadded(std::int32_t n, std::size_t width, std::string& out) {
    if (n < 0) {
        out = fmt::format("{:0{}}", n, width);
        return out;
    }
    char digits[16];
    const auto length = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits);
    out.assign(length < width ? width - length : 0, '0');
    out.append(digits, length);
    return out;
}

std::string_view CategoryLetter(std::int32_t meterType) {
    static const char* const kLetters[] = {"W", "G", "E", "S", "I"};
    return meterType >= 1 && meterType <= 5 ? kLetters[meterType - 1] : "";
}

std::string_view ReadLetter(std::int32_t readType) {
    switch (readType) {
        case 0:
        case 4:
            return "N";
        case 1:
            return "R";
        case 2:
            return "K";
        case 3:
            return "W";
        default:
            return "";
    }
}

// The readings database fields the conversion reads, found once per pass.
struct MeterFields {
    explicit MeterFields(const clsZAV& db) : read(db) {}
    ZAVFieldReader read;
    const int RouteNbr = read.Find("RouteNbr"), Initials = read.Find("Initials"), User1 = read.Find("User1"),
              User2 = read.Find("User2"), User3 = read.Find("User3"), User4 = read.Find("User4"),
              MeterType = read.Find("MeterType"), Status = read.Find("Status"), ReadType = read.Find("ReadType"),
              ServiceAddress = read.Find("ServiceAddress"), BillingName = read.Find("BillingName"),
              MeterSerialNbr = read.Find("MeterSerialNbr"), Sequence = read.Find("Sequence"),
              MeterTagNbr = read.Find("MeterTagNbr"), Decimals = read.Find("Decimals"),
              CurReading = read.Find("CurReading"), Message = read.Find("Message"),
              ReadingDate = read.Find("ReadingDate"), ReadingTime = read.Find("ReadingTime"),
              ResponseCode = read.Find("ResponseCode"), ResponseText = read.Find("ResponseText"),
              Digits = read.Find("Digits"), PrvReading = read.Find("PrvReading");
};

// The upload records written for every meter. They keep their values from meter to meter: the values
// that are the same for every meter are set once here, the others (found once as Fields) for each meter.
struct CustomerRecord {
    explicit CustomerRecord(clsRecType& r) : rec(r) {
        rec.Value("NumberMeters", std::int32_t{1});
        rec.Value("UtilityID", std::string());
        rec.Value("ExceptionCode", std::string(" "));
        rec.Value("Reserved", std::string("00"));
    }
    clsRecType& rec;
    const Field RouteNumber{rec, "RouteNumber"}, Account{rec, "Account"}, GroupCode{rec, "GroupCode"},
        ExtraIndicator{rec, "ExtraIndicator"}, SegmentCode{rec, "SegmentCode"}, PassThru{rec, "PassThru"},
        CustomerInfo{rec, "CustomerInfo"}, Name{rec, "Name"}, Address1{rec, "Address1"}, Address2{rec, "Address2"};
};

struct CustomerExtraRecord {
    explicit CustomerExtraRecord(clsRecType& r) : rec(r) {}
    clsRecType& rec;
    const Field RouteNumber{rec, "RouteNumber"}, Account{rec, "Account"}, Name{rec, "Name"},
        NewCustomerInfo{rec, "NewCustomerInfo"}, Address3{rec, "Address3"};
};

struct MeterRecord {
    explicit MeterRecord(clsRecType& r) : rec(r) {
        rec.Value("NumberReadings", std::int32_t{1});
        for (const char* f : {"SurveyResponse1", "SurveyResponse2"}) rec.Value(f, std::string(" "));
        for (const char* f : {"MeterChangeOutIndicator", "ChangeMeterRecordIndicator"}) rec.Value(f, std::string("N"));
        rec.Value("TimeCode", std::int32_t{0});
        rec.Value("Reserved2", std::string("0000000000"));
        for (const char* f : {"Reserved3", "Reserved4"}) rec.Value(f, std::string("00"));
        for (const char* f : {"Reserved5", "Reserved6", "Reserved7"}) rec.Value(f, std::string("0"));
    }
    clsRecType& rec;
    const Field RouteNumber{rec, "RouteNumber"}, GroupCode{rec, "GroupCode"},
        SurveyCode1DisplayIndicator{rec, "SurveyCode1DisplayIndicator"},
        SurveyCode2DisplayIndicator{rec, "SurveyCode2DisplayIndicator"}, BillCode{rec, "BillCode"},
        MeterStatus{rec, "MeterStatus"}, OpticalProbeID{rec, "OpticalProbeID"}, MeterNumber{rec, "MeterNumber"},
        MeterType{rec, "MeterType"}, ReadSequence{rec, "ReadSequence"}, NewReadSequence{rec, "NewReadSequence"},
        MeterLocation{rec, "MeterLocation"}, ReadInstruction1{rec, "ReadInstruction1"},
        ReadInstruction2{rec, "ReadInstruction2"},
        SpecialMessageDisplayIndicator{rec, "SpecialMessageDisplayIndicator"},
        SpecialMessageIndicator{rec, "SpecialMessageIndicator"},
        TroubleMessageIndicator{rec, "TroubleMessageIndicator"}, MeterCategory{rec, "MeterCategory"},
        LocationExtraMeter{rec, "LocationExtraMeter"}, OriginalAdditionalMeterInfo{rec, "OriginalAdditionalMeterInfo"};
};

struct MessageRecord {
    explicit MessageRecord(clsRecType& r) : rec(r) {}
    clsRecType& rec;
    const Field RouteNumber{rec, "RouteNumber"}, MeterNumber{rec, "MeterNumber"},
        SpecialMessageText{rec, "SpecialMessageText"};
};

struct ReadingRecord {
    explicit ReadingRecord(clsRecType& r) : rec(r) {
        rec.Value("MeterConstantVerified", std::string(" "));
        for (const char* f : {"ChannelNumber", "ReadAuditResult", "TroubleCode1", "TroubleCode2", "AuditCounter",
                              "ClearCounter", "ElapsedTime", "ReadTypeCode", "ReadReason"})
            rec.Value(f, std::int32_t{0});
        rec.Value("ReadOrder", std::int32_t{1});
        rec.Value("UnprocessedReadFlag", std::string("N"));
        rec.Value("MeterReaderID", std::string("TRAV"));
        for (const char* f : {"Reserved1", "Reserved3", "Reserved4", "Reserved5", "Reserved6"})
            rec.Value(f, std::string("0"));
    }
    clsRecType& rec;
    const Field RouteNumber{rec, "RouteNumber"}, TextPrompt{rec, "TextPrompt"}, ReadDirection{rec, "ReadDirection"},
        CompareCode{rec, "CompareCode"}, ValidationCode{rec, "ValidationCode"}, MeterConstant{rec, "MeterConstant"},
        ConstantFlag{rec, "ConstantFlag"}, HHFPosition{rec, "HHFPosition"}, ReadMethod{rec, "ReadMethod"},
        Reading{rec, "Reading"}, ReadDate{rec, "ReadDate"}, ReadTime{rec, "ReadTime"}, ReadCode{rec, "ReadCode"},
        NewNumberDials{rec, "NewNumberDials"}, NewNumberDecimals{rec, "NewNumberDecimals"},
        NewReadMethod{rec, "NewReadMethod"}, NewMeterConstant{rec, "NewMeterConstant"},
        PreviousReading{rec, "PreviousReading"};
};

struct ProbeRecord {
    explicit ProbeRecord(clsRecType& r) : rec(r) {
        for (const char* f : {"ExpectedDeviceID", "DeviceID", "DeviceDate", "DeviceTime", "TIMName"})
            rec.Value(f, std::string());
        for (const char* f : {"StatusOpen", "StatusTOU", "StatusLPAll", "StatusLPPartial", "StatusStatusCheck",
                              "StatusResetDemand", "StatusAutoTimeSet", "StatusCodes1", "StatusCodes2", "StatusCodes3",
                              "StatusCodes4", "StatusCodes5", "StatusCodes6"})
            rec.Value(f, std::string("00"));
    }
    clsRecType& rec;
    const Field RouteNumber{rec, "RouteNumber"}, OpticalProbeRecorderID{rec, "OpticalProbeRecorderID"},
        ReadDate{rec, "ReadDate"}, ReadTime{rec, "ReadTime"};
};

// The radio (RFF) and wand (WRR) reading records; each sets the fields its layout has.
struct DeviceRecord {
    DeviceRecord(clsRecType& r, bool radio) : rec(r) {
        if (radio)
            rec.Value("Tamper", std::int32_t{0});
        else
            rec.Value("TamperStatus", std::string("0"));
    }
    clsRecType& rec;
    const Field RouteNumber{rec, "RouteNumber"}, RFERTID{rec, "RFERTID"}, GeographicArea{rec, "GeographicArea"},
        RFFrequency{rec, "RFFrequency"}, RFTone{rec, "RFTone"}, DeviceID{rec, "DeviceID"},
        WandProgram{rec, "WandProgram"}, ReadDate{rec, "ReadDate"}, ReadTime{rec, "ReadTime"}, Reading{rec, "Reading"},
        ERTType{rec, "ERTType"}, VisualReadIndicator{rec, "VisualReadIndicator"};
};

class MVRSReadingConversion {
  public:
    explicit MVRSReadingConversion(clsExchange& ex)
        : ex_(ex),
          source_(ex.SettingPath(ex.ReadingSource)),
          upload_(writer_),
          cus_(upload_.Setup("CUS")),
          csx_(upload_.Setup("CSX")),
          mtr_(upload_.Setup("MTR")),
          mts_(upload_.Setup("MTS")),
          rdg_(upload_.Setup("RDG")),
          prb_(upload_.Setup("PRB")),
          rff_(upload_.Setup("RFF"), true),
          wrr_(upload_.Setup("WRR"), false) {}

    bool Run() {
        if (!upload_.Create(ex_.SettingPath(ex_.ReadingDestination))) return false;
        const bool done = Count() && Write();
        const bool closed = upload_.Close();
        return done && closed && whole_;
    }

  private:
    // Runs one step; a run-time failure asks Abort, Retry or Ignore. False when the answer was Abort.
    bool Step(const std::function<void()>& step) {
        for (;;) {
            try {
                step();
                return true;
            } catch (const RuntimeError& e) {
                const int answer = CurrentFrontend().AbortRetryIgnore("Error", e.Description());
                if (answer == kRetry) continue;
                return answer == kIgnore;
            }
        }
    }

    std::unique_ptr<clsZAV> Open() {
        auto db = std::make_unique<clsZAV>();
        db->SetVersion(ex_.FileVersion);
        if (db->OpenZAV(source_)) throw RuntimeError(kErrFileNotFound);
        return db;
    }

    RouteStats& Route(std::int32_t ordinal, const char* what = "a meter record") { return routes_.At(ordinal, what); }

    bool Count() {
        std::unique_ptr<clsZAV> db;
        if (!Step([&] { db = Open(); })) return false;
        MeterFields fields(*db);
        ReadingsTally tally;
        for (;;) {
            bool more = false;
            if (!Step([&] { more = db->ReadData(); })) return false;
            if (!more) break;
            SetProgressButton(255, db->Position255() / 2);
            tally.Note(*db);
            if (!Step([&] { CountRecord(*db, fields); })) return false;
        }
        // What could be read is still written; a database that held more makes the run fail.
        whole_ = tally.Check(*db);
        return true;
    }

    void CountRecord(const clsZAV& db, MeterFields& f) {
        const ZAVFieldReader& read = f.read;
        const std::int32_t type = db.RecType();
        if (type == kRecHeader) {
            routes_.Announce(read.Long(f.RouteNbr));
        } else if (type == kRecRoute || type == kRecRouteReturned) {
            f.read.Load();  // (meter records are counted by their numbers alone)
            RouteStats& r = Route(read.Long(f.RouteNbr), "a route record");
            ++fileRoutes_;
            r.RouteNumber = read.TextView(f.Initials);
            std::vector<std::string_view>& user1 = user_[0];
            ExtractUserInto(read.TextView(f.User1), userStorage_[0], user1);
            r.Region = Part(user1, 1);
            r.Zone = Part(user1, 2);
            r.Office = Part(user1, 3);
            r.ScheduledReadDate = DateFromText(Part(user1, 4)).value_or(0.0);
            r.RemoteWandReads = Leading(Part(user1, 5));
        } else if (type == kRecMeter) {
            RouteStats& r = Route(read.Long(f.RouteNbr));
            ++fileMeters_;
            for (std::int32_t* n : {&r.MeterRecords, &r.CustomerRecords, &r.TotalCustomerRecords, &r.TotalMeterRecords,
                                    &r.TotalReadingRecords, &r.ReadingRecords})
                ++*n;
            switch (read.Long(f.MeterType)) {
                case 1:
                    ++r.WaterMeters;
                    break;
                case 2:
                    ++r.GasMeters;
                    break;
                case 3:
                    ++r.ElectricMeters;
                    break;
                default:
                    break;
            }
            const std::int32_t status = read.Long(f.Status);
            if (status == 0) {
                ++r.MissedReadings;
            } else if (status == 1) {
                switch (read.Long(f.ReadType)) {
                    case 0:
                        ++r.MissedReadings;
                        break;
                    case 1:
                        ++r.OffsiteRadioReadings;
                        break;
                    case 2:
                        ++r.KeyedReadings;
                        break;
                    case 3:
                        ++r.OpticalProbeReadings;
                        break;
                    case 4:
                        ++r.SkippedReadings;
                        break;
                    default:
                        break;
                }
            }
        }
    }

    bool Write() {
        std::unique_ptr<clsZAV> db;
        if (!Step([&] { db = Open(); })) return false;
        MeterFields fields(*db);
        if (!Step([&] { WriteFile("FHD"); })) return false;
        for (;;) {
            bool more = false;
            if (!Step([&] { more = db->ReadData(); })) return false;
            if (!more) break;
            SetProgressButton(255, 127 + db->Position255() / 2);
            if (db->RecType() != kRecMeter) continue;
            fields.read.Load();
            if (!Step([&] { WriteMeter(fields); })) return false;
        }
        return Step([&] {
            if (currentRoute_ != 0) WriteRoute("RTR", Route(currentRoute_));
            WriteFile("FTR");
        });
    }

    void WriteFile(std::string_view id) {
        clsRecType& r = upload_.Setup(id);
        r.Value("NewServiceIndicator", std::string("N"));
        r.Value("ChangeMeterIndicator", std::string("N"));
        r.Value("ExtendedIndicator", std::string("N"));
        r.Value("NumberRoutes", fileRoutes_);
        r.Value("NumberCustomerRecords", fileMeters_);
        r.Value("NumberMeterRecords", fileMeters_);
        r.Value("NumberReadRecords", fileMeters_);
        r.Value("FileTrailerLineNumber", std::int32_t{0});
        upload_.Write(r);
    }

    void WriteRoute(std::string_view id, const RouteStats& s) {
        clsRecType& r = upload_.Setup(id);
        const std::string no = "N";
        r.Value("RouteNumber", s.RouteNumber);
        for (const char* f : {"SurveyIndicator", "RouteMessageIndicator", "ResequenceFlag",
                              "MeterReaderStatisticsRecord", "ForceCompleteFlag", "TypeResequenceFlag"})
            r.Value(f, no);
        r.Value("OriginalSequenceFlag", std::string("Y"));
        for (const char* f : {"TotalNumberKeys", "TotalNumberDemandMeters", "TimeUsedtoReadRoute",
                              "NumberLocationMeters", "NumberExtraMeters"})
            r.Value(f, std::int32_t{0});
        r.Value("TotalNumberReadingRecords", s.TotalReadingRecords);
        r.Value("TotalNumberKeyedReadings", s.KeyedReadings);
        r.Value("TotalNumberOpticalProbeReadings", s.OpticalProbeReadings);
        r.Value("TotalNumberOffsiteRadioReadings", s.OffsiteRadioReadings);
        r.Value("TotalCustomerRecords", s.TotalCustomerRecords);
        r.Value("TotalMeterRecords", s.TotalMeterRecords);
        r.Value("NumberCustomerRecords", s.CustomerRecords);
        r.Value("NumberMeterRecords", s.MeterRecords);
        r.Value("NumberReadingRecords", s.ReadingRecords);
        r.Value("NumberMissedReadings", s.MissedReadings);
        r.Value("NumberSkippedReadings", s.SkippedReadings);
        r.Value("NumberGasMeters", s.GasMeters);
        r.Value("NumberWaterMeters", s.WaterMeters);
        r.Value("NumberElectricMeters", s.ElectricMeters);
        r.Value("Region", s.Region);
        r.Value("Zone", s.Zone);
        r.Value("Office", s.Office);
        r.Value("ScheduledReadDate", s.ScheduledReadDate);
        r.Value("ForceCompleteCode", std::string("00"));
        r.Value("NumberRemoteWandReads", s.RemoteWandReads);
        r.Value("TypeRoute", std::string(" "));
        upload_.Write(r);
    }

    void WriteMeter(const MeterFields& f) {
        const ZAVFieldReader& read = f.read;
        const std::int32_t ordinal = read.Long(f.RouteNbr);
        const RouteStats& route = Route(ordinal);
        if (ordinal != currentRoute_) {
            if (currentRoute_ != 0) WriteRoute("RTR", Route(currentRoute_));
            WriteRoute("RHD", route);
            currentRoute_ = ordinal;
        }
        const std::string& routeNumber = route.RouteNumber;
        std::string& scratch = scratch_;

        // The customer.
        const std::string_view address = read.TextView(f.ServiceAddress);
        const std::string_view billing = read.TextView(f.BillingName);
        std::vector<std::string_view>& user1 = user_[0];
        std::vector<std::string_view>& user2 = user_[1];
        std::vector<std::string_view>& user3 = user_[2];
        std::vector<std::string_view>& user4 = user_[3];
        ExtractUserInto(read.TextView(f.User1), userStorage_[0], user1);
        const std::string_view account = Part(user1, 2);
        const std::string_view customerInfo = Part(user1, 7);
        // The meter.
        const std::string_view serial = read.TextView(f.MeterSerialNbr);
        const std::string_view meterNumber = Trim(serial) == "0" ? std::string_view(" ") : serial;
        const std::int32_t sequence = read.Long(f.Sequence);
        const std::int32_t tag = read.Long(f.MeterTagNbr);
        const std::int32_t decimals = read.Long(f.Decimals);
        const std::int32_t curReading = read.Long(f.CurReading);
        const std::int32_t status = read.Long(f.Status);
        const std::int32_t readType = read.Long(f.ReadType);
        const std::string_view message = Trim(read.TextView(f.Message));
        const std::int32_t readingDateNumber = read.Long(f.ReadingDate);
        double readDate = 0;
        std::int32_t readTime = 0;
        if (readingDateNumber != 0 && status != 0) {
            const int y = readingDateNumber / 10000, m = readingDateNumber / 100 % 100, d = readingDateNumber % 100;
            if (IsValidDate(y, m, d)) readDate = DateSerial(y, m, d);
            readTime = read.Long(f.ReadingTime);
        }
        ZeroPadded(readTime, 6, readTimeText_);
        const std::string_view readTimeText = readTimeText_;
        ExtractUserInto(read.TextView(f.User2), userStorage_[1], user2);
        ExtractUserInto(read.TextView(f.User3), userStorage_[2], user3);
        const std::string_view location = Part(user2, 8);
        const std::string_view originalMethod = Part(user3, 5);
        const std::string_view readLetter = status == 0 ? std::string_view("N") : ReadLetter(readType);
        const double scale = decimals != 0 ? std::pow(10.0, decimals) : 1.0;

        const CustomerRecord& cus = cus_;
        cus.RouteNumber.Set(routeNumber);
        cus.Account.Set(account);
        cus.GroupCode.Set(Part(user1, 3));
        cus.ExtraIndicator.Set(Part(user1, 4));
        cus.SegmentCode.Set(Part(user1, 5));
        cus.PassThru.Set(Part(user1, 6));
        cus.CustomerInfo.Set(customerInfo);
        cus.Name.Set(Mid(billing, 0, 20, scratch));
        cus.Address1.Set(Mid(address, 0, 20, scratch));
        cus.Address2.Set(Mid(address, 20, 20, scratch));
        upload_.Write(cus.rec);

        if (Part(user1, 4) == "Y") {
            const CustomerExtraRecord& csx = csx_;
            csx.RouteNumber.Set(routeNumber);
            csx.Account.Set(account);
            csx.Name.Set(Mid(billing, 20, 20, scratch));
            csx.NewCustomerInfo.Set(customerInfo);
            csx.Address3.Set(Mid(address, 40, 20, scratch));
            upload_.Write(csx.rec);
        }

        const MeterRecord& mtr = mtr_;
        mtr.RouteNumber.Set(routeNumber);
        mtr.GroupCode.Set(Part(user2, 1));
        mtr.SurveyCode1DisplayIndicator.Set(Part(user2, 2));
        mtr.SurveyCode2DisplayIndicator.Set(Part(user2, 3));
        mtr.BillCode.Set(Part(user2, 4));
        mtr.MeterStatus.Set(Part(user2, 5));
        mtr.OpticalProbeID.Set(Part(user2, 6));
        mtr.MeterNumber.Set(meterNumber);
        mtr.MeterType.Set(Part(user2, 7) == "W" ? std::string_view("00") : Part(user2, 7));
        mtr.ReadSequence.Set(sequence);
        mtr.NewReadSequence.Set(sequence);
        mtr.MeterLocation.Set(location.find('.') != std::string_view::npos ? std::string_view("00")
                                                                      : ZeroPadded(Leading(location), 2, scratch));
        mtr.ReadInstruction1.Set(Leading(Part(user2, 9)));
        mtr.ReadInstruction2.Set(Leading(Part(user2, 10)));
        mtr.SpecialMessageDisplayIndicator.Set(Leading(Part(user2, 11)));
        mtr.SpecialMessageIndicator.Set(message.empty() ? "N" : "Y");
        mtr.TroubleMessageIndicator.Set(
            read.Long(f.ResponseCode) > 0 || !read.TextView(f.ResponseText).empty() ? "Y" : "N");
        mtr.MeterCategory.Set(CategoryLetter(read.Long(f.MeterType)));
        mtr.LocationExtraMeter.Set(Part(user2, 13));
        mtr.OriginalAdditionalMeterInfo.Set(meterNumber);
        upload_.Write(mtr.rec);

        if (!message.empty()) {
            const MessageRecord& mts = mts_;
            mts.RouteNumber.Set(routeNumber);
            mts.MeterNumber.Set(meterNumber);
            mts.SpecialMessageText.Set(message);
            upload_.Write(mts.rec);
        }

        const ReadingRecord& rdg = rdg_;
        rdg.RouteNumber.Set(routeNumber);
        rdg.TextPrompt.Set(Part(user3, 1));
        rdg.ReadDirection.Set(Part(user3, 2));
        rdg.CompareCode.Set(Part(user3, 3));
        rdg.ValidationCode.Set(Part(user3, 4));
        rdg.MeterConstant.Set(Part(user3, 6));
        rdg.ConstantFlag.Set(Part(user3, 7));
        rdg.HHFPosition.Set(Part(user3, 8));
        rdg.ReadMethod.Set(readType >= 0 && readType <= 4 ? ReadLetter(readType) : originalMethod);
        rdg.Reading.Set(decimals != 0 ? std::floor(curReading / scale) : static_cast<double>(curReading));
        rdg.ReadDate.Set(readDate);
        rdg.ReadTime.Set(readTimeText);
        std::string_view readCode = " ";
        if (status == 0) {
            if (readType == 4 || (readType == 2 && curReading == 0)) readCode = "S";
        } else if (readType == 1 || readType == 3) {
            readCode = "N";
        } else if (readType == 2) {
            readCode = "O";
        } else if (readType == 4) {
            readCode = "S";
        }
        rdg.ReadCode.Set(readCode);
        rdg.NewNumberDials.Set(read.Long(f.Digits));
        rdg.NewNumberDecimals.Set(decimals);
        rdg.NewReadMethod.Set(readLetter);
        rdg.NewMeterConstant.Set(Part(user3, 6));
        rdg.PreviousReading.Set(read.Long(f.PrvReading));
        upload_.Write(rdg.rec);

        const double deviceReading = curReading / scale;  // the field rounds it, halves away from zero
        if (originalMethod == "P") {
            const ProbeRecord& prb = prb_;
            prb.RouteNumber.Set(routeNumber);
            prb.OpticalProbeRecorderID.Set(Part(user2, 6));
            prb.ReadDate.Set(readDate);
            prb.ReadTime.Set(readTimeText);
            upload_.Write(prb.rec);
        } else if (originalMethod == "R" || originalMethod == "W") {
            const bool radio = originalMethod == "R";
            const DeviceRecord& dev = radio ? rff_ : wrr_;
            dev.RouteNumber.Set(routeNumber);
            ExtractUserInto(read.TextView(f.User4), userStorage_[3], user4);
            if (radio) {
                dev.RFERTID.Set(ZeroPadded(tag, 1, scratch));
                dev.GeographicArea.Set(Leading(Part(user4, 1)));
                dev.RFFrequency.Set(Part(user4, 2));
                dev.RFTone.Set(Part(user4, 3));
            } else {
                dev.DeviceID.Set(Part(user4, 5));
                dev.WandProgram.Set(Part(user4, 6));
            }
            dev.ReadDate.Set(readDate);
            dev.ReadTime.Set(readTimeText);
            dev.Reading.Set(deviceReading);
            dev.ERTType.Set(Part(user4, 4));
            dev.VisualReadIndicator.Set(readType == 2 ? "Y" : "N");
            upload_.Write(dev.rec);
        }
    }

    clsExchange& ex_;
    std::filesystem::path source_;
    clsMVRSUpload writer_;
    host::Upload upload_;
    ReadingsRoutes<RouteStats> routes_;
    bool whole_ = true;  // the first pass read everything the database announces
    std::int32_t fileRoutes_ = 0, fileMeters_ = 0;
    std::int32_t currentRoute_ = 0;
    // User1 to User4 taken apart (views into the record or into their storage), their storage reused.
    std::array<std::vector<std::string_view>, 4> user_;
    std::array<std::string, 4> userStorage_;
    std::string scratch_, readTimeText_;           // texts made for a field, their storage reused
    const CustomerRecord cus_;
    const CustomerExtraRecord csx_;
    const MeterRecord mtr_;
    const MessageRecord mts_;
    const ReadingRecord rdg_;
    const ProbeRecord prb_;
    const DeviceRecord rff_, wrr_;
};

}  // namespace

bool ConvertReadingMVRS(clsExchange& ex) { return MVRSReadingConversion(ex).Run(); }

}  // namespace zav
