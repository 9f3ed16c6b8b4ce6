// The VFS record stream: length-prefixed records, detection, damaged streams.
#include "palmdb/palm_file_vfs.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

class VfsTest : public testing::Test {
  protected:
    test::TempDir dir;
    std::filesystem::path file = dir / "test.vfs";
};

TEST_F(VfsTest, RecordsAreLengthPrefixed) {
    clsPalmFileVFS vfs;
    ASSERT_EQ(vfs.CreateFile(file, "ignored", "hZVL", "DATA", 5, "", ""), 0);
    vfs.WriteRecord(std::string(300, 'a'));
    vfs.WriteRecord("bc");
    vfs.CloseFile();
    EXPECT_EQ(ReadFileBytes(file),
              std::string("\x00\x00\x01\x2C", 4) + std::string(300, 'a') + std::string("\x00\x00\x00\x02", 4) + "bc");
    EXPECT_TRUE(clsPalmFileVFS().TestFileType(file));

    clsPalmFileVFS back;
    ASSERT_EQ(back.OpenFile(file), 0);
    EXPECT_EQ(back.RecordCount(), -1);
    EXPECT_EQ(back.Title(), "");
    std::string r;
    ASSERT_TRUE(back.ReadRecord(7, r));  // the number is ignored
    EXPECT_EQ(r.size(), 300u);
    ASSERT_TRUE(back.ReadRecord(-1, r));
    EXPECT_EQ(r, "bc");
    EXPECT_EQ(back.Position255(), 255);
    EXPECT_FALSE(back.ReadRecord(-1, r));
    back.Rewind();
    EXPECT_TRUE(back.ReadRecord(-1, r));
    EXPECT_EQ(back.Position255(), 250);  // 304 of 310 bytes
}

TEST_F(VfsTest, DetectionByTheFirstLength) {
    struct Case {
        std::string start;
        bool vfs;
    } cases[] = {
        {std::string("\x00\x00\x01\x2C", 4), true},
        {std::string("\x00\x00\x00\x01", 4), true},
        {std::string("\x00\x00\xFF\xFF", 4), true},
        {std::string("\x00\x01\x00\x00", 4), false},  // 65536
        {std::string("\x00\x00\x00\x00", 4), false},
        {std::string("\x00\x00\x01", 3), false},
        {"Rout", false},
    };
    for (const auto& c : cases) {
        WriteFileBytes(file, c.start);
        EXPECT_EQ(clsPalmFileVFS().TestFileType(file), c.vfs) << c.start.size();
    }
    EXPECT_FALSE(clsPalmFileVFS().TestFileType(dir / "missing"));
}

TEST_F(VfsTest, ZeroLengthRecordEndsASequentialRead) {
    WriteFileBytes(file, std::string("\x00\x00\x00\x01x\x00\x00\x00\x00\x00\x00\x00\x01y", 14));
    clsPalmFileVFS vfs;
    ASSERT_EQ(vfs.OpenFile(file), 0);
    std::string r;
    EXPECT_TRUE(vfs.ReadRecord(-1, r));
    EXPECT_FALSE(vfs.ReadRecord(-1, r));
}

TEST_F(VfsTest, DamagedStreamsAreRefused) {
    const std::string cases[] = {
        std::string("\x00\x00\x00\x05", 4) + "abcd",                      // length past the end
        std::string("\x00\x00\x00\x01", 4) + "a" + std::string(3, '\0'),  // cut inside a length
        std::string("\x7F\xFF\xFF\xFF", 4) + "a",                         // a length far beyond the file
    };
    for (const auto& bytes : cases) {
        WriteFileBytes(file, bytes);
        EXPECT_EQ(clsPalmFileVFS().OpenFile(file), 62);
    }
    EXPECT_EQ(clsPalmFileVFS().OpenFile(std::filesystem::path(ZAV_FIXTURES) / "zav" / "bad_vfs_length_past_end.vfs"),
              62);
}

TEST_F(VfsTest, CreateFileEmptiesAnExistingFile) {
    WriteFileBytes(file, std::string(1000, 'z'));
    clsPalmFileVFS vfs;
    ASSERT_EQ(vfs.CreateFile(file, "", "", "", 0, "", ""), 0);
    vfs.WriteRecord("q");
    vfs.CloseFile();
    EXPECT_EQ(ReadFileBytes(file), std::string("\x00\x00\x00\x01q", 5));
}

}  // namespace
}  // namespace zav
