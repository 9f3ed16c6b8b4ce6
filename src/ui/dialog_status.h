// Dialog: the report engine's status window, a text and the button "&Cancel...". Shown without blocking
// while a report is laid out; pending window events run at each update, so Cancel can be pressed.
#pragma once

#include <QDialog>

#include "reports/rpt_engine.h"

class QLabel;
class QPushButton;

namespace zav {

class Dialog final : public QDialog, public StatusWindow {
    Q_OBJECT
  public:
    explicit Dialog(QWidget* parent = nullptr);

    // A text: shown (the window appears and comes to the front); an empty text closes the window and
    // clears Cancel. Returns whether Cancel was pressed.
    bool Status(const std::string& text) override;

    QLabel* Label() const { return lblStatus_; }
    QPushButton* CancelButton() const { return cmdCancel_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void CancelPressed();

    QLabel* lblStatus_;
    QPushButton* cmdCancel_;
    bool cancelled_ = false;
};

}  // namespace zav
