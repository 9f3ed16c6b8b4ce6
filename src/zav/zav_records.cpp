// The raw record layouts of clsZAV: index records (RecType 6) and configuration records (4, 5, 7).
//
// Index record, 16-bit numbers big-endian:
//   0  6 | 2  route ordinal | 4  index type | 6  first group
//   group: next-group offset (65535 for the last) | key, 0, 0 when needed for an even length |
//          the key's meter positions, 2 bytes each
// Configuration record:
//   0  record type | 2  code type | 4  flags | 6  entry count n | 8  n entries | end  65535
//   entry: code, value, data, each followed by 0 and, when needed for an even length, another 0
#include <algorithm>
#include <cstring>

#include "core/errors.h"
#include "core/frontend.h"
#include "zav/zav.h"

namespace zav {

namespace {

constexpr std::size_t kMaxRecordSize = 65535;
constexpr std::size_t kIndexHeadSize = 6;
constexpr std::uint32_t kEndMark = 0xFFFF;

void AppendBE16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
    out.push_back(static_cast<char>(value & 0xFF));
}

// A text as the record layouts store it: without zero bytes, one zero byte, and one more when the
// record would otherwise have an odd length.
void AppendPaddedText(std::string& out, std::string_view text) {
    for (char c : text)
        if (c != '\0') out.push_back(c);
    out.push_back('\0');
    if (out.size() % 2 != 0) out.push_back('\0');
}

std::size_t TextLength(std::string_view text) {
    if (text.empty() || std::memchr(text.data(), '\0', text.size()) == nullptr) return text.size();
    return text.size() - static_cast<std::size_t>(std::count(text.begin(), text.end(), '\0'));
}

void PutBE16(char* at, std::uint32_t value) {
    at[0] = static_cast<char>((value >> 8) & 0xFF);
    at[1] = static_cast<char>(value & 0xFF);
}

}  // namespace

std::int32_t clsZAV::AddIndexRecord(std::int16_t routeOrdinal, std::int16_t indexType, std::int32_t count,
                                    const std::vector<std::string>& keys, const std::vector<std::int16_t>& positions) {
    const std::size_t n = std::min({static_cast<std::size_t>(std::max(count, 0)), keys.size(), positions.size()});
    const std::vector<std::string_view> views(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(n));
    return AddIndexRecord(routeOrdinal, indexType, views, std::span(positions).first(n));
}

std::int32_t clsZAV::AddIndexRecord(std::int16_t routeOrdinal, std::int16_t indexType,
                                    std::span<const std::string_view> keys, std::span<const std::int16_t> positions) {
    const std::size_t n = std::min(keys.size(), positions.size());
    std::vector<IndexGroup> groups;
    for (std::size_t i = 0; i < n; ++i) {
        if (!groups.empty() && groups.back().key == keys[i]) {
            ++groups.back().count;
        } else {
            groups.push_back({keys[i], static_cast<std::uint32_t>(i), 1});
        }
    }
    return AddIndexGroups(routeOrdinal, indexType, groups, positions.first(n));
}

std::int32_t clsZAV::AddIndexGroups(std::int16_t routeOrdinal, std::int16_t indexType,
                                    std::span<const IndexGroup> groups, std::span<const std::int16_t> positions) {
    // Each group's bytes: next offset, the key without zero bytes padded to an even length (groups start
    // at even offsets, so that is its length plus 1 rounded up to even), its positions.
    groupLayout_.resize(groups.size());
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::size_t length = TextLength(groups[g].key);
        groupLayout_[g] = {
            static_cast<std::uint32_t>(2 + ((length + 2) & ~std::size_t{1}) + 2 * std::size_t{groups[g].count}),
            static_cast<std::uint32_t>(length)};
    }

    auto flush = [&](std::size_t begin, std::size_t end, std::size_t size) {
        if (begin == end) return;
        // Every byte is written below except the zero bytes that end and pad the keys.
        indexRecord_.assign(size, '\0');
        char* at = indexRecord_.data();
        PutBE16(at, kRecIndex);
        PutBE16(at + 2, static_cast<std::uint16_t>(routeOrdinal));
        PutBE16(at + 4, static_cast<std::uint16_t>(indexType));
        std::size_t offset = kIndexHeadSize;
        for (std::size_t g = begin; g < end; ++g) {
            const IndexGroup& group = groups[g];
            const std::size_t bytes = groupLayout_[g].bytes;
            const std::size_t next = g + 1 < end ? offset + bytes : kEndMark;
            PutBE16(at + offset, static_cast<std::uint32_t>(next));
            const std::string_view key = group.key;
            char* text = at + offset + 2;
            if (groupLayout_[g].textLength == key.size()) {
                std::copy(key.begin(), key.end(), text);
            } else {
                for (char c : key)
                    if (c != '\0') *text++ = c;
            }
            char* pos = at + offset + bytes - 2 * std::size_t{group.count};
            for (const std::int16_t position : positions.subspan(group.first, group.count)) {
                PutBE16(pos, static_cast<std::uint16_t>(position));
                pos += 2;
            }
            offset += bytes;
        }
        db_.WriteRaw(indexRecord_);
    };

    // Fill records up to the size limit without splitting a group.
    std::int32_t leftOut = 0;
    std::size_t begin = 0;
    std::size_t size = kIndexHeadSize;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (kIndexHeadSize + groupLayout_[g].bytes > kMaxRecordSize) {
            flush(begin, g, size);
            AddLog("Warning: Index key " + std::string(groups[g].key) + " of route " + std::to_string(routeOrdinal) +
                   " has too many meters for one index record and is left out of the index");
            ++leftOut;
            begin = g + 1;
            size = kIndexHeadSize;
            continue;
        }
        if (size + groupLayout_[g].bytes > kMaxRecordSize) {
            flush(begin, g, size);
            begin = g;
            size = kIndexHeadSize;
        }
        size += groupLayout_[g].bytes;
    }
    flush(begin, groups.size(), size);
    return leftOut;
}

void clsZAV::AddCodeRecord(std::int16_t recordType, std::int16_t codeType, std::int16_t flags, std::int16_t count,
                           const std::vector<std::string>& codes, const std::vector<std::string>& values,
                           const std::vector<std::string>& data) {
    const std::size_t n = std::min({static_cast<std::size_t>(std::max<std::int16_t>(count, 0)), codes.size(),
                                    values.size(), data.size()});
    std::string record;
    AppendBE16(record, static_cast<std::uint16_t>(recordType));
    AppendBE16(record, static_cast<std::uint16_t>(codeType));
    AppendBE16(record, static_cast<std::uint16_t>(flags));
    AppendBE16(record, static_cast<std::uint16_t>(n));
    for (std::size_t i = 0; i < n; ++i) {
        AppendPaddedText(record, codes[i]);
        AppendPaddedText(record, values[i]);
        AppendPaddedText(record, data[i]);
    }
    AppendBE16(record, kEndMark);
    if (record.size() > kMaxRecordSize) throw RuntimeError(kErrOverflow);
    db_.WriteRaw(record);
}

}  // namespace zav
