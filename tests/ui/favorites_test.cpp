// The favorites picker, the reading command's favorites step, and the main window's "Advanced" button.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFile>
#include <QLocale>
#include <QSettings>
#include <fstream>

#include "advanced_support.h"
#include "core/file_io.h"
#include "core/identity.h"
#include "exchange/exchange.h"
#include "ui/desktop.h"
#include "ui/frm_advanced.h"
#include "ui/frm_favorites.h"
#include "ui/frm_reports.h"
#include "ui/run_log.h"

namespace zav {
namespace {

using test::Click;
using test::ClickLine;
using test::Lines;
using Strings = std::vector<std::string>;

const QDate kModified(2026, 3, 14);

void WriteDated(const std::filesystem::path& path) {
    std::filesystem::create_directories(path.parent_path());
    WriteFileBytes(path, "readings");
    QFile file(QString::fromStdString(path.string()));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(kModified, QTime(12, 0)), QFileDevice::FileModificationTime));
}

class FavoritesTest : public test::AdvancedFixture {
  protected:
    FavoritesTest() {
        WriteDated(home_ / "units/r1/ReadingZAV.pdb");
        WriteDated(home_ / "r4.pdb");
        advanced_.AddFavorite("Reader 1", (home_ / "units/r1/ReadingZAV.pdb").string());
        advanced_.AddFavorite("Reader 2", "");
        advanced_.AddFavorite("Reader 3", (home_ / "units/gone.pdb").string());
        advanced_.AddFavorite("Reader 4", "r4.pdb");  // relative to the home folder
        advanced_.AddFavorite("Reader 5", "x");
        advanced_.DeleteFavorite("Reader 5");
    }
};

TEST_F(FavoritesTest, PickerShowsEachFavoriteWithTheStateOfItsFile) {
    frmFavorites picker(advanced_, home_.Path(), nullptr);
    EXPECT_EQ(picker.windowTitle(), "Favorites");
    EXPECT_EQ(picker.UseButton()->text(), "Use");
    EXPECT_EQ(picker.CloseButton()->text(), "Close");
    const std::string date = QLocale().toString(kModified, QLocale::ShortFormat).toStdString();
    EXPECT_EQ(Lines(picker.List()), (Strings{
                                        "Reader 1\t" + date + "\t" + (home_ / "units/r1/ReadingZAV.pdb").string(),
                                        "Reader 2\t[No Path set]",
                                        "Reader 3\t[File Not Found]\t" + (home_ / "units/gone.pdb").string(),
                                        "Reader 4\t" + date + "\tr4.pdb",
                                    }));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(picker.List())->tableInterface()->columnCount(), 3);

    // The list fills the window left of the buttons, with the same margin all round.
    picker.show();
    picker.resize(700, 320);
    QApplication::processEvents();
    const QRect list = picker.List()->geometry();
    EXPECT_EQ(list.y(), list.x());
    EXPECT_EQ(picker.height() - list.bottom() - 1, list.x());
    EXPECT_LT(list.right(), picker.UseButton()->x());
    EXPECT_EQ(picker.width() - picker.UseButton()->geometry().right() - 1, list.x());
    EXPECT_EQ(test::UnnamedControls(&picker), Strings{});
}

TEST_F(FavoritesTest, OnlyAFileThatIsThereCanBeUsed) {
    frmFavorites picker(advanced_, home_.Path(), nullptr);
    test::WhenModal<frmFavorites>([](frmFavorites* w) {
        EXPECT_FALSE(w->UseButton()->isEnabled());
        for (const int row : {2, 1}) {  // the file is gone; no path at all
            ClickLine(w->List(), row);
            EXPECT_FALSE(w->UseButton()->isEnabled()) << row;
        }
        test::DoubleClickLine(w->List(), 2);
        EXPECT_TRUE(w->isVisible());
        ClickLine(w->List(), 3);
        EXPECT_TRUE(w->UseButton()->isEnabled());
        Click(w->UseButton());
    });
    EXPECT_EQ(picker.Display(), "r4.pdb");

    test::WhenModal<frmFavorites>([this](frmFavorites* w) {
        ClickLine(w->List(), 0);
        std::filesystem::remove(home_ / "units/r1/ReadingZAV.pdb");  // removed while the window is open
        Click(w->UseButton());
        EXPECT_TRUE(w->isVisible());
        EXPECT_FALSE(w->UseButton()->isEnabled());
        Click(w->CloseButton());
    });
    EXPECT_EQ(frmFavorites(advanced_, home_.Path(), nullptr).Display(), "");
}

TEST_F(FavoritesTest, TheReadingSourceIsAskedForOnlyWithFavoritesOn) {
    clsExchange exchange(store_);
    exchange.ReadingSource = "ReadingZAV.pdb";
    EXPECT_TRUE(ChooseFavoriteReadingSource(exchange, advanced_, home_.Path(), nullptr));  // off: no window
    advanced_.UseFavorite(true);
    test::WhenModal<frmFavorites>([](frmFavorites* w) { Click(w->CloseButton()); });
    EXPECT_FALSE(ChooseFavoriteReadingSource(exchange, advanced_, home_.Path(), nullptr));
    EXPECT_EQ(exchange.ReadingSource, "ReadingZAV.pdb");
    test::WhenModal<frmFavorites>([](frmFavorites* w) { test::DoubleClickLine(w->List(), 0); });
    EXPECT_TRUE(ChooseFavoriteReadingSource(exchange, advanced_, home_.Path(), nullptr));
    EXPECT_EQ(exchange.ReadingSource, (home_ / "units/r1/ReadingZAV.pdb").string());
}

// The desktop's reading command on a copy of the demo office whose readings database came back from
// "Reader 1": the picker asks first, and the file chosen there is converted.
TEST(ReadingCommand, WithFavoritesConvertsTheChosenFile) {
    test::TempDir home;
    std::filesystem::copy(std::filesystem::path(ZAV_SOURCE_DIR) / "examples/demo-home", home.Path(),
                          std::filesystem::copy_options::recursive);
    std::filesystem::create_directories(home / "units/Reader 1");
    std::filesystem::rename(home / "ReadingZAV.pdb", home / "units/Reader 1/ReadingZAV.pdb");
    RegistryStore store(home / "registry.sqlite3");
    {
        clsAdvanced advanced(store);
        advanced.AddFavorite("Reader 2", (home / "units/Reader 2/ReadingZAV.pdb").string());
        advanced.AddFavorite("Reader 1", (home / "units/Reader 1/ReadingZAV.pdb").string());
        advanced.UseFavorite(true);
    }
    struct Release {
        ~Release() { ReleaseSharedAdvanced(); }
    } release;
    DesktopSession session(store, home.Path(), "zavdepot");
    ASSERT_TRUE(session.Open(true));
    QPushButton* reading = session.Main()->CommandButton(Conversion::Reading);

    test::WhenModal<frmFavorites>([](frmFavorites* w) { Click(w->CloseButton()); });
    Click(reading);  // nothing chosen: nothing happens
    EXPECT_TRUE(session.Main()->Log().IsEmpty());
    EXPECT_FALSE(std::filesystem::exists(home / "upload/readings.txt"));

    test::WhenModal<frmFavorites>([](frmFavorites* w) {
        ClickLine(w->List(), 1);
        Click(w->UseButton());
        // A successful conversion offers the reports next; none are wanted here.
        test::WhenModal<frmReports>([](frmReports* r) { Click(r->CloseButton()); });
    });
    Click(reading);
    const QString log = session.Main()->Log().Text();
    EXPECT_TRUE(log.contains(QString::fromStdString("units/Reader 1/ReadingZAV.pdb"))) << log.toStdString();
    EXPECT_EQ(ReadFileBytes(home / "upload/readings.txt"),
              ReadFileBytes(std::filesystem::path(ZAV_SOURCE_DIR) / "tests/fixtures/demo/readings.txt"));
}

// "Advanced" opens the window; afterwards the program's shared options are a freshly loaded store.
TEST(MainWindowAdvanced, ReplacesTheSharedOptionsWithAFreshlyLoadedStore) {
    QSettings(kCompanyName, kAppTitle).clear();
    test::TempDir home;
    RegistryStore store(home / "registry.sqlite3");
    struct Release {
        ~Release() { ReleaseSharedAdvanced(); }
    } release;
    clsExchange exchange(store);
    frmMain main(exchange, store, home.Path(), "zavdepot");
    test::WindowFrontend frontend(main);
    ScopedFrontend scoped(frontend);
    SharedAdvanced(store);
    QPushButton* advanced = main.findChild<QPushButton*>("btnAdvanced");
    ASSERT_TRUE(advanced->isEnabled());
    test::WhenModal<frmAdvanced>([&store](frmAdvanced* w) {
        test::ClickMark(w->UseLogin());
        // Written by other means while the window is open: only a fresh load sees it.
        clsRegistry(store).SaveValue("Dog", {kLocalMachine, kSettingsKey, "Skip", "DOG"});
        Click(w->CloseButton());
    });
    Click(advanced);
    EXPECT_TRUE(SharedAdvanced(store).UseLoginSecurity());
    std::string code, description;
    EXPECT_EQ(SharedAdvanced(store).GetSkip(std::string("DOG"), code, description), 1);
    EXPECT_TRUE(frontend.fake.calls.empty());
}

}  // namespace
}  // namespace zav
