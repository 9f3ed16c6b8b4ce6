// The install window (its units, the enabling rule of Install, what it schedules), the About window,
// and the main window's commands that open them and the viewer.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "accessibility_support.h"
#include "core/file_io.h"
#include "core/identity.h"
#include "exchange/exchange.h"
#include "install/hotsync.h"
#include "install/unit_install.h"
#include "setup/registry_store.h"
#include "support/temp_dir.h"
#include "ui/frm_about.h"
#include "ui/frm_splash.h"
#include "ui/frm_unit_install.h"
#include "ui_support.h"

namespace zav {
namespace {

namespace fs = std::filesystem;
using V = std::vector<std::string>;

void Tick(QListWidget* list, int row, bool on) { list->item(row)->setCheckState(on ? Qt::Checked : Qt::Unchecked); }

class InstallWindowTest : public ::testing::Test {
  protected:
    void AddUnits(std::initializer_list<const char*> names) {
        HotSyncDesktop desktop(home_.Path());
        for (const char* name : names) desktop.UmAddUser(name, 0);
    }
    void AddProgramFiles() {
        for (const char* f : {"ZAVELKORN.PRC", kMeazuraLibFile, kMeazuraStartupPatchFile}) WriteFileBytes(home_ / f, f);
    }
    fs::path Install(const std::string& unit) const { return home_ / "hotsync" / unit / "Install"; }
    std::size_t Scheduled(const std::string& unit) const {
        return fs::exists(Install(unit)) ? static_cast<std::size_t>(std::distance(fs::directory_iterator(Install(unit)),
                                                                                  fs::directory_iterator()))
                                         : 0;
    }
    // Opens the window and acts on it while it is shown.
    void Run(std::function<void(frmUnitInstall*)> act) {
        test::WhenModal<frmUnitInstall>(std::move(act));
        frmUnitInstall window(home_.Path(), "ZAVELKORN.PRC");
        window.Display();
    }

    test::TempDir home_;
    test::FakeFrontend fake_;
    ScopedFrontend scoped_{fake_};
};

TEST_F(InstallWindowTest, ListsTheUnitsWithCheckBoxesAndInstallFollowsTheTicks) {
    AddUnits({"Unit 2", "Unit 1", "Route Truck"});
    Run([](frmUnitInstall* w) {
        EXPECT_EQ(w->windowTitle(), "Install to Unit(s)");
        EXPECT_EQ(w->Meazura()->text(), "Include files required for Meazura");
        EXPECT_FALSE(w->Meazura()->isChecked());
        EXPECT_EQ(w->InstallButton()->text(), "&Install Unit(s)");
        EXPECT_EQ(w->CancelButton()->text(), "&Cancel");
        EXPECT_EQ(w->InstallButton()->property("tag").toString(), "INSTALL");
        EXPECT_EQ(w->CancelButton()->property("tag").toString(), "CANCEL");
        QListWidget* units = w->Units();
        ASSERT_EQ(units->count(), 3);
        QStringList names;
        for (int i = 0; i < units->count(); ++i) {
            names << units->item(i)->text();
            EXPECT_TRUE(units->item(i)->flags() & Qt::ItemIsUserCheckable);
            EXPECT_EQ(units->item(i)->checkState(), Qt::Unchecked);
        }
        EXPECT_EQ(names, (QStringList{"Route Truck", "Unit 1", "Unit 2"})) << "the snapshot's order";
        EXPECT_FALSE(w->InstallButton()->isEnabled());

        Tick(units, 1, true);
        EXPECT_TRUE(w->InstallButton()->isEnabled());
        Tick(units, 1, false);
        EXPECT_FALSE(w->InstallButton()->isEnabled()) << "unticking the only ticked unit";
        Tick(units, 0, true);
        Tick(units, 2, true);
        Tick(units, 0, false);
        EXPECT_TRUE(w->InstallButton()->isEnabled()) << "one unit is still ticked";

        // The keyboard: Space on the current line ticks it.
        Tick(units, 2, false);
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w));
        units->setFocus();
        units->setCurrentRow(1);
        QTest::keyClick(units, Qt::Key_Space);
        EXPECT_EQ(units->item(1)->checkState(), Qt::Checked);
        EXPECT_TRUE(w->InstallButton()->isEnabled());

        EXPECT_EQ(test::UnnamedControls(w), QStringList{});
        EXPECT_EQ(test::TabOrder(units), (QStringList{"List1", "chkMeazura", "btnAction0", "btnAction1"}));
        QTest::mouseClick(w->CancelButton(), Qt::LeftButton);
    });
    EXPECT_EQ(Scheduled("Unit 1"), 0u) << "Cancel schedules nothing";
    EXPECT_TRUE(fake_.calls.empty());
}

// Two ticked units with the Meazura files: per unit in list order, the program, the support library
// and the startup patch. With none of them in the home folder, the installer's messages show the order.
TEST_F(InstallWindowTest, TwoUnitsWithMeazuraScheduleSixFilesInOrder) {
    AddUnits({"Unit 1", "Unit 2", "Unit 3"});
    auto tickFirstAndLast = [](frmUnitInstall* w) {
        Tick(w->Units(), 2, true);
        Tick(w->Units(), 0, true);
        w->Meazura()->setChecked(true);
        QTest::mouseClick(w->InstallButton(), Qt::LeftButton);
    };
    Run(tickFirstAndLast);
    const std::string notFound = "ShowMessage(Marquand|Application not found in " + home_.Path().string() + ": ";
    const V perUnit{notFound + "ZAVELKORN.PRC)", notFound + "MeazuraLib_V302b.prc)",
                    notFound + "MeazuraStartupPatch_V200b.prc)"};
    V expected = perUnit;
    expected.insert(expected.end(), perUnit.begin(), perUnit.end());
    EXPECT_EQ(fake_.calls, expected);
    const V warnings{"Warning: Meazura Support extension file failed to install",
                     "Warning: Meazura Startup patch file failed to install"};
    EXPECT_EQ(fake_.log, (V{warnings[0], warnings[1], warnings[0], warnings[1]}));

    fake_.calls.clear();
    fake_.log.clear();
    AddProgramFiles();
    Run(tickFirstAndLast);
    EXPECT_TRUE(fake_.calls.empty());
    EXPECT_TRUE(fake_.log.empty());
    for (const char* unit : {"Unit 1", "Unit 3"}) {
        for (const char* f : {"ZAVELKORN.PRC", kMeazuraLibFile, kMeazuraStartupPatchFile})
            EXPECT_TRUE(fs::exists(Install(unit) / f)) << unit << " " << f;
    }
    EXPECT_EQ(Scheduled("Unit 2"), 0u);

    // The Meazura choice is not remembered; without it only the program is scheduled.
    Run([](frmUnitInstall* w) {
        EXPECT_FALSE(w->Meazura()->isChecked());
        Tick(w->Units(), 1, true);
        QTest::mouseClick(w->InstallButton(), Qt::LeftButton);
    });
    EXPECT_EQ(Scheduled("Unit 2"), 1u);
    EXPECT_TRUE(fs::exists(Install("Unit 2") / "ZAVELKORN.PRC"));
}

TEST_F(InstallWindowTest, EscAndTheFrameScheduleNothing) {
    AddUnits({"Unit 1"});
    AddProgramFiles();
    for (const bool byFrame : {false, true}) {
        Run([byFrame](frmUnitInstall* w) {
            Tick(w->Units(), 0, true);
            if (byFrame)
                w->close();
            else
                QTest::keyClick(w, Qt::Key_Escape);
        });
        EXPECT_EQ(Scheduled("Unit 1"), 0u);
    }
}

TEST_F(InstallWindowTest, WithoutUnitsItSaysSoAndShowsNoWindow) {
    bool shown = false;
    QTimer guard;  // were the window to open, this notes it and closes it so the test ends
    QObject::connect(&guard, &QTimer::timeout, [&shown] {
        if (auto* w = qobject_cast<frmUnitInstall*>(QApplication::activeModalWidget())) {
            shown = true;
            w->close();
        }
    });
    guard.start(20);
    frmUnitInstall window(home_.Path(), "ZAVELKORN.PRC");
    window.Display();
    EXPECT_FALSE(shown);
    EXPECT_EQ(fake_.calls, V{"ShowMessage(Marquand|Unable to locate any units!\r\nPerhaps the Palm Desktop software "
                             "is not installed \r\nor is not set up for your login id?)"});
}

TEST(AboutWindow, ShowsTheVersionRecordAndTheQtVersionAndOkClosesIt) {
    frmAbout about;
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
    for (const QString& text : SplashTexts()) EXPECT_TRUE(texts.contains(text)) << text.toStdString();
    EXPECT_TRUE(texts.contains("Qt " + QString::fromLatin1(qVersion())));
    EXPECT_EQ(about.windowTitle(), "About ZavDepot");
    test::WhenModal<frmAbout>([](frmAbout* w) {
        auto* ok = w->findChild<QPushButton*>("cmdOK");
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), "OK");
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
}

// The main window's "Install to Unit(s)", "Viewer..." and "About" open their windows.
TEST_F(InstallWindowTest, MainWindowCommandsOpenTheirWindows) {
    QSettings(kCompanyName, kAppTitle).clear();
    AddUnits({"Unit 1"});
    RegistryStore store(home_ / "registry.sqlite3");
    clsExchange exchange(store);
    frmMain main(exchange, store, home_.Path(), "zavdepot");
    auto* install = main.findChild<QPushButton*>("btnInstall");
    auto* viewer = main.menuBar()->findChild<QAction*>("mnuViewer");
    auto* about = main.menuBar()->findChild<QAction*>("mnuAbout");
    ASSERT_TRUE(install && viewer && about);
    EXPECT_TRUE(install->isEnabled());
    EXPECT_TRUE(viewer->isEnabled());
    EXPECT_TRUE(about->isEnabled());

    int opened = 0;
    test::WhenModal<frmUnitInstall>([&opened](frmUnitInstall* w) {
        ++opened;
        EXPECT_EQ(w->Units()->count(), 1);
        w->close();
    });
    install->click();
    EXPECT_EQ(opened, 1);
    test::WhenModal<QFileDialog>([&opened](QFileDialog* w) {
        ++opened;
        EXPECT_EQ(w->windowTitle(), "Exchange File");
        w->close();
    });
    viewer->trigger();
    EXPECT_EQ(opened, 2);
    test::WhenModal<frmAbout>([&opened](frmAbout* w) {
        ++opened;
        w->close();
    });
    about->trigger();
    EXPECT_EQ(opened, 3);
    EXPECT_TRUE(fake_.calls.empty());
}

}  // namespace
}  // namespace zav
