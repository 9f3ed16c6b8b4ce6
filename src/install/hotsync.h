// The HotSync users and install folders of this desktop, kept as plain folders in the home folder:
// <home>/hotsync/<user name>/ is one user's folder and its Install/ subfolder the install folder.
// A file copied into Install/ reaches the unit at its next HotSync.
//
// HotSyncDesktop offers the calls the installer classes make of the desktop's HotSync software, with
// the results they rely on. User IDs are positions (from 1) in the users' name order at the time of
// the call; 0 is no user.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zav {

// Results of scheduling and withdrawing files.
enum PltResult : std::int16_t {
    kPltOk = 0,
    kPltAlreadyScheduled = -512,  // a file of that name already waits in the install folder
    kPltNotFound = -513,          // the file to schedule (or to withdraw) is not there
    kPltNotWithdrawn = -523,      // no such user, the file could not be deleted, or the file named is the
                                  // scheduled copy itself (deleting it would lose the only copy)
};

// Results of registering a conduit.
enum ConduitResult : std::int16_t {
    kConduitOk = 0,
    kConduitAlreadyInstalled = -1005,
    kConduitNotFound = -1204,
};

// True when `name` can be a user's folder: not empty, no path separator, no "..", no control
// character, not starting with "." (hidden folders are not users).
bool IsValidUserName(const std::string& name);

class HotSyncDesktop {
  public:
    explicit HotSyncDesktop(std::filesystem::path home);

    const std::filesystem::path& Home() const { return home_; }
    // <home>/hotsync: one folder per user.
    std::filesystem::path UsersFolder() const { return home_ / "hotsync"; }

    // The number of users (0 when there are none).
    std::int32_t UmGetUserCount() const;
    // Sets `id` to the ID of the index-th user (from 0), or 0 when there is no such user.
    void UmGetUserID(std::int16_t index, std::int32_t& id) const;
    // The user's name / folder; "" for an unknown ID.
    std::string UmGetUserName(std::int32_t id) const;
    std::string UmGetUserDirectory(std::int32_t id) const;
    // Sets `id` to the ID of the user of that name (the exact name, else the name without regard to
    // case), or 0 when there is none.
    void UmGetIDFromName(const std::string& name, std::int32_t& id) const;
    // Adds the user (its folder and install folder) unless a user of that name exists. Returns 0 when
    // added, 1 when it existed. THROWS RuntimeError for a name that cannot be a folder name, or when the
    // folders cannot be created.
    std::int32_t UmAddUser(const std::string& name, std::int32_t flags);

    // Copies `file` (relative paths resolve against the home folder) into the user's install folder.
    // kPltOk, kPltAlreadyScheduled, kPltNotFound (no such file), kPltNotWithdrawn (no such user).
    // The copy appears under its final name only when complete. THROWS RuntimeError when the copy fails.
    std::int16_t PltInstallFile(const std::string& user, const std::string& file);
    // Whether the copy of the name of `file` waiting in the user's install folder holds the same bytes as
    // `file`; empty when no file of that name waits (or there is no such user, or `file` is missing).
    // THROWS RuntimeError when a file cannot be read.
    std::optional<bool> ScheduledCopyMatches(const std::string& user, const std::string& file) const;
    // Deletes the scheduled file of the name of `file` from the user's install folder.
    // kPltOk, kPltNotFound (nothing of that name waits), kPltNotWithdrawn.
    std::int16_t PltRemoveInstallFile(const std::string& user, const std::string& file);

    // Registers a conduit: records it under <home>/hotsync/.conduits/<creator ID>. kConduitOk,
    // kConduitAlreadyInstalled, or kConduitNotFound when the conduit file is not in `conduitFolder` or
    // the creator ID cannot name a file.
    std::int16_t InstallConduit(const std::string& programFolder, const std::string& creatorId,
                                const std::string& conduitFolder, const std::string& conduitFile,
                                const std::string& remoteDb, const std::string& directory, const std::string& file,
                                const std::string& conduitName, std::int32_t priority, const std::string& info);

  private:
    // The users' names in name order (without regard to case).
    std::vector<std::string> UserNames() const;
    // The folder of the user of that name (exact, else without regard to case).
    std::optional<std::filesystem::path> UserFolder(const std::string& name) const;
    // The entry of the install folder whose name equals `fileName` without regard to case.
    static std::optional<std::filesystem::path> ScheduledEntry(const std::filesystem::path& installFolder,
                                                               const std::string& fileName);

    std::filesystem::path home_;
};

}  // namespace zav
