// Typed records: the schema layout, field access by name and position, raw records, detection.
#include "palmdb/palm_db.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/file_io.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

// Text "A", 16-bit "B", text "C", 32-bit "D".
void DeclareExample(clsPalmDB& db) {
    db.ClearSchema();
    db.AddField(kFieldText, "A", -1);
    db.AddField(kFieldInt16, " B ", -1);
    db.AddField(kFieldText, "C", -1);
    db.AddField(kFieldInt32, "D", -1);
}

TEST(PalmDb, SchemaLayoutByteForByte) {
    clsPalmDB db;
    DeclareExample(db);
    EXPECT_EQ(db.FixedSize(), 6);
    EXPECT_EQ(db.TextCount(), 2);
    EXPECT_EQ(db.FieldName(2), "B");
    db.AddNew();
    EXPECT_EQ(db.RawData(), std::string(8, '\0'));
    db.SetItem("A", std::string("xy"));
    db.SetItem("C", std::string("z"));
    db.SetItem("B", std::int32_t{258});
    db.SetItem("D", std::int32_t{1});
    EXPECT_EQ(db.RawData(), std::string("\x01\x02\x00\x00\x00\x01xy\x00z\x00", 11));
    EXPECT_EQ(db.Item("a"), Value(std::string("xy")));
    EXPECT_EQ(db.Item("b"), Value(std::int32_t{258}));
    EXPECT_EQ(db.Item(4), Value(std::int32_t{1}));
    EXPECT_EQ(db.Item("nosuch"), Value());
    EXPECT_EQ(db.FindItem(5), 0);
    db.SetItem("B", std::int32_t{-1});
    EXPECT_EQ(db.Item("B"), Value(std::int32_t{65535}));
}

TEST(PalmDb, TextsKeepTheirNeighbours) {
    clsPalmDB db;
    DeclareExample(db);
    db.AddNew();
    db.SetString(1, "abc");
    db.SetString(2, "defg");
    db.SetString(1, "");
    db.SetString(1, "abc");
    EXPECT_EQ(db.GetString(1), "abc");
    EXPECT_EQ(db.GetString(2), "defg");
    // Zero bytes in a text are dropped, so they cannot split it and shift the texts after it.
    db.SetItem("A", std::string("p\0q", 3));
    EXPECT_EQ(db.GetString(1), "pq");
    EXPECT_EQ(db.GetString(2), "defg");
    EXPECT_THROW(db.SetString(4, "x"), RuntimeError);
}

TEST(PalmDb, UnknownFieldOnWriteShowsAMessage) {
    test::FakeFrontend fake;
    ScopedFrontend scoped(fake);
    clsPalmDB db;
    DeclareExample(db);
    db.AddNew();
    db.SetItem("Nope", std::int32_t{1});
    EXPECT_EQ(db.RawData(), std::string(8, '\0'));
    ASSERT_EQ(fake.calls.size(), 1u);
    EXPECT_NE(fake.calls[0].find("Nope not valid field in Record"), std::string::npos) << fake.calls[0];
}

TEST(PalmDb, RawRecords) {
    clsPalmDB db;
    DeclareExample(db);
    db.SetRawData("");
    EXPECT_EQ(db.SetInt16(0, std::int32_t{6}), 2);  // extends an exactly-long record
    EXPECT_EQ(db.SetInt16(2, std::int32_t{7}), 4);
    EXPECT_EQ(db.RawData(), std::string("\x00\x06\x00\x07", 4));
    EXPECT_THROW(db.SetInt32(2, std::int32_t{1}), RuntimeError) << "SetInt32 does not extend";
    EXPECT_EQ(db.AppendString(0, "AB", true), 4);
    EXPECT_EQ(db.RawData(), std::string("AB\0\0", 4));
    EXPECT_EQ(db.AppendString(0, "AB", false), 3);
    EXPECT_EQ(db.RawData(), std::string("AB\0", 3));
    EXPECT_EQ(db.AppendString(1, std::string("C\0D", 3), false), 4);
    EXPECT_EQ(db.RawData(), std::string("ACD\0", 4));
}

TEST(PalmDb, ShortRecordsReadAsZeroAndEmpty) {
    clsPalmDB db;
    DeclareExample(db);
    struct Case {
        std::string raw;
        std::int32_t b, d;
        std::string a, c;
    } cases[] = {
        {"", 0, 0, "", ""},
        {std::string("\x01\x02\x00\x00", 4), 258, 0, "", ""},            // D lies partly past the end
        {std::string("\x00\x01\x00\x00\x00\x02xy", 8), 1, 2, "xy", ""},  // A without its terminator
        {std::string("\x00\x01\x00\x00\x00\x02x\0y", 9), 1, 2, "x", "y"},
        {std::string("\x00\x01\x00\x00\x00\x02x\0y\0more\0", 15), 1, 2, "x", "y"},
    };
    for (const auto& c : cases) {
        db.SetRawData(c.raw);
        const Values v = db.GetValues();
        EXPECT_EQ(v.Item("B"), Value(c.b)) << c.raw.size();
        EXPECT_EQ(v.Item("D"), Value(c.d)) << c.raw.size();
        EXPECT_EQ(v.Item("A"), Value(c.a)) << c.raw.size();
        EXPECT_EQ(v.Item("C"), Value(c.c)) << c.raw.size();
        EXPECT_EQ(db.GetString(2), c.c);
        EXPECT_EQ(db.GetInt32(100), 0);
    }
}

TEST(PalmDb, OpenDetectsTheContainer) {
    test::TempDir dir;
    clsPalmDB db;
    DeclareExample(db);
    const auto vfs = dir / "a.vfs";
    const auto pdb = dir / "a.pdb";
    ASSERT_EQ(db.CreateDB(kContainerVFS, vfs, "T", "hZVL", "DATA", 0, "", ""), 0);
    db.SetRawData(std::string(300, 'v'));
    db.WriteData();
    db.CloseDB();
    EXPECT_EQ(ReadFileBytes(vfs).substr(0, 4), std::string("\x00\x00\x01\x2C", 4));
    ASSERT_EQ(db.CreateDB(kContainerPDB, pdb, "T", "hZVL", "DATA", 1, "", ""), 0);
    db.AddNew();
    db.WriteData();
    db.CloseDB();

    ASSERT_EQ(db.OpenDB(vfs), 0);
    EXPECT_EQ(db.GetType(), kContainerVFS);
    EXPECT_EQ(db.RecordCount(), -1);
    ASSERT_TRUE(db.ReadData());
    EXPECT_EQ(db.RawData(), std::string(300, 'v'));
    ASSERT_EQ(db.OpenDB(pdb), 0);
    EXPECT_EQ(db.GetType(), kContainerPDB);
    EXPECT_EQ(db.Title(), "T");
    ASSERT_TRUE(db.ReadData(0));
    EXPECT_EQ(db.RawData(), std::string(8, '\0'));

    WriteFileBytes(dir / "junk", "not a database");
    EXPECT_EQ(db.OpenDB(dir / "junk"), -1);
    EXPECT_EQ(db.OpenDB(dir / "missing"), -1);
    EXPECT_THROW(db.ReadData(), RuntimeError) << "no file is open";
}

}  // namespace
}  // namespace zav
