#include "ui/frm_login.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "advanced/advanced.h"
#include "core/frontend.h"
#include "core/text.h"
#include "ui/qt_text.h"

namespace zav {

LoginCheck CheckLogin(const clsAdvanced& advanced, const std::string& userId, const std::string& password) {
    const std::string user(Trim(userId));
    const std::string typed(Trim(password));
    if (user.empty()) return LoginCheck::UserMissing;
    if (typed.empty()) return LoginCheck::PasswordMissing;
    std::string id, stored, data;
    if (advanced.GetLogin(AdvIndex(user), id, stored, data) < 0 || !EqualsNoCase(typed, stored))
        return LoginCheck::Invalid;
    return HasSupervisorMark(data) ? LoginCheck::Supervisor : LoginCheck::NotSupervisor;
}

frmLogin::frmLogin(const clsAdvanced& advanced, QWidget* parent)
    : QDialog(parent), advanced_(advanced), txtUserId_(new QLineEdit(this)), txtPassword_(new QLineEdit(this)) {
    setObjectName("frmLogin");
    setWindowTitle("Login");
    txtUserId_->setObjectName("txtUserName");
    txtPassword_->setObjectName("txtPassword");
    txtPassword_->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout;
    auto* userLabel = new QLabel("&User ID:", this);
    auto* passwordLabel = new QLabel("&Password:", this);
    userLabel->setBuddy(txtUserId_);
    passwordLabel->setBuddy(txtPassword_);
    form->addRow(userLabel, txtUserId_);
    form->addRow(passwordLabel, txtPassword_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    ok->setObjectName("cmdOK");
    cancel->setObjectName("cmdCancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmLogin::OnOk);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addWidget(buttons);
    txtUserId_->setMinimumWidth(txtUserId_->fontMetrics().horizontalAdvance(QString(24, 'x')));
}

void frmLogin::OnOk() {
    switch (CheckLogin(advanced_, FromQt(txtUserId_->text()), FromQt(txtPassword_->text()))) {
        case LoginCheck::Supervisor:
            loggedIn_ = true;
            accept();
            return;
        case LoginCheck::UserMissing:
            CurrentFrontend().ShowMessage("Login Required!", "Login");
            txtUserId_->setFocus();
            return;
        case LoginCheck::PasswordMissing:
            CurrentFrontend().ShowMessage("Password Required!", "Login");
            txtPassword_->setFocus();
            return;
        case LoginCheck::NotSupervisor:
            CurrentFrontend().ShowMessage("Not a supervisor!", "Login");
            break;
        case LoginCheck::Invalid:
            CurrentFrontend().ShowMessage("Invalid User ID or Password, try again!", "Login");
            break;
    }
    txtPassword_->setFocus();
    txtPassword_->selectAll();
}

bool frmLogin::Display() {
    loggedIn_ = false;
    exec();
    return loggedIn_;
}

}  // namespace zav
