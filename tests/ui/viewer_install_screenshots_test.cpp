// Pictures of the viewer (on the demo office's route database, converted here, and on its readings
// database), the install window and the About window, for a look at their layout. With ZAV_SCREENSHOTS
// naming a folder each window is drawn to a PNG there; skipped otherwise. On a display server:
//   xvfb-run -a env QT_QPA_PLATFORM=xcb ZAV_SCREENSHOTS=/tmp/shots ui_tests --gtest_filter='ViewerInstall*'
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QTableView>
#include <QTest>

#include "advanced/advanced.h"
#include "exchange/exchange.h"
#include "setup/registry_store.h"
#include "support/quiet_frontend.h"
#include "support/temp_dir.h"
#include "ui/frm_about.h"
#include "ui/frm_unit_install.h"
#include "ui/frm_zav_view.h"
#include "ui_support.h"

namespace zav {
namespace {

namespace fs = std::filesystem;

void Save(QWidget& window, const QString& folder, const QString& name) {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(50);
    EXPECT_TRUE(window.grab().save(folder + "/" + name + ".png")) << name.toStdString();
}

TEST(ViewerInstallScreenshots, ViewerInstallAndAboutWindows) {
    const QString folder = qEnvironmentVariable("ZAV_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "ZAV_SCREENSHOTS is not set";
    QDir().mkpath(folder);
    test::TempDir home;
    fs::copy(fs::path(ZAV_SOURCE_DIR) / "examples/demo-home", home.Path(), fs::copy_options::recursive);
    for (const char* unit : {"Reader 1", "Reader 2", "Meazura Reader"})
        fs::create_directories(home / "hotsync" / unit / "Install");
    test::QuietFrontend quiet;
    ScopedFrontend scoped(quiet);
    RegistryStore store(home / "registry.sqlite3");
    struct AdvancedRelease {  // the conversion's shared advanced options go before their store
        ~AdvancedRelease() { ReleaseSharedAdvanced(); }
    } release;
    clsExchange exchange(store);
    exchange.HomeFolder = home.Path();
    exchange.LoadSettings();
    ASSERT_TRUE(exchange.ConvertRoute());  // the demo route: RouteZAV.pdb

    for (const char* file : {"RouteZAV", "ReadingZAV"}) {
        frmZAVView viewer;
        ASSERT_TRUE(viewer.Load(home / (std::string(file) + ".pdb")));
        Save(viewer, folder, QString("viewer-%1").arg(file));
        viewer.Routes()->selectRow(1);
        viewer.Meters()->selectRow(2);
        viewer.Meters()->scrollTo(viewer.Meters()->model()->index(2, 20));  // the readings and the texts
        Save(viewer, folder, QString("viewer-%1-route2-fields").arg(file));
    }
    test::WhenModal<frmUnitInstall>([&folder](frmUnitInstall* window) {
        window->Units()->item(0)->setCheckState(Qt::Checked);
        window->Meazura()->setChecked(true);
        Save(*window, folder, "install");
        window->close();
    });
    frmUnitInstall install(home.Path(), "ZAVELKORN.PRC");
    install.Display();
    frmAbout about;
    Save(about, folder, "about");
}

}  // namespace
}  // namespace zav
