#include "zav/zav_json.h"

#include "zav/json_text.h"
#include "zav/zav.h"

namespace zav {

namespace {

void AppendJsonValue(std::string& out, const Value& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        AppendJsonString(out, *text);
    else if (std::holds_alternative<std::monostate>(value))
        out += "null";
    else
        out += ValueText(value);  // integers only: every schema field reads as text or integer
}

// Header, route, meter and orphan records: every field of the schema.
void DecodeSchemaRecord(const clsZAV& zav, std::string& out) {
    out += ",\"fields\":{";
    bool first = true;
    for (const auto& [name, value] : zav.GetValues()) {
        if (!first) out += ',';
        first = false;
        AppendJsonString(out, name);
        out += ':';
        AppendJsonValue(out, value);
    }
    out += '}';
}

// Kinds without a decoder: the record's bytes.
void DecodeHexRecord(const clsZAV& zav, std::string& out) {
    out += ",\"hex\":\"";
    AppendHex(out, zav.RawData());
    out += '"';
}

}  // namespace

RecordDecoder RecordDecoderFor(std::int32_t recType) {
    switch (recType) {
        case kRecHeader:
        case kRecRoute:
        case kRecRouteReturned:
        case kRecMeter:
        case kRecOrphan:
            return DecodeSchemaRecord;
        default:
            return DecodeHexRecord;
    }
}

bool ZAVToJson(const std::filesystem::path& file, std::string& out) {
    clsZAV zav;
    if (zav.OpenZAVWithFileVersion(file)) return false;
    out += "{\"container\":";
    AppendJsonString(out, zav.GetType() == kContainerVFS ? "VFS" : "PDB");
    out += ",\"title\":";
    AppendJsonString(out, zav.DB().Title());
    out += ",\"creator\":";
    AppendJsonString(out, zav.DB().Creator());
    out += ",\"type\":";
    AppendJsonString(out, zav.DB().DBType());
    out += ",\"version\":" + std::to_string(zav.Version());
    out += ",\"records\":[";
    bool first = true;
    while (zav.ReadData()) {
        if (!first) out += ',';
        first = false;
        const std::int32_t recType = zav.RecType();
        out += "{\"RecType\":" + std::to_string(recType);
        RecordDecoderFor(recType)(zav, out);
        out += '}';
    }
    out += "]}";
    return true;
}

}  // namespace zav
