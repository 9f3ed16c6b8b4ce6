#include "ui/desktop.h"
#include "ui/program_icon.h"

#include <QApplication>
#include <QMessageBox>
#include <iostream>

#include "advanced/advanced.h"
#include "core/errors.h"
#include "core/identity.h"
#include "hostformats/host_formats.h"
#include "setup/registry_store.h"
#include "ui/frm_login.h"
#include "ui/qt_text.h"
#include "ui/reading_reports.h"

namespace zav {

namespace {

// The drivers of the conversion commands. A command whose driver is not part of the program yet has no
// line here and stays disabled; a driver joins with one line.
void WireCommands(frmMain& main, clsExchange& exchange) {
    main.SetConversion(Conversion::Route, {[&exchange] { return exchange.ConvertRoute(); }});
    main.SetConversion(Conversion::ReRead, {[&exchange] { return exchange.ConvertReRead(); }});
    main.SetConversion(Conversion::Reading,
                       {[&exchange] { return exchange.ConvertReading(); }, {},
                        [&main, &exchange] {
                            ReadingReports(&main, exchange.SettingPath(exchange.ReadingSource), exchange.HomeFolder)
                                .Run();
                        }});
}

// Releases the shared advanced options (saving what changed) while their store is still open.
struct AdvancedRelease {
    ~AdvancedRelease() { ReleaseSharedAdvanced(); }
};

}  // namespace

DesktopSession::DesktopSession(RegistryStore& store, std::filesystem::path home, std::string executableName)
    : store_(store),
      home_(std::move(home)),
      executableName_(std::move(executableName)),
      scoped_(frontend_),
      exchange_(store) {
    exchange_.HomeFolder = home_;
    splash_.show();
}

DesktopSession::~DesktopSession() { frontend_.AttachMainWindow(nullptr); }

bool DesktopSession::Open(bool noGate) {
    if (!noGate && SharedAdvanced(store_).UseLoginSecurity()) {
        frmLogin login(SharedAdvanced(store_));
        if (!login.Display()) return false;
    }
    main_ = std::make_unique<frmMain>(exchange_, store_, home_, executableName_);
    WireCommands(*main_, exchange_);
    frontend_.AttachMainWindow(main_.get());
    main_->ShowRestored();
    splash_.raise();
    main_->LoadExchangeSettings();
    return true;
}

bool DisplayAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

int RunDesktop(int& argc, char** argv, const std::filesystem::path& home, bool noGate) {
    if (!DisplayAvailable()) {  // Qt would abort the program without a display to connect to
        std::cerr << "Error: no display for the desktop application (DISPLAY is not set).\n"
                     "Run a command instead: zavdepot --help\n";
        return 1;
    }
    RegisterHostFormats();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(kCompanyName);
    QApplication::setApplicationName(kAppTitle);
    QApplication::setApplicationVersion(kVersionText);
    QApplication::setWindowIcon(ProgramIcon());  // every window, the main window and splash among them
    QApplication::setQuitOnLastWindowClosed(false);  // the main window's closing ends the program
    const std::string executableName = argc > 0 ? std::filesystem::path(argv[0]).stem().string() : std::string();
    try {
        RegistryStore store(home / "registry.sqlite3");
        AdvancedRelease release;
        DesktopSession session(store, home, executableName);
        if (!session.Open(noGate)) {
            // The login was refused: the program ends as the splash window closes itself.
            if (!session.Splash().isVisible()) return 1;
            QObject::connect(&session.Splash(), &frmSplash::closed, &app, &QApplication::quit);
            app.exec();
            return 1;
        }
        QObject::connect(session.Main(), &frmMain::closed, &app, &QApplication::quit);
        return app.exec();
    } catch (const RuntimeError& e) {
        QMessageBox::critical(nullptr, "Error", ToQt(e.Description()));
        return 1;
    }
}

}  // namespace zav
