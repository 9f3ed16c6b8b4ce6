// The PDF module the command line loads on demand (zavdepot-pdf.so beside the program), so that the
// command line itself links no Qt: one C entry point makes a PDF surface. Qt Gui needs an application
// object; without one the module makes its own on the "offscreen" platform, so no display is needed.
#include "qtsurface/pdf_module.h"

#include <QGuiApplication>
#include <cstdio>

#include "qtsurface/painter_surface.h"

namespace {

// Qt's own notes (debug, info, warnings such as a missing runtime folder) are not the command line's to
// show; critical messages still reach standard error.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    qInstallMessageHandler(QuietQtMessages);
    static int argc = 3;
    static char name[] = "zavdepot";
    static char platformOption[] = "-platform";
    static char platform[] = "offscreen";
    static char* argv[] = {name, platformOption, platform, nullptr};
    // Lives until the process ends: Qt objects made by surfaces may outlive any one report.
    new QGuiApplication(argc, argv);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) zav::Surface* zavdepot_create_pdf_surface(const char* path) {
    EnsureGuiApplication();
    return new zav::PdfSurface(path);
}
