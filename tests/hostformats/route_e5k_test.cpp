// The E5000 route conversion through the route driver.
#include "hostformats/host_conversion_support.h"

namespace zav::test {
namespace {

// Route "R0000042" holding the records `body` adds.
DownloadFile E5KRoute(const std::function<void(DownloadFile&)>& body) {
    DownloadFile f = E5KFile();
    f.Add("F", {{"Route", std::string("R0000042")}});
    body(f);
    f.Add("Z", {{"Route", std::string("R0000042")}, {"NumberofAccounts", 7}, {"NumberofMeters", 2}});
    return f;
}

void Account(DownloadFile& f, const std::string& number, std::int32_t sequence, const std::string& instruction = "") {
    f.Add("A", {{"AccountNumber", number}, {"MeterSequenceNumber", sequence}, {"SpecialInstruction", instruction}});
    f.Add("B", {{"CustomerName", std::string("NORTH, ALMA")}, {"Address", std::string("7 HILL ROAD")}});
}

void Meter(DownloadFile& f, const std::string& serial, std::int32_t prior = 3120) {
    f.Add("H", {{"RelativeMeterNumber", std::string("01")},
                {"MeterSerialNumber", serial},
                {"NumberofDials", 5},
                {"MinimumRead", prior + 5},
                {"MaximumRead", prior + 800},
                {"PriorRead", prior},
                {"MeterType", std::string("W")},
                {"MeterSize", 20},
                {"NoDecimals", 1}});
}

TEST_F(HostConversionTest, E5000RouteWritesOneRecordPerMeter) {
    const DownloadFile f = E5KRoute([](DownloadFile& f) {
        Account(f, "4200000001", 10, "SI");
        f.Add("E", {{"CustomerAddressLotandPlan", std::string("LOT 4")}});
        f.Add("C", {{"RecordCategory", std::string("02")}, {"PropertyVGKey", std::string("VG42")}});
        Meter(f, "00012345");
        f.Add("K01", {{"PropertyLocationDesc1", std::string("FRONT")}, {"MeterLocationDesc1", std::string("BY GATE")}});
        f.Add("L", {{"Location", std::string("BEHIND GARAGE")}});
        f.Add("D", {{"SpecialInstructions", std::string("BEWARE OF DOG")}});
        Meter(f, "A1234", 880);
        f.Add("K05", {{"MeterLocationDesc2", std::string("REAR")}});
        Account(f, "4200000002", 20);
        Account(f, "4200000003", 30);  // accounts without meters write nothing
    });
    ASSERT_TRUE(ConvertRoute(f, "E5000"));
    EXPECT_EQ(ConversionLog(), (Lines{"2 meters written to Route ZAV File", "Route Conversion Finished", ""}));
    const auto records = Route();
    EXPECT_EQ(records[0].Text("User1"), "0");
    EXPECT_EQ(records[0].Num("PrvReading"), 2);
    const auto routes = OfType(records, kRecRoute);
    ASSERT_EQ(routes.size(), 1u);
    EXPECT_EQ(routes[0].Text("Initials"), "R0000042");
    EXPECT_EQ(routes[0].Num("PrvReading"), 2);
    EXPECT_EQ(routes[0].Text("User1"), "7");

    const auto meters = Meters();
    ASSERT_EQ(meters.size(), 2u);
    const DbRecord& first = meters[0];
    EXPECT_EQ(first.Num("Sequence"), 10);
    EXPECT_EQ(first.Num("MeterTagNbr"), 12345);
    EXPECT_EQ(first.Num("ReadType"), 1);
    EXPECT_EQ(first.Num("MeterType"), 1);
    EXPECT_EQ(first.Num("Digits"), 5);
    EXPECT_EQ(first.Num("Decimals"), 1);
    EXPECT_EQ(first.Num("PrvReading"), 3120);
    EXPECT_EQ(first.Num("MaxReading"), 3920);
    EXPECT_EQ(first.Num("MinReading"), 3125);
    EXPECT_EQ(first.Text("Message"), "Billing: SI  BY GATE");
    EXPECT_EQ(first.Text("ServiceAddress"), "7 HILL ROAD LOT 4 BEHIND GARAGE");
    EXPECT_EQ(first.Text("BillingName"), "NORTH, ALMA");
    EXPECT_EQ(first.Text("ServiceUniqueID"), "4200000001");
    EXPECT_EQ(first.Text("MeterSerialNbr"), "00012345  ");
    EXPECT_EQ(first.Text("User1"), "VG42");
    EXPECT_EQ(first.Text("User2"), "01");
    EXPECT_EQ(first.Text("User3"), "20");
    // The "D" record ended the first meter and belongs to the second, which shares the account's sequence.
    const DbRecord& second = meters[1];
    EXPECT_EQ(second.Num("Sequence"), 10);
    EXPECT_EQ(second.Num("MeterTagNbr"), 0);
    EXPECT_EQ(second.Num("ReadType"), 2);
    EXPECT_EQ(second.Text("Message"), "Billing: SI BEWARE OF DOG  REAR");
    EXPECT_EQ(second.Text("ServiceAddress"), "7 HILL ROAD LOT 4");
}

TEST_F(HostConversionTest, E5000UnknownLinesAreWarningsAndDuplicateSerialsProblems) {
    const DownloadFile f = E5KRoute([](DownloadFile& f) {
        Account(f, "1", 1);
        Meter(f, "00012345");
        f.Raw("X unknown");
        Account(f, "2", 2);
        Meter(f, " 00012345");
    });
    EXPECT_FALSE(ConvertRoute(f, "E5000"));
    EXPECT_EQ(ConversionLog(),
              (Lines{"Error: Unknown record type 'X' at line 5", "Meter Tag Number of 00012345 is duplicate in Line 8",
                     "   Info: NORTH, ALMA 7 HILL ROAD", "Route ZAV File NOT created",
                     "Problems encountered; Route file unusable", ""}));
    EXPECT_EQ(Meters().size(), 2u);

    ui.log.clear();
    std::filesystem::remove(dir / "RouteZAV.pdb");
    const DownloadFile warned = E5KRoute([](DownloadFile& f) {
        Account(f, "1", 1);
        Meter(f, "00012345");
        f.Raw("X unknown");
    });
    EXPECT_TRUE(ConvertRoute(warned, "E5000"));
    EXPECT_EQ(ConversionLog(), (Lines{"Error: Unknown record type 'X' at line 5", "1 meters written to Route ZAV File",
                                      "Route Conversion Finished with Warnings", ""}));
}

}  // namespace
}  // namespace zav::test
