#include "ui/frm_splash.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "core/identity.h"
#include "core/text.h"
#include "ui/program_icon.h"
#include "ui/qt_text.h"

namespace zav {

QStringList SplashTexts() {
    const std::string version = "Version " + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
                                std::to_string(kVersionRevision);
    return {ToQt(version), ToQt(kProductName), ToQt(kCompanyName), ToQt(ReplaceAll(kLegalCopyright, "(c)", "\xA9")),
            ToQt(ReplaceAll(kFileDescription, "(r)", "\xAE"))};
}

frmSplash::frmSplash() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("frmSplash");
    setAttribute(Qt::WA_DeleteOnClose, false);
    const QStringList texts = SplashTexts();
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Raised);
    frame->setLineWidth(2);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(32, 24, 32, 24);
    row->setSpacing(24);
    auto* logo = new QLabel(frame);
    logo->setObjectName("picLogo");
    logo->setPixmap(ProgramIcon().pixmap(96, 96));
    logo->setAccessibleName(ToQt(kProductName));
    row->addWidget(logo, 0, Qt::AlignTop);
    auto* column = new QVBoxLayout;
    row->addLayout(column);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    const char* names[] = {"lblVersion", "lblProductName", "lblCompany", "lblCopyright", "lblDescription"};
    for (int i = 0; i < texts.size(); ++i) {
        auto* label = new QLabel(texts[i], frame);
        label->setObjectName(names[i]);
        if (i == 1) {
            QFont big = label->font();
            big.setPointSizeF(big.pointSizeF() * 2.2);
            big.setBold(true);
            label->setFont(big);
        }
        column->addWidget(label, 0, i == 0 ? Qt::AlignRight : Qt::AlignLeft);
        if (i == 1) column->addSpacing(12);
    }
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QTimer::singleShot(kSplashMilliseconds, this, &QWidget::close);
}

void frmSplash::keyPressEvent(QKeyEvent*) { close(); }

void frmSplash::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

}  // namespace zav
