// A text file's lines read on a second core, ahead of the thread that uses them: the same lines, in the
// same order and with the same errors where they happen, as TextFileStream gives.
#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/batch_pipe.h"
#include "core/file_io.h"

namespace zav {

class LineReadAhead {
  public:
    // Opens `path` and starts reading. THROWS RuntimeError as TextFileStream when it cannot be opened.
    explicit LineReadAhead(const std::filesystem::path& path);
    // Stops the reading where it is.
    ~LineReadAhead();
    LineReadAhead(const LineReadAhead&) = delete;
    LineReadAhead& operator=(const LineReadAhead&) = delete;

    // The next line without its terminator (valid until the next call); false at the end. THROWS
    // RuntimeError where reading the file failed. (The lines of a batch are handed out here, inline;
    // the next batch is taken out of line.)
    bool ReadLine(std::string_view& line) {
        if (next_ != end_) [[likely]] {
            const Line& l = *next_++;
            line = std::string_view(bytes_ + l.begin, l.length);
            position_ = l.position;
            return true;
        }
        return ReadFirstOfBatch(line);
    }
    // Bytes of the file up to the end of the line last returned, and the file's length when opened.
    std::uintmax_t Position() const { return position_; }
    std::uintmax_t Size() const { return size_; }
    // True when every byte the file had when opened is in the lines returned.
    bool AtEnd() const { return position_ >= size_; }

  private:
    struct Line {
        std::size_t begin;
        std::size_t length;
        std::uintmax_t position;  // the stream's position after the line
    };
    struct Batch {
        std::string bytes;
        std::vector<Line> lines;
        std::exception_ptr error;  // reading failed after these lines
        std::size_t Count() const { return lines.size(); }
    };
    void Work();
    // The first line of the next batch, which the following calls of ReadLine walk.
    bool ReadFirstOfBatch(std::string_view& line);

    TextFileStream source_;
    std::uintmax_t size_ = 0;
    std::uintmax_t position_ = 0;
    // The lines of the batch being walked not handed out yet, and its bytes.
    const Line* next_ = nullptr;
    const Line* end_ = nullptr;
    const char* bytes_ = nullptr;
    BatchPipe<Batch> pipe_;
    BatchCursor<Batch> cursor_{pipe_};
    std::thread worker_;
};

// A worker's reading of the next line: false at the end of the file, and where reading failed (`error`
// then holds why, for the thread that uses the lines).
bool ReadLineOrError(TextFileStream& source, std::string_view& line, std::exception_ptr& error);

}  // namespace zav
