// Helpers for the tests of the advanced options windows: a store on a fresh settings file with the
// scripted Frontend installed, clicking list lines, and the accessibility check every window passes.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "advanced/advanced.h"
#include "core/identity.h"
#include "setup/registry_store.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"
#include "ui/column_list.h"
#include "ui_support.h"

namespace zav::test {

class AdvancedFixture : public ::testing::Test {
  protected:
    std::vector<std::string>& Calls() { return fake_.calls; }
    // The store's values of a section, as saved.
    std::string Stored(const std::string& section, const std::string& name) {
        return RegValueText(clsRegistry(store_).GetValue({kLocalMachine, kSettingsKey, section, name}));
    }

    TempDir home_;
    RegistryStore store_{home_ / "registry.sqlite3"};
    clsAdvanced advanced_{store_, false};
    FakeFrontend fake_;
    ScopedFrontend scoped_{fake_};
};

inline void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

// Clicks a check box or option button on its mark (a click elsewhere in a wide box misses its caption).
inline void ClickMark(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

inline void ClickLine(ColumnList* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(row)).center());
}

inline void DoubleClickLine(ColumnList* list, int row) {
    const QPoint at = list->visualItemRect(list->topLevelItem(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Every line of a list, its columns joined with tabs.
inline std::vector<std::string> Lines(const ColumnList* list) {
    std::vector<std::string> lines;
    for (int row = 0; row < list->LineCount(); ++row) {
        QStringList columns;
        for (int column = 0; column < list->columnCount(); ++column) columns << list->Text(row, column);
        while (columns.size() > 1 && columns.back().isEmpty()) columns.removeLast();
        lines.push_back(columns.join('\t').toStdString());
    }
    return lines;
}

// The controls of `window` a keyboard can reach that offer no accessible name (caption, buddy label,
// tooltip or name of their own).
inline std::vector<std::string> UnnamedControls(QWidget* window) {
    std::vector<std::string> unnamed;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || w->focusProxy()) continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed.push_back(w->metaObject()->className() + std::string(" ") + w->objectName().toStdString());
    }
    return unnamed;
}

// The object names of the controls the Tab key reaches in `window`, in order, from `first`.
inline std::vector<std::string> TabOrder(QWidget* window, QWidget* first) {
    std::vector<std::string> order;
    QWidget* w = first;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isEnabled() && w->isVisibleTo(window) &&
            w->window() == window)
            order.push_back(w->objectName().toStdString());
        w = w->nextInFocusChain();
    } while (w != first);
    return order;
}

}  // namespace zav::test
