// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The model's pixel rectangles as Qt's.
#pragma once

#include <QRect>

#include "runtime/pixels.h"

namespace forms::qt {

inline QRect toQRect(const forms::PixelRect& r) { return {r.x, r.y, r.width, r.height}; }

inline QRect qRectOf(const forms::VisibleControl& c) { return toQRect(forms::pixelRect(c)); }

}  // namespace forms::qt
