// frmUnitInstall, "Install to Unit(s)": the units (HotSync users) with a check box each (List1),
// "Include files required for Meazura" (chkMeazura, not remembered) and the buttons "&Install Unit(s)"
// (tag "INSTALL", enabled exactly while a unit is ticked) and "&Cancel" (tag "CANCEL", also Esc).
// Install schedules, for each ticked unit in list order, the edition's handheld program file and, when
// asked, the two Meazura support files; never a route database.
#pragma once

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;

namespace zav {

inline constexpr const char* kNoUnitsMessage =
    "Unable to locate any units!\r\nPerhaps the Palm Desktop software is not installed \r\n"
    "or is not set up for your login id?";

class frmUnitInstall : public QDialog {
    Q_OBJECT
  public:
    // `programFile`: the edition's handheld program file, taken from `home` as the Meazura files are.
    frmUnitInstall(std::filesystem::path home, std::string programFile, QWidget* parent = nullptr);

    // Lists the units of a fresh snapshot of the HotSync users; without any, says so and ends. Otherwise
    // shows the window modally and, when it closes with Install, runs InstallUnits. An error is shown
    // in a box ("Error") and ends the work; units already scheduled stay scheduled.
    void Display();
    // Schedules the files for each ticked unit, in list order.
    void InstallUnits();

    // The tag of the button that closed the window ("" when it was closed by its frame).
    const std::string& Tag() const { return tag_; }
    std::vector<std::string> TickedUnits() const;

    QListWidget* Units() const { return List1_; }
    QCheckBox* Meazura() const { return chkMeazura_; }
    QPushButton* InstallButton() const { return btnInstall_; }
    QPushButton* CancelButton() const { return btnCancel_; }

  private:
    void FillUnits(std::vector<std::string> names);

    std::filesystem::path home_;
    std::string programFile_;
    std::string tag_;
    std::vector<std::string> names_;  // the listed units, line by line (the names as the store holds them)
    QListWidget* List1_;
    QCheckBox* chkMeazura_;
    QPushButton* btnInstall_;
    QPushButton* btnCancel_;
};

}  // namespace zav
