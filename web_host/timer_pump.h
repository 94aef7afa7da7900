// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Drives the model's clock in real time: one page timeout, armed for the next tick due.
#pragma once

#include <cstdint>
#include <optional>

namespace forms {
class Runtime;
}

namespace forms::web {

class TimerPump {
public:
    // Model time 0 is now.
    void attach(forms::Runtime& runtime);
    // Milliseconds of real time since attach, rounded up, less the time spent paused.
    std::int64_t now() const;
    // Brings the model's clock up to real time, delivering what fell due. Done before every input
    // event, so ticks keep their place in time and a timer started by the input counts from now.
    void catchUp();
    // Arms the page's timeout for the next tick due, or cancels it when none is due.
    void rearm();
    // While held, nothing is delivered (a box the model does not know of is open, or the end).
    void setHeld(bool held);
    // While paused the clock stands still: nothing is armed and nothing delivered. On resume real
    // time goes on from where it stood; the time spent paused never counts (a hidden page).
    void setPaused(bool paused);
    // The page's timeout has come.
    void fire();
    bool armed() const { return armedFor_.has_value(); }

private:
    void disarm();
    double elapsed() const;  // exact milliseconds of model time

    forms::Runtime* runtime_ = nullptr;
    double start_ = 0;     // the page's time of model time 0, moved on by every pause
    double pausedAt_ = 0;  // the page's time the clock stopped at
    bool held_ = false;
    bool paused_ = false;
    std::optional<std::int64_t> armedFor_;  // the model time the armed timeout is for
};

}  // namespace forms::web
