// The edit dialogs of the advanced options: their checks and messages in order, the store call each
// makes once it has hidden, the delete question, key fields in mode Edit, and the refusal of "||" in the
// texts the store joins with it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "advanced_support.h"
#include "core/identity.h"
#include "ui/frm_adv_dialogs.h"
#include "ui/frm_login.h"
#include "ui/qt_file_dialog.h"

namespace zav {
namespace {

using test::Click;
using Strings = std::vector<std::string>;

std::string Box(const std::string& text) { return "ShowMessage(" + std::string(kAppTitle) + "|" + text + ")"; }

QLineEdit* Field(QWidget* dialog, const char* name) {
    auto* field = dialog->findChild<QLineEdit*>(name);
    EXPECT_NE(field, nullptr) << name;
    return field;
}

class AdvDialogTest : public test::AdvancedFixture {};

TEST_F(AdvDialogTest, LoginDialogChecksInOrderAndStoresTheSupervisorMarkOnly) {
    advanced_.AddLogin("Boss", "secret", "S");
    frmAdvLogin dialog(advanced_, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Login");
    test::WhenModal<frmAdvLogin>([](frmAdvLogin* d) {
        EXPECT_FALSE(d->DeleteButton()->isEnabled());
        EXPECT_TRUE(d->LoginId()->isEnabled());
        Click(d->SaveButton());
        d->LoginId()->setText("  ");
        Click(d->SaveButton());
        d->LoginId()->setText("boss");
        Click(d->SaveButton());
        d->Password()->setText("pw");
        Click(d->SaveButton());  // a login "Boss" exists already
        EXPECT_TRUE(d->isVisible());
        d->LoginId()->setText("Chief");
        d->Supervisor()->setChecked(true);
        Click(d->SaveButton());
    });
    EXPECT_EQ(dialog.Display(AdvMode::Add, ""), "Save");
    EXPECT_EQ(Calls(), (Strings{Box("Login ID is required"), Box("Login ID is required"), Box("Password is required"),
                                Box("Already have a login with this ID")}));
    std::string id, password, data;
    ASSERT_EQ(advanced_.GetLogin(std::string("chief"), id, password, data), 2);
    EXPECT_EQ(id + "/" + password + "/" + data, "Chief/pw/S");

    // Editing keeps the key, and the data text becomes the mark alone.
    advanced_.UpdateLogin("Chief", "pw", "XSY");
    frmAdvLogin edit(advanced_, nullptr);
    test::WhenModal<frmAdvLogin>([](frmAdvLogin* d) {
        EXPECT_EQ(d->LoginId()->text(), "Chief");
        EXPECT_FALSE(d->LoginId()->isEnabled());
        EXPECT_TRUE(d->Supervisor()->isChecked());
        EXPECT_TRUE(d->DeleteButton()->isEnabled());
        d->Password()->setText("New Secret");
        Click(d->SaveButton());
    });
    EXPECT_EQ(edit.Display(AdvMode::Edit, "CHIEF"), "Save");
    advanced_.GetLogin(std::string("Chief"), id, password, data);
    EXPECT_EQ(id + "/" + password + "/" + data, "Chief/New Secret/S");
}

// What the dialog stores is what the login gate checks: no mark, no entry; the mark lets the user in with
// the ID and password typed in other capitals.
TEST_F(AdvDialogTest, ALoginSavedWithoutTheMarkCannotOpenTheProgram) {
    test::WhenModal<frmAdvLogin>([](frmAdvLogin* d) {
        d->LoginId()->setText("Reader");
        d->Password()->setText("secret");
        Click(d->SaveButton());
    });
    frmAdvLogin(advanced_, nullptr).Display(AdvMode::Add, "");
    EXPECT_EQ(CheckLogin(advanced_, "Reader", "secret"), LoginCheck::NotSupervisor);

    test::WhenModal<frmAdvLogin>([](frmAdvLogin* d) {
        d->Supervisor()->setChecked(true);
        Click(d->SaveButton());
    });
    frmAdvLogin(advanced_, nullptr).Display(AdvMode::Edit, "Reader");
    EXPECT_EQ(CheckLogin(advanced_, "rEADER", "SECRET"), LoginCheck::Supervisor);
}

// The store joins a login's password and data, and a message's route number and meter ID, with "||" and
// splits them again when it loads: a text holding "||" would come back cut, so the dialogs refuse it.
TEST_F(AdvDialogTest, TheSeparatorIsRefusedInEachJoinedFieldAndTheDialogStays) {
    advanced_.AddLogin("Boss", "secret", "S");
    struct Case {
        const char* field;
        std::function<std::string()> display;  // opens the dialog in the case's mode
        std::function<void(QWidget*)> fill;
        const char* message;
    };
    auto login = [this](AdvMode mode, const char* id) {
        return [this, mode, id] { return frmAdvLogin(advanced_, nullptr).Display(mode, id); };
    };
    auto message = [this] { return frmAdvMessage(advanced_, nullptr).Display(AdvMode::Add, "Account", "", ""); };
    const Case cases[] = {
        {"txtLoginID", login(AdvMode::Add, ""),
         [](QWidget* d) {
             Field(d, "txtLoginID")->setText("ab||cd");
             Field(d, "txtPassword")->setText("pw");
         },
         "Login ID cannot contain \"||\""},
        {"txtPassword", login(AdvMode::Add, ""),
         [](QWidget* d) {
             Field(d, "txtLoginID")->setText("U1");
             Field(d, "txtPassword")->setText("ab||cd");
         },
         "Password cannot contain \"||\""},
        {"txtPassword", login(AdvMode::Edit, "Boss"), [](QWidget* d) { Field(d, "txtPassword")->setText("se||cret"); },
         "Password cannot contain \"||\""},
        {"txtRouteNbr", message,
         [](QWidget* d) {
             Field(d, "txtRouteNbr")->setText("04||12");
             Field(d, "txtMeterID")->setText("1001");
             Field(d, "txtMessage")->setText("Dog");
         },
         "Route Number cannot contain \"||\""},
        {"txtMeterID", message,
         [](QWidget* d) {
             Field(d, "txtRouteNbr")->setText("0412");
             Field(d, "txtMeterID")->setText("10||01");
             Field(d, "txtMessage")->setText("Dog");
         },
         "Account cannot contain \"||\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Calls().clear();
        test::WhenModal<AdvEditDialog>([&c](AdvEditDialog* d) {
            c.fill(d);
            Click(d->SaveButton());
            EXPECT_TRUE(d->isVisible());
            EXPECT_EQ(d->focusWidget(), Field(d, c.field));
            Click(d->CancelButton());
        });
        EXPECT_EQ(c.display(), "Cancel");
        EXPECT_EQ(Calls(), Strings{Box(c.message)});
    }
    std::string id, password, data;
    EXPECT_EQ(advanced_.GetLogin(std::int16_t{2}, id, password, data), -1) << "no login was added";
    advanced_.GetLogin(std::string("Boss"), id, password, data);
    EXPECT_EQ(password, "secret");
    EXPECT_EQ(advanced_.List(clsAdvanced::kMsgAccount).Count(), 0);

    // A single bar is fine, and the stored format is the usual one.
    test::WhenModal<frmAdvLogin>([](frmAdvLogin* d) {
        d->LoginId()->setText("U|1");
        d->Password()->setText("a|b");
        Click(d->SaveButton());
    });
    EXPECT_EQ(frmAdvLogin(advanced_, nullptr).Display(AdvMode::Add, ""), "Save");
    advanced_.SaveValues();
    EXPECT_EQ(Stored("LoginIDs", "U|1"), "a|b||");
}

// Mode Edit: the key cannot change, "Delete" asks first ("No" keeps the dialog open), and the store
// call comes after the dialog has hidden.
TEST_F(AdvDialogTest, EveryDialogDeletesItsEntryAfterAsking) {
    advanced_.AddLogin("Boss", "secret", "S");
    advanced_.AddChangeout("MT", "W", "Water meter");
    advanced_.AddSkip("DOG", "Dog in yard");
    advanced_.AddToken("Owner", "LTD");
    advanced_.AddFavorite("Reader 1", "/data/r1.pdb");
    advanced_.AddMessage("TagNbr", "0412", "T7", "Gate code 12");
    struct Case {
        const char* title;
        const char* keyField;
        std::function<std::string()> display;
        std::function<bool()> stored;
    };
    std::string a, b, c;
    clsAdvanced& adv = advanced_;
    const Case cases[] = {
        {"Delete Login", "txtLoginID", [&] { return frmAdvLogin(adv, nullptr).Display(AdvMode::Edit, "boss"); },
         [&] { return adv.GetLogin(std::string("Boss"), a, b, c) >= 0; }},
        {"Delete Changeout", "txtCode", [&] { return frmAdvChangeout(adv, nullptr).Display(AdvMode::Edit, "MT", "W"); },
         [&] { return adv.GetChangeout("MT", std::string("W"), a, b) >= 0; }},
        {"Delete Skip", "txtCode", [&] { return frmAdvSkip(adv, nullptr).Display(AdvMode::Edit, "DOG"); },
         [&] { return adv.GetSkip(std::string("DOG"), a, b) >= 0; }},
        {"Delete Token", "txtToken", [&] { return frmAdvToken(adv, nullptr).Display(AdvMode::Edit, "Owner", "LTD"); },
         [&] { return adv.GetToken("Owner", std::string("LTD"), a) >= 0; }},
        {"Delete Favorite", "txtUnitID",
         [&] { return frmAdvFavorite(adv, home_.Path(), nullptr).Display(AdvMode::Edit, "Reader 1"); },
         [&] { return adv.GetFavorite(std::string("Reader 1"), a, b) >= 0; }},
        {"Delete Message", "txtMeterID",
         [&] { return frmAdvMessage(adv, nullptr).Display(AdvMode::Edit, "TagNbr", "0412", "T7"); },
         [&] { return adv.FindMessage("TagNbr", "0412", "T7") >= 0; }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.title);
        Calls().clear();
        fake_.yesNoAnswers = {false, true};
        test::WhenModal<AdvEditDialog>([&](AdvEditDialog* d) {
            EXPECT_FALSE(Field(d, k.keyField)->isEnabled());
            EXPECT_FALSE(Field(d, k.keyField)->text().isEmpty());
            EXPECT_TRUE(d->DeleteButton()->isEnabled());
            Click(d->DeleteButton());
            EXPECT_TRUE(d->isVisible());
            EXPECT_TRUE(k.stored()) << "nothing changes while the dialog is open";
            Click(d->DeleteButton());
        });
        EXPECT_EQ(k.display(), "Delete");
        EXPECT_FALSE(k.stored());
        const std::string question = "AskYesNo(" + std::string(k.title) + "|Are you sure?)";
        EXPECT_EQ(Calls(), (Strings{question, question}));
    }
}

TEST_F(AdvDialogTest, CodeDialogsCheckCodeDescriptionAndDuplicates) {
    advanced_.AddChangeout("RC", "01", "Broken");
    advanced_.AddSkip("01", "Locked");
    struct Case {
        const char* caption;
        const char* descriptionLabel;
        std::function<AdvCodeDialog*()> make;
        std::function<std::string(AdvCodeDialog*, AdvMode, const char*)> display;
        std::function<std::string(const char*)> description;  // as stored, "" when missing
    };
    std::string key, text;
    clsAdvanced& adv = advanced_;
    const Case cases[] = {
        {"Changeout", "Description:", [&] { return new frmAdvChangeout(adv, nullptr); },
         [](AdvCodeDialog* d, AdvMode m, const char* code) {
             return static_cast<frmAdvChangeout*>(d)->Display(m, "RC", code);
         },
         [&](const char* code) { return adv.GetChangeout("RC", std::string(code), key, text) >= 0 ? text : ""; }},
        {"Skip", "Reason Skipped:", [&] { return new frmAdvSkip(adv, nullptr); },
         [](AdvCodeDialog* d, AdvMode m, const char* code) { return static_cast<frmAdvSkip*>(d)->Display(m, code); },
         [&](const char* code) { return adv.GetSkip(std::string(code), key, text) >= 0 ? text : ""; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        Calls().clear();
        std::unique_ptr<AdvCodeDialog> add(c.make());
        EXPECT_EQ(add->windowTitle(), c.caption);
        QStringList labels;
        for (const QLabel* l : add->findChildren<QLabel*>()) labels << l->text();
        EXPECT_EQ(labels, (QStringList{"Code:", c.descriptionLabel}));
        test::WhenModal<AdvCodeDialog>([](AdvCodeDialog* d) {
            Click(d->SaveButton());
            d->Code()->setText("01");
            Click(d->SaveButton());
            d->Description()->setText("Tilted");
            Click(d->SaveButton());
            d->Code()->setText("02");
            Click(d->SaveButton());
        });
        EXPECT_EQ(c.display(add.get(), AdvMode::Add, ""), "Save");
        EXPECT_EQ(Calls(),
                  (Strings{Box("Code is required"), Box("Description is required"), Box("Already have this Code")}));
        EXPECT_EQ(c.description("02"), "Tilted");

        std::unique_ptr<AdvCodeDialog> edit(c.make());
        test::WhenModal<AdvCodeDialog>([](AdvCodeDialog* d) {
            EXPECT_EQ(d->Code()->text(), "01");
            d->Description()->setText("Replaced");
            Click(d->SaveButton());
        });
        EXPECT_EQ(c.display(edit.get(), AdvMode::Edit, "01"), "Save");
        EXPECT_EQ(c.description("01"), "Replaced");
    }
}

TEST_F(AdvDialogTest, TokenDialogAddsAndItsEditOnlyDeletes) {
    test::WhenModal<frmAdvToken>([](frmAdvToken* d) {
        Click(d->SaveButton());
        d->Token()->setText("inc");  // a default owner token, in other capitals
        Click(d->SaveButton());
        d->Token()->setText("LTD");
        Click(d->SaveButton());
    });
    EXPECT_EQ(frmAdvToken(advanced_, nullptr).Display(AdvMode::Add, "Owner", ""), "Save");
    EXPECT_EQ(Calls(), (Strings{Box("Address Token is required"), Box("Already have this Token")}));
    std::string token;
    EXPECT_EQ(advanced_.GetToken("Owner", std::string("LTD"), token), 8);

    test::WhenModal<frmAdvToken>([](frmAdvToken* d) {
        EXPECT_FALSE(d->Token()->isEnabled());
        Click(d->SaveButton());
    });
    EXPECT_EQ(frmAdvToken(advanced_, nullptr).Display(AdvMode::Edit, "Owner", "LTD"), "Save");
    EXPECT_EQ(advanced_.GetToken("Owner", std::string("LTD"), token), 8) << "Save in mode Edit changes nothing";
}

TEST_F(AdvDialogTest, MessageDialogRouteAndAnyRules) {
    advanced_.AddMessage("SerialNbr", "ANY", "S9", "Meter behind gate");
    frmAdvMessage dialog(advanced_, nullptr);
    test::WhenModal<frmAdvMessage>([](frmAdvMessage* d) {
        EXPECT_EQ(d->MeterIdLabel()->text(), "SerialNbr");
        EXPECT_TRUE(d->Any()->isEnabled());
        QTest::keyClicks(d->RouteNbr(), "04");  // typing a route number rules out "Any"
        EXPECT_FALSE(d->Any()->isEnabled());
        d->RouteNbr()->selectAll();
        QTest::keyClick(d->RouteNbr(), Qt::Key_Backspace);
        EXPECT_TRUE(d->Any()->isEnabled());
        Click(d->SaveButton());  // neither a route nor "Any"
        d->Any()->setChecked(true);
        EXPECT_FALSE(d->RouteNbr()->isEnabled());
        Click(d->SaveButton());
        d->MeterId()->setText("s9");
        Click(d->SaveButton());
        d->Message()->setText("Dog");
        Click(d->SaveButton());  // "ANY||S9" is there already
        d->Any()->setChecked(false);
        EXPECT_TRUE(d->RouteNbr()->isEnabled());
        d->RouteNbr()->setText("0412");
        Click(d->SaveButton());
    });
    EXPECT_EQ(dialog.Display(AdvMode::Add, "SerialNbr", "", ""), "Save");
    EXPECT_EQ(Calls(), (Strings{Box("Route Nbr or (ANY) is required"), Box("SerialNbr is required"),
                                Box("Message is required"), Box("Already have a Message with this ID")}));
    EXPECT_EQ(advanced_.FindMessage("SerialNbr", "0412", "s9"), 2);
}

TEST_F(AdvDialogTest, EditingAnAnyMessageUpdatesIt) {
    advanced_.AddMessage("Account", "ANY", "1001", "Old text");
    advanced_.AddMessage("Account", "*", "1002", "Star text");
    advanced_.AddMessage("Account", "0412", "1003", "Route text");
    struct Case {
        const char* route;
        const char* meter;
        bool anyChecked;
        const char* shownRoute;
    };
    for (const Case& c :
         {Case{"ANY", "1001", true, ""}, Case{"*", "1002", true, ""}, Case{"0412", "1003", false, "0412"}}) {
        SCOPED_TRACE(c.route);
        test::WhenModal<frmAdvMessage>([&c](frmAdvMessage* d) {
            EXPECT_EQ(d->Any()->isChecked(), c.anyChecked);
            EXPECT_FALSE(d->Any()->isEnabled()) << "the route is part of the key";
            EXPECT_FALSE(d->RouteNbr()->isEnabled());
            EXPECT_EQ(d->RouteNbr()->text(), c.shownRoute);
            EXPECT_EQ(d->MeterId()->text(), c.meter);
            d->Message()->setText("New text");
            Click(d->SaveButton());
        });
        EXPECT_EQ(frmAdvMessage(advanced_, nullptr).Display(AdvMode::Edit, "Account", c.route, c.meter), "Save");
        std::string route, meter, message;
        advanced_.GetMessage("Account", advanced_.FindMessage("Account", c.route, c.meter), route, meter, message);
        EXPECT_EQ(message, "New text");
    }
    EXPECT_EQ(advanced_.List(clsAdvanced::kMsgAccount).Count(), 3) << "updated in place, nothing added";
    EXPECT_TRUE(Calls().empty());
}

TEST_F(AdvDialogTest, FavoriteDialogBrowsesForTheReadingsFile) {
    std::vector<FileDialogRequest> asked;
    frmAdvFavorite dialog(advanced_, home_.Path(), nullptr);
    dialog.ChooseFile = [&](const FileDialogRequest& request) {
        asked.push_back(request);
        return asked.size() == 1 ? std::string() : std::string("/units/r1/ReadingZAV.pdb");
    };
    test::WhenModal<frmAdvFavorite>([](frmAdvFavorite* d) {
        Click(d->SaveButton());
        d->UnitId()->setText("Reader 1");
        Click(d->SaveButton());
        d->PathName()->setText("old.pdb");
        Click(d->BrowseButton());  // cancelled: the path stays
        EXPECT_EQ(d->PathName()->text(), "old.pdb");
        Click(d->BrowseButton());
        EXPECT_EQ(d->PathName()->text(), "/units/r1/ReadingZAV.pdb");
        Click(d->SaveButton());
    });
    EXPECT_EQ(dialog.Display(AdvMode::Add, ""), "Save");
    EXPECT_EQ(Calls(), (Strings{Box("UnitID is required"), Box("PathName is required")}));
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].title, "Readings File");
    EXPECT_EQ(asked[0].filter, "Palm Database Files (*.pdb)|*.pdb|All Files(*.*)|*.*");
    EXPECT_FALSE(asked[0].save);
    EXPECT_EQ(asked[0].defaultExtension, ".pdb");
    EXPECT_EQ(asked[0].initialFolder, home_.Path().string());
    EXPECT_EQ(asked[0].initialFile, (home_ / "old.pdb").string()) << "the current path, from the home folder";
    std::string unit, path;
    advanced_.GetFavorite(std::string("reader 1"), unit, path);
    EXPECT_EQ(path, "/units/r1/ReadingZAV.pdb");

    // A unit listed without a favorite opens in mode Edit with an empty path; saving adds its favorite.
    Calls().clear();
    test::WhenModal<frmAdvFavorite>([](frmAdvFavorite* d) {
        EXPECT_EQ(d->UnitId()->text(), "Reader 2");
        EXPECT_FALSE(d->UnitId()->isEnabled());
        EXPECT_EQ(d->PathName()->text(), "");
        EXPECT_FALSE(d->DeleteButton()->isEnabled()) << "nothing stored to delete";
        d->PathName()->setText("/units/r2.pdb");
        Click(d->SaveButton());
    });
    EXPECT_EQ(frmAdvFavorite(advanced_, home_.Path(), nullptr).Display(AdvMode::Edit, "Reader 2"), "Save");
    EXPECT_EQ(advanced_.GetFavorite(std::string("Reader 2"), unit, path), 2);
    EXPECT_EQ(path, "/units/r2.pdb");

    // Adding a unit that has a favorite is refused.
    test::WhenModal<frmAdvFavorite>([](frmAdvFavorite* d) {
        d->UnitId()->setText("READER 2");
        d->PathName()->setText("x.pdb");
        Click(d->SaveButton());
        Click(d->CancelButton());
    });
    EXPECT_EQ(frmAdvFavorite(advanced_, home_.Path(), nullptr).Display(AdvMode::Add, ""), "Cancel");
    EXPECT_EQ(Calls(), Strings{Box("Already have this UnitID")});
}

TEST_F(AdvDialogTest, CancelEscAndTheFrameChangeNothing) {
    for (int way = 0; way < 3; ++way) {
        test::WhenModal<frmAdvSkip>([way](frmAdvSkip* d) {
            d->Code()->setText("NA");
            d->Description()->setText("No access");
            if (way == 0) Click(d->CancelButton());
            if (way == 1) QTest::keyClick(d, Qt::Key_Escape);
            if (way == 2) d->close();
        });
        EXPECT_EQ(frmAdvSkip(advanced_, nullptr).Display(AdvMode::Add, ""), "Cancel") << way;
    }
    EXPECT_EQ(advanced_.List(clsAdvanced::kSkips).Count(), 0);
}

TEST_F(AdvDialogTest, TheKeyboardGoesThroughTheFieldsThenTheButtons) {
    Strings login, message, favorite;
    test::WhenModal<frmAdvLogin>([&](frmAdvLogin* d) {
        EXPECT_EQ(d->focusWidget(), d->LoginId()) << "the dialog opens on its first field";
        login = test::TabOrder(d, d->LoginId());
        Click(d->CancelButton());
    });
    frmAdvLogin(advanced_, nullptr).Display(AdvMode::Add, "");
    EXPECT_EQ(login, (Strings{"txtLoginID", "txtPassword", "chkSupervisor", "cmdSave", "cmdCancel"}));
    test::WhenModal<frmAdvMessage>([&](frmAdvMessage* d) {
        message = test::TabOrder(d, d->RouteNbr());
        Click(d->CancelButton());
    });
    frmAdvMessage(advanced_, nullptr).Display(AdvMode::Add, "Account", "", "");
    EXPECT_EQ(message, (Strings{"txtRouteNbr", "chkAny", "txtMeterID", "txtMessage", "cmdSave", "cmdCancel"}));
    advanced_.AddFavorite("Reader 1", "r1.pdb");
    test::WhenModal<frmAdvFavorite>([&](frmAdvFavorite* d) {
        EXPECT_EQ(d->focusWidget(), d->PathName()) << "the first field that can change";
        favorite = test::TabOrder(d, d->PathName());
        Click(d->CancelButton());
    });
    frmAdvFavorite(advanced_, home_.Path(), nullptr).Display(AdvMode::Edit, "Reader 1");
    EXPECT_EQ(favorite, (Strings{"txtPathName", "cmdBrowse", "cmdSave", "cmdCancel", "cmdDelete"}));
}

TEST_F(AdvDialogTest, EveryControlHasAnAccessibleName) {
    frmAdvLogin login(advanced_, nullptr);
    frmAdvChangeout changeout(advanced_, nullptr);
    frmAdvSkip skip(advanced_, nullptr);
    frmAdvToken token(advanced_, nullptr);
    frmAdvFavorite favorite(advanced_, home_.Path(), nullptr);
    frmAdvMessage message(advanced_, nullptr);
    for (QWidget* dialog : std::initializer_list<QWidget*>{&login, &changeout, &skip, &token, &favorite, &message})
        EXPECT_EQ(test::UnnamedControls(dialog), Strings{}) << dialog->objectName().toStdString();
}

}  // namespace
}  // namespace zav
