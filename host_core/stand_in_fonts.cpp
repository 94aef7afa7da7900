// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host_core/stand_in_fonts.h"

#include <cmath>

#include "runtime/controls.h"

namespace forms::core {

namespace {

// Z003 and Nimbus Sans come with Debian's fonts-urw-base35, which the page's web fonts are made
// from too; DejaVu Sans is on nearly every desktop. That package installs each face twice, as
// Type 1 and as OpenType, and fontconfig names the OpenType files' foundry "UKWN"; FreeType opens
// the OpenType cut in half the time and with less memory, so it is asked for first.
constexpr std::string_view kHandwriting[]{"Lucida Handwriting", "Z003 [UKWN]", "Z003", "URW Chancery L",
                                          "TeX Gyre Chorus", "Nimbus Sans [UKWN]", "Nimbus Sans",
                                          "DejaVu Sans"};
constexpr std::string_view kSans[]{"MS Sans Serif", "Nimbus Sans [UKWN]", "Nimbus Sans", "Liberation Sans",
                                   "Arial", "DejaVu Sans"};

// Both faces space their lines at 1.2 em (ascent, descent and line gap of their horizontal
// header), as the designed "MS Sans Serif" did: 13 px lines at its 8 pt (11 px).
constexpr StandIn kStandIns[]{
    {"Lucida Handwriting", kHandwriting, "'Z003', cursive", 1.2},
    {"MS Sans Serif", kSans, "'Nimbus Sans', sans-serif", 1.2},
};

}  // namespace

const StandIn& standInFor(std::string_view designed) {
    for (const StandIn& s : kStandIns)
        if (s.designed == designed) return s;
    return kStandIns[1];
}

int linePitch(const forms::Font& font) {
    return static_cast<int>(std::lround(font.pixelSize() * standInFor(font.name).linePitch));
}

}  // namespace forms::core
