// Pictures of the viewer, install and About windows for a look at their layout: with
// ZAV_SCREENSHOT_HOME naming a demo office (its RouteZAV.pdb made by `zavdepot route`, ReadingZAV.pdb,
// a few units), each window is drawn to a PNG in ZAV_SCREENSHOT_DIR. Skipped otherwise. Run it on a
// real display server for the platform's look: xvfb-run -a env QT_QPA_PLATFORM=xcb ui_tests ...
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include "ui/frm_about.h"
#include "ui/frm_unit_install.h"
#include "ui/frm_zav_view.h"
#include "ui_support.h"

namespace zav {
namespace {

TEST(Screenshots, ViewerInstallAndAboutWindows) {
    const QString home = qEnvironmentVariable("ZAV_SCREENSHOT_HOME");
    const QString out = qEnvironmentVariable("ZAV_SCREENSHOT_DIR", QDir::tempPath());
    if (home.isEmpty()) GTEST_SKIP() << "set ZAV_SCREENSHOT_HOME to a demo office";
    QDir().mkpath(out);
    auto save = [&out](QWidget& window, const char* name) {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QTest::qWait(100);
        EXPECT_TRUE(window.grab().save(out + "/" + name + ".png")) << name;
    };
    for (const char* file : {"RouteZAV.pdb", "ReadingZAV.pdb"}) {
        frmZAVView viewer;
        ASSERT_TRUE(viewer.Load((home + "/" + file).toStdString()));
        save(viewer, file);
        viewer.Routes()->selectRow(1);
        viewer.Meters()->selectRow(2);
        save(viewer, (std::string(file) + "-route2").c_str());
        viewer.Meters()->scrollTo(viewer.Meters()->model()->index(2, 20));  // the readings and the texts
        save(viewer, (std::string(file) + "-fields").c_str());
    }
    test::WhenModal<frmUnitInstall>([&save](frmUnitInstall* window) {
        window->Units()->item(0)->setCheckState(Qt::Checked);
        window->Meazura()->setChecked(true);
        save(*window, "install");
        window->close();
    });
    frmUnitInstall install(home.toStdString(), "ZAVELKORN.PRC");
    install.Display();
    frmAbout about;
    save(about, "about");
}

}  // namespace
}  // namespace zav
