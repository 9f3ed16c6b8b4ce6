#include "palmdb/block_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/errors.h"

namespace zav {

BlockWriter::~BlockWriter() { Close(); }

void BlockWriter::Create(const std::filesystem::path& name) {
    Close();
    // Truncate: stale bytes of an older, longer file would otherwise become part of the last record.
    fd_ = ::open(name.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) throw FileError(errno);
    pending_.clear();
    pending_.reserve(kBlockSize + (kBlockSize >> 2));
    written_ = 0;
}

void BlockWriter::WriteAt(std::uint64_t offset, std::string_view bytes) {
    if (fd_ < 0) throw RuntimeError(kErrBadFileName);
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd_, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR) continue;
            throw FileError(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        offset += static_cast<std::uint64_t>(n);
    }
}

void BlockWriter::FlushAppended() {
    if (pending_.empty()) return;
    WriteAt(written_, pending_);
    written_ += pending_.size();
    pending_.clear();
}

void BlockWriter::MoveTail(std::uint64_t offset, std::uint64_t by) {
    if (fd_ < 0) throw RuntimeError(kErrBadFileName);
    FlushAppended();
    // From the end backwards, so no byte is overwritten before it has moved.
    std::string chunk;
    for (std::uint64_t end = written_; end > offset;) {
        const std::uint64_t size = std::min<std::uint64_t>(kBlockSize, end - offset);
        end -= size;
        chunk.resize(static_cast<std::size_t>(size));
        std::size_t done = 0;
        while (done < chunk.size()) {
            const ssize_t n = ::pread(fd_, chunk.data() + done, chunk.size() - done, static_cast<off_t>(end + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) throw FileError(n < 0 ? errno : EIO);
            done += static_cast<std::size_t>(n);
        }
        WriteAt(end + by, chunk);
    }
    WriteAt(offset, std::string(static_cast<std::size_t>(by), '\0'));
    written_ += by;
}

void BlockWriter::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    pending_.clear();
    pending_.shrink_to_fit();
}

}  // namespace zav
