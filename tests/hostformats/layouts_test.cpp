// The declared record layouts against the formats' tables: every field must start where the table says
// (fields are declared one after the other, so a wrong width moves every later start) and every record
// must be as long as the table says.
#include <gtest/gtest.h>

#include <set>

#include "core/text.h"
#include "hostformats/host_file.h"
#include "hostformats/host_layouts.h"

namespace zav {
namespace {

void CheckLayouts(const std::vector<HostRecordLayout>& layouts, const std::vector<std::string>& expectedIds) {
    std::vector<std::string> ids;
    for (const auto& layout : layouts) {
        const auto types = DeclareRecordTypes({layout});
        ASSERT_EQ(types.size(), layout.ids.size());
        for (std::size_t t = 0; t < types.size(); ++t) {
            const clsRecType& type = *types[t];
            ids.push_back(type.RIValue);
            SCOPED_TRACE(type.RIValue);
            EXPECT_EQ(type.RecLen(), layout.length);
            ASSERT_EQ(type.Fields().size(), layout.fields.size());
            ASSERT_FALSE(type.Fields().empty());
            EXPECT_EQ(type.Fields()[0].FieldName, "RecID");
            EXPECT_EQ(type.Fields()[0].FieldLen, static_cast<std::int16_t>(type.RIValue.size()));
            std::set<std::string> names;
            for (std::size_t i = 0; i < layout.fields.size(); ++i) {
                SCOPED_TRACE(std::string(layout.fields[i].name));
                EXPECT_EQ(type.Fields()[i].FieldPos, layout.fields[i].start);
                EXPECT_GT(layout.fields[i].width, 0);
                EXPECT_TRUE(names.insert(UCase(layout.fields[i].name)).second) << "field name twice";
            }
            const clsField& last = type.Fields().back();
            EXPECT_EQ(last.FieldPos + last.FieldLen - 1, layout.length);
        }
    }
    EXPECT_EQ(ids, expectedIds);
}

TEST(HostLayouts, MVRSDownloadMatchesItsTables) {
    CheckLayouts(MVRSDownloadLayouts(), {"FHD", "FTR", "???", "CHD", "CTR", "RHD", "RTR", "ERH", "ERT", "RTS", "RTM",
                                         "CUS", "CSX", "MTR", "MTS", "RDG", "PRB", "RFF", "WRR"});
    // The stated lengths, record by record.
    const std::vector<int> lengths = {18, 93, 17, 86, 97, 91, 111, 125, 71, 112, 123, 95, 126, 68, 38};
    ASSERT_EQ(MVRSDownloadLayouts().size(), lengths.size());
    for (std::size_t i = 0; i < lengths.size(); ++i) EXPECT_EQ(MVRSDownloadLayouts()[i].length, lengths[i]);
}

TEST(HostLayouts, MVRSUploadMatchesItsTables) {
    CheckLayouts(MVRSUploadLayouts(), {"FHD", "FTR", "RHD", "RTR", "ERH", "ERT", "RTS", "RTM", "RMR", "CUS", "CSX",
                                       "MTR", "MTC", "MTS", "MTM", "RDG", "PRB", "RFF", "WRR"});
    const std::vector<int> lengths = {126, 117, 128, 91, 111, 119, 126, 91, 121, 87, 123, 63, 115, 123, 95, 95};
    ASSERT_EQ(MVRSUploadLayouts().size(), lengths.size());
    for (std::size_t i = 0; i < lengths.size(); ++i) EXPECT_EQ(MVRSUploadLayouts()[i].length, lengths[i]);
}

TEST(HostLayouts, E5000RecordsAreAllEightyCharacters) {
    CheckLayouts(E5KDownloadLayouts(), {"F", "A", "B", "E", "C", "D", "H", "I", "K01", "K05", "Z", "L", "?"});
    CheckLayouts(E5KUploadLayouts(), {"A", "C", "S", "D", "E", "M", "Z"});
    for (const auto* layouts : {&E5KDownloadLayouts(), &E5KUploadLayouts()})
        for (const auto& layout : *layouts) EXPECT_EQ(layout.length, 80);
}

}  // namespace
}  // namespace zav
