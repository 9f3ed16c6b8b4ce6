// Appends records to a new file in large blocks: data is gathered in memory and written with one
// system call per block, so writing a database costs a few system calls per megabyte, not per record.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zav {

class BlockWriter {
  public:
    // Bytes gathered before they are written out.
    static constexpr std::size_t kBlockSize = 1 << 20;

    BlockWriter() = default;
    ~BlockWriter();
    BlockWriter(const BlockWriter&) = delete;
    BlockWriter& operator=(const BlockWriter&) = delete;

    // Creates the file, or empties an existing one. THROWS RuntimeError when it cannot be opened.
    void Create(const std::filesystem::path& name);
    bool IsOpen() const { return fd_ >= 0; }

    // Adds bytes at the end of the file (buffered).
    void Append(std::string_view bytes) { pending_.append(bytes); }
    bool BlockFull() const { return pending_.size() >= kBlockSize; }
    // The file's length once everything appended is written.
    std::uint64_t Length() const { return written_ + pending_.size(); }
    // Writes the appended bytes out. THROWS RuntimeError on a write error.
    void FlushAppended();
    // Writes `bytes` at `offset` now (the file must already reach `offset`). THROWS RuntimeError.
    void WriteAt(std::uint64_t offset, std::string_view bytes);
    // Moves the bytes from `offset` to the end of the file `by` bytes further on and fills the gap with
    // zero bytes (the file grows by `by`). The caller flushes first. THROWS RuntimeError.
    void MoveTail(std::uint64_t offset, std::uint64_t by);
    // Closes the file; the caller flushes first. Nothing buffered is written here.
    void Close();

  private:
    int fd_ = -1;
    std::string pending_;
    std::uint64_t written_ = 0;
};

}  // namespace zav
