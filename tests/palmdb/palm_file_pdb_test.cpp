// The Palm database file: exact bytes written, reads by number and in sequence, damaged files.
#include "palmdb/palm_file_pdb.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "core/errors.h"
#include "core/file_io.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

std::uint32_t BE32(const std::string& s, std::size_t at) { return GetBE32(s, at); }

class PdbTest : public testing::Test {
  protected:
    test::TempDir dir;
    std::filesystem::path file = dir / "test.pdb";

    void Write(const std::vector<std::string>& records, std::int32_t presize, const std::string& title = "RouteZAV") {
        clsPalmFilePDB pdb;
        ASSERT_EQ(pdb.CreateFile(file, title, "hZVL", "DATA", presize, "", ""), 0);
        for (const auto& r : records) ASSERT_TRUE(pdb.WriteRecord(r));
        pdb.CloseFile();
    }
};

TEST_F(PdbTest, HeaderRecordListAndDataByteForByte) {
    Write({"abc", "", "de"}, 3);
    const std::string bytes = ReadFileBytes(file);
    std::string expected = std::string("RouteZAV") + std::string(24, '\0');  // name
    expected += std::string(28, '\0');                                       // attributes .. SortInfo
    expected += "DATAhZVL";
    expected += std::string(8, '\0');                                // unique-ID seed, next record list
    expected += std::string("\x00\x03", 2);                          // record count
    expected += std::string("\x00\x00\x00\x66\x00\x00\x00\x00", 8);  // 102, index 0
    expected += std::string("\x00\x00\x00\x69\x00\x00\x00\x01", 8);  // 105, index 1
    expected += std::string("\x00\x00\x00\x69\x00\x00\x00\x02", 8);  // 105, index 2
    expected += "abcde";
    EXPECT_EQ(bytes, expected);
}

TEST_F(PdbTest, PresizeZeroReserves999Entries) {
    Write({"x"}, 0);
    const std::string bytes = ReadFileBytes(file);
    EXPECT_EQ(bytes.size(), 8071u);
    EXPECT_EQ(BE32(bytes, 78), 8070u);
}

TEST_F(PdbTest, ReadsByNumberAndInSequence) {
    Write({"zero", "one", "two"}, 5);
    clsPalmFilePDB pdb;
    ASSERT_EQ(pdb.OpenFile(file), 0);
    EXPECT_EQ(pdb.RecordCount(), 3);
    std::string r;
    ASSERT_TRUE(pdb.ReadRecord(2, r));
    EXPECT_EQ(r, "two");  // the last record runs to the end of the file
    EXPECT_TRUE(pdb.ReadRecord(1, r));
    EXPECT_TRUE(pdb.ReadRecord(-1, r));
    EXPECT_EQ(r, "one") << "a direct read does not advance the sequence";
    EXPECT_TRUE(pdb.ReadRecord(-1, r));
    EXPECT_EQ(r, "two");
    EXPECT_FALSE(pdb.ReadRecord(-1, r));
    EXPECT_EQ(r, "");
    EXPECT_FALSE(pdb.ReadRecord(3, r));
    pdb.Rewind();
    EXPECT_TRUE(pdb.ReadRecord(-1, r));
    EXPECT_EQ(r, "zero");
}

TEST_F(PdbTest, TitlesAndIdentity) {
    struct Case {
        std::string title, shown;
    } cases[] = {
        {"RouteZAV", "RouteZAV"},
        {std::string(32, 'T'), std::string(32, 'T')},
        {std::string(32, 'A') + "BCDEFGHI", std::string(32, 'A')},
    };
    for (const auto& c : cases) {
        Write({}, 1, c.title);
        const std::string bytes = ReadFileBytes(file);
        EXPECT_EQ(bytes.substr(0, 32), (c.shown + std::string(32, '\0')).substr(0, 32));
        clsPalmFilePDB pdb;
        ASSERT_EQ(pdb.OpenFile(file), 0);
        EXPECT_EQ(pdb.Title(), c.shown);
        EXPECT_EQ(pdb.Creator(), "hZVL");
        EXPECT_EQ(pdb.DBType(), "DATA");
        EXPECT_EQ(pdb.RecordCount(), 0);
        EXPECT_TRUE(pdb.ModifyDate().IsZero());
        EXPECT_EQ(pdb.AppInfo(), "");
    }
}

TEST_F(PdbTest, DatesAppInfoAndSortInfoOfForeignFiles) {
    Write({"rec"}, 1);
    std::string bytes = ReadFileBytes(file);
    PutBE32(bytes, 40, 86400);       // modification date
    PutBE32(bytes, 36, 0x80000000);  // a creation date that does not fit reads as no date
    // AppInfo "AI" and SortInfo "SI" between the list and the record.
    bytes.insert(86, "AISI");
    PutBE32(bytes, 52, 86);
    PutBE32(bytes, 56, 88);
    PutBE32(bytes, 78, 90);
    WriteFileBytes(file, bytes);
    clsPalmFilePDB pdb;
    ASSERT_EQ(pdb.OpenFile(file), 0);
    EXPECT_EQ(pdb.ModifyDate().Text(), "1904-01-02 00:00:00");
    EXPECT_TRUE(pdb.CreateDate().IsZero());
    EXPECT_EQ(pdb.AppInfo(), "AI");
    EXPECT_EQ(pdb.SortInfo(), "SI");
    std::string r;
    ASSERT_TRUE(pdb.ReadRecord(0, r));
    EXPECT_EQ(r, "rec");
}

TEST_F(PdbTest, Position255) {
    Write(std::vector<std::string>(256, "r"), 256);
    clsPalmFilePDB pdb;
    ASSERT_EQ(pdb.OpenFile(file), 0);
    std::string r;
    EXPECT_EQ(pdb.Position255(), 0);
    for (int i = 0; i < 128; ++i) pdb.ReadRecord(-1, r);
    EXPECT_EQ(pdb.Position255(), 128);
    while (pdb.ReadRecord(-1, r)) {
    }
    EXPECT_EQ(pdb.Position255(), 255);
}

// Writing past the reserved list grows it: the records written move on and every record reads back,
// however many times the list grew; the list stops at the count field's 65,535 records, where the next
// record is refused as too large and the records written stay intact.
TEST_F(PdbTest, TheRecordListGrowsUpTo65535Records) {
    auto text = [](int i) { return "record " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 7), '+'); };
    {
        clsPalmFilePDB pdb;
        ASSERT_EQ(pdb.CreateFile(file, "RouteZAV", "hZVL", "DATA", 2, "", ""), 0);
        for (int i = 0; i < 3000; ++i) ASSERT_TRUE(pdb.WriteRecord(text(i)));
        pdb.CloseFile();
        clsPalmFilePDB back;
        ASSERT_EQ(back.OpenFile(file), 0);
        ASSERT_EQ(back.RecordCount(), 3000);
        std::string r;
        for (int i = 0; i < 3000; ++i) {
            ASSERT_TRUE(back.ReadRecord(i, r));
            ASSERT_EQ(r, text(i)) << i;
        }
    }
    clsPalmFilePDB pdb;
    ASSERT_EQ(pdb.CreateFile(file, "RouteZAV", "hZVL", "DATA", 0, "", ""), 0);
    for (int i = 0; i < 65535; ++i) pdb.WriteRecord("r");
    try {
        pdb.WriteRecord("one too many");
        FAIL() << "no error";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), kErrOverflow);
        EXPECT_EQ(e.Description(), "The database would be too large: a Palm database holds at most 65535 records");
    }
    pdb.CloseFile();
    clsPalmFilePDB back;
    ASSERT_EQ(back.OpenFile(file), 0);
    EXPECT_EQ(back.RecordCount(), 65535);
    EXPECT_EQ(ReadFileBytes(file).size(), 78u + 8 * 65535 + 65535);
}

TEST_F(PdbTest, CreateFileEmptiesAnExistingFile) {
    WriteFileBytes(file, std::string(20000, 'x'));
    Write({"only"}, 1);
    clsPalmFilePDB pdb;
    ASSERT_EQ(pdb.OpenFile(file), 0);
    std::string r;
    ASSERT_TRUE(pdb.ReadRecord(0, r));
    EXPECT_EQ(r, "only") << "stale bytes must not become part of the last record";
}

TEST_F(PdbTest, CountNeverNamesRecordsNotInTheFileYet) {
    // While writing, look at the file after every record: whatever count it shows, every listed
    // record's bytes are there, and they are the bytes written.
    clsPalmFilePDB pdb;
    ASSERT_EQ(pdb.CreateFile(file, "RouteZAV", "hZVL", "DATA", 6000, "", ""), 0);
    const std::string record(700, 'r');
    std::int32_t seenMax = 0;
    for (int i = 0; i < 6000; ++i) {
        pdb.WriteRecord(record);
        if (i % 250 != 0) continue;
        clsPalmFilePDB reader;
        ASSERT_EQ(reader.OpenFile(file), 0) << "after record " << i;
        std::string r;
        for (std::int32_t k = 0; k < reader.RecordCount(); ++k) {
            ASSERT_TRUE(reader.ReadRecord(k, r));
            ASSERT_EQ(r, record) << "record " << k << " of " << reader.RecordCount();
        }
        EXPECT_LE(reader.RecordCount(), i + 1);
        seenMax = std::max(seenMax, reader.RecordCount());
    }
    EXPECT_GT(seenMax, 0) << "blocks reach the file while writing";
    pdb.CloseFile();
    clsPalmFilePDB done;
    ASSERT_EQ(done.OpenFile(file), 0);
    EXPECT_EQ(done.RecordCount(), 6000);
}

TEST_F(PdbTest, AKilledWriterLeavesTheRecordsWrittenSoFar) {
    auto recordText = [](int i) {
        std::string r = "record " + std::to_string(i);
        return r + std::string(300 - r.size(), '.');
    };
    for (int delayMs : {0, 5, 20, 60}) {
        // The child says when the file is created, so the kill lands while records are written even on a
        // slow machine (before creation there is no file to look at).
        int created[2];
        ASSERT_EQ(pipe(created), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(created[0]);
            clsPalmFilePDB pdb;
            if (pdb.CreateFile(file, "RouteZAV", "hZVL", "DATA", 65535, "", "") != 0) _exit(2);
            if (write(created[1], "c", 1) != 1) _exit(3);
            for (int i = 0; i < 65535; ++i) pdb.WriteRecord(recordText(i));
            pause();  // wait to be killed with everything still open
            _exit(0);
        }
        close(created[1]);
        char c = 0;
        ASSERT_EQ(read(created[0], &c, 1), 1) << "the writer could not create the file";
        close(created[0]);
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);

        clsPalmFilePDB pdb;
        ASSERT_EQ(pdb.OpenFile(file), 0) << delayMs;
        std::string r;
        for (std::int32_t k = 0; k < pdb.RecordCount(); ++k) {
            ASSERT_TRUE(pdb.ReadRecord(k, r));
            // The last listed record may be followed by bytes of a block whose count was not written yet.
            if (k + 1 < pdb.RecordCount())
                ASSERT_EQ(r, recordText(k)) << k;
            else
                ASSERT_EQ(r.substr(0, 300), recordText(k)) << k;
        }
    }
}

TEST_F(PdbTest, DamagedFilesAreRefused) {
    struct Case {
        const char* fixture;
        bool pdb;
    } cases[] = {
        {"bad_header_short.pdb", false},    {"bad_count_beyond_list.pdb", false},
        {"bad_offset_past_end.pdb", false}, {"bad_offset_backwards.pdb", false},
        {"readings_v2.pdb", true},          {"no_header.pdb", true},
    };
    for (const auto& c : cases) {
        clsPalmFilePDB pdb;
        const auto path = std::filesystem::path(ZAV_FIXTURES) / "zav" / c.fixture;
        EXPECT_EQ(pdb.OpenFile(path) == 0, c.pdb) << c.fixture;
        EXPECT_EQ(pdb.TestFileType(path), c.pdb) << c.fixture;
    }
    clsPalmFilePDB pdb;
    EXPECT_EQ(pdb.OpenFile(dir / "missing.pdb"), kErrFileNotFound);
    EXPECT_FALSE(std::filesystem::exists(dir / "missing.pdb"));
}

}  // namespace
}  // namespace zav
