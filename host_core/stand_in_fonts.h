// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The faces that stand in for the fonts the game was designed with, the same on every host: the
// desktop asks its font database for them in order, the page ships them as web fonts. A caption
// is set in its designed size (points at 96 dots per inch) and made a pixel smaller at a time
// until it fits its box, its lines always one pitch apart.
#pragma once

#include <span>
#include <string_view>

namespace forms {
struct Font;
}

namespace forms::core {

struct StandIn {
    std::string_view designed;  // the face the game was drawn with
    // The faces a desktop is asked for, best first: the designed face itself where it is
    // installed, then the stand-ins.
    std::span<const std::string_view> desktopFamilies;
    std::string_view webFamily;  // the face the page ships, as a CSS family list
    double linePitch;            // from one baseline to the next, in ems: the stand-in's own
};

// The stand-in of a designed face; anything not in the table gets the plain sans.
const StandIn& standInFor(std::string_view designed);

// Pixels from one baseline to the next, for text set in the designed size.
int linePitch(const forms::Font& font);

// Below this a caption is no longer worth reading; the smallest size is used even if it spills.
constexpr int kSmallestPixelSize = 6;

}  // namespace forms::core
