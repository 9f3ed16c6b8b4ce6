#include "support/temp_dir.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace zav::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zavdepot-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

int RunCommand(const std::string& command, std::string* out) {
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return -1;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        if (out) out->append(buf, n);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace zav::test
