// The MVRS route conversion through the route driver: the records it writes, special radio processing,
// radio tags and their duplicates, and the file faults it reports instead of converting half a file.
#include "hostformats/date_serial.h"
#include "hostformats/host_conversion_support.h"

namespace zav::test {
namespace {

// A cycle whose first route ("00000101") holds the records `body` adds.
DownloadFile Cycle(const std::function<void(DownloadFile&)>& body, std::int32_t routes = 1) {
    DownloadFile f = MVRSFile();
    f.Add("FHD", {{"NumberCycles", 1}});
    f.Add("CHD", {{"CycleNumber", 1}, {"NumberRoutes", routes}, {"CycleDate", DateSerial(2026, 3, 15)}});
    f.Add("RHD", {{"RouteNumber", std::string("00000101")},
                  {"NumberCustomerRecords", 1},
                  {"NumberMeterRecords", 1},
                  {"Region", std::string("R1")},
                  {"Zone", std::string("Z3")},
                  {"Office", std::string("O5")},
                  {"NumberRemoteWandReads", 2}});
    body(f);
    f.Add("RTR", {{"RouteNumber", std::string("00000101")}});
    f.Add("CTR").Add("FTR");
    return f;
}

void Customer(DownloadFile& f, const std::string& account, const std::string& name = "SMITH, ANN",
              const std::string& address = "12 ELM ST") {
    f.Add("CUS", {{"Account", account},
                  {"Name", name},
                  {"Address1", address},
                  {"Address2", std::string("APT 4")},
                  {"GroupCode", std::string("A")},
                  {"ExtraIndicator", std::string("N")},
                  {"SegmentCode", std::string("SEG1")},
                  {"UtilityID", std::string("07")},
                  {"PassThru", std::string("P")},
                  {"CustomerInfo", std::string("GATE 12")}});
}

void Meter(DownloadFile& f, const std::string& number, const std::string& method = "K", std::int32_t sequence = 10) {
    f.Add("MTR", {{"MeterNumber", number},
                  {"MeterType", 1},
                  {"ReadSequence", sequence},
                  {"MeterCategory", std::string("W")},
                  {"MeterLocation", std::string("03")},
                  {"ReadInstruction1", 11},
                  {"GroupCode", std::string("M")}});
    f.Add("RDG", {{"NumberDials", 6},
                  {"NumberDecimals", 1},
                  {"ReadMethod", method},
                  {"PreviousReading", 4521},
                  {"High1", 5400},
                  {"Low1", 4530},
                  {"TextPrompt", std::string("KWH")},
                  {"CompareCode", 5}});
}

TEST_F(HostConversionTest, MVRSRouteWritesHeaderRouteAndMeterRecords) {
    const DownloadFile f = Cycle([](DownloadFile& f) {
        Customer(f, "100-0001");
        f.Add("CSX", {{"Name", std::string("SMITH, JOHN")}, {"Address3", std::string("SPRINGFIELD")}});
        Meter(f, "M-1");
        f.Add("MTS", {{"SpecialMessageText", std::string("DOG IN YARD")}});
        f.Add("RTS", {{"SurveyText1", std::string("SURVEY")}});
    });
    ASSERT_TRUE(ConvertRoute(f, "MVRS"));
    EXPECT_EQ(ConversionLog(), (Lines{"1 meters written to Route ZAV File", "Route Conversion Finished", ""}));
    EXPECT_NE(std::find(ui.log.begin(), ui.log.end(), "Notice: Special radio processing option is enabled"),
              ui.log.end());

    const auto records = Route();
    ASSERT_GE(records.size(), 3u);
    const DbRecord& header = records[0];
    EXPECT_EQ(header.recType, kRecHeader);
    EXPECT_EQ(header.Num("RouteNbr"), 1);
    EXPECT_EQ(header.Num("PrvReading"), 1);
    EXPECT_EQ(header.Text("Initials"), "ZAV loaded from route.dat");
    EXPECT_EQ(header.Text("User1"), "1~1");
    const DbRecord& route = records[1];
    EXPECT_EQ(route.recType, kRecRoute);
    EXPECT_EQ(route.Text("Initials"), "00000101");
    EXPECT_EQ(route.Text("ResponseText"), "00000101");
    EXPECT_EQ(route.Num("PrvReading"), 1);
    EXPECT_EQ(route.Text("User1"), "R1~Z3~O5~03/15/2026~2");

    const auto meters = Meters();
    ASSERT_EQ(meters.size(), 1u);
    const DbRecord& m = meters[0];
    EXPECT_EQ(m.Num("RouteNbr"), 1);
    EXPECT_EQ(m.Num("Sequence"), 10);
    EXPECT_EQ(m.Num("MeterTagNbr"), 0);
    EXPECT_EQ(m.Num("MeterType"), 1);
    EXPECT_EQ(m.Num("Digits"), 6);
    EXPECT_EQ(m.Num("Decimals"), 1);
    EXPECT_EQ(m.Num("PrvReading"), 4521);
    EXPECT_EQ(m.Num("MaxReading"), 5400);
    EXPECT_EQ(m.Num("MinReading"), 4530);
    EXPECT_EQ(m.Num("ReadType"), 2);
    EXPECT_EQ(m.Num("UtilityCode"), 7);
    EXPECT_EQ(m.Text("Message"), "Billing: DOG IN YARD");
    EXPECT_EQ(m.Text("ServiceAddress"), "12 ELM ST           APT 4               SPRINGFIELD");
    EXPECT_EQ(m.Text("BillingName"), "SMITH, ANN          SMITH, JOHN");
    EXPECT_EQ(m.Text("ServiceUniqueID"), "100-0001" + std::string(12, ' '));
    EXPECT_EQ(m.Text("MeterSerialNbr"), "M-1" + std::string(9, ' '));
    EXPECT_EQ(m.User(1),
              (Lines{"0", "100-0001" + std::string(12, ' '), "A", "N", "SEG1", "P", "GATE 12" + std::string(13, ' ')}));
    const Lines user2 = m.User(2);
    ASSERT_EQ(user2.size(), 15u);
    EXPECT_EQ(user2[0], "M");
    EXPECT_EQ(user2[6], "1");   // MeterType
    EXPECT_EQ(user2[7], "3");   // MeterLocation
    EXPECT_EQ(user2[8], "11");  // ReadInstruction1
    EXPECT_EQ(user2[11], "SURVEY" + std::string(34, ' '));
    EXPECT_EQ(user2[14], "10");
    EXPECT_EQ(m.User(3), (Lines{"KWH ", " ", "5", "0", "K", "0", "0", "0", "1"}));
    EXPECT_EQ(m.User(4), (Lines{"0", "", "", "", "", ""}));
    EXPECT_EQ(m.User(5), (Lines{"DOG IN YARD" + std::string(89, ' ')}));
}

TEST_F(HostConversionTest, MVRSSpecialRadioTakesEightDigitMeterNumbersAsTags) {
    struct Case {
        std::string map, number;
        std::int32_t tag, readType;
        std::string method;
    };
    const Case cases[] = {
        {"MVRS", "12345678", 12345678, 1, "R"},
        {"MVRS", "1234567A", 0, 2, "K"},
        {"MVRS", "123456789", 0, 2, "K"},
        {"MVRS", "  12345678  ", 12345678, 1, "R"},
        {"Plain MVRS", "12345678", 0, 2, "K"},
        // Only eight decimal digits: no other number form that reads as a number is a tag.
        {"MVRS", "&H123456", 0, 2, "K"},
        {"MVRS", "1.5E+007", 0, 2, "K"},
        {"MVRS", "+1234567", 0, 2, "K"},
        {"MVRS", "1234567.", 0, 2, "K"},
        {"MVRS", "-1234567", 0, 2, "K"},
        {"MVRS", "1234 678", 0, 2, "K"},
        {"MVRS", "00000042", 42, 1, "R"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.map + " " + c.number);
        const DownloadFile f = Cycle([&](DownloadFile& f) {
            Customer(f, "A1");
            Meter(f, c.number);
        });
        std::filesystem::remove(dir / "RouteZAV.pdb");
        ASSERT_TRUE(ConvertRoute(f, c.map));
        const auto meters = Meters();
        ASSERT_EQ(meters.size(), 1u);
        EXPECT_EQ(meters[0].Num("MeterTagNbr"), c.tag);
        EXPECT_EQ(meters[0].Num("ReadType"), c.readType);
        EXPECT_EQ(meters[0].User(3)[4], c.method);
    }
}

TEST_F(HostConversionTest, MVRSRadioRecordTagWinsAndDuplicatesMakeTheFileUnusable) {
    const DownloadFile f = Cycle([](DownloadFile& f) {
        Customer(f, "A1", "ADAMS", "1 OAK");
        Meter(f, "12345678", "R");
        f.Add("RFF", {{"RFERTID", std::string("40011223")},
                      {"GeographicArea", 12},
                      {"RFFrequency", std::string("915000000")},
                      {"Tamper", 3}});
        Customer(f, "A2", "BAKER", "2 OAK");
        Meter(f, "M-2", "R");
        f.Add("RFF", {{"RFERTID", std::string("40011223")}});
    });
    EXPECT_FALSE(ConvertRoute(f, "MVRS"));
    const std::string info = "BAKER" + std::string(15, ' ') + " 2 OAK" + std::string(15, ' ');
    EXPECT_EQ(ConversionLog(), (Lines{"Meter Tag Number of 40011223 is duplicate in Line 11", "   Info: " + info,
                                      "Route ZAV File NOT created", "Problems encountered; Route file unusable", ""}));
    // Both meters are written all the same, each with the tag of its radio record.
    const auto meters = Meters();
    ASSERT_EQ(meters.size(), 2u);
    EXPECT_EQ(meters[0].Num("MeterTagNbr"), 40011223);
    EXPECT_EQ(meters[0].Num("TamperCount"), 3);
    EXPECT_EQ(meters[0].User(4)[0], "12");
    EXPECT_EQ(meters[1].Num("MeterTagNbr"), 40011223);
}

TEST_F(HostConversionTest, MVRSKeepsLongSequencesAndPacksTildesSafely) {
    const DownloadFile f = Cycle([](DownloadFile& f) {
        f.Add("CUS", {{"Account", std::string("A~1")}, {"CustomerInfo", std::string("KEY~UNDER~MAT")}});
        Meter(f, "M-1", "K", 40000);
    });
    ASSERT_TRUE(ConvertRoute(f, "MVRS"));
    const auto meters = Meters();
    ASSERT_EQ(meters.size(), 1u);
    EXPECT_EQ(meters[0].Num("Sequence"), 40000);
    EXPECT_EQ(meters[0].User(2).back(), "40000");
    const Lines user1 = meters[0].User(1);
    ASSERT_EQ(user1.size(), 7u);
    EXPECT_EQ(user1[1], "A~1" + std::string(17, ' '));
    EXPECT_EQ(user1[6], "KEY~UNDER~MAT" + std::string(7, ' '));
}

TEST_F(HostConversionTest, MVRSCycleHeadersSizeTheRouteTable) {
    // Announcing three routes and sending one gives three route records; the others are empty.
    ASSERT_TRUE(ConvertRoute(Cycle([](DownloadFile& f) { Meter(f, "M-1"); }, 3), "MVRS"));
    const auto routes = OfType(Route(), kRecRoute);
    ASSERT_EQ(routes.size(), 3u);
    EXPECT_EQ(routes[2].Text("Initials"), "");
    EXPECT_EQ(routes[2].Num("PrvReading"), 0);
    // A meter without a customer record has an empty billing name.
    const auto meters = Meters();
    ASSERT_EQ(meters.size(), 1u);
    EXPECT_EQ(meters[0].Text("BillingName"), "");

    // A cycle announcing no routes still makes room for one; a meter without a reading instruction has
    // zeros and empty texts.
    std::filesystem::remove(dir / "RouteZAV.pdb");
    ASSERT_TRUE(ConvertRoute(Cycle(
                                 [](DownloadFile& f) {
                                     f.Add("MTR", {{"MeterNumber", std::string("M-9")}});
                                 },
                                 0),
                             "MVRS"));
    EXPECT_EQ(OfType(Route(), kRecRoute).size(), 1u);
    const auto bare = Meters();
    ASSERT_EQ(bare.size(), 1u);
    EXPECT_EQ(bare[0].Num("Digits"), 0);
    EXPECT_EQ(bare[0].Num("PrvReading"), 0);
    EXPECT_EQ(bare[0].Text("User3"), "~~~~~0~0~~0");
}

TEST_F(HostConversionTest, MVRSFileFaultsEndTheConversionWithAnError) {
    struct Case {
        std::string name;
        std::function<void(DownloadFile&)> body;
        std::int32_t routes;
        Lines log;
    };
    const Lines unusable = {"Route ZAV File NOT created", "Problems encountered; Route file unusable", ""};
    auto with = [&](std::string first) {
        Lines l{std::move(first)};
        l.insert(l.end(), unusable.begin(), unusable.end());
        return l;
    };
    const Case cases[] = {
        {"unknown record",
         [](DownloadFile& f) {
             Meter(f, "M-1");
             f.Raw("XYZ123");
             Meter(f, "M-2");
         },
         1, with("Error: Unknown record type 'XYZ' at line 6")},
        {"blank line inside the file",
         [](DownloadFile& f) {
             Meter(f, "M-1");
             f.Raw("");
         },
         1, with("Error: Unknown record type '' at line 6")},
        {"more route headers than announced",
         [](DownloadFile& f) {
             f.Add("RHD", {{"RouteNumber", std::string("00000102")}});
         },
         1, with("Error: Route header at line 4 is one more than the 1 routes the cycle headers announce")},
        {"too many meters",
         [](DownloadFile& f) {
             for (int i = 0; i < 4; ++i)
                 f.Add("RHD", {{"RouteNumber", std::to_string(i)}, {"NumberMeterRecords", 9999}});
         },
         5, with("Error: The route file has more than 32767 meters (line 7)")},
        {"meter before any route header", [](DownloadFile&) {}, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui.log.clear();
        std::filesystem::remove(dir / "RouteZAV.pdb");
        if (c.log.empty()) {
            DownloadFile f = MVRSFile();
            f.Add("FHD").Add("CHD", {{"NumberRoutes", 1}}).Add("MTR", {{"MeterNumber", std::string("M-1")}});
            EXPECT_FALSE(ConvertRoute(f, "MVRS"));
            EXPECT_EQ(ConversionLog(), with("Error: Meter record before any route header at line 3"));
            continue;
        }
        EXPECT_FALSE(ConvertRoute(Cycle(c.body, c.routes), "MVRS"));
        EXPECT_EQ(ConversionLog(), c.log);
    }
}

TEST_F(HostConversionTest, MVRSBlankLinesAtTheEndAndNumbersTooLargeToRead) {
    DownloadFile f = Cycle([](DownloadFile& f) {
        f.Add("MTR", {{"MeterNumber", std::string("M-1")}});
        f.Raw("RDG" + std::string(27, ' ') + "K9999999999");
    });
    f.Raw("").Raw("   ");
    ASSERT_TRUE(ConvertRoute(f, "MVRS"));
    EXPECT_EQ(ConversionLog(),
              (Lines{"Warning: Number too large to read in PreviousReading of RDG at line 5; read as 0",
                     "1 meters written to Route ZAV File", "Route Conversion Finished with Warnings", ""}));
}

}  // namespace
}  // namespace zav::test
