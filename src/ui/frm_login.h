// frmLogin, "Login": the start-up gate when the advanced options ask for login security. Only a
// supervisor opens the program: a stored login whose password matches (ignoring case) and whose data
// text holds the supervisor mark, a capital "S".
#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace zav {

class clsAdvanced;

enum class LoginCheck { Supervisor, UserMissing, PasswordMissing, NotSupervisor, Invalid };

// Checks a login as typed (spaces are trimmed from both ends of each text).
LoginCheck CheckLogin(const clsAdvanced& advanced, const std::string& userId, const std::string& password);

class frmLogin : public QDialog {
    Q_OBJECT
  public:
    frmLogin(const clsAdvanced& advanced, QWidget* parent = nullptr);

    // Shows the window modally; true when a supervisor logged in, false when cancelled.
    bool Display();

    QLineEdit* UserId() const { return txtUserId_; }
    QLineEdit* Password() const { return txtPassword_; }
    // OK: logs in, or says why not ("Login" message box) and stays with the focus on the field concerned.
    void OnOk();

  private:
    const clsAdvanced& advanced_;
    QLineEdit* txtUserId_;
    QLineEdit* txtPassword_;
    bool loggedIn_ = false;
};

}  // namespace zav
