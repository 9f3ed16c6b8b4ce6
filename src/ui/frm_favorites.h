// frmFavorites, "Favorites": the readings file to convert, chosen by handheld unit. One line per
// favorite: the unit, the file's status ("[No Path set]", "[File Not Found]" or the file's date) and
// its path. "Use" takes the chosen line's file (only a file that exists); "Close" takes nothing.
#pragma once

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

class QPushButton;

namespace zav {

class ColumnList;
class clsAdvanced;
class clsExchange;

class frmFavorites : public QDialog {
    Q_OBJECT
  public:
    // `home`: the program's folder, against which relative paths resolve.
    frmFavorites(const clsAdvanced& advanced, std::filesystem::path home, QWidget* parent);

    // Shows the window modally; the chosen readings file's path as stored, or "".
    std::string Display();

    ColumnList* List() const { return lstFavorites_; }
    QPushButton* UseButton() const { return cmdUse_; }
    QPushButton* CloseButton() const { return cmdClose_; }

  private:
    bool Usable(int row) const;
    void OnUse();

    std::filesystem::path home_;
    ColumnList* lstFavorites_;
    QPushButton* cmdUse_;
    QPushButton* cmdClose_;
    std::vector<std::string> paths_;  // per line
    std::string result_;
};

// The reading command's first step: with favorites switched on, asks for the readings file by unit and
// sets it as the exchange's `ReadingSource`. False when favorites are on and nothing was chosen (the
// command then stops without a word); true otherwise.
bool ChooseFavoriteReadingSource(clsExchange& exchange, const clsAdvanced& advanced, const std::filesystem::path& home,
                                 QWidget* parent);

}  // namespace zav
