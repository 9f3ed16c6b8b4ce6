// An output file written in sequence (upload and orphan files): bytes are collected in memory and
// handed to the file in large blocks, so writing a line costs no system call.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zav {

class FileWriter {
  public:
    enum class Mode { Replace, Append };

    // Creates or replaces the file, or opens it for appending (a missing file is created).
    // THROWS RuntimeError when it cannot be opened: its description is "Error: Could not write "
    // followed by `shownName` (the path when empty), ": " and the platform's description.
    FileWriter(const std::filesystem::path& path, Mode mode, const std::string& shownName = "");
    // Writes what is buffered and closes the file; a failure here goes unreported (call Close).
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // THROWS RuntimeError when a full buffer cannot be written.
    void Write(std::string_view bytes);
    // Writes what is buffered and closes the file. THROWS RuntimeError when that fails.
    void Close();

  private:
    void Flush();

    int fd_ = -1;
    std::string buffer_;
};

}  // namespace zav
