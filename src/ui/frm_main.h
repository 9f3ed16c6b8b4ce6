// frmMain: the main window. A column of command buttons at the left, the run log beside it, and the
// menus File, Convert, Setup and Help. A conversion command turns its button into a progress panel and
// runs its driver on this thread; pending events run at each progress update, so while a command runs
// every other command and menu is disabled (no second command can start inside the first) and the
// window cannot be closed. A command whose driver or window is not part of the program yet stays
// disabled.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "setup/dist.h"

class QAction;
class QPushButton;

namespace zav {

class clsExchange;
class ProgressPanel;
class RegistryStore;
class RunLog;

enum class Conversion { Route = 0, ReRead = 1, Reading = 2 };

// What a conversion command runs. `driver` returns false when the conversion did not complete (the run
// log says why). For the reading command, `chooseSource` runs first (false: stop without a word) and
// `afterSuccess` runs after a successful conversion.
struct ConversionCommand {
    std::function<bool()> driver{};
    std::function<bool()> chooseSource{};
    std::function<void()> afterSuccess{};
};

class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    // `executableName`: the program's file name without folder and extension (it names the edition).
    frmMain(clsExchange& exchange, RegistryStore& store, std::filesystem::path home, const std::string& executableName);
    ~frmMain() override;

    // Shows the window where it was last closed (maximized when it was).
    void ShowRestored();
    // Loads the exchange settings; while no route map is set, offers to load a distribution first.
    void LoadExchangeSettings();

    // The run log and the progress of the running command (the Frontend's side of the window).
    void AddLog(const std::string& line);
    void SetProgressButton(long max, long current);
    // Switches the progress display for `button` on (panel in its place, busy pointer, every other
    // command and menu disabled) or off (everything as it was, focus back on the button).
    void ProgressButton(QPushButton* button, bool on);
    bool IsRunning() const { return running_ != nullptr; }

    // Sets the command's driver; a command without one is disabled.
    void SetConversion(Conversion which, ConversionCommand command);
    void RunConversion(Conversion which);

    void OpenLog();
    void ClearLog();
    void LoadDistribution();
    void CreateDistribution();
    // "Setup" / "Configure Interchange": the options window, modally.
    void ShowOptions();
    // Opens a source file named by the settings (relative to the home folder) in the text editor.
    void EditSource(const std::string& setting);

    // How a file is opened in the desktop's text editor; true when an editor was started.
    std::function<bool(const QString& path)> OpenInEditor;
    // The open (`save` false) or save dialog for a distribution file; "" when cancelled.
    std::function<std::string(const DistFileDialog& dialog, bool save)> ChooseDistFile;

    RunLog& Log() const { return *txtLog_; }
    ProgressPanel& Panel() const { return *panel_; }
    QPushButton* CommandButton(Conversion which) const { return buttons_[static_cast<int>(which)]; }
    QAction* CommandAction(Conversion which) const { return actions_[static_cast<int>(which)]; }

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildCommands();
    void BuildMenus();
    void LayOutCommands();
    void LayOutLog();
    void SetLogCommandsEnabled(bool on);
    // Runs a command's work; a run-time error that escapes it is shown ("Error") instead of ending the program.
    void Guarded(const std::function<void()>& work);

    clsExchange& exchange_;
    RegistryStore& store_;
    std::filesystem::path home_;
    QWidget* central_;
    RunLog* txtLog_;
    ProgressPanel* panel_;
    std::array<QPushButton*, 3> buttons_{};
    std::array<QAction*, 3> actions_{};
    std::array<ConversionCommand, 3> conversions_;
    QPushButton* cmdRouteEdit_ = nullptr;
    QPushButton* cmdReReadEdit_ = nullptr;
    QPushButton* btnInstall_ = nullptr;
    QPushButton* btnLog_ = nullptr;
    QPushButton* btnClear_ = nullptr;
    QPushButton* running_ = nullptr;  // the command button in progress mode
    std::vector<std::pair<QPointer<QWidget>, bool>> lockedWidgets_;
    std::vector<std::pair<QPointer<QAction>, bool>> lockedActions_;
    std::unique_ptr<QTemporaryDir> logFolder_;  // the log files handed to the editor, removed at exit
    int logFilesWritten_ = 0;
    int logLeft_ = 0;
    int logTop_ = 0;
};

// The main window's title: the product and its version ("ZavDepot v3.0.0"); the product alone for the
// Pendrel edition.
QString MainTitle(const std::string& executableName);

}  // namespace zav
