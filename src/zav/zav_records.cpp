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
    auto flush = [&](std::size_t begin, std::size_t end) {
        if (begin == end) return;
        record.clear();
        AppendBE16(record, kRecIndex);
        AppendBE16(record, static_cast<std::uint16_t>(routeOrdinal));
        AppendBE16(record, static_cast<std::uint16_t>(indexType));
        for (std::size_t g = begin; g < end; ++g) {
            const Group& group = groups[g];
            const std::size_t next = g + 1 < end ? record.size() + group.size : kEndMark;
            AppendBE16(record, static_cast<std::uint32_t>(next));
            AppendPaddedText(record, keys[group.first]);
            for (std::size_t i = group.first; i < group.first + group.count; ++i)
                AppendBE16(record, static_cast<std::uint16_t>(positions[i]));
        }
        db_.WriteRaw(record);
    };

    // Fill records up to the size limit without splitting a group.
    std::int32_t leftOut = 0;
    std::size_t begin = 0;
    std::size_t size = kIndexHeadSize;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (kIndexHeadSize + groups[g].size > kMaxRecordSize) {
            flush(begin, g);
            AddLog("Warning: Index key " + keys[groups[g].first] + " of route " + std::to_string(routeOrdinal) +
                   " has too many meters for one index record and is left out of the index");
            ++leftOut;
            begin = g + 1;
            size = kIndexHeadSize;
            continue;
        }
        if (size + groups[g].size > kMaxRecordSize) {
            flush(begin, g);
            begin = g;
            size = kIndexHeadSize;
        }
        size += groups[g].size;
    }
    flush(begin, groups.size());
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
