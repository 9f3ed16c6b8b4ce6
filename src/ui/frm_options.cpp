#include "ui/frm_options.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/home.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "install/palm_users.h"
#include "maps/map_list.h"
#include "ui/accessible_names.h"
#include "ui/frm_map_edit.h"
#include "ui/qt_text.h"
#include "ui/window_position.h"

namespace zav {

namespace {

constexpr const char* kWindowName = "frmOptions";
constexpr int kUses[] = {kMapRoute, kMapReRead, kMapReading, kMapOrphan};
// The smallest window: 6900 by 6060 twips.
constexpr int kMinimumWidth = 6900 / kTwipsPerPixel;
constexpr int kMinimumHeight = 6060 / kTwipsPerPixel;
// The "ZAV Format:" lists: what each line stands for, in list order.
constexpr const char* kFormats[] = {"PDB", "PRC", "VFS"};
constexpr const char* kFormatCaptions[] = {"Palm Database File (PDB)", "Palm Resource File (PRC)",
                                           "Virtual File System (VFS)"};

// The settings of one map use (nullptr where the use has none).
struct UseSettings {
    std::string ExchangeSettings::*source;
    std::string ExchangeSettings::*destination;
    std::string ExchangeSettings::*map;
    std::string ExchangeSettings::*format;
};

UseSettings SettingsOf(int use) {
    using S = ExchangeSettings;
    switch (use) {
        case kMapRoute:
            return {&S::RouteSource, &S::RouteDestination, &S::RouteMap, &S::RouteZAVType};
        case kMapReRead:
            return {&S::ReReadSource, &S::ReReadDestination, &S::ReReadMap, &S::ReReadZAVType};
        case kMapReading:
            return {&S::ReadingSource, &S::ReadingDestination, &S::ReadingMap, nullptr};
        default:
            return {nullptr, &S::OrphanDestination, &S::OrphanMap, nullptr};
    }
}

int UseIndex(int use) {
    for (int i = 0; i < 4; ++i)
        if (kUses[i] == use) return i;
    throw RuntimeError(kErrSubscript);
}

// A chosen file as a setting: inside the home folder relative to it (stored paths resolve against the
// home folder), elsewhere the whole path.
std::string PathForSetting(const std::filesystem::path& home, const std::string& chosen) {
    const std::filesystem::path file = std::filesystem::path(chosen).lexically_normal();
    const std::filesystem::path base = home.lexically_normal();
    if (base.empty() || !file.is_absolute()) return chosen;
    const std::filesystem::path relative = file.lexically_relative(base);
    if (relative.empty() || *relative.begin() == "..") return chosen;
    return relative.string();
}

// A dialog's answer cut at its first NUL, as the platform's dialogs hand names back.
std::string CutAtNul(std::string name) {
    const std::size_t nul = name.find('\0');
    if (nul != std::string::npos) name.resize(nul);
    return name;
}

// Lines up the first column of several grids: each gets the width of the widest caption among them.
void AlignLabelColumns(std::initializer_list<QGridLayout*> grids) {
    int width = 0;
    for (QGridLayout* grid : grids)
        for (int row = 0; row < grid->rowCount(); ++row)
            if (QLayoutItem* item = grid->itemAtPosition(row, 0); item && qobject_cast<QLabel*>(item->widget()))
                width = std::max(width, item->widget()->sizeHint().width());
    for (QGridLayout* grid : grids) grid->setColumnMinimumWidth(0, width);
}

}  // namespace

int ZavFilterIndex(const std::string& fileName) {
    const std::string upper = UCase(fileName);
    const char* endings[] = {".ZAV", ".DAT", ".PRC", ".PDB"};
    for (int i = 0; i < 4; ++i) {
        const std::string_view ending = endings[i];
        if (upper.size() >= ending.size() && upper.compare(upper.size() - ending.size(), ending.size(), ending) == 0)
            return i + 1;
    }
    return 0;
}

frmOptions::frmOptions(clsExchange& exchange, QWidget* parent)
    : QDialog(parent), exchange_(exchange), tbsOptions_(new QTabWidget(this)) {
    setObjectName(kWindowName);
    setWindowTitle("Setup");
    for (int i = 0; i < 4; ++i) uses_[i].use = kUses[i];
    ChooseFile = [this](const FileDialogRequest& request) { return RunFileDialog(this, request); };
    EditMap = [this](int use, const std::string& name, const std::string& extension) {
        frmMapEdit editor(exchange_.HomeFolder, this);
        return editor.Display(use, name, extension);
    };

    tbsOptions_->setObjectName("tbsOptions");
    tbsOptions_->setAccessibleName("Setup");
    tbsOptions_->tabBar()->setAccessibleName("Setup");
    const struct {
        QWidget* page;
        const char* caption;
        const char* tooltip;
    } tabs[] = {
        {BuildConversionPage(kMapRoute, "Route Source:"), "Route Conversion", "Specify Source for Creating ZAV file"},
        {BuildConversionPage(kMapReRead, "Re-Read Source:"), "Re-Read Conversion",
         "Input Transponder IDs for Re-Reads"},
        {BuildReadingPage(), "Reading Conversion", "Specify Conversions for Meter Readings"},
        {BuildInstallPage(), "PRC/PDB Installation", "Handling of PRC/PDB files"},
    };
    for (const auto& tab : tabs) {
        const int index = tbsOptions_->addTab(tab.page, tab.caption);
        tbsOptions_->setTabToolTip(index, tab.tooltip);
    }
    BuildButtons();
    NameButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tbsOptions_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {cmdOK_, cmdCancel_, cmdApply_}) buttons->addWidget(b);
    layout->addLayout(buttons);

    // Ctrl+Tab shows the next tab, from the last the first; Ctrl+Shift+Tab the one before.
    auto step = [this](int by) {
        tbsOptions_->setCurrentIndex((tbsOptions_->currentIndex() + by + tbsOptions_->count()) % tbsOptions_->count());
    };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this), &QShortcut::activated, this,
            [step] { step(1); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), this), &QShortcut::activated, this,
            [step] { step(-1); });

    loading_ = true;
    tbsOptions_->setUsesScrollButtons(false);  // every tab's caption stays readable
    UpdateMinimumSize();
    resize(sizeHint().expandedTo(minimumSize()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    RestoreWindowPosition(*this, kWindowName);
    FillUnits();
    LoadControls();
    tbsOptions_->setCurrentIndex(0);
    fraOrphans_->setVisible(chkOrphanConvert_->isChecked());
    UpdateMinimumSize();
    loading_ = false;
}

const frmOptions::UseControls& frmOptions::Controls(int use) const { return uses_[UseIndex(use)]; }
frmOptions::UseControls& frmOptions::Controls(int use) { return uses_[UseIndex(use)]; }

int frmOptions::SelectedTab() const { return tbsOptions_->currentIndex() + 1; }

void frmOptions::AddFileRow(QGridLayout* grid, int row, const char* caption, QLineEdit*& box, QPushButton*& browse,
                            const char* name) {
    auto* label = new QLabel(caption);
    box = new QLineEdit;
    box->setObjectName(QString("txt") + name);
    browse = new QPushButton("&Browse ...");
    browse->setObjectName(QString("cmdBrowse") + name);
    SetBuddy(label, box);
    grid->addWidget(label, row, 0);
    grid->addWidget(box, row, 1, 1, 2);
    grid->addWidget(browse, row, 3);
}

void frmOptions::AddMapRow(QGridLayout* grid, int row, UseControls& c) {
    const QString n = QString::number(c.use);
    auto* label = new QLabel("Mapping:");
    c.map = new QComboBox;
    c.map->setObjectName("cboMap" + n);
    c.map->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c.map->setMinimumContentsLength(16);
    SetBuddy(label, c.map);
    c.editMap = new QPushButton("Edit Map");
    c.editMap->setObjectName("cmdEditMap" + n);
    c.newMap = new QPushButton("New Map");
    c.newMap->setObjectName("cmdNewMap" + n);
    grid->addWidget(label, row, 0);
    grid->addWidget(c.map, row, 1);
    grid->addWidget(c.editMap, row, 2);
    grid->addWidget(c.newMap, row, 3);
    ConnectMapControls(c);
}

void frmOptions::ConnectMapControls(UseControls& c) {
    const int use = c.use;
    QPushButton* edit = c.editMap;
    connect(c.map, &QComboBox::currentIndexChanged, edit, [edit](int index) { edit->setEnabled(index >= 0); });
    connect(c.editMap, &QPushButton::clicked, this, [this, use] { OpenEditor(use, false); });
    connect(c.newMap, &QPushButton::clicked, this, [this, use] { OpenEditor(use, true); });
    if (c.browseSource) connect(c.browseSource, &QPushButton::clicked, this, [this, use] { BrowseSource(use); });
    connect(c.browseDestination, &QPushButton::clicked, this, [this, use] { BrowseDestination(use); });
}

QWidget* frmOptions::BuildConversionPage(int use, const char* sourceCaption) {
    UseControls& c = Controls(use);
    const QString n = QString::number(use);
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    AddFileRow(grid, 0, sourceCaption, c.source, c.browseSource, qPrintable("Source" + n));
    AddFileRow(grid, 1, "Destination ZAV:", c.destination, c.browseDestination, qPrintable("Destination" + n));
    auto* formatLabel = new QLabel("ZAV Format:");
    c.format = new QComboBox;
    c.format->setObjectName("cboFormat" + n);
    for (const char* caption : kFormatCaptions) c.format->addItem(caption);
    c.format->setCurrentIndex(-1);
    SetBuddy(formatLabel, c.format);
    grid->addWidget(formatLabel, 2, 0);
    grid->addWidget(c.format, 2, 1);
    AddMapRow(grid, 3, c);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    return page;
}

QWidget* frmOptions::BuildReadingPage() {
    UseControls& reading = Controls(kMapReading);
    UseControls& orphan = Controls(kMapOrphan);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);

    auto* fraReadings = new QGroupBox("Readings");
    fraReadings->setObjectName("fraReadings");
    auto* readings = new QGridLayout(fraReadings);
    AddFileRow(readings, 0, "Source ZAV:", reading.source, reading.browseSource, "Source3");
    AddFileRow(readings, 1, "Destination File:", reading.destination, reading.browseDestination, "Destination3");
    AddMapRow(readings, 2, reading);
    readings->setColumnStretch(1, 1);
    layout->addWidget(fraReadings);

    chkAutoReRead_ = new QCheckBox("Generate Re-Read file for Exceptions");
    chkAutoReRead_->setObjectName("chkAutoReRead");
    chkOrphanConvert_ = new QCheckBox("Write Orphans to File");
    chkOrphanConvert_->setObjectName("chkOrphanConvert");
    layout->addWidget(chkAutoReRead_);
    layout->addWidget(chkOrphanConvert_);

    fraOrphans_ = new QGroupBox("Orphans");
    fraOrphans_->setObjectName("fraOrphans");
    auto* orphans = new QGridLayout(fraOrphans_);
    optReplace_ = new QRadioButton("Replace file each time readings are processed (may lose data)");
    optReplace_->setObjectName("optOrphanReplace");
    optAppend_ = new QRadioButton("Create or append to file (continues to grow until deleted)");
    optAppend_->setObjectName("optOrphanAppend");
    orphans->addWidget(optReplace_, 0, 0, 1, 4);
    orphans->addWidget(optAppend_, 1, 0, 1, 4);
    AddFileRow(orphans, 2, "Destination File:", orphan.destination, orphan.browseDestination, "Destination99");
    AddMapRow(orphans, 3, orphan);
    orphans->setColumnStretch(1, 1);
    layout->addWidget(fraOrphans_);
    layout->addStretch(1);
    AlignLabelColumns({readings, orphans});

    connect(chkOrphanConvert_, &QCheckBox::toggled, this, [this](bool on) {
        fraOrphans_->setVisible(on);
        UpdateMinimumSize();
    });
    return page;
}

QWidget* frmOptions::BuildInstallPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    optInstall_ = new QRadioButton("Install the PRC/PDB ready for hotsync.");
    optInstall_->setObjectName("optInstall");
    optInstall_->setToolTip("Copy the created route file to the install directory for a handheld unit.");
    lstUnits_ = new QListWidget;
    lstUnits_->setObjectName("lstUnits");
    lstUnits_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstUnits_->setAccessibleName(PlainCaption(optInstall_->text()));
    chkPrompt_ = new QCheckBox("Prompt during Route ZAV Creation");
    chkPrompt_->setObjectName("chkPrompt");
    chkPrompt_->setToolTip("If checked, the choice of the Destination Handheld is made during Route ZAV creation.");
    chkLeave_ = new QCheckBox("Keep copy in destination folder.");
    chkLeave_->setObjectName("chkLeave");
    chkLeave_->setToolTip("Check to leave copy of Route ZAV file in destination.");
    optJustWrite_ = new QRadioButton("Just write the PRC/PDB file.");
    optJustWrite_->setObjectName("optJustWrite");
    optJustWrite_->setToolTip(
        "The file is left in the destination directory.  You must manually install it onto a handheld.");

    // The unit list and the two check boxes belong to the install option: indented under it.
    auto* indented = new QVBoxLayout;
    indented->setContentsMargins(24, 0, 0, 0);
    indented->addWidget(lstUnits_, 1);
    indented->addWidget(chkPrompt_);
    indented->addWidget(chkLeave_);
    layout->addWidget(optInstall_);
    layout->addLayout(indented, 1);
    layout->addWidget(optJustWrite_);

    connect(optInstall_, &QRadioButton::toggled, this, [this](bool on) {
        UpdateInstallControls();
        if (!loading_) exchange_.AutoInstall = on ? -1 : 0;
    });
    connect(chkPrompt_, &QCheckBox::toggled, this, [this](bool on) {
        UpdateInstallControls();
        if (!loading_) exchange_.AutoInstallPrompt = on ? -1 : 0;
    });
    connect(chkLeave_, &QCheckBox::toggled, this, [this](bool on) {
        if (!loading_) exchange_.AutoInstallLeave = on ? -1 : 0;
    });
    connect(lstUnits_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> chosen = lstUnits_->selectedItems();
        if (!loading_ && !chosen.isEmpty()) exchange_.AutoInstallUnit = FromQt(chosen.front()->text());
    });
    return page;
}

void frmOptions::BuildButtons() {
    cmdOK_ = new QPushButton("OK", this);
    cmdOK_->setObjectName("cmdOK");
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton("Cancel", this);
    cmdCancel_->setObjectName("cmdCancel");
    cmdApply_ = new QPushButton("Apply", this);
    cmdApply_->setObjectName("cmdApply");
    connect(cmdOK_, &QPushButton::clicked, this, [this] {
        Apply();
        accept();
    });
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdApply_, &QPushButton::clicked, this, &frmOptions::Apply);
}

void frmOptions::FillUnits() {
    try {
        const HotSyncDesktop desktop(exchange_.HomeFolder);
        const clsPalmUsers users(desktop);
        for (const std::string& name : users.Names()) lstUnits_->addItem(ToQt(name));
    } catch (const RuntimeError& e) {
        CurrentFrontend().ShowMessage(e.Description(), "Error");
    } catch (const std::exception& e) {
        CurrentFrontend().ShowMessage(e.what(), "Error");
    }
}

void frmOptions::LoadControls() {
    for (const UseControls& c : uses_) {
        const UseSettings s = SettingsOf(c.use);
        if (c.source) c.source->setText(ToQt(exchange_.*s.source));
        c.destination->setText(ToQt(exchange_.*s.destination));
        if (c.format) {
            for (int i = 0; i < 3; ++i)
                if (exchange_.*s.format == kFormats[i]) c.format->setCurrentIndex(i);
        }
    }
    chkAutoReRead_->setChecked(exchange_.AutoReRead != 0);
    chkOrphanConvert_->setChecked(exchange_.OrphanConvert != 0);
    (exchange_.OrphanReplace != 0 ? optReplace_ : optAppend_)->setChecked(true);
    (exchange_.AutoInstall != 0 ? optInstall_ : optJustWrite_)->setChecked(true);
    chkLeave_->setChecked(exchange_.AutoInstallLeave != 0);
    chkPrompt_->setChecked(exchange_.AutoInstallPrompt != 0);
    lstUnits_->clearSelection();
    lstUnits_->setCurrentRow(-1);
    const QString unit = ToQt(exchange_.AutoInstallUnit);
    for (int row = 0; row < lstUnits_->count(); ++row) {
        if (lstUnits_->item(row)->text() == unit) {  // the exact name only
            lstUnits_->setCurrentRow(row);
            break;
        }
    }
    for (const UseControls& c : uses_) FillMapBox(c.use, exchange_.*SettingsOf(c.use).map);
    UpdateInstallControls();
}

void frmOptions::FillMapBox(int use, const std::string& wanted) {
    QComboBox* box = Controls(use).map;
    box->clear();
    int select = -1;
    for (const std::string& name : ListMapNames(exchange_.HomeFolder, use)) {
        if (select < 0 && EqualsNoCase(name, wanted)) select = box->count();
        box->addItem(ToQt(name));
    }
    box->setCurrentIndex(select);
    Controls(use).editMap->setEnabled(select >= 0);
}

void frmOptions::UpdateInstallControls() {
    const bool install = optInstall_->isChecked();
    chkPrompt_->setEnabled(install);
    chkLeave_->setEnabled(install);
    lstUnits_->setEnabled(install && !chkPrompt_->isChecked());
}

void frmOptions::Apply() {
    for (const UseControls& c : uses_) {
        const UseSettings s = SettingsOf(c.use);
        if (c.source) exchange_.*s.source = FromQt(c.source->text());
        exchange_.*s.destination = FromQt(c.destination->text());
        exchange_.*s.map = FromQt(c.map->currentText());
        if (c.format && c.format->currentIndex() >= 0) exchange_.*s.format = kFormats[c.format->currentIndex()];
    }
    exchange_.SetAutoReRead(chkAutoReRead_->isChecked() ? 1 : 0);
    exchange_.OrphanConvert = chkOrphanConvert_->isChecked() ? 1 : 0;
    exchange_.OrphanReplace = optReplace_->isChecked() ? 1 : 0;
    exchange_.AutoInstall = optInstall_->isChecked() ? -1 : 0;
    exchange_.AutoInstallLeave = chkLeave_->isChecked() ? -1 : 0;
    exchange_.AutoInstallPrompt = chkPrompt_->isChecked() ? -1 : 0;
    const QList<QListWidgetItem*> chosen = lstUnits_->selectedItems();
    exchange_.AutoInstallUnit = chosen.isEmpty() ? std::string() : FromQt(chosen.front()->text());
    exchange_.SaveSettings();
    cmdApply_->setEnabled(false);  // for as long as the window is open
}

void frmOptions::BrowseSource(int use) {
    const UseControls& c = Controls(use);
    const std::string current = FromQt(c.source->text());
    FileDialogRequest request;
    request.title = clsExchange::TypeDescr(use);
    request.defaultExtension = clsExchange::DefaultFileExtension(use);
    request.filter = use == kMapReading ? kZavFileFilter : kAllFilesFilter;
    request.filterIndex = use == kMapReading ? ZavFilterIndex(current) : 0;
    request.initialFile =
        Trim(current).empty() ? std::string() : ResolveAgainst(exchange_.HomeFolder, current).string();
    request.initialFolder = exchange_.HomeFolder.string();
    const std::string chosen = CutAtNul(ChooseFile(request));
    if (!chosen.empty()) c.source->setText(ToQt(PathForSetting(exchange_.HomeFolder, chosen)));
}

void frmOptions::BrowseDestination(int use) {
    const UseControls& c = Controls(use);
    const std::string current = FromQt(c.destination->text());
    const bool zav = use == kMapRoute || use == kMapReRead;
    FileDialogRequest request;
    request.save = true;
    request.title = clsExchange::TypeDescr(use);
    request.defaultExtension = clsExchange::DefaultFileExtension(use);
    request.filter = zav ? kZavFileFilter : kAllFilesFilter;
    request.filterIndex = zav ? ZavFilterIndex(current) : 0;
    request.initialFile =
        Trim(current).empty() ? std::string() : ResolveAgainst(exchange_.HomeFolder, current).string();
    request.initialFolder = exchange_.HomeFolder.string();
    const std::string chosen = CutAtNul(ChooseFile(request));
    if (!chosen.empty()) c.destination->setText(ToQt(PathForSetting(exchange_.HomeFolder, chosen)));
}

void frmOptions::OpenEditor(int use, bool newMap) {
    QComboBox* box = Controls(use).map;
    const std::string name = newMap ? std::string() : FromQt(box->currentText());
    const std::string result = EditMap(use, name, clsExchange::MapExtension(use));
    std::string select;
    if (result == kMapDeleted) {
        select.clear();
    } else if (!result.empty() && (newMap || result != name)) {
        select = result;
    } else {
        return;  // nothing saved under a new name, nothing deleted: the list stays as it was
    }
    FillMapBox(use, select);
    // Route and re-read maps share their files: the other list learns of the change too, keeping its choice.
    if (use == kMapRoute || use == kMapReRead) {
        const int other = use == kMapRoute ? kMapReRead : kMapRoute;
        FillMapBox(other, FromQt(Controls(other).map->currentText()));
    }
}

void frmOptions::UpdateMinimumSize() {
    layout()->activate();
    setMinimumSize(layout()->totalMinimumSize().expandedTo(QSize(kMinimumWidth, kMinimumHeight)));
}

void frmOptions::Display() { exec(); }

void frmOptions::done(int result) {
    SaveWindowPosition(*this, kWindowName);
    QDialog::done(result);
}

}  // namespace zav
