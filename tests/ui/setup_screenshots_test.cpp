// Pictures of the options window's tabs and of the map editor, for looking at their layout. Written only
// when ZAV_SCREENSHOTS names a folder (run under a real display, e.g. xvfb-run with QT_QPA_PLATFORM=xcb);
// otherwise skipped.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPixmap>
#include <QSettings>
#include <QTabWidget>
#include <QTest>

#include "core/identity.h"
#include "exchange/exchange.h"
#include "setup/registry_store.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"
#include "ui/frm_map_edit.h"
#include "ui/frm_options.h"
#include "ui/input_box.h"
#include "ui/number_box.h"

namespace zav {
namespace {

void Save(QWidget& window, const QString& folder, const QString& name) {
    window.show();
    QApplication::processEvents();
    QTest::qWait(50);
    ASSERT_TRUE(window.grab().save(folder + "/" + name + ".png"));
}

void SelectField(frmMapEdit& editor, const QString& prefix) {
    for (int row = 0; row < editor.Fields()->count(); ++row)
        if (editor.Fields()->item(row)->text().startsWith(prefix)) editor.Fields()->setCurrentRow(row);
}

TEST(SetupScreenshots, OptionsTabsAndMapEditor) {
    const QString folder = qEnvironmentVariable("ZAV_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "ZAV_SCREENSHOTS is not set";
    QSettings(kCompanyName, kAppTitle).clear();
    test::TempDir home;
    std::filesystem::copy(std::filesystem::path(ZAV_SOURCE_DIR) / "examples/demo-home", home.Path(),
                          std::filesystem::copy_options::recursive);
    for (const char* unit : {"Reader 1", "Reader 2", "Reader 3"})
        std::filesystem::create_directories(home / "hotsync" / unit / "Install");
    test::FakeFrontend fake;
    ScopedFrontend scoped(fake);
    RegistryStore store(home / "registry.sqlite3");
    clsExchange exchange(store);
    exchange.HomeFolder = home.Path();
    exchange.LoadSettings();
    exchange.AutoInstall = -1;

    frmOptions options(exchange);
    for (int tab = 0; tab < 4; ++tab) {
        options.Tabs()->setCurrentIndex(tab);
        Save(options, folder, QString("setup-tab%1").arg(tab + 1));
    }
    options.resize(options.minimumSize());
    Save(options, folder, "setup-tab4-minimum");
    options.Tabs()->setCurrentIndex(2);
    Save(options, folder, "setup-tab3-minimum");

    const struct {
        int use;
        const char* map;
        const char* type;  // switched to, or nullptr
        const char* field;
        const char* name;
    } editors[] = {
        {kMapRoute, "Demo Route", nullptr, "LstReadingDate", "editor-route-fixed"},
        {kMapRoute, "Demo Route", "Delimited", "MeterTagNbr", "editor-route-delimited"},
        {kMapRoute, "Demo Route", nullptr, "User1", "editor-route-constant"},
        {kMapRoute, "Demo MVRS", nullptr, "", "editor-route-mvrs"},
        {kMapReading, "Demo Reading", nullptr, "ReadingDate", "editor-reading"},
        {kMapReading, "", nullptr, "", "editor-reading-new"},
        {kMapOrphan, "Demo Orphan", "Delimited", "MeterTagNbr", "editor-orphan-delimited"},
    };
    for (const auto& e : editors) {
        frmMapEdit editor(home.Path());
        editor.Open(e.use, e.map, MapUseExtension(e.use));
        if (e.type) editor.TypeList()->setCurrentIndex(editor.TypeList()->findText(e.type));
        if (*e.field) SelectField(editor, e.field);
        Save(editor, folder, e.name);
    }

    frmMapEdit refused(home.Path());  // a refused number says why below the controls
    refused.Open(kMapReading, "Demo Reading", ".zrm");
    refused.LengthBox()->setFocus();
    refused.LengthBox()->end(false);
    QTest::keyClicks(refused.LengthBox(), "000");
    Save(refused, folder, "editor-refused-number");

    InputBox box("Map Name", "Save Map", "Demo Route", nullptr);
    Save(box, folder, "save-map");
}

}  // namespace
}  // namespace zav
