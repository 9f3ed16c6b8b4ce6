// The index step and the configuration steps of a route conversion, on a real database.
#include <gtest/gtest.h>

#include "advanced/advanced.h"
#include "core/identity.h"
#include "exchange/exchange.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"
#include "zav/zav.h"
#include "zav/zav_json.h"

namespace zav {
namespace {

class RouteRecordsTest : public testing::Test {
protected:
    test::TempDir dir;
    RegistryStore store{dir / "registry.sqlite3"};
    test::FakeFrontend ui;
    ScopedFrontend scoped{ui};

    ~RouteRecordsTest() override { ReleaseSharedAdvanced(); }

    void Create(clsExchange& ex) {
        ex.RouteZAV = std::make_unique<clsZAV>();
        ex.RouteZAV->SetVersion(3);
        ASSERT_EQ(ex.RouteZAV->CreateZAV(dir / "route.pdb", 1, 50), 0);
    }
    std::string Json(clsExchange& ex) {
        ex.RouteZAV.reset();  // releasing the database completes the file
        std::string json;
        EXPECT_TRUE(ZAVToJson(dir / "route.pdb", json));
        return json;
    }
};

TEST_F(RouteRecordsTest, IndexRecordsPerRouteAndKindWhenTheRouteChangesAndAtTheEnd) {
    clsExchange ex(store);
    Create(ex);
    ex.IndexStep(1, 0, "1001", "s-9", "THE SMITH CO.", "12 MAIN ST", "A1");
    ex.IndexStep(1, 1, "0", "", "", "", "");
    ex.IndexStep(2, 2, "  7 ", "S9", "O'NEIL INC", "1234 21ST AVE NW", "");
    ex.IndexStep(1, 3, "1001", "", "Jones", "", "");  // route 1 again: a second record per kind
    ex.IndexStep(0, 0, "", "", "", "", "");
    const std::string json = Json(ex);
    const char* expected[] = {
        R"({"RecType":6,"route":1,"indexType":0,"groups":[{"key":"SMITH","positions":[0]}]})",
        R"({"RecType":6,"route":1,"indexType":1,"groups":[{"key":"MAIN","positions":[0]}]})",
        R"({"RecType":6,"route":1,"indexType":2,"groups":[{"key":"1001","positions":[0]}]})",
        R"({"RecType":6,"route":1,"indexType":3,"groups":[{"key":"S-9","positions":[0]}]})",
        R"({"RecType":6,"route":1,"indexType":4,"groups":[{"key":"A1","positions":[0]}]})",
        R"({"RecType":6,"route":2,"indexType":0,"groups":[{"key":"NEIL","positions":[2]}]})",
        R"({"RecType":6,"route":2,"indexType":1,"groups":[{"key":"21ST","positions":[2]},{"key":"NW","positions":[2]}]})",
        R"({"RecType":6,"route":2,"indexType":2,"groups":[{"key":"7","positions":[2]}]})",
        R"({"RecType":6,"route":2,"indexType":3,"groups":[{"key":"S9","positions":[2]}]})",
        R"({"RecType":6,"route":1,"indexType":0,"groups":[{"key":"JONES","positions":[3]}]})",
        R"({"RecType":6,"route":1,"indexType":2,"groups":[{"key":"1001","positions":[3]}]})",
    };
    std::size_t at = 0;
    for (const char* record : expected) {
        const auto found = json.find(record, at);
        ASSERT_NE(found, std::string::npos) << record << "\nin " << json;
        at = found;
    }
    EXPECT_EQ(json.find("\"route\":2,\"indexType\":4"), std::string::npos) << "no account keys on route 2";
}

TEST_F(RouteRecordsTest, WithIndexesOffOrNoDatabaseNothingIsWritten) {
    clsExchange ex(store);
    Create(ex);
    ex.CreateIndexes = false;
    ex.IndexStep(1, 0, "1001", "S1", "SMITH", "MAIN", "A1");
    ex.IndexStep(2, 1, "1002", "S2", "JONES", "ELM", "A2");
    ex.IndexStep(0, 0, "", "", "", "", "");
    ex.WriteConfigurationRecords();
    const std::string json = Json(ex);
    EXPECT_EQ(json.find("\"RecType\":6"), std::string::npos);

    clsExchange none(store);  // the database could not be created: the steps must not touch it
    none.IndexStep(1, 0, "1001", "S1", "SMITH", "MAIN", "A1");
    none.IndexStep(0, 0, "", "", "", "", "");
    none.WriteConfigurationRecords();
    EXPECT_TRUE(ui.log.empty());
}

TEST_F(RouteRecordsTest, ConfigurationRecordsFromTheAdvancedStore) {
    clsExchange ex(store);
    clsAdvanced& adv = ex.Advanced();
    adv.AddLogin("U1", "P", "D");
    adv.AddLogin("U2", "Q", "");
    adv.AddSkip("NA", "No access");
    adv.AddSkip("DOG", "Dog");
    adv.AddSkip("LOCK", "Locked");
    adv.DeleteSkip("DOG");
    adv.AddChangeout("MT", "W", "Water");
    adv.AlertOutOfBounds(2);
    adv.AlertTamper(1);

    Create(ex);
    ex.WriteConfigurationRecords();  // login security off: no login record
    adv.UseLoginSecurity(true);
    ex.WriteConfigurationRecords();
    const std::string json = Json(ex);
    const std::string skips = R"({"RecType":5,"codeType":0,"flags":0,"entries":[["NA","No access",""],["LOCK","Locked",""]]})";
    const std::string changeouts = R"({"RecType":5,"codeType":2,"flags":0,"entries":[["W","Water",""]]})";
    const std::string alerts =
        R"({"RecType":7,"codeType":0,"flags":1,"entries":[["RANGE","2",""],["ROLLOVER","0",""],["TAMPER","1",""]]})";
    const std::string logins = R"({"RecType":4,"codeType":0,"flags":1,"entries":[["U1","P","D"],["U2","Q",""]]})";
    EXPECT_NE(json.find("\"records\":[" + skips + "," + changeouts + "," + alerts + "," + logins + "," + skips + "," +
                        changeouts + "," + alerts + "]"),
              std::string::npos)
        << json;
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

// A key left out of the index (too many meters for one record) is a warning of the conversion, so the
// run cannot close as if all were well.
TEST_F(RouteRecordsTest, AKeyLeftOutOfTheIndexIsAWarning) {
    clsExchange ex(store);
    Create(ex);
    for (std::int16_t i = 0; i < 200; ++i) ex.IndexStep(1, i, std::to_string(1000 + i), "", "SMITH", "", "");
    ex.IndexStep(0, 0, "", "", "", "", "");
    EXPECT_FALSE(ex.State.Warnings) << "keys that fit";

    for (std::int16_t i = 0; i < 32767; ++i) ex.IndexStep(1, i, "", "", "SMITH", "", "");
    ex.IndexStep(0, 0, "", "", "", "", "");
    ASSERT_EQ(ui.log.size(), 1u);
    EXPECT_EQ(ui.log[0],
              "Warning: Index key SMITH of route 1 has too many meters for one index record and is left out of the "
              "index");
    EXPECT_TRUE(ex.State.Warnings);
}

}  // namespace
}  // namespace zav
