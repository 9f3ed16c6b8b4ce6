// The columns of a delimited route line: the general splitting and the one-scan form for the usual maps.
#include "exchange/delimited_columns.h"

#include <array>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/text.h"

namespace zav {

std::vector<std::string> DelimitedColumns(std::string_view line, const std::string& delimiter,
                                          const std::string& quote) {
    std::string work(line);
    if (!quote.empty() && quote.size() == 1 && delimiter.size() == 1) {
        bool inside = false;
        for (char& c : work) {
            if (c == quote[0])
                inside = !inside;
            else if (c == delimiter[0] && inside)
                c = '~';
        }
    }
    std::vector<std::string> columns;
    if (delimiter.empty())
        columns.push_back(std::move(work));
    else
        columns = Split(work, delimiter);
    if (quote.empty()) return columns;
    const std::string doubled = quote + quote;
    for (std::string& col : columns) {
        if (col.compare(0, quote.size(), quote) == 0) col.erase(0, quote.size());
        if (col.size() >= quote.size() && col.compare(col.size() - quote.size(), quote.size(), quote) == 0)
            col.erase(col.size() - quote.size());
        if (col.find(doubled) != std::string::npos) col = ReplaceAll(col, doubled, quote);
        if (col.find('~') != std::string::npos) col = ReplaceAll(col, "~", delimiter);
    }
    return columns;
}

void FastDelimitedColumns(std::string_view line, char delimiter, std::string_view quote,
                          std::vector<std::string_view>& columns, std::vector<std::string>& owned,
                          std::size_t limit) {
    const bool quoted = !quote.empty();
    const char q = quoted ? quote[0] : '\0';
    columns.clear();
    // Column ends: a delimiter outside quotes. With a quote, the quotes and "~" of each column are
    // counted on the way: a column with no "~" and no quotes but its outer ones is a view of the line.
    std::array<unsigned char, 256> special{};
    special[static_cast<unsigned char>(delimiter)] = 1;
    if (quoted) special[static_cast<unsigned char>(q)] = special[static_cast<unsigned char>('~')] = 1;
    std::size_t firstRewrite = std::string_view::npos;  // the first column to rewrite, if any
    bool inside = false;
    std::size_t start = 0, quotes = 0, tildes = 0;
    const auto end = [&](std::size_t to) {
        std::string_view text = line.substr(start, to - start);
        if (quoted) {
            // One leading and one trailing quote go.
            if (!text.empty() && text.front() == q) {
                text.remove_prefix(1);
                --quotes;
            }
            if (!text.empty() && text.back() == q) {
                text.remove_suffix(1);
                --quotes;
            }
            if ((quotes > 0 || tildes > 0) && firstRewrite == std::string_view::npos) firstRewrite = columns.size();
        }
        columns.push_back(text);
        quotes = tildes = 0;
    };
    // One special byte at `i`; true when the column limit is reached.
    const auto take = [&](std::size_t i) {
        const char c = line[i];
        if (quoted && c == q) {
            inside = !inside;
            ++quotes;
        } else if (quoted && c == '~') {
            ++tildes;
        } else if (!inside) {
            end(i);
            if (columns.size() == limit) return true;
            start = i + 1;
        }
        return false;
    };
    const std::size_t n = line.size();
    std::size_t i = 0;
    bool stopped = false;
#if defined(__SSE2__)
    // Sixteen bytes at a time: a mask of the special ones, taken in order.
    const __m128i isDelimiter = _mm_set1_epi8(delimiter);
    const __m128i isQuote = _mm_set1_epi8(quoted ? q : delimiter);
    const __m128i isTilde = _mm_set1_epi8(quoted ? '~' : delimiter);
    for (; !stopped && i + 16 <= n; i += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + i));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, isDelimiter), _mm_cmpeq_epi8(bytes, isQuote)),
            _mm_cmpeq_epi8(bytes, isTilde))));
        for (; mask != 0 && !stopped; mask &= mask - 1)
            stopped = take(i + static_cast<std::size_t>(__builtin_ctz(mask)));
    }
#endif
    for (; !stopped && i < n; ++i)
        if (special[static_cast<unsigned char>(line[i])] != 0) stopped = take(i);
    if (!stopped) end(n);
    if (firstRewrite == std::string_view::npos) return;
    // Every "~" becomes the delimiter and a doubled quote is one.
    if (owned.size() < columns.size()) owned.resize(columns.size());
    for (std::size_t c = firstRewrite; c < columns.size(); ++c) {
        const std::string_view text = columns[c];
        if (text.find(q) == std::string_view::npos && text.find('~') == std::string_view::npos) continue;
        std::string& out = owned[c];
        out.clear();
        for (std::size_t r = 0; r < text.size(); ++r) {
            out += text[r] == '~' ? delimiter : text[r];
            if (text[r] == q && r + 1 < text.size() && text[r + 1] == q) ++r;
        }
        columns[c] = out;
    }
}

}  // namespace zav
