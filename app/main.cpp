// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The game on the desktop: the program's forms on real windows, run until the program ends.
#include <cstdio>
#include <cstdlib>

#include <QApplication>

#include "app/desktop_game.h"
#include "qt_host/platform_settings.h"

int main(int argc, char* argv[]) {
    miravel::prepareDesktop();
    forms::qt::guardPlatformStart("miravel-vozoda");
    QApplication app(argc, argv);
    forms::qt::platformStarted();
    miravel::DesktopGame game(app);
    const int status = game.run();
    // On Wayland, Qt 6.4 tearing down its display can wait for ever on its event thread (seen on
    // weston after Quit: no window left, the process still there). The game has nothing left to
    // save or close: leave at once, with what was written out.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}
