// Reads byte ranges of a file through a window of one block, so a sequential pass over a large file
// costs a few system calls per megabyte and never holds more than a block (or one longer record) in
// memory. Can also serve a byte string held in memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zav {

class BlockReader {
  public:
    static constexpr std::size_t kBlockSize = 1 << 20;

    BlockReader() = default;
    ~BlockReader();
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    // Opens a file for reading. THROWS RuntimeError (53 when missing, 75 for a folder ...).
    void Open(const std::filesystem::path& name);
    // Serves `bytes` instead of a file.
    void OpenImage(std::string bytes);
    void Close();
    bool IsOpen() const { return fd_ >= 0 || image_; }
    std::uint64_t Size() const { return size_; }

    // The bytes [offset, offset + length), valid until the next call.
    // REQUIRES: offset + length <= Size(). THROWS RuntimeError(62) when the file has become shorter.
    std::string_view Read(std::uint64_t offset, std::size_t length);

  private:
    int fd_ = -1;
    bool image_ = false;
    std::uint64_t size_ = 0;
    std::string window_;
    std::uint64_t windowStart_ = 0;
};

}  // namespace zav
