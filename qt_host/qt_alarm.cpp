// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/qt_alarm.h"

namespace forms::qt {

QtAlarm::QtAlarm(std::function<void()> fired, QObject* parent) : QObject(parent) {
    realTime_.start();
    timer_.setSingleShot(true);
    // The game's shortest period is 16 ms; a coarse timer would stretch it by up to 5%.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, std::move(fired));
}

std::int64_t QtAlarm::nowNs() const { return clock_ ? clock_() : realTime_.nsecsElapsed(); }

void QtAlarm::arm(std::int64_t ms) { timer_.start(static_cast<int>(ms)); }

}  // namespace forms::qt
