// Start-up: splash texts, the login gate and the word that skips it, the Qt Frontend's run log.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "advanced/advanced.h"
#include "core/file_io.h"
#include "core/identity.h"
#include "setup/registry.h"
#include "setup/registry_store.h"
#include "support/temp_dir.h"
#include "ui/desktop.h"
#include "ui/frm_login.h"
#include "ui/frm_prompt_unit.h"
#include "ui/program_icon.h"
#include "ui/run_log.h"
#include "ui_support.h"

namespace zav {
namespace {

TEST(Splash, ShowsTheVersionRecordAndClosesOnAKey) {
    EXPECT_EQ(SplashTexts(), (QStringList{"Version 3.0.0", "ZavDepot", "Halvary, Inc.",
                                          "Copyright \u00A9 Halvary, Inc. All rights reserved.",
                                          "ZavDepot\u00AE route and reading exchange for handheld meter reading"}));
    frmSplash splash;
    // The splash shows the program's icon, the picture the desktop entry and every window show.
    const auto* logo = splash.findChild<QLabel*>("picLogo");
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->pixmap().isNull());
    EXPECT_FALSE(ProgramIcon().pixmap(32, 32).isNull());
    splash.show();
    bool closed = false;
    QObject::connect(&splash, &frmSplash::closed, [&] { closed = true; });
    QTest::keyClick(&splash, Qt::Key_Space);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(splash.isVisible());
}

class SessionTest : public ::testing::Test {
  protected:
    SessionTest() {
        clsRegistry(store_).SaveValue("Billing",
                                      {kLocalMachine, kSettingsKey, "Route", "Map"});  // no first-run question
        SharedAdvanced(store_).UseLoginSecurity(true);
        SharedAdvanced(store_).AddLogin("Boss", "secret", "S");
    }
    ~SessionTest() override { ReleaseSharedAdvanced(); }
    test::TempDir home_;
    RegistryStore store_{home_ / "registry.sqlite3"};
};

TEST_F(SessionTest, NoGateSkipsTheLogin) {
    DesktopSession session(store_, home_.Path(), "zavdepot");
    EXPECT_TRUE(session.Splash().isVisible());
    ASSERT_TRUE(session.Open(true));
    ASSERT_NE(session.Main(), nullptr);
    EXPECT_TRUE(session.Main()->isVisible());
}

TEST_F(SessionTest, ReReadAndReadingCommandsAreWiredToTheirDrivers) {
    DesktopSession session(store_, home_.Path(), "zavdepot");
    ASSERT_TRUE(session.Open(true));
    for (const Conversion c : {Conversion::ReRead, Conversion::Reading}) {
        EXPECT_TRUE(session.Main()->CommandButton(c)->isEnabled());
        EXPECT_TRUE(session.Main()->CommandAction(c)->isEnabled());
    }
}

TEST_F(SessionTest, GateOpensTheProgramOnlyForASupervisor) {
    {
        DesktopSession refused(store_, home_.Path(), "zavdepot");
        test::WhenModal<frmLogin>(
            [](frmLogin* w) { QTest::mouseClick(w->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton); });
        EXPECT_FALSE(refused.Open(false));
        EXPECT_EQ(refused.Main(), nullptr);
        EXPECT_TRUE(refused.Splash().isVisible());  // it closes itself later
    }
    DesktopSession session(store_, home_.Path(), "zavdepot");
    test::WhenModal<frmLogin>([](frmLogin* w) {
        w->UserId()->setText("Boss");
        w->Password()->setText("secret");
        QTest::mouseClick(w->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    });
    ASSERT_TRUE(session.Open(false));
    EXPECT_NE(session.Main(), nullptr);
}

TEST_F(SessionTest, QtFrontendLogsToTheMainWindowAndAsksForUnits) {
    DesktopSession session(store_, home_.Path(), "zavdepot");
    AddLog("Info: before the window");  // kept until the main window is there
    ASSERT_TRUE(session.Open(true));
    AddLog("Info: after");
    EXPECT_EQ(session.Main()->Log().Text(), "Info: before the window\nInfo: after\n");

    test::WhenModal<frmPromptUnit>([](frmPromptUnit* w) {
        w->Units()->setCurrentRow(0);
        w->Units()->item(0)->setSelected(true);
        QTest::mouseClick(w->InstallButton(), Qt::LeftButton);
    });
    EXPECT_EQ(CurrentFrontend().PromptUnit({"Reader \xE9"}), "Reader \xE9");
}

// The route command of the main window runs the route conversion, which logs into the window.
TEST_F(SessionTest, RouteButtonRunsTheRouteConversion) {
    clsRegistry registry(store_);
    registry.SaveValue("route.txt", {kLocalMachine, kSettingsKey, "Route", "Source"});
    registry.SaveValue("RouteZAV.pdb", {kLocalMachine, kSettingsKey, "Route", "Destination"});
    registry.SaveValue("PDB", {kLocalMachine, kSettingsKey, "Route", "ZAVType"});
    WriteFileBytes(home_ / "Billing.zcm",
                   "MAPTYPE=2\r\nMAPDELIMITER=,\r\nRouteNbr=1,0,,,0\r\nSequence=2,0,,,0\r\nMeterTagNbr=3,0,,,0\r\n"
                   "MeterType=4,0,,,0\r\nServiceAddress=5,0,,,0\r\nUtilityCode=C,1\r\n");
    WriteFileBytes(home_ / "route.txt", "A,1,101,W,1 MAIN ST\r\nB,2,102,W,2 MAIN ST\r\n");
    DesktopSession session(store_, home_.Path(), "zavdepot");
    ASSERT_TRUE(session.Open(true));
    QPushButton* route = session.Main()->findChild<QPushButton*>("cmdRoute");
    ASSERT_NE(route, nullptr);
    ASSERT_TRUE(route->isEnabled());
    QTest::mouseClick(route, Qt::LeftButton);
    const QString log = session.Main()->Log().Text();
    EXPECT_TRUE(log.startsWith("Reading from route.txt\nWriting to RouteZAV.pdb\nUsing Map: Billing\n"))
        << log.toStdString();
    EXPECT_TRUE(log.endsWith("2 meters written to Route ZAV File\nRoute Conversion Finished\n\n")) << log.toStdString();
    EXPECT_TRUE(std::filesystem::exists(home_ / "RouteZAV.pdb"));
}

}  // namespace
}  // namespace zav

namespace zav {
namespace {

TEST(DesktopStart, WithoutADisplayTheProgramSaysSoInsteadOfAborting) {
    test::TempDir home;
    std::string out;
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" + std::string(ZAV_BINARY) +
                                "' --home '" + home.Path().string() + "' nogate 2>&1";
    const int status = test::RunCommand(command, &out);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out,
              "Error: no display for the desktop application (DISPLAY is not set).\n"
              "Run a command instead: zavdepot --help\n");
}

}  // namespace
}  // namespace zav
