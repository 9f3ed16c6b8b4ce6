// What the viewer reads of a database, and the JSON form of every record.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/fake_frontend.h"
#include "support/readings_builder.h"
#include "support/temp_dir.h"
#include "zav/json_text.h"
#include "zav/zav_json.h"
#include "zav/zav_listing.h"

namespace zav {
namespace {

std::filesystem::path Fixture(const char* name) { return std::filesystem::path(ZAV_FIXTURES) / "zav" / name; }

TEST(ZAVListing, ReadingsFromAVersion2Handheld) {
    ZAVListing listing;
    ASSERT_TRUE(LoadZAVListing(Fixture("readings_v2.pdb"), listing));
    ASSERT_EQ(listing.routes.size(), 1u) << "a route record of kind 256 is a route; the index record is not";
    EXPECT_EQ(listing.routes[0].cells.Cells(), (std::vector<std::string>{"1", "0101", "2", "0", "0"}));
    ASSERT_EQ(listing.Meters(listing.routes[0]).size(), 2u);
    const auto& columns = ZAVListing::MeterColumns();
    ASSERT_EQ(columns.size(), 38u);
    const auto& meter = listing.Meters(listing.routes[0])[0];
    ASSERT_EQ(meter.size(), 38u);
    auto cell = [&](const char* name) {
        return meter[std::find(columns.begin(), columns.end(), name) - columns.begin()];
    };
    EXPECT_EQ(cell("Sequence"), "10");
    EXPECT_EQ(cell("CurReading"), "1234");
    EXPECT_EQ(cell("InitPulseCount"), "") << "version 2 has no such field";
    EXPECT_EQ(cell("InitTamperCount"), "");
    EXPECT_EQ(cell("BillingName"), "Caf\xe9 \"Owner\"");
}

TEST(ZAVListing, NoHeaderReadsFiveFields) {
    ZAVListing listing;
    ASSERT_TRUE(LoadZAVListing(Fixture("no_header.pdb"), listing));
    ASSERT_EQ(listing.routes.size(), 1u);
    EXPECT_EQ(listing.routes[0].cells.Cells(), (std::vector<std::string>{"1", "", "", "7", "8"}));
    ASSERT_EQ(listing.Meters(1).size(), 1u);
    const std::vector<std::string> cells = listing.Meters(1)[0].Cells();
    ASSERT_EQ(cells.size(), 38u);
    EXPECT_EQ(std::vector<std::string>(cells.begin(), cells.begin() + 3), (std::vector<std::string>{"3", "4001", "1"}));
    EXPECT_EQ(std::count(cells.begin(), cells.end(), ""), 35) << "only Sequence, MeterTagNbr and MeterType";
}

// Only kinds 1 and 256 are routes and only kind 2 are meters; routes that share an index share its
// meters, and meters of no listed route are not kept.
TEST(ZAVListing, OnlyRouteAndMeterKindsAreListed) {
    test::TempDir dir;
    test::ReadingsBuilder db;
    db.Header(2).Route(1, "0101", kRecRoute).Route(2, "0202").Route(1, "again", kRecRoute);
    db.Meter(1, {{"Sequence", 10}}).Meter(2, {{"Sequence", 20}}).Meter(1, {{"Sequence", 30}});
    db.Meter(9, {{"Sequence", 90}});
    for (const std::int32_t kind : {3, 4, 5, 6, 7}) db.Record(kind, {{"RouteNbr", 1}, {"Sequence", 100 + kind}});
    db.Write(dir / "kinds.pdb");

    ZAVListing listing;
    ASSERT_TRUE(LoadZAVListing(dir / "kinds.pdb", listing));
    ASSERT_EQ(listing.routes.size(), 3u);
    auto sequences = [&listing](std::size_t route) {
        std::vector<std::string> out;
        for (const auto& meter : listing.Meters(listing.routes[route])) out.emplace_back(meter[0]);
        return out;
    };
    EXPECT_EQ(sequences(0), (std::vector<std::string>{"10", "30"}));
    EXPECT_EQ(sequences(1), (std::vector<std::string>{"20"}));
    EXPECT_EQ(sequences(2), sequences(0));
    EXPECT_EQ(&listing.Meters(listing.routes[2]), &listing.Meters(listing.routes[0])) << "one list, not a copy";
    EXPECT_EQ(listing.metersByIndex.count(9), 0u);
    EXPECT_TRUE(listing.Meters(9).empty());
}

TEST(ListingRow, CellsKeepTheirOrderAndEmptyCells) {
    const ListingRow row({"", "a", "", "long text of a name", std::string("x\0y", 3), ""});
    EXPECT_EQ(row.size(), 6u);
    EXPECT_EQ(row.Cells(), (std::vector<std::string>{"", "a", "", "long text of a name", "xy", ""}));
    EXPECT_EQ(row[3], "long text of a name");
    EXPECT_EQ(row[5], "");
    EXPECT_EQ(row[6], "") << "past the last cell";
    std::string walked;
    row.ForEachCell([&walked](std::size_t i, std::string_view cell) {
        walked += std::to_string(i) + "=" + std::string(cell) + ";";
    });
    EXPECT_EQ(walked, "0=;1=a;2=;3=long text of a name;4=xy;5=;");
    EXPECT_EQ(ListingRow().size(), 0u);
}

TEST(ZAVListing, UnreadableFilesAreLogged) {
    for (const char* name : {"bad_header_short.pdb", "bad_count_beyond_list.pdb", "bad_offset_past_end.pdb",
                             "bad_offset_backwards.pdb", "bad_vfs_length_past_end.vfs", "missing.pdb"}) {
        test::FakeFrontend fake;
        ScopedFrontend scoped(fake);
        ZAVListing listing;
        EXPECT_FALSE(LoadZAVListing(Fixture(name), listing)) << name;
        EXPECT_EQ(fake.log, std::vector<std::string>{"Error: Could not read ZAV file"}) << name;
    }
}

TEST(ZAVJson, StringsAreLatin1AndEscaped) {
    std::string out;
    AppendJsonString(out, std::string("a\"b\\c\n\x01\x7f\x93\xe9\xff", 11));
    EXPECT_EQ(out, "\"a\\\"b\\\\c\\n\\u0001\\u007f\\u0093\xc3\xa9\xc3\xbf\"");
    out.clear();
    AppendHex(out, std::string("\x00\xAB\x10", 3));
    EXPECT_EQ(out, "00ab10");
}

TEST(ZAVJson, RecordsByKind) {
    std::string out;
    ASSERT_TRUE(ZAVToJson(Fixture("readings_v2.vfs"), out));
    EXPECT_EQ(out.rfind("{\"container\":\"VFS\",\"title\":\"\",\"creator\":\"\",\"type\":\"\",\"version\":2,"
                        "\"records\":[{\"RecType\":0,\"fields\":{\"RecType\":0,\"RouteNbr\":1,",
                        0),
              0u)
        << out;
    out.clear();
    ASSERT_TRUE(ZAVToJson(Fixture("readings_v2.pdb"), out));
    EXPECT_NE(out.find("\"title\":\"ReadingZAV\",\"creator\":\"hZVL\",\"type\":\"DATA\""), std::string::npos);
    EXPECT_NE(out.find("{\"RecType\":256,\"fields\":{"), std::string::npos);
    EXPECT_NE(out.find("\"BillingName\":\"Caf\xc3\xa9 \\\"Owner\\\"\""), std::string::npos);
    EXPECT_NE(out.find("{\"RecType\":6,\"hex\":\"0006000100020003\"}]}"), std::string::npos);
    EXPECT_EQ(out.find("InitPulseCount"), std::string::npos);
    EXPECT_FALSE(ZAVToJson(Fixture("bad_header_short.pdb"), out));
}

}  // namespace
}  // namespace zav
