// Which ZAV schema version a program version writes.
#include <gtest/gtest.h>

#include "exchange/exchange.h"
#include "support/fake_frontend.h"

namespace zav {
namespace {

TEST(LookupFileVersion, Table) {
    struct Case {
        std::int16_t major, minor, version;
        bool message;
    } cases[] = {
        {1, 2, 1, false}, {1, 3, 2, false}, {1, 4, 3, false}, {1, 5, 3, false}, {1, 6, 3, false},
        {3, 0, 3, false}, {1, 1, 0, true},  {3, 1, 0, true},  {1, 7, 0, true},  {2, 0, 0, true},
    };
    for (const auto& c : cases) {
        test::FakeFrontend fake;
        ScopedFrontend scoped(fake);
        EXPECT_EQ(clsExchange::LookupFileVersion(c.major, c.minor), c.version) << c.major << '.' << c.minor;
        ASSERT_EQ(fake.calls.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_NE(fake.calls[0].find("Contact Support - cannot determine internal file version from this "
                                         "version of Pendrel Utility"),
                      std::string::npos);
        }
    }
}

}  // namespace
}  // namespace zav
