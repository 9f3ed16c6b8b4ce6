#include "palmdb/block_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/errors.h"

namespace zav {

BlockReader::~BlockReader() { Close(); }

void BlockReader::Open(const std::filesystem::path& name) {
    Close();
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw FileError(errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = errno;
        ::close(fd);
        throw S_ISDIR(st.st_mode) ? RuntimeError(kErrPathFileAccess) : FileError(err != 0 ? err : EINVAL);
    }
    fd_ = fd;
    size_ = static_cast<std::uint64_t>(st.st_size);
}

void BlockReader::OpenImage(std::string bytes) {
    Close();
    image_ = true;
    size_ = bytes.size();
    window_ = std::move(bytes);
    windowStart_ = 0;
}

void BlockReader::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    image_ = false;
    size_ = 0;
    window_.clear();
    window_.shrink_to_fit();
    windowStart_ = 0;
}

std::string_view BlockReader::Read(std::uint64_t offset, std::size_t length) {
    if (!IsOpen() || offset > size_ || length > size_ - offset) throw RuntimeError(kErrInputPastEnd);
    if (offset >= windowStart_ && offset + length <= windowStart_ + window_.size())
        return std::string_view(window_).substr(static_cast<std::size_t>(offset - windowStart_), length);
    if (image_) throw RuntimeError(kErrInputPastEnd);
    // Load a new window from `offset`: a block, or the whole range when it is longer.
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(std::max<std::uint64_t>(length, kBlockSize), size_ - offset));
    window_.resize(want);
    windowStart_ = offset;
    std::size_t got = 0;
    while (got < want) {
        const ssize_t n = ::pread(fd_, window_.data() + got, want - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            window_.clear();
            throw FileError(errno);
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got < length) {  // the file was cut short since it was opened
        window_.clear();
        throw RuntimeError(kErrInputPastEnd);
    }
    window_.resize(got);
    return std::string_view(window_).substr(0, length);
}

}  // namespace zav
