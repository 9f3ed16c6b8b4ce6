// The fixed-layout record engine: declaring fields, reading each field type with its defaults, writing
// values with the insertion rules, and assembling lines.
#include "hostformats/rec_type.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <random>

#include "core/frontend.h"
#include "hostformats/date_serial.h"
#include "support/fake_frontend.h"

namespace zav {
namespace {

clsField Field(std::int16_t type, std::int16_t pos, std::int16_t len) {
    clsField f;
    f.FieldName = "F";
    f.FieldType = type;
    f.FieldPos = pos;
    f.FieldLen = len;
    return f;
}

std::string Inserted(std::int16_t type, std::int16_t len, const Value& value, bool* whole = nullptr) {
    std::string line;
    const bool ok = Field(type, 1, len).Insert(line, value);
    if (whole != nullptr) *whole = ok;
    return line;
}

TEST(RecType, FieldsFollowOneAnotherAndTheIdentifierIsCaseSensitive) {
    clsRecType rec;
    rec.SetID(1, 3, "FHD");
    rec.AddField("RecID", kHostText, 0, 3);
    rec.AddField("A", kHostText, 0, 1);
    rec.AddField("B", kHostText, 0, 5);
    EXPECT_EQ(rec.Fields()[1].FieldPos, 4);
    EXPECT_EQ(rec.Fields()[2].FieldPos, 5);
    EXPECT_EQ(rec.RecLen(), 9);
    // An explicit position is kept, and the record length still grows by the width.
    rec.AddField("C", kHostText, 20, 2);
    EXPECT_EQ(rec.Fields()[3].FieldPos, 20);
    EXPECT_EQ(rec.RecLen(), 11);

    EXPECT_TRUE(rec.TestID("FHD123"));
    EXPECT_FALSE(rec.TestID("fhd123"));
    EXPECT_FALSE(rec.TestID("FH"));
    EXPECT_FALSE(rec.TestID(""));
}

TEST(RecType, ParseStoresEveryFieldUnderAnyCaseAndClearsThePreviousValues) {
    clsRecType rec;
    rec.SetID(1, 3, "CUS");
    rec.AddField("RecID", kHostText, 0, 3);
    rec.AddField("Name", kHostText, 0, 6);
    rec.AddField("Count", kHostZeroPadded, 0, 4);
    rec.Parse("CUSAnn   0012");
    EXPECT_EQ(rec.Text("name"), "Ann   ");
    EXPECT_EQ(rec.Value("COUNT"), Value(std::int32_t{12}));
    EXPECT_EQ(rec.cvarBuffer, "CUSAnn   0012");
    rec.Value("Other", std::string("kept"));
    EXPECT_EQ(rec.Text("other"), "kept");
    // A line cut short reads empty texts and default numbers.
    rec.Parse("CUSBo");
    EXPECT_EQ(rec.Text("Name"), "Bo");
    EXPECT_EQ(rec.Value("Count"), Value(std::int32_t{0}));
    EXPECT_EQ(rec.Value("Other"), Value());
    EXPECT_EQ(rec.Value("Missing"), Value());
}

TEST(RecType, ExtractReadsEachTypeAndFallsBackToItsDefault) {
    struct Case {
        std::int16_t type, len;
        std::string text;
        Value expected;
    };
    const double march15 = DateSerial(2004, 3, 15);
    const Case cases[] = {
        {kHostText, 5, "ab   ", std::string("ab   ")},
        {kHostText, 5, "", std::string()},
        {kHostZeroPadded, 4, "  12", std::int32_t{12}},
        {kHostZeroPadded, 4, "1 2x", std::int32_t{12}},
        {kHostZeroPadded, 4, "abcd", std::int32_t{0}},
        {kHostZeroPadded, 10, "9999999999", std::int32_t{0}},  // does not fit 32 bits
        {kHostZeroPadded, 4, "    ", std::int32_t{0}},
        // Digits only, read a word at a time: up to nine after the leading zeros fit.
        {kHostZeroPadded, 1, "7", std::int32_t{7}},
        {kHostZeroPadded, 8, "12345678", std::int32_t{12345678}},
        {kHostZeroPadded, 9, "999999999", std::int32_t{999999999}},
        {kHostZeroPadded, 10, "0000000012", std::int32_t{12}},
        {kHostZeroPadded, 10, "0123456789", std::int32_t{123456789}},
        {kHostZeroPadded, 10, "2147483647", std::int32_t{2147483647}},
        {kHostZeroPadded, 16, "0000000987654321", std::int32_t{987654321}},
        {kHostZeroPadded, 16, "9999999999999999", std::int32_t{0}},  // does not fit 32 bits
        {kHostZeroPadded, 17, "00000000000000042", std::int32_t{42}},
        {kHostZeroPadded, 10, "00000001:2", std::int32_t{1}},
        {kHostInteger, 6, " 12.5 ", std::int16_t{12}},
        {kHostInteger, 6, "99999", std::int16_t{0}},
        {kHostInteger, 4, "12a", std::int16_t{0}},
        {kHostLong, 6, "  -7  ", std::int32_t{-7}},
        {kHostDouble, 6, "12.25", 12.25},
        {kHostMoney, 8, "00012.50", 12.5},
        {kHostMoney, 8, "xx", 0.0},
        {kHostDate, 6, "031504", march15},
        {kHostDate, 6, "000000", 0.0},
        {kHostDate, 6, "123199", DateSerial(1999, 12, 31)},
        {kHostDate, 6, "022930", 0.0},  // no 29 February 1930
        {kHostDate, 8, "03152004", march15},
        {kHostDate, 8, "        ", 0.0},
        {kHostDate, 10, "3/15/2004", march15},
        {kHostDate, 10, "tomorrow", 0.0},
        {kHostStamp, 14, "20040315093015", march15 + (9 * 3600 + 30 * 60 + 15) / 86400.0},
        {kHostStamp, 14, "2004031509301", Value()},
        {kHostTime, 4, "0930", (9 * 60 + 30) / 1440.0},
        {kHostTime, 4, "2560", Value()},
        {kHostTime, 6, "093015", (9 * 3600 + 30 * 60 + 15) / 86400.0},
        {kHostTime, 6, "      ", 0.0},
        {kHostTime, 5, "09301", Value()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " '" + c.text + "'");
        EXPECT_EQ(Field(c.type, 1, c.len).Extract(c.text), c.expected);
    }
}

// A record with whole-number fields of every kind and width beside texts: the fields a line's numbers
// too large and its values are read from.
clsRecType MixedRecord() {
    clsRecType rec;
    rec.SetID(1, 1, "M");
    rec.AddField("RecID", kHostText, 0, 1);
    rec.AddField("Small", kHostZeroPadded, 0, 3);
    rec.AddField("Wide", kHostZeroPadded, 0, 10);
    rec.AddField("Text", kHostText, 0, 5);
    rec.AddField("Short", kHostInteger, 0, 6);
    rec.AddField("Long", kHostLong, 0, 12);
    rec.AddField("Nine", kHostZeroPadded, 0, 9);
    rec.AddField("Money", kHostMoney, 0, 4);
    rec.AddField("Last", kHostZeroPadded, 0, 11);
    return rec;
}

TEST(RecType, NumbersTooLargeAndValuesReadAlikeWhateverTheLineHolds) {
    // Lines of digits, blanks, zeros and a few other bytes, cut at any length: the fields noted too large
    // are those whose own reading finds a number too large, and every value read by position (text and
    // number) is the one read by name from a record that stored it.
    const clsRecType layout = MixedRecord();
    clsRecType byPosition = MixedRecord(), byName = MixedRecord();
    std::mt19937 random(15);
    const std::string common = "0000000000123456789          ";
    const std::string rare = "9E-.&H\x80+";
    std::string scratch;
    for (int round = 0; round < 4000; ++round) {
        std::string line = "M";
        const std::size_t length = random() % (layout.RecLen() + 4);
        while (line.size() < length) {
            const bool odd = random() % 40 == 0;
            line += odd ? rare[random() % rare.size()] : common[random() % common.size()];
        }
        SCOPED_TRACE("'" + line + "'");
        std::vector<std::string> expected;
        for (const clsField& field : layout.Fields()) {
            bool tooLarge = false;
            field.Extract(line, &tooLarge);
            if (tooLarge) expected.push_back(field.FieldName);
        }
        byPosition.Parse(line);
        byName.Parse(line);
        for (int i = 0; i < static_cast<int>(layout.Fields().size()); ++i) {
            const std::string& name = layout.Fields()[static_cast<std::size_t>(i)].FieldName;
            ASSERT_EQ(byPosition.TextAt(i, scratch), ValueText(byName.Value(name))) << name;
            ASSERT_EQ(byPosition.NumberAt(i), byName.Number(name)) << name;
        }
        byPosition.Parse(line);
        ASSERT_EQ(byPosition.TooLargeFields(), expected);
        ASSERT_EQ(byName.TooLargeFields(), expected) << "after every field was read";
    }
}

TEST(RecType, InsertFormatsEachType) {
    struct Case {
        std::int16_t type, len;
        Value value;
        std::string expected;
        bool whole;
    };
    const Case cases[] = {
        {kHostZeroPadded, 4, std::int32_t{37}, "0037", true},
        {kHostZeroPadded, 4, 2.5, "0003", true},    // halves away from zero
        {kHostZeroPadded, 4, -2.5, "-000", false},  // "-0003" cut to the width
        {kHostZeroPadded, 4, std::string("12"), "0012", true},
        {kHostZeroPadded, 4, std::string(""), "    ", true},
        {kHostZeroPadded, 4, std::string("AB"), "AB  ", true},
        {kHostZeroPadded, 4, Value(), "0000", true},
        {kHostZeroPadded, 8, std::int32_t{123456789}, "12345678", false},
        {kHostZeroPadded, 4, std::int32_t{0}, "0000", true},
        {kHostZeroPadded, 4, std::int32_t{9999}, "9999", true},
        {kHostZeroPadded, 4, std::int32_t{-37}, "-003", false},  // the sign goes before all four digits
        {kHostZeroPadded, 4, std::int32_t{-1234}, "-123", false},
        {kHostZeroPadded, 10, std::int32_t{INT32_MIN}, "-214748364", false},
        {kHostZeroPadded, 10, std::int32_t{INT32_MAX}, "2147483647", true},
        {kHostZeroPadded, 0, std::int32_t{0}, "", false},  // even 0 needs a digit
        {kHostZeroPadded, 4, std::string("007"), "0007", true},
        {kHostZeroPadded, 12, std::string("1234567890"), "001234567890", true},
        {kHostZeroPadded, 4, std::string(" 7 "), "0007", true},
        {kHostZeroPadded, 4, std::string("1 2"), "1 2 ", true},  // no blanks inside a number
        {kHostInteger, 4, std::int16_t{-5}, "-000", false},
        {kHostInteger, 2, std::int16_t{7}, "07", true},
        {kHostMoney, 8, 12.5, "00012.50", true},
        {kHostText, 4, std::string("abcdef"), "abcd", true},
        {kHostText, 4, std::string("ab"), "ab  ", true},
        {kHostText, 4, std::int32_t{12}, "12  ", true},
        {kHostLong, 6, 12.5, "12.5  ", true},
        {kHostDate, 6, DateSerial(2004, 3, 15), "031504", true},
        {kHostDate, 6, 0.0, "000000", true},
        {kHostDate, 6, Value(), "000000", true},
        {kHostDate, 8, DateSerial(2004, 3, 15), "03152004", true},
        {kHostDate, 8, std::string("3/15/2004"), "03152004", true},
        {kHostDate, 4, DateSerial(2004, 3, 15), "    ", true},
        {kHostStamp, 17, DateSerial(2004, 3, 15) + 0.5, "03152004 12:00:00", true},
        {kHostTime, 4, std::int32_t{930}, "930 ", true},
        {kHostTime, 6, std::string("093015"), "093015", true},
        {kHostTime, 6, std::int32_t{0}, "0     ", true},
        {kHostTime, 5, std::int32_t{930}, "     ", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.type) + " -> '" + c.expected + "'");
        bool whole = false;
        EXPECT_EQ(Inserted(c.type, c.len, c.value, &whole), c.expected);
        EXPECT_EQ(whole, c.whole);
    }
}

TEST(RecType, InsertOverwritesInPlaceAndPadsAShortLine) {
    std::string line = "ABCDEFGH";
    Field(kHostText, 3, 2).Insert(line, std::string("xy"));
    EXPECT_EQ(line, "ABxyEFGH");
    std::string shortLine = "AB";
    Field(kHostText, 5, 2).Insert(shortLine, std::string("z"));
    EXPECT_EQ(shortLine, "AB  z ");
}

TEST(RecType, UndefinedFieldTypeIsShownAndGivesNothing) {
    test::FakeFrontend fe;
    ScopedFrontend scope(fe);
    EXPECT_EQ(Field(6, 1, 3).Extract("abc"), Value());
    EXPECT_EQ(Inserted(6, 3, std::string("abc")), "   ");
    ASSERT_EQ(fe.calls.size(), 2u);
    EXPECT_NE(fe.calls[0].find("Undefined Field Type"), std::string::npos);
}

TEST(RecType, BufferAssemblesStoredValuesAndPadsButNeverCuts) {
    clsRecType rec;
    rec.SetID(1, 3, "RDG");
    rec.AddField("RecID", kHostText, 0, 3);
    rec.AddField("Text", kHostText, 0, 4);
    rec.AddField("Reading", kHostZeroPadded, 0, 5);
    rec.Init();
    rec.Value("RecID", std::string("RDG"));
    EXPECT_EQ(rec.Buffer(126), "RDG" + std::string(123, ' '));
    rec.Value("Reading", std::int32_t{42});
    EXPECT_EQ(rec.Buffer(0), "RDG    00042");  // a field without a value stays blank
    rec.Value("Reading", std::int32_t{1234567});
    EXPECT_EQ(rec.Buffer(8), "RDG    12345");
    ASSERT_EQ(rec.CutFields().size(), 1u);
    EXPECT_EQ(rec.CutFields()[0], "Reading");
    rec.AddField("Wide", kHostText, 0, 116);  // now reaches column 128
    rec.Value("Wide", std::string("w"));
    EXPECT_EQ(rec.Buffer(126).size(), 128u);
    EXPECT_TRUE(rec.CutFields().empty() == false);
}

// A record with one field of each kind the upload writers fill, and a line assembled from scratch for the
// values of `rec` (what any later assembly of the same values must give).
clsRecType SampleRecord() {
    clsRecType rec;
    rec.SetID(1, 3, "RDG");
    rec.AddField("RecID", kHostText, 0, 3);
    rec.AddField("Name", kHostText, 0, 6);
    rec.AddField("Count", kHostZeroPadded, 0, 4);
    rec.AddField("When", kHostDate, 0, 8);
    rec.AddField("Amount", kHostMoney, 0, 8);
    rec.AddField("Note", kHostText, 0, 5);
    return rec;
}

// The line and cut fields of a record assembled from scratch with the values of `rec`.
std::pair<std::string, std::vector<std::string>> Fresh(const clsRecType& rec, int padTo) {
    clsRecType fresh = SampleRecord();
    for (const clsField& f : rec.Fields())
        if (const Value& v = rec.Value(f.FieldName); !std::holds_alternative<std::monostate>(v))
            fresh.Value(f.FieldName, v);
    std::string line = fresh.Buffer(padTo);
    return {line, fresh.CutFields()};
}

TEST(RecType, ALineAssembledAgainWritesOnlyWhatChangedAndEqualsOneAssembledAnew) {
    clsRecType rec = SampleRecord();
    const int name = rec.FieldIndex("name"), count = rec.FieldIndex("Count"), note = rec.FieldIndex("Note");
    EXPECT_EQ(rec.FieldIndex("RecID"), 0);
    EXPECT_EQ(rec.FieldIndex("Missing"), -1);
    rec.SetText(rec.FieldIndex("RecID"), "RDG");
    rec.SetText(name, "Wilhelmina");  // longer than the field
    rec.SetValue(count, std::int32_t{12345});  // cut
    rec.SetValue(rec.FieldIndex("When"), DateSerial(2026, 3, 16));
    EXPECT_EQ(rec.Buffer(40), "RDGWilhel123403162026" + std::string(19, ' '));
    EXPECT_EQ(rec.CutFields(), std::vector<std::string>{"Count"});

    struct Step {
        const char* what;
        std::function<void(clsRecType&)> change;
        int padTo;
    };
    const Step steps[] = {
        {"a shorter text keeps no characters of the longer one", [&](clsRecType& r) { r.SetText(name, "Al"); }, 40},
        {"an unchanged cut number stays reported", [&](clsRecType&) {}, 40},
        {"another cut number is reported after it", [&](clsRecType& r) { r.SetValue(4, 1e7); }, 40},
        {"a number that fits is no longer reported", [&](clsRecType& r) { r.SetValue(count, std::int32_t{7}); }, 40},
        {"a field set for the first time lengthens the line", [&](clsRecType& r) { r.SetText(note, "xy"); }, 0},
        {"a text where a number was", [&](clsRecType& r) { r.SetText(count, "12"); }, 0},
        {"a number where a text was", [&](clsRecType& r) { r.SetValue(count, 2.5); }, 0},
        {"a value set by name", [&](clsRecType& r) { r.Value("Amount", 12.5); }, 30},
        {"position -1 sets nothing", [&](clsRecType& r) { r.SetText(-1, "zz"); }, 30},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change(rec);
        const auto [line, cut] = Fresh(rec, step.padTo);
        EXPECT_EQ(rec.Buffer(step.padTo), line);
        EXPECT_EQ(rec.CutFields(), cut);
    }
    EXPECT_EQ(rec.Text("Name"), "Al");
    EXPECT_TRUE(rec.CutFields().empty());

    // Cleared values start a new line: fields without a value are blank again.
    rec.Init();
    rec.SetText(note, "n");
    EXPECT_EQ(rec.Buffer(0), std::string(29, ' ') + "n    ");
}

TEST(RecType, AValueThatCannotBeFormattedOnAssemblingAgainGivesAnEmptyLineAndTheNextStartsAnew) {
    test::FakeFrontend fe;
    ScopedFrontend scope(fe);
    clsRecType rec = SampleRecord();
    rec.SetText(0, "RDG");
    rec.SetValue(2, std::int32_t{99999});
    EXPECT_EQ(rec.Buffer(0), "RDG      9999");
    rec.SetText(3, "not a date");
    EXPECT_EQ(rec.Buffer(0), "");
    EXPECT_EQ(rec.CutFields(), std::vector<std::string>{"Count"}) << "the cut fields before the failing one";
    ASSERT_EQ(fe.calls.size(), 1u);
    rec.SetValue(3, 0.0);
    EXPECT_EQ(rec.Buffer(0), "RDG      999900000000");
}

TEST(RecType, FieldsSharingColumnsAreAssembledWholeEachTime) {
    clsRecType rec;
    rec.AddField("Wide", kHostText, 1, 6);
    rec.AddField("Inner", kHostText, 3, 2);  // over the middle of Wide: written after it
    rec.SetText(1, "ab");
    rec.SetText(0, "123456");
    EXPECT_EQ(rec.Buffer(0), "12ab56");
    rec.SetText(0, "zzzzzz");
    EXPECT_EQ(rec.Buffer(0), "zzabzz");
}

TEST(RecType, BufferOfAValueThatCannotBeFormattedIsShownAndGivesAnEmptyLine) {
    test::FakeFrontend fe;
    ScopedFrontend scope(fe);
    clsRecType rec;
    rec.AddField("RecID", kHostText, 0, 3);
    rec.AddField("When", kHostDate, 0, 8);
    rec.Value("RecID", std::string("RDG"));
    rec.Value("When", std::string("not a date"));
    EXPECT_EQ(rec.Buffer(20), "");
    ASSERT_EQ(fe.calls.size(), 1u);
    EXPECT_NE(fe.calls[0].find("Type mismatch"), std::string::npos);
}

TEST(DateSerial, CountsDaysFromThirtyDecember1899) {
    EXPECT_EQ(DateSerial(1899, 12, 30), 0);
    EXPECT_EQ(DateSerial(1900, 1, 1), 2);
    EXPECT_EQ(DateSerial(2004, 3, 15), 38061);
    const CivilDate d = DateFromSerial(38061.75);
    EXPECT_EQ(d.year, 2004);
    EXPECT_EQ(d.month, 3);
    EXPECT_EQ(d.day, 15);
    EXPECT_EQ(DateFromText(ShortDateText(38061)), 38061);
    EXPECT_EQ(DateFromText("2/30/2004"), std::nullopt);
    EXPECT_EQ(DateFromText("3/15/29"), DateSerial(2029, 3, 15));
    EXPECT_EQ(DateFromText("3/15/30"), DateSerial(1930, 3, 15));
}

}  // namespace
}  // namespace zav
