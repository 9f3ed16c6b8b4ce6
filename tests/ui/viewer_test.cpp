// The ZAV file viewer: its two lists over a database read once, the "Viewer..." command with its
// remembered file, the largest databases, and what the lists tell a screen reader.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFileDialog>
#include <QHeaderView>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <chrono>
#include <ctime>
#include <iostream>

#include "core/identity.h"
#include "support/fake_frontend.h"
#include "support/large_zav.h"
#include "support/readings_builder.h"
#include "support/temp_dir.h"
#include "ui/frm_zav_view.h"
#include "ui/viewer_command.h"
#include "ui_support.h"

namespace zav {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

fs::path Fixture(const char* name) { return fs::path(ZAV_SOURCE_DIR) / "tests" / "fixtures" / "zav" / name; }

QStringList Headers(const QTableView* list) {
    QStringList names;
    for (int c = 0; c < list->model()->columnCount(); ++c)
        names << list->model()->headerData(c, Qt::Horizontal).toString();
    return names;
}

// The cells of one row, by column header.
QString Cell(const QTableView* list, int row, const QString& column) {
    const int c = static_cast<int>(Headers(list).indexOf(column));
    EXPECT_GE(c, 0) << column.toStdString();
    return list->model()->index(row, c).data().toString();
}

QStringList Column(const QTableView* list, const QString& column) {
    QStringList cells;
    for (int r = 0; r < list->model()->rowCount(); ++r) cells << Cell(list, r, column);
    return cells;
}

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }
double CpuMilliseconds(std::clock_t ticks) { return 1000.0 * static_cast<double>(ticks) / CLOCKS_PER_SEC; }

class ViewerTest : public ::testing::Test {
  protected:
    void SetUp() override { QSettings(kCompanyName, kAppTitle).clear(); }
    test::FakeFrontend fake_;
    ScopedFrontend scoped_{fake_};
    test::TempDir dir_;
};

TEST_F(ViewerTest, ReadingsOfAVersion2HandheldLeaveTheVersion3FieldsEmpty) {
    frmZAVView viewer;
    ASSERT_TRUE(viewer.Load(Fixture("readings_v2.pdb")));
    EXPECT_EQ(viewer.windowTitle().toStdString(), Fixture("readings_v2.pdb").string());
    EXPECT_EQ(Headers(viewer.Routes()), (QStringList{"Index", "Route", "Meters", "First Read", "Last Read"}));
    QStringList meterColumns{"Sequence", "MeterTagNbr", "MeterType", "Digits", "Decimals", "Reserved1", "PrvReading"};
    EXPECT_EQ(Headers(viewer.Meters()).mid(0, 7), meterColumns);
    EXPECT_EQ(Headers(viewer.Meters()).size(), 38);
    EXPECT_EQ(Headers(viewer.Meters()).last(), "User5");

    ASSERT_EQ(viewer.Routes()->model()->rowCount(), 1) << "the kind 256 route is listed, the index record is not";
    EXPECT_EQ(Cell(viewer.Routes(), 0, "Route"), "0101");
    EXPECT_EQ(Cell(viewer.Routes(), 0, "Meters"), "2");
    EXPECT_EQ(viewer.Routes()->currentIndex().row(), 0) << "the first route is selected";
    EXPECT_EQ(Column(viewer.Meters(), "Sequence"), (QStringList{"10", "20"}));
    EXPECT_EQ(Column(viewer.Meters(), "CurReading"), (QStringList{"1234", "0"}));
    EXPECT_EQ(Column(viewer.Meters(), "InitPulseCount"), (QStringList{"", ""}));
    EXPECT_EQ(Column(viewer.Meters(), "InitTamperCount"), (QStringList{"", ""}));
    EXPECT_EQ(Cell(viewer.Meters(), 0, "BillingName"), QString::fromUtf8("Caf\u00e9 \"Owner\""));
    EXPECT_EQ(Cell(viewer.Meters(), 0, "Message"), "Dog in yard");
}

TEST_F(ViewerTest, WithoutAHeaderOnlyTheFirstFiveFieldsShow) {
    frmZAVView viewer;
    ASSERT_TRUE(viewer.Load(Fixture("no_header.pdb")));
    ASSERT_EQ(viewer.Meters()->model()->rowCount(), 1);
    QStringList filled;
    for (const QString& column : Headers(viewer.Meters()))
        if (!Cell(viewer.Meters(), 0, column).isEmpty()) filled << column;
    EXPECT_EQ(filled, (QStringList{"Sequence", "MeterTagNbr", "MeterType"}));  // with RecType and RouteNbr
}

// Route kinds 1 and 256 are routes, kind 2 meters; orphans, configuration and index records never show.
// Another route's meters come up as it is selected, by mouse or by keyboard, without reading the file.
TEST_F(ViewerTest, SelectingARouteShowsItsMetersFromTheOneReading) {
    test::ReadingsBuilder db(2);
    db.Header(2).Route(1, "0101", kRecRoute).Route(2, "0202");
    db.Meter(1, {{"Sequence", 10}}).Meter(2, {{"Sequence", 20}}).Meter(2, {{"Sequence", 21}});
    db.Meter(1, {{"Sequence", 11}});
    for (const std::int32_t kind : {3, 4, 5, 6, 7}) db.Record(kind, {{"RouteNbr", 1}, {"Sequence", 100 + kind}});
    db.Write(dir_ / "kinds.pdb");

    frmZAVView viewer;
    ASSERT_TRUE(viewer.Load(dir_ / "kinds.pdb"));
    fs::remove(dir_ / "kinds.pdb");  // read once: the lists need the file no more
    EXPECT_EQ(Column(viewer.Routes(), "Route"), (QStringList{"0101", "0202"}));
    EXPECT_EQ(Column(viewer.Meters(), "Sequence"), (QStringList{"10", "11"}));

    viewer.show();
    viewer.Routes()->setFocus();
    QTest::keyClick(viewer.Routes(), Qt::Key_Down);
    EXPECT_EQ(Column(viewer.Meters(), "Sequence"), (QStringList{"20", "21"}));
    const QRect first = viewer.Routes()->visualRect(viewer.Routes()->model()->index(0, 1));
    QTest::mouseClick(viewer.Routes()->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(Column(viewer.Meters(), "Sequence"), (QStringList{"10", "11"}));
    EXPECT_TRUE(fake_.log.empty());
}

TEST_F(ViewerTest, ListsFillTheWindowAndShowEveryRouteColumnWhole) {
    frmZAVView viewer;
    ASSERT_TRUE(viewer.Load(Fixture("readings_v2.pdb")));
    viewer.resize(900, 500);
    viewer.show();
    const QRect routes = viewer.Routes()->geometry();
    const QRect meters = viewer.Meters()->geometry();
    EXPECT_EQ(routes.height(), viewer.height() - 2 * routes.top());
    EXPECT_EQ(meters.top(), routes.top());
    EXPECT_EQ(meters.height(), routes.height());
    EXPECT_GT(meters.left(), routes.right());
    EXPECT_EQ(meters.right() + 1, viewer.width() - routes.left());
    EXPECT_LE(viewer.Routes()->horizontalHeader()->length(), viewer.Routes()->viewport()->width())
        << "no route column is cut off";
    for (QAbstractItemView* list : {viewer.Routes(), viewer.Meters()}) {
        const QHeaderView* header = static_cast<QTableView*>(list)->horizontalHeader();
        for (int c = 0; c < header->count(); ++c)
            EXPECT_GE(header->sectionSize(c), std::max(header->sectionSizeHint(c), list->sizeHintForColumn(c)))
                << list->objectName().toStdString() << " " << c;
    }
    viewer.resize(500, 300);
    EXPECT_EQ(viewer.Meters()->geometry().right() + 1, 500 - routes.left());
    EXPECT_EQ(viewer.Routes()->height(), 300 - 2 * routes.top());
}

// A screen reader finds two named tables whose cells carry their column's header.
TEST_F(ViewerTest, ListsTellAScreenReaderTheirRowsColumnsAndHeaders) {
    frmZAVView viewer;
    ASSERT_TRUE(viewer.Load(Fixture("readings_v2.pdb")));
    viewer.show();
    for (QTableView* list : {viewer.Routes(), viewer.Meters()}) {
        SCOPED_TRACE(list->objectName().toStdString());
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(list);
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->role(), QAccessible::Table);
        EXPECT_FALSE(table->text(QAccessible::Name).isEmpty());
        ASSERT_NE(table->tableInterface(), nullptr);
        EXPECT_EQ(table->tableInterface()->rowCount(), list->model()->rowCount());
        EXPECT_EQ(table->tableInterface()->columnCount(), list->model()->columnCount());
        EXPECT_EQ(list->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
        EXPECT_FALSE(list->tabKeyNavigation()) << "Tab leaves the list";
    }
    QAccessibleTableInterface* meters = QAccessible::queryAccessibleInterface(viewer.Meters())->tableInterface();
    const int column = static_cast<int>(Headers(viewer.Meters()).indexOf("ServiceAddress"));
    QAccessibleInterface* cell = meters->cellAt(1, column);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(QAccessible::Name), "14 Elm St");
    const QList<QAccessibleInterface*> headers = cell->tableCellInterface()->columnHeaderCells();
    ASSERT_EQ(headers.size(), 1);
    EXPECT_EQ(headers.front()->text(QAccessible::Name), "ServiceAddress");

    viewer.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&viewer));
    viewer.Routes()->setFocus();
    QTest::keyClick(viewer.Routes(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), viewer.Meters());
}

// The largest databases: 30,000 meters over 40 routes, and 32,767 readings on one route. Each is read
// once; then every route is selected in turn. The figures go to the test log.
TEST_F(ViewerTest, LargestDatabasesOpenAndSwitchRoutesQuickly) {
    struct Case {
        const char* name;
        std::int32_t meters;
        std::int32_t routes;
        bool readings;
    } cases[] = {{"route database", 30000, 40, false}, {"readings database", 32767, 1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir_ / "large.pdb";
        test::WriteLargeZAV(file, c.meters, c.routes, c.readings);
        frmZAVView viewer;
        viewer.resize(1000, 560);
        viewer.show();
        const auto start = Clock::now();
        const std::clock_t startCpu = std::clock();
        ASSERT_TRUE(viewer.Load(file));
        QCoreApplication::processEvents();  // paint the first route
        const double openMs = Milliseconds(Clock::now() - start);
        const double openCpuMs = CpuMilliseconds(std::clock() - startCpu);
        EXPECT_EQ(viewer.Routes()->model()->rowCount(), c.routes);

        double slowestMs = 0;
        double totalMs = 0;
        const std::clock_t switchCpu = std::clock();
        int listed = 0;
        for (int r = 0; r < c.routes; ++r) {
            const auto t = Clock::now();
            viewer.Routes()->selectRow(r);
            QCoreApplication::processEvents();
            const double ms = Milliseconds(Clock::now() - t);
            slowestMs = std::max(slowestMs, ms);
            totalMs += ms;
            listed += viewer.Meters()->model()->rowCount();
        }
        const double switchCpuMs = CpuMilliseconds(std::clock() - switchCpu);
        EXPECT_EQ(listed, c.meters);
        EXPECT_EQ(Cell(viewer.Meters(), viewer.Meters()->model()->rowCount() - 1, "MeterTagNbr"),
                  QString::number(3100000 + c.meters - 1));
        std::cout << "[ figures  ] " << c.name << ", " << c.meters << " meters over " << c.routes
                  << " route(s): opened and shown in " << openMs << " ms (" << openCpuMs
                  << " ms CPU); switching routes " << totalMs / c.routes << " ms on average (" << switchCpuMs / c.routes
                  << " ms CPU), " << slowestMs << " ms at most\n";
        ::testing::Test::RecordProperty(std::string(c.readings ? "readings" : "route") + "_open_ms",
                                        static_cast<int>(openMs));
        // Generous bounds for a loaded machine: a switch that took seconds would be a regression.
        EXPECT_LT(openMs, 10000);
        EXPECT_LT(slowestMs, 2000);
    }
}

TEST_F(ViewerTest, CommandRemembersTheFileAndPreselectsItNextTime) {
    const fs::path file = Fixture("readings_v2.pdb");
    const QString path = QString::fromStdString(file.string());
    int viewersShown = 0;
    for (int round = 0; round < 2; ++round) {
        test::WhenModal<QFileDialog>([&, round](QFileDialog* dialog) {
            EXPECT_EQ(dialog->windowTitle(), "Exchange File");
            EXPECT_EQ(dialog->nameFilters().size(), 2);
            EXPECT_TRUE(dialog->nameFilters().front().startsWith("Palm Database Files (*.pdb"));
            EXPECT_TRUE(dialog->nameFilters().back().startsWith("All Files"));
            EXPECT_EQ(dialog->defaultSuffix(), "pdb");
            if (round == 0) {
                EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(dir_.Path().string().c_str()).canonicalPath())
                    << "starts in the home folder";
            } else {
                EXPECT_EQ(dialog->selectedFiles(), QStringList{path}) << "the remembered file is preselected";
            }
            dialog->selectFile(path);
            test::WhenModal<frmZAVView>([&](frmZAVView* viewer) {
                ++viewersShown;
                EXPECT_EQ(viewer->windowTitle(), path);
                EXPECT_EQ(viewer->Meters()->model()->rowCount(), 2);
                viewer->close();
            });
            static_cast<QDialog*>(dialog)->accept();
        });
        RunViewer(nullptr, dir_.Path());
    }
    EXPECT_EQ(viewersShown, 2);
    QSettings settings(kCompanyName, kAppTitle);
    EXPECT_EQ(settings.value("RememberedUse/ViewerFile").toString(), path);
    EXPECT_TRUE(fake_.calls.empty());
    EXPECT_TRUE(fake_.log.empty());
}

// A damaged or missing file: the run-log line, no viewer and no box. A cancelled dialog remembers nothing.
TEST_F(ViewerTest, UnreadableFileIsLoggedAndShowsNoWindow) {
    for (const char* name : {"bad_offset_past_end.pdb", "bad_vfs_length_past_end.vfs"}) {
        SCOPED_TRACE(name);
        fake_.log.clear();
        const QString path = QString::fromStdString(Fixture(name).string());
        bool viewerOpened = false;
        QTimer guard;  // were a viewer to open, this notes it and closes it, so the test ends either way
        QObject::connect(&guard, &QTimer::timeout, [&viewerOpened] {
            if (auto* viewer = qobject_cast<frmZAVView*>(QApplication::activeModalWidget())) {
                viewerOpened = true;
                viewer->close();
            }
        });
        guard.start(20);
        test::WhenModal<QFileDialog>([&](QFileDialog* dialog) {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
        });
        RunViewer(nullptr, dir_.Path());
        EXPECT_FALSE(viewerOpened);
        EXPECT_EQ(fake_.log, std::vector<std::string>{"Error: Could not read ZAV file"});
        EXPECT_TRUE(fake_.calls.empty());
        EXPECT_EQ(RememberedViewerFile(), path);
    }
    RememberViewerFile("");
    test::WhenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    RunViewer(nullptr, dir_.Path());
    EXPECT_EQ(RememberedViewerFile(), "");
}

}  // namespace
}  // namespace zav
