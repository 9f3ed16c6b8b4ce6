// frmAdvanced, "Advanced": the advanced handheld options in seven tabs (logins, messages, changeouts,
// skip codes, index, favorites, operational preferences). Every change goes into the store at once:
// check boxes and combo boxes when they change, list entries through the edit dialogs. Closing the
// window (Close, Esc or the frame) saves the store.
//
// Each tab is refreshed from the store when it is shown, after every edit dialog and after every change
// of its type option; the refresh sets the controls under a mark, so their change handlers do not write
// the values straight back. A tab's edit button is enabled once a list line is chosen.
#pragma once

#include <QDialog>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "ui/adv_edit_dialog.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace zav {

class ColumnList;

class frmAdvanced : public QDialog {
    Q_OBJECT
  public:
    enum Tab : int { kLogins, kMessages, kChangeouts, kSkips, kIndex, kFavorites, kPrefs, kTabCount };

    // `home`: the program's folder (its HotSync users are listed on the favorites tab).
    frmAdvanced(clsAdvanced& advanced, std::filesystem::path home, QWidget* parent);

    // Shows the window modally, centred on the screen; the store is saved as it closes.
    void Display();

    QTabWidget* Tabs() const { return tabs_; }
    // A tab's list, buttons and type options (none on the preferences tab).
    ColumnList* List(Tab tab) const { return pages_[tab].list; }
    QPushButton* AddButton(Tab tab) const { return pages_[tab].add; }
    QPushButton* EditButton(Tab tab) const { return pages_[tab].edit; }
    QRadioButton* TypeOption(Tab tab, int index) const { return pages_[tab].options.at(index).first; }
    // The type chosen on the messages, changeouts or index tab ("" until the tab is first shown).
    const std::string& SelectedType(Tab tab) const { return pages_[tab].type; }
    QCheckBox* UseLogin() const { return chkUseLogin_; }
    QCheckBox* UseFavorite() const { return chkUseFavorite_; }
    QComboBox* IndexControl() const { return cboIndexControl_; }
    // 0 out of bounds, 1 rollover, 2 tamper.
    QComboBox* Alert(int which) const { return alerts_.at(which); }
    QPushButton* CloseButton() const { return cmdClose_; }

    // Opens the tab's edit dialog; mode Edit edits the chosen line (nothing without one).
    void OpenEditor(Tab tab, AdvMode mode);
    void RefreshTab();

  protected:
    void done(int result) override;

  private:
    struct Page {
        ColumnList* list = nullptr;
        QPushButton* add = nullptr;
        QPushButton* edit = nullptr;
        std::vector<std::pair<QRadioButton*, std::string>> options;  // with the type each stands for
        std::string type;
        std::vector<std::pair<std::string, std::string>> keys;  // per line: the key (route and meter ID)
    };

    QWidget* BuildLogins();
    QWidget* BuildMessages();
    QWidget* BuildChangeouts();
    QWidget* BuildSkips();
    QWidget* BuildIndex();
    QWidget* BuildFavorites();
    QWidget* BuildPrefs();
    // The list, "Add New" and the edit button of a tab, laid out side by side.
    QLayout* ListWithButtons(Tab tab, QWidget* page, const QStringList& headers, const QString& name,
                             const char* object, const char* editCaption);
    // A row of type option buttons: {caption, type}.
    QLayout* TypeOptions(Tab tab, QWidget* page, const char* object,
                         std::initializer_list<std::pair<const char*, const char*>> options);
    QComboBox* ChoiceBox(QWidget* page, const char* object, const QStringList& items);

    void Fill(Tab tab);
    void FillFavorites();
    void AddLine(Tab tab, const std::string& key, const std::string& second, const QString& shownSecond);
    // A check box or combo box changed: the store takes the value unless the refresh set it.
    template <typename Store>
    void WhenChanged(Store&& store);

    clsAdvanced& advanced_;
    std::filesystem::path home_;
    QTabWidget* tabs_;
    std::array<Page, kTabCount> pages_;
    QCheckBox* chkUseLogin_ = nullptr;
    QCheckBox* chkUseFavorite_ = nullptr;
    QString useFavoriteCaption_;  // the favorites check box's own caption
    QComboBox* cboIndexControl_ = nullptr;
    std::array<QComboBox*, 3> alerts_{};
    QPushButton* cmdClose_ = nullptr;
    bool refreshing_ = false;
};

}  // namespace zav
