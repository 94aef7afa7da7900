// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A designed font as the page sets it, from the one table of stand-in faces (host_core).
#pragma once

#include <string>

#include "runtime/controls.h"

namespace forms::web {

struct WebFont {
    std::string family;  // a CSS family list, e.g. "'Nimbus Sans', sans-serif"
    int pixelSize = 0;   // CSS pixels, the designed size
    bool bold = false;
    int linePitch = 0;   // CSS pixels from one baseline to the next
    bool underline = false;
};

WebFont standInFont(const forms::Font& font);

}  // namespace forms::web
