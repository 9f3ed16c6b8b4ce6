#include "setup/dist.h"

#include <algorithm>
#include <system_error>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "core/text.h"

namespace zav {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDistTitle = "Distribution";
constexpr const char* kWrittenVersion = "1.1";  // maps framed byte for byte
constexpr std::size_t kMaxMapNameSearch = 200;  // characters after " MAP " searched for "]"

void Say(const std::string& text, const std::string& title) { CurrentFrontend().ShowMessage(text, title); }

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

bool StartsWithNoCase(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && UCase(text.substr(0, start.size())) == start;
}

// Regular files of `folder` whose names satisfy `wanted`, in name order.
template <typename Pred>
std::vector<std::string> ListFiles(const fs::path& folder, Pred wanted) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (!it->is_regular_file(typeEc)) continue;
        std::string name = it->path().filename().string();
        if (wanted(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The header of a map file's section, chosen by the last three characters of its name.
std::string MapHeaderKind(const std::string& name) {
    const std::string ext = UCase(name.size() >= 3 ? std::string_view(name).substr(name.size() - 3) : name);
    if (ext == "ZRM") return "READING MAP";
    if (ext == "ZCM") return "ROUTE MAP";
    if (ext == "ZOM") return "ORPHAN MAP";
    return "UNKNOWN MAP";
}

// Creates or replaces `target` with `bytes` by renaming a finished copy over it, so a link standing at
// `target` is replaced rather than written through.
void ReplaceFile(const fs::path& target, const std::string& bytes) {
    std::string partialName = ".";
    partialName.append(target.filename().string()).append(".partial");
    const fs::path partial = target.parent_path() / partialName;
    try {
        WriteFileBytes(partial, bytes);
    } catch (const RuntimeError&) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        throw;
    }
    std::error_code ec;
    fs::rename(partial, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        throw FileError(ec.value());
    }
}

}  // namespace

std::vector<std::string> ListMapFiles(const fs::path& folder) {
    return ListFiles(folder, [](const std::string& name) {
        const auto n = name.size();
        return n >= 4 && name[n - 4] == '.' && UpperChar(name[n - 3]) == 'Z' && UpperChar(name[n - 1]) == 'M';
    });
}

bool IsDistMapFileName(const std::string& name) {
    if (name.size() < 5 || name.find("..") != std::string::npos) return false;
    if (std::any_of(name.begin(), name.end(),
                    [](char c) { return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20; }))
        return false;
    const std::string ext = UCase(std::string_view(name).substr(name.size() - 4));
    return ext == ".ZCM" || ext == ".ZRM" || ext == ".ZOM";
}

clsDist::clsDist(RegistryStore& store, fs::path home) : registry_(store), home_(std::move(home)) {}

std::string clsDist::BuildDist() {
    std::string maps;
    for (const auto& name : ListMapFiles(home_)) {
        maps.append("[").append(MapHeaderKind(name)).append(" ").append(name).append("]");
        maps += ReadFileBytes(home_ / name);
        maps += "\r\n";
    }
    const std::string listing = registry_.GetKeyInfo(0, {kLocalMachine, kSettingsKey});
    return std::string("DIST ") + kWrittenVersion + "\r\n[REGISTRY]\r\n" + listing + "\r\n" + maps + "\r\n";
}

bool clsDist::WriteDist(std::string Filename) {
    if (Filename.empty() && ChooseFile) Filename = ChooseFile({"Save Distribution", home_.string()});
    if (Filename.empty()) return false;
    try {
        WriteFileBytes(Filename, BuildDist());
    } catch (const RuntimeError& e) {
        Say(e.Description(), kDistTitle);
        return false;
    }
    Say(Filename + " written.", kDistTitle);
    return true;
}

bool clsDist::LoadDist(std::string Filename) {
    if (Filename.empty()) {
        const auto found = ListFiles(home_, [](const std::string& name) { return EndsWith(UCase(name), ".DST"); });
        if (found.size() == 1) Filename = (home_ / found.front()).string();
    }
    if (Filename.empty() && ChooseFile) Filename = ChooseFile({"Load Distribution", home_.string()});
    if (Filename.empty()) return false;

    std::string text;
    try {
        text = ReadFileBytes(Filename);
    } catch (const RuntimeError& e) {
        Say(e.Description(), kDistTitle);
        return false;
    }
    // A file saved with line feeds only is split at line feeds.
    const std::string lineBreak = text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    // The file's final line break ends the last section; it is not part of it.
    if (EndsWith(text, lineBreak)) text.resize(text.size() - lineBreak.size());
    auto pieces = Split(text, lineBreak + "[");
    if (pieces.front().compare(0, 5, "DIST ") != 0) {
        Say("Distribution file not properly formatted", kDistTitle);
        return false;
    }
    const std::string& preamble = pieces.front();
    const bool exactMaps =
        Trim(std::string_view(preamble).substr(5, preamble.find_first_of("\r\n") - 5)) == kWrittenVersion;

    for (std::size_t i = 1; i < pieces.size(); ++i) {
        std::string& section = pieces[i];
        // The split takes the line break before each header from the section above it; the last
        // section loses its own the same way.
        if (i + 1 == pieces.size() && EndsWith(section, lineBreak)) section.resize(section.size() - lineBreak.size());
        if (StartsWithNoCase(section, "ROUTE MAP") || StartsWithNoCase(section, "READING MAP") ||
            StartsWithNoCase(section, "ORPHAN MAP")) {
            LoadMapSection(section, exactMaps, lineBreak);
        } else if (StartsWithNoCase(section, "REGISTRY")) {
            LoadRegistrySection(section);
        }
    }
    Say(Filename + " loaded.", kDistTitle);
    return true;
}

void clsDist::LoadMapSection(const std::string& section, bool exactMaps, const std::string& lineBreak) {
    const auto map = section.find(" MAP ");
    const auto close = map == std::string::npos
                           ? std::string::npos
                           : std::string_view(section).substr(map + 5, kMaxMapNameSearch).find(']');
    const std::string name = close == std::string::npos ? "" : section.substr(map + 5, close);
    const auto body = close == std::string::npos ? std::string::npos : section.find("ZAV=", map + 5 + close + 1);
    // Only a bare map file name with text is written, and only into the home folder.
    if (body == std::string::npos || !IsDistMapFileName(name)) {
        Say("Improperly formatted map file", kAppTitle);
        return;
    }
    try {
        ReplaceFile(home_ / name, section.substr(body) + (exactMaps ? "" : lineBreak));
    } catch (const RuntimeError& e) {
        Say(name + ": " + e.Description(), kDistTitle);
    }
}

void clsDist::LoadRegistrySection(const std::string& section) {
    const auto lines = Split(section, section.find("\r\n") != std::string::npos ? "\r\n" : "\n");
    std::string key;
    for (const auto& raw : lines) {
        const std::string line(Trim(raw));
        if (line.empty() || line == "REGISTRY]") continue;
        if (line.back() == ':') {
            key = line.substr(0, line.size() - 1);
            continue;
        }
        const auto marker = line.find("> ");
        const auto equals = line.find('=');
        // The name is the text after "> " up to two characters before the "=" (for a line that begins
        // with "> ", what stands between "> " and " = "); no "> " or "=" leaves no name.
        const bool named = marker != std::string::npos && equals != std::string::npos && equals >= 2;
        const std::string name =
            named ? std::string(Trim(std::string_view(line).substr(marker + 2).substr(0, equals - 2))) : std::string();
        if (name.empty()) {
            Say("Improperly formatted registry entry\r\n" + line, kAppTitle);
            continue;
        }
        // The value starts as many characters into the text after "> " as the "=" stands in the line,
        // plus one: past "= " and the opening quote of a string value.
        const std::string_view rest = std::string_view(line).substr(marker + 2);
        std::string value(Trim(rest.substr(std::min(rest.size(), equals + 1))));
        if (!value.empty() && value.front() == '"') value.erase(0, 1);
        if (!value.empty() && value.back() == '"') value.pop_back();
        registry_.SaveValue(value, {kLocalMachine, "Software", kCompanyName, kProductName, key, name});
    }
}

}  // namespace zav
