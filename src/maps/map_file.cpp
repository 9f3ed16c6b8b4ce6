// The map file: KEY=value lines for the map-level settings, then one line per field, every line ended
// by CR LF. Loading starts from the predefined fields of the use and overlays what the file says.
#include <unistd.h>

#include <optional>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/number.h"
#include "core/text.h"
#include "maps/exch_map.h"

namespace zav {

namespace {

constexpr const char* kLineEnd = "\r\n";

// A number as the platform prints a numeric item: a leading space for zero or positive values (a minus
// sign otherwise), the digits, and one trailing space.
std::string PrintedNumber(std::int32_t n) {
    std::string text = n >= 0 ? " " : "";
    text += std::to_string(n);
    text += ' ';
    return text;
}

// The field line of one field; "" for a mapping kind that is not stored.
std::string FieldLine(const MapField& f) {
    const std::string& name = f.FieldName;
    switch (f.MapOption) {
        case kDoNotMap:
            return name + "=N";
        case kMapFromSource:
            return name + "=" + std::to_string(f.DataPosition) + "," + std::to_string(f.DataWidth) + ",,," +
                   std::to_string(f.MapFormat);
        case kMapConstant:
            return name + "=C," + f.MapConstant;
        case kMapPrompt:
            return name + "=P";
        case kAutonumber:
            return name + "=A";
        case kWriteToDestination:
            return name + "=" + std::to_string(f.DataPosition) + "," + std::to_string(f.DataWidth) + "," +
                   (f.MapAlign == 1 ? "L" : "R") + "," + (f.MapPad == 2 ? "B" : "Z") + "," +
                   std::to_string(f.MapFormat);
        default:
            return "";
    }
}

// A whole number for MAPFILTER, MAPTERMINATOR and MAPLENGTH; nullopt when the text is not a number or
// does not fit, which leaves the setting unchanged.
template <typename Int>
std::optional<Int> WholeNumber(std::string_view text) {
    try {
        const std::optional<double> n = NumberFromText(text);
        if (!n) return std::nullopt;
        if constexpr (sizeof(Int) == 2)
            return CInt(*n);
        else
            return CLng(*n);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

}  // namespace

std::filesystem::path clsExchMap::MapFileName() const {
    if (mapName_.empty() || MapUseExtension(mapUse_).empty()) return {};
    // The name is a file name in the program's folder, never a path: a name that would leave the folder
    // (a separator, "." or "..") or cannot name a file (a NUL byte) has no map file.
    if (mapName_.find_first_of(std::string_view("/\0", 2)) != std::string::npos || mapName_ == "." || mapName_ == "..")
        return {};
    return folder_ / mapName_;
}

std::string clsExchMap::MapFileText() const {
    std::string text;
    const auto line = [&text](const std::string& s) { text += s + kLineEnd; };
    line("ZAV=1.1");
    line("MAPNAME=" + mapName_);
    line("MAPTYPE=" + std::to_string(mapType_));
    line("MAPFILTER=" + std::to_string(mapFilter_));
    line("MAPDELIMITER=" + mapDelimiter_);
    line("MAPQUOTE=" + mapQuote_);
    if (!options_.empty()) line("MAPOPTIONS=" + MapOptions(0));
    line("MAPTERMINATOR=" + PrintedNumber(mapTerminator_));
    line("MAPLENGTH=" + std::to_string(mapLength_));
    for (const MapField& f : fields_) {
        const std::string fieldLine = FieldLine(f);
        if (!fieldLine.empty()) line(fieldLine);
    }
    return text;
}

bool clsExchMap::SaveMap() {
    const std::filesystem::path path = MapFileName();
    if (path.empty()) return false;
    WriteFileBytes(path, MapFileText());
    dirty_ = false;
    return true;
}

bool clsExchMap::LoadMap(std::string loadMapName, std::int32_t loadMapUse) {
    NewMap(std::move(loadMapName), loadMapUse);
    const std::filesystem::path path = MapFileName();
    if (path.empty()) return false;
    std::string bytes;
    try {
        bytes = ReadFileBytes(path);  // missing, a folder, unreadable: no map
    } catch (const RuntimeError&) {
        return false;
    }
    ApplyMapFileText(bytes);
    dirty_ = false;
    return true;
}

void clsExchMap::ApplyMapFileText(std::string_view text) {
    LineSplitter lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        if (line.empty() || line[0] == '#' || Trim(line).empty()) continue;
        const std::size_t eq = line.find('=');
        const std::string_view key = Trim(line.substr(0, eq));
        std::string_view value;
        if (eq != std::string_view::npos) {
            const std::string_view rest = line.substr(eq + 1);
            value = Trim(rest.substr(0, rest.find('=')));
        }
        if (key == "MAPNAME" || key == "ZAV") continue;
        try {
            if (key == "MAPTYPE") {
                MapType(CLng(Val(value)));
            } else if (key == "MAPFILTER") {
                if (auto n = WholeNumber<std::int32_t>(value)) MapFilter(*n);
            } else if (key == "MAPDELIMITER") {
                MapDelimiter(std::string(value));
            } else if (key == "MAPQUOTE") {
                MapQuote(value == "<none>" ? std::string() : std::string(value));
            } else if (key == "MAPTERMINATOR") {
                if (auto n = WholeNumber<std::int32_t>(value)) MapTerminator(*n);
            } else if (key == "MAPLENGTH") {
                if (auto n = WholeNumber<std::int16_t>(value)) MapLength(*n);
            } else if (key == "MAPOPTIONS") {
                MapOptions(0, std::string(value));
            } else {
                std::string_view parts[5];
                std::size_t start = 0;
                for (int i = 0; i < 5 && start <= value.size(); ++i) {
                    const std::size_t comma = value.find(',', start);
                    parts[i] =
                        value.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
                    start = comma == std::string_view::npos ? value.size() + 1 : comma + 1;
                }
                SetMapping(key, parts[0], parts[1], parts[2], parts[3], parts[4]);
            }
        } catch (const RuntimeError&) {
            // A number out of range ends this line only; the settings before it stay applied.
        }
    }
}

bool clsExchMap::DeleteMap() {
    const std::filesystem::path path = MapFileName();
    if (path.empty()) return false;
    return ::unlink(path.c_str()) == 0;  // a file only, never a folder of that name
}

}  // namespace zav
