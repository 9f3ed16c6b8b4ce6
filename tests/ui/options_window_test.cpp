// The options window "Setup": what it loads, its enabling rules and immediate changes, "Apply", "OK"
// and "Cancel", the file dialogs, the map lists and the editor's return, the keyboard.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <fstream>

#include "accessibility_support.h"
#include "core/identity.h"
#include "exchange/exchange.h"
#include "setup/registry.h"
#include "setup/registry_store.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"
#include "ui_support.h"
#include "ui/frm_options.h"

namespace zav {
namespace {

using test::Items;

class OptionsTest : public ::testing::Test {
  protected:
    OptionsTest() {
        QSettings(kCompanyName, kAppTitle).clear();
        exchange_.HomeFolder = home_.Path();
        exchange_.LoadSettings();  // the defaults, as the main window has them
        for (const char* user : {"Reader 2", "reader 1", "Reader 1"})
            std::filesystem::create_directories(home_ / "hotsync" / user / "Install");
        for (const char* map : {"Billing.zcm", "Annual.zcm.ZCM", "Upload.zrm", "Orphans.zom"})
            std::ofstream(home_ / map) << "ZAV=1.1\r\n";
    }
    // Opens the window on the settings as they are in memory.
    std::unique_ptr<frmOptions> Open() {
        auto window = std::make_unique<frmOptions>(exchange_);
        window->EditMap = [this](int use, const std::string& name, const std::string& extension) {
            edits_.push_back(std::to_string(use) + ":" + name + extension);
            return editorAnswer_;
        };
        return window;
    }
    std::string Stored(const std::string& section, const std::string& name) {
        return RegValueText(clsRegistry(store_).GetValue({kLocalMachine, kSettingsKey, section, name}));
    }
    static QStringList UnitTexts(const QListWidget* list) {
        QStringList units;
        for (int i = 0; i < list->count(); ++i) units << list->item(i)->text();
        return units;
    }

    test::TempDir home_;
    RegistryStore store_{home_ / "registry.sqlite3"};
    clsExchange exchange_{store_};
    test::FakeFrontend fake_;
    ScopedFrontend scoped_{fake_};
    std::vector<std::string> edits_;
    std::string editorAnswer_;
};

TEST_F(OptionsTest, ShowsItsTabsCaptionsTooltipsAndFormatLists) {
    auto w = Open();
    EXPECT_EQ(w->windowTitle(), "Setup");
    QTabWidget* tabs = w->Tabs();
    ASSERT_EQ(tabs->count(), 4);
    const std::pair<const char*, const char*> expected[] = {
        {"Route Conversion", "Specify Source for Creating ZAV file"},
        {"Re-Read Conversion", "Input Transponder IDs for Re-Reads"},
        {"Reading Conversion", "Specify Conversions for Meter Readings"},
        {"PRC/PDB Installation", "Handling of PRC/PDB files"},
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(tabs->tabText(i), expected[i].first);
        EXPECT_EQ(tabs->tabToolTip(i), expected[i].second);
    }
    for (int use : {kMapRoute, kMapReRead})
        EXPECT_EQ(Items(w->FormatBox(use)),
                  (QStringList{"Palm Database File (PDB)", "Palm Resource File (PRC)", "Virtual File System (VFS)"}));
    EXPECT_EQ(w->FormatBox(kMapReading), nullptr);
    EXPECT_EQ(w->BrowseSourceButton(kMapRoute)->text(), "&Browse ...");
    EXPECT_EQ(w->EditMapButton(kMapOrphan)->text(), "Edit Map");
    EXPECT_EQ(w->NewMapButton(kMapOrphan)->text(), "New Map");
    EXPECT_EQ(w->InstallOption()->text(), "Install the PRC/PDB ready for hotsync.");
    EXPECT_EQ(w->InstallOption()->toolTip(),
              "Copy the created route file to the install directory for a handheld unit.");
    EXPECT_EQ(w->PromptBox()->toolTip(),
              "If checked, the choice of the Destination Handheld is made during Route ZAV creation.");
    EXPECT_EQ(w->LeaveBox()->toolTip(), "Check to leave copy of Route ZAV file in destination.");
    EXPECT_EQ(w->JustWriteOption()->text(), "Just write the PRC/PDB file.");
    EXPECT_EQ(w->JustWriteOption()->toolTip(),
              "The file is left in the destination directory.  You must manually install it onto a handheld.");
    EXPECT_EQ(w->ReplaceOption()->text(), "Replace file each time readings are processed (may lose data)");
    EXPECT_EQ(w->AppendOption()->text(), "Create or append to file (continues to grow until deleted)");
    EXPECT_EQ(w->OkButton()->text(), "OK");
    EXPECT_EQ(w->CancelButton()->text(), "Cancel");
    EXPECT_EQ(w->ApplyButton()->text(), "Apply");
    EXPECT_EQ(w->SelectedTab(), 1);

    w->resize(100, 100);
    EXPECT_GE(w->width(), 460);  // 6900 by 6060 twips at least
    EXPECT_GE(w->height(), 404);
}

TEST_F(OptionsTest, LoadsTheSettingsIntoTheControls) {
    exchange_.RouteSource = "routes/in.txt";
    exchange_.RouteDestination = "out/RouteZAV.pdb";
    exchange_.RouteZAVType = "VFS";
    exchange_.RouteMap = "BILLING";  // map names are found without regard to case
    exchange_.ReReadZAVType = "PRC";
    exchange_.ReReadMap = "annual";
    exchange_.ReadingSource = "ReadingZAV.pdb";
    exchange_.ReadingMap = "Upload";
    exchange_.OrphanDestination = "orphans.txt";
    exchange_.OrphanMap = "Orphans";
    exchange_.AutoReRead = -1;
    exchange_.OrphanConvert = 1;
    exchange_.OrphanReplace = 1;
    exchange_.AutoInstall = -1;
    exchange_.AutoInstallLeave = -1;
    exchange_.AutoInstallUnit = "reader 1";
    auto w = Open();

    EXPECT_EQ(w->SourceBox(kMapRoute)->text(), "routes/in.txt");
    EXPECT_EQ(w->DestinationBox(kMapRoute)->text(), "out/RouteZAV.pdb");
    EXPECT_EQ(w->FormatBox(kMapRoute)->currentIndex(), 2);
    EXPECT_EQ(w->FormatBox(kMapReRead)->currentIndex(), 1);
    EXPECT_EQ(w->DestinationBox(kMapOrphan)->text(), "orphans.txt");
    // A route map is listed in the route and the re-read lists; every ".zcm" of a name is removed.
    EXPECT_EQ(Items(w->MapBox(kMapRoute)), (QStringList{"Annual", "Billing"}));
    EXPECT_EQ(Items(w->MapBox(kMapReRead)), (QStringList{"Annual", "Billing"}));
    EXPECT_EQ(Items(w->MapBox(kMapReading)), (QStringList{"Upload"}));
    EXPECT_EQ(Items(w->MapBox(kMapOrphan)), (QStringList{"Orphans"}));
    EXPECT_EQ(w->MapBox(kMapRoute)->currentText(), "Billing");
    EXPECT_EQ(w->MapBox(kMapReRead)->currentText(), "Annual");
    EXPECT_TRUE(w->EditMapButton(kMapRoute)->isEnabled());
    EXPECT_TRUE(w->AutoReReadBox()->isChecked());
    EXPECT_TRUE(w->OrphanConvertBox()->isChecked());
    EXPECT_FALSE(w->OrphanFrame()->isHidden());
    EXPECT_TRUE(w->ReplaceOption()->isChecked());
    EXPECT_TRUE(w->InstallOption()->isChecked());
    EXPECT_TRUE(w->LeaveBox()->isChecked());
    EXPECT_FALSE(w->PromptBox()->isChecked());
    // The units in the users' order; the exact name is selected.
    EXPECT_EQ(UnitTexts(w->Units()), (QStringList{"Reader 1", "reader 1", "Reader 2"}));
    ASSERT_EQ(w->Units()->selectedItems().size(), 1);
    EXPECT_EQ(w->Units()->selectedItems().front()->text(), "reader 1");
    EXPECT_TRUE(fake_.calls.empty());

    // Opposite settings give the opposite controls.
    exchange_.OrphanConvert = 0;
    exchange_.OrphanReplace = 0;
    exchange_.AutoInstall = 0;
    exchange_.RouteMap = "Missing";
    w = Open();
    EXPECT_TRUE(w->OrphanFrame()->isHidden());
    EXPECT_TRUE(w->AppendOption()->isChecked());
    EXPECT_TRUE(w->JustWriteOption()->isChecked());
    EXPECT_EQ(w->MapBox(kMapRoute)->currentIndex(), -1);
    EXPECT_FALSE(w->EditMapButton(kMapRoute)->isEnabled());
}

TEST_F(OptionsTest, AUnitInOtherCapitalsIsNotSelectedAndApplyStoresNoUnit) {
    exchange_.AutoInstallUnit = "READER 2";
    exchange_.SaveSettings();
    auto w = Open();
    EXPECT_TRUE(w->Units()->selectedItems().isEmpty());
    w->Apply();
    EXPECT_EQ(exchange_.AutoInstallUnit, "");
    EXPECT_EQ(Stored("PRCInstall", "Unit"), "");
}

TEST_F(OptionsTest, AnUnknownFormatLeavesNoSelectionAndApplyKeepsIt) {
    exchange_.RouteZAVType = "pdb";  // the exact text only
    exchange_.ReReadZAVType = "ZIP";
    exchange_.SaveSettings();
    auto w = Open();
    EXPECT_EQ(w->FormatBox(kMapRoute)->currentIndex(), -1);
    EXPECT_EQ(w->FormatBox(kMapReRead)->currentIndex(), -1);
    w->FormatBox(kMapReRead)->setCurrentIndex(1);
    w->Apply();
    EXPECT_EQ(Stored("Route", "ZAVType"), "pdb");
    EXPECT_EQ(Stored("ReRead", "ZAVType"), "PRC");
}

TEST_F(OptionsTest, InstallControlsFollowTheOptionsAndThePrompt) {
    exchange_.AutoInstall = -1;
    auto w = Open();
    EXPECT_TRUE(w->Units()->isEnabled());
    EXPECT_TRUE(w->PromptBox()->isEnabled());
    EXPECT_TRUE(w->LeaveBox()->isEnabled());

    w->PromptBox()->setChecked(true);  // the unit is chosen during the conversion
    EXPECT_FALSE(w->Units()->isEnabled());
    EXPECT_TRUE(w->LeaveBox()->isEnabled());
    w->PromptBox()->setChecked(false);
    EXPECT_TRUE(w->Units()->isEnabled());

    w->JustWriteOption()->setChecked(true);
    EXPECT_FALSE(w->Units()->isEnabled());
    EXPECT_FALSE(w->PromptBox()->isEnabled());
    EXPECT_FALSE(w->LeaveBox()->isEnabled());
    w->InstallOption()->setChecked(true);
    EXPECT_TRUE(w->Units()->isEnabled());

    w->OrphanConvertBox()->setChecked(true);
    EXPECT_FALSE(w->OrphanFrame()->isHidden());
    w->OrphanConvertBox()->setChecked(false);
    EXPECT_TRUE(w->OrphanFrame()->isHidden());
}

TEST_F(OptionsTest, FourInstallChoicesChangeMemoryAtOnceButOnlyApplySavesThem) {
    exchange_.AutoInstall = -1;
    exchange_.AutoInstallUnit = "Reader 1";
    exchange_.SaveSettings();
    auto w = Open();
    w->show();
    QListWidget* units = w->Units();
    w->Tabs()->setCurrentIndex(3);
    QTest::mouseClick(units->viewport(), Qt::LeftButton, {}, units->visualItemRect(units->item(2)).center());
    w->PromptBox()->setChecked(true);
    w->LeaveBox()->setChecked(true);
    w->SourceBox(kMapRoute)->setText("typed.txt");  // not an immediate change
    EXPECT_EQ(exchange_.AutoInstallUnit, "Reader 2");
    EXPECT_EQ(exchange_.AutoInstallPrompt, -1);
    EXPECT_EQ(exchange_.AutoInstallLeave, -1);
    w->JustWriteOption()->setChecked(true);
    EXPECT_EQ(exchange_.AutoInstall, 0);
    QTest::mouseClick(w->CancelButton(), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());

    EXPECT_EQ(exchange_.AutoInstallUnit, "Reader 2");  // memory changed ...
    EXPECT_EQ(exchange_.RouteSource, "");
    EXPECT_EQ(Stored("PRCInstall", "Unit"), "Reader 1");  // ... the store did not
    EXPECT_EQ(Stored("PRCInstall", "AutoInstall"), "Y");
    EXPECT_EQ(Stored("PRCInstall", "Prompt"), "N");
}

TEST_F(OptionsTest, ApplyWritesEveryControlSavesAndStaysDisabled) {
    auto w = Open();
    w->SourceBox(kMapRoute)->setText("routes/r.txt");
    w->DestinationBox(kMapRoute)->setText("r.pdb");
    w->FormatBox(kMapRoute)->setCurrentIndex(2);
    w->MapBox(kMapRoute)->setCurrentIndex(1);
    w->SourceBox(kMapReRead)->setText("rr.txt");
    w->DestinationBox(kMapReRead)->setText("rr.pdb");
    w->MapBox(kMapReRead)->setCurrentIndex(0);
    w->SourceBox(kMapReading)->setText("in.pdb");
    w->DestinationBox(kMapReading)->setText("up.txt");
    w->MapBox(kMapReading)->setCurrentIndex(0);
    w->AutoReReadBox()->setChecked(true);
    w->OrphanConvertBox()->setChecked(true);
    w->ReplaceOption()->setChecked(true);
    w->DestinationBox(kMapOrphan)->setText("orph.txt");
    w->MapBox(kMapOrphan)->setCurrentIndex(0);
    w->InstallOption()->setChecked(true);
    w->Units()->setCurrentRow(0);
    QTest::mouseClick(w->ApplyButton(), Qt::LeftButton);
    EXPECT_FALSE(w->ApplyButton()->isEnabled());

    const std::pair<const char*, const char*> values[] = {
        {"Route\\Source", "routes/r.txt"},
        {"Route\\Destination", "r.pdb"},
        {"Route\\ZAVType", "VFS"},
        {"Route\\Map", "Billing"},
        {"ReRead\\Source", "rr.txt"},
        {"ReRead\\Destination", "rr.pdb"},
        {"ReRead\\ZAVType", "PDB"},
        {"ReRead\\Map", "Annual"},
        {"Reading\\Source", "in.pdb"},
        {"Reading\\Destination", "up.txt"},
        {"Reading\\Map", "Upload"},
        {"Reading\\AutoReRead", "Y"},
        {"Orphan\\Destination", "orph.txt"},
        {"Orphan\\Map", "Orphans"},
        {"Orphan\\Convert", "1"},
        {"Orphan\\Replace", "1"},
        {"PRCInstall\\AutoInstall", "Y"},
        {"PRCInstall\\Unit", "Reader 1"},
        {"PRCInstall\\Prompt", "N"},
        {"PRCInstall\\Leave", "N"},
    };
    for (const auto& [path, value] : values) {
        const std::string p = path;
        const std::size_t slash = p.find('\\');
        EXPECT_EQ(Stored(p.substr(0, slash), p.substr(slash + 1)), value) << path;
    }

    w->SourceBox(kMapRoute)->setText("later.txt");  // "Apply" stays disabled; "OK" still writes and saves
    EXPECT_FALSE(w->ApplyButton()->isEnabled());
    w->show();
    QTest::mouseClick(w->OkButton(), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(Stored("Route", "Source"), "later.txt");
}

TEST_F(OptionsTest, BrowseButtonsAskWithTheUsesTitlesFiltersAndCurrentFiles) {
    exchange_.ReadingSource = "incoming/Readings.PRC";
    exchange_.RouteDestination = "/elsewhere/RouteZAV.pdb";
    exchange_.OrphanDestination = "orphans.txt";
    auto w = Open();
    std::vector<FileDialogRequest> asked;
    std::string answer;
    w->ChooseFile = [&](const FileDialogRequest& request) {
        asked.push_back(request);
        return answer;
    };
    QTest::mouseClick(w->BrowseSourceButton(kMapReading), Qt::LeftButton);  // cancelled: nothing changes
    EXPECT_EQ(w->SourceBox(kMapReading)->text(), "incoming/Readings.PRC");
    answer = (home_ / "incoming/New.zav").string() + std::string(1, '\0') + "junk";
    QTest::mouseClick(w->BrowseSourceButton(kMapReading), Qt::LeftButton);
    EXPECT_EQ(w->SourceBox(kMapReading)->text(), "incoming/New.zav");  // inside the home folder: relative
    answer = "/data/route.txt";
    QTest::mouseClick(w->BrowseSourceButton(kMapRoute), Qt::LeftButton);
    EXPECT_EQ(w->SourceBox(kMapRoute)->text(), "/data/route.txt");
    QTest::mouseClick(w->BrowseDestinationButton(kMapRoute), Qt::LeftButton);
    QTest::mouseClick(w->BrowseDestinationButton(kMapOrphan), Qt::LeftButton);

    ASSERT_EQ(asked.size(), 5u);
    EXPECT_FALSE(asked[0].save);
    EXPECT_EQ(asked[0].title, "Reading");
    EXPECT_EQ(asked[0].filter, kZavFileFilter);
    EXPECT_EQ(asked[0].filterIndex, 3);  // ".PRC"
    EXPECT_EQ(asked[0].defaultExtension, ".txt");
    EXPECT_EQ(asked[0].initialFile, (home_ / "incoming/Readings.PRC").string());
    EXPECT_EQ(asked[2].title, "Route");
    EXPECT_EQ(asked[2].filter, "All Files(*.*)|*.*");
    EXPECT_EQ(asked[2].filterIndex, 0);
    EXPECT_EQ(asked[2].initialFile, "");
    EXPECT_EQ(asked[2].initialFolder, home_.Path().string());
    EXPECT_TRUE(asked[3].save);
    EXPECT_EQ(asked[3].title, "Route");
    EXPECT_EQ(asked[3].filter, kZavFileFilter);
    EXPECT_EQ(asked[3].filterIndex, 4);  // ".pdb"
    EXPECT_EQ(asked[3].initialFile, "/elsewhere/RouteZAV.pdb");
    EXPECT_TRUE(asked[4].save);
    EXPECT_EQ(asked[4].title, "Orphan");
    EXPECT_EQ(asked[4].filter, "All Files(*.*)|*.*");
    EXPECT_EQ(w->DestinationBox(kMapOrphan)->text(), "/data/route.txt");
    EXPECT_EQ(w->DestinationBox(kMapReading)->text(), "");

    struct Case {
        const char* name;
        int index;
    };
    for (const Case& c : {Case{"a.zav", 1}, Case{"A.DAT", 2}, Case{"x.prc", 3}, Case{"RouteZAV.pdb", 4},
                          Case{"notes.txt", 0}, Case{"zav", 0}, Case{"", 0}})
        EXPECT_EQ(ZavFilterIndex(c.name), c.index) << c.name;
}

TEST_F(OptionsTest, TheEditorsAnswerDecidesHowTheMapListIsRefilled) {
    exchange_.RouteMap = "Billing";
    exchange_.ReReadMap = "Annual";
    auto w = Open();
    QComboBox* route = w->MapBox(kMapRoute);
    auto newMapFile = [this](const char* name) { std::ofstream(home_ / name) << "ZAV=1.1\r\n"; };

    editorAnswer_ = "";  // a new map not saved: nothing changes
    newMapFile("Zeta.zcm");
    QTest::mouseClick(w->NewMapButton(kMapRoute), Qt::LeftButton);
    EXPECT_EQ(Items(route), (QStringList{"Annual", "Billing"}));

    editorAnswer_ = "Zeta";  // a new map saved: listed and selected, in the re-read list too
    QTest::mouseClick(w->NewMapButton(kMapRoute), Qt::LeftButton);
    EXPECT_EQ(Items(route), (QStringList{"Annual", "Billing", "Zeta"}));
    EXPECT_EQ(route->currentText(), "Zeta");
    EXPECT_EQ(Items(w->MapBox(kMapReRead)), (QStringList{"Annual", "Billing", "Zeta"}));
    EXPECT_EQ(w->MapBox(kMapReRead)->currentText(), "Annual");

    editorAnswer_ = "Zeta";  // the same name back: the list stays as it was
    newMapFile("Extra.zcm");
    QTest::mouseClick(w->EditMapButton(kMapRoute), Qt::LeftButton);
    EXPECT_EQ(route->count(), 3);

    editorAnswer_ = "Extra";  // saved under another name: that one is selected
    QTest::mouseClick(w->EditMapButton(kMapRoute), Qt::LeftButton);
    EXPECT_EQ(Items(route), (QStringList{"Annual", "Billing", "Extra", "Zeta"}));
    EXPECT_EQ(route->currentText(), "Extra");

    editorAnswer_ = "{DELETED}";
    std::filesystem::remove(home_ / "Extra.zcm");
    QTest::mouseClick(w->EditMapButton(kMapRoute), Qt::LeftButton);
    EXPECT_EQ(Items(route), (QStringList{"Annual", "Billing", "Zeta"}));
    EXPECT_EQ(route->currentIndex(), -1);
    EXPECT_FALSE(w->EditMapButton(kMapRoute)->isEnabled());

    QTest::mouseClick(w->NewMapButton(kMapOrphan), Qt::LeftButton);
    EXPECT_EQ(edits_,
              (std::vector<std::string>{"1:.zcm", "1:.zcm", "1:Zeta.zcm", "1:Zeta.zcm", "1:Extra.zcm", "99:.zom"}));
}

TEST_F(OptionsTest, CtrlTabGoesRoundTheTabs) {
    auto w = Open();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        seen.push_back(w->SelectedTab());
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 1, 2}));
}

TEST_F(OptionsTest, RemembersWhereItWas) {
    {
        auto w = Open();
        w->show();
        w->move(70, 60);
        w->resize(620, 480);
        QTest::mouseClick(w->CancelButton(), Qt::LeftButton);
    }
    auto w = Open();
    EXPECT_EQ(w->pos(), QPoint(70, 60));
    EXPECT_EQ(w->size(), QSize(620, 480));
}

TEST_F(OptionsTest, TooManyUsersAreReportedAndTheWindowStillOpens) {
    for (int i = 0; i < 256; ++i)
        std::filesystem::create_directories(home_ / "hotsync" / ("Unit " + std::to_string(i)));
    auto w = Open();
    EXPECT_EQ(fake_.calls, (std::vector<std::string>{"ShowMessage(Error|Overflow)"}));
    EXPECT_EQ(w->Units()->count(), 0);
}

TEST_F(OptionsTest, EveryControlHasANameAndTheKeyboardReadsEachTabInOrder) {
    exchange_.RouteMap = "Billing";
    exchange_.ReadingMap = "Upload";
    exchange_.OrphanMap = "Orphans";
    auto w = Open();
    w->show();
    EXPECT_EQ(test::UnnamedControls(w.get()), QStringList{});
    EXPECT_EQ(w->SourceBox(kMapRoute)->accessibleName(), "Route Source:");
    EXPECT_EQ(w->MapBox(kMapOrphan)->accessibleName(), "Mapping:");
    EXPECT_EQ(w->Units()->accessibleName(), "Install the PRC/PDB ready for hotsync.");
    EXPECT_EQ(test::TabOrder(w->SourceBox(kMapRoute)),
              (QStringList{"txtSource1", "cmdBrowseSource1", "txtDestination1", "cmdBrowseDestination1", "cboFormat1",
                           "cboMap1", "cmdEditMap1", "cmdNewMap1", "cmdOK", "cmdCancel", "cmdApply", "tbsOptions"}));
    w->OrphanConvertBox()->setChecked(true);
    w->Tabs()->setCurrentIndex(2);
    EXPECT_EQ(test::TabOrder(w->SourceBox(kMapReading)), (QStringList{"txtSource3",
                                                                      "cmdBrowseSource3",
                                                                      "txtDestination3",
                                                                      "cmdBrowseDestination3",
                                                                      "cboMap3",
                                                                      "cmdEditMap3",
                                                                      "cmdNewMap3",
                                                                      "chkAutoReRead",
                                                                      "chkOrphanConvert",
                                                                      "optOrphanReplace",
                                                                      "optOrphanAppend",
                                                                      "txtDestination99",
                                                                      "cmdBrowseDestination99",
                                                                      "cboMap99",
                                                                      "cmdEditMap99",
                                                                      "cmdNewMap99",
                                                                      "cmdOK",
                                                                      "cmdCancel",
                                                                      "cmdApply",
                                                                      "tbsOptions"}));
}

}  // namespace
}  // namespace zav
