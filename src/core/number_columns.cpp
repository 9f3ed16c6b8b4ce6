#include "core/number_columns.h"

#include <algorithm>
#include <cstring>

#include "core/byte_scan.h"

namespace zav {

void NumberColumns::Mark(std::size_t start, std::size_t width, std::size_t maxDigits) {
    if (width == 0) return;
    from_ = std::min(from_, start);
    end_ = std::max(end_, start + width);
    digitColumns_.resize(end_ + 16, '\0');
    zeroColumns_.resize(end_ + 16, '\0');
    std::fill_n(digitColumns_.begin() + static_cast<std::ptrdiff_t>(start), width, '\x80');
    if (width > maxDigits)
        std::fill_n(zeroColumns_.begin() + static_cast<std::ptrdiff_t>(start), width - maxDigits, '\x80');
    blocks_.clear();
    for (std::size_t block = from_; block < end_; block += 16)
        if (digitColumns_.find('\x80', block) < block + 16) blocks_.push_back(block);
}

void NumberColumns::Clear() {
    digitColumns_.clear();
    zeroColumns_.clear();
    blocks_.clear();
    from_ = SIZE_MAX;
    end_ = 0;
}

bool NumberColumns::Plain(std::string_view line) const {
    // A byte of a number column that is neither a blank nor a digit, or a leading column that is
    // neither a blank nor a zero, fails.
    if (Empty()) return true;
    const std::size_t end = std::min(line.size(), end_);
    std::size_t at = from_;
#if defined(__SSE2__)
    // Sixteen columns at a time while they are in the line (the masks reach sixteen columns past its end).
    const __m128i blank = _mm_set1_epi8(' '), zero = _mm_set1_epi8('0');
    const __m128i belowDigits = _mm_set1_epi8('0' - 1), aboveDigits = _mm_set1_epi8('9' + 1);
    const auto plain = [&](std::size_t from) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + from));
        const __m128i digits = _mm_loadu_si128(reinterpret_cast<const __m128i*>(digitColumns_.data() + from));
        const __m128i zeros = _mm_loadu_si128(reinterpret_cast<const __m128i*>(zeroColumns_.data() + from));
        // Signed comparisons: bytes from 0x80 are below '0', so no digit.
        const __m128i isDigit = _mm_and_si128(_mm_cmpgt_epi8(w, belowDigits), _mm_cmplt_epi8(w, aboveDigits));
        const __m128i isBlank = _mm_cmpeq_epi8(w, blank);
        const __m128i badDigit = _mm_andnot_si128(_mm_or_si128(isDigit, isBlank), digits);
        const __m128i badZero = _mm_andnot_si128(_mm_or_si128(_mm_cmpeq_epi8(w, zero), isBlank), zeros);
        return _mm_movemask_epi8(_mm_or_si128(badDigit, badZero)) == 0;
    };
    // The blocks with marked columns; the last one in the line may end past it: the sixteen columns
    // ending where the line does are looked at then (looking again at some seen already does no harm).
    bool shortLine = false;
    for (const std::size_t block : blocks_) {
        if (block >= end) return true;
        if (block + 16 <= end) {
            if (!plain(block)) return false;
            continue;
        }
        if (end >= 16) return plain(end - 16);
        at = block;  // a line shorter than sixteen columns: eight at a time below
        shortLine = true;
        break;
    }
    if (!shortLine) return true;  // every block was looked at
#endif
    for (; at < end; at += 8) {
        const std::uint64_t w = LoadWord(line.data() + at, end - at, ' ');
        std::uint64_t digits = 0, zeros = 0;
        std::memcpy(&digits, digitColumns_.data() + at, 8);
        std::memcpy(&zeros, zeroColumns_.data() + at, 8);
        const std::uint64_t nonBlank = NonZeroBytes(w ^ EachByte(' '));
        if (nonBlank & ((NonDigitBytes(w) & digits) | (NonZeroBytes(w ^ EachByte('0')) & zeros))) return false;
    }
    return true;
}

}  // namespace zav
