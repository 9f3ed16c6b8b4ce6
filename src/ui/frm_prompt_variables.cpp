#include "ui/frm_prompt_variables.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "core/identity.h"
#include "exchange/prompts.h"
#include "ui/qt_text.h"

namespace zav {

namespace {
constexpr const char* kTagProperty = "tag";
}

bool NumericBoxAcceptsKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    if (key == Qt::Key_Backspace) return true;
    if (modifiers & Qt::ControlModifier) return key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_X;
    if (text.isEmpty() || !text.at(0).isPrint()) return true;  // types nothing
    for (const QChar c : text)
        if (!(c.isDigit() && c.unicode() < 0x80) && c != '.' && c != '-') return false;
    return true;
}

frmPromptVariables::frmPromptVariables(const std::vector<PromptField>& fields, QWidget* parent)
    : QDialog(parent), fields_(fields) {
    setObjectName("frmPromptVariables");
    setWindowTitle("Runtime Variables");
    auto* outer = new QVBoxLayout(this);
    auto* rows = new QGridLayout;
    outer->addLayout(rows);
    const QFontMetrics metrics(font());
    int row = 0;
    for (const PromptField& field : fields_) {
        rows->addWidget(new QLabel(ToQt(field.name), this), row, 0);
        if (HasPromptBox(field.dataType)) {
            auto* box = new QLineEdit(this);
            box->setProperty(kTagProperty, ToQt((field.required ? "*" : " ") + field.name));
            if (IsNumericPrompt(field.dataType)) {
                const int maxLength = static_cast<int>(NumericPromptMaxLength(field.dataType));
                box->setMaxLength(maxLength);
                // Wide enough for one digit more than the box takes.
                const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 8;
                box->setFixedWidth(metrics.horizontalAdvance(QString(maxLength + 1, '0')) + frame);
                box->installEventFilter(this);
                rows->addWidget(box, row, 1, Qt::AlignLeft);
            } else {
                box->setMinimumWidth(metrics.horizontalAdvance(QString(30, 'x')));
                rows->addWidget(box, row, 1);
            }
            boxes_.push_back(box);
        }
        ++row;
    }
    // Rows 1.25 box heights apart.
    rows->setVerticalSpacing(QLineEdit().sizeHint().height() / 4);
    rows->setColumnStretch(1, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* cancel = buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    QPushButton* ok = buttons->addButton("&OK", QDialogButtonBox::AcceptRole);
    cancel->setObjectName("cmdCancel");
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &frmPromptVariables::OnOk);
    connect(cancel, &QPushButton::clicked, this, [this] {
        answer_ = "CANCEL";
        reject();
    });
    outer->addStretch();
    outer->addWidget(buttons);
    setSizeGripEnabled(false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);  // fitted to the rows and the footer
}

std::vector<std::pair<std::string, std::string>> frmPromptVariables::Answers() const {
    std::vector<std::pair<std::string, std::string>> answers;
    for (const QLineEdit* box : boxes_)
        answers.emplace_back(FromQt(box->property(kTagProperty).toString().mid(1)), FromQt(box->text()));
    return answers;
}

void frmPromptVariables::OnOk() {
    if (const std::string refusal = PromptRefusal(fields_, Answers()); !refusal.empty()) {
        CurrentFrontend().ShowMessage(refusal, kAppTitle);
        return;
    }
    answer_ = "OK";
    accept();
}

std::string frmPromptVariables::Display(std::vector<std::pair<std::string, std::string>>& answers) {
    answer_ = "CANCEL";
    exec();
    answers.clear();
    if (answer_ == "OK") answers = Answers();
    return answer_;
}

bool frmPromptVariables::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!NumericBoxAcceptsKey(key->key(), key->modifiers(), key->text())) return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace zav
