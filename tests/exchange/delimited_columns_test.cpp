// The one-scan splitting of delimited lines gives the columns of the general splitting, for lines of
// every mix of delimiters, quotes and "~", long enough to cross the blocks the scan reads at a time.
#include "exchange/delimited_columns.h"

#include <gtest/gtest.h>

#include <random>

namespace zav {
namespace {

TEST(DelimitedColumns, TheOneScanFormGivesTheColumnsOfTheGeneralSplitting) {
    struct Layout {
        std::string delimiter, quote;
    };
    const Layout layouts[] = {{",", "\""}, {",", ""}, {";", "'"}, {"\t", "\""}};
    std::mt19937 random(20261211);
    std::vector<std::string_view> columns;
    std::vector<std::string> owned;
    for (const Layout& layout : layouts) {
        const std::string alphabet = layout.delimiter + layout.quote + "~ ab";
        ASSERT_TRUE(FastColumnsFit(layout.delimiter, layout.quote));
        for (int n = 0; n < 3000; ++n) {
            std::string line(random() % 70, ' ');
            for (char& c : line) c = alphabet[random() % alphabet.size()];
            const std::vector<std::string> expected = DelimitedColumns(line, layout.delimiter, layout.quote);
            FastDelimitedColumns(line, layout.delimiter[0], layout.quote, columns, owned);
            ASSERT_EQ(std::vector<std::string>(columns.begin(), columns.end()), expected) << line;
            // Stopped after some columns: those columns as they are.
            const std::size_t limit = 1 + random() % 6;
            FastDelimitedColumns(line, layout.delimiter[0], layout.quote, columns, owned, limit);
            const std::size_t kept = std::min(limit, expected.size());
            ASSERT_EQ(std::vector<std::string>(columns.begin(), columns.end()),
                      std::vector<std::string>(expected.begin(), expected.begin() + static_cast<std::ptrdiff_t>(kept)))
                << line << " limit " << limit;
        }
    }
}

}  // namespace
}  // namespace zav
