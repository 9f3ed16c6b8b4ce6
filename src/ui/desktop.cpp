#include "ui/desktop.h"

#include <QApplication>
#include <QMessageBox>

#include "advanced/advanced.h"
#include "core/errors.h"
#include "core/identity.h"
#include "exchange/exchange.h"
#include "setup/registry_store.h"
#include "ui/frm_login.h"
#include "ui/frm_main.h"
#include "ui/frm_splash.h"
#include "ui/qt_frontend.h"
#include "ui/qt_text.h"

namespace zav {

namespace {

// The drivers of the conversion commands. A command whose driver is not part of the program yet has no
// line here and stays disabled; a driver joins with one line, as the route conversion will:
//   main.SetConversion(Conversion::Route, {[&exchange] { return exchange.ConvertRoute(); }});
void WireCommands(frmMain&, clsExchange&) {}

// Releases the shared advanced options (saving what changed) while their store is still open.
struct AdvancedRelease {
    ~AdvancedRelease() { ReleaseSharedAdvanced(); }
};

int RunWindows(QApplication& app, RegistryStore& store, const std::filesystem::path& home, bool noGate,
               const std::string& executableName) {
    QtFrontend frontend;
    ScopedFrontend scoped(frontend);
    frmSplash splash;
    splash.show();
    if (!noGate && SharedAdvanced(store).UseLoginSecurity()) {
        frmLogin login(SharedAdvanced(store));
        if (!login.Display()) {
            // Nothing else opens: the program ends as the splash window closes itself.
            if (splash.isVisible()) {
                QObject::connect(&splash, &frmSplash::closed, &app, &QApplication::quit);
                app.exec();
            }
            return 1;
        }
    }
    clsExchange exchange(store);
    exchange.HomeFolder = home;
    frmMain main(exchange, store, home, executableName);
    WireCommands(main, exchange);
    frontend.AttachMainWindow(&main);
    QObject::connect(&main, &frmMain::closed, &app, &QApplication::quit);
    main.ShowRestored();
    splash.raise();
    main.LoadExchangeSettings();
    const int status = app.exec();
    frontend.AttachMainWindow(nullptr);
    return status;
}

}  // namespace

int RunDesktop(int& argc, char** argv, const std::filesystem::path& home, bool noGate) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(kCompanyName);
    QApplication::setApplicationName(kAppTitle);
    QApplication::setApplicationVersion(kVersionText);
    QApplication::setQuitOnLastWindowClosed(false);  // the main window's closing ends the program
    const std::string executableName = argc > 0 ? std::filesystem::path(argv[0]).stem().string() : std::string();
    try {
        RegistryStore store(home / "registry.sqlite3");
        AdvancedRelease release;
        return RunWindows(app, store, home, noGate, executableName);
    } catch (const RuntimeError& e) {
        QMessageBox::critical(nullptr, "Error", ToQt(e.Description()));
        return 1;
    }
}

}  // namespace zav
