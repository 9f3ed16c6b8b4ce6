// A one-line question: a prompt above a text box, "OK" and "Cancel".
#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;

namespace zav {

class InputBox : public QDialog {
    Q_OBJECT
  public:
    InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText, QWidget* parent);

    // Shows the box modally; the text typed, or nullopt when cancelled (Esc, "Cancel", the frame).
    std::optional<std::string> Display();

    QLineEdit* Box() const { return txtInput_; }

  private:
    QLabel* lblPrompt_;
    QLineEdit* txtInput_;
};

// Asks with an InputBox owned by `parent`.
std::optional<std::string> AskInput(QWidget* parent, const std::string& prompt, const std::string& title,
                                    const std::string& defaultText);

}  // namespace zav
