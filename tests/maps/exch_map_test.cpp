// The map model: predefined fields, item lookup, options encoding and validation messages.
#include "maps/exch_map.h"

#include <gtest/gtest.h>

#include "core/errors.h"

namespace zav {
namespace {

TEST(ExchMap, NewMapFillsThePredefinedFieldsOfTheUse) {
    clsExchMap map;
    map.NewMap("Billing.zcm", kMapRoute);
    ASSERT_EQ(map.FieldCount(), 28);
    EXPECT_EQ(map.FieldName(1), "RouteNbr");
    EXPECT_EQ(map.FieldName(28), "User5");
    EXPECT_EQ(map.MaxValue("MeterTagNbr"), 16777215);
    EXPECT_EQ(map.MaxValue("UtilityCode"), 255);
    EXPECT_EQ(map.DataType("InitTamperCount"), kLong);
    EXPECT_EQ(map.MapTerminator(), 0) << "route maps keep their terminator";
    std::vector<std::string> required;
    for (const MapField& f : map.Fields())
        if (f.Required) required.push_back(f.FieldName);
    EXPECT_EQ(required, (std::vector<std::string>{"RouteNbr", "Sequence", "MeterTagNbr", "MeterType", "UtilityCode",
                                                  "ServiceAddress"}));
    for (const MapField& f : map.Fields()) EXPECT_EQ(f.MapOption, kDoNotMap) << f.FieldName;

    map.NewMap("Upload.zrm", kMapReading);
    EXPECT_EQ(map.FieldCount(), 38);  // the reading field list as specified, RouteNbr to User5
    EXPECT_EQ(map.FieldName(33), "ReceiverData");
    EXPECT_EQ(map.MapTerminator(), 3);
    for (const MapField& f : map.Fields()) EXPECT_FALSE(f.Required) << f.FieldName;

    map.NewMap("Orphans.zom", kMapOrphan);
    ASSERT_EQ(map.FieldCount(), 10);
    EXPECT_EQ(map.DataType("LstReadingDate"), kReal);
    EXPECT_EQ(map.Prompt("LstReadingDate"), "NearbyTagNbr4");

    map.NewMap("Odd", 7);
    EXPECT_EQ(map.FieldCount(), 0);
}

TEST(ExchMap, NewMapKeepsLayoutSettingsAndIsDirty) {
    clsExchMap map;
    map.MapDelimiter(",");
    map.MapQuote("\"");
    map.MapLength(80);
    map.MapFilter(2);
    map.MapOptions(1, "Y");
    map.MapType(kMapDelimited);
    map.NewMap("A.zcm", kMapRoute);
    EXPECT_EQ(map.MapType(), 0);
    EXPECT_EQ(map.MapDelimiter(), ",");
    EXPECT_EQ(map.MapQuote(), "\"");
    EXPECT_EQ(map.MapLength(), 80);
    EXPECT_EQ(map.MapFilter(), 2);
    EXPECT_EQ(map.MapOptions(1), "Y");
    EXPECT_TRUE(map.Dirty());
    map.Dirty(false);
    map.MapConstant("MeterType", "W");
    EXPECT_TRUE(map.Dirty()) << "field writes set Dirty";
}

TEST(ExchMap, ItemsByNumberOrNameWithoutRegardToCase) {
    clsExchMap map;
    map.NewMap("A.zcm", kMapRoute);
    EXPECT_EQ(map.FindItem("metertagnbr"), 3);
    EXPECT_EQ(map.FindItem(0), 0);
    EXPECT_EQ(map.FindItem(map.FieldCount() + 1), 0);
    EXPECT_EQ(map.FindItem(28), 28);
    EXPECT_EQ(map.FindItem("NoSuchField"), 0);
    EXPECT_EQ(map.FieldName("routenbr", true), "RouteNbr(Required)");
    EXPECT_EQ(map.FieldName("Digits", true), "Digits");
    EXPECT_EQ(map.Prompt("ScaleFactor", true), "Pulse Scaling (434)");
    EXPECT_EQ(map.Prompt("UtilityCode", true), "UtilityCode(Required)");
    EXPECT_EQ(map.Prompt(99), "");
    EXPECT_EQ(map.FieldName("nope", true), "");

    map.Dirty(false);
    try {
        map.DataPosition("nope", 3);
        FAIL() << "an unknown item is an error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kErrSubscript);
    }
    EXPECT_THROW(map.MapOption(0), RuntimeError);
    EXPECT_FALSE(map.Dirty()) << "a failed write changes nothing";
}

TEST(ExchMap, OptionsEncoding) {
    clsExchMap map;
    EXPECT_EQ(map.MapOptions(0), "");
    map.MapOptions(0, "1:Y;x:N;0:Z");
    EXPECT_EQ(map.MapOptions(1), "Y");
    EXPECT_EQ(map.MapOptions(0), "1:Y");
    map.MapOptions(4, " padded ");
    map.MapOptions(3, "   ");  // blank options are left out of the encoded form
    EXPECT_EQ(map.MapOptions(0), "1:Y;4: padded ");
    EXPECT_EQ(map.MapOptions(9), "");
    EXPECT_EQ(map.MapOptions(-1), "");

    clsExchMap other;
    other.MapOptions(0, "2.5:two:extra;-1:neg;2000000000:huge;1e400:overflow");
    EXPECT_EQ(other.MapOptions(2), "two") << "2.5 rounds to 2; the text ends at the second colon";
    EXPECT_EQ(other.MapOptions(0), "2:two") << "option numbers out of range are skipped, not allocated";
    EXPECT_THROW(other.MapOptions(40000, "x"), RuntimeError);
}

TEST(ExchMap, DelimiterChar) {
    clsExchMap map;
    const std::pair<const char*, const char*> cases[] = {
        {"<tab>", "\t"}, {"<TAB>", "<TAB>"}, {",", ","}, {"||", "||"}, {"", ""}};
    for (const auto& [stored, used] : cases) {
        map.MapDelimiter(stored);
        EXPECT_EQ(map.MapDelimiterChar(), used) << stored;
    }
}

// A route map that passes validation: Sequence autonumbered, the other required fields mapped.
clsExchMap ValidRouteMap(int type) {
    clsExchMap map;
    map.NewMap("A.zcm", kMapRoute);
    map.MapType(type);
    int column = 1;
    for (const char* name : {"RouteNbr", "MeterTagNbr", "MeterType", "UtilityCode", "ServiceAddress"}) {
        map.MapOption(name, kMapFromSource);
        map.DataPosition(name, static_cast<std::int16_t>(column++));
        map.DataWidth(name, 5);
    }
    map.MapOption("Sequence", kAutonumber);
    return map;
}

TEST(ExchMap, ValidationMessages) {
    struct Case {
        const char* what;
        int use;
        int type;
        void (*change)(clsExchMap&);
        const char* lines;  // "" when the map passes
    };
    const Case cases[] = {
        {"valid route map", kMapRoute, kMapFixed, [](clsExchMap&) {}, ""},
        {"required left unmapped", kMapRoute, kMapFixed,
         [](clsExchMap& m) {
             m.MapOption("MeterType", kDoNotMap);
             m.DataPosition("MeterType", 0);
         },
         "\tMapping of MeterType is required\r\n"},
        {"no position", kMapRoute, kMapFixed, [](clsExchMap& m) { m.DataPosition("RouteNbr", 0); },
         "\tPosition of RouteNbr is required\r\n"},
        {"no width, fixed", kMapRoute, kMapFixed,
         [](clsExchMap& m) {
             m.DataPosition("Digits", 3);
             m.MapOption("Digits", kMapFromSource);
         },
         "\tWidth of Digits is required\r\n"},
        {"no width, delimited", kMapRoute, kMapDelimited,
         [](clsExchMap& m) {
             m.DataPosition("Digits", 3);
             m.MapOption("Digits", kMapFromSource);
         },
         ""},
        {"empty constant", kMapRoute, kMapFixed, [](clsExchMap& m) { m.MapOption("User1", kMapConstant); },
         "\tConstant missing for User1\r\n"},
        {"source date without format", kMapRoute, kMapDelimited,
         [](clsExchMap& m) {
             m.MapOption("LstReadingDate", kMapFromSource);
             m.DataPosition("LstReadingDate", 9);
         },
         ""},
        {"two problems in field order", kMapRoute, kMapFixed,
         [](clsExchMap& m) {
             m.MapOption("RouteNbr", kMapPrompt);
             m.MapOption("ServiceAddress", kMapConstant);
             m.MapOption("User5", kMapConstant);
         },
         "\tConstant missing for ServiceAddress\r\n\tConstant missing for User5\r\n"},
        {"written date without format", kMapReading, kMapFixed,
         [](clsExchMap& m) {
             m.MapOption("ReadingDate", kWriteToDestination);
             m.DataPosition("ReadingDate", 11);
             m.DataWidth("ReadingDate", 8);
         },
         "\tDate/Time format missing for ReadingDate\r\n"},
    };
    for (const Case& c : cases) {
        clsExchMap map = c.use == kMapRoute ? ValidRouteMap(c.type) : clsExchMap();
        if (c.use != kMapRoute) {
            map.NewMap("A.zrm", c.use);
            map.MapType(c.type);
        }
        c.change(map);
        std::string message = "untouched";
        const bool ok = map.ValidateMap(message);
        EXPECT_EQ(ok, std::string(c.lines).empty()) << c.what;
        EXPECT_EQ(message, ok ? "untouched" : std::string("Mapping Errors found:\r\n") + c.lines) << c.what;
    }
}

TEST(ExchMap, MappedOKOfAnUnknownItem) {
    clsExchMap map;
    map.NewMap("A.zcm", kMapRoute);
    std::string message = "x";
    EXPECT_FALSE(map.MappedOK("Bogus", message));
    EXPECT_FALSE(map.MappedOK(40, message));
    EXPECT_FALSE(map.MappedOK("Digits", message));
    EXPECT_EQ(message, "x\tMapping of Bogus not complete\r\n\tMapping of 40 not complete\r\n");
}

}  // namespace
}  // namespace zav
