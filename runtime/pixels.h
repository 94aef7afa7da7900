// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Twips, as the model keeps positions and sizes, to the pixels of a window's client area: the
// same rule for every host that draws the forms.
#pragma once

#include <algorithm>
#include <cmath>

#include "runtime/controls.h"

namespace forms {

constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel. A sprite may wander far off its window; it is held to a range
// that still lies off screen, never converted out of range.
inline int toPixels(float twips) {
    const double px = std::clamp(static_cast<double>(twips) / kTwipsPerPixel, -1e6, 1e6);
    return static_cast<int>(std::lround(px));
}

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

inline PixelRect pixelRect(const VisibleControl& c) {
    return {toPixels(c.Left.get().value()), toPixels(c.Top.get().value()), toPixels(c.Width.get().value()),
            toPixels(c.Height.get().value())};
}

}  // namespace forms
