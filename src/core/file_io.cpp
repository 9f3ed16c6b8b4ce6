#include "core/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

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
    // Eight bytes at a time while none is a CR or LF: a byte is one when it XOR the CR (or LF) is zero,
    // and (w - 0x01..01) & ~w & 0x80..80 is not zero exactly when a byte of w is zero.
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighs = 0x8080808080808080ull;
    while (end - p >= 8) {
        std::uint64_t w = 0;
        std::memcpy(&w, p, sizeof w);
        const std::uint64_t cr = w ^ (kOnes * '\r');
        const std::uint64_t lf = w ^ (kOnes * '\n');
        if ((((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHighs) break;
        p += 8;
    }
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

// Reads up to `size` bytes; 0 at the end. THROWS RuntimeError on a read error.
std::size_t ReadSome(int fd, char* into, std::size_t size) {
    while (true) {
        const ssize_t n = ::read(fd, into, size);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) throw FileError(errno);
    }
}
}  // namespace

TextFileStream::TextFileStream(const std::filesystem::path& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw FileError(errno);
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd_);
        throw RuntimeError(kErrPathFileAccess);
    }
    size_ = st.st_size > 0 ? static_cast<std::uintmax_t>(st.st_size) : 0;
    try {
        // A byte order mark is skipped (it counts as consumed).
        if (Fill() && std::string_view(block_).starts_with(kByteOrderMark)) {
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
    block_.resize(kStreamBlock);
    block_.resize(ReadSome(fd_, block_.data(), block_.size()));
    at_ = 0;
    return !block_.empty();
}

bool TextFileStream::ReadLine(std::string& line) {
    if (at_ >= block_.size() && !Fill()) return false;
    line.clear();
    while (true) {
        const std::size_t end = FindLineEnd(block_, at_);
        const std::size_t length = end - at_;
        line.append(block_, at_, length);
        consumed_ += length;
        at_ = end;
        if (end == block_.size()) {  // the line goes on in the next block, or ends with the file
            if (!Fill()) return true;
            continue;
        }
        ++consumed_;
        if (block_[at_++] == '\r') {  // a line feed right after the carriage return belongs to it
            if (at_ >= block_.size()) Fill();
            if (at_ < block_.size() && block_[at_] == '\n') {
                ++at_;
                ++consumed_;
            }
        }
        return true;
    }
}

}  // namespace zav
