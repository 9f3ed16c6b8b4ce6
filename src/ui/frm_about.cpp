#include "ui/frm_about.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/identity.h"
#include "ui/frm_splash.h"
#include "ui/qt_text.h"

namespace zav {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle("About " + ToQt(kProductName));
    const QStringList texts = SplashTexts();  // version, product, company, legal notice, description
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 20, 24, 16);
    column->setSpacing(6);
    auto addLabel = [this, column](const QString& text, const char* name) {
        auto* label = new QLabel(text, this);
        label->setObjectName(name);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        column->addWidget(label);
        return label;
    };
    QLabel* product = addLabel(texts[1], "lblProductName");
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    product->setFont(big);
    addLabel(texts[0], "lblVersion");
    column->addSpacing(8);
    addLabel(texts[4], "lblDescription");
    addLabel(texts[2], "lblCompany");
    addLabel(texts[3], "lblCopyright");
    column->addSpacing(8);
    addLabel("Qt " + QString::fromLatin1(qVersion()), "lblQtVersion");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("cmdOK");
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    buttons->button(QDialogButtonBox::Ok)->setIcon(QIcon());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    column->addSpacing(8);
    column->addWidget(buttons);
    setFixedSize(sizeHint());
}

}  // namespace zav
