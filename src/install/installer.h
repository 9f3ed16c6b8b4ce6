// clsInstaller: schedules a file for installation on a unit at its next HotSync, withdraws such a
// schedule, and registers conduits. Reports the outcomes that need the user's attention in message
// boxes titled with the application's title.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "install/hotsync.h"

namespace zav {

class clsInstaller {
  public:
    explicit clsInstaller(HotSyncDesktop& desktop) : desktop_(desktop) {}

    // The number of users, asked afresh; 0 when there are none.
    std::int16_t UserCount() const;
    // The users' names in the desktop's order.
    std::vector<std::string> UserNames() const;

    // Schedules `PrcFile` for `User` (a bare name or relative path names a file in the home folder).
    // A different file of the same name still waiting is replaced (after saying so); an identical one
    // stays. Returns 0 on success, also when the file was already scheduled (after saying so); -513 when the
    // file is not found; any other code after "Undefined error: ...". `libraryCode`, when given,
    // receives the scheduling call's own code: 0 only when this call copied the file.
    std::int16_t PRC(const std::string& User, const std::string& PrcFile, std::int16_t* libraryCode = nullptr);
    // Withdraws a schedule of `PrcFile` for `User`: 0 when withdrawn (or "already scheduled"), -513 and
    // -523 without a message, any other code after "Undefined error: ...".
    std::int16_t RemovePRC(const std::string& User, const std::string& PrcFile);
    // Registers a HotSync conduit and reports the outcome in a message box; returns the result code.
    std::int16_t Conduit(const std::string& CreatorID, const std::string& ConduitFile, const std::string& ConduitName,
                         const std::string& CopyrightInfo);

  private:
    HotSyncDesktop& desktop_;
};

}  // namespace zav
