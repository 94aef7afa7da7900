// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The game is shown in whole steps: each picture pixel a square of whole device pixels, so that
// pixel art stays crisp. The rules for choosing the step are the same for every host: a window
// on the desktop (its frame does not grow with it), a window maximised or made fullscreen, a
// panel on a page (its title bar and touch keys do not grow with it).
#pragma once

namespace forms::core {

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The largest whole zoom z at which `scaled` times z, plus `fixed` (a frame, a title bar), fits
// `room`; 0 where not even z = 1 fits.
int wholeZoomToFit(Size scaled, Size fixed, Size room);

// The same, but never 0: where not even z = 1 fits, the largest fraction of it that does, so
// that nothing is left partly out of view (a phone narrower than a window).
double zoomToFit(Size scaled, Size fixed, Size room);

// The zoom a game starts at: the largest at which its first window (`window`, its client area at
// zoom 1), with its frame, fits the screen's available area; 1 where not even that fits.
int startZoom(Size window, Size frame, Size available);

// The zoom one window is shown at when the game's zoom is `zoom`: no larger than lets it, frame
// included, fit the available area, so that a wide window on a narrow screen stays whole; at
// least 1.
int windowZoom(int zoom, Size window, Size frame, Size available);

// The largest zoom worth asking for: beyond it, none of these windows would grow any more.
int largestZoom(const Size* windows, int count, Size frame, Size available);

// Where a window's frame goes (its top-left): at `wanted` where the frame fits `available`, moved
// just enough where it does not, at the area's top-left corner where the frame is larger.
Point placedOnScreen(Point wanted, Size frame, Rect available);

}  // namespace forms::core
