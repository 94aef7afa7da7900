// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host_core/live_host.h"

#include "host_core/error_text.h"
#include "runtime/runtime.h"

namespace forms::core {

void LiveHost::attachRuntime(forms::Runtime& runtime) {
    runtime_ = &runtime;
    pump_.attach(runtime);
}

bool LiveHost::ready() const { return runtime_ && !runtime_->ended(); }

void LiveHost::messageBox(std::string_view title, std::string_view text) {
    // The model holds its ticks back while the box is open, but the host's own timers keep
    // firing under it: the pump stops until the event that opened the box is done.
    pump_.rearm();
    // The handler that opens the box has changed the windows (a defeat puts up the score board
    // first): show that now, not after the player has closed the box.
    syncWindows();
    showBox(title, text);
}

void LiveHost::runtimeError(const forms::RuntimeError& error) {
    pump_.rearm();  // the report is a box too: no tick is due under it
    syncWindows();
    showBox(runtime_ ? runtime_->title() : std::string_view(), errorText(error));
}

void LiveHost::programEnded(int status) {
    pump_.rearm();  // nothing is due any more: the pump stops
    closeAll(status);
}

void LiveHost::eventDone() {
    windowsChanged();
    pump_.rearm();
}

}  // namespace forms::core
