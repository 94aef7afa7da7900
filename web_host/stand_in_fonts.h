// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The faces the page ships in place of the game's designed fonts, and how large they are set.
#pragma once

#include <string>

#include "runtime/controls.h"

namespace forms::web {

// A designed font as the page sets it: a CSS font shorthand and the height of one line.
struct WebFont {
    std::string css;      // e.g. "bold 24px 'Nimbus Sans', sans-serif"
    int lineHeight = 0;   // CSS pixels
    bool underline = false;
};

// Sizes are points at 96 dots per inch, as on the desktop: pixel size = points * 4 / 3.
WebFont standInFont(const forms::Font& font);

}  // namespace forms::web
