#include "core/home.h"

#include <cstdlib>
#include <system_error>

#include "core/errors.h"

namespace zav {

namespace fs = std::filesystem;

namespace {
std::optional<std::string> Env(const char* name) {
    const char* v = std::getenv(name);
    if (v == nullptr || *v == '\0') return std::nullopt;
    return std::string(v);
}
}  // namespace

fs::path ResolveHomeFolder(const std::optional<std::string>& option) {
    fs::path home;
    if (option && !option->empty()) {
        home = *option;
    } else if (auto env = Env("ZAVDEPOT_HOME")) {
        home = *env;
    } else if (auto xdg = Env("XDG_DATA_HOME")) {
        home = fs::path(*xdg) / "zavdepot";
    } else if (auto user = Env("HOME")) {
        home = fs::path(*user) / ".local" / "share" / "zavdepot";
    } else {
        home = fs::path(".zavdepot");
    }
    std::error_code ec;
    fs::path absolute = fs::absolute(home, ec);
    return (ec ? home : absolute).lexically_normal();
}

void EnsureFolder(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) throw FileError(ec.value());
    if (!fs::is_directory(folder, ec)) throw RuntimeError(kErrPathNotFound);
}

fs::path ResolveAgainst(const fs::path& base, const std::string& path) {
    fs::path p(path);
    if (p.is_absolute()) return p;
    return base / p;
}

}  // namespace zav
