#include "ui/qt_frontend.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/frm_main.h"
#include "ui/frm_prompt_unit.h"
#include "ui/frm_prompt_variables.h"
#include "ui/qt_text.h"

namespace zav {

namespace {

// A question asked during a command shows the normal pointer, not the busy one.
class NormalPointer {
  public:
    NormalPointer() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~NormalPointer() { QApplication::restoreOverrideCursor(); }
    NormalPointer(const NormalPointer&) = delete;
    NormalPointer& operator=(const NormalPointer&) = delete;
};

}  // namespace

void QtFrontend::AttachMainWindow(frmMain* main) {
    main_ = main;
    if (!main_) return;
    for (const std::string& line : pending_) main_->AddLog(line);
    pending_.clear();
}

QWidget* QtFrontend::Owner() const {
    if (QWidget* active = QApplication::activeModalWidget()) return active;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return main_;
}

void QtFrontend::AddLog(const std::string& line) {
    if (main_)
        main_->AddLog(line);
    else
        pending_.push_back(line);
}

void QtFrontend::SetProgressButton(long max, long current) {
    if (main_) main_->SetProgressButton(max, current);
}

bool QtFrontend::AskYesNo(const std::string& title, const std::string& text, bool questionIcon) {
    NormalPointer pointer;
    QMessageBox box(questionIcon ? QMessageBox::Question : QMessageBox::NoIcon, ToQt(title), MessageText(text),
                    QMessageBox::Yes | QMessageBox::No, Owner());
    return box.exec() == QMessageBox::Yes;
}

void QtFrontend::ShowMessage(const std::string& text, const std::string& title) {
    NormalPointer pointer;
    QMessageBox box(title == "Error" ? QMessageBox::Critical : QMessageBox::Information, ToQt(title), MessageText(text),
                    QMessageBox::Ok, Owner());
    box.exec();
}

int QtFrontend::AbortRetryIgnore(const std::string& title, const std::string& text) {
    NormalPointer pointer;
    QMessageBox box(QMessageBox::Critical, ToQt(title), MessageText(text),
                    QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore, Owner());
    switch (box.exec()) {
        case QMessageBox::Retry:
            return kRetry;
        case QMessageBox::Ignore:
            return kIgnore;
        default:
            return kAbort;  // also when the box is closed by Esc
    }
}

std::string QtFrontend::PromptVariables(const std::vector<PromptField>& fields,
                                        std::vector<std::pair<std::string, std::string>>& answers) {
    NormalPointer pointer;
    frmPromptVariables window(fields, Owner());
    return window.Display(answers);
}

std::string QtFrontend::PromptUnit(const std::vector<std::string>& units) {
    NormalPointer pointer;
    frmPromptUnit window(units, Owner());
    return window.Display();
}

}  // namespace zav
