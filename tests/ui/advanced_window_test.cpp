// The advanced options window: its tabs and controls, the type options, the lists and their edit
// buttons, the favorites rule, the check boxes and combo boxes that write at once, and closing, which
// saves the store.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "advanced_support.h"
#include "install/hotsync.h"
#include "ui/frm_adv_dialogs.h"
#include "ui/frm_advanced.h"

namespace zav {
namespace {

using test::Click;
using test::ClickLine;
using test::Lines;
using Strings = std::vector<std::string>;
using Tab = frmAdvanced::Tab;

class AdvancedWindowTest : public test::AdvancedFixture {
  protected:
    // The window, shown (not modal) on tab `tab`.
    std::unique_ptr<frmAdvanced> Open(Tab tab = frmAdvanced::kLogins) {
        auto window = std::make_unique<frmAdvanced>(advanced_, home_.Path(), nullptr);
        window->show();
        window->Tabs()->setCurrentIndex(tab);
        return window;
    }
};

TEST_F(AdvancedWindowTest, SevenTabsWithTheirTooltipsAndControls) {
    auto window = Open();
    EXPECT_EQ(window->windowTitle(), "Advanced");
    const std::pair<const char*, const char*> tabs[] = {
        {"Logins", "Setup handheld and desktop security"},
        {"Messages", "Configure informational messages by meter"},
        {"Changeouts", "Setup code tables for meter changeouts"},
        {"Skip Codes", "Setup feedback messages for handhelds"},
        {"Index", "Specify which words to skip during index preparation."},
        {"Favorites", "Specify ZAV file locations by handheld unit."},
        {"Prefs", "Operational Preferences"},
    };
    ASSERT_EQ(window->Tabs()->count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(window->Tabs()->tabText(i), tabs[i].first);
        EXPECT_EQ(window->Tabs()->tabToolTip(i), tabs[i].second);
    }
    const char* editCaptions[] = {"Edit Login", "Edit Message", "Edit Code", "Edit Code", "Edit Token", "Edit"};
    for (int tab = 0; tab < 6; ++tab) {
        EXPECT_EQ(window->AddButton(Tab(tab))->text(), "Add New");
        EXPECT_EQ(window->EditButton(Tab(tab))->text(), editCaptions[tab]);
    }
    auto captions = [&](Tab tab, int count) {
        QStringList out;
        for (int i = 0; i < count; ++i) out << window->TypeOption(tab, i)->text();
        return out;
    };
    EXPECT_EQ(captions(frmAdvanced::kMessages, 3),
              (QStringList{"Account Number", "Meter Serial Nbr", "Meter Tag Nbr"}));
    EXPECT_EQ(captions(frmAdvanced::kChangeouts, 4),
              (QStringList{"Change Reasons", "Meter Types", "Manufacturers", "Meter Sizes"}));
    EXPECT_EQ(captions(frmAdvanced::kIndex, 2), (QStringList{"Address Index", "Owner Index"}));
    auto items = [](QComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
        return out;
    };
    EXPECT_EQ(items(window->IndexControl()),
              (QStringList{"Don't create indexes", "Always create indexes", "Prompt during route creation!"}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(items(window->Alert(i)), (QStringList{"No Alert", "Beep", "Popup Message!"}));
    QStringList labels, frames;
    for (const QLabel* label : window->findChildren<QLabel*>()) labels << label->text();
    for (const QGroupBox* frame : window->findChildren<QGroupBox*>()) frames << frame->title();
    for (const char* text : {"Define message to appear on the handheld when certain meters or accounts are being read.",
                             "Define codes to be used for meter changeouts.", "Define reasons for not reading a meter.",
                             "Index Control", "Outside expected range", "Rollover", "Tamper"})
        EXPECT_TRUE(labels.contains(text)) << text;
    frames.sort();
    EXPECT_EQ(frames, (QStringList{"Alerts", "Excluded Words/Tokens"}));
    EXPECT_EQ(window->UseLogin()->text(), "Use Login Security");
    EXPECT_EQ(window->CloseButton()->text(), "Close");
    EXPECT_TRUE(window->CloseButton()->isDefault());
    EXPECT_FALSE(window->AddButton(frmAdvanced::kLogins)->autoDefault()) << "Enter adds nothing by surprise";
}

TEST_F(AdvancedWindowTest, FirstVisitChoosesTheFirstTypeAndTheChoiceStays) {
    advanced_.AddChangeout("RC", "01", "Broken");
    advanced_.AddChangeout("MT", "W", "Water");
    advanced_.AddChangeout("MT", "G", "Gas");
    auto window = Open();
    EXPECT_EQ(window->SelectedType(frmAdvanced::kChangeouts), "");
    window->Tabs()->setCurrentIndex(frmAdvanced::kChangeouts);
    EXPECT_TRUE(window->TypeOption(frmAdvanced::kChangeouts, 0)->isChecked());
    EXPECT_EQ(Lines(window->List(frmAdvanced::kChangeouts)), Strings{"01\tBroken"});

    test::ClickMark(window->TypeOption(frmAdvanced::kChangeouts, 1));
    EXPECT_EQ(window->SelectedType(frmAdvanced::kChangeouts), "MT");
    EXPECT_EQ(Lines(window->List(frmAdvanced::kChangeouts)), (Strings{"W\tWater", "G\tGas"}));
    window->Tabs()->setCurrentIndex(frmAdvanced::kSkips);
    window->Tabs()->setCurrentIndex(frmAdvanced::kChangeouts);
    EXPECT_TRUE(window->TypeOption(frmAdvanced::kChangeouts, 1)->isChecked());
    EXPECT_EQ(window->SelectedType(frmAdvanced::kChangeouts), "MT");
    EXPECT_EQ(Lines(window->List(frmAdvanced::kChangeouts)), (Strings{"W\tWater", "G\tGas"}));

    window->Tabs()->setCurrentIndex(frmAdvanced::kMessages);
    EXPECT_EQ(window->SelectedType(frmAdvanced::kMessages), "Account");
    window->Tabs()->setCurrentIndex(frmAdvanced::kIndex);
    EXPECT_EQ(window->SelectedType(frmAdvanced::kIndex), "Address");
    EXPECT_EQ(Lines(window->List(frmAdvanced::kIndex)), (Strings{"RD", "ST", "LN", "CT", "BLVD", "CIR", "AVE"}));
    test::ClickMark(window->TypeOption(frmAdvanced::kIndex, 1));
    EXPECT_EQ(Lines(window->List(frmAdvanced::kIndex)).front(), "CO");
}

TEST_F(AdvancedWindowTest, ListsShowTheirLinesInColumnsAndTheTypeChosen) {
    advanced_.AddMessage("TagNbr", "0412", "T7", "Gate code");
    advanced_.AddMessage("Account", "ANY", "1001", "Dog");
    advanced_.AddSkip("LONG", "A description of more than thirty characters");
    advanced_.AddFavorite("Reader 1", "/units/r1.pdb");
    auto window = Open(frmAdvanced::kMessages);
    EXPECT_EQ(Lines(window->List(frmAdvanced::kMessages)), Strings{"ANY\t1001"});
    test::ClickMark(window->TypeOption(frmAdvanced::kMessages, 2));
    EXPECT_EQ(Lines(window->List(frmAdvanced::kMessages)), Strings{"0412\tT7"});
    window->Tabs()->setCurrentIndex(frmAdvanced::kSkips);
    EXPECT_EQ(Lines(window->List(frmAdvanced::kSkips)), Strings{"LONG\tA description of more than thi"});
    window->Tabs()->setCurrentIndex(frmAdvanced::kFavorites);
    EXPECT_EQ(Lines(window->List(frmAdvanced::kFavorites)), Strings{"Reader 1\t/units/r1.pdb"});

    // The columns line up at 40 dialog units at least, and reach assistive technology as columns.
    for (const Tab tab :
         {frmAdvanced::kMessages, frmAdvanced::kChangeouts, frmAdvanced::kSkips, frmAdvanced::kFavorites}) {
        ColumnList* list = window->List(tab);
        EXPECT_GE(list->columnWidth(0), 10 * list->fontMetrics().averageCharWidth());
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(list);
        ASSERT_NE(face, nullptr);
        ASSERT_NE(face->tableInterface(), nullptr);
        EXPECT_EQ(face->tableInterface()->columnCount(), 2);
        EXPECT_FALSE(face->text(QAccessible::Name).isEmpty());
    }
    QAccessibleInterface* skips = QAccessible::queryAccessibleInterface(window->List(frmAdvanced::kSkips));
    EXPECT_EQ(skips->tableInterface()->cellAt(0, 1)->text(QAccessible::Name), "A description of more than thi");
}

TEST_F(AdvancedWindowTest, ClickingALineEnablesEditAndADoubleClickEdits) {
    advanced_.AddLogin("Boss", "secret", "S");
    advanced_.AddLogin("Reader", "pw", "");
    auto window = Open();
    ColumnList* list = window->List(frmAdvanced::kLogins);
    EXPECT_EQ(Lines(list), (Strings{"Boss", "Reader"}));
    EXPECT_FALSE(window->EditButton(frmAdvanced::kLogins)->isEnabled());
    ClickLine(list, 1);
    EXPECT_TRUE(window->EditButton(frmAdvanced::kLogins)->isEnabled());

    std::string opened;
    test::WhenModal<frmAdvLogin>([&](frmAdvLogin* d) {
        opened = d->LoginId()->text().toStdString();
        Click(d->CancelButton());
    });
    test::DoubleClickLine(list, 0);
    EXPECT_EQ(opened, "Boss");
    EXPECT_FALSE(window->EditButton(frmAdvanced::kLogins)->isEnabled()) << "the tab was refreshed";
}

TEST_F(AdvancedWindowTest, ADeletedLoginLeavesTheList) {
    advanced_.AddLogin("Boss", "secret", "S");
    advanced_.AddLogin("Reader", "pw", "");
    auto window = Open();
    fake_.yesNoAnswers = {true};
    ClickLine(window->List(frmAdvanced::kLogins), 1);
    test::WhenModal<frmAdvLogin>([](frmAdvLogin* d) { Click(d->DeleteButton()); });
    Click(window->EditButton(frmAdvanced::kLogins));
    EXPECT_EQ(Lines(window->List(frmAdvanced::kLogins)), Strings{"Boss"});
    EXPECT_EQ(advanced_.List(clsAdvanced::kLogins).Count(), 2) << "the store keeps the entry until it is reloaded";
    EXPECT_EQ(Calls(), Strings{"AskYesNo(Delete Login|Are you sure?)"});
}

TEST_F(AdvancedWindowTest, TwoHotSyncUsersAndNoFavorites) {
    HotSyncDesktop desktop(home_.Path());
    desktop.UmAddUser("Reader 2", 0);
    desktop.UmAddUser("Reader 1", 0);
    advanced_.UseFavorite(true);
    auto window = Open(frmAdvanced::kFavorites);
    EXPECT_EQ(Lines(window->List(frmAdvanced::kFavorites)), (Strings{"Reader 1", "Reader 2"}));
    EXPECT_FALSE(window->UseFavorite()->isEnabled());
    EXPECT_FALSE(window->UseFavorite()->isChecked());
    EXPECT_EQ(window->UseFavorite()->text(),
              "Use Favorites to select readings file by handheld unit.\n(Define some paths first)");
    EXPECT_FALSE(advanced_.UseFavorite());

    // Editing a user's line gives that unit its favorite; the box may then be used.
    ClickLine(window->List(frmAdvanced::kFavorites), 1);
    test::WhenModal<frmAdvFavorite>([](frmAdvFavorite* d) {
        EXPECT_EQ(d->UnitId()->text(), "Reader 2");
        d->PathName()->setText("/units/r2.pdb");
        Click(d->SaveButton());
    });
    Click(window->EditButton(frmAdvanced::kFavorites));
    EXPECT_EQ(Lines(window->List(frmAdvanced::kFavorites)), (Strings{"Reader 2\t/units/r2.pdb", "Reader 1"}));
    EXPECT_TRUE(window->UseFavorite()->isEnabled());
    EXPECT_EQ(window->UseFavorite()->text(), "Use Favorites to select readings file by handheld unit.");
    test::ClickMark(window->UseFavorite());
    EXPECT_TRUE(advanced_.UseFavorite());
}

TEST_F(AdvancedWindowTest, BoxesWriteAtOnceButARefreshWritesNothingBack) {
    advanced_.AlertTamper(2);
    advanced_.IndexControl(0);
    advanced_.AddFavorite("Reader 1", "/units/r1.pdb");  // so the favorites rule leaves the switch alone
    advanced_.SaveValues();
    const Strings keysBefore = clsRegistry(store_).GetKeys({kLocalMachine, kSettingsKey});
    {
        auto window = Open();
        for (int tab = 0; tab < 7; ++tab) window->Tabs()->setCurrentIndex(tab);
        EXPECT_EQ(window->Alert(2)->currentIndex(), 2);
        EXPECT_EQ(window->IndexControl()->currentIndex(), 0);
        Click(window->CloseButton());
    }
    EXPECT_EQ(clsRegistry(store_).GetKeys({kLocalMachine, kSettingsKey}), keysBefore)
        << "showing the values saved nothing";
    EXPECT_EQ(Stored("LoginSetup", "UseLogin"), "");

    auto window = Open();
    test::ClickMark(window->UseLogin());
    EXPECT_TRUE(advanced_.UseLoginSecurity());
    window->Tabs()->setCurrentIndex(frmAdvanced::kIndex);
    window->IndexControl()->setCurrentIndex(2);
    EXPECT_EQ(advanced_.IndexControl(), 2);
    window->Tabs()->setCurrentIndex(frmAdvanced::kPrefs);
    window->Alert(0)->setCurrentIndex(1);
    window->Alert(1)->setCurrentIndex(2);
    EXPECT_EQ(advanced_.AlertOutOfBounds(), 1);
    EXPECT_EQ(advanced_.AlertRollover(), 2);
    QTest::keyClick(window.get(), Qt::Key_Escape);  // closing by Esc saves too
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(Stored("LoginSetup", "UseLogin"), "Y");
    EXPECT_EQ(Stored("Token", "IndexControl"), "2");
    EXPECT_EQ(Stored("OperPrefs", "AlertOutOfBounds") + Stored("OperPrefs", "AlertRollover") +
                  Stored("OperPrefs", "AlertTamper"),
              "122");
}

TEST_F(AdvancedWindowTest, AFullListSaysSoInsteadOfEndingTheProgram) {
    for (int i = 0; i < 32767; ++i) advanced_.AddSkip("S" + std::to_string(i), "");
    auto window = Open(frmAdvanced::kSkips);
    EXPECT_EQ(window->List(frmAdvanced::kSkips)->LineCount(), 32767);
    test::WhenModal<frmAdvSkip>([](frmAdvSkip* d) {
        d->Code()->setText("ONE MORE");
        d->Description()->setText("Too many");
        Click(d->SaveButton());
    });
    Click(window->AddButton(frmAdvanced::kSkips));
    EXPECT_EQ(Calls(), Strings{"ShowMessage(Error|Overflow)"});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->List(frmAdvanced::kSkips)->LineCount(), 32767);
}

TEST_F(AdvancedWindowTest, AStoredValueOutsideTheChoicesShowsNoChoice) {
    advanced_.AlertRollover(7);
    auto window = Open(frmAdvanced::kPrefs);
    EXPECT_EQ(window->Alert(1)->currentIndex(), -1);
    EXPECT_EQ(advanced_.AlertRollover(), 7);
}

TEST_F(AdvancedWindowTest, CtrlTabGoesRoundTheTabs) {
    auto window = Open();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    std::vector<int> seen;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(window->CloseButton(), Qt::Key_Tab, Qt::ControlModifier);
        seen.push_back(window->Tabs()->currentIndex());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 0}));
    QTest::keyClick(window->CloseButton(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window->Tabs()->currentIndex(), 6);
}

TEST_F(AdvancedWindowTest, CloseSavesWhatWasAddedForTheCommandLineToShow) {
    auto window = Open();
    test::WhenModal<frmAdvLogin>([](frmAdvLogin* d) {
        d->LoginId()->setText("Chief");
        d->Password()->setText("pw");
        d->Supervisor()->setChecked(true);
        Click(d->SaveButton());
    });
    Click(window->AddButton(frmAdvanced::kLogins));
    window->Tabs()->setCurrentIndex(frmAdvanced::kMessages);
    test::WhenModal<frmAdvMessage>([](frmAdvMessage* d) {
        d->Any()->setChecked(true);
        d->MeterId()->setText("1001");
        d->Message()->setText("Beware of the dog");
        Click(d->SaveButton());
    });
    Click(window->AddButton(frmAdvanced::kMessages));
    EXPECT_EQ(Lines(window->List(frmAdvanced::kMessages)), Strings{"ANY\t1001"});
    window->Tabs()->setCurrentIndex(frmAdvanced::kSkips);
    test::WhenModal<frmAdvSkip>([](frmAdvSkip* d) {
        d->Code()->setText("NA");
        d->Description()->setText("No access");
        Click(d->SaveButton());
    });
    Click(window->AddButton(frmAdvanced::kSkips));
    Click(window->CloseButton());
    EXPECT_TRUE(Calls().empty());

    std::string out;
    ASSERT_EQ(test::RunCommand("'" + std::string(ZAV_BINARY) + "' --home '" + home_.Path().string() + "' advanced show",
                               &out),
              0);
    for (const char* line :
         {"  Chief  \"pw\"  \"S\"\n", "  ANY||1001  \"Beware of the dog\"\n", "  NA  \"No access\"\n"})
        EXPECT_NE(out.find(line), std::string::npos) << line << "\n" << out;
}

TEST_F(AdvancedWindowTest, EveryControlHasAnAccessibleName) {
    auto window = Open();
    QWidget* tabBar = window->Tabs()->findChild<QTabBar*>();
    EXPECT_EQ(test::TabOrder(window.get(), tabBar),
              (Strings{"qt_tabwidget_tabbar", "chkUseLogin", "lstLogin", "cmdAddLogin", "cmdClose"}));
    window->Tabs()->setCurrentIndex(frmAdvanced::kIndex);
    EXPECT_EQ(test::TabOrder(window.get(), tabBar), (Strings{"qt_tabwidget_tabbar", "cboIndexControl", "optTokenType0",
                                                             "optTokenType1", "lstToken", "cmdAddToken", "cmdClose"}));
    EXPECT_EQ(test::UnnamedControls(window.get()), Strings{});
    // A combo box shows its choice as its name; its caption reaches assistive technology as its label.
    const std::pair<QComboBox*, const char*> boxes[] = {{window->IndexControl(), "Index Control"},
                                                        {window->Alert(0), "Outside expected range"},
                                                        {window->Alert(1), "Rollover"},
                                                        {window->Alert(2), "Tamper"}};
    for (const auto& [box, caption] : boxes) {
        QStringList labels;  // its caption, and the frame it stands in
        for (const auto& [label, relation] : QAccessible::queryAccessibleInterface(box)->relations(QAccessible::Label))
            labels << label->text(QAccessible::Name);
        EXPECT_TRUE(labels.contains(caption)) << caption;
    }
}

}  // namespace
}  // namespace zav
