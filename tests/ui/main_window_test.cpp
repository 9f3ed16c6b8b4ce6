// The main window: its commands, the conversion command with its progress panel, the run log
// commands, distributions, the first-run question, the resize rule and remembered positions.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <fstream>

#include "core/errors.h"
#include "core/identity.h"
#include "exchange/exchange.h"
#include "setup/dist.h"
#include "setup/registry_store.h"
#include "support/temp_dir.h"
#include "ui/main_layout.h"
#include "ui/progress_panel.h"
#include "ui/run_log.h"
#include "ui/window_position.h"
#include "ui_support.h"

namespace zav {
namespace {

const std::string kCheckLog = "ShowMessage(Error|Check Log\r\nConversion Not Complete)";
const std::string kFirstRun =
    "AskYesNo(Marquand|Setup information has not yet been entered.\r\nWould you like to load a setup distribution?)";

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QSettings(kCompanyName, kAppTitle).clear();
        Open();
    }
    void TearDown() override {
        scoped_.reset();
        frontend_.reset();
        main_.reset();
    }
    // (Re)creates the main window, as a new run of the program does.
    void Open() {
        scoped_.reset();
        frontend_.reset();
        main_ = std::make_unique<frmMain>(exchange_, store_, home_.Path(), "zavdepot");
        frontend_ = std::make_unique<test::WindowFrontend>(*main_);
        scoped_ = std::make_unique<ScopedFrontend>(*frontend_);
    }
    QPushButton* Button(const char* name) const { return main_->findChild<QPushButton*>(name); }
    QAction* Action(const char* name) const { return main_->menuBar()->findChild<QAction*>(name); }
    std::vector<std::string>& Calls() { return frontend_->fake.calls; }
    void SetStored(const std::string& section, const std::string& name, const std::string& value) {
        clsRegistry(store_).SaveValue(value, {kLocalMachine, kSettingsKey, section, name});
    }

    test::TempDir home_;
    RegistryStore store_{home_ / "registry.sqlite3"};
    clsExchange exchange_{store_};
    std::unique_ptr<frmMain> main_;
    std::unique_ptr<test::WindowFrontend> frontend_;
    std::unique_ptr<ScopedFrontend> scoped_;
};

TEST_F(MainWindowTest, CommandsShowTheirCaptionsAndTooltips) {
    struct Case {
        const char* name;
        const char* caption;
        const char* tooltip;
    };
    const Case buttons[] = {
        {"cmdRoute", "Route File", "Create RouteZAV to send to handheld"},
        {"cmdReRead", "Re-Read File", ""},
        {"cmdReading", "Reading File", "Receive Reading ZAV from handheld"},
        {"cmdRouteEdit", "", "Edit File used to Create RouteZAV to send to handheld"},
        {"cmdReReadEdit", "", "Edit File used to Create Re-Read ZAV to send to handheld"},
        {"cmdSetup", "Setup", "Change conversion properties"},
        {"btnAdvanced", "Advanced", ""},
        {"btnInstall", "Install to Unit(s)", ""},
        {"btnLog", "Open Log", "Opens log using notepad for printing"},
        {"btnClear", "Clear Log", "Clears previous results from log window"},
    };
    for (const Case& c : buttons) {
        SCOPED_TRACE(c.name);
        QPushButton* button = Button(c.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), c.caption);
        EXPECT_EQ(button->toolTip(), c.tooltip);
    }
    // The picture buttons are named by their tooltips.
    for (const char* name : {"cmdRouteEdit", "cmdReReadEdit"})
        EXPECT_EQ(Button(name)->accessibleName(), Button(name)->toolTip()) << name;
    const std::pair<const char*, const char*> menus[] = {
        {"mnuViewer", "Viewer..."},
        {"mnuExit", "E&xit"},
        {"mnuRoute", "Make Route Download File"},
        {"mnuReRead", "Make ReRead Download File"},
        {"mnuReading", "Process Readings File"},
        {"mnuSetup", "Configure Interchange"},
        {"mnuLoadDist", "Load Distribution"},
        {"mnuCreateDist", "Create Distribution"},
        {"mnuAbout", "About"},
        {"mnuUsage", "Usage"},
        {"mnuMaps", "Maps"},
    };
    for (const auto& [name, caption] : menus) {
        SCOPED_TRACE(name);
        ASSERT_NE(Action(name), nullptr);
        EXPECT_EQ(Action(name)->text(), caption);
    }
    EXPECT_EQ(main_->windowTitle(), "ZavDepot v3.0.0");
    EXPECT_EQ(MainTitle("PENDREL"), "ZavDepot");
}

TEST_F(MainWindowTest, OnlyCommandsThatCanRunAreEnabled) {
    for (const char* name : {"cmdRoute", "cmdReRead", "cmdReading", "btnAdvanced"})
        EXPECT_FALSE(Button(name)->isEnabled()) << name;
    for (const char* name : {"cmdRouteEdit", "cmdReReadEdit", "btnLog", "btnClear", "cmdSetup", "btnInstall"})
        EXPECT_TRUE(Button(name)->isEnabled()) << name;
    for (const char* name : {"mnuRoute", "mnuReRead", "mnuReading", "mnuUsage", "mnuMaps"})
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
    for (const char* name : {"mnuViewer", "mnuExit", "mnuLoadDist", "mnuCreateDist", "mnuAbout", "mnuSetup"})
        EXPECT_TRUE(Action(name)->isEnabled()) << name;

    main_->SetConversion(Conversion::ReRead, {[] { return true; }});
    EXPECT_TRUE(Button("cmdReRead")->isEnabled());
    EXPECT_TRUE(Action("mnuReRead")->isEnabled());
    EXPECT_FALSE(Button("cmdRoute")->isEnabled());
}

TEST_F(MainWindowTest, ConversionShowsItsProgressOnAPanelAndHoldsEveryOtherCommand) {
    main_->show();
    QPushButton* route = Button("cmdRoute");
    const QRect buttonPlace = route->geometry();
    int runs = 0;
    int reReadRuns = 0;
    main_->SetConversion(Conversion::ReRead, {[&] { return ++reReadRuns > 0; }});
    main_->SetConversion(
        Conversion::Route, {[&]() -> bool {
            ++runs;
            EXPECT_TRUE(main_->IsRunning());
            EXPECT_TRUE(route->isHidden());
            EXPECT_TRUE(main_->Panel().isVisible());
            EXPECT_EQ(main_->Panel().geometry(), buttonPlace);
            EXPECT_EQ(main_->Panel().Caption(), "Route File");
            EXPECT_TRUE(QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor);
            for (QPushButton* b : main_->findChildren<QPushButton*>())
                EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
            for (QAction* a : main_->menuBar()->findChildren<QAction*>())
                EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();

            AddLog("Info: Route conversion started");
            SetProgressButton(300, 150);  // events run here: clicks and closing must change nothing
            EXPECT_EQ(main_->Panel().BarWidth(), main_->Panel().contentsRect().width() / 2);
            QTest::mouseClick(Button("cmdReRead"), Qt::LeftButton);
            Action("mnuReRead")->trigger();
            main_->RunConversion(Conversion::Route);
            main_->close();
            EXPECT_TRUE(main_->isVisible());
            AddLog("");
            AddLog("Info: 3 meters written");
            return true;
        }});

    QTest::mouseClick(route, Qt::LeftButton);

    EXPECT_EQ(runs, 1);
    EXPECT_EQ(reReadRuns, 0);
    EXPECT_FALSE(main_->IsRunning());
    EXPECT_FALSE(route->isHidden());
    EXPECT_TRUE(main_->Panel().isHidden());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(route->isEnabled());
    EXPECT_TRUE(Button("cmdReRead")->isEnabled());
    EXPECT_TRUE(Button("cmdSetup")->isEnabled());
    EXPECT_TRUE(Action("mnuLoadDist")->isEnabled());
    EXPECT_FALSE(Action("mnuUsage")->isEnabled());
    EXPECT_EQ(main_->Log().Text(), "Info: Route conversion started\n\nInfo: 3 meters written\n");
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(frontend_->fake.progress, (std::vector<std::pair<long, long>>{{300, 150}}));
}

TEST_F(MainWindowTest, UnfinishedConversionAsksToCheckTheLog) {
    main_->ClearLog();
    main_->SetConversion(Conversion::Route, {[] {
                             AddLog("Error: Route Source file not specified");
                             return false;
                         }});
    main_->SetConversion(Conversion::ReRead, {[]() -> bool { throw RuntimeError(6, "Overflow"); }});

    main_->RunConversion(Conversion::Route);
    EXPECT_EQ(Calls(), (std::vector<std::string>{kCheckLog}));
    EXPECT_TRUE(Button("btnLog")->isEnabled());
    EXPECT_TRUE(Button("btnClear")->isEnabled());

    // An error that escapes a driver is shown, counts as an unfinished run and leaves the window usable.
    Calls().clear();
    main_->RunConversion(Conversion::ReRead);
    EXPECT_EQ(Calls(), (std::vector<std::string>{"ShowMessage(Error|Overflow)", kCheckLog}));
    EXPECT_FALSE(main_->IsRunning());
    EXPECT_TRUE(Button("cmdReRead")->isEnabled());
}

TEST_F(MainWindowTest, ReadingCommandChoosesItsSourceFirstAndFollowsUpASuccess) {
    std::vector<std::string> steps;
    bool choose = false;
    main_->SetConversion(Conversion::Reading,
                         {[&] { return steps.push_back("convert"), true; },
                          [&] { return steps.push_back("choose"), choose; }, [&] { steps.push_back("reports"); }});
    main_->RunConversion(Conversion::Reading);  // nothing chosen: stops without a word
    EXPECT_EQ(steps, (std::vector<std::string>{"choose"}));
    choose = true;
    main_->RunConversion(Conversion::Reading);
    EXPECT_EQ(steps, (std::vector<std::string>{"choose", "choose", "convert", "reports"}));
    EXPECT_TRUE(Calls().empty());
}

TEST_F(MainWindowTest, ClearLogEmptiesTheLogAndDisablesItselfAndOpenLog) {
    main_->AddLog("Info: one");
    QTest::mouseClick(Button("btnClear"), Qt::LeftButton);
    EXPECT_TRUE(main_->Log().IsEmpty());
    EXPECT_FALSE(Button("btnClear")->isEnabled());
    EXPECT_FALSE(Button("btnLog")->isEnabled());
}

TEST_F(MainWindowTest, OpenLogHandsTheWholeLogToTheTextEditor) {
    std::vector<QString> opened;
    main_->OpenInEditor = [&](const QString& path) { return opened.push_back(path), true; };
    auto read = [](const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    };
    main_->OpenLog();  // an empty log opens an empty text
    main_->AddLog("Info: caf\xE9 \x80 5");
    main_->AddLog("");
    main_->AddLog("Error: last");
    QTest::mouseClick(Button("btnLog"), Qt::LeftButton);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_NE(opened[0], opened[1]);
    EXPECT_EQ(read(opened[0]), "");
    EXPECT_EQ(read(opened[1]), "Info: caf\u00E9 \u20AC 5\n\nError: last\n");

    main_->OpenInEditor = [](const QString&) { return false; };
    main_->OpenLog();
    ASSERT_EQ(Calls().size(), 1u);
    EXPECT_EQ(Calls()[0].rfind("ShowMessage(Error|Unable to start a text editor for ", 0), 0u);
}

TEST_F(MainWindowTest, EditButtonsOpenTheSourceFilesFromTheHomeFolder) {
    std::vector<QString> opened;
    main_->OpenInEditor = [&](const QString& path) { return opened.push_back(path), true; };
    exchange_.RouteSource = "routes/route.txt";
    exchange_.ReReadSource = "/data/rereads.txt";
    QTest::mouseClick(Button("cmdRouteEdit"), Qt::LeftButton);
    QTest::mouseClick(Button("cmdReReadEdit"), Qt::LeftButton);
    exchange_.RouteSource = "";
    QTest::mouseClick(Button("cmdRouteEdit"), Qt::LeftButton);  // nothing to open
    EXPECT_EQ(opened, (std::vector<QString>{QString::fromStdString((home_ / "routes/route.txt").string()),
                                            "/data/rereads.txt"}));
}

TEST_F(MainWindowTest, FirstRunOffersADistributionAndLoadsTheSettingsEitherWay) {
    SetStored("Route", "Source", "route.txt");
    frontend_->fake.yesNoAnswers = {false};
    main_->LoadExchangeSettings();
    EXPECT_EQ(Calls(), (std::vector<std::string>{kFirstRun}));
    EXPECT_EQ(exchange_.RouteSource, "route.txt");

    // Yes loads the distribution chosen in the dialog, then the settings it brought.
    test::TempDir office;
    {
        RegistryStore other(office / "registry.sqlite3");
        clsRegistry(other).SaveValue("Billing", {kLocalMachine, kSettingsKey, "Route", "Map"});
        clsDist(other, office.Path()).WriteDist((office / "office.dst").string());
    }
    std::vector<std::string> dialogs;
    main_->ChooseDistFile = [&](const DistFileDialog& dialog, bool save) {
        dialogs.push_back(dialog.title + (save ? " (save)" : ""));
        return (office / "office.dst").string();
    };
    Calls().clear();
    frontend_->fake.yesNoAnswers = {true};
    main_->LoadExchangeSettings();
    EXPECT_EQ(Calls(), (std::vector<std::string>{
                           kFirstRun, "ShowMessage(Distribution|" + (office / "office.dst").string() + " loaded.)"}));
    EXPECT_EQ(dialogs, (std::vector<std::string>{"Load Distribution"}));
    EXPECT_EQ(exchange_.RouteMap, "Billing");

    Calls().clear();
    main_->LoadExchangeSettings();  // a route map is set: no question
    EXPECT_TRUE(Calls().empty());
}

TEST_F(MainWindowTest, CreateDistributionWritesTheFileTheDialogNames) {
    SetStored("Route", "Map", "Billing");
    main_->ChooseDistFile = [&](const DistFileDialog& dialog, bool save) {
        EXPECT_EQ(dialog.title, "Save Distribution");
        EXPECT_TRUE(save);
        return (home_ / "setup.dst").string();
    };
    Action("mnuCreateDist")->trigger();
    std::ifstream written(home_ / "setup.dst", std::ios::binary);
    std::string first;
    std::getline(written, first);
    EXPECT_EQ(first, "DIST 1.1\r");
}

TEST_F(MainWindowTest, WindowKeepsItsMinimumSizeAndTheLogFillsTheRest) {
    main_->show();
    QWidget* inner = main_->centralWidget();
    const QRect log = main_->Log().geometry();
    const QRect install = Button("btnInstall")->geometry();
    const QSize minimum = MainMinimumSize(log.x(), install);
    EXPECT_EQ(minimum, QSize(2 * log.x(), install.y() + (3 * install.height() + 1) / 2));

    main_->resize(50, 50);
    QApplication::processEvents();
    EXPECT_GE(inner->width(), minimum.width());
    EXPECT_GE(inner->height(), minimum.height());

    main_->resize(900, 600);
    QApplication::processEvents();
    const QRect filled = main_->Log().geometry();
    EXPECT_EQ(filled.topLeft(), log.topLeft());
    EXPECT_EQ(inner->width() - filled.right() - 1, filled.y());    // the top margin again at the right
    EXPECT_EQ(inner->height() - filled.bottom() - 1, filled.y());  // and at the bottom
}

TEST_F(MainWindowTest, PositionSurvivesARestart) {
    main_->show();
    main_->move(40, 30);
    main_->resize(820, 540);
    main_->close();
    QSettings stored(kCompanyName, kAppTitle);
    EXPECT_EQ(stored.value("frmMain/Width").toString(), QString::number(820 * kTwipsPerPixel));
    EXPECT_EQ(stored.value("frmMain/WindowState").toString(), "0");

    Open();
    EXPECT_EQ(main_->pos(), QPoint(40, 30));
    EXPECT_EQ(main_->size(), QSize(820, 540));

    // Closed maximized: only the state is stored, and the window reopens maximized.
    main_->showMaximized();
    main_->close();
    EXPECT_EQ(QSettings(kCompanyName, kAppTitle).value("frmMain/Width").toString(), QString::number(820 * 15));
    Open();
    EXPECT_TRUE(main_->windowState() & Qt::WindowMaximized);

    // Closed minimized: nothing is stored, so the state of the close before holds.
    main_->showMinimized();
    main_->close();
    EXPECT_EQ(QSettings(kCompanyName, kAppTitle).value("frmMain/WindowState").toString(), "2");
}

TEST_F(MainWindowTest, UnusableStoredCoordinatesKeepTheDesignedOnes) {
    const QSize designed = main_->size();
    {
        QSettings stored(kCompanyName, kAppTitle);
        stored.beginGroup("frmMain");
        stored.setValue("WindowState", "0");
        stored.setValue("Width", "150");
        stored.setValue("Height", "tall");
    }
    Open();
    EXPECT_EQ(main_->size(), designed);
}

}  // namespace
}  // namespace zav
