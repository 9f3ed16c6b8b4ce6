// The command line's process: it loads no Qt library, so every command starts fast and runs without a
// display; the desktop application is its own executable.
#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace zav {
namespace {

TEST(CommandLineProcess, LinksNoQtLibrary) {
    std::string out;
    ASSERT_EQ(test::RunCommand("ldd '" + std::string(ZAV_BINARY) + "' 2>&1", &out), 0) << out;
    EXPECT_NE(out.find("libc.so"), std::string::npos) << out;
    EXPECT_EQ(out.find("libQt"), std::string::npos) << out;
}

}  // namespace
}  // namespace zav
