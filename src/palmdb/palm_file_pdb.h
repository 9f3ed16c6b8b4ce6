// clsPalmFilePDB: the Palm database file (".pdb").
//
// Layout (all numbers big-endian):
//   offset  size  field
//        0    32  name: the title cut to 32 bytes, zero-padded (32 characters have no terminator)
//       32     2  attributes              34  2  version
//       36     4  creation date           40  4  modification date     44  4  last backup date
//       48     4  modification number     52  4  AppInfo offset        56  4  SortInfo offset
//       60     4  database type           64  4  creator               68  4  unique-ID seed
//       72     4  next record list        76  2  number of records
//       78   8*N  record list: data offset (4), attributes (1), unique ID (3: 0, then the index as 16 bits)
//   78+8*N        record data, one record after the other in write order, no gap after the list
// Dates count seconds since 1 January 1904; everything this program does not use is written as 0.
//
// Writing reserves N list entries at creation and appends records in blocks. A block is written
// data first, then its list entries, then the record count, so the count never names a record whose
// bytes are not in the file yet: a run stopped at any point leaves a file holding the records
// written so far or fewer. When the reserved entries are used up the list grows (the records move
// on, hidden by a count of 0 until their entries are rewritten), up to the count field's 65,535.
#pragma once

#include <vector>

#include "palmdb/block_reader.h"
#include "palmdb/block_writer.h"
#include "palmdb/palm_file.h"

namespace zav {

class clsPalmFilePDB final : public IPalmFile {
  public:
    static constexpr std::size_t kHeaderSize = 78;  // through the record count
    static constexpr std::size_t kEntrySize = 8;
    static constexpr std::size_t kCountOffset = 76;
    static constexpr std::int32_t kDefaultPresize = 999;

    ~clsPalmFilePDB() override;

    bool TestFileType(const std::filesystem::path& name) override;
    // An existing file is emptied first. `presize` must be 0 to 65535 (else error 5).
    std::int16_t CreateFile(const std::filesystem::path& name, const std::string& title, const std::string& creator,
                            const std::string& dbType, std::int32_t presize, const std::string& appInfo,
                            const std::string& sortInfo) override;
    void Rewind() override { next_ = 0; }
    // The record list grows as needed. THROWS RuntimeError(6) for a 65,536th record ("too large"); the
    // records written stay intact.
    bool WriteRecord(std::string_view data) override;
    std::int16_t OpenFile(const std::filesystem::path& name) override;
    std::int32_t RecordCount() override { return count_; }
    bool ReadRecord(std::int32_t k, std::string& buffer) override;
    std::string Title() override;
    std::string Creator() override { return header_.substr(64, 4); }
    std::string DBType() override { return header_.substr(60, 4); }
    std::string AppInfo() override;
    std::string SortInfo() override;
    PalmDate CreateDate() override { return DateAt(36); }
    PalmDate ModifyDate() override { return DateAt(40); }
    std::int32_t Attributes() override { return static_cast<std::int32_t>(GetBE16(header_, 32)); }
    PalmDate BackupDate() override { return DateAt(44); }
    std::int16_t Position255() override;
    // 0 once every record in the list was read; else the bytes from the next record on.
    std::uint64_t BytesLeft() override;
    std::int16_t CloseFile() override;

    // Reads a file image held in memory, as OpenFile reads a file.
    // THROWS RuntimeError(62) when the header, the record list or an offset does not fit the bytes
    // (offsets must lie after the list, in order, within the file).
    void LoadImage(std::string bytes);

  private:
    PalmDate DateAt(std::size_t offset) const;
    // Reads the header and the record list from reader_ and checks them against the file's length.
    void ReadIndex();
    // The bytes [begin, end) of the file, empty when the range is not within it.
    std::string Range(std::uint64_t begin, std::uint64_t end);
    void FlushBlock();
    // Reserves more list entries, moving the records written so far.
    void GrowList();
    void Reset();

    std::string header_ = std::string(kHeaderSize, '\0');
    std::int32_t count_ = 0;
    std::int32_t next_ = 0;               // next record of a sequential read
    std::vector<std::uint32_t> offsets_;  // count_ + 1 entries while reading; the last is the file length
    BlockReader reader_;                  // the file while reading

    // Writing.
    BlockWriter writer_;
    std::int32_t reserved_ = 0;
    std::int32_t flushedCount_ = 0;  // records whose entries and count are in the file
    std::string pendingEntries_;     // list entries of the records not flushed yet
};

}  // namespace zav
