// The game on the desktop: the program's forms on real windows, run until the program ends.
#include <map>
#include <string>

#include <QApplication>

#include "app/program.h"
#include "assets/artwork.h"
#include "runtime/qt/platform_settings.h"
#include "runtime/qt/qt_host.h"

int main(int argc, char* argv[]) {
    forms::qt::applyPlatformSettings();
    QApplication app(argc, argv);
    QApplication::setApplicationName(miravel::kAppTitle);
    QApplication::setApplicationVersion(miravel::kFileVersion);
    // The installed desktop entry's name: Wayland compositors match the windows to it by this.
    QGuiApplication::setDesktopFileName(QStringLiteral(MIRAVEL_APP_ID));
    // The model ends the program (Quit, a closed title window, a run-time error), not Qt.
    QApplication::setQuitOnLastWindowClosed(false);

    forms::qt::QtHost host(miravel::pictureResources());
    // The title window's icon is the program's own.
    QApplication::setWindowIcon(host.pictures().icon("icon_light"));
    QObject::connect(&host, &forms::qt::QtHost::ended, &app, &QCoreApplication::exit);

    miravel::Program program(host);
    host.attach(program.runtime);
    program.start();
    // An error while the title loads ends the program before any event loop could be told.
    if (!program.runtime.ended()) QApplication::exec();
    return program.runtime.exitStatus();
}
