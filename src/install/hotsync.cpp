#include "install/hotsync.h"

#include <algorithm>
#include <system_error>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/home.h"
#include "core/text.h"

namespace zav {

namespace fs = std::filesystem;

namespace {

constexpr const char* kInstallFolder = "Install";
constexpr const char* kConduitFolder = ".conduits";

bool LessNoCase(const std::string& a, const std::string& b) {
    const std::string ua = UCase(a);
    const std::string ub = UCase(b);
    return ua != ub ? ua < ub : a < b;
}

}  // namespace

bool IsValidUserName(const std::string& name) {
    if (Trim(name).empty() || name.front() == '.' || name.find("..") != std::string::npos) return false;
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20; });
}

HotSyncDesktop::HotSyncDesktop(fs::path home) : home_(std::move(home)) {}

std::vector<std::string> HotSyncDesktop::UserNames() const {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(UsersFolder(), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeEc;
        if (!it->is_directory(typeEc)) continue;
        std::string name = it->path().filename().string();
        if (IsValidUserName(name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), LessNoCase);
    return names;
}

std::optional<fs::path> HotSyncDesktop::UserFolder(const std::string& name) const {
    std::int32_t id = 0;
    UmGetIDFromName(name, id);
    if (id == 0) return std::nullopt;
    return UsersFolder() / UmGetUserName(id);
}

std::int32_t HotSyncDesktop::UmGetUserCount() const { return static_cast<std::int32_t>(UserNames().size()); }

void HotSyncDesktop::UmGetUserID(std::int16_t index, std::int32_t& id) const {
    const auto count = UmGetUserCount();
    id = index >= 0 && index < count ? index + 1 : 0;
}

std::string HotSyncDesktop::UmGetUserName(std::int32_t id) const {
    const auto names = UserNames();
    if (id < 1 || static_cast<std::size_t>(id) > names.size()) return "";
    return names[static_cast<std::size_t>(id) - 1];
}

std::string HotSyncDesktop::UmGetUserDirectory(std::int32_t id) const {
    const std::string name = UmGetUserName(id);
    return name.empty() ? "" : (UsersFolder() / name).string();
}

void HotSyncDesktop::UmGetIDFromName(const std::string& name, std::int32_t& id) const {
    id = 0;
    const auto names = UserNames();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name) {
            id = static_cast<std::int32_t>(i + 1);
            return;
        }
        if (id == 0 && EqualsNoCase(names[i], name)) id = static_cast<std::int32_t>(i + 1);
    }
}

std::int32_t HotSyncDesktop::UmAddUser(const std::string& name, std::int32_t) {
    if (!IsValidUserName(name)) throw RuntimeError(kErrBadFileName, "Invalid unit name: \"" + name + "\"");
    if (const auto folder = UserFolder(name)) {
        EnsureFolder(*folder / kInstallFolder);
        return 1;
    }
    EnsureFolder(UsersFolder() / name / kInstallFolder);
    return 0;
}

std::optional<fs::path> HotSyncDesktop::ScheduledEntry(const fs::path& installFolder, const std::string& fileName) {
    std::error_code ec;
    for (fs::directory_iterator it(installFolder, ec), end; !ec && it != end; it.increment(ec)) {
        if (EqualsNoCase(it->path().filename().string(), fileName)) return it->path();
    }
    return std::nullopt;
}

std::int16_t HotSyncDesktop::PltInstallFile(const std::string& user, const std::string& file) {
    const auto folder = UserFolder(user);
    if (!folder) return kPltNotWithdrawn;
    const fs::path source = ResolveAgainst(home_, file);
    std::error_code ec;
    if (!fs::is_regular_file(source, ec)) return kPltNotFound;
    const std::string name = source.filename().string();
    const fs::path install = *folder / kInstallFolder;
    EnsureFolder(install);
    if (ScheduledEntry(install, name)) return kPltAlreadyScheduled;

    // Copy under a hidden name first, so a HotSync never meets a half-written file.
    const fs::path partial = install / ("." + name + ".partial");
    fs::copy_file(source, partial, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(partial, install / name, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        throw FileError(ec.value());
    }
    return kPltOk;
}

std::optional<bool> HotSyncDesktop::ScheduledCopyMatches(const std::string& user, const std::string& file) const {
    const auto folder = UserFolder(user);
    if (!folder) return std::nullopt;
    const fs::path source = ResolveAgainst(home_, file);
    const auto entry = ScheduledEntry(*folder / kInstallFolder, source.filename().string());
    std::error_code ec;
    if (!entry || !fs::is_regular_file(*entry, ec) || !fs::is_regular_file(source, ec)) return std::nullopt;
    return ReadFileBytes(source) == ReadFileBytes(*entry);
}

std::int16_t HotSyncDesktop::PltRemoveInstallFile(const std::string& user, const std::string& file) {
    const auto folder = UserFolder(user);
    if (!folder) return kPltNotWithdrawn;
    const fs::path named = ResolveAgainst(home_, file);
    const std::string name = named.filename().string();
    if (name.empty()) return kPltNotFound;
    const auto entry = ScheduledEntry(*folder / kInstallFolder, name);
    if (!entry) return kPltNotFound;
    std::error_code ec;
    if (fs::equivalent(named, *entry, ec)) return kPltNotWithdrawn;
    if (!fs::remove(*entry, ec) || ec) return kPltNotWithdrawn;
    return kPltOk;
}

std::int16_t HotSyncDesktop::InstallConduit(const std::string&, const std::string& creatorId,
                                            const std::string& conduitFolder, const std::string& conduitFile,
                                            const std::string&, const std::string&, const std::string&,
                                            const std::string& conduitName, std::int32_t priority,
                                            const std::string& info) {
    std::error_code ec;
    if (!IsValidUserName(creatorId) || !fs::is_regular_file(ResolveAgainst(conduitFolder, conduitFile), ec))
        return kConduitNotFound;
    const fs::path folder = UsersFolder() / kConduitFolder;
    EnsureFolder(folder);
    const fs::path record = folder / creatorId;
    if (fs::exists(record, ec)) return kConduitAlreadyInstalled;
    WriteFileBytes(record, "File=" + conduitFile + "\r\nName=" + conduitName +
                               "\r\nPriority=" + std::to_string(priority) + "\r\nInfo=" + info + "\r\n");
    return kConduitOk;
}

}  // namespace zav
