#include "setup/registry.h"

#include <array>
#include <utility>

#include "core/frontend.h"
#include "core/identity.h"
#include "core/text.h"

namespace zav {

namespace {

constexpr std::array<std::pair<const char*, std::uint32_t>, 7> kRoots{{
    {"HKEY_CLASSES_ROOT", 0x80000000u},
    {"HKEY_CURRENT_USER", 0x80000001u},
    {"HKEY_LOCAL_MACHINE", 0x80000002u},
    {"HKEY_USERS", 0x80000003u},
    {"HKEY_PERFORMANCE_DATA", 0x80000004u},
    {"HKEY_CURRENT_CONFIG", 0x80000005u},
    {"HKEY_DYN_DATA", 0x80000006u},
}};

std::string JoinPath(HiveName::const_iterator first, HiveName::const_iterator last) {
    std::string path;
    for (auto it = first; it != last; ++it) {
        std::string element = *it;
        std::erase(element, '\0');
        if (!path.empty() && path.back() != '\\') path += '\\';
        path += element;
    }
    return path;
}

const char kHexDigits[] = "0123456789ABCDEF";

std::string Spaces(int count) { return std::string(count > 0 ? static_cast<std::size_t>(count) : 0, ' '); }

// One value line of a listing: indent, "> ", name and the ending chosen by the value's type.
std::string ValueLine(int indent, const RegStoredValue& v) {
    std::string ending;
    switch (v.type) {
        case kRegSz: ending = " = \"" + v.data + "\""; break;
        case kRegNone: ending = " = [none]"; break;
        case kRegExpandSz: ending = " = [expand sz]"; break;
        case kRegBinary: ending = " = [binary]"; break;
        case kRegDword: {
            ending = " = &H";
            for (int i = 3; i >= 0; --i) {
                const auto b = static_cast<std::size_t>(i) < v.data.size() ? static_cast<unsigned char>(v.data[i]) : 0;
                ending += kHexDigits[b >> 4];
                ending += kHexDigits[b & 15];
            }
            break;
        }
        case kRegDwordBigEndian: ending = " = [dword big endian]"; break;
        case kRegLink: ending = " = [link]"; break;
        case kRegMultiSz: ending = " = [multi sz]"; break;
        case kRegResourceList: ending = " = [resource list]"; break;
        case kRegFullResourceDescriptor: ending = " = [full resource descriptor]"; break;
        case kRegResourceRequirementsList: ending = " = [resource requirements list]"; break;
        default: return "";
    }
    return Spaces(indent) + "> " + v.name + ending + "\r\n";
}

}  // namespace

bool clsRegistry::KeyPath(std::uint32_t& RootKey, std::string& CombinedPath, const HiveName& hive) {
    CombinedPath = hive.empty() ? std::string() : JoinPath(hive.begin() + 1, hive.end());
    if (hive.empty()) return false;
    for (const auto& [name, handle] : kRoots) {
        if (hive.front() == name) {
            RootKey = handle;
            return true;
        }
    }
    return false;
}

std::optional<RegKeyPath> clsRegistry::StorePath(const HiveName& hive, bool lastIsValueName) {
    if (hive.empty() || (lastIsValueName && hive.size() < 2)) return std::nullopt;
    HiveName keyPart(hive.begin(), lastIsValueName ? hive.end() - 1 : hive.end());
    std::uint32_t root = 0;
    std::string combined;
    if (!KeyPath(root, combined, keyPart)) return std::nullopt;
    RegKeyPath path{hive.front(), {}};
    for (auto& level : Split(combined, "\\"))
        if (!level.empty()) path.levels.push_back(std::move(level));
    return path;
}

RegistryStore::KeyId clsRegistry::OpenKey(bool CreateIfNeeded, const HiveName& hive) {
    const auto path = StorePath(hive, false);
    if (!path) return 0;
    const auto id = store_.FindKey(*path);
    if (id != 0 || !CreateIfNeeded) return id;
    return store_.CreateKey(*path);
}

bool clsRegistry::SaveValue(const std::string& Value, const HiveName& hive) {
    const auto path = StorePath(hive, true);
    if (!path) return false;
    return store_.WriteValue(*path, hive.back(), kRegSz, Value);
}

std::vector<std::string> clsRegistry::GetKeys(const HiveName& hive) {
    const auto key = OpenKey(false, hive);
    if (key == 0) return {};
    return store_.ListSubkeys(key);
}

std::vector<std::string> clsRegistry::GetValues(const HiveName& hive) {
    const auto key = OpenKey(false, hive);
    if (key == 0) return {};
    std::vector<std::string> names;
    for (auto& v : store_.ListValues(key)) names.push_back(std::move(v.name));
    return names;
}

std::optional<bool> clsRegistry::DeleteValue(const HiveName& hive) {
    const auto path = StorePath(hive, true);
    if (!path) return std::nullopt;
    auto key = store_.FindKey(*path);
    if (key == 0) key = store_.CreateKey(*path);
    if (key == 0) return std::nullopt;
    return store_.DeleteValue(key, hive.back());
}

RegValue clsRegistry::GetValue(const HiveName& hive) {
    const auto path = StorePath(hive, true);
    if (!path) return {};
    const auto key = store_.FindKey(*path);
    if (key == 0) return {};
    const auto v = store_.ReadValue(key, hive.back());
    if (!v) return {};
    if (v->type == kRegSz || v->type == kRegExpandSz) {
        // The platform's reader stops at the first NUL.
        return v->data.substr(0, v->data.find('\0'));
    }
    if (v->type == kRegDword && v->data.size() == 4) {
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i) n = (n << 8) | static_cast<unsigned char>(v->data[i]);
        return static_cast<std::int32_t>(n);
    }
    return {};
}

std::string clsRegistry::GetKeyInfo(std::int16_t Indent, const HiveName& hive) {
    const auto key = OpenKey(false, hive);
    if (key == 0) {
        CurrentFrontend().ShowMessage("Error opening key.", kAppTitle);
        return "";
    }
    std::string text;
    for (const auto& v : store_.ListValues(key)) text += ValueLine(Indent, v);

    std::uint32_t root = 0;
    std::string combined;
    KeyPath(root, combined, hive);
    for (const auto& subkey : store_.ListSubkeys(key)) {
        const HiveName subHive{hive.front(), combined, subkey};
        std::string defaultText;
        if (const auto sub = OpenKey(false, subHive)) {
            if (const auto def = store_.ReadValue(sub, "")) {
                defaultText = def->type == kRegSz || def->type == kRegExpandSz ? def->data : "Error";
            }
        }
        const std::string listing = GetKeyInfo(static_cast<std::int16_t>(Indent + 4), subHive);
        text += Spaces(Indent) + subkey + ": " + defaultText + "\r\n" + listing;
    }
    return text;
}

std::string RegValueText(const RegValue& value) {
    if (const auto* s = std::get_if<std::string>(&value)) return *s;
    if (const auto* n = std::get_if<std::int32_t>(&value)) return std::to_string(*n);
    return "";
}

}  // namespace zav
