// The demo office in both directions: its route file into a route database, simulated readings of
// every meter, and those readings into the upload, orphan and re-read files. The readings database in
// examples/demo-home and the golden files in tests/fixtures/demo are compared byte for byte (the clock
// is fixed); scripts/make-demo-readings.sh writes them again after an intended change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "advanced/advanced.h"
#include "core/clock.h"
#include "core/file_io.h"
#include "core/number.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "exchange/host_converters.h"
#include "exchange/prompts.h"
#include "support/fake_frontend.h"
#include "support/simulated_readings.h"
#include "support/temp_dir.h"
#include "zav/zav.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

const fs::path kDemoHome = fs::path(ZAV_SOURCE_DIR) / "examples" / "demo-home";
const fs::path kGolden = fs::path(ZAV_SOURCE_DIR) / "tests" / "fixtures" / "demo";

// 10 March 2026, 17:45:00 local time: the evening the handheld came back.
std::time_t DemoTime() {
    std::tm t{};
    t.tm_year = 126;
    t.tm_mon = 2;
    t.tm_mday = 10;
    t.tm_hour = 17;
    t.tm_min = 45;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) text += l + "\n";
    return text;
}

bool Regenerate() { return std::getenv("ZAV_REGENERATE_DEMO") != nullptr; }

// Compares `actual` with the committed file, or writes it there when regenerating.
void ExpectSameAsCommitted(const fs::path& actual, const fs::path& committed) {
    const std::string bytes = ReadFileBytes(actual);
    if (Regenerate()) {
        WriteFileBytes(committed, bytes);
        return;
    }
    ASSERT_TRUE(fs::exists(committed)) << committed;
    EXPECT_TRUE(ReadFileBytes(committed) == bytes)
        << committed << " differs from " << actual << " (scripts/make-demo-readings.sh writes it again)";
}

class DemoReadingsTest : public testing::Test {
  protected:
    test::TempDir home;
    test::FakeFrontend ui;
    ScopedFrontend scoped{ui};
    ScopedFixedClock clock{DemoTime()};

    void SetUp() override {
        Prompts().Clear();
        fs::copy(kDemoHome, home.Path(), fs::copy_options::recursive);
    }
    ~DemoReadingsTest() override {
        ReleaseSharedAdvanced();
        RegisterHostFormatConverters({});
    }
};

TEST_F(DemoReadingsTest, RouteToReadingsToUploadRoundTrip) {
    RegistryStore store(home / "registry.sqlite3");
    struct Release {  // the shared advanced options go while their store is open
        ~Release() { ReleaseSharedAdvanced(); }
    } release;
    clsExchange ex(store);
    ex.LoadSettings();
    ex.HomeFolder = home.Path();

    // The demo route as the handheld takes it out, and back with the day's readings.
    ASSERT_TRUE(ex.ConvertRoute()) << Join(ui.log);
    test::SimulateReadings(home / "RouteZAV.pdb", home / "simulated.pdb");
    ExpectSameAsCommitted(home / "simulated.pdb", kDemoHome / "ReadingZAV.pdb");
    fs::copy_file(home / "simulated.pdb", home / ex.ReadingSource, fs::copy_options::overwrite_existing);

    ui.log.clear();
    ui.yesNoAnswers = {true, true};  // whatever the demo office holds is replaced
    ASSERT_TRUE(ex.ConvertReading()) << Join(ui.log);
    ExpectSameAsCommitted(home / "upload" / "readings.txt", kGolden / "readings.txt");
    ExpectSameAsCommitted(home / "upload" / "orphans.txt", kGolden / "orphans.txt");
    ExpectSameAsCommitted(home / ex.ReReadDestination, kGolden / "ReReadZAV.pdb");

    // Every meter of the route has its line, in route order, with what the reading map asks for.
    clsZAV route;
    ASSERT_FALSE(route.OpenZAVWithFileVersion(home / "RouteZAV.pdb"));
    const std::string upload = ReadFileBytes(home / "upload" / "readings.txt");
    LineSplitter lines(upload);
    std::vector<std::string> routeIds;
    std::int32_t n = 0, exceptions = 0;
    auto number = [&](const char* name) { return static_cast<std::int32_t>(ValueNumber(route.Item(name))); };
    while (route.ReadData()) {
        if (route.RecType() == kRecRoute) routeIds.push_back(ValueText(route.Item("Initials")));
        if (route.RecType() != kRecMeter) continue;
        ++n;
        std::string_view line;
        ASSERT_TRUE(lines.Next(line)) << "meter " << n;
        ASSERT_EQ(line.size(), 100u);
        const std::int32_t tag = number("MeterTagNbr");
        const bool read = n % 17 != 0;
        std::int32_t raw =
            read ? test::ExpectedReading(number("PrvReading"), number("MinReading"), number("MaxReading"), tag) : 0;
        if (read && n % 13 == 0) raw = number("MaxReading") + 1 + n;
        if (!read || raw < number("MinReading") || raw > number("MaxReading")) ++exceptions;
        std::int32_t reading = raw;  // as the host counts it: only the dial's digits
        if (number("Digits") > 0) reading %= static_cast<std::int32_t>(std::pow(10, number("Digits")));
        EXPECT_EQ(std::string(line.substr(0, 4)), routeIds.at(static_cast<std::size_t>(number("RouteNbr")) - 1));
        EXPECT_EQ(Val(line.substr(4, 5)), number("Sequence")) << line;
        EXPECT_EQ(Val(line.substr(9, 8)), tag) << line;
        EXPECT_EQ(Val(line.substr(17, 9)), reading) << line;
        EXPECT_EQ(std::string(line.substr(26, 8)), read ? "03102026" : "00000000") << line;
        EXPECT_EQ(line.substr(40, 1), read ? "1" : "0") << line;
        EXPECT_EQ(line.substr(41, 1), std::string(1, "?RMP"[number("ReadType") & 3])) << line;
        EXPECT_EQ(std::string(Trim(line.substr(51, 10))), ValueText(route.Item("ServiceUniqueID"))) << line;
        EXPECT_EQ(std::string(Trim(line.substr(71))), read && n % 11 == 0 ? "LOCKED GATE" : "") << line;
    }
    std::string_view rest;
    EXPECT_FALSE(lines.Next(rest));
    EXPECT_EQ(n, 320);
    EXPECT_EQ(ReadFileBytes(home / "upload" / "orphans.txt"),
              "88000101,4521,2026/03/10,09:15:00,0,20200104,20200113,0,0\r\n"
              "88000102,120,2026/03/10,10:12:30,0,20200121,20200128,20200117,0\r\n"
              "88000103,99871,2026/03/10,13:45:02,0,20200104,0,0,0\r\n");
    EXPECT_NE(std::find(ui.log.begin(), ui.log.end(),
                        "Notice: ReRead File prepared with " + std::to_string(exceptions) + " Meters"),
              ui.log.end())
        << Join(ui.log);
}

}  // namespace
}  // namespace zav
