// What the map editor offers for each use, field and data type.
#include "maps/map_choices.h"

#include <gtest/gtest.h>

#include "maps/exch_map.h"

namespace zav {
namespace {

using Codes = std::vector<std::int32_t>;

TEST(MapChoices, OptionsFollowTheUseAndTheSequenceField) {
    struct Case {
        std::int32_t use;
        const char* field;
        Codes codes;
    };
    const Case cases[] = {
        {kMapRoute, "Sequence", {1, 2, 6}},       {kMapReRead, "SEQUENCE", {1, 2, 6}},
        {kMapRoute, "MeterTagNbr", {1, 2, 3, 4}}, {kMapReading, "Sequence", {1, 5}},
        {kMapOrphan, "CurReading", {1, 5}},       {7, "Sequence", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(MapOptionChoices(c.use, c.field), c.codes) << c.use << " " << c.field;
    EXPECT_EQ(MapTypeChoices(kMapOrphan), (Codes{1, 2}));
    EXPECT_EQ(MapTypeChoices(kMapReading), (Codes{1, 2, 3, 4}));
}

TEST(MapChoices, FormatsBelongToDatesAndTimes) {
    EXPECT_EQ(MapFormatChoices(kDate).size(), 18u);
    EXPECT_EQ(MapFormatChoices(kDate).front(), 10);
    EXPECT_EQ(MapFormatChoices(kDate).back(), 36);
    EXPECT_EQ(MapFormatChoices(kTime), (Codes{40, 42, 41, 43}));
    EXPECT_TRUE(MapFormatChoices(kReal).empty());
    EXPECT_EQ(MapPadChoices(), (Codes{2, 1}));
}

}  // namespace
}  // namespace zav
