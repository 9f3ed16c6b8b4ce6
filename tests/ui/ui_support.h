// Helpers for the desktop tests: a Frontend that shows the run log and progress in a real main window
// and records everything else as the scripted fake does, and a way to act on a modal window once open.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "support/fake_frontend.h"
#include "ui/frm_main.h"

namespace zav::test {

class WindowFrontend final : public Frontend {
  public:
    explicit WindowFrontend(frmMain& main) : main_(main) {}
    FakeFrontend fake;

    void AddLog(const std::string& line) override {
        fake.AddLog(line);
        main_.AddLog(line);
    }
    void SetProgressButton(long max, long current) override {
        fake.SetProgressButton(max, current);
        main_.SetProgressButton(max, current);
    }
    bool AskYesNo(const std::string& title, const std::string& text, bool icon) override {
        return fake.AskYesNo(title, text, icon);
    }
    void ShowMessage(const std::string& text, const std::string& title) override { fake.ShowMessage(text, title); }
    int AbortRetryIgnore(const std::string& title, const std::string& text) override {
        return fake.AbortRetryIgnore(title, text);
    }
    std::string PromptVariables(const std::vector<PromptField>& fields,
                                std::vector<std::pair<std::string, std::string>>& answers) override {
        return fake.PromptVariables(fields, answers);
    }
    std::string PromptUnit(const std::vector<std::string>& units) override { return fake.PromptUnit(units); }

  private:
    frmMain& main_;
};

// The texts of a combo box's items, in order.
inline QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

// Calls `act` with the modal window of type T as soon as one is open (polling the event loop that its
// exec() runs). Gives up, failing the test, after about ten seconds.
template <typename T>
void WhenModal(std::function<void(T*)> act, int triesLeft = 1000) {
    QTimer::singleShot(10, [act = std::move(act), triesLeft]() mutable {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            act(window);
            return;
        }
        if (triesLeft == 0) {
            ADD_FAILURE() << "no modal window of the expected kind opened";
            return;
        }
        WhenModal<T>(std::move(act), triesLeft - 1);
    });
}

}  // namespace zav::test
