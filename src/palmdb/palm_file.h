// IPalmFile: the record file interface the typed record layer reads and writes through. Two
// implementations: clsPalmFilePDB (Palm database file) and clsPalmFileVFS (plain record stream).
//
// Records are byte strings (one byte per character), appended in order when writing; reading is by
// record number or sequential. Readers check every length and offset against the file's real length
// when the file is opened, so a damaged file is refused by OpenFile and nothing reads past its end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "palmdb/byte_codec.h"

namespace zav {

class IPalmFile {
  public:
    virtual ~IPalmFile() = default;

    // True when the file can be opened as this kind of file; the file is closed again.
    virtual bool TestFileType(const std::filesystem::path& name) = 0;
    // Creates (or empties) the file for writing. `presize` reserves that many records (0: 999) where
    // the container has a record list. Returns 0, or the run-time error number when it fails.
    virtual std::int16_t CreateFile(const std::filesystem::path& name, const std::string& title,
                                    const std::string& creator, const std::string& dbType, std::int32_t presize,
                                    const std::string& appInfo, const std::string& sortInfo) = 0;
    // The next sequential read returns record 0.
    virtual void Rewind() = 0;
    // Appends a record. Writes go out in large blocks; the file is complete after CloseFile.
    // THROWS RuntimeError (9 when the reserved record list is full, file errors).
    virtual bool WriteRecord(std::string_view data) = 0;
    // Opens the file for reading. Returns 0, or the run-time error number (53 missing, 62 damaged ...).
    virtual std::int16_t OpenFile(const std::filesystem::path& name) = 0;
    // Number of records (0 to 65535), -1 when the container has no count.
    virtual std::int32_t RecordCount() = 0;
    // Reads record `k` (negative: the next one in sequence) into `buffer`; false when there is none.
    virtual bool ReadRecord(std::int32_t k, std::string& buffer) = 0;
    virtual std::string Title() = 0;
    virtual std::string Creator() = 0;
    virtual std::string DBType() = 0;
    virtual std::string AppInfo() = 0;
    virtual std::string SortInfo() = 0;
    virtual PalmDate CreateDate() = 0;
    virtual PalmDate ModifyDate() = 0;
    virtual std::int32_t Attributes() = 0;
    virtual PalmDate BackupDate() = 0;
    // Progress of sequential reading, 0 to 255.
    virtual std::int16_t Position255() = 0;
    // Bytes of the file that sequential reading has not reached: after the last record they are 0; a
    // stream that a zero-length record ended early has the bytes after it.
    virtual std::uint64_t BytesLeft() = 0;
    // Writes what is still buffered and closes the file; always 0.
    // THROWS RuntimeError when the buffered records cannot be written.
    virtual std::int16_t CloseFile() = 0;
};

}  // namespace zav
