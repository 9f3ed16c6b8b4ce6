#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/errors.h"

namespace zav {

std::string ReadFileBytes(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FileError(errno);
    std::string bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw RuntimeError(kErrPathFileAccess);
    }
    if (st.st_size > 0) bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[1 << 16];
    while (true) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            throw FileError(err);
        }
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) throw FileError(errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            throw FileError(err);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) throw FileError(errno);
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

LineSplitter::LineSplitter(std::string_view text)
    : text_(text), terminator_(text.find('\r') == std::string_view::npos ? '\n' : '\r') {}

bool LineSplitter::Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const auto end = text_.find(terminator_, pos_);
    if (end == std::string_view::npos) {
        line = text_.substr(pos_);
        pos_ = text_.size();
        return true;
    }
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (terminator_ == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    return true;
}

TextFileReader::TextFileReader(const std::filesystem::path& path) : bytes_(ReadFileBytes(path)), lines_(bytes_) {}

bool TextFileReader::ReadLine(std::string& line) {
    std::string_view view;
    if (!lines_.Next(view)) return false;
    line.assign(view);
    return true;
}

}  // namespace zav
