#include "ui/dialog_status.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/identity.h"
#include "ui/qt_text.h"

namespace zav {

Dialog::Dialog(QWidget* parent) : QDialog(parent) {
    setObjectName("Dialog");
    setWindowTitle(kAppTitle);
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName("lblStatus");
    lblStatus_->setMinimumWidth(260);
    lblStatus_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    cmdCancel_ = new QPushButton("&Cancel...", this);
    cmdCancel_->setObjectName("cmdCancel");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblStatus_);
    layout->addWidget(cmdCancel_, 0, Qt::AlignHCenter);
    connect(cmdCancel_, &QPushButton::clicked, this, &Dialog::CancelPressed);
}

void Dialog::CancelPressed() {
    if (cancelled_) return;
    cancelled_ = true;
    cmdCancel_->setEnabled(false);
    lblStatus_->setText("Cancelling...");
}

bool Dialog::Status(const std::string& text) {
    if (text.empty()) {
        cancelled_ = false;
        cmdCancel_->setEnabled(true);
        hide();
        return false;
    }
    if (!cancelled_) lblStatus_->setText(MessageText(text));
    if (!isVisible()) show();
    raise();
    QApplication::processEvents();
    return cancelled_;
}

void Dialog::closeEvent(QCloseEvent* event) {
    // Closing the window asks to cancel, as the button does.
    CancelPressed();
    event->ignore();
}

}  // namespace zav
