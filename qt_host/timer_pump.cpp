// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_host/timer_pump.h"

#include <algorithm>
#include <limits>

#include <QElapsedTimer>

#include "runtime/runtime.h"

namespace forms::qt {

TimerPump::TimerPump(QObject* parent) : QObject(parent) {
    QElapsedTimer realTime;
    realTime.start();
    clock_ = [realTime] { return realTime.nsecsElapsed(); };
    timer_.setSingleShot(true);
    // The game's shortest period is 16 ms; a coarse timer would stretch it by up to 5%.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TimerPump::wake);
}

void TimerPump::setClock(Clock clock) { clock_ = std::move(clock); }

void TimerPump::attach(forms::Runtime& runtime) {
    runtime_ = &runtime;
    startNs_ = clock_();
}

// Rounded up: a tick due in the current millisecond is due now, so the wake-up armed below,
// which may come a little early, still delivers it instead of waiting a further round.
std::int64_t TimerPump::now() const { return (clock_() - startNs_ + 999'999) / 1'000'000; }

void TimerPump::catchUp() {
    if (!runtime_ || runtime_->ended()) return;
    // A timer that fell behind fires once, never a burst: the desktop after a stall.
    runtime_->advanceTo(now(), forms::LateTicks::Drop);
}

void TimerPump::rearm() {
    // Empty when no timer runs, the program has ended or a message box is open.
    const auto due = runtime_ ? runtime_->nextDue() : std::nullopt;
    if (!due) {
        timer_.stop();
        return;
    }
    // Rounded down from the exact remaining time: Qt's event loop itself wakes up to a millisecond
    // late, so the tick lands within a millisecond of its time rather than up to two after it.
    const std::int64_t remainingNs = *due * 1'000'000 - (clock_() - startNs_);
    const std::int64_t wait =
        std::clamp<std::int64_t>(remainingNs / 1'000'000, 0, std::numeric_limits<int>::max());
    timer_.start(static_cast<int>(wait));
}

void TimerPump::wake() {
    catchUp();
    rearm();
}

}  // namespace forms::qt
