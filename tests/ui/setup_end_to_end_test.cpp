// From the main window's "Setup" to a converted route: change the route source and "Apply", make a route
// map in the editor, and convert the demo route with it.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>

#include "advanced/advanced.h"
#include "core/file_io.h"
#include "core/identity.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "maps/map_texts.h"
#include "setup/registry.h"
#include "setup/registry_store.h"
#include "support/temp_dir.h"
#include "ui/frm_map_edit.h"
#include "ui/frm_options.h"
#include "ui/input_box.h"
#include "ui/number_box.h"
#include "ui_support.h"

namespace zav {
namespace {

void Choose(QComboBox* box, const std::string& text) {
    const int index = box->findText(QString::fromStdString(text));
    ASSERT_GE(index, 0) << text;
    box->setCurrentIndex(index);
}

void Type(QLineEdit* box, const std::string& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, QString::fromStdString(text));
}

// Maps every field of `model` in the editor as the model maps it, through the editor's controls.
void MapLikeInTheEditor(frmMapEdit& editor, const clsExchMap& model) {
    for (int f = 1; f <= model.FieldCount(); ++f) {
        const MapField& field = model.Fields()[static_cast<std::size_t>(f) - 1];
        if (field.MapOption == kDoNotMap) continue;
        SCOPED_TRACE(field.FieldName);
        editor.Fields()->setCurrentRow(f - 1);
        Choose(editor.ActionList(), MapOptionText(field.MapOption));
        if (field.MapOption == kMapFromSource) {
            Type(editor.PositionBox(), std::to_string(field.DataPosition));
            Type(editor.WidthBox(), std::to_string(field.DataWidth));
            if (field.MapFormat != 0) Choose(editor.FormatList(), MapFormatText(field.MapFormat));
        } else if (field.MapOption == kMapConstant) {
            Type(editor.ConstantBox(), field.MapConstant);
        }
    }
}

TEST(SetupEndToEnd, SetupChangesTheRouteSourceAndANewMapConvertsTheDemoRoute) {
    QSettings(kCompanyName, kAppTitle).clear();
    test::TempDir home;
    std::filesystem::copy(std::filesystem::path(ZAV_SOURCE_DIR) / "examples/demo-home", home.Path(),
                          std::filesystem::copy_options::recursive);
    std::filesystem::copy_file(home / "routes/route-0412.txt", home / "routes/route-0413.txt");
    clsExchMap demoMap(home.Path());
    ASSERT_TRUE(demoMap.LoadMap("Demo Route.zcm", kMapRoute));

    RegistryStore store(home / "registry.sqlite3");
    struct AdvancedRelease {  // the conversion loads the shared advanced options from this store
        ~AdvancedRelease() { ReleaseSharedAdvanced(); }
    } release;
    clsExchange exchange(store);
    exchange.HomeFolder = home.Path();
    frmMain main(exchange, store, home.Path(), "zavdepot");
    test::WindowFrontend frontend(main);
    ScopedFrontend scoped(frontend);
    main.SetConversion(Conversion::Route, {[&exchange] { return exchange.ConvertRoute(); }});
    main.LoadExchangeSettings();
    main.show();
    auto stored = [&store](const char* section, const char* name) {
        return RegValueText(clsRegistry(store).GetValue({kLocalMachine, kSettingsKey, section, name}));
    };

    bool optionsSeen = false;
    test::WhenModal<frmOptions>([&](frmOptions* options) {
        optionsSeen = true;
        EXPECT_EQ(options->SourceBox(kMapRoute)->text(), "routes/route-0412.txt");
        Type(options->SourceBox(kMapRoute), "routes/route-0413.txt");
        QTest::mouseClick(options->ApplyButton(), Qt::LeftButton);
        EXPECT_EQ(stored("Route", "Source"), "routes/route-0413.txt");

        test::WhenModal<frmMapEdit>([&](frmMapEdit* editor) {
            EXPECT_EQ(editor->windowTitle(), "New Route Map");
            MapLikeInTheEditor(*editor, demoMap);
            test::WhenModal<InputBox>([](InputBox* box) {
                QTest::keyClicks(box->Box(), "Office Route");
                QTest::keyClick(box->Box(), Qt::Key_Return);
            });
            QTest::mouseClick(editor->SaveButton(), Qt::LeftButton);
        });
        QTest::mouseClick(options->NewMapButton(kMapRoute), Qt::LeftButton);
        EXPECT_EQ(options->MapBox(kMapRoute)->currentText(), "Office Route");
        EXPECT_EQ(options->MapBox(kMapReRead)->currentText(), "Demo Route");
        QTest::mouseClick(options->OkButton(), Qt::LeftButton);
    });
    QTest::mouseClick(main.findChild<QPushButton*>("cmdSetup"), Qt::LeftButton);
    ASSERT_TRUE(optionsSeen);
    EXPECT_EQ(stored("Route", "Map"), "Office Route");
    EXPECT_EQ(stored("Route", "Source"), "routes/route-0413.txt");

    // The map made in the editor maps the fields as the demo's map does (a route map's terminator is not
    // used and not shown: the demo's file happens to hold 3, a new route map 0).
    const std::string made = ReadFileBytes(home / "Office Route.zcm");
    const std::string demo = demoMap.MapFileText();
    EXPECT_NE(made.find("MAPTYPE=1\r\n"), std::string::npos);
    EXPECT_EQ(made.substr(made.find("MAPLENGTH=")), demo.substr(demo.find("MAPLENGTH=")));

    QTest::mouseClick(main.CommandButton(Conversion::Route), Qt::LeftButton);
    EXPECT_TRUE(frontend.fake.calls.empty()) << frontend.fake.calls.front();
    ASSERT_TRUE(std::filesystem::exists(home / "RouteZAV.pdb"));

    // The same route converted with the demo's own map from the command line lists the same meters.
    const std::string binary = ZAV_BINARY;
    const std::string quotedHome = "'" + home.Path().string() + "'";
    ASSERT_EQ(
        test::RunCommand(binary + " --home " + quotedHome + " --yes route --map 'Demo Route' --source " + quotedHome +
                         "/routes/route-0412.txt --destination " + quotedHome + "/Reference.pdb >/dev/null"),
        0);
    std::string viaSetup, reference;
    ASSERT_EQ(test::RunCommand(binary + " view " + quotedHome + "/RouteZAV.pdb", &viaSetup), 0);
    ASSERT_EQ(test::RunCommand(binary + " view " + quotedHome + "/Reference.pdb", &reference), 0);
    EXPECT_EQ(viaSetup, reference);
    EXPECT_GT(std::count(viaSetup.begin(), viaSetup.end(), '\n'), 320);
}

}  // namespace
}  // namespace zav
