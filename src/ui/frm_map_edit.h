// frmMapEdit: the map editor. It makes, changes, saves under a new name and deletes one conversion map
// of a use. The lists offer only what applies to the map's use and type, and every change goes into the
// map object at once; "Save" and "Save As" write the map file, "Delete" removes it. The editor does not
// validate: a conversion validates the map it loads.
//
// Shown: "Type:", "Delimiter" and "Quote:" (delimited maps), "Filter:" (reading maps), "Terminator:" and
// "Record Length" (re-read, reading and orphan maps), the field list "ZAV Data Fields" and the selected
// field's "Action", "Position" ("Column" for delimited maps), "Width", "Constant", "Align", "Pad" and
// "Format" as its action and data type call for; for MVRS and E5000 maps, whose layouts the formats
// fix, no fields, and for MVRS route maps the "MVRS Options".
#pragma once

#include <QDialog>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "maps/exch_map.h"

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace zav {

class NumberBox;

// What Display returns after "Delete".
inline constexpr const char* kMapDeleted = "{DELETED}";

class frmMapEdit : public QDialog {
    Q_OBJECT
  public:
    // `folder` holds the map files (the program's folder).
    explicit frmMapEdit(std::filesystem::path folder, QWidget* parent = nullptr);
    ~frmMapEdit() override;

    // Opens the map `mapName` (without extension; "" for a new map) of `mapUse` and shows the window
    // modally. Returns the map's name without extension after a save, `mapName` when nothing was saved,
    // or "{DELETED}" after a delete.
    std::string Display(std::int32_t mapUse, const std::string& mapName, const std::string& fileExtension);
    // Display's first part: loads the map (a map that cannot be loaded opens with its use's fields, nothing
    // mapped) and fills the window, without showing it.
    void Open(std::int32_t mapUse, const std::string& mapName, const std::string& fileExtension);
    // What Display returns if the window closed now.
    const std::string& Result() const { return result_; }

    // The "Save Map" question: the answer, or nullopt when cancelled.
    std::function<std::optional<std::string>(const std::string& prompt, const std::string& title,
                                             const std::string& defaultText)>
        AskName;

    clsExchMap& Map() { return map_; }

    // "Save": under the map's name, or as "Save As" when it has none. Closes the window once written.
    void Save();
    // "Save As": asks for a name ("." "\" "/" ":" become "_"), saves under it and closes the window. An
    // empty or cancelled answer saves nothing.
    void SaveAs();
    // "Delete": after a confirmation, removes the named map's file and closes the window.
    void Delete();

    QComboBox* TypeList() const { return cboType_; }
    QComboBox* DelimiterList() const { return cboDelimiter_; }
    QComboBox* QuoteList() const { return cboQuote_; }
    QComboBox* FilterList() const { return cboFilter_; }
    QComboBox* TerminatorList() const { return cboTerminator_; }
    NumberBox* LengthBox() const { return txtLength_; }
    QListWidget* Fields() const { return lstFields_; }
    QComboBox* ActionList() const { return cboAction_; }
    NumberBox* PositionBox() const { return txtPosition_; }
    QLabel* PositionLabel() const { return lblPosition_; }
    NumberBox* WidthBox() const { return txtWidth_; }
    QLineEdit* ConstantBox() const { return txtConstant_; }
    QComboBox* AlignList() const { return cboAlign_; }
    QComboBox* PadList() const { return cboPad_; }
    QComboBox* FormatList() const { return cboFormat_; }
    QGroupBox* MVRSFrame() const { return fraMVRS_; }
    QCheckBox* RadioBox() const { return chkRadio_; }
    QLabel* StatusLabel() const { return lblStatus_; }
    QPushButton* SaveAsButton() const { return cmdSaveAs_; }
    QPushButton* SaveButton() const { return cmdSave_; }
    QPushButton* DeleteButton() const { return cmdDelete_; }

    // Whether a control's row is shown in its form (a row may be hidden while the window is not shown).
    bool RowShown(QWidget* control) const;

  private:
    void BuildControls();
    void ConnectControls();
    void FillMapControls();
    // Shows the mapping of field `number` (from 1); 0 shows none.
    void ShowField(int number);
    void UpdateVisibility();
    // The field selected in the list (from 1), 0 when none.
    int CurrentField() const;
    // Writes the map file; false after telling why.
    bool WriteMap();
    std::string NameWithoutExtension() const;
    // Runs `write` unless the window is filling its controls.
    void Edit(const std::function<void()>& write);

    std::filesystem::path folder_;
    clsExchMap map_;
    std::int32_t use_ = 0;
    std::string extension_;
    std::string result_;
    bool loading_ = false;

    QFormLayout* mapForm_ = nullptr;
    QFormLayout* fieldForm_ = nullptr;
    QComboBox* cboType_ = nullptr;
    QComboBox* cboDelimiter_ = nullptr;
    QComboBox* cboQuote_ = nullptr;
    QComboBox* cboFilter_ = nullptr;
    QComboBox* cboTerminator_ = nullptr;
    NumberBox* txtLength_ = nullptr;
    QLabel* lblFields_ = nullptr;
    QListWidget* lstFields_ = nullptr;
    QGroupBox* fraField_ = nullptr;
    QComboBox* cboAction_ = nullptr;
    QLabel* lblPosition_ = nullptr;
    NumberBox* txtPosition_ = nullptr;
    NumberBox* txtWidth_ = nullptr;
    QLineEdit* txtConstant_ = nullptr;
    QComboBox* cboAlign_ = nullptr;
    QComboBox* cboPad_ = nullptr;
    QComboBox* cboFormat_ = nullptr;
    QGroupBox* fraMVRS_ = nullptr;
    QCheckBox* chkRadio_ = nullptr;
    QLabel* lblFixedLayout_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QPushButton* cmdSaveAs_ = nullptr;
    QPushButton* cmdSave_ = nullptr;
    QPushButton* cmdDelete_ = nullptr;
};

// A "Save Map" answer as a map name: every ".", "\", "/" and ":" becomes "_", spaces around it are
// dropped ("A.B/C" -> "A_B_C").
std::string MapNameFromAnswer(const std::string& answer);

}  // namespace zav
