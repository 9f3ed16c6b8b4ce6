// Pictures of the advanced options window's tabs, its edit dialogs and the favorites picker, for looking
// at their layout. Written only when ZAV_SCREENSHOTS names a folder (run under a real display, e.g.
// xvfb-run with QT_QPA_PLATFORM=xcb); otherwise skipped.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPixmap>
#include <QTabWidget>

#include "advanced_support.h"
#include "core/file_io.h"
#include "install/hotsync.h"
#include "ui/frm_adv_dialogs.h"
#include "ui/frm_advanced.h"
#include "ui/frm_favorites.h"

namespace zav {
namespace {

void Save(QWidget& window, const QString& name) {
    window.show();
    QApplication::processEvents();
    QTest::qWait(50);
    ASSERT_TRUE(window.grab().save(qEnvironmentVariable("ZAV_SCREENSHOTS") + "/" + name + ".png"));
}

// Pictures the modal dialog of type T that `open` shows, then closes it.
template <typename T>
void SaveModal(const QString& name, const std::function<void()>& open, std::function<void(T*)> prepare = {}) {
    test::WhenModal<T>([name, prepare](T* dialog) {
        if (prepare) prepare(dialog);
        Save(*dialog, name);
        dialog->reject();
    });
    open();
}

class AdvancedScreenshots : public test::AdvancedFixture {};

TEST_F(AdvancedScreenshots, TabsDialogsAndPicker) {
    if (qEnvironmentVariableIsEmpty("ZAV_SCREENSHOTS")) GTEST_SKIP() << "ZAV_SCREENSHOTS is not set";
    HotSyncDesktop(home_.Path()).UmAddUser("Reader 3", 0);
    advanced_.AddLogin("Boss", "secret", "S");
    advanced_.AddLogin("Reader", "pw", "");
    advanced_.AddMessage("Account", "0412", "100234567", "Dog in yard");
    advanced_.AddMessage("Account", "ANY", "1001", "Gate code 12");
    advanced_.AddMessage("Account", "04120000001", "1002", "Call first");
    advanced_.AddChangeout("RC", "01", "Broken register");
    advanced_.AddChangeout("RC", "02", "A description of more than thirty characters in all");
    advanced_.AddSkip("DOG", "Dog in yard");
    advanced_.AddSkip("LOCK", "Gate locked");
    std::filesystem::create_directories(home_ / "units");
    WriteFileBytes(home_ / "units/r1.pdb", "readings");
    advanced_.AddFavorite("Reader 1", (home_ / "units/r1.pdb").string());
    advanced_.AddFavorite("Reader 2", "/mnt/handhelds/reader2/ReadingZAV.pdb");
    advanced_.AddFavorite("Reader 4", "");
    advanced_.UseFavorite(true);

    frmAdvanced window(advanced_, home_.Path(), nullptr);
    for (int tab = 0; tab < window.Tabs()->count(); ++tab) {
        window.Tabs()->setCurrentIndex(tab);
        Save(window, QString("advanced-tab%1").arg(tab + 1));
    }
    frmFavorites picker(advanced_, home_.Path(), nullptr);
    Save(picker, "favorites");
    for (const char* unit : {"Reader 1", "Reader 2", "Reader 4"}) advanced_.DeleteFavorite(unit);
    window.Tabs()->setCurrentIndex(0);
    window.Tabs()->setCurrentIndex(frmAdvanced::kFavorites);
    Save(window, "advanced-tab6-no-paths");

    clsAdvanced& adv = advanced_;
    SaveModal<frmAdvLogin>("login-edit", [&] { frmAdvLogin(adv, nullptr).Display(AdvMode::Edit, "Boss"); });
    SaveModal<frmAdvChangeout>("changeout-edit",
                               [&] { frmAdvChangeout(adv, nullptr).Display(AdvMode::Edit, "RC", "01"); });
    SaveModal<frmAdvSkip>("skip-add", [&] { frmAdvSkip(adv, nullptr).Display(AdvMode::Add, ""); });
    SaveModal<frmAdvToken>("token-add", [&] { frmAdvToken(adv, nullptr).Display(AdvMode::Add, "Address", ""); });
    SaveModal<frmAdvFavorite>("favorite-edit-user",
                              [&] { frmAdvFavorite(adv, home_.Path(), nullptr).Display(AdvMode::Edit, "Reader 3"); });
    SaveModal<frmAdvMessage>(
        "message-add", [&] { frmAdvMessage(adv, nullptr).Display(AdvMode::Add, "SerialNbr", "", ""); },
        [](frmAdvMessage* d) { QTest::keyClicks(d->RouteNbr(), "0412"); });
    SaveModal<frmAdvMessage>("message-edit-any",
                             [&] { frmAdvMessage(adv, nullptr).Display(AdvMode::Edit, "Account", "ANY", "1001"); });
}

}  // namespace
}  // namespace zav
