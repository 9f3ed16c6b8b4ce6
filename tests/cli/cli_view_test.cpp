// zavdepot view: the routes and meters of a database, its JSON form, and damaged files.
#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zav {
namespace {

class CliViewTest : public testing::Test {
  protected:
    test::TempDir dir;

    int Run(const std::string& args, std::string* out = nullptr) {
        const std::string cmd =
            std::string(ZAV_BINARY) + " --home '" + (dir / "home").string() + "' " + args + " </dev/null 2>&1";
        return test::RunCommand(cmd, out);
    }
    static std::string Fixture(const char* name) {
        return "'" + (std::filesystem::path(ZAV_FIXTURES) / "zav" / name).string() + "'";
    }
};

TEST_F(CliViewTest, RoutesWithTheirMeters) {
    std::string out;
    ASSERT_EQ(Run("view " + Fixture("readings_v2.pdb"), &out), 0) << out;
    const std::string expectedStart =
        "Index\tRoute\tMeters\tFirst Read\tLast Read\n"
        "1\t0101\t2\t0\t0\n"
        "\tSequence\tMeterTagNbr\tMeterType\tDigits\tDecimals\tReserved1\tPrvReading\t";
    EXPECT_EQ(out.substr(0, expectedStart.size()), expectedStart);
    EXPECT_NE(
        out.find("\n\t10\t5001\t1\t5\t0\t0\t1200\t99999\t0\t1234\t20240109\t143000\t1\t2\t0\t0\t0\t1\t0\t0\t0\t1\t0"
                 "\t\t\tJB\t\tDog in yard\t12 Elm St\tCaf\xc3\xa9 \"Owner\"\t\t\t\t\t\t\t\t\n"),
        std::string::npos)
        << out;
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 5);
}

TEST_F(CliViewTest, JsonOfEveryRecord) {
    std::string out;
    ASSERT_EQ(Run("view --json " + Fixture("readings_v2.pdb"), &out), 0) << out;
    EXPECT_EQ(out.rfind("{\"container\":\"PDB\",\"title\":\"ReadingZAV\",\"creator\":\"hZVL\",\"type\":\"DATA\","
                        "\"version\":2,\"records\":[{\"RecType\":0,\"fields\":{",
                        0),
              0u)
        << out;
    const std::string end = "},{\"RecType\":6,\"hex\":\"0006000100020003\"}]}\n";
    ASSERT_GT(out.size(), end.size());
    EXPECT_EQ(out.substr(out.size() - end.size()), end);
}

TEST_F(CliViewTest, DamagedFilesExitWithOne) {
    for (const char* name : {"bad_header_short.pdb", "bad_count_beyond_list.pdb", "bad_offset_past_end.pdb",
                             "bad_offset_backwards.pdb", "bad_vfs_length_past_end.vfs", "missing.pdb"}) {
        for (const char* json : {"", "--json "}) {
            std::string out;
            EXPECT_EQ(Run(std::string("view ") + json + Fixture(name), &out), 1) << name;
            EXPECT_EQ(out, "Error: Could not read ZAV file\n") << name;
        }
    }
    EXPECT_EQ(Run("view"), 2);
}

}  // namespace
}  // namespace zav
