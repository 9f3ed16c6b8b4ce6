// ConvertReadingMVRS: a readings database into an MVRS upload file. The first pass counts, per route and
// for the file, what the headers report; the second writes, per meter, its customer, meter, special
// message, reading and device records between the route headers and trailers. Everything comes from the
// database: the route records and the values the MVRS route conversion packed into User1 to User4.
#include <fmt/format.h>

#include <array>
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

namespace zav {

namespace {

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

std::int32_t Long(const clsZAV& db, std::string_view field) {
    try {
        return CLng(ValueNumber(db.Item(field)));
    } catch (const RuntimeError&) {
        return 0;
    }
}

std::string Text(const clsZAV& db, std::string_view field) { return ValueText(db.Item(field)); }

// The leading number of a text, 0 when there is none or it does not fit 32 bits.
std::int32_t Leading(std::string_view text) {
    try {
        return CLng(Val(text));
    } catch (const RuntimeError&) {
        return 0;
    }
}

std::string Mid(const std::string& text, std::size_t start, std::size_t length) {
    std::string part = start < text.size() ? text.substr(start, length) : std::string();
    part.resize(length, ' ');
    return part;
}

std::string CategoryLetter(std::int32_t meterType) {
    static const char* const kLetters[] = {"W", "G", "E", "S", "I"};
    return meterType >= 1 && meterType <= 5 ? kLetters[meterType - 1] : "";
}

std::string ReadLetter(std::int32_t readType) {
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

class MVRSReadingConversion {
  public:
    explicit MVRSReadingConversion(clsExchange& ex)
        : ex_(ex), source_(ex.SettingPath(ex.ReadingSource)), upload_(writer_) {}

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
        ReadingsTally tally;
        for (;;) {
            bool more = false;
            if (!Step([&] { more = db->ReadData(); })) return false;
            if (!more) break;
            SetProgressButton(255, db->Position255() / 2);
            tally.Note(*db);
            if (!Step([&] { CountRecord(*db); })) return false;
        }
        // What could be read is still written; a database that held more makes the run fail.
        whole_ = tally.Check(*db);
        return true;
    }

    void CountRecord(const clsZAV& db) {
        const std::int32_t type = db.RecType();
        if (type == kRecHeader) {
            routes_.Announce(Long(db, "RouteNbr"));
        } else if (type == kRecRoute || type == kRecRouteReturned) {
            RouteStats& r = Route(Long(db, "RouteNbr"), "a route record");
            ++fileRoutes_;
            r.RouteNumber = Text(db, "Initials");
            std::vector<std::string>& user1 = user_[0];
            ExtractUserInto(Text(db, "User1"), user1);
            r.Region = Part(user1, 1);
            r.Zone = Part(user1, 2);
            r.Office = Part(user1, 3);
            r.ScheduledReadDate = DateFromText(Part(user1, 4)).value_or(0.0);
            r.RemoteWandReads = Leading(Part(user1, 5));
        } else if (type == kRecMeter) {
            RouteStats& r = Route(Long(db, "RouteNbr"));
            ++fileMeters_;
            for (std::int32_t* n : {&r.MeterRecords, &r.CustomerRecords, &r.TotalCustomerRecords, &r.TotalMeterRecords,
                                    &r.TotalReadingRecords, &r.ReadingRecords})
                ++*n;
            switch (Long(db, "MeterType")) {
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
            const std::int32_t status = Long(db, "Status");
            if (status == 0) {
                ++r.MissedReadings;
            } else if (status == 1) {
                switch (Long(db, "ReadType")) {
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
        if (!Step([&] { WriteFile("FHD"); })) return false;
        for (;;) {
            bool more = false;
            if (!Step([&] { more = db->ReadData(); })) return false;
            if (!more) break;
            SetProgressButton(255, 127 + db->Position255() / 2);
            if (db->RecType() != kRecMeter) continue;
            if (!Step([&] { WriteMeter(*db); })) return false;
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

    void WriteMeter(const clsZAV& db) {
        const std::int32_t ordinal = Long(db, "RouteNbr");
        const RouteStats& route = Route(ordinal);
        if (ordinal != currentRoute_) {
            if (currentRoute_ != 0) WriteRoute("RTR", Route(currentRoute_));
            WriteRoute("RHD", route);
            currentRoute_ = ordinal;
        }
        const std::string& routeNumber = route.RouteNumber;

        // The customer.
        const std::string address = Text(db, "ServiceAddress");
        const std::string billing = Text(db, "BillingName");
        std::vector<std::string>& user1 = user_[0];
        std::vector<std::string>& user2 = user_[1];
        std::vector<std::string>& user3 = user_[2];
        std::vector<std::string>& user4 = user_[3];
        ExtractUserInto(Text(db, "User1"), user1);
        const std::string& account = Part(user1, 2);
        const std::string& customerInfo = Part(user1, 7);
        const std::string name2 = Mid(billing, 20, 20);
        // The meter.
        const std::string serial = Text(db, "MeterSerialNbr");
        const std::string meterNumber = Trim(serial) == "0" ? " " : serial;
        const std::int32_t sequence = Long(db, "Sequence");
        const std::int32_t tag = Long(db, "MeterTagNbr");
        const std::int32_t decimals = Long(db, "Decimals");
        const std::int32_t curReading = Long(db, "CurReading");
        const std::int32_t status = Long(db, "Status");
        const std::int32_t readType = Long(db, "ReadType");
        const std::string message = Text(db, "Message");
        const std::int32_t readingDateNumber = Leading(Text(db, "ReadingDate"));
        double readDate = 0;
        std::int32_t readTime = 0;
        if (readingDateNumber != 0 && status != 0) {
            const int y = readingDateNumber / 10000, m = readingDateNumber / 100 % 100, d = readingDateNumber % 100;
            if (IsValidDate(y, m, d)) readDate = DateSerial(y, m, d);
            readTime = Long(db, "ReadingTime");
        }
        const std::string readTimeText = fmt::format("{:06}", readTime);
        ExtractUserInto(Text(db, "User2"), user2);
        ExtractUserInto(Text(db, "User3"), user3);
        ExtractUserInto(Text(db, "User4"), user4);
        const std::string meterTypeText = Part(user2, 7) == "W" ? "00" : Part(user2, 7);
        const std::string& location = Part(user2, 8);
        const std::string& originalMethod = Part(user3, 5);
        const std::string readLetter = status == 0 ? "N" : ReadLetter(readType);
        const double scale = decimals != 0 ? std::pow(10.0, decimals) : 1.0;

        clsRecType& cus = upload_.Setup("CUS");
        cus.Value("RouteNumber", routeNumber);
        cus.Value("NumberMeters", std::int32_t{1});
        cus.Value("Account", account);
        cus.Value("GroupCode", Part(user1, 3));
        cus.Value("ExtraIndicator", Part(user1, 4));
        cus.Value("SegmentCode", Part(user1, 5));
        cus.Value("PassThru", Part(user1, 6));
        cus.Value("CustomerInfo", customerInfo);
        cus.Value("Name", Mid(billing, 0, 20));
        cus.Value("Address1", Mid(address, 0, 20));
        cus.Value("Address2", Mid(address, 20, 20));
        cus.Value("UtilityID", std::string());
        cus.Value("ExceptionCode", std::string(" "));
        cus.Value("Reserved", std::string("00"));
        upload_.Write(cus);

        if (Part(user1, 4) == "Y") {
            clsRecType& csx = upload_.Setup("CSX");
            csx.Value("RouteNumber", routeNumber);
            csx.Value("Account", account);
            csx.Value("Name", name2);
            csx.Value("NewCustomerInfo", customerInfo);
            csx.Value("Address3", Mid(address, 40, 20));
            upload_.Write(csx);
        }

        clsRecType& mtr = upload_.Setup("MTR");
        mtr.Value("RouteNumber", routeNumber);
        mtr.Value("NumberReadings", std::int32_t{1});
        mtr.Value("GroupCode", Part(user2, 1));
        mtr.Value("SurveyCode1DisplayIndicator", Part(user2, 2));
        mtr.Value("SurveyCode2DisplayIndicator", Part(user2, 3));
        mtr.Value("BillCode", Part(user2, 4));
        mtr.Value("MeterStatus", Part(user2, 5));
        mtr.Value("OpticalProbeID", Part(user2, 6));
        mtr.Value("MeterNumber", meterNumber);
        mtr.Value("MeterType", meterTypeText);
        mtr.Value("ReadSequence", sequence);
        mtr.Value("NewReadSequence", sequence);
        mtr.Value("MeterLocation", location.find('.') != std::string::npos ? std::string("00")
                                                                           : fmt::format("{:02}", Leading(location)));
        mtr.Value("ReadInstruction1", Leading(Part(user2, 9)));
        mtr.Value("ReadInstruction2", Leading(Part(user2, 10)));
        mtr.Value("SpecialMessageDisplayIndicator", Leading(Part(user2, 11)));
        mtr.Value("SpecialMessageIndicator", std::string(Trim(message).empty() ? "N" : "Y"));
        mtr.Value("TroubleMessageIndicator",
                  std::string(Long(db, "ResponseCode") > 0 || !Text(db, "ResponseText").empty() ? "Y" : "N"));
        mtr.Value("SurveyResponse1", std::string(" "));
        mtr.Value("SurveyResponse2", std::string(" "));
        mtr.Value("MeterChangeOutIndicator", std::string("N"));
        mtr.Value("ChangeMeterRecordIndicator", std::string("N"));
        mtr.Value("MeterCategory", CategoryLetter(Long(db, "MeterType")));
        mtr.Value("LocationExtraMeter", Part(user2, 13));
        mtr.Value("TimeCode", std::int32_t{0});
        mtr.Value("OriginalAdditionalMeterInfo", meterNumber);
        mtr.Value("Reserved2", std::string("0000000000"));
        mtr.Value("Reserved3", std::string("00"));
        mtr.Value("Reserved4", std::string("00"));
        for (const char* f : {"Reserved5", "Reserved6", "Reserved7"}) mtr.Value(f, std::string("0"));
        upload_.Write(mtr);

        if (!Trim(message).empty()) {
            clsRecType& mts = upload_.Setup("MTS");
            mts.Value("RouteNumber", routeNumber);
            mts.Value("MeterNumber", meterNumber);
            mts.Value("SpecialMessageText", std::string(Trim(message)));
            upload_.Write(mts);
        }

        clsRecType& rdg = upload_.Setup("RDG");
        rdg.Value("RouteNumber", routeNumber);
        rdg.Value("TextPrompt", Part(user3, 1));
        rdg.Value("ReadDirection", Part(user3, 2));
        rdg.Value("CompareCode", Part(user3, 3));
        rdg.Value("ValidationCode", Part(user3, 4));
        rdg.Value("MeterConstant", Part(user3, 6));
        rdg.Value("ConstantFlag", Part(user3, 7));
        rdg.Value("HHFPosition", Part(user3, 8));
        rdg.Value("MeterConstantVerified", std::string(" "));
        for (const char* f : {"ChannelNumber", "ReadAuditResult", "TroubleCode1", "TroubleCode2", "AuditCounter",
                              "ClearCounter", "ElapsedTime", "ReadTypeCode", "ReadReason"})
            rdg.Value(f, std::int32_t{0});
        rdg.Value("ReadMethod", readType >= 0 && readType <= 4 ? ReadLetter(readType) : originalMethod);
        rdg.Value("Reading", decimals != 0 ? std::floor(curReading / scale) : static_cast<double>(curReading));
        rdg.Value("ReadOrder", std::int32_t{1});
        rdg.Value("ReadDate", readDate);
        rdg.Value("ReadTime", readTimeText);
        std::string readCode = " ";
        if (status == 0) {
            if (readType == 4 || (readType == 2 && curReading == 0)) readCode = "S";
        } else if (readType == 1 || readType == 3) {
            readCode = "N";
        } else if (readType == 2) {
            readCode = "O";
        } else if (readType == 4) {
            readCode = "S";
        }
        rdg.Value("ReadCode", readCode);
        rdg.Value("UnprocessedReadFlag", std::string("N"));
        rdg.Value("MeterReaderID", std::string("TRAV"));
        rdg.Value("NewNumberDials", Long(db, "Digits"));
        rdg.Value("NewNumberDecimals", decimals);
        rdg.Value("NewReadMethod", readLetter);
        rdg.Value("NewMeterConstant", Part(user3, 6));
        rdg.Value("PreviousReading", Long(db, "PrvReading"));
        for (const char* f : {"Reserved1", "Reserved3", "Reserved4", "Reserved5", "Reserved6"})
            rdg.Value(f, std::string("0"));
        upload_.Write(rdg);

        const double deviceReading = curReading / scale;  // the field rounds it, halves away from zero
        if (originalMethod == "P") {
            clsRecType& prb = upload_.Setup("PRB");
            prb.Value("RouteNumber", routeNumber);
            prb.Value("OpticalProbeRecorderID", Part(user2, 6));
            for (const char* f : {"ExpectedDeviceID", "DeviceID", "DeviceDate", "DeviceTime", "TIMName"})
                prb.Value(f, std::string());
            prb.Value("ReadDate", readDate);
            prb.Value("ReadTime", readTimeText);
            for (const char* f : {"StatusOpen", "StatusTOU", "StatusLPAll", "StatusLPPartial", "StatusStatusCheck",
                                  "StatusResetDemand", "StatusAutoTimeSet", "StatusCodes1", "StatusCodes2",
                                  "StatusCodes3", "StatusCodes4", "StatusCodes5", "StatusCodes6"})
                prb.Value(f, std::string("00"));
            upload_.Write(prb);
        } else if (originalMethod == "R" || originalMethod == "W") {
            const bool radio = originalMethod == "R";
            clsRecType& dev = upload_.Setup(radio ? "RFF" : "WRR");
            dev.Value("RouteNumber", routeNumber);
            if (radio) {
                dev.Value("RFERTID", std::to_string(tag));
                dev.Value("GeographicArea", Leading(Part(user4, 1)));
                dev.Value("RFFrequency", Part(user4, 2));
                dev.Value("RFTone", Part(user4, 3));
                dev.Value("Tamper", std::int32_t{0});
            } else {
                dev.Value("TamperStatus", std::string("0"));
                dev.Value("DeviceID", Part(user4, 5));
                dev.Value("WandProgram", Part(user4, 6));
            }
            dev.Value("ReadDate", readDate);
            dev.Value("ReadTime", readTimeText);
            dev.Value("Reading", deviceReading);
            dev.Value("ERTType", Part(user4, 4));
            dev.Value("VisualReadIndicator", std::string(readType == 2 ? "Y" : "N"));
            upload_.Write(dev);
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
    std::array<std::vector<std::string>, 4> user_;  // User1 to User4 taken apart, their storage reused
};

}  // namespace

bool ConvertReadingMVRS(clsExchange& ex) { return MVRSReadingConversion(ex).Run(); }

}  // namespace zav
