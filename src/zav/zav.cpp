#include "zav/zav.h"

namespace zav {

namespace {

struct ZAVField {
    const char* name;
    std::int32_t type;
    std::int32_t fromVersion;  // the first version that has the field
};

// Schema order fixes the offsets: every number field is packed after the one before it.
constexpr ZAVField kFields[] = {
    {"RecType", kFieldInt16, 0},
    {"RouteNbr", kFieldInt32, 0},
    {"Sequence", kFieldInt32, 0},
    {"MeterTagNbr", kFieldInt32, 0},
    {"MeterType", kFieldInt8, 0},
    {"Digits", kFieldInt8, 1},
    {"Decimals", kFieldInt8, 2},
    {"Reserved1", kFieldInt8, 2},
    {"PrvReading", kFieldInt32, 1},
    {"MaxReading", kFieldInt32, 1},
    {"MinReading", kFieldInt32, 1},
    {"CurReading", kFieldInt32, 1},
    {"ReadingDate", kFieldInt32, 1},
    {"ReadingTime", kFieldInt32, 1},
    {"Status", kFieldInt8, 1},
    {"ReadType", kFieldInt8, 1},
    {"ResponseCode", kFieldInt16, 1},
    {"LstReadingDate", kFieldInt32, 1},
    {"TamperCount", kFieldInt16, 1},
    {"UtilityCode", kFieldInt8, 1},
    {"Signal", kFieldInt8, 1},
    {"Lat", kFieldInt32, 1},
    {"Lng", kFieldInt32, 1},
    {"ScaleFactor", kFieldInt32, 1},
    {"InitReading", kFieldInt32, 1},
    {"InitPulseCount", kFieldInt32, 3},
    {"InitTamperCount", kFieldInt16, 3},
    {"Initials", kFieldText, 1},
    {"ResponseText", kFieldText, 1},
    {"Message", kFieldText, 1},
    {"ServiceAddress", kFieldText, 1},
    {"BillingName", kFieldText, 1},
    {"ServiceUniqueID", kFieldText, 1},
    {"MeterSerialNbr", kFieldText, 1},
    {"ReceiverData", kFieldText, 1},
    {"User1", kFieldText, 1},
    {"User2", kFieldText, 1},
    {"User3", kFieldText, 1},
    {"User4", kFieldText, 1},
    {"User5", kFieldText, 1},
};

}  // namespace

std::vector<std::string> ZAVFieldNames(std::int32_t version) {
    std::vector<std::string> names;
    for (const ZAVField& f : kFields)
        if (version >= f.fromVersion) names.emplace_back(f.name);
    return names;
}

clsZAV::clsZAV() { BuildSchema(0); }

void clsZAV::SetVersion(std::int32_t version) { BuildSchema(version); }

void clsZAV::BuildSchema(std::int32_t version) {
    db_.ClearSchema();
    for (const ZAVField& f : kFields)
        if (version >= f.fromVersion) db_.AddField(f.type, f.name, -1);
    version_ = version;
}

bool clsZAV::OpenZAV(const std::filesystem::path& name) { return db_.OpenDB(name, -1) != 0; }

std::optional<std::int32_t> clsZAV::ReadFileVersion(const std::filesystem::path& name) {
    clsZAV probe;  // version 0: RecType, RouteNbr, Sequence, MeterTagNbr, MeterType
    if (probe.OpenZAV(name)) return std::nullopt;
    if (!probe.ReadData()) return 0;
    const auto meterType = static_cast<std::int32_t>(ValueNumber(probe.Item("MeterType")));
    return probe.RecType() == kRecHeader && meterType > 0 ? meterType : 0;
}

bool clsZAV::OpenZAVWithFileVersion(const std::filesystem::path& name) {
    const auto version = ReadFileVersion(name);
    if (!version) return true;
    SetVersion(*version);
    return OpenZAV(name);
}

std::int16_t clsZAV::CreateZAV(const std::filesystem::path& name, int containerType, std::int32_t presize) {
    const std::int16_t result = db_.CreateDB(containerType, name, kZAVTitle, kZAVCreator, kZAVType, presize, "", "");
    created_ = result == 0;
    return result;
}

}  // namespace zav
