// The desktop application's start: splash window, login gate, main window.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/frontend.h"
#include "exchange/exchange.h"
#include "ui/frm_main.h"
#include "ui/frm_splash.h"
#include "ui/qt_frontend.h"

namespace zav {

class RegistryStore;

// The windows of one run of the desktop application and the Qt Frontend they report through
// (installed for the session's lifetime).
class DesktopSession {
  public:
    // Installs the Qt Frontend and shows the splash window.
    DesktopSession(RegistryStore& store, std::filesystem::path home, std::string executableName);
    ~DesktopSession();

    // Passes the login gate when the advanced options ask for it (unless `noGate`), then shows the main
    // window, brings the splash window to the front and loads the exchange settings (offering a
    // distribution while no route map is set). False when the login was refused: nothing else opens.
    bool Open(bool noGate);

    frmSplash& Splash() { return splash_; }
    frmMain* Main() { return main_.get(); }

  private:
    RegistryStore& store_;
    std::filesystem::path home_;
    std::string executableName_;
    QtFrontend frontend_;
    ScopedFrontend scoped_;
    frmSplash splash_;
    clsExchange exchange_;
    std::unique_ptr<frmMain> main_;
};

// Whether the desktop application has a display to show its windows on.
bool DisplayAvailable();

// Runs the desktop application on `home` (the program's folder) until its main window closes and
// returns the exit status. `noGate` skips the login gate (the word NOGATE on the command line).
// `argc`/`argv` are the program's own; the first names the edition. Without a display it says so on
// standard error and returns 1.
int RunDesktop(int& argc, char** argv, const std::filesystem::path& home, bool noGate);

}  // namespace zav
