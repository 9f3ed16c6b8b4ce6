// frmPromptUnit, "Install To Unit": the units in a single-choice list (lstUnits) and the buttons
// "&Install to Selected Unit" (tag "INSTALL", the default button, enabled once a line is chosen) and
// "&Cancel" (tag "CANCEL", also Esc). The list fills the window's width and its height less two button
// heights; the buttons sit half a button height below it.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;

namespace zav {

class frmPromptUnit : public QDialog {
    Q_OBJECT
  public:
    frmPromptUnit(const std::vector<std::string>& units, QWidget* parent);

    // Shows the window modally; the chosen unit's name, or "" when cancelled or closed by its frame.
    std::string Display();

    QListWidget* Units() const { return lstUnits_; }
    QPushButton* InstallButton() const { return btnInstall_; }
    QPushButton* CancelButton() const { return btnCancel_; }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    QListWidget* lstUnits_;
    QPushButton* btnInstall_;
    QPushButton* btnCancel_;
    std::string result_;
};

}  // namespace zav
