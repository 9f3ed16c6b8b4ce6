#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/byte_scan.h"
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

bool FileExists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

void DeleteFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::remove(path, ec) || ec) throw FileError(ec ? ec.value() : ENOENT);
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

std::size_t FindLineEnd(std::string_view text, std::size_t from) {
    const char* p = text.data() + from;
    const char* end = text.data() + text.size();
    while (end - p >= 8 && !EightBytesHold(p, '\r', '\n')) p += 8;  // eight bytes at a time while none is one
    while (p != end && *p != '\r' && *p != '\n') ++p;
    return static_cast<std::size_t>(p - text.data());
}

bool SameFileName(const std::filesystem::path& a, const std::filesystem::path& b) {
    if (SameFile(a, b)) return true;
    std::error_code ea;
    std::error_code eb;
    const std::filesystem::path ra = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ea), ea);
    const std::filesystem::path rb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, eb), eb);
    return !ea && !eb && ra == rb;
}

LineSplitter::LineSplitter(std::string_view text)
    : text_(text), start_(text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0), pos_(start_) {}

bool LineSplitter::Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t end = FindLineEnd(text_, pos_);
    line = text_.substr(pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size() && text_[pos_++] == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    return true;
}

TextFileReader::TextFileReader(const std::filesystem::path& path) : bytes_(ReadFileBytes(path)), lines_(bytes_) {}

bool TextFileReader::ReadLine(std::string& line) {
    std::string_view view;
    if (!lines_.Next(view)) return false;
    line.assign(view);
    return true;
}

namespace {
constexpr std::size_t kStreamBlock = 1 << 16;
constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);

// Reads up to `size` bytes; 0 at the end. THROWS RuntimeError on a read error.
std::size_t ReadSome(int fd, char* into, std::size_t size) {
    while (true) {
        const ssize_t n = ::read(fd, into, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) throw FileError(errno);
    }
}
}  // namespace

TextFileStream::TextFileStream(const std::filesystem::path& path) : TextFileStream(path, 0, UINTMAX_MAX) {}

TextFileStream::TextFileStream(const std::filesystem::path& path, std::uintmax_t begin, std::uintmax_t end) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw FileError(errno);
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd_);
        throw RuntimeError(kErrPathFileAccess);
    }
    const std::uintmax_t length = st.st_size > 0 ? static_cast<std::uintmax_t>(st.st_size) : 0;
    begin = std::min(begin, length);
    size_ = std::min(end, length) - std::min(begin, std::min(end, length));
    // The whole file is read to its end, also past the length it had (a file still growing, a pipe).
    left_ = end == UINTMAX_MAX ? UINTMAX_MAX : size_;
    block_.resize(kStreamBlock);
    try {
        if (begin > 0) {
            if (::lseek(fd_, static_cast<off_t>(begin), SEEK_SET) < 0) throw FileError(errno);
            return;
        }
        // A byte order mark is skipped (it counts as consumed).
        while (filled_ < kByteOrderMark.size() && Fill()) {
        }
        if (std::string_view(block_.data(), filled_).starts_with(kByteOrderMark)) {
            at_ = kByteOrderMark.size();
            consumed_ = at_;
        }
    } catch (...) {
        ::close(fd_);
        throw;
    }
}

TextFileStream::~TextFileStream() {
    if (fd_ >= 0) ::close(fd_);
}

bool TextFileStream::Fill() {
    if (ended_) return false;
    if (at_ > 0) {
        std::memmove(block_.data(), block_.data() + at_, filled_ - at_);
        filled_ -= at_;
        at_ = 0;
        nextCR_ = nextLF_ = kUnknown;  // positions moved: search again
    }
    if (filled_ == block_.size()) block_.resize(2 * block_.size());  // one line fills the buffer
    const std::size_t n = ReadSome(fd_, block_.data() + filled_,
                                   static_cast<std::size_t>(std::min<std::uintmax_t>(block_.size() - filled_, left_)));
    left_ -= n;
    read_ += n;
    if (n == 0) {
        ended_ = true;
        return false;
    }
    filled_ += n;
    nextCR_ = nextLF_ = kUnknown;  // bytes added: a terminator not found before may be there now
    return true;
}

void TextFileStream::EndAt(std::uintmax_t end) {
    size_ = std::min(size_, end);
    left_ = end > read_ ? end - read_ : 0;
}

bool TextFileStream::ReadLine(std::string& line) {
    std::string_view view;
    if (!ReadLine(view)) return false;
    line.assign(view);
    return true;
}

bool TextFileStream::ReadLine(std::string_view& line) {
    const auto next = [this](std::size_t& cached, char c) {
        if (cached != kUnknown && cached >= at_) return cached;
        const void* found = std::memchr(block_.data() + at_, c, filled_ - at_);
        cached = found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - block_.data()) : filled_;
        return cached;
    };
    while (true) {
        if (at_ < filled_) {
            const std::size_t end = std::min(next(nextCR_, '\r'), next(nextLF_, '\n'));
            // A CR as the last byte read may have its LF in the bytes still to come.
            if (end < filled_ && !(block_[end] == '\r' && end + 1 == filled_ && !ended_)) {
                line = std::string_view(block_.data() + at_, end - at_);
                std::size_t after = end + 1;
                if (block_[end] == '\r' && after < filled_ && block_[after] == '\n') ++after;
                consumed_ += after - at_;
                at_ = after;
                return true;
            }
            if (end == filled_ && ended_) {  // the last line, without a terminator
                line = std::string_view(block_.data() + at_, filled_ - at_);
                consumed_ += filled_ - at_;
                at_ = filled_;
                return true;
            }
        } else if (ended_) {
            return false;
        }
        if (!Fill() && at_ >= filled_) return false;
    }
}

}  // namespace zav
