// clsPalmUsers: a snapshot of the desktop's HotSync users (name and folder), taken when it is created.
// The windows that list units use it; a window that wants a fresh list creates a new object.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "install/hotsync.h"

namespace zav {

class clsPalmUsers {
  public:
    // THROWS RuntimeError(6) when there are more than 255 users (the count is one unsigned byte).
    explicit clsPalmUsers(const HotSyncDesktop& desktop);

    std::int16_t UserCount() const { return count_; }
    // index 1..count: that entry; index 0: the user named `UserName`, read afresh (both "" when there is
    // no such user); any other index leaves both unchanged.
    void GetUserData(std::int16_t index, std::string& UserName, std::string& UserDir) const;
    // Cuts `Text` at its first NUL, stores that back and returns it.
    static std::string CleanZ(std::string& Text);

    // The names of entries 1 to count, in snapshot order (what the windows list).
    std::vector<std::string> Names() const;

  private:
    struct Entry {
        std::string name;
        std::string folder;
    };
    const HotSyncDesktop& desktop_;
    std::uint8_t count_ = 0;
    std::vector<Entry> users_;  // entry k at users_[k - 1]
};

}  // namespace zav
