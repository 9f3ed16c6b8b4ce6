// Output lines of the upload and orphan files: fixed columns with gaps and overwrites, alignment,
// padding and cutting, delimited columns and quoting, line breaks in values, defaults for missing
// fields, record length and terminators.
#include "exchange/record_assembly.h"

#include <gtest/gtest.h>

#include "core/frontend.h"
#include "maps/exch_map.h"
#include "support/fake_frontend.h"

namespace zav {
namespace {

class AssemblyTest : public testing::Test {
  protected:
    clsExchMap map;
    test::FakeFrontend fake;
    ScopedFrontend scoped{fake};

    void SetUp() override { map.NewMap("T.zrm", kMapReading); }
    void Out(const char* field, int position, int width, int align = 2, int pad = 2, int format = 0) {
        map.MapOption(field, kWriteToDestination);
        map.DataPosition(field, static_cast<std::int16_t>(position));
        map.DataWidth(field, static_cast<std::int16_t>(width));
        map.MapAlign(field, align);
        map.MapPad(field, pad);
        map.MapFormat(field, format);
    }
    static Values Record(std::initializer_list<std::pair<const char*, Value>> fields) {
        Values v;
        for (const auto& [name, value] : fields) v.Add(name, value);
        return v;
    }
};

TEST_F(AssemblyTest, FixedGapsAlignmentPaddingAndCutting) {
    struct Case {
        int align, pad, width;
        Value value;
        const char* expected;
    };
    const Case cases[] = {
        {2, 1, 5, std::int32_t{42}, "00042"},     // right, zeros
        {1, 2, 5, std::string(" 42 "), "42   "},  // left trims, then spaces on the right
        {2, 2, 5, std::string("42"), "   42"},    // right, spaces
        {1, 1, 5, std::string("42"), "42000"},    // left, zeros on the right
        {2, 1, 4, std::int32_t{123456}, "3456"},  // a number too long keeps its low digits
        {2, 2, 3, std::string("ABCDE"), "ABC"},   // a text too long keeps its start
    };
    for (const Case& c : cases) {
        map.NewMap("T.zrm", kMapReading);
        const bool text = std::holds_alternative<std::string>(c.value);
        const char* field = text ? "BillingName" : "CurReading";
        Out(field, 1, c.width, c.align, c.pad);
        EXPECT_EQ(AssembleFixed(map, Record({{field, c.value}}), false), c.expected) << c.expected;
    }
    // Numbers held as text are cut like numbers: the field's type decides.
    map.NewMap("T.zrm", kMapReading);
    Out("MeterTagNbr", 1, 3);
    EXPECT_EQ(AssembleFixed(map, Record({{"MeterTagNbr", std::string("98765")}}), false), "765");
}

TEST_F(AssemblyTest, FixedPositionsLeaveGapsAndLaterFieldsOverwrite) {
    Out("MeterTagNbr", 1, 5, 2, 1);
    Out("Status", 10, 3, 2, 1);
    const Values rec = Record({{"MeterTagNbr", std::int32_t{7}}, {"Status", std::int16_t{1}}});
    EXPECT_EQ(AssembleFixed(map, rec, false), "00007    001");

    // Fields go in the map's field order: Status (field 13) at 6, written after Sequence (field 2)
    // covering 1 to 10, replaces characters 6 onward ...
    map.NewMap("T.zrm", kMapReading);
    Out("Sequence", 1, 10);
    Out("Status", 6, 2, 2, 1);
    EXPECT_EQ(AssembleFixed(map, Record({{"Sequence", std::string("ABCDEFGHIJ")}, {"Status", std::int16_t{9}}}), false),
              "ABCDE09HIJ");
    // ... also when the line is exactly 6 characters long ...
    map.DataWidth("Sequence", 6);
    map.DataWidth("Status", 3);
    EXPECT_EQ(AssembleFixed(map, Record({{"Sequence", std::string("ABCDEF")}, {"Status", std::int16_t{9}}}), false),
              "ABCDE009");
    // ... while BillingName (field 30) at 1 covers Status written before it.
    Out("BillingName", 1, 10);
    EXPECT_EQ(AssembleFixed(map,
                            Record({{"Sequence", std::string("ABCDEF")},
                                    {"Status", std::int16_t{9}},
                                    {"BillingName", std::string("Z")}}),
                            false),
              "         Z");
}

TEST_F(AssemblyTest, DatesAndTimesUseTheFieldsFormat) {
    Out("ReadingDate", 1, 10, 1, 2, 25);
    Out("ReadingTime", 12, 8, 1, 2, 43);
    const Values rec = Record({{"ReadingDate", std::int32_t{20240131}}, {"ReadingTime", std::int32_t{93005}}});
    EXPECT_EQ(AssembleFixed(map, rec, false), "01-31-2024 09:30:05");
}

TEST_F(AssemblyTest, LineBreaksInsideValuesBecomeSpacesWhereTheyWouldSplitTheRecord) {
    // A message joined from two lines must not split the host's record.
    Out("Message", 1, 12, 1, 2);
    EXPECT_EQ(AssembleFixed(map, Record({{"Message", std::string("Gate\r\nDog")}}), false), "Gate  Dog   ");

    map.NewMap("T.zrm", kMapReading);
    map.MapType(kMapDelimited);
    map.MapDelimiter(",");
    Out("Message", 1, 0);
    EXPECT_EQ(AssembleDelimited(map, Record({{"Message", std::string("a\nb")}}), false), "a b");  // unquoted
    map.MapQuote("<none>");
    EXPECT_EQ(AssembleDelimited(map, Record({{"Message", std::string("a\nb")}}), false), "ab");  // removed
}

TEST_F(AssemblyTest, DelimitedColumnsAndQuoting) {
    map.MapType(kMapDelimited);
    map.MapDelimiter(",");
    map.MapQuote("\"");
    Out("MeterTagNbr", 1, 0);
    Out("BillingName", 2, 0);
    Out("CurReading", 4, 0);
    Out("ReadingDate", 5, 0, 2, 2, 14);
    const Values rec = Record({{"MeterTagNbr", std::int32_t{1234}},
                               {"BillingName", std::string("Say \"hi\"\r\nthere")},
                               {"CurReading", std::int32_t{56}},
                               {"ReadingDate", std::int32_t{20240131}}});
    // Texts once-quoted with the quote doubled and the line break removed; numbers and dates bare;
    // the unfilled column 3 stays empty.
    EXPECT_EQ(AssembleDelimited(map, rec, false), "1234,\"Say \"\"hi\"\"there\",,56,20240131");

    map.MapDelimiter("<tab>");
    map.MapQuote("");
    EXPECT_EQ(AssembleDelimited(map, rec, false), "1234\tSay \"hi\"  there\t\t56\t20240131");

    // A later field at the same position replaces the earlier one; "||" is used as it stands.
    map.MapDelimiter("||");
    map.DataPosition("CurReading", 1);
    EXPECT_EQ(AssembleDelimited(map, rec, false), "56||Say \"hi\"  there||||||20240131");
}

TEST_F(AssemblyTest, MissingFieldsDefaultAndAreReportedOnlyWhenAsked) {
    Out("Decimals", 1, 2, 2, 1);
    Out("BillingName", 3, 3, 1, 2);
    const Values rec = Record({{"MeterTagNbr", std::int32_t{1}}});
    EXPECT_EQ(AssembleFixed(map, rec, true), "00   ");
    EXPECT_EQ(fake.log,
              (std::vector<std::string>{"Warning: Defaulted Decimals to 0", "Warning: Defaulted BillingName to "}));
    fake.log.clear();
    EXPECT_EQ(AssembleFixed(map, rec, false), "00   ");
    EXPECT_TRUE(fake.log.empty());
}

TEST_F(AssemblyTest, RecordLengthAndTerminators) {
    map.MapType(kMapFixed);
    Out("MeterTagNbr", 1, 4, 2, 1);
    const Values rec = Record({{"MeterTagNbr", std::int32_t{12}}});
    map.MapLength(8);
    const std::pair<int, std::string> cases[] = {
        {0, "0012    "}, {1, "0012    \r"}, {2, "0012    \n"}, {3, "0012    \r\n"}, {4, std::string("0012    \0", 9)},
        {7, "0012    "},
    };
    for (const auto& [terminator, expected] : cases) {
        map.MapTerminator(terminator);
        EXPECT_EQ(AssembleRecord(map, rec, false), expected) << terminator;
    }
    // A longer line is written whole.
    map.MapLength(2);
    map.MapTerminator(0);
    EXPECT_EQ(AssembleRecord(map, rec, false), "0012");
}

}  // namespace
}  // namespace zav
