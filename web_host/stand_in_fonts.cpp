// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web_host/stand_in_fonts.h"

#include "host_core/stand_in_fonts.h"

namespace forms::web {

WebFont standInFont(const forms::Font& font) {
    WebFont f;
    f.family = std::string(forms::core::standInFor(font.name).webFamily);
    f.pixelSize = font.pixelSize();
    f.bold = font.bold;
    f.linePitch = forms::core::linePitch(font);
    f.underline = font.underline;
    return f;
}

}  // namespace forms::web
