// frmOptions, "Setup": the exchange settings in four tabs ("Route Conversion", "Re-Read Conversion",
// "Reading Conversion", "PRC/PDB Installation") over "OK", "Cancel" and "Apply". The window works on the
// one shared exchange object: "Apply" and "OK" write every control into it and save it; four controls
// of the last tab (the install and just-write options, "Prompt during Route ZAV Creation", "Keep copy in
// destination folder." and a click on a unit) change it at once, even when the window is then cancelled,
// but only "Apply" or "OK" saves them. From here the map editor makes and changes the maps.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "ui/qt_file_dialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace zav {

class clsExchange;

class frmOptions : public QDialog {
    Q_OBJECT
  public:
    // Loads the window: fills the unit list (an error there is shown and ends the list where it was),
    // copies the settings into the controls, fills the map lists and shows tab 1. The home folder of
    // `exchange` holds the maps and the HotSync users.
    explicit frmOptions(clsExchange& exchange, QWidget* parent = nullptr);

    // Shows the window modally until "OK", "Cancel" or its close box ends it.
    void Display();

    // The file dialogs of the "&Browse ..." buttons: the chosen path, or "" when cancelled.
    std::function<std::string(const FileDialogRequest&)> ChooseFile;
    // Opens the map editor for a map use, a map name ("" for a new map) and the use's map extension;
    // returns what the editor returns (the map's name, or "{DELETED}").
    std::function<std::string(int use, const std::string& name, const std::string& extension)> EditMap;

    // The number of the tab shown, 1 to 4.
    int SelectedTab() const;
    QTabWidget* Tabs() const { return tbsOptions_; }

    // Controls by map use (1 route, 2 re-read, 3 reading, 99 orphan); nullptr where a use has none
    // (the orphan use has no source and no format, the reading use no format).
    QLineEdit* SourceBox(int use) const { return Controls(use).source; }
    QLineEdit* DestinationBox(int use) const { return Controls(use).destination; }
    QComboBox* FormatBox(int use) const { return Controls(use).format; }
    QComboBox* MapBox(int use) const { return Controls(use).map; }
    QPushButton* EditMapButton(int use) const { return Controls(use).editMap; }
    QPushButton* NewMapButton(int use) const { return Controls(use).newMap; }
    QPushButton* BrowseSourceButton(int use) const { return Controls(use).browseSource; }
    QPushButton* BrowseDestinationButton(int use) const { return Controls(use).browseDestination; }

    // Tab 4: the install and just-write options, the unit list and its two check boxes.
    QRadioButton* InstallOption() const { return optInstall_; }
    QRadioButton* JustWriteOption() const { return optJustWrite_; }
    QListWidget* Units() const { return lstUnits_; }
    QCheckBox* PromptBox() const { return chkPrompt_; }
    QCheckBox* LeaveBox() const { return chkLeave_; }
    // Tab 3: the re-read and orphan switches, the orphan frame and its options.
    QCheckBox* AutoReReadBox() const { return chkAutoReRead_; }
    QCheckBox* OrphanConvertBox() const { return chkOrphanConvert_; }
    QGroupBox* OrphanFrame() const { return fraOrphans_; }
    QRadioButton* ReplaceOption() const { return optReplace_; }
    QRadioButton* AppendOption() const { return optAppend_; }

    QPushButton* OkButton() const { return cmdOK_; }
    QPushButton* CancelButton() const { return cmdCancel_; }
    QPushButton* ApplyButton() const { return cmdApply_; }

    // Writes every control into the exchange object, saves its settings and disables "Apply".
    void Apply();

  protected:
    void done(int result) override;

  private:
    struct UseControls {
        int use = 0;
        QLineEdit* source = nullptr;
        QLineEdit* destination = nullptr;
        QComboBox* format = nullptr;
        QComboBox* map = nullptr;
        QPushButton* browseSource = nullptr;
        QPushButton* browseDestination = nullptr;
        QPushButton* editMap = nullptr;
        QPushButton* newMap = nullptr;
    };
    const UseControls& Controls(int use) const;
    UseControls& Controls(int use);

    QWidget* BuildConversionPage(int use, const char* sourceCaption);
    QWidget* BuildReadingPage();
    QWidget* BuildInstallPage();
    void BuildButtons();
    // Adds the rows of one use's source, destination and map to a page or frame's grid.
    void AddFileRow(QGridLayout* grid, int row, const char* caption, QLineEdit*& box, QPushButton*& browse,
                    const char* name);
    void AddMapRow(QGridLayout* grid, int row, UseControls& c);
    void ConnectMapControls(UseControls& c);

    void FillUnits();
    void LoadControls();
    // Fills the map list of a use from the home folder and selects `wanted` (without regard to case).
    void FillMapBox(int use, const std::string& wanted);
    void UpdateInstallControls();
    // At least 6900 by 6060 twips, and never smaller than the controls shown need.
    void UpdateMinimumSize();
    void BrowseSource(int use);
    void BrowseDestination(int use);
    void OpenEditor(int use, bool newMap);

    clsExchange& exchange_;
    bool loading_ = false;
    QTabWidget* tbsOptions_;
    std::array<UseControls, 4> uses_{};
    QCheckBox* chkAutoReRead_ = nullptr;
    QCheckBox* chkOrphanConvert_ = nullptr;
    QGroupBox* fraOrphans_ = nullptr;
    QRadioButton* optReplace_ = nullptr;
    QRadioButton* optAppend_ = nullptr;
    QRadioButton* optInstall_ = nullptr;
    QRadioButton* optJustWrite_ = nullptr;
    QListWidget* lstUnits_ = nullptr;
    QCheckBox* chkPrompt_ = nullptr;
    QCheckBox* chkLeave_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdApply_ = nullptr;
};

// The filter of the ZAV file dialogs, and which of its filters fits a file name: 1 ".ZAV", 2 ".DAT",
// 3 ".PRC", 4 ".PDB" by the name's ending in any letter case; 0 when none does.
inline constexpr const char* kZavFileFilter =
    "ZAV Files (*.zav)|*.zav|DAT Files (*.dat)|*.dat|Palm Resource Files (*.prc)|*.prc|Palm Database Files "
    "(*.pdb)|*.pdb|All Files(*.*)|*.*";
inline constexpr const char* kAllFilesFilter = "All Files(*.*)|*.*";
int ZavFilterIndex(const std::string& fileName);

}  // namespace zav
