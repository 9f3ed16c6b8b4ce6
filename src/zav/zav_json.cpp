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

// Reads the raw layouts of index and configuration records with every offset checked against the
// record's length; a damaged record gives false and is shown as hex instead.
class RawCursor {
public:
    explicit RawCursor(std::string_view data) : data_(data) {}
    std::size_t Offset() const { return pos_; }
    std::size_t Size() const { return data_.size(); }
    bool Number(std::uint32_t& value, std::size_t at) const {
        if (at + 2 > data_.size()) return false;
        value = (static_cast<std::uint32_t>(static_cast<unsigned char>(data_[at])) << 8) |
                static_cast<unsigned char>(data_[at + 1]);
        return true;
    }
    bool Next16(std::uint32_t& value) {
        if (!Number(value, pos_)) return false;
        pos_ += 2;
        return true;
    }
    // A text ended by a zero byte, then the padding to an even offset.
    bool Text(std::string_view& text) {
        const auto end = data_.find('\0', pos_);
        if (end == std::string_view::npos) return false;
        text = data_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (pos_ % 2 != 0 && pos_ < data_.size()) ++pos_;
        return true;
    }
    void Seek(std::size_t at) { pos_ = at; }

private:
    std::string_view data_;
    std::size_t pos_ = 0;
};

bool DecodeIndex(std::string_view data, std::string& out) {
    RawCursor cur(data);
    std::uint32_t route = 0, type = 0;
    if (!cur.Number(route, 2) || !cur.Number(type, 4)) return false;
    out += ",\"route\":" + std::to_string(route) + ",\"indexType\":" + std::to_string(type) + ",\"groups\":[";
    cur.Seek(6);
    bool first = true;
    while (cur.Offset() < cur.Size()) {
        std::uint32_t next = 0;
        std::string_view key;
        if (!cur.Next16(next) || !cur.Text(key)) return false;
        const std::size_t end = next == 0xFFFF ? cur.Size() : next;
        if (end < cur.Offset() || end > cur.Size() || (end - cur.Offset()) % 2 != 0) return false;
        out += first ? "{\"key\":" : ",{\"key\":";
        first = false;
        AppendJsonString(out, key);
        out += ",\"positions\":[";
        for (std::size_t at = cur.Offset(); at < end; at += 2) {
            std::uint32_t position = 0;
            cur.Number(position, at);
            out.append(at == cur.Offset() ? "" : ",").append(std::to_string(position));
        }
        out += "]}";
        if (next == 0xFFFF) break;
        cur.Seek(end);
    }
    out += ']';
    return true;
}

bool DecodeCodes(std::string_view data, std::string& out) {
    RawCursor cur(data);
    std::uint32_t codeType = 0, flags = 0, count = 0;
    if (!cur.Number(codeType, 2) || !cur.Number(flags, 4) || !cur.Number(count, 6)) return false;
    out += ",\"codeType\":" + std::to_string(codeType) + ",\"flags\":" + std::to_string(flags) + ",\"entries\":[";
    cur.Seek(8);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string_view code, value, extra;
        if (!cur.Text(code) || !cur.Text(value) || !cur.Text(extra)) return false;
        out += i == 0 ? "[" : ",[";
        AppendJsonString(out, code);
        out += ',';
        AppendJsonString(out, value);
        out += ',';
        AppendJsonString(out, extra);
        out += ']';
    }
    std::uint32_t endMark = 0;
    if (!cur.Next16(endMark) || endMark != 0xFFFF) return false;
    out += ']';
    return true;
}

// Index (6) and configuration (4, 5, 7) records by their layouts; damaged ones as hex.
template <bool (*Decode)(std::string_view, std::string&)>
void DecodeRawLayout(const clsZAV& zav, std::string& out) {
    std::string decoded;
    if (Decode(zav.RawData(), decoded))
        out += decoded;
    else
        DecodeHexRecord(zav, out);
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
        case kRecIndex:
            return DecodeRawLayout<DecodeIndex>;
        case kRecLogins:
        case kRecCodes:
        case kRecAlerts:
            return DecodeRawLayout<DecodeCodes>;
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
