// Whole-file and line-by-line access to text and byte files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zav {

// All bytes of a file. THROWS RuntimeError (53 file not found, 70 permission denied ...).
std::string ReadFileBytes(const std::filesystem::path& path);

// Creates or replaces the file with exactly `bytes`. THROWS RuntimeError on failure.
void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes);

// True when a regular file exists at `path` (a folder of that name is no file).
bool FileExists(const std::filesystem::path& path);
// Deletes the file. THROWS RuntimeError when it cannot be deleted.
void DeleteFile(const std::filesystem::path& path);

// True when both paths name the same existing file (same device and inode, so links, "..", and
// relative paths are seen through). False when either does not exist.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);
// True when both paths name one file, existing or still to be written: SameFile, or the same path once
// relative parts and the links of its existing folders are resolved.
bool SameFileName(const std::filesystem::path& a, const std::filesystem::path& b);

// The line rules of every text source the program reads (route files, re-read lists, host files, map
// files): a line ends at a carriage return followed by a line feed, at a carriage return alone and at
// a line feed alone, so a file whose lines end differently from line to line still gives one line per
// record. A UTF-8 byte order mark at the very start of the text is not part of its first line.

// The UTF-8 byte order mark.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Where the line starting at `from` ends: the position of its first CR or LF, or text.size().
std::size_t FindLineEnd(std::string_view text, std::size_t from);

// Splits text into lines by the rules above. A final line without a terminator is a line; text ending
// in a terminator has no empty last line.
class LineSplitter {
  public:
    explicit LineSplitter(std::string_view text);

    // The next line without its terminator; false at the end of the text.
    bool Next(std::string_view& line);
    bool AtEnd() const { return pos_ >= text_.size(); }
    // Bytes consumed so far (for progress displays).
    std::size_t Position() const { return pos_; }
    void Rewind() { pos_ = start_; }

  private:
    std::string_view text_;
    std::size_t start_ = 0;  // after a byte order mark
    std::size_t pos_ = 0;
};

// A text file read line by line with the rules of LineSplitter. The file is read whole when opened.
class TextFileReader {
  public:
    // THROWS RuntimeError when the file cannot be read.
    explicit TextFileReader(const std::filesystem::path& path);
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    bool ReadLine(std::string& line);
    bool AtEnd() const { return lines_.AtEnd(); }
    std::size_t Position() const { return lines_.Position(); }
    std::size_t Size() const { return bytes_.size(); }
    void Rewind() { lines_.Rewind(); }

  private:
    std::string bytes_;
    LineSplitter lines_;
};

// A text file read line by line with the rules of LineSplitter, one block at a time: memory stays the
// same whatever the file's size.
class TextFileStream {
  public:
    // THROWS RuntimeError when the file cannot be opened or read (53 not found, 75 a folder ...).
    explicit TextFileStream(const std::filesystem::path& path);
    // The bytes [begin, end) of the file only, as if they were all of it (a byte order mark is skipped
    // only at 0). `begin` should be the start of a line. Position and Size count from `begin`.
    TextFileStream(const std::filesystem::path& path, std::uintmax_t begin, std::uintmax_t end);
    ~TextFileStream();
    // Reads no further than byte `end` of the file (of the range): the lines from here on are those of
    // a stream opened on [begin, end). REQUIRES: no byte past `end` has been read yet (the constructor
    // reads one block of 64 KiB).
    void EndAt(std::uintmax_t end);
    TextFileStream(const TextFileStream&) = delete;
    TextFileStream& operator=(const TextFileStream&) = delete;
    // The next line without its terminator; false at the end. THROWS RuntimeError on a read error.
    bool ReadLine(std::string& line);
    // The same as a view into the reader's buffer, valid until the next call (no copy of the line).
    bool ReadLine(std::string_view& line);
    // Bytes consumed so far (for progress displays) and the file's length when opened.
    std::uintmax_t Position() const { return consumed_; }
    std::uintmax_t Size() const { return size_; }
    // True when every byte the file had when opened has been consumed.
    bool AtEnd() const { return consumed_ >= size_; }

  private:
    // Moves the bytes not consumed yet to the front of the buffer and reads more after them (the buffer
    // grows when one line fills it); false when the file had no more bytes.
    bool Fill();
    int fd_ = -1;
    std::string block_;  // [0, filled_) read from the file, [at_, filled_) not consumed yet
    std::size_t filled_ = 0;
    std::size_t at_ = 0;
    // The next CR and LF at or after at_ (filled_ when the buffer has none), valid while >= at_ (and
    // known): every byte is searched once for each, also in files whose lines end with the other one.
    std::size_t nextCR_ = static_cast<std::size_t>(-1);
    std::size_t nextLF_ = static_cast<std::size_t>(-1);
    bool ended_ = false;  // the file has no more bytes
    std::uintmax_t left_ = static_cast<std::uintmax_t>(-1);  // bytes still to read from the file
    std::uintmax_t read_ = 0;  // bytes read from the file (from the range's start)
    std::uintmax_t size_ = 0;
    std::uintmax_t consumed_ = 0;
};

}  // namespace zav
