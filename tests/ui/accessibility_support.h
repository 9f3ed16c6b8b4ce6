// Checks every window owes its users: each control the keyboard can reach has an accessible name, and
// the keyboard reaches the controls in a given order.
#pragma once

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QComboBox>
#include <QStringList>
#include <QWidget>
#include <ostream>

// Qt texts in test failures as text.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace zav::test {

// The controls below `window` that take the keyboard's focus but have no accessible name, as
// "objectName (class)". Parts of other controls (a combo box's text box, a list's viewport) are left out:
// their control speaks for them.
inline QStringList UnnamedControls(QWidget* window) {
    QStringList unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->window() != window) continue;  // not popups of its own
        QWidget* parent = w->parentWidget();
        if (qobject_cast<QComboBox*>(parent) || (parent && qobject_cast<QAbstractScrollArea*>(parent->parentWidget())))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << w->objectName() + " (" + w->metaObject()->className() + ")";
    }
    return unnamed;
}

// The object names of the named controls that Tab visits from `first`, in order, as far as the chain
// returns to `first` (only shown, enabled controls that take the focus by Tab; unnamed ones are skipped).
inline QStringList TabOrder(QWidget* first) {
    QStringList order;
    QWidget* w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && !w->objectName().isEmpty() &&
            !w->objectName().startsWith("qt_"))
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w && w != first);
    return order;
}

}  // namespace zav::test
