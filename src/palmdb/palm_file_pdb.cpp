#include "palmdb/palm_file_pdb.h"

#include <algorithm>

#include "core/errors.h"
#include "core/number.h"

namespace zav {

namespace {

constexpr std::size_t kNameSize = 32;
constexpr std::size_t kAppInfoOffset = 52;
constexpr std::size_t kSortInfoOffset = 56;
constexpr std::size_t kTypeOffset = 60;
constexpr std::size_t kCreatorOffset = 64;
constexpr std::int32_t kMaxRecords = 65535;  // the record count is a 16-bit field

}  // namespace

clsPalmFilePDB::~clsPalmFilePDB() {
    try {
        CloseFile();
    } catch (const RuntimeError&) {
        // A destructor cannot report; callers that need the result call CloseFile themselves.
    }
}

void clsPalmFilePDB::Reset() {
    header_.assign(kHeaderSize, '\0');
    count_ = 0;
    next_ = 0;
    offsets_.clear();
    reader_.Close();
    reserved_ = 0;
    flushedCount_ = 0;
    pendingEntries_.clear();
}

std::int16_t clsPalmFilePDB::CloseFile() {
    if (writer_.IsOpen()) {
        try {
            FlushBlock();
        } catch (...) {
            writer_.Close();
            throw;
        }
        writer_.Close();
    }
    reader_.Close();
    return 0;
}

bool clsPalmFilePDB::TestFileType(const std::filesystem::path& name) {
    const bool ok = OpenFile(name) == 0;
    CloseFile();
    return ok;
}

std::int16_t clsPalmFilePDB::CreateFile(const std::filesystem::path& name, const std::string& title,
                                        const std::string& creator, const std::string& dbType, std::int32_t presize,
                                        const std::string& appInfo, const std::string& sortInfo) {
    try {
        CloseFile();
        Reset();
        if (presize < 0 || presize > kMaxRecords) return kErrInvalidCall;
        std::string name32 = (title + std::string(kNameSize, '\0')).substr(0, kNameSize);
        header_.replace(0, kNameSize, name32);
        const auto type = ValueToBytes(dbType, 4);
        const auto made = ValueToBytes(creator, 4);
        for (int i = 0; i < 4; ++i) {
            header_[kTypeOffset + i] = static_cast<char>(type[i]);
            header_[kCreatorOffset + i] = static_cast<char>(made[i]);
        }
        reserved_ = presize == 0 ? kDefaultPresize : presize;
        writer_.Create(name);
        writer_.Append(header_);
        writer_.Append(std::string(kEntrySize * static_cast<std::size_t>(reserved_), '\0'));
        writer_.FlushAppended();
        return 0;
    } catch (const RuntimeError& e) {
        writer_.Close();
        return static_cast<std::int16_t>(e.Number());
    }
}

bool clsPalmFilePDB::WriteRecord(std::string_view data) {
    if (!writer_.IsOpen()) throw RuntimeError(kErrBadFileName);
    if (count_ >= reserved_) {
        if (reserved_ >= kMaxRecords) {
            FlushBlock();  // everything accepted so far goes into the file before the error
            throw RuntimeError(kErrOverflow, "The database would be too large: a Palm database holds at most " +
                                                 std::to_string(kMaxRecords) + " records");
        }
        GrowList();
    }
    const std::uint64_t offset = writer_.Length();
    if (offset + data.size() > 0xFFFFFFFFu) throw RuntimeError(kErrOverflow);  // offsets are 32-bit
    writer_.Append(data);
    offsets_.push_back(static_cast<std::uint32_t>(offset));
    std::string entry(kEntrySize, '\0');
    PutBE32(entry, 0, static_cast<std::uint32_t>(offset));
    PutBE16(entry, 6, static_cast<std::uint32_t>(count_));
    pendingEntries_ += entry;
    ++count_;
    if (writer_.BlockFull()) FlushBlock();
    return true;
}

void clsPalmFilePDB::GrowList() {
    const std::int32_t grown = std::min(kMaxRecords, std::max(2 * reserved_, reserved_ + 1024));
    FlushBlock();
    const std::uint64_t listStart = kHeaderSize;
    const std::uint64_t dataStart = listStart + kEntrySize * static_cast<std::uint64_t>(reserved_);
    const std::uint64_t shift = kEntrySize * static_cast<std::uint64_t>(grown - reserved_);
    if (writer_.Length() + shift > 0xFFFFFFFFu) throw RuntimeError(kErrOverflow);  // offsets are 32-bit
    // The entries of the records written, pointing past the grown list.
    std::string entries(kEntrySize * static_cast<std::size_t>(count_), '\0');
    for (std::int32_t i = 0; i < count_; ++i) {
        const std::size_t at = kEntrySize * static_cast<std::size_t>(i);
        PutBE32(entries, at, static_cast<std::uint32_t>(offsets_[static_cast<std::size_t>(i)] + shift));
        PutBE16(entries, at + 6, static_cast<std::uint32_t>(i));
        offsets_[static_cast<std::size_t>(i)] += static_cast<std::uint32_t>(shift);
    }
    // Hidden while they move: the count is 0 until the new entries are written.
    const std::string none(2, '\0');
    writer_.WriteAt(kCountOffset, none);
    writer_.MoveTail(dataStart, shift);
    writer_.WriteAt(listStart, entries);
    std::string countField(2, '\0');
    PutBE16(countField, 0, static_cast<std::uint32_t>(count_));
    writer_.WriteAt(kCountOffset, countField);
    reserved_ = grown;
}

void clsPalmFilePDB::FlushBlock() {
    if (!writer_.IsOpen() || flushedCount_ == count_) return;
    // Data first, then the entries that point at it, then the count that makes them visible.
    writer_.FlushAppended();
    writer_.WriteAt(kHeaderSize + kEntrySize * static_cast<std::size_t>(flushedCount_), pendingEntries_);
    std::string countField(2, '\0');
    PutBE16(countField, 0, static_cast<std::uint32_t>(count_));
    writer_.WriteAt(kCountOffset, countField);
    PutBE16(header_, kCountOffset, static_cast<std::uint32_t>(count_));
    pendingEntries_.clear();
    flushedCount_ = count_;
}

std::int16_t clsPalmFilePDB::OpenFile(const std::filesystem::path& name) {
    try {
        CloseFile();
        Reset();
        reader_.Open(name);
        ReadIndex();
        return 0;
    } catch (const RuntimeError& e) {
        Reset();
        return static_cast<std::int16_t>(e.Number());
    }
}

void clsPalmFilePDB::LoadImage(std::string bytes) {
    Reset();
    reader_.OpenImage(std::move(bytes));
    ReadIndex();
}

void clsPalmFilePDB::ReadIndex() {
    const std::uint64_t size = reader_.Size();
    if (size < kHeaderSize || size > 0xFFFFFFFFu) throw RuntimeError(kErrInputPastEnd);
    const std::string header(reader_.Read(0, kHeaderSize));
    const std::int32_t count = static_cast<std::int32_t>(GetBE16(header, kCountOffset));
    const std::size_t listEnd = kHeaderSize + kEntrySize * static_cast<std::size_t>(count);
    if (listEnd > size) throw RuntimeError(kErrInputPastEnd);
    const std::string_view list = reader_.Read(kHeaderSize, listEnd - kHeaderSize);
    std::vector<std::uint32_t> offsets;
    offsets.reserve(static_cast<std::size_t>(count) + 1);
    std::uint32_t previous = static_cast<std::uint32_t>(listEnd);
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const std::uint32_t offset = GetBE32(list, kEntrySize * i);
        if (offset < previous || offset > size) throw RuntimeError(kErrInputPastEnd);
        offsets.push_back(offset);
        previous = offset;
    }
    offsets.push_back(static_cast<std::uint32_t>(size));
    header_ = header;
    count_ = count;
    offsets_ = std::move(offsets);
}

bool clsPalmFilePDB::ReadRecord(std::int32_t k, std::string& buffer) {
    if (k < 0) {
        if (next_ <= count_ - 1) k = next_++;
    } else {
        next_ = k;
    }
    if (k < 0 || k >= count_ || !reader_.IsOpen()) {
        buffer.clear();
        return false;
    }
    const std::uint32_t begin = offsets_[static_cast<std::size_t>(k)];
    buffer.assign(reader_.Read(begin, offsets_[static_cast<std::size_t>(k) + 1] - begin));
    return true;
}

std::string clsPalmFilePDB::Title() {
    const std::size_t end = header_.find('\0');
    return header_.substr(0, std::min(end, kNameSize));
}

PalmDate clsPalmFilePDB::DateAt(std::size_t offset) const {
    const std::int32_t seconds = BytesToNumber(header_, offset, 4);
    return PalmDate{seconds >= 1 ? seconds : 0};
}

std::string clsPalmFilePDB::Range(std::uint64_t begin, std::uint64_t end) {
    if (!reader_.IsOpen() || begin >= end || end > reader_.Size()) return "";
    return std::string(reader_.Read(begin, static_cast<std::size_t>(end - begin)));
}

std::string clsPalmFilePDB::AppInfo() {
    const std::uint32_t start = GetBE32(header_, kAppInfoOffset);
    if (start == 0) return "";
    std::uint64_t end = reader_.Size();
    if (const std::uint32_t sort = GetBE32(header_, kSortInfoOffset); sort != 0)
        end = sort;
    else if (count_ > 0)
        end = offsets_[0];
    return Range(start, end);
}

std::string clsPalmFilePDB::SortInfo() {
    const std::uint32_t start = GetBE32(header_, kSortInfoOffset);
    if (start == 0) return "";
    return Range(start, count_ > 0 ? offsets_[0] : reader_.Size());
}

std::uint64_t clsPalmFilePDB::BytesLeft() {
    if (next_ >= count_ || !reader_.IsOpen()) return 0;
    return reader_.Size() - offsets_[static_cast<std::size_t>(next_)];
}

std::int16_t clsPalmFilePDB::Position255() {
    if (count_ < 2) return 0;
    const double position = RoundHalfEven(static_cast<double>(next_) * 255.0 / (count_ - 1));
    return static_cast<std::int16_t>(std::clamp(position, 0.0, 255.0));  // past the last record is 255
}

}  // namespace zav
