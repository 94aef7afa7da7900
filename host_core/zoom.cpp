// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host_core/zoom.h"

#include <algorithm>

namespace forms::core {

namespace {

// How many times `scaled` goes into what `room` leaves beside `fixed`, along one axis.
double along(int scaled, int fixed, int room) {
    if (scaled <= 0) return 1e9;  // nothing there to grow: no limit from this axis
    return std::max(0.0, static_cast<double>(room - fixed) / scaled);
}

}  // namespace

int wholeZoomToFit(Size scaled, Size fixed, Size room) {
    const double z = std::min(along(scaled.width, fixed.width, room.width),
                              along(scaled.height, fixed.height, room.height));
    return static_cast<int>(std::min(z, 1e6));
}

double zoomToFit(Size scaled, Size fixed, Size room) {
    const int whole = wholeZoomToFit(scaled, fixed, room);
    if (whole >= 1) return whole;
    return std::min(along(scaled.width, fixed.width, room.width), along(scaled.height, fixed.height, room.height));
}

int startZoom(Size window, Size frame, Size available) {
    return std::max(1, wholeZoomToFit(window, frame, available));
}

int windowZoom(int zoom, Size window, Size frame, Size available) {
    return std::max(1, std::min(zoom, wholeZoomToFit(window, frame, available)));
}

int largestZoom(const Size* windows, int count, Size frame, Size available) {
    int largest = 1;
    for (int i = 0; i < count; ++i) largest = std::max(largest, wholeZoomToFit(windows[i], frame, available));
    return largest;
}

Point placedOnScreen(Point wanted, Size frame, Rect available) {
    auto place = [](int at, int size, int first, int room) { return std::max(first, std::min(at, first + room - size)); };
    return {place(wanted.x, frame.width, available.x, available.width),
            place(wanted.y, frame.height, available.y, available.height)};
}

}  // namespace forms::core
