// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web_host/stand_in_fonts.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace forms::web {

namespace {

// The one table of the page's stand-ins: the designed face, the face the site ships for it
// (web/fonts, made from Debian's fonts-urw-base35 at build time), and its line height as a share
// of the pixel size. The designed "MS Sans Serif" 8 pt (11 px) sets a 13 px line; Z003's capitals
// swash high, and the title's box holds one line of it.
struct StandIn {
    std::string_view designed;
    std::string_view family;
    double lineHeight;
};

constexpr StandIn kStandIns[]{
    {"Lucida Handwriting", "'Z003', cursive", 1.1},
    {"MS Sans Serif", "'Nimbus Sans', sans-serif", 1.2},
};

const StandIn& standInFor(std::string_view designed) {
    for (const StandIn& s : kStandIns)
        if (s.designed == designed) return s;
    return kStandIns[1];  // anything else: the plain sans
}

}  // namespace

WebFont standInFont(const forms::Font& font) {
    const StandIn& s = standInFor(font.name);
    const int pixels = std::max(1, static_cast<int>(std::lround(font.points * 4.0 / 3.0)));
    WebFont f;
    f.css = std::string(font.bold ? "bold " : "") + std::to_string(pixels) + "px " + std::string(s.family);
    f.lineHeight = static_cast<int>(std::lround(pixels * s.lineHeight));
    f.underline = font.underline;
    return f;
}

}  // namespace forms::web
