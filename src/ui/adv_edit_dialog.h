// The pattern the six edit dialogs of the advanced options share: fields in a form, the buttons "Save",
// "Cancel" and "Delete", and Display(mode, key...), which shows the dialog modally and, once it has
// hidden, makes the store call for the button that closed it ("Save", "Delete" or "Cancel").
//
// In mode Edit the key fields are disabled (an edit never changes a key) and "Delete" is enabled; in
// mode Add the key fields are open and "Delete" is disabled. "Save" runs the dialog's checks: a failed
// check says why in a message box and leaves the dialog open with the focus on the field concerned.
// "Delete" asks "Are you sure?" first.
#pragma once

#include <QDialog>
#include <initializer_list>
#include <string>
#include <vector>

class QFormLayout;
class QLineEdit;
class QPushButton;

namespace zav {

class clsAdvanced;

enum class AdvMode { Add, Edit };

class AdvEditDialog : public QDialog {
    Q_OBJECT
  public:
    QPushButton* SaveButton() const { return btnSave_; }
    QPushButton* CancelButton() const { return btnCancel_; }
    QPushButton* DeleteButton() const { return btnDelete_; }
    bool IsEdit() const { return mode_ == AdvMode::Edit; }

  protected:
    // `caption`: the window title; `deleteTitle`: the title of the delete question.
    AdvEditDialog(clsAdvanced& advanced, const char* objectName, const char* caption, const char* deleteTitle,
                  QWidget* parent);

    // The form the dialog's fields go in (label and field per row, the label the field's buddy).
    QFormLayout* Form() const { return form_; }
    QLineEdit* AddTextField(const char* objectName, const QString& caption);

    // Sets the mode (key fields and "Delete" as the mode wants; `deletable` false keeps "Delete" off when
    // there is nothing stored to delete), shows the dialog modally and makes the store call. Fields are
    // filled before.
    std::string Run(AdvMode mode, std::initializer_list<QWidget*> keyFields, bool deletable = true);

    // The checks "Save" runs, in order; false to keep the dialog open.
    virtual bool CheckSave() = 0;
    // The store call for "Save" or "Delete" (never for "Cancel").
    virtual void Apply(const std::string& result) = 0;

    // Says `message` (the application's title) and puts the focus on `field`. Returns false.
    bool Refuse(QWidget* field, const std::string& message);
    // False (after saying `message`) when the field is blank after trimming.
    bool Required(QLineEdit* field, const std::string& message);
    // False (after saying so, naming the field by `fieldName`) when the text holds the store's separator
    // "||", which would split it when the store is read again.
    bool Joinable(QLineEdit* field, const std::string& fieldName);
    // The field's text as typed, in the store's bytes.
    static std::string Typed(const QLineEdit* field);

    clsAdvanced& advanced_;

  private:
    // The keyboard goes through the fields row by row, then the buttons (which exist before the fields).
    // Returns the controls in that order.
    std::vector<QWidget*> OrderTabs();
    void OnSave();
    void OnDelete();

    QFormLayout* form_;
    QPushButton* btnSave_;
    QPushButton* btnCancel_;
    QPushButton* btnDelete_;
    std::string deleteTitle_;
    AdvMode mode_ = AdvMode::Add;
    std::string result_;
};

}  // namespace zav
