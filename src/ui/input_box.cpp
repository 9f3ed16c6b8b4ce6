#include "ui/input_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/accessible_names.h"
#include "ui/qt_text.h"

namespace zav {

InputBox::InputBox(const std::string& prompt, const std::string& title, const std::string& defaultText, QWidget* parent)
    : QDialog(parent), lblPrompt_(new QLabel(ToQt(prompt), this)), txtInput_(new QLineEdit(ToQt(defaultText), this)) {
    setObjectName("frmInputBox");
    setWindowTitle(ToQt(title));
    txtInput_->setObjectName("txtInput");
    txtInput_->selectAll();
    SetBuddy(lblPrompt_, txtInput_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("cmdOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cmdCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrompt_);
    layout->addWidget(txtInput_);
    layout->addWidget(buttons);
    NameButtons(this);
    setMinimumWidth(320);
}

std::optional<std::string> InputBox::Display() {
    if (exec() != QDialog::Accepted) return std::nullopt;
    return FromQt(txtInput_->text());
}

std::optional<std::string> AskInput(QWidget* parent, const std::string& prompt, const std::string& title,
                                    const std::string& defaultText) {
    InputBox box(prompt, title, defaultText, parent);
    return box.Display();
}

}  // namespace zav
