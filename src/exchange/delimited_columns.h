// The columns of a delimited route line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// The columns of a delimited line. With a quote, a one-character delimiter inside quotes is protected
// as "~" while splitting; each column then loses one leading and one trailing quote, doubled quotes
// become one, and every "~" (quoted or not) becomes the delimiter.
std::vector<std::string> DelimitedColumns(std::string_view line, const std::string& delimiter,
                                          const std::string& quote);

// Whether FastDelimitedColumns reads lines of this delimiter and quote: a one-character delimiter and a
// quote of at most one character, neither "~" nor the same.
inline bool FastColumnsFit(const std::string& delimiter, const std::string& quote) {
    return delimiter.size() == 1 && quote.size() <= 1 && delimiter[0] != '~' && quote != "~" && quote != delimiter;
}

// DelimitedColumns for the usual maps (FastColumnsFit) in one scan, as views into `columns`: of the line
// itself where a column is its bytes (less its outer quotes), of a text in `owned` where its "~" or
// doubled quotes are rewritten. The same columns as DelimitedColumns, without splitting and rejoining
// the line. With `limit`, the scan stops after that many columns (the columns after them cannot change
// them).
void FastDelimitedColumns(std::string_view line, char delimiter, std::string_view quote,
                          std::vector<std::string_view>& columns, std::vector<std::string>& owned,
                          std::size_t limit = SIZE_MAX);

}  // namespace zav
