#include "palmdb/palm_file_vfs.h"

#include <fstream>

#include "core/errors.h"
#include "core/file_io.h"
#include "core/number.h"

namespace zav {

namespace {
// The length field at `pos`; one of 2^31 or more reads as 0, which ends the stream.
std::uint32_t RecordLength(std::string_view bytes, std::size_t pos) {
    const std::uint32_t length = GetBE32(bytes, pos);
    return length >= 0x80000000u ? 0 : length;
}
}  // namespace

clsPalmFileVFS::~clsPalmFileVFS() {
    try {
        CloseFile();
    } catch (const RuntimeError&) {
        // A destructor cannot report; callers that need the result call CloseFile themselves.
    }
}

std::int16_t clsPalmFileVFS::CloseFile() {
    if (writer_.IsOpen()) {
        try {
            writer_.FlushAppended();
        } catch (...) {
            writer_.Close();
            throw;
        }
        writer_.Close();
    }
    image_.clear();
    image_.shrink_to_fit();
    position_ = 0;
    return 0;
}

bool clsPalmFileVFS::TestFileType(const std::filesystem::path& name) {
    std::ifstream in(name, std::ios::binary);
    unsigned char b[4] = {};
    if (!in.read(reinterpret_cast<char*>(b), 4)) return false;
    return b[0] == 0 && b[1] == 0 && (b[2] != 0 || b[3] != 0);
}

std::int16_t clsPalmFileVFS::CreateFile(const std::filesystem::path& name, const std::string& title,
                                        const std::string& creator, const std::string& dbType, std::int32_t presize,
                                        const std::string& appInfo, const std::string& sortInfo) {
    try {
        CloseFile();
        writer_.Create(name);
        return 0;
    } catch (const RuntimeError& e) {
        return static_cast<std::int16_t>(e.Number());
    }
}

bool clsPalmFileVFS::WriteRecord(std::string_view data) {
    if (!writer_.IsOpen()) throw RuntimeError(kErrBadFileName);
    if (data.size() > 0x7FFFFFFFu) throw RuntimeError(kErrOverflow);
    std::string length(kLengthSize, '\0');
    PutBE32(length, 0, static_cast<std::uint32_t>(data.size()));
    // Length and data go into the same block, so the file only ever holds whole records.
    writer_.Append(length);
    writer_.Append(data);
    if (writer_.BlockFull()) writer_.FlushAppended();
    return true;
}

std::int16_t clsPalmFileVFS::OpenFile(const std::filesystem::path& name) {
    try {
        CloseFile();
        LoadImage(ReadFileBytes(name));
        return 0;
    } catch (const RuntimeError& e) {
        image_.clear();
        return static_cast<std::int16_t>(e.Number());
    }
}

void clsPalmFileVFS::LoadImage(std::string bytes) {
    // Walk the records as a sequential read would: up to the end or the first zero length.
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (bytes.size() - pos < kLengthSize) throw RuntimeError(kErrInputPastEnd);
        const std::uint32_t length = RecordLength(bytes, pos);
        pos += kLengthSize;
        if (length == 0) break;
        if (length > bytes.size() - pos) throw RuntimeError(kErrInputPastEnd);
        pos += length;
    }
    image_ = std::move(bytes);
    position_ = 0;
}

bool clsPalmFileVFS::ReadRecord(std::int32_t k, std::string& buffer) {
    buffer.clear();
    if (image_.size() - position_ < kLengthSize || position_ >= image_.size()) {
        position_ = image_.size();
        return false;
    }
    const std::uint32_t length = RecordLength(image_, position_);
    if (length > image_.size() - position_ - kLengthSize) {  // LoadImage refuses such files
        position_ = image_.size();
        return false;
    }
    position_ += kLengthSize;
    buffer.assign(image_, position_, length);
    position_ += length;
    return !buffer.empty();
}

std::int16_t clsPalmFileVFS::Position255() {
    if (image_.empty()) return 0;
    return static_cast<std::int16_t>(
        RoundHalfEven(static_cast<double>(position_) * 255.0 / static_cast<double>(image_.size())));
}

}  // namespace zav
