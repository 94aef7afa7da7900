// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host_core/timer_pump.h"

#include <algorithm>
#include <limits>

#include "runtime/runtime.h"

namespace forms::core {

void TimerPump::attach(forms::Runtime& runtime) {
    runtime_ = &runtime;
    startNs_ = alarm_.nowNs();
    pausedAtNs_.reset();
}

std::int64_t TimerPump::elapsedNs() const { return pausedAtNs_.value_or(alarm_.nowNs()) - startNs_; }

// Rounded up: a tick due in the current millisecond is due now, so an alarm that comes a little
// early still delivers it instead of waiting a further round.
std::int64_t TimerPump::now() const { return runtime_ ? (elapsedNs() + 999'999) / 1'000'000 : 0; }

void TimerPump::catchUp() {
    if (!runtime_ || paused() || runtime_->ended()) return;
    // A timer that fell behind fires once, never a burst: the desktop after a stall.
    runtime_->advanceTo(now(), forms::LateTicks::Drop);
}

void TimerPump::rearm() {
    // Empty when no timer runs, the program has ended or a message box is open (the model holds
    // its ticks back then: the host's own timers keep firing inside a box).
    const auto due = runtime_ && !paused() ? runtime_->nextDue() : std::nullopt;
    if (!due) {
        disarm();
        return;
    }
    if (armedFor_ == due) return;  // every event ends here; most leave the next tick where it was
    armedFor_ = due;
    // Rounded down from the exact remaining time: the host's alarm comes up to a millisecond late,
    // so the tick lands within a millisecond of its time rather than up to two after it.
    armedWait_ = std::clamp<std::int64_t>((*due * 1'000'000 - elapsedNs()) / 1'000'000, 0,
                                          std::numeric_limits<int>::max());
    alarm_.arm(armedWait_);
}

void TimerPump::disarm() {
    if (!armedFor_) return;
    armedFor_.reset();
    alarm_.stop();
}

void TimerPump::fire() {
    armedFor_.reset();  // the alarm is spent
    catchUp();
    rearm();
}

void TimerPump::setPaused(bool paused) {
    if (paused == this->paused()) return;
    if (paused) {
        // A tick that fell due before the pause is delivered on resume: model time stops here.
        pausedAtNs_ = alarm_.nowNs();
        disarm();
        return;
    }
    startNs_ += alarm_.nowNs() - *pausedAtNs_;
    pausedAtNs_.reset();
    rearm();
}

}  // namespace forms::core
