// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Where the game's windows open on the screen: where the game wants them, as long as the whole
// window, frame included, lies on the screen's available area; moved just enough where it would
// not (a title window at twice its size runs off a small screen's bottom, hiding Begin and Quit).
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace forms::qt {

// The frame's top-left: `wanted` where the frame fits `available`, moved just enough where it
// does not, at the area's top-left corner where the frame is larger than the area.
QPoint placedOnScreen(QPoint wanted, QSize frame, const QRect& available);

// The available area of the screen at `point` (the primary screen's where no screen is there).
QRect availableAt(QPoint point);

// Where a message box's frame (`box`) goes over its owner's frame (`owner`): centred over it,
// unless that hides `keepClear` (what the game has just put up, a score board); then above it
// or below it, still over the owner where there is room; and always wholly on `available`, so
// its caption stays in view.
QPoint placedClearOf(const QRect& owner, QSize box, const QRect& keepClear, const QRect& available);

// The frame a window manager puts around a window, as far as it can be known before the window
// is shown: the largest frame of a window already shown, or room for a title bar and borders.
QMargins expectedFrame();

// Moves a window that is not shown yet so that its frame's top-left is at `wanted`, or as near
// as the screen there allows.
void placeWindow(QWidget& window, QPoint wanted);

}  // namespace forms::qt
