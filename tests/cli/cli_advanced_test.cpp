#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zav {
namespace {

TEST(CliAdvanced, ShowPrintsSectionsAndWritesNothing) {
    test::TempDir dir;
    const std::string zav = std::string(ZAV_BINARY) + " --home '" + (dir / "home").string() + "' ";
    ASSERT_EQ(test::RunCommand(zav + "registry set Skip NA 'No access'"), 0);
    ASSERT_EQ(test::RunCommand(zav + "registry set OperPrefs AlertTamper 2"), 0);
    std::string out;
    ASSERT_EQ(test::RunCommand(zav + "advanced show", &out), 0);
    EXPECT_NE(out.find("[Skips]\n  NA  \"No access\"\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Address tokens:\n  RD, ST, LN, CT, BLVD, CIR, AVE\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Tamper: 2 (popup message)\n"), std::string::npos) << out;
    std::string listing;
    ASSERT_EQ(test::RunCommand(zav + "registry list", &listing), 0);
    EXPECT_EQ(listing.find("Token"), std::string::npos) << "default tokens must not be saved by a read-only command";
}

}  // namespace
}  // namespace zav
