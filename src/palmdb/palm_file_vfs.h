// clsPalmFileVFS: the record stream written for the handheld's expansion-card file system.
//
// Layout: no header; each record is its length L (4 bytes, big-endian) followed by its L bytes.
// There is no record list, so records are read in order only and the count is -1. A zero length
// ends a sequential read. OpenFile walks the whole chain of lengths and refuses a file where a
// length runs past the end.
#pragma once

#include "palmdb/block_writer.h"
#include "palmdb/palm_file.h"

namespace zav {

class clsPalmFileVFS final : public IPalmFile {
  public:
    static constexpr std::size_t kLengthSize = 4;

    ~clsPalmFileVFS() override;

    // True when the first four bytes are 00 00 followed by two bytes not both 0 (a first record of
    // 1 to 65535 bytes).
    bool TestFileType(const std::filesystem::path& name) override;
    // Creates the file, or empties an existing one; title, creator, type, presize and the info blocks
    // have no place in the stream.
    std::int16_t CreateFile(const std::filesystem::path& name, const std::string& title, const std::string& creator,
                            const std::string& dbType, std::int32_t presize, const std::string& appInfo,
                            const std::string& sortInfo) override;
    void Rewind() override { position_ = 0; }
    bool WriteRecord(std::string_view data) override;
    std::int16_t OpenFile(const std::filesystem::path& name) override;
    std::int32_t RecordCount() override { return -1; }
    // Ignores `k`: always the next record. False at the end and for a zero-length record.
    bool ReadRecord(std::int32_t k, std::string& buffer) override;
    std::string Title() override { return ""; }
    std::string Creator() override { return ""; }
    std::string DBType() override { return ""; }
    std::string AppInfo() override { return ""; }
    std::string SortInfo() override { return ""; }
    PalmDate CreateDate() override { return {}; }
    PalmDate ModifyDate() override { return {}; }
    std::int32_t Attributes() override { return 0; }
    PalmDate BackupDate() override { return {}; }
    std::int16_t Position255() override;
    std::uint64_t BytesLeft() override { return image_.size() - position_; }
    std::int16_t CloseFile() override;

    // Reads a whole stream. THROWS RuntimeError(62) when a length runs past the end or the last
    // length field is cut short.
    void LoadImage(std::string bytes);

  private:
    std::string image_;
    std::size_t position_ = 0;
    BlockWriter writer_;
};

}  // namespace zav
