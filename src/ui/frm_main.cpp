#include "ui/frm_main.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/home.h"
#include "core/identity.h"
#include "core/text.h"
#include "exchange/exchange.h"
#include "install/unit_install.h"
#include "ui/accessible_names.h"
#include "ui/frm_about.h"
#include "ui/frm_options.h"
#include "ui/frm_unit_install.h"
#include "ui/main_layout.h"
#include "ui/progress_panel.h"
#include "ui/qt_text.h"
#include "ui/run_log.h"
#include "ui/viewer_command.h"
#include "ui/window_position.h"

namespace zav {

namespace {

constexpr const char* kWindowName = "frmMain";
constexpr int kMargin = 8;
constexpr int kButtonGap = 4;

bool OpenWithDesktop(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

std::string AskForDistFile(QWidget* parent, const DistFileDialog& dialog, bool save) {
    QFileDialog chooser(parent, ToQt(dialog.title), QFile::decodeName(dialog.initialFolder.c_str()),
                        QtFileFilter(dialog.filter));
    chooser.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    chooser.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    chooser.setDefaultSuffix(ToQt(dialog.defaultExtension));
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return {};
    return QFile::encodeName(chooser.selectedFiles().front()).toStdString();
}

}  // namespace

QString MainTitle(const std::string& executableName) {
    if (EqualsNoCase(executableName, "Pendrel")) return ToQt(kProductName);
    return ToQt(std::string(kProductName) + " v" + std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) +
                "." + std::to_string(kVersionRevision));
}

frmMain::frmMain(clsExchange& exchange, RegistryStore& store, std::filesystem::path home,
                 const std::string& executableName)
    : exchange_(exchange), store_(store), home_(std::move(home)), central_(new QWidget(this)) {
    setObjectName(kWindowName);
    setWindowTitle(MainTitle(executableName));
    setCentralWidget(central_);
    txtLog_ = new RunLog(central_);
    panel_ = new ProgressPanel(central_);
    panel_->setObjectName("picProgress");
    OpenInEditor = OpenWithDesktop;
    ChooseDistFile = [this](const DistFileDialog& dialog, bool save) { return AskForDistFile(this, dialog, save); };
    BuildCommands();
    connect(btnInstall_, &QPushButton::clicked, this, [this, programFile = HandheldProgramFile(executableName)] {
        frmUnitInstall(home_, programFile, this).Display();
    });
    BuildMenus();
    LayOutCommands();
    central_->installEventFilter(this);
    resize(760, 460);
    RestoreWindowPosition(*this, kWindowName);
}

frmMain::~frmMain() = default;

void frmMain::BuildCommands() {
    struct ButtonDef {
        const char* name;
        const char* caption;
        const char* tooltip;
    };
    auto make = [this](const ButtonDef& def) {
        auto* button = new QPushButton(def.caption, central_);
        button->setObjectName(def.name);
        if (*def.tooltip) button->setToolTip(def.tooltip);
        return button;
    };
    buttons_[0] = make({"cmdRoute", "Route File", "Create RouteZAV to send to handheld"});
    buttons_[1] = make({"cmdReRead", "Re-Read File", ""});
    buttons_[2] = make({"cmdReading", "Reading File", "Receive Reading ZAV from handheld"});
    cmdRouteEdit_ = make({"cmdRouteEdit", "", "Edit File used to Create RouteZAV to send to handheld"});
    cmdReReadEdit_ = make({"cmdReReadEdit", "", "Edit File used to Create Re-Read ZAV to send to handheld"});
    btnLog_ = make({"btnLog", "Open Log", "Opens log using notepad for printing"});
    btnClear_ = make({"btnClear", "Clear Log", "Clears previous results from log window"});
    QPushButton* cmdSetup = make({"cmdSetup", "Setup", "Change conversion properties"});
    QPushButton* btnAdvanced = make({"btnAdvanced", "Advanced", ""});
    btnInstall_ = make({"btnInstall", "Install to Unit(s)", ""});

    const QIcon editIcon = style()->standardIcon(QStyle::SP_FileDialogContentsView);
    cmdRouteEdit_->setIcon(editIcon);
    cmdReReadEdit_->setIcon(editIcon);
    NameByToolTip(cmdRouteEdit_);  // picture buttons: named by their tooltips
    NameByToolTip(cmdReReadEdit_);

    for (int i = 0; i < 3; ++i) {
        connect(buttons_[i], &QPushButton::clicked, this, [this, i] { RunConversion(static_cast<Conversion>(i)); });
        buttons_[i]->setEnabled(false);  // until a driver is set
    }
    connect(cmdRouteEdit_, &QPushButton::clicked, this, [this] { EditSource(exchange_.RouteSource); });
    connect(cmdReReadEdit_, &QPushButton::clicked, this, [this] { EditSource(exchange_.ReReadSource); });
    connect(btnLog_, &QPushButton::clicked, this, &frmMain::OpenLog);
    connect(btnClear_, &QPushButton::clicked, this, &frmMain::ClearLog);
    connect(cmdSetup, &QPushButton::clicked, this, &frmMain::ShowOptions);
    // The advanced window is not part of the program yet.
    btnAdvanced->setEnabled(false);
}

void frmMain::BuildMenus() {
    auto add = [this](QMenu* menu, const char* name, const char* caption, auto&& slot) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    auto none = [] {};
    QMenu* file = menuBar()->addMenu("&File");
    add(file, "mnuViewer", "Viewer...", [this] { RunViewer(this, home_); });
    file->addSeparator();
    add(file, "mnuExit", "E&xit", [this] { close(); });

    QMenu* convert = menuBar()->addMenu("&Convert");
    const char* names[] = {"mnuRoute", "mnuReRead", "mnuReading"};
    const char* captions[] = {"Make Route Download File", "Make ReRead Download File", "Process Readings File"};
    for (int i = 0; i < 3; ++i) {
        actions_[i] = add(convert, names[i], captions[i], [this, i] { RunConversion(static_cast<Conversion>(i)); });
        actions_[i]->setEnabled(false);
    }

    QMenu* setup = menuBar()->addMenu("&Setup");
    add(setup, "mnuSetup", "Configure Interchange", [this] { ShowOptions(); });
    setup->addSeparator();
    add(setup, "mnuLoadDist", "Load Distribution", [this] { Guarded([this] { LoadDistribution(); }); });
    add(setup, "mnuCreateDist", "Create Distribution", [this] { Guarded([this] { CreateDistribution(); }); });

    QMenu* help = menuBar()->addMenu("&Help");
    add(help, "mnuAbout", "About", [this] { frmAbout(this).exec(); });
    // "Usage" and "Maps" have no action: shown, but disabled so they do not look broken.
    add(help, "mnuUsage", "Usage", none)->setEnabled(false);
    add(help, "mnuMaps", "Maps", none)->setEnabled(false);
}

void frmMain::LayOutCommands() {
    int width = 0;
    int height = 0;
    for (QPushButton* b : central_->findChildren<QPushButton*>()) {
        width = std::max(width, b->sizeHint().width() + 16);
        height = std::max(height, b->sizeHint().height() + 6);
    }
    width = std::max(width, 120);
    const QSize button(width, height);
    int y = kMargin;
    auto place = [&](QPushButton* b, QPushButton* edit = nullptr) {
        b->setGeometry(QRect(QPoint(kMargin, y), button));
        if (edit) edit->setGeometry(kMargin + width + kButtonGap, y, height, height);
        y += height + kButtonGap;
    };
    place(buttons_[0], cmdRouteEdit_);
    place(buttons_[1], cmdReReadEdit_);
    place(buttons_[2]);
    y += height / 2;
    place(btnLog_);
    place(btnClear_);
    y += height / 2;
    place(central_->findChild<QPushButton*>("cmdSetup"));
    place(central_->findChild<QPushButton*>("btnAdvanced"));
    place(btnInstall_);
    logLeft_ = kMargin + width + kButtonGap + height + kMargin;
    logTop_ = kMargin;
    central_->setMinimumSize(MainMinimumSize(logLeft_, btnInstall_->geometry()));
    LayOutLog();
}

void frmMain::LayOutLog() { txtLog_->setGeometry(MainLogGeometry(central_->size(), logLeft_, logTop_)); }

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == central_ && event->type() == QEvent::Resize) LayOutLog();
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::ShowRestored() {
    if (windowState() & Qt::WindowMaximized)
        showMaximized();
    else
        show();
}

void frmMain::LoadExchangeSettings() {
    exchange_.LoadSettings();
    if (!exchange_.RouteMap.empty()) return;
    if (CurrentFrontend().AskYesNo(
            kAppTitle, "Setup information has not yet been entered.\r\nWould you like to load a setup distribution?",
            true))
        Guarded([this] { LoadDistribution(); });
    exchange_.LoadSettings();
}

void frmMain::AddLog(const std::string& line) { txtLog_->AddLog(line); }

void frmMain::SetProgressButton(long max, long current) {
    if (!running_) return;
    panel_->SetProgress(max, current);
    QCoreApplication::processEvents();
}

void frmMain::ProgressButton(QPushButton* button, bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // Every other command and menu stays still while this one runs.
        lockedWidgets_.clear();
        lockedActions_.clear();
        for (QPushButton* b : central_->findChildren<QPushButton*>()) {
            lockedWidgets_.emplace_back(b, b->isEnabled());
            b->setEnabled(false);
        }
        for (QAction* a : menuBar()->findChildren<QAction*>()) {
            lockedActions_.emplace_back(a, a->isEnabled());
            a->setEnabled(false);
        }
        running_ = button;
        panel_->setGeometry(button->geometry());
        panel_->Start(button->text().remove('&'));
        button->hide();
        panel_->show();
        QCoreApplication::processEvents();
        return;
    }
    for (auto& [widget, enabled] : lockedWidgets_)
        if (widget) widget->setEnabled(enabled);
    for (auto& [action, enabled] : lockedActions_)
        if (action) action->setEnabled(enabled);
    lockedWidgets_.clear();
    lockedActions_.clear();
    running_ = nullptr;
    panel_->hide();
    button->show();
    button->setFocus();
    QApplication::restoreOverrideCursor();
}

void frmMain::SetConversion(Conversion which, ConversionCommand command) {
    const int i = static_cast<int>(which);
    conversions_[i] = std::move(command);
    const bool available = static_cast<bool>(conversions_[i].driver);
    buttons_[i]->setEnabled(available);
    actions_[i]->setEnabled(available);
}

void frmMain::RunConversion(Conversion which) {
    const ConversionCommand& command = conversions_[static_cast<int>(which)];
    if (!command.driver || running_) return;
    if (command.chooseSource && !command.chooseSource()) return;
    QPushButton* button = CommandButton(which);
    ProgressButton(button, true);
    bool done = false;
    Guarded([&] { done = command.driver(); });
    if (done && command.afterSuccess) Guarded(command.afterSuccess);
    if (!done) CurrentFrontend().ShowMessage("Check Log\r\nConversion Not Complete", "Error");
    ProgressButton(button, false);
    SetLogCommandsEnabled(true);
}

void frmMain::SetLogCommandsEnabled(bool on) {
    btnLog_->setEnabled(on);
    btnClear_->setEnabled(on);
}

void frmMain::ClearLog() {
    txtLog_->clear();
    SetLogCommandsEnabled(false);
}

void frmMain::OpenLog() {
    if (!logFolder_) logFolder_ = std::make_unique<QTemporaryDir>();
    const QString path = logFolder_->filePath(QString("Run Log %1.txt").arg(++logFilesWritten_));
    QFile file(path);
    if (!logFolder_->isValid() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text) ||
        file.write(txtLog_->Text().toUtf8()) < 0) {
        CurrentFrontend().ShowMessage("Unable to write the log to " + QFile::encodeName(path).toStdString(), "Error");
        return;
    }
    file.close();
    if (!OpenInEditor(path))
        CurrentFrontend().ShowMessage("Unable to start a text editor for " + QFile::encodeName(path).toStdString(),
                                      "Error");
}

void frmMain::EditSource(const std::string& setting) {
    if (Trim(setting).empty()) return;
    const QString path = QFile::decodeName(ResolveAgainst(home_, setting).string().c_str());
    if (!OpenInEditor(path))
        CurrentFrontend().ShowMessage("Unable to start a text editor for " + QFile::encodeName(path).toStdString(),
                                      "Error");
}

void frmMain::LoadDistribution() {
    clsDist dist(store_, home_);
    dist.ChooseFile = [this](const DistFileDialog& dialog) { return ChooseDistFile(dialog, false); };
    if (dist.LoadDist("")) exchange_.LoadSettings();
}

void frmMain::CreateDistribution() {
    clsDist dist(store_, home_);
    dist.ChooseFile = [this](const DistFileDialog& dialog) { return ChooseDistFile(dialog, true); };
    dist.WriteDist("");
}

void frmMain::ShowOptions() {
    Guarded([this] {
        frmOptions options(exchange_, this);
        options.Display();
    });
}

void frmMain::Guarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const RuntimeError& e) {
        CurrentFrontend().ShowMessage(e.Description(), "Error");
    } catch (const std::exception& e) {
        CurrentFrontend().ShowMessage(e.what(), "Error");
    }
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (running_) {  // a command is running on this very thread: the window must outlive it
        event->ignore();
        return;
    }
    SaveWindowPosition(*this, kWindowName);
    event->accept();
    emit closed();
}

}  // namespace zav
