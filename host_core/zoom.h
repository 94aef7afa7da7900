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

// The largest whole zoom z at which `scaled` times z, plus `fixed` (a frame, a title bar), fits
// `room`; 0 where not even z = 1 fits.
int wholeZoomToFit(Size scaled, Size fixed, Size room);

// The same, but never 0: where not even z = 1 fits, the largest fraction of it that does, so
// that nothing is left partly out of view (a phone narrower than a window).
double zoomToFit(Size scaled, Size fixed, Size room);

}  // namespace forms::core
