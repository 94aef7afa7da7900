// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop.h"

#include <QString>
#include <QtGlobal>

namespace bench {

namespace {
QtMessageHandler defaultHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("This plugin does not support"))) return;
    defaultHandler(type, context, message);
}
}  // namespace

void quietQtLog() { defaultHandler = qInstallMessageHandler(quietHandler); }

}  // namespace bench
