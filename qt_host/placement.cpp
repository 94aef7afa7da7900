// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/placement.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace forms::qt {

QPoint placedOnScreen(QPoint wanted, QSize frame, const QRect& available) {
    auto along = [](int at, int size, int first, int room) { return std::max(first, std::min(at, first + room - size)); };
    return {along(wanted.x(), frame.width(), available.left(), available.width()),
            along(wanted.y(), frame.height(), available.top(), available.height())};
}

QMargins expectedFrame() {
    QMargins largest;
    bool anyShown = false;
    for (const QWindow* w : QGuiApplication::topLevelWindows()) {
        if (!w->isVisible() || w->flags().testFlag(Qt::ToolTip)) continue;
        anyShown = true;
        const QMargins m = w->frameMargins();
        largest = QMargins(std::max(largest.left(), m.left()), std::max(largest.top(), m.top()),
                           std::max(largest.right(), m.right()), std::max(largest.bottom(), m.bottom()));
    }
    // Before any window is up, a generous guess: a window that fits with room to spare stays put.
    return anyShown ? largest : QMargins(4, 32, 4, 4);
}

void placeWindow(QWidget& window, QPoint wanted) {
    const QMargins frame = expectedFrame();
    const QSize frameSize = window.size().grownBy(frame);
    QScreen* screen = QGuiApplication::screenAt(wanted);
    if (!screen) screen = QGuiApplication::primaryScreen();
    window.move(screen ? placedOnScreen(wanted, frameSize, screen->availableGeometry()) : wanted);
}

}  // namespace forms::qt
