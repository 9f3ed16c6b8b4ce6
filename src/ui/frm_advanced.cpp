#include "ui/frm_advanced.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "advanced/advanced.h"
#include "core/errors.h"
#include "core/frontend.h"
#include "install/palm_users.h"
#include "ui/path_text.h"
#include "ui/column_list.h"
#include "ui/frm_adv_dialogs.h"
#include "ui/qt_text.h"

namespace zav {

namespace {

constexpr int kColumnStop = 40;                // dialog units: where the first of two columns at least ends
constexpr std::size_t kShownDescription = 30;  // characters of a description the lists show

QLabel* Instructions(const char* text, QWidget* page) {
    auto* label = new QLabel(text, page);
    label->setWordWrap(true);
    return label;
}

// Raises the refreshing mark for a scope (refreshes nest when a type option is chosen by one).
class RefreshMark {
  public:
    explicit RefreshMark(bool& mark) : mark_(mark), was_(mark) { mark_ = true; }
    ~RefreshMark() { mark_ = was_; }
    RefreshMark(const RefreshMark&) = delete;
    RefreshMark& operator=(const RefreshMark&) = delete;

  private:
    bool& mark_;
    bool was_;
};

}  // namespace

frmAdvanced::frmAdvanced(clsAdvanced& advanced, std::filesystem::path home, QWidget* parent)
    : QDialog(parent), advanced_(advanced), home_(std::move(home)), tabs_(new QTabWidget(this)) {
    setObjectName("frmAdvanced");
    setWindowTitle("Advanced");
    tabs_->setObjectName("tabAdvanced");
    struct TabDef {
        QWidget* page;
        const char* caption;
        const char* tooltip;
    };
    const TabDef defs[kTabCount] = {
        {BuildLogins(), "Logins", "Setup handheld and desktop security"},
        {BuildMessages(), "Messages", "Configure informational messages by meter"},
        {BuildChangeouts(), "Changeouts", "Setup code tables for meter changeouts"},
        {BuildSkips(), "Skip Codes", "Setup feedback messages for handhelds"},
        {BuildIndex(), "Index", "Specify which words to skip during index preparation."},
        {BuildFavorites(), "Favorites", "Specify ZAV file locations by handheld unit."},
        {BuildPrefs(), "Prefs", "Operational Preferences"},
    };
    for (int i = 0; i < kTabCount; ++i) {
        tabs_->addTab(defs[i].page, defs[i].caption);
        tabs_->setTabToolTip(i, defs[i].tooltip);
    }
    // The buttons beside the lists share one width, so the lists keep their width from tab to tab.
    int buttonWidth = 0;
    for (const Page& page : pages_)
        if (page.add)
            buttonWidth = std::max({buttonWidth, page.add->sizeHint().width(), page.edit->sizeHint().width()});
    for (const Page& page : pages_)
        if (page.add) {
            page.add->setFixedWidth(buttonWidth);
            page.edit->setFixedWidth(buttonWidth);
            page.add->setAutoDefault(false);  // Enter closes the window, whatever has the focus
            page.edit->setAutoDefault(false);
        }
    cmdClose_ = new QPushButton("Close", this);  // after the tabs' controls, so last in the keyboard's order
    cmdClose_->setObjectName("cmdClose");
    cmdClose_->setDefault(true);
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::accept);

    // Ctrl+Tab: the next tab, and from the last the first (Ctrl+Shift+Tab the other way).
    auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(next, &QShortcut::activated, this,
            [this] { tabs_->setCurrentIndex((tabs_->currentIndex() + 1) % tabs_->count()); });
    auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this);
    connect(previous, &QShortcut::activated, this,
            [this] { tabs_->setCurrentIndex((tabs_->currentIndex() + tabs_->count() - 1) % tabs_->count()); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose_);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(tabs_, 1);
    outer->addLayout(buttons);
    resize(600, 400);

    connect(tabs_, &QTabWidget::currentChanged, this, &frmAdvanced::RefreshTab);
    RefreshTab();
}

// ---- building the tabs ----

QLayout* frmAdvanced::ListWithButtons(Tab tab, QWidget* page, const QStringList& headers, const QString& name,
                                      const char* object, const char* editCaption) {
    Page& p = pages_[tab];
    p.list = new ColumnList(headers, {kColumnStop}, name, page);
    p.list->setObjectName(QString("lst") + object);
    p.add = new QPushButton("Add New", page);
    p.add->setObjectName(QString("cmdAdd") + object);
    p.edit = new QPushButton(editCaption, page);
    p.edit->setObjectName(QString("cmdEdit") + object);
    p.edit->setEnabled(false);
    connect(p.list, &QTreeWidget::itemSelectionChanged, this,
            [this, tab] { pages_[tab].edit->setEnabled(pages_[tab].list->SelectedRow() >= 0); });
    connect(p.list, &QTreeWidget::itemDoubleClicked, this, [this, tab] { OpenEditor(tab, AdvMode::Edit); });
    connect(p.add, &QPushButton::clicked, this, [this, tab] { OpenEditor(tab, AdvMode::Add); });
    connect(p.edit, &QPushButton::clicked, this, [this, tab] { OpenEditor(tab, AdvMode::Edit); });

    auto* column = new QVBoxLayout;
    column->addWidget(p.add);
    column->addWidget(p.edit);
    column->addStretch();
    auto* row = new QHBoxLayout;
    row->addWidget(p.list, 1);
    row->addLayout(column);
    return row;
}

QLayout* frmAdvanced::TypeOptions(Tab tab, QWidget* page, const char* object,
                                  std::initializer_list<std::pair<const char*, const char*>> options) {
    auto* row = new QHBoxLayout;
    int index = 0;
    for (const auto& [caption, type] : options) {
        auto* option = new QRadioButton(caption, page);
        option->setObjectName(QString("%1%2").arg(object).arg(index++));
        pages_[tab].options.emplace_back(option, type);
        connect(option, &QRadioButton::toggled, this, [this, tab, type = std::string(type)](bool on) {
            if (!on) return;
            pages_[tab].type = type;
            RefreshTab();
        });
        row->addWidget(option);
    }
    row->addStretch();
    return row;
}

QComboBox* frmAdvanced::ChoiceBox(QWidget* page, const char* object, const QStringList& items) {
    auto* box = new QComboBox(page);
    box->setObjectName(object);
    box->addItems(items);
    return box;
}

template <typename Store>
void frmAdvanced::WhenChanged(Store&& store) {
    if (!refreshing_) store();
}

QWidget* frmAdvanced::BuildLogins() {
    auto* page = new QWidget;
    chkUseLogin_ = new QCheckBox("Use Login Security", page);
    chkUseLogin_->setObjectName("chkUseLogin");
    connect(chkUseLogin_, &QCheckBox::toggled, this,
            [this](bool on) { WhenChanged([&] { advanced_.UseLoginSecurity(on); }); });
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(chkUseLogin_);
    layout->addLayout(ListWithButtons(kLogins, page, {"User ID"}, "User IDs", "Login", "Edit Login"));
    return page;
}

QWidget* frmAdvanced::BuildMessages() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        Instructions("Define message to appear on the handheld when certain meters or accounts are being read.", page));
    layout->addLayout(
        TypeOptions(kMessages, page, "optMessageType",
                    {{"Account Number", "Account"}, {"Meter Serial Nbr", "SerialNbr"}, {"Meter Tag Nbr", "TagNbr"}}));
    layout->addLayout(ListWithButtons(kMessages, page, {"Route", "Meter ID"}, "Messages", "Message", "Edit Message"));
    return page;
}

QWidget* frmAdvanced::BuildChangeouts() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Instructions("Define codes to be used for meter changeouts.", page));
    layout->addLayout(TypeOptions(
        kChangeouts, page, "optChangeoutType",
        {{"Change Reasons", "RC"}, {"Meter Types", "MT"}, {"Manufacturers", "MFG"}, {"Meter Sizes", "MS"}}));
    layout->addLayout(
        ListWithButtons(kChangeouts, page, {"Code", "Description"}, "Changeout codes", "Changeout", "Edit Code"));
    return page;
}

QWidget* frmAdvanced::BuildSkips() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(Instructions("Define reasons for not reading a meter.", page));
    layout->addLayout(ListWithButtons(kSkips, page, {"Code", "Description"}, "Skip codes", "Skip", "Edit Code"));
    return page;
}

QWidget* frmAdvanced::BuildIndex() {
    auto* page = new QWidget;
    cboIndexControl_ = ChoiceBox(page, "cboIndexControl",
                                 {"Don't create indexes", "Always create indexes", "Prompt during route creation!"});
    connect(cboIndexControl_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) WhenChanged([&] { advanced_.IndexControl(static_cast<std::int16_t>(index)); });
    });
    auto* label = new QLabel("Index Control", page);
    label->setBuddy(cboIndexControl_);
    auto* control = new QHBoxLayout;
    control->addWidget(label);
    control->addWidget(cboIndexControl_);
    control->addStretch();

    auto* frame = new QGroupBox("Excluded Words/Tokens", page);
    frame->setObjectName("fraTokens");
    auto* inner = new QVBoxLayout(frame);
    inner->addLayout(
        TypeOptions(kIndex, frame, "optTokenType", {{"Address Index", "Address"}, {"Owner Index", "Owner"}}));
    inner->addLayout(ListWithButtons(kIndex, frame, {"Token"}, "Tokens", "Token", "Edit Token"));

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(control);
    layout->addWidget(frame, 1);
    return page;
}

QWidget* frmAdvanced::BuildFavorites() {
    auto* page = new QWidget;
    useFavoriteCaption_ = "Use Favorites to select readings file by handheld unit.";
    chkUseFavorite_ = new QCheckBox(useFavoriteCaption_, page);
    chkUseFavorite_->setObjectName("chkUseFavorite");
    connect(chkUseFavorite_, &QCheckBox::toggled, this,
            [this](bool on) { WhenChanged([&] { advanced_.UseFavorite(on); }); });
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(chkUseFavorite_);
    layout->addLayout(ListWithButtons(kFavorites, page, {"Unit", "Path"}, "Favorites", "Favorite", "Edit"));
    return page;
}

QWidget* frmAdvanced::BuildPrefs() {
    auto* page = new QWidget;
    auto* frame = new QGroupBox("Alerts", page);
    frame->setObjectName("fraAlerts");
    auto* form = new QFormLayout(frame);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    const std::pair<const char*, const char*> rows[] = {{"cboAlertOutOfBounds", "Outside expected range"},
                                                        {"cboAlertRollover", "Rollover"},
                                                        {"cboAlertTamper", "Tamper"}};
    for (int i = 0; i < 3; ++i) {
        alerts_[i] = ChoiceBox(frame, rows[i].first, {"No Alert", "Beep", "Popup Message!"});
        form->addRow(rows[i].second, alerts_[i]);
        connect(alerts_[i], &QComboBox::currentIndexChanged, this, [this, i](int index) {
            if (index < 0) return;
            WhenChanged([&] {
                const auto value = static_cast<std::int16_t>(index);
                if (i == 0) advanced_.AlertOutOfBounds(value);
                if (i == 1) advanced_.AlertRollover(value);
                if (i == 2) advanced_.AlertTamper(value);
            });
        });
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    layout->addStretch();
    return page;
}

// ---- refreshing ----

void frmAdvanced::RefreshTab() {
    const auto tab = static_cast<Tab>(tabs_->currentIndex());
    Page& page = pages_[tab];
    // First visit of a tab with types: choosing the first type refreshes the tab.
    if (!page.options.empty() && page.type.empty()) {
        page.options.front().first->setChecked(true);
        return;
    }
    RefreshMark mark(refreshing_);
    Fill(tab);
    if (page.list) {
        page.list->FitColumns();
        page.edit->setEnabled(false);
    }
}

void frmAdvanced::AddLine(Tab tab, const std::string& key, const std::string& second, const QString& shownSecond) {
    Page& page = pages_[tab];
    page.keys.emplace_back(key, second);
    if (page.list->columnCount() == 1)
        page.list->AddLine({ToQt(key)});
    else
        page.list->AddLine({ToQt(key), shownSecond});
}

void frmAdvanced::Fill(Tab tab) {
    Page& page = pages_[tab];
    if (page.list) {
        page.list->clear();
        page.keys.clear();
    }
    const std::string& type = page.type;
    std::string key, a, b;
    auto text = [](const std::string& s) { return ToQt(s); };
    switch (tab) {
        case kLogins:
            chkUseLogin_->setChecked(advanced_.UseLoginSecurity());
            for (std::int16_t i = 1; advanced_.GetLogin(i, key, a, b) >= 0; ++i)
                if (!key.empty()) AddLine(tab, key, "", {});
            break;
        case kMessages:
            for (std::int16_t i = 1; advanced_.GetMessage(type, i, key, a, b) >= 0; ++i)
                if (!key.empty()) AddLine(tab, key, a, text(a));  // route number and meter ID
            break;
        case kChangeouts:
            for (std::int16_t i = 1; advanced_.GetChangeout(type, i, key, a) >= 0; ++i)
                if (!key.empty()) AddLine(tab, key, "", text(a.substr(0, kShownDescription)));
            break;
        case kSkips:
            for (std::int16_t i = 1; advanced_.GetSkip(i, key, a) >= 0; ++i)
                if (!key.empty()) AddLine(tab, key, "", text(a.substr(0, kShownDescription)));
            break;
        case kIndex:
            cboIndexControl_->setCurrentIndex(advanced_.IndexControl());
            for (std::int16_t i = 1; advanced_.GetToken(type, i, key) >= 0; ++i)
                if (!key.empty()) AddLine(tab, key, "", {});
            break;
        case kFavorites:
            FillFavorites();
            break;
        case kPrefs:
            alerts_[0]->setCurrentIndex(advanced_.AlertOutOfBounds());
            alerts_[1]->setCurrentIndex(advanced_.AlertRollover());
            alerts_[2]->setCurrentIndex(advanced_.AlertTamper());
            break;
        case kTabCount:
            break;
    }
}

void frmAdvanced::FillFavorites() {
    std::string unit, path;
    for (std::int16_t i = 1; advanced_.GetFavorite(i, unit, path) >= 0; ++i)
        if (!unit.empty()) AddLine(kFavorites, unit, "", PathToQt(path));
    if (pages_[kFavorites].keys.empty()) {
        // Nothing to choose from: favorites cannot be used.
        chkUseFavorite_->setEnabled(false);
        chkUseFavorite_->setChecked(false);
        chkUseFavorite_->setText(useFavoriteCaption_ + "\n(Define some paths first)");
        advanced_.UseFavorite(false);
    } else {
        chkUseFavorite_->setEnabled(true);
        chkUseFavorite_->setText(useFavoriteCaption_);
        chkUseFavorite_->setChecked(advanced_.UseFavorite());
    }
    // The HotSync users without a favorite yet, by name alone, ready to be given one.
    try {
        const HotSyncDesktop desktop(home_);
        const clsPalmUsers users(desktop);
        for (const std::string& name : users.Names())
            if (advanced_.GetFavorite(AdvIndex(name), unit, path) < 0) AddLine(kFavorites, name, "", {});
    } catch (const RuntimeError& e) {
        CurrentFrontend().ShowMessage(e.Description(), "Error");
    }
}

// ---- editing ----

void frmAdvanced::OpenEditor(Tab tab, AdvMode mode) {
    Page& page = pages_[tab];
    if (!page.list) return;
    std::string key, second;
    if (mode == AdvMode::Edit) {
        const int row = page.list->SelectedRow();
        if (row < 0 || row >= static_cast<int>(page.keys.size())) return;
        std::tie(key, second) = page.keys[row];
    }
    try {
        switch (tab) {
            case kLogins:
                frmAdvLogin(advanced_, this).Display(mode, key);
                break;
            case kMessages:
                frmAdvMessage(advanced_, this).Display(mode, page.type, key, second);
                break;
            case kChangeouts:
                frmAdvChangeout(advanced_, this).Display(mode, page.type, key);
                break;
            case kSkips:
                frmAdvSkip(advanced_, this).Display(mode, key);
                break;
            case kIndex:
                frmAdvToken(advanced_, this).Display(mode, page.type, key);
                break;
            case kFavorites:
                frmAdvFavorite(advanced_, home_, this).Display(mode, key);
                break;
            default:
                return;
        }
    } catch (const RuntimeError& e) {  // a full list (32,767 entries) takes no more
        CurrentFrontend().ShowMessage(e.Description(), "Error");
    }
    RefreshTab();
}

// ---- showing and closing ----

void frmAdvanced::Display() {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    exec();
}

void frmAdvanced::done(int result) {
    advanced_.SaveValues();
    QDialog::done(result);
}

}  // namespace zav
