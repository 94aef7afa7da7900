// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The fonts of the game's design, or close installed stand-ins where they are missing.
#pragma once

#include <QFont>

#include "runtime/controls.h"

namespace forms::qt {

// Sizes are points at 96 dots per inch, so a font is as many pixels high as it was designed,
// whatever the screen's own resolution: pixel size = points * 4 / 3.
QFont standInFont(const forms::Font& font);

}  // namespace forms::qt
