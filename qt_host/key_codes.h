// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Qt keys as the desktop key codes and modifier mask the forms runtime works with.
#pragma once

#include <Qt>

namespace forms::qt {

// The desktop key code of a Qt key (Left 37, A 65, Enter 13, F1 112...); 0 for a key the desktop
// has no code for. The keypad modifier tells keypad digits from the row above the letters.
int desktopKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// Shift 1, Ctrl 2, Alt 4.
int desktopModifiers(Qt::KeyboardModifiers modifiers);

}  // namespace forms::qt
