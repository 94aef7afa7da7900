// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The game on the desktop, as a player starts it: the application's name, version and desktop
// id, the Qt host with the game's pictures, and the program on it. The game's main() and the
// benchmarks' harness start it through here, so that they measure what players run.
#pragma once

#include <QApplication>

#include "game/program.h"
#include "qt_host/pad_input.h"
#include "qt_host/qt_host.h"

namespace miravel {

// Settings Qt reads as it starts: call before the QApplication is made.
void prepareDesktop();

class DesktopGame {
public:
    // With the application made; the game ends the event loop when the program ends.
    explicit DesktopGame(QApplication& app);

    // Shows the title window; the gamepads join once it is painted.
    void start() {
        program.start();
        pads.startAfterFirstPaint();
    }
    // Shows the title window and runs until the program ends; the program's exit status.
    int run();

    forms::qt::QtHost host;
    Program program;
    forms::qt::PadInput pads{host};
};

}  // namespace miravel
