// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What a host with a player in front of it shares, the desktop's and the page's alike: the
// model's clock on real time, boxes the player answers, windows brought in line with the model
// once an event is done, and the player's input brought in at the right moment. A host only
// says how it draws and asks (the virtuals below) and feeds input in through caughtUp.
#pragma once

#include <string_view>

#include "host_core/timer_pump.h"
#include "runtime/host.h"

namespace forms {
class Form;
class Runtime;
}  // namespace forms

namespace forms::core {

class LiveHost : public forms::Host {
public:
    explicit LiveHost(Alarm& alarm) : pump_(alarm) {}

    TimerPump& pump() { return pump_; }

    void messageBox(std::string_view title, std::string_view text) final;
    void runtimeError(const forms::RuntimeError& error) final;
    void programEnded(int status) final;
    void eventDone() final;

protected:
    // The runtime is built with the host, so it comes afterwards; its clock starts here.
    void attachRuntime(forms::Runtime& runtime);
    forms::Runtime* runtime() const { return runtime_; }

    // Before the player's input reaches the model, the clock is brought up to now, so that the
    // input lands in time order and a timer it starts counts from now; then `find` looks up the
    // form the input is for (a tick may just have unloaded it). Null once the program has ended.
    template <class Find>
    forms::Form* caughtUp(Find find) {
        if (!ready()) return nullptr;
        pump_.catchUp();
        return find();
    }

    // Brings every window in line with the model now.
    virtual void syncWindows() = 0;
    // The windows changed during an event: now or at the next frame.
    virtual void windowsChanged() { syncWindows(); }
    // A modal box with one OK; returns once the player has closed it.
    virtual void showBox(std::string_view title, std::string_view text) = 0;
    // The program has ended: every window goes.
    virtual void closeAll(int status) = 0;

private:
    bool ready() const;

    TimerPump pump_;
    forms::Runtime* runtime_ = nullptr;
};

}  // namespace forms::core
