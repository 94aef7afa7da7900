// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The game on the desktop: the program's forms on real windows, run until the program ends.
#include <QApplication>

#include "app/desktop_game.h"
#include "qt_host/platform_settings.h"

int main(int argc, char* argv[]) {
    miravel::prepareDesktop();
    forms::qt::guardPlatformStart("miravel-vozoda");
    QApplication app(argc, argv);
    forms::qt::platformStarted();
    miravel::DesktopGame game(app);
    return game.run();
}
