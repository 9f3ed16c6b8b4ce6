// frmPromptVariables, "Runtime Variables": one row per prompted field of a map (its name, and a box for
// text and number fields; dates and times get none), then "&Cancel" and "&OK". A box's tag is "*" for
// a required field or " " otherwise, followed by the field name. Number boxes take only digits, ".",
// "-" and the editing keys, and no more characters than their type holds.
#pragma once

#include <QDialog>
#include <string>
#include <utility>
#include <vector>

#include "core/frontend.h"

class QLineEdit;

namespace zav {

class frmPromptVariables : public QDialog {
    Q_OBJECT
  public:
    frmPromptVariables(const std::vector<PromptField>& fields, QWidget* parent);

    // Shows the window modally; returns "OK" with one (name, text) pair per box in `answers`, or
    // "CANCEL" (also when the window is closed by its frame) with `answers` empty.
    std::string Display(std::vector<std::pair<std::string, std::string>>& answers);

    // The boxes in row order (for tests and the key filter).
    const std::vector<QLineEdit*>& Boxes() const { return boxes_; }
    // OK: the boxes pass the shared check (a required one must not be blank; a number box holds only
    // what it takes), or the first refusal is shown and the window stays.
    void OnOk();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::vector<std::pair<std::string, std::string>> Answers() const;

    std::vector<PromptField> fields_;
    std::vector<QLineEdit*> boxes_;
    std::string answer_ = "CANCEL";
};

// Whether a number box lets a key through: the digits, ".", "-", backspace and the copy, paste and cut
// shortcuts pass; every other key that would type a character is discarded. Keys that type nothing
// (arrows, Tab, Enter, Esc, Delete) are not the filter's business and pass.
bool NumericBoxAcceptsKey(int key, Qt::KeyboardModifiers modifiers, const QString& text);

}  // namespace zav
