// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/window_state.h"

#include <QGuiApplication>
#include <QWidget>

namespace forms::qt {

bool minimisingIsOneWay() {
    static const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    return wayland;
}

void bringBack(QWidget& window) {
    if (minimisingIsOneWay()) {
        // A compositor that never minimised the window shows it afresh where it was.
        window.hide();
        window.showNormal();
        return;
    }
    window.showNormal();
    window.raise();
    window.activateWindow();
}

}  // namespace forms::qt
