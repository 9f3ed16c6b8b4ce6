// Route record parsing: columns of fixed and delimited lines, typed values, read-type letter,
// autonumber counter and the run-time errors.
#include <gtest/gtest.h>

#include <random>

#include "core/errors.h"
#include "core/number.h"
#include "exchange/exchange.h"
#include "exchange/prompts.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

class ParseRouteTest : public testing::Test {
  protected:
    test::TempDir dir;
    RegistryStore store{dir / "registry.sqlite3"};
    clsExchange ex{store};

    void SetUp() override {
        ex.ExchMap.NewMap("T.zcm", kMapRoute);
        Prompts().Clear();
    }
    void Source(const char* field, int position, int width = 0) {
        ex.ExchMap.MapOption(field, kMapFromSource);
        ex.ExchMap.DataPosition(field, static_cast<std::int16_t>(position));
        ex.ExchMap.DataWidth(field, static_cast<std::int16_t>(width));
    }
    void Delimited(const char* delimiter, const char* quote) {
        ex.ExchMap.MapType(kMapDelimited);
        ex.ExchMap.MapDelimiter(delimiter);
        ex.ExchMap.MapQuote(quote);
    }
    // The three text fields RouteNbr, MeterType and ServiceAddress at columns 1 to 3.
    std::vector<std::string> Columns(const std::string& line) {
        Source("RouteNbr", 1);
        Source("MeterType", 2);
        Source("ServiceAddress", 3);
        const Values rec = ex.ParseRouteDelimited(line);
        return {ValueText(rec.Item("RouteNbr")), ValueText(rec.Item("MeterType")),
                ValueText(rec.Item("ServiceAddress"))};
    }
};

TEST_F(ParseRouteTest, DelimitedColumns) {
    struct Case {
        const char* delimiter;
        const char* quote;
        const char* line;
        std::vector<std::string> columns;
    };
    const Case cases[] = {
        {",", "'", "12,'Smith, J','He said ''hi'''", {"12", "Smith, J", "He said 'hi'"}},
        {",", "\"", "a~b,\"x\",", {"a,b", "x", ""}},  // with quoting, every ~ comes out as the delimiter
        {",", "", "\"a,b\",c", {"\"a", "b\"", "c"}},  // no quote character: quotes are data
        {",", "", "a~b,  xy   ,", {"a~b", "  xy", ""}},
        {"<tab>", "\"", "1\t\"tab\there\"\t3", {"1", "tab\there", "3"}},
        {"||", "\"", "a||\"b||c\"||d", {"a", "b", "c"}},  // a longer delimiter is not protected by quotes
        {"", "", "whole,line", {"whole,line", "", ""}},
        {",", "\"", "\",x", {",x", "", ""}},  // an unbalanced quote protects the rest of the line
        // One quote off each end, then doubled quotes halved; a quote at one end only goes too.
        {",", "\"", "\"\",\"\"\"\",a\"", {"", "\"", "a"}},
        {";", "'", "'it''s';x'';'", {"it's", "x'", ""}},
    };
    for (const Case& c : cases) {
        Delimited(c.delimiter, c.quote);
        EXPECT_EQ(Columns(c.line), c.columns) << c.line;
    }
}

// A plan that keeps one field (a conversion's first pass) reads it as the whole parse does, stops a
// delimited line after the last column it needs, and still raises every number's overflow, counts the
// autonumber and takes the read-type letter.
TEST_F(ParseRouteTest, APlanKeepingOneFieldReadsItAsTheWholeParse) {
    Delimited(",", "\"");
    Source("RouteNbr", 2);
    Source("Digits", 4);
    Source("ReadType", 3);
    ex.ExchMap.MapOption("UtilityCode", kAutonumber);
    int route = -1;
    for (std::size_t i = 0; i < ex.ExchMap.Fields().size(); ++i)
        if (ex.ExchMap.Fields()[i].FieldName == "RouteNbr") route = static_cast<int>(i);
    ASSERT_GE(route, 0);
    const RouteLinePlan whole(ex.ExchMap), first(ex.ExchMap, route);
    EXPECT_EQ(first.MaxColumn(), 4);
    const char* lines[] = {
        "x,12,r,5", "x,\"1,2\",m,5,\"open", "x,\"a~b\",,7,\"\"\"", "x,\"\"\"q\"\"\",r", "x", ",,,,,,,",
    };
    for (const char* line : lines) {
        RouteFields all, one;
        std::string letterAll, letterOne;
        std::int16_t numberAll = 0, numberOne = 0;
        ASSERT_TRUE(ParseRouteLine(whole, {letterAll, numberAll}, line, all));
        ASSERT_TRUE(ParseRouteLine(first, {letterOne, numberOne}, line, one));
        EXPECT_EQ(ValueText(one[static_cast<std::size_t>(route)]), ValueText(all[static_cast<std::size_t>(route)]))
            << line;
        EXPECT_EQ(letterOne, letterAll) << line;
        EXPECT_EQ(numberOne, 1) << line;
    }
    RouteFields one;
    std::string letter;
    std::int16_t number = 0;
    try {
        ParseRouteLine(first, {letter, number}, "x,1,r,99999", one);
        FAIL() << "a number too large for its field";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kErrOverflow);
        EXPECT_EQ(e.Description(), "Overflow in field Digits");
    }
}

// Fixed lines whose number columns hold only blanks and digits (a number of its type at most) are read
// without the general number reader: every line must read as its column texts read one by one, overflow
// errors included, with the whole parse and with a plan keeping one field.
TEST_F(ParseRouteTest, FixedNumbersReadAsTheirColumnTextsRead) {
    ex.ExchMap.MapType(kMapFixed);
    struct Column {
        const char* field;
        int position, width;
    };
    const Column numbers[] = {
        {"Digits", 3, 5},            // integer: one column more than its 4 digits
        {"InitTamperCount", 8, 10},  // long: one more than 9
        {"MeterTagNbr", 18, 16},     // real: one more than 15
        {"ReadType", 34, 1},         // the read-type letter's number field
        {"Decimals", 35, 3},         // integer, narrower than 4 digits
    };
    Source("RouteNbr", 1, 2);
    for (const Column& c : numbers) Source(c.field, c.position, c.width);
    ex.ExchMap.MapOption("User1", kMapConstant);
    ex.ExchMap.MapConstant("User1", "Speed");
    const auto& fields = ex.ExchMap.Fields();
    const auto indexOf = [&](std::string_view name) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i].FieldName == name) return i;
        return fields.size();
    };
    const std::size_t route = indexOf("RouteNbr");
    const RouteLinePlan whole(ex.ExchMap), first(ex.ExchMap, static_cast<int>(route));

    // Column texts: plain ones, and the near misses the plain check must send to the general reader.
    const std::vector<std::string> pieces = {"", " ", "0", "7", "00", "12", "1 2", "999", "9999", "32767", "32768",
                                             "99999", "-5", "+5", "1.5", "R", "r", "&H7F", "1E3", "\t9", "x9",
                                             "2147483647", "2147483648", "999999999999999", "9999999999999999"};
    std::mt19937 random(7);
    RouteFields reused;  // every line parsed into the same fields, the constant ones set only once
    bool constantsHeld = false;
    const auto fill = [&](std::string& line, const Column& c) {
        std::string text = pieces[random() % pieces.size()];
        if (text.size() > static_cast<std::size_t>(c.width)) text.resize(static_cast<std::size_t>(c.width));
        const std::size_t pad = static_cast<std::size_t>(c.width) - text.size();
        const std::size_t left = random() % 3 == 0 ? pad : random() % 3 == 0 ? 0 : random() % (pad + 1);
        std::string column = std::string(left, random() % 4 == 0 ? '0' : ' ') + text + std::string(pad - left, ' ');
        line.replace(static_cast<std::size_t>(c.position - 1), column.size(), column);
    };
    for (int round = 0; round < 4000; ++round) {
        std::string line = "01" + std::string(40, ' ');
        for (const Column& c : numbers) fill(line, c);
        line.resize(random() % 8 == 0 ? random() % line.size() : line.size());  // short lines too

        // The reference: each column's text read by the reader of its type, in map order.
        std::string expectedError;
        std::vector<Value> expected(fields.size());
        for (const Column& c : numbers) {
            const std::size_t i = indexOf(c.field);
            const std::string_view text =
                static_cast<std::size_t>(c.position) > line.size()
                    ? std::string_view()
                    : std::string_view(line).substr(static_cast<std::size_t>(c.position - 1),
                                                     static_cast<std::size_t>(c.width));
            try {
                const std::int32_t type = fields[i].DataType;
                expected[i] = text.empty()         ? (type == kInteger ? Value(std::int16_t{0})
                                                      : type == kLong  ? Value(std::int32_t{0})
                                                                       : Value(0.0))
                              : type == kInteger ? Value(ValInt(text))
                              : type == kLong    ? Value(ValLong(text))
                                                 : Value(Val(text));
            } catch (const RuntimeError& e) {
                ASSERT_EQ(e.Number(), kErrOverflow);
                expected[i] = std::string("overflow");
            }
        }
        for (std::size_t i = 0; i < fields.size() && expectedError.empty(); ++i)
            if (const auto* text = std::get_if<std::string>(&expected[i]); text != nullptr && *text == "overflow")
                expectedError = "Overflow in field " + fields[i].FieldName;

        for (const RouteLinePlan* plan : {&whole, &first}) {
            RouteFields out;
            std::string letter;
            std::int16_t number = 0;
            std::string error;
            try {
                ParseRouteLine(*plan, {letter, number}, line, out);
            } catch (const RuntimeError& e) {
                error = e.Description();
            }
            ASSERT_EQ(error, expectedError) << "[" << line << "]";
            if (plan != &whole || !error.empty()) continue;
            std::string reusedLetter;
            std::int16_t reusedNumber = 0;
            ASSERT_TRUE(ParseRouteLine(whole, {reusedLetter, reusedNumber}, line, reused, constantsHeld));
            constantsHeld = true;
            ASSERT_EQ(reused, out) << "[" << line << "]";
            for (const Column& c : numbers) {
                const std::size_t i = indexOf(c.field);
                ASSERT_EQ(out[i], expected[i]) << c.field << " of [" << line << "]";
            }
        }
    }
}

TEST_F(ParseRouteTest, FixedColumnsAndTrimming) {
    ex.ExchMap.MapType(kMapFixed);
    Source("RouteNbr", 3, 5);
    Source("MeterType", 9, 20);       // reaches past the end: the rest of the line
    Source("ServiceAddress", 40, 5);  // starts beyond the end: empty
    Source("LstReadingDate", 1, 4);   // dates keep leading spaces
    const Values rec = *ex.ParseRoute("AB  xy   Z");
    EXPECT_EQ(ValueText(rec.Item("RouteNbr")), "xy");
    EXPECT_EQ(ValueText(rec.Item("MeterType")), "Z");
    EXPECT_EQ(ValueText(rec.Item("ServiceAddress")), "");
    EXPECT_EQ(ValueText(rec.Item("LstReadingDate")), "AB");
    ASSERT_EQ(rec.Count(), 28u);
    EXPECT_EQ(rec.begin()->first, "RouteNbr");
    EXPECT_EQ(std::get<std::string>(rec.Item("User5")), "") << "unmapped text fields are empty text";
    EXPECT_EQ(std::get<double>(rec.Item("Lat")), 0.0);
}

TEST_F(ParseRouteTest, ValuesAreTypedByDataType) {
    Delimited(",", "");
    Source("Digits", 1);           // integer
    Source("InitTamperCount", 2);  // long
    Source("MeterTagNbr", 3);      // real
    Source("PrvReading", 4);
    Source("MinReading", 5);
    Source("MaxReading", 7);  // the line has only 5 columns
    const Values rec = ex.ParseRouteDelimited("1 234,2.5e3,12a5,abc,&H10");
    EXPECT_EQ(std::get<std::int16_t>(rec.Item("Digits")), 1234);
    EXPECT_EQ(std::get<std::int32_t>(rec.Item("InitTamperCount")), 2500);
    EXPECT_EQ(std::get<double>(rec.Item("MeterTagNbr")), 12);
    EXPECT_EQ(std::get<double>(rec.Item("PrvReading")), 0);
    EXPECT_EQ(std::get<double>(rec.Item("MinReading")), 16);
    EXPECT_EQ(std::get<double>(rec.Item("MaxReading")), 0);

    EXPECT_EQ(std::get<std::int16_t>(ex.ParseRouteDelimited("2.5").Item("Digits")), 2) << "halves to even";
    for (const char* line : {"32768", ",2147483648", "-32769"}) {
        try {
            ex.ParseRouteDelimited(line);
            ADD_FAILURE() << line;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number(), kErrOverflow) << line;
        }
    }
}

TEST_F(ParseRouteTest, ConstantsPromptsAndUnmapped) {
    ex.ExchMap.MapType(kMapFixed);
    ex.ExchMap.MapOption("MeterType", kMapConstant);
    ex.ExchMap.MapConstant("MeterType", "  W  ");
    ex.ExchMap.MapOption("UtilityCode", kMapPrompt);
    ex.ExchMap.MapOption("Message", kMapPrompt);
    ex.ExchMap.MapOption("BillingName", kMapPrompt);
    Prompts().Add("UtilityCode", "7");
    Prompts().Add("Message", "Dog in yard");
    Prompts().Add("billingname", "wrong case");  // prompt names compare exactly
    const Values rec = ex.ParseRouteFixed("anything");
    EXPECT_EQ(ValueText(rec.Item("MeterType")), "W") << "text is trimmed in fixed files, constants too";
    EXPECT_EQ(std::get<std::int16_t>(rec.Item("UtilityCode")), 7);
    EXPECT_EQ(ValueText(rec.Item("Message")), "Dog in yard");
    EXPECT_EQ(ValueText(rec.Item("BillingName")), "");
}

TEST_F(ParseRouteTest, ReadTypeLetter) {
    Delimited(",", "");
    Source("ReadType", 2);
    Values rec = ex.ParseRouteDelimited("1,r");
    EXPECT_EQ(ex.ReadTypeLetter, "R");
    EXPECT_EQ(std::get<std::int16_t>(rec.Item("ReadType")), 0);
    ex.ParseRouteDelimited("1");
    EXPECT_EQ(ex.ReadTypeLetter, "") << "cleared at every parse";
    ex.ExchMap.MapOption("ReadType", kMapConstant);
    ex.ExchMap.MapConstant("ReadType", "m");
    ex.ParseRouteDelimited("1,r");
    EXPECT_EQ(ex.ReadTypeLetter, "") << "only a ReadType mapped from the source sets it";
}

TEST_F(ParseRouteTest, AutonumberCounter) {
    Delimited(",", "");
    ex.ExchMap.MapOption("Sequence", kAutonumber);
    ex.AutoNumber = 0;
    EXPECT_EQ(std::get<double>(ex.ParseRouteDelimited("").Item("Sequence")), 1);
    EXPECT_EQ(std::get<double>(ex.ParseRouteDelimited("").Item("Sequence")), 2);
    ex.AutoNumber = 32766;
    EXPECT_EQ(std::get<double>(ex.ParseRouteDelimited("").Item("Sequence")), 32767);
    EXPECT_THROW(ex.ParseRouteDelimited(""), RuntimeError);
}

TEST_F(ParseRouteTest, OtherMapTypesGiveNoRecordAndDuplicateFieldsFail) {
    for (int type : {0, 3, 4}) {
        ex.ExchMap.MapType(type);
        EXPECT_FALSE(ex.ParseRoute("x,y").has_value()) << type;
    }
    ex.ExchMap.MapType(kMapDelimited);
    ex.ExchMap.AddField(kText, "routenbr", false, 0, "");
    try {
        ex.ParseRoute("x");
        FAIL() << "a field name twice in the map";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kErrDuplicateKey);
    }
}

}  // namespace
}  // namespace zav
