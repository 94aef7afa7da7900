// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Twips, as the model keeps positions, to the pixels of a window's client area.
#pragma once

#include <algorithm>
#include <cmath>

#include <QRect>

#include "runtime/controls.h"

namespace forms::qt {

constexpr int kTwipsPerPixel = 15;

// Rounded to the nearest pixel. A sprite may wander far off its window; it is held to a range
// that still lies off screen, never converted out of range.
inline int toPixels(float twips) {
    const double px = std::clamp(static_cast<double>(twips) / kTwipsPerPixel, -1e6, 1e6);
    return static_cast<int>(std::lround(px));
}

inline QRect pixelRect(const forms::VisibleControl& c) {
    return {toPixels(c.Left.get().value()), toPixels(c.Top.get().value()),
            toPixels(c.Width.get().value()), toPixels(c.Height.get().value())};
}

}  // namespace forms::qt
