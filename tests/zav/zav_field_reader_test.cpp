// Reading fields by position gives what reading them by name gives, for every field of whole, cut short
// and oddly filled records.
#include "zav/zav_field_reader.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/number.h"

namespace zav {
namespace {

// What a converter reads by name: the value's text, and its number as a 32-bit integer (0 when it
// does not fit).
std::int32_t LongByName(const clsZAV& db, const std::string& name) {
    try {
        return CLng(ValueNumber(db.Item(name)));
    } catch (const RuntimeError&) {
        return 0;
    }
}

void ExpectSameAsByName(const clsZAV& db, std::int32_t version) {
    ZAVFieldReader read(db);
    read.Load();
    std::string scratch;
    for (const std::string& name : ZAVFieldNames(3)) {
        SCOPED_TRACE(name);
        const int field = read.Find(name);
        EXPECT_EQ(field == 0, version < 3 && db.DB().FindItem(name) == 0);
        EXPECT_EQ(std::string(read.Text(field, scratch)), ValueText(db.Item(name)));
        EXPECT_EQ(read.Long(field), LongByName(db, name));
    }
}

TEST(ZAVFieldReader, ReadsWhatTheFieldsByNameRead) {
    clsZAV db;
    db.SetVersion(3);
    db.AddNew();
    db.SetItem("RecType", std::int32_t{kRecMeter});
    db.SetItem("RouteNbr", std::int32_t{-7});
    db.SetItem("Sequence", std::int32_t{INT32_MAX});
    db.SetItem("MeterType", std::int32_t{255});
    db.SetItem("ResponseCode", std::int32_t{65535});
    db.SetItem("CurReading", std::int32_t{INT32_MIN});
    db.SetItem("Initials", std::string("00000101"));
    db.SetItem("ResponseText", std::string(" 42 "));      // a number in a text
    db.SetItem("Message", std::string("99999999999"));    // too large for 32 bits: 0
    db.SetItem("User1", std::string("a~b\1c"));
    db.SetItem("User5", std::string("last"));
    ExpectSameAsByName(db, 3);

    // A record cut short: the fixed area ends inside the numbers, and no text is there.
    const std::string whole = db.RawData();
    for (std::size_t size : {std::size_t{0}, std::size_t{3}, std::size_t{20}, std::size_t{76}, std::size_t{80},
                             whole.size() - 1}) {
        SCOPED_TRACE(size);
        db.SetRawData(whole.substr(0, size));
        ExpectSameAsByName(db, 3);
    }
    // One reader over record after record: each Load takes the texts of the record then current.
    ZAVFieldReader reader(db);
    const int user5 = reader.Find("User5"), initials = reader.Find("Initials");
    db.SetRawData(whole);
    reader.Load();
    EXPECT_EQ(reader.TextView(user5), "last");
    db.SetRawData(whole.substr(0, 80));
    reader.Load();
    EXPECT_EQ(reader.TextView(initials), "0000");
    EXPECT_EQ(reader.TextView(user5), "");

    // Texts without their ending zero byte, and more zero bytes than texts.
    db.SetRawData(whole.substr(0, 76) + "abc");
    ExpectSameAsByName(db, 3);
    db.SetRawData(whole + std::string(5, '\0') + "x");
    ExpectSameAsByName(db, 3);
}

TEST(ZAVFieldReader, FieldsAnOlderSchemaLacksReadEmpty) {
    clsZAV db;
    db.SetVersion(0);  // numbers only
    db.AddNew();
    db.SetItem("RouteNbr", std::int32_t{3});
    ExpectSameAsByName(db, 0);
    ZAVFieldReader read(db);
    EXPECT_EQ(read.Find("User1"), 0);
    EXPECT_EQ(read.Find("routenbr"), read.Find("RouteNbr")) << "names in any case";
    EXPECT_EQ(read.TextView(read.Find("RouteNbr")), "") << "a number field has no text view";
}

}  // namespace
}  // namespace zav
