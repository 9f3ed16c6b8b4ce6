#include "ui/accessible_names.h"

#include <QAbstractButton>
#include <QLabel>

namespace zav {

QString PlainCaption(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;  // "&x" is x; "&&" is "&"
        plain += caption[i];
    }
    return plain;
}

void SetBuddy(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    control->setAccessibleName(PlainCaption(label->text()));
}

void NameByToolTip(QAbstractButton* button) { button->setAccessibleName(button->toolTip()); }

void NameButtons(QWidget* root) {
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (!button->accessibleName().isEmpty()) continue;
        const QString caption = PlainCaption(button->text());
        button->setAccessibleName(caption.isEmpty() ? button->toolTip() : caption);
    }
}

}  // namespace zav
