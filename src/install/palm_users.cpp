#include "install/palm_users.h"

#include "core/errors.h"

namespace zav {

clsPalmUsers::clsPalmUsers(const HotSyncDesktop& desktop) : desktop_(desktop) {
    const std::int32_t count = desktop.UmGetUserCount();
    if (count > 255) throw RuntimeError(kErrOverflow);
    count_ = count > 0 ? static_cast<std::uint8_t>(count) : 0;
    users_.reserve(count_);
    for (int k = 1; k <= count_; ++k) {
        std::int32_t id = 0;
        desktop.UmGetUserID(static_cast<std::int16_t>(k - 1), id);
        std::string name = desktop.UmGetUserName(id);
        std::string folder = desktop.UmGetUserDirectory(id);
        users_.push_back({CleanZ(name), CleanZ(folder)});
    }
}

void clsPalmUsers::GetUserData(std::int16_t index, std::string& UserName, std::string& UserDir) const {
    if (index >= 1 && index <= count_) {
        UserName = users_[static_cast<std::size_t>(index) - 1].name;
        UserDir = users_[static_cast<std::size_t>(index) - 1].folder;
    } else if (index == 0) {
        std::int32_t id = 0;
        desktop_.UmGetIDFromName(UserName, id);
        std::string name = desktop_.UmGetUserName(id);
        std::string folder = desktop_.UmGetUserDirectory(id);
        UserName = CleanZ(name);
        UserDir = CleanZ(folder);
    }
}

std::string clsPalmUsers::CleanZ(std::string& Text) {
    const auto nul = Text.find('\0');
    if (nul != std::string::npos) Text.resize(nul);
    return Text;
}

std::vector<std::string> clsPalmUsers::Names() const {
    std::vector<std::string> names;
    for (const auto& u : users_) names.push_back(u.name);
    return names;
}

}  // namespace zav
