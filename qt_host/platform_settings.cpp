// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/platform_settings.h"

#include <QByteArray>
#include <QtGlobal>

namespace forms::qt {

void applyPlatformSettings() {
    // On X, Qt hands a repaint to the server through shared memory and must wait for the server
    // to be done with it before painting over the same pixels again: a round trip, and two
    // thread wake-ups, on nearly every frame, as a moving ball repaints where it just was. The
    // game's repaints are a few small rectangles, cheaper sent over the socket (measured in
    // docs/performance.md).
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", QByteArray("1"));
}

}  // namespace forms::qt
