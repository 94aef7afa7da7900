// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Minimising and bringing back a window, the same on every platform Qt offers on Linux. On X a
// window manager minimises and restores on request and says so. Wayland's shell lets a window ask
// to be minimised but has no request to come back, and tells the window nothing of it: Qt reports
// a window it has just minimised as normal again, and only a new surface brings it back.
#pragma once

class QWidget;

namespace forms::qt {

// Whether a minimised window can come back only as a new surface, and the platform never says
// whether a window is minimised (Wayland).
bool minimisingIsOneWay();

// Brings a window back from minimised (or shows it, if the platform never minimised it), in front
// of the player with the keyboard.
void bringBack(QWidget& window);

}  // namespace forms::qt
