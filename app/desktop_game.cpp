// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/desktop_game.h"

#include "assets/artwork.h"
#include "assets/embedded.h"
#include "game/version.h"
#include "qt_host/platform_settings.h"

namespace miravel {

void prepareDesktop() { forms::qt::applyPlatformSettings(); }

DesktopGame::DesktopGame(QApplication& app) : host(pictureResources()), program(host) {
    // Before any window exists, which start() makes.
    QApplication::setApplicationName(kAppTitle);
    QApplication::setApplicationVersion(kFileVersion);
    // The installed desktop entry's name: Wayland compositors match the windows to it by this.
    QGuiApplication::setDesktopFileName(QStringLiteral(MIRAVEL_APP_ID));
    // The model ends the program (Quit, a closed title window, a run-time error), not Qt.
    QApplication::setQuitOnLastWindowClosed(false);
    // The title window's icon is the program's own.
    QApplication::setWindowIcon(host.pictures().icon("icon_light"));
    QObject::connect(&host, &forms::qt::QtHost::ended, &app, &QCoreApplication::exit);
    host.attach(program.runtime);
}

int DesktopGame::run() {
    start();
    // An error while the title loads ends the program before any event loop could be told.
    if (!program.runtime.ended()) QApplication::exec();
    return program.runtime.exitStatus();
}

}  // namespace miravel
