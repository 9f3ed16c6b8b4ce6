#include "ui/frm_adv_dialogs.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>

#include "advanced/advanced.h"
#include "ui/qt_text.h"

namespace zav {

// ---- frmAdvLogin ----

frmAdvLogin::frmAdvLogin(clsAdvanced& advanced, QWidget* parent)
    : AdvEditDialog(advanced, "frmAdvLogin", "Login", "Delete Login", parent) {
    txtLoginId_ = AddTextField("txtLoginID", "Login ID:");
    txtPassword_ = AddTextField("txtPassword", "Password:");
    txtPassword_->setEchoMode(QLineEdit::PasswordEchoOnEdit);  // hidden unless being typed
    chkSupervisor_ = new QCheckBox("Is Supervisor", this);
    chkSupervisor_->setObjectName("chkSupervisor");
    Form()->addRow(QString(), chkSupervisor_);
}

std::string frmAdvLogin::Display(AdvMode mode, const std::string& UserID) {
    std::string id = UserID, password, data;
    if (mode == AdvMode::Edit) advanced_.GetLogin(AdvIndex(UserID), id, password, data);
    txtLoginId_->setText(ToQt(mode == AdvMode::Edit ? id : std::string()));
    txtPassword_->setText(ToQt(password));
    chkSupervisor_->setChecked(HasSupervisorMark(data));
    return Run(mode, {txtLoginId_});
}

bool frmAdvLogin::CheckSave() {
    if (!Required(txtLoginId_, "Login ID is required")) return false;
    if (!IsEdit() && !Joinable(txtLoginId_, "Login ID")) return false;
    if (!Required(txtPassword_, "Password is required")) return false;
    if (!Joinable(txtPassword_, "Password")) return false;
    std::string id, password, data;
    if (!IsEdit() && advanced_.GetLogin(AdvIndex(Typed(txtLoginId_)), id, password, data) >= 0)
        return Refuse(txtLoginId_, "Already have a login with this ID");
    return true;
}

void frmAdvLogin::Apply(const std::string& result) {
    const std::string id = Typed(txtLoginId_);
    if (result == "Delete") {
        advanced_.DeleteLogin(id);
        return;
    }
    // The data text holds the supervisor mark only: other letters a stored data text held are not kept.
    const std::string data = chkSupervisor_->isChecked() ? "S" : "";
    if (IsEdit())
        advanced_.UpdateLogin(id, Typed(txtPassword_), data);
    else
        advanced_.AddLogin(id, Typed(txtPassword_), data);
}

// ---- the code dialogs: frmAdvChangeout, frmAdvSkip ----

AdvCodeDialog::AdvCodeDialog(clsAdvanced& advanced, const char* objectName, const char* caption,
                             const char* descriptionCaption, const char* deleteTitle, QWidget* parent)
    : AdvEditDialog(advanced, objectName, caption, deleteTitle, parent) {
    txtCode_ = AddTextField("txtCode", "Code:");
    txtDescription_ = AddTextField("txtDescription", descriptionCaption);
}

std::string AdvCodeDialog::Show(AdvMode mode, const std::string& code) {
    std::string key = code, description;
    if (mode == AdvMode::Edit) Get(code, key, description);
    txtCode_->setText(ToQt(mode == AdvMode::Edit ? key : std::string()));
    txtDescription_->setText(ToQt(description));
    return Run(mode, {txtCode_});
}

bool AdvCodeDialog::CheckSave() {
    if (!Required(txtCode_, "Code is required")) return false;
    if (!Required(txtDescription_, "Description is required")) return false;
    std::string key, description;
    if (!IsEdit() && Get(Typed(txtCode_), key, description) >= 0) return Refuse(txtCode_, "Already have this Code");
    return true;
}

frmAdvChangeout::frmAdvChangeout(clsAdvanced& advanced, QWidget* parent)
    : AdvCodeDialog(advanced, "frmAdvChangeout", "Changeout", "Description:", "Delete Changeout", parent) {}

std::string frmAdvChangeout::Display(AdvMode mode, const std::string& ChangeoutType, const std::string& Code) {
    type_ = ChangeoutType;
    return Show(mode, Code);
}

std::int16_t frmAdvChangeout::Get(const std::string& code, std::string& key, std::string& description) const {
    return advanced_.GetChangeout(type_, AdvIndex(code), key, description);
}

void frmAdvChangeout::Apply(const std::string& result) {
    const std::string code = Typed(Code());
    if (result == "Delete")
        advanced_.DeleteChangeout(type_, code);
    else if (IsEdit())
        advanced_.UpdateChangeout(type_, code, Typed(Description()));
    else
        advanced_.AddChangeout(type_, code, Typed(Description()));
}

frmAdvSkip::frmAdvSkip(clsAdvanced& advanced, QWidget* parent)
    : AdvCodeDialog(advanced, "frmAdvSkip", "Skip", "Reason Skipped:", "Delete Skip", parent) {}

std::string frmAdvSkip::Display(AdvMode mode, const std::string& Code) { return Show(mode, Code); }

std::int16_t frmAdvSkip::Get(const std::string& code, std::string& key, std::string& description) const {
    return advanced_.GetSkip(AdvIndex(code), key, description);
}

void frmAdvSkip::Apply(const std::string& result) {
    const std::string code = Typed(Code());
    if (result == "Delete")
        advanced_.DeleteSkip(code);
    else if (IsEdit())
        advanced_.UpdateSkip(code, Typed(Description()));
    else
        advanced_.AddSkip(code, Typed(Description()));
}

// ---- frmAdvToken ----

frmAdvToken::frmAdvToken(clsAdvanced& advanced, QWidget* parent)
    : AdvEditDialog(advanced, "frmAdvToken", "Token", "Delete Token", parent) {
    txtToken_ = AddTextField("txtToken", "Token:");
}

std::string frmAdvToken::Display(AdvMode mode, const std::string& TokenType, const std::string& Token) {
    type_ = TokenType;
    std::string key = Token;
    if (mode == AdvMode::Edit) advanced_.GetToken(type_, AdvIndex(Token), key);
    txtToken_->setText(ToQt(mode == AdvMode::Edit ? key : std::string()));
    return Run(mode, {txtToken_});
}

bool frmAdvToken::CheckSave() {
    if (!Required(txtToken_, "Address Token is required")) return false;
    std::string key;
    if (!IsEdit() && advanced_.GetToken(type_, AdvIndex(Typed(txtToken_)), key) >= 0)
        return Refuse(txtToken_, "Already have this Token");
    return true;
}

void frmAdvToken::Apply(const std::string& result) {
    if (result == "Delete")
        advanced_.DeleteToken(type_, Typed(txtToken_));
    else if (!IsEdit())
        advanced_.AddToken(type_, Typed(txtToken_));
}

}  // namespace zav
