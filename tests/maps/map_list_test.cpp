// The map lists the windows offer: files of the use's extension, named without it.
#include "maps/map_list.h"

#include <gtest/gtest.h>

#include <fstream>

#include "maps/map_use.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

TEST(MapList, ListsTheFilesOfTheUseWithoutTheirExtensionInNameOrder) {
    test::TempDir folder;
    for (const char* file : {"billing.zcm", "Annual.ZCM", "Old.zcm.zcm", "x.Zcmy.zcm", "Upload.zrm", "Orphans.zom",
                             "notes.zcm.txt", ".zcm", "plain"})
        std::ofstream(folder / file) << "ZAV=1.1\r\n";
    std::filesystem::create_directory(folder / "Folder.zcm");  // a folder is no map

    using Names = std::vector<std::string>;
    EXPECT_EQ(ListMapNames(folder.Path(), kMapRoute), (Names{"Annual", "billing", "Old", "xy"}));
    EXPECT_EQ(ListMapNames(folder.Path(), kMapReRead), ListMapNames(folder.Path(), kMapRoute));
    EXPECT_EQ(ListMapNames(folder.Path(), kMapReading), (Names{"Upload"}));
    EXPECT_EQ(ListMapNames(folder.Path(), kMapOrphan), (Names{"Orphans"}));
    EXPECT_TRUE(ListMapNames(folder.Path(), 7).empty());
    EXPECT_TRUE(ListMapNames(folder / "missing", kMapRoute).empty());
}

TEST(MapList, RemovesEveryOccurrenceOfTheExtensionInAnyCase) {
    EXPECT_EQ(RemoveExtensionEverywhere("A.zcm.ZCM", ".zcm"), "A");
    EXPECT_EQ(RemoveExtensionEverywhere("a.zcmb.zcm", ".zcm"), "ab");
    EXPECT_EQ(RemoveExtensionEverywhere("Route", ".zcm"), "Route");
    EXPECT_EQ(RemoveExtensionEverywhere("Route.zcm", ""), "Route.zcm");
}

}  // namespace
}  // namespace zav
