// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Drives the model's clock in real time for every host that has one: one alarm, armed for the
// next tick due, so an idle game wakes no one. The host gives the pump its clock and its alarm
// (a single-shot Qt timer on the desktop, a page timeout in the browser).
#pragma once

#include <cstdint>
#include <optional>

namespace forms {
class Runtime;
}

namespace forms::core {

class Alarm {
public:
    virtual ~Alarm() = default;
    // Nanoseconds on the host's steady clock.
    virtual std::int64_t nowNs() const = 0;
    // Has the host call TimerPump::fire once, `ms` milliseconds from now, replacing any earlier
    // request.
    virtual void arm(std::int64_t ms) = 0;
    // Cancels the request, if any.
    virtual void stop() = 0;
};

class TimerPump {
public:
    explicit TimerPump(Alarm& alarm) : alarm_(alarm) {}
    TimerPump(const TimerPump&) = delete;
    TimerPump& operator=(const TimerPump&) = delete;

    // Model time 0 is now.
    void attach(forms::Runtime& runtime);
    // Milliseconds of real time since attach, rounded up, without the time spent paused.
    std::int64_t now() const;
    // Brings the model's clock up to now, delivering what fell due. Done before every input
    // event, so ticks keep their place in time and a timer started by the input counts from now.
    void catchUp();
    // Arms the alarm for the next tick due, or stops it when none is due.
    void rearm();
    // The alarm has fallen: catch up, then arm for the next tick.
    void fire();
    // While paused the model's clock stands still and nothing is armed; on resume real time goes
    // on from where it stood, so the time spent paused never counts (a page the player has hidden).
    void setPaused(bool paused);
    bool paused() const { return pausedAtNs_.has_value(); }

    bool armed() const { return armedFor_.has_value(); }
    // The wait the alarm was last armed with, in milliseconds, while it is armed.
    std::optional<std::int64_t> armedWait() const { return armed() ? std::optional(armedWait_) : std::nullopt; }

private:
    std::int64_t elapsedNs() const;
    void disarm();

    Alarm& alarm_;
    forms::Runtime* runtime_ = nullptr;
    std::int64_t startNs_ = 0;
    std::optional<std::int64_t> pausedAtNs_;
    std::optional<std::int64_t> armedFor_;  // the model time the alarm is armed for
    std::int64_t armedWait_ = 0;
};

}  // namespace forms::core
