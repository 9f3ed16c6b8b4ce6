// zavdepot route as a user runs it: the real binary on a copy of the demo office and on small sources,
// the database checked with an independent Palm database reader.
#include <gtest/gtest.h>

#include <fstream>

#include "core/file_io.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

// A delimited map: route, sequence, tag, meter type, read type, address.
constexpr const char* kMap =
    "MAPTYPE=2\r\nMAPDELIMITER=,\r\nMAPQUOTE=\r\nRouteNbr=1,0,,,0\r\nSequence=2,0,,,0\r\nMeterTagNbr=3,0,,,0\r\n"
    "MeterType=4,0,,,0\r\nReadType=5,0,,,0\r\nServiceAddress=6,0,,,0\r\nUtilityCode=C,1\r\nMessage=P\r\n";

class CliRouteTest : public testing::Test {
  protected:
    test::TempDir dir;
    fs::path home = dir / "home";

    void SetUp() override {
        fs::copy(fs::path(ZAV_SOURCE_DIR) / "examples" / "demo-home", home, fs::copy_options::recursive);
        WriteFileBytes(home / "T.zcm", kMap);
    }
    // Runs the binary from the test folder; standard output in `out`, standard error in `err`.
    int Run(const std::string& args, std::string* out = nullptr, std::string* err = nullptr) {
        const fs::path errFile = dir / "stderr.txt";
        const std::string cmd = "cd '" + dir.Path().string() + "' && '" + ZAV_BINARY + "' --home '" + home.string() +
                                "' " + args + " </dev/null 2>'" + errFile.string() + "'";
        const int status = test::RunCommand(cmd, out);
        if (err) *err = ReadFileBytes(errFile);
        return status;
    }
    // Drops the start line, whose time and date are the clock's.
    static std::string WithoutStartLine(const std::string& log) {
        const auto at = log.find("Route Conversion Starting ");
        if (at == std::string::npos) return log;
        return log.substr(0, at) + log.substr(log.find('\n', at) + 1);
    }
};

TEST_F(CliRouteTest, DemoOfficeConvertsAndItsSettingsStayAsSaved) {
    std::string out, err;
    ASSERT_EQ(Run("route", &out, &err), 0) << out << err;
    EXPECT_EQ(WithoutStartLine(out),
              "Reading from routes/route-0412.txt\nWriting to RouteZAV.pdb\nUsing Map: Demo Route\n"
              "320 meters written to Route ZAV File\nRoute Conversion Finished\n\n");
    EXPECT_EQ(err, "") << "no progress bar without a terminal";

    // Overrides apply to one run only.
    out.clear();
    ASSERT_EQ(Run("route --destination other.vfs --format vfs", &out, &err), 0) << out << err;
    EXPECT_NE(out.find("Writing to " + (dir / "other.vfs").string() + "\n"), std::string::npos) << out;
    std::string json;
    ASSERT_EQ(Run("view --json other.vfs", &json), 0);
    EXPECT_EQ(json.rfind("{\"container\":\"VFS\"", 0), 0u);
    std::string settings;
    ASSERT_EQ(Run("settings", &settings), 0);
    EXPECT_NE(settings.find("RouteDestination=RouteZAV.pdb\n"), std::string::npos);
    EXPECT_NE(settings.find("RouteZAVType=PDB\n"), std::string::npos);
}

// An independent Palm database reader (Perl's Palm::PDB) loads the demo database: identity, header,
// routes, each route's meters followed by its index records, and the alert record last.
TEST_F(CliRouteTest, DemoDatabaseLoadsInAnIndependentReader) {
    if (std::system("perl -MPalm::PDB -MPalm::Raw -e 1 2>/dev/null") != 0)
        GTEST_FAIL() << "Palm::PDB (Debian package libpalm-perl) is missing: run scripts/install-deps.sh";
    ASSERT_EQ(Run("route"), 0);
    const fs::path script = dir / "dump.pl";
    // Per record: RecType; the header's route and meter counts; each route's ordinal, meter count and
    // number text; the first meter's route ordinal, tag, meter type, read type and last reading date.
    std::ofstream(script) << R"(use Palm::PDB; use Palm::Raw; my $p = Palm::PDB->new; $p->Load($ARGV[0]);
print join('|', $p->{name}, $p->{type}, $p->{creator}), "\n";
my %kinds; my @order; my $meter;
for my $r (@{$p->{records}}) {
  my $d = $r->{data}; my $t = unpack('n', $d);
  push @order, $t unless @order && $order[-1] == $t; $kinds{$t}++;
  if ($t == 0) { print 'header ', join(' ', unpack('N', substr($d, 2, 4)), unpack('N', substr($d, 18, 4)), unpack('C', substr($d, 14, 1))), "\n"; }
  if ($t == 1) { my ($text) = split(/\0/, substr($d, 76)); print 'route ', unpack('N', substr($d, 2, 4)), ' ', unpack('N', substr($d, 18, 4)), " $text\n"; }
  if ($t == 2 && !$meter++) { print 'meter ', join(' ', unpack('N', substr($d, 2, 4)), unpack('N', substr($d, 10, 4)), unpack('C', substr($d, 14, 1)), unpack('C', substr($d, 43, 1)), unpack('N', substr($d, 46, 4))), "\n"; }
}
print 'order ', join(',', @order), "\n";
print 'count ', join(' ', map { "$_:$kinds{$_}" } sort { $a <=> $b } keys %kinds), "\n";
)";
    std::string out;
    ASSERT_EQ(test::RunCommand("perl '" + script.string() + "' '" + (home / "RouteZAV.pdb").string() + "'", &out), 0);
    EXPECT_EQ(out,
              "RouteZAV|DATA|hZVL\n"
              "header 4 320 3\n"
              "route 1 80 0412\nroute 2 80 0413\nroute 3 80 0414\nroute 4 80 0415\n"
              "meter 1 3100439 87 1 20260221\n"
              "order 0,1,2,6,2,6,2,6,2,6,7\n"
              "count 0:1 1:4 2:320 6:20 7:1\n");
}

TEST_F(CliRouteTest, EdgeCasesEndToEnd) {
    struct Case {
        const char* name;
        const char* source;
        int status;
        const char* logEnd;
    } cases[] = {
        {"interleaved",
         "A,1,11,W,R,1 MAIN\r\nB,2,12,W,R,2 MAIN\r\nA,3,13,W,R,3 MAIN\r\nB,4,14,W,R,4 MAIN\r\n"
         "A,5,15,W,R,5 MAIN\r\n",
         0, "5 meters written to Route ZAV File\nRoute Conversion Finished\n\n"},
        {"duplicate tag", "A,1,11,W,R,1 MAIN\r\nA,2,11,W,R,2 MAIN\r\n", 1,
         "Meter Tag Number of 11 is duplicate in Line 2\n   Info: 2 MAIN \nRoute ZAV File NOT created\n"
         "Route Conversion Finished\n\n"},
        {"probe lines share no tag", "A,1,,W,P,1 MAIN\r\nA,2,,W,p,2 MAIN\r\n", 0,
         "2 meters written to Route ZAV File\nRoute Conversion Finished\n\n"},
        {"no meters", "", 1, "The RouteZAV contains no meter records. The RouteZAV file is unusable.\n"},
    };
    for (const auto& c : cases) {
        WriteFileBytes(dir / "route.txt", c.source);
        fs::remove(dir / "out.pdb");
        std::string out, err;
        EXPECT_EQ(Run("route --source route.txt --destination out.pdb --map T --prompt Message=", &out, &err), c.status)
            << c.name << out << err;
        const std::string end = c.logEnd;
        ASSERT_GE(out.size(), end.size()) << c.name;
        EXPECT_EQ(out.substr(out.size() - end.size()), end) << c.name << "\n" << out;
        EXPECT_EQ(err, c.status == 0 ? "" : "Error: Check Log\nConversion Not Complete\n") << c.name;
    }
}

TEST_F(CliRouteTest, QuestionsAndUsageErrors) {
    WriteFileBytes(home / "RouteZAV.pdb", "old");
    std::string out, err;
    EXPECT_EQ(Run("route", &out, &err), 1) << "without a terminal the overwrite question is answered No";
    EXPECT_NE(out.find("Error: Route Destination already exists\n"), std::string::npos) << out;
    EXPECT_EQ(ReadFileBytes(home / "RouteZAV.pdb"), "old");
    out.clear();
    EXPECT_EQ(Run("--no route", &out), 1);
    EXPECT_EQ(ReadFileBytes(home / "RouteZAV.pdb"), "old");
    out.clear();
    EXPECT_EQ(Run("route --yes", &out), 0) << out;
    EXPECT_NE(out.find("Notice: File RouteZAV.pdb overwritten on request\n"), std::string::npos) << out;

    EXPECT_EQ(Run("route --map T --prompt Nothing=1", &out, &err), 2);
    EXPECT_NE(err.find("--prompt Nothing"), std::string::npos) << err;
    EXPECT_EQ(Run("route --format XYZ", &out, &err), 2);
    EXPECT_EQ(Run("route --prompt novalue", &out, &err), 2);
}

}  // namespace
}  // namespace zav
