#include "core/file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "core/errors.h"

namespace zav {

namespace {
constexpr std::size_t kBlock = 1 << 16;
}

FileWriter::FileWriter(const std::filesystem::path& path, Mode mode, const std::string& shownName) {
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mode == Mode::Replace ? O_TRUNC : O_APPEND);
    fd_ = ::open(path.c_str(), flags, 0644);
    if (fd_ < 0) {
        const RuntimeError error = FileError(errno);
        throw RuntimeError(error.Number(), "Error: Could not write " + (shownName.empty() ? path.string() : shownName) +
                                               ": " + error.Description());
    }
    buffer_.reserve(kBlock);
}

FileWriter::~FileWriter() {
    try {
        Close();
    } catch (const RuntimeError&) {
        // Reported only through Close.
    }
}

void FileWriter::Write(std::string_view bytes) {
    buffer_.append(bytes);
    if (buffer_.size() >= kBlock) Flush();
}

void FileWriter::Flush() {
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            buffer_.clear();
            throw FileError(err);
        }
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
}

void FileWriter::Close() {
    if (fd_ < 0) return;
    const int fd = fd_;
    try {
        Flush();
    } catch (const RuntimeError&) {
        fd_ = -1;
        ::close(fd);
        throw;
    }
    fd_ = -1;
    if (::close(fd) != 0) throw FileError(errno);
}

}  // namespace zav
