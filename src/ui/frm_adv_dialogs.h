// The six edit dialogs of the advanced options window, one per kind of entry. Each shows one entry of
// the store for adding (mode Add, empty fields) or editing (mode Edit, filled from the store by its key,
// the key fields disabled), and its Display makes the store call itself before returning the button
// that closed it: "Save", "Delete" or "Cancel".
//
// The texts the store joins with "||" (login ID, password, route number, meter ID) are refused when
// they hold "||" themselves, since the store would split them when it is read again.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "ui/adv_edit_dialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace zav {

struct FileDialogRequest;

// frmAdvLogin, "Login": "Login ID:", "Password:", "Is Supervisor" (the data text "S").
class frmAdvLogin : public AdvEditDialog {
    Q_OBJECT
  public:
    frmAdvLogin(clsAdvanced& advanced, QWidget* parent);
    std::string Display(AdvMode mode, const std::string& UserID);

    QLineEdit* LoginId() const { return txtLoginId_; }
    QLineEdit* Password() const { return txtPassword_; }
    QCheckBox* Supervisor() const { return chkSupervisor_; }

  protected:
    bool CheckSave() override;
    void Apply(const std::string& result) override;

  private:
    QLineEdit* txtLoginId_;
    QLineEdit* txtPassword_;
    QCheckBox* chkSupervisor_;
};

// The dialogs of a code and its description: changeout codes and skip reasons.
class AdvCodeDialog : public AdvEditDialog {
    Q_OBJECT
  public:
    QLineEdit* Code() const { return txtCode_; }
    QLineEdit* Description() const { return txtDescription_; }

  protected:
    AdvCodeDialog(clsAdvanced& advanced, const char* objectName, const char* caption, const char* descriptionCaption,
                  const char* deleteTitle, QWidget* parent);
    std::string Show(AdvMode mode, const std::string& code);
    bool CheckSave() override;

    // The store's get operation on this dialog's list, by code.
    virtual std::int16_t Get(const std::string& code, std::string& key, std::string& description) const = 0;

  private:
    QLineEdit* txtCode_;
    QLineEdit* txtDescription_;
};

// frmAdvChangeout, "Changeout": "Code:", "Description:", for the changeout type "RC", "MT", "MFG" or "MS".
class frmAdvChangeout : public AdvCodeDialog {
    Q_OBJECT
  public:
    frmAdvChangeout(clsAdvanced& advanced, QWidget* parent);
    std::string Display(AdvMode mode, const std::string& ChangeoutType, const std::string& Code);

  protected:
    std::int16_t Get(const std::string& code, std::string& key, std::string& description) const override;
    void Apply(const std::string& result) override;

  private:
    std::string type_;
};

// frmAdvSkip, "Skip": "Code:", "Reason Skipped:".
class frmAdvSkip : public AdvCodeDialog {
    Q_OBJECT
  public:
    frmAdvSkip(clsAdvanced& advanced, QWidget* parent);
    std::string Display(AdvMode mode, const std::string& Code);

  protected:
    std::int16_t Get(const std::string& code, std::string& key, std::string& description) const override;
    void Apply(const std::string& result) override;
};

// frmAdvToken, "Token": "Token:", for the token type "Address" or "Owner". A token has nothing to edit:
// mode Edit only offers deletion, and "Save" there changes nothing.
class frmAdvToken : public AdvEditDialog {
    Q_OBJECT
  public:
    frmAdvToken(clsAdvanced& advanced, QWidget* parent);
    std::string Display(AdvMode mode, const std::string& TokenType, const std::string& Token);

    QLineEdit* Token() const { return txtToken_; }

  protected:
    bool CheckSave() override;
    void Apply(const std::string& result) override;

  private:
    QLineEdit* txtToken_;
    std::string type_;
};

// frmAdvFavorite, "Favorite": "UnitID:", "PathName:" and "Browse..." (the readings file). Editing a unit
// that has no favorite yet (a HotSync user listed by name alone) adds its favorite when saved.
class frmAdvFavorite : public AdvEditDialog {
    Q_OBJECT
  public:
    // `home`: the program's folder, where "Browse..." starts.
    frmAdvFavorite(clsAdvanced& advanced, std::filesystem::path home, QWidget* parent);
    std::string Display(AdvMode mode, const std::string& UnitID);

    QLineEdit* UnitId() const { return txtUnitId_; }
    QLineEdit* PathName() const { return txtPathName_; }
    QPushButton* BrowseButton() const { return cmdBrowse_; }
    // The open-file dialog "Browse..." shows; "" when cancelled. Tests replace it.
    std::function<std::string(const FileDialogRequest& request)> ChooseFile;

  protected:
    bool CheckSave() override;
    void Apply(const std::string& result) override;

  private:
    void OnBrowse();

    std::filesystem::path home_;
    QLineEdit* txtUnitId_;
    QLineEdit* txtPathName_;
    QPushButton* cmdBrowse_;
};

// frmAdvMessage, "Message": "Route Number" with the check box "Any" (the route "ANY", every route),
// the meter ID under the caption of the message type ("Account", "SerialNbr" or "TagNbr"), "Message".
class frmAdvMessage : public AdvEditDialog {
    Q_OBJECT
  public:
    frmAdvMessage(clsAdvanced& advanced, QWidget* parent);
    std::string Display(AdvMode mode, const std::string& MessageType, const std::string& RouteNbr,
                        const std::string& MeterID);

    QLineEdit* RouteNbr() const { return txtRoute_; }
    QCheckBox* Any() const { return chkAny_; }
    QLineEdit* MeterId() const { return txtMeterId_; }
    QLabel* MeterIdLabel() const { return lblMeterId_; }
    QLineEdit* Message() const { return txtMessage_; }

  protected:
    bool CheckSave() override;
    void Apply(const std::string& result) override;

  private:
    void OnRouteEdited();
    void OnAnyToggled(bool on);
    // The route number saved: "ANY" when "Any" is checked, else as typed; in mode Edit the stored one.
    std::string Route() const;

    QLineEdit* txtRoute_;
    QCheckBox* chkAny_;
    QLabel* lblMeterId_;
    QLineEdit* txtMeterId_;
    QLineEdit* txtMessage_;
    std::string type_;
    std::string storedRoute_;  // mode Edit: the key's route number as the store holds it
};

}  // namespace zav
