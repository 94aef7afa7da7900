// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/placement.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "host_core/zoom.h"

namespace forms::qt {

QPoint placedOnScreen(QPoint wanted, QSize frame, const QRect& available) {
    const core::Point p = core::placedOnScreen({wanted.x(), wanted.y()}, {frame.width(), frame.height()},
                                               {available.x(), available.y(), available.width(), available.height()});
    return {p.x, p.y};
}

QRect availableAt(QPoint point) {
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QPoint placedClearOf(const QRect& owner, QSize box, const QRect& keepClear, const QRect& available) {
    const int x = owner.center().x() - box.width() / 2;
    const QPoint centred(x, owner.center().y() - box.height() / 2);
    auto clear = [&](QPoint at) { return !QRect(placedOnScreen(at, box, available), box).intersects(keepClear); };
    if (keepClear.isEmpty() || clear(centred)) return placedOnScreen(centred, box, available);
    // Over the owner above what must stay in view, else below it: in the middle of that part of
    // the owner where the box fits there, else right next to what must stay clear.
    const int roomAbove = keepClear.top() - owner.top();
    const int above = roomAbove >= box.height() ? owner.top() + (roomAbove - box.height()) / 2
                                                : keepClear.top() - box.height();
    const int roomBelow = owner.bottom() - keepClear.bottom();
    const int below = roomBelow >= box.height() ? keepClear.bottom() + 1 + (roomBelow - box.height()) / 2
                                                : keepClear.bottom() + 1;
    for (QPoint at : {QPoint(x, above), QPoint(x, below)})
        if (clear(at)) return placedOnScreen(at, box, available);
    return placedOnScreen(centred, box, available);
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
    window.move(placedOnScreen(wanted, frameSize, availableAt(wanted)));
}

}  // namespace forms::qt
