// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The whole-step rule every host fits by: the picture grows, the frame (title bar, touch keys)
// does not, and only where not even one step fits does the scale go below one.
#include <gtest/gtest.h>

#include "host_core/zoom.h"

namespace {

using forms::core::Size;

struct Case {
    const char* what;
    Size scaled, fixed, room;
    int whole;   // wholeZoomToFit
    double fit;  // zoomToFit
};

const Case kCases[]{
    {"a level on a 1920x1080 page: the width binds", {497, 197}, {2, 24}, {1920, 1047}, 3, 3},
    {"exactly two steps wide and high", {497, 197}, {2, 24}, {996, 418}, 2, 2},
    {"a device pixel short of two steps", {497, 197}, {2, 24}, {995, 418}, 1, 1},
    {"the title on a 4K screen: the height binds", {407, 453}, {2, 24}, {3840, 2094}, 4, 4},
    {"the frame is counted once, not grown", {407, 453}, {0, 100}, {1221, 1459}, 3, 3},
    {"a level on a phone held upright: not even one step", {497, 197}, {0, 0}, {390, 844}, 0, 390.0 / 497},
    {"below one step the tighter axis binds", {500, 200}, {0, 100}, {400, 200}, 0, 0.5},
    {"no room beside the frame", {497, 197}, {2, 24}, {100, 20}, 0, 0},
    {"nothing to grow along one axis: the other decides", {0, 197}, {0, 0}, {100, 400}, 2, 2},
};

TEST(ZoomToFit, TableOfScreens) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.what);
        const int whole = forms::core::wholeZoomToFit(c.scaled, c.fixed, c.room);
        const double fit = forms::core::zoomToFit(c.scaled, c.fixed, c.room);
        EXPECT_EQ(whole, c.whole);
        EXPECT_DOUBLE_EQ(fit, c.fit);
        // Wherever the frame itself fits, the picture and its frame lie wholly in the room.
        if (c.fixed.width <= c.room.width && c.fixed.height <= c.room.height) {
            EXPECT_LE(fit * c.scaled.width + c.fixed.width, c.room.width + 1e-9);
            EXPECT_LE(fit * c.scaled.height + c.fixed.height, c.room.height + 1e-9);
        }
        // And a whole step is the largest: one more would pass the room along some axis.
        if (whole >= 1) {
            EXPECT_TRUE((whole + 1) * c.scaled.width + c.fixed.width > c.room.width ||
                        (whole + 1) * c.scaled.height + c.fixed.height > c.room.height);
        }
    }
}

}  // namespace
