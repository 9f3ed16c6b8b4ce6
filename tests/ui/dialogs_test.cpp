// The small windows conversions and start-up need: runtime prompts, unit prompt, login.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "advanced/advanced.h"
#include "setup/registry_store.h"
#include "support/temp_dir.h"
#include "ui/frm_login.h"
#include "ui/frm_prompt_unit.h"
#include "ui/frm_prompt_variables.h"
#include "ui_support.h"

namespace zav {
namespace {

using Answers = std::vector<std::pair<std::string, std::string>>;

// Field data types of the map: 0 text, 1 integer, 2 long, 3 real, 4 date, 5 time.
const std::vector<PromptField> kFields = {
    {"ReadDate", 4, false}, {"Cycle", 1, true}, {"Message", 0, false}, {"Book", 2, false}, {"Route", 0, true},
};

TEST(PromptVariablesWindow, ShowsOneRowPerFieldWithBoxesForTextAndNumbers) {
    frmPromptVariables window(kFields, nullptr);
    EXPECT_EQ(window.windowTitle(), "Runtime Variables");
    QStringList labels;
    for (const QLabel* label : window.findChildren<QLabel*>()) labels << label->text();
    EXPECT_EQ(labels, (QStringList{"ReadDate", "Cycle", "Message", "Book", "Route"}));
    ASSERT_EQ(window.Boxes().size(), 4u);  // the date has none
    QStringList tags;
    for (const QLineEdit* box : window.Boxes()) tags << box->property("tag").toString();
    EXPECT_EQ(tags, (QStringList{"*Cycle", " Message", " Book", "*Route"}));
    EXPECT_EQ(window.Boxes()[0]->maxLength(), 3);
    EXPECT_EQ(window.Boxes()[2]->maxLength(), 5);
    EXPECT_EQ(window.findChild<QPushButton*>("cmdOK")->text(), "&OK");
    EXPECT_EQ(window.findChild<QPushButton*>("cmdCancel")->text(), "&Cancel");
}

TEST(PromptVariablesWindow, OkRefusesABlankRequiredFieldAndThenAnswers) {
    test::FakeFrontend fake;
    ScopedFrontend scoped(fake);
    frmPromptVariables window(kFields, nullptr);
    Answers answers;
    std::string result;
    test::WhenModal<frmPromptVariables>([&](frmPromptVariables* w) {
        w->Boxes()[1]->setText("Hello");
        w->Boxes()[3]->setText("  ");  // blank after trimming
        QTest::mouseClick(w->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        EXPECT_TRUE(w->isVisible());  // Cycle comes first: text boxes, then number boxes
        QTest::mouseClick(w->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        w->Boxes()[3]->setText("R12");
        QTest::mouseClick(w->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        EXPECT_TRUE(w->isVisible());
        w->Boxes()[0]->setText("7");
        QTest::mouseClick(w->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    });
    result = window.Display(answers);
    EXPECT_EQ(fake.calls,
              (std::vector<std::string>{"ShowMessage(Marquand|Route Required)", "ShowMessage(Marquand|Route Required)",
                                        "ShowMessage(Marquand|Cycle Required)"}));
    EXPECT_EQ(result, "OK");
    EXPECT_EQ(answers, (Answers{{"Cycle", "7"}, {"Message", "Hello"}, {"Book", ""}, {"Route", "R12"}}));
}

TEST(PromptVariablesWindow, CancelAndTheFrameAnswerCancelWithNothing) {
    for (const bool byFrame : {false, true}) {
        frmPromptVariables window(kFields, nullptr);
        test::WhenModal<frmPromptVariables>([byFrame](frmPromptVariables* w) {
            w->Boxes()[1]->setText("typed");
            if (byFrame)
                w->close();
            else
                QTest::mouseClick(w->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
        });
        Answers answers{{"old", "x"}};
        EXPECT_EQ(window.Display(answers), "CANCEL");
        EXPECT_TRUE(answers.empty());
    }
}

TEST(PromptVariablesWindow, NumberBoxesTakeOnlyDigitsPointAndMinus) {
    frmPromptVariables window(kFields, nullptr);
    QLineEdit* cycle = window.Boxes()[0];
    QLineEdit* book = window.Boxes()[2];
    QLineEdit* message = window.Boxes()[1];
    QTest::keyClicks(book, "1a2.-b 3");
    EXPECT_EQ(book->text(), "12.-3");
    QTest::keyClick(book, Qt::Key_Backspace);
    EXPECT_EQ(book->text(), "12.-");
    QTest::keyClicks(cycle, "98765");
    EXPECT_EQ(cycle->text(), "987");  // three characters for an integer
    QTest::keyClicks(message, "a1 b");
    EXPECT_EQ(message->text(), "a1 b");

    // Pasting with the keyboard shortcut is allowed.
    QGuiApplication::clipboard()->setText("45");
    cycle->clear();
    QTest::keyClick(cycle, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(cycle->text(), "45");
}

TEST(PromptVariablesWindow, KeyFilterTable) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        bool passes;
    };
    const Case cases[] = {
        {Qt::Key_5, Qt::NoModifier, "5", true},         {Qt::Key_Period, Qt::NoModifier, ".", true},
        {Qt::Key_Minus, Qt::NoModifier, "-", true},     {Qt::Key_Backspace, Qt::NoModifier, "\b", true},
        {Qt::Key_C, Qt::ControlModifier, "\x03", true}, {Qt::Key_X, Qt::ControlModifier, "\x18", true},
        {Qt::Key_V, Qt::ControlModifier, "\x16", true}, {Qt::Key_A, Qt::ControlModifier, "\x01", false},
        {Qt::Key_A, Qt::NoModifier, "a", false},        {Qt::Key_Plus, Qt::NoModifier, "+", false},
        {Qt::Key_Space, Qt::NoModifier, " ", false},    {Qt::Key_Left, Qt::NoModifier, "", true},
        {Qt::Key_Tab, Qt::NoModifier, "\t", true},      {Qt::Key_unknown, Qt::NoModifier, "\u0663", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumericBoxAcceptsKey(c.key, c.modifiers, c.text), c.passes) << c.text.toStdString();
}

TEST(UnitPromptWindow, InstallIsEnabledOnceAUnitIsChosen) {
    frmPromptUnit window({"Reader 1", "Reader 2"}, nullptr);
    EXPECT_EQ(window.windowTitle(), "Install To Unit");
    EXPECT_EQ(window.InstallButton()->text(), "&Install to Selected Unit");
    EXPECT_EQ(window.CancelButton()->text(), "&Cancel");
    std::string result;
    test::WhenModal<frmPromptUnit>([](frmPromptUnit* w) {
        EXPECT_FALSE(w->InstallButton()->isEnabled());
        EXPECT_EQ(w->Units()->count(), 2);
        QListWidget* list = w->Units();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        EXPECT_TRUE(w->InstallButton()->isEnabled());
        QTest::mouseClick(w->InstallButton(), Qt::LeftButton);
    });
    EXPECT_EQ(window.Display(), "Reader 2");
}

TEST(UnitPromptWindow, CancelEscAndTheFrameChooseNothing) {
    for (int way = 0; way < 3; ++way) {
        frmPromptUnit window({"Reader 1"}, nullptr);
        test::WhenModal<frmPromptUnit>([way](frmPromptUnit* w) {
            w->Units()->setCurrentRow(0);
            if (way == 0) QTest::mouseClick(w->CancelButton(), Qt::LeftButton);
            if (way == 1) QTest::keyClick(w, Qt::Key_Escape);
            if (way == 2) w->close();
        });
        EXPECT_EQ(window.Display(), "") << way;
    }
    frmPromptUnit empty({}, nullptr);  // no units: only Cancel can be used
    EXPECT_FALSE(empty.InstallButton()->isEnabled());
}

TEST(UnitPromptWindow, ListFillsTheWindowAboveTheButtons) {
    frmPromptUnit window({"Reader 1"}, nullptr);
    window.resize(400, 300);
    window.show();
    const int buttonHeight = window.InstallButton()->height();
    EXPECT_EQ(window.Units()->geometry(), QRect(0, 0, 400, 300 - 2 * buttonHeight));
    EXPECT_EQ(window.InstallButton()->y(), 300 - 2 * buttonHeight + buttonHeight / 2);
    EXPECT_EQ(window.CancelButton()->y(), window.InstallButton()->y());
}

class LoginTest : public ::testing::Test {
  protected:
    LoginTest() {
        advanced_.AddLogin("Boss", "secret", "S");
        advanced_.AddLogin("Reader", "secret", "");
        advanced_.AddLogin("Helper", "pw", "RX");
    }
    test::TempDir home_;
    RegistryStore store_{home_ / "registry.sqlite3"};
    clsAdvanced advanced_{store_, false};
};

TEST_F(LoginTest, OnlyASupervisorWithTheRightPasswordGetsIn) {
    struct Case {
        const char* user;
        const char* password;
        LoginCheck expected;
    };
    const Case cases[] = {
        {"Boss", "secret", LoginCheck::Supervisor},      {"  bOSS ", " SECRET ", LoginCheck::Supervisor},
        {"   ", "secret", LoginCheck::UserMissing},      {"Boss", "  ", LoginCheck::PasswordMissing},
        {"Reader", "secret", LoginCheck::NotSupervisor}, {"Helper", "pw", LoginCheck::NotSupervisor},
        {"Boss", "wrong", LoginCheck::Invalid},          {"Nobody", "secret", LoginCheck::Invalid},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckLogin(advanced_, c.user, c.password), c.expected) << c.user << "/" << c.password;
}

TEST_F(LoginTest, WindowRefusesANonSupervisorAndStays) {
    test::FakeFrontend fake;
    ScopedFrontend scoped(fake);
    frmLogin login(advanced_);
    EXPECT_EQ(login.windowTitle(), "Login");
    test::WhenModal<frmLogin>([](frmLogin* w) {
        QTest::mouseClick(w->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        w->UserId()->setText("Reader");
        w->Password()->setText("secret");
        QTest::mouseClick(w->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->Password()->selectedText(), "secret");
        w->Password()->setText("oops");
        QTest::mouseClick(w->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        QTest::mouseClick(w->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(login.Display());
    EXPECT_EQ(fake.calls,
              (std::vector<std::string>{"ShowMessage(Login|Login Required!)", "ShowMessage(Login|Not a supervisor!)",
                                        "ShowMessage(Login|Invalid User ID or Password, try again!)"}));

    test::WhenModal<frmLogin>([](frmLogin* w) {
        w->UserId()->setText("boss");
        w->Password()->setText("SECRET");
        QTest::mouseClick(w->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
    });
    EXPECT_TRUE(login.Display());
}

}  // namespace
}  // namespace zav
