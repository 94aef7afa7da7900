// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The host tests need a QApplication; offscreen unless the caller asks for another platform.
#include <gtest/gtest.h>

#include <QApplication>

namespace {
// The offscreen platform cannot raise windows and says so each time; that is no news to a test.
QtMessageHandler defaultHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains("This plugin does not support")) return;
    defaultHandler(type, context, message);
}
}  // namespace

int main(int argc, char* argv[]) {
    defaultHandler = qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
