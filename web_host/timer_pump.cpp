// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web_host/timer_pump.h"

#include <algorithm>
#include <cmath>

#include "runtime/runtime.h"
#include "web_host/page.h"

namespace forms::web {

void TimerPump::attach(forms::Runtime& runtime) {
    runtime_ = &runtime;
    start_ = page::now();
    pausedAt_ = start_;  // paused before the start: the clock stands at 0
}

double TimerPump::elapsed() const { return (paused_ ? pausedAt_ : page::now()) - start_; }

// Rounded up: a tick due in the current millisecond is due now, so a timeout that comes a little
// early still delivers it instead of waiting a further round.
std::int64_t TimerPump::now() const { return runtime_ ? static_cast<std::int64_t>(std::ceil(elapsed())) : 0; }

void TimerPump::catchUp() {
    if (!runtime_ || held_ || paused_ || runtime_->ended()) return;
    // A timer that fell behind fires once, never a burst: a stall, or a tab the browser held back
    // while it was hidden.
    runtime_->advanceTo(now(), forms::LateTicks::Drop);
}

void TimerPump::rearm() {
    // Empty when no timer runs, the program has ended or a message box is open.
    const auto due = runtime_ && !held_ && !paused_ ? runtime_->nextDue() : std::nullopt;
    if (!due) {
        disarm();
        return;
    }
    if (armedFor_ == due) return;  // every event ends here; most leave the next tick where it was
    armedFor_ = due;
    // Rounded down from the exact remaining time: the browser's timeout comes up to a millisecond
    // late, so the tick lands within a millisecond of its time rather than up to two after it.
    page::armTimer(std::max(0.0, std::floor(static_cast<double>(*due) - elapsed())));
}

void TimerPump::disarm() {
    if (!armedFor_) return;
    armedFor_.reset();
    page::stopTimer();
}

void TimerPump::setHeld(bool held) {
    held_ = held;
    rearm();
}

void TimerPump::setPaused(bool paused) {
    if (paused == paused_) return;
    if (paused) pausedAt_ = page::now();
    else start_ += page::now() - pausedAt_;
    paused_ = paused;
    rearm();
}

void TimerPump::fire() {
    armedFor_.reset();  // the page's timeout is spent
    catchUp();
    rearm();
}

}  // namespace forms::web
