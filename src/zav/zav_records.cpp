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
    return text.size() - static_cast<std::size_t>(std::count(text.begin(), text.end(), '\0'));
}

void PutBE16(char* at, std::uint32_t value) {
    at[0] = static_cast<char>((value >> 8) & 0xFF);
    at[1] = static_cast<char>(value & 0xFF);
}

// One key and the range of pairs that carry it.
struct Group {
    std::size_t first;
    std::size_t count;
    std::size_t size;  // bytes in the record: next offset, padded key, positions
};

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
    std::vector<Group> groups;
    for (std::size_t i = 0; i < n; ++i) {
        if (!groups.empty() && keys[groups.back().first] == keys[i]) {
            ++groups.back().count;
        } else {
            groups.push_back({i, 1, 0});
        }
    }
    for (auto& g : groups) {
        // Groups start at even offsets, so the padded key is its length plus 1, rounded up to even.
        const std::size_t keyBytes = (TextLength(keys[g.first]) + 2) & ~std::size_t{1};
        g.size = 2 + keyBytes + 2 * g.count;
    }

    std::string record;
    auto flush = [&](std::size_t begin, std::size_t end, std::size_t size) {
        if (begin == end) return;
        // Every byte is written below except the zero bytes that end and pad the keys.
        record.assign(size, '\0');
        char* at = record.data();
        PutBE16(at, kRecIndex);
        PutBE16(at + 2, static_cast<std::uint16_t>(routeOrdinal));
        PutBE16(at + 4, static_cast<std::uint16_t>(indexType));
        std::size_t offset = kIndexHeadSize;
        for (std::size_t g = begin; g < end; ++g) {
            const Group& group = groups[g];
            const std::size_t next = g + 1 < end ? offset + group.size : kEndMark;
            PutBE16(at + offset, static_cast<std::uint32_t>(next));
            const std::string_view key = keys[group.first];
            char* text = at + offset + 2;
            if (key.find('\0') == std::string_view::npos) {
                std::memcpy(text, key.data(), key.size());
            } else {
                for (char c : key)
                    if (c != '\0') *text++ = c;
            }
            char* pos = at + offset + group.size - 2 * group.count;
            for (std::size_t i = group.first; i < group.first + group.count; ++i, pos += 2)
                PutBE16(pos, static_cast<std::uint16_t>(positions[i]));
            offset += group.size;
        }
        db_.WriteRaw(record);
    };

    // Fill records up to the size limit without splitting a group.
    std::int32_t leftOut = 0;
    std::size_t begin = 0;
    std::size_t size = kIndexHeadSize;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (kIndexHeadSize + groups[g].size > kMaxRecordSize) {
            flush(begin, g, size);
            AddLog("Warning: Index key " + std::string(keys[groups[g].first]) + " of route " +
                   std::to_string(routeOrdinal) +
                   " has too many meters for one index record and is left out of the index");
            ++leftOut;
            begin = g + 1;
            size = kIndexHeadSize;
            continue;
        }
        if (size + groups[g].size > kMaxRecordSize) {
            flush(begin, g, size);
            begin = g;
            size = kIndexHeadSize;
        }
        size += groups[g].size;
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
