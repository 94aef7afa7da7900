// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/platform_settings.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include <QByteArray>
#include <QString>
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

namespace {

const char* programName = "miravel-vozoda";
// What Qt said about the platform while it tried to open it: the reason, when it gives up.
std::string platformTrouble;
QtMessageHandler previousHandler = nullptr;

void onStartMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const bool platform = context.category && std::string(context.category).rfind("qt.qpa", 0) == 0;
    if (type != QtFatalMsg) {
        // Held back: they only matter if the platform cannot be opened after all.
        if (platform && platformTrouble.empty()) platformTrouble = message.toStdString();
        else if (!platform && previousHandler) previousHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "%s: cannot open the display: %s\n", programName,
                 platformTrouble.empty() ? message.toLocal8Bit().constData() : platformTrouble.c_str());
    std::_Exit(1);
}

}  // namespace

void guardPlatformStart(const char* program) {
    programName = program;
    // Where the player has named a platform, Qt's own choice is left alone; otherwise Qt looks
    // for Wayland, then X, and with neither there is nothing to show the game on.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "%s: no display to show the game on: neither DISPLAY nor WAYLAND_DISPLAY is set\n",
                     program);
        std::exit(1);
    }
    previousHandler = qInstallMessageHandler(onStartMessage);
}

void platformStarted() {
    qInstallMessageHandler(previousHandler);
    platformTrouble.clear();
}

}  // namespace forms::qt
