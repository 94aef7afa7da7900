// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The one door from the runtime to the platform. The desktop host shows real windows and boxes,
// the web host panels and dialogs on a page (both on host_core's LiveHost); the script host
// prints what happens. Every call comes on the user-interface thread.
#pragma once

#include <string_view>

namespace forms {

class Form;
class RuntimeError;

class Host {
public:
    virtual ~Host() = default;

    // A form starts loading (before its Form_Load runs).
    virtual void formLoading(Form&) {}
    // A form is shown (again); its window appears with the form's current state.
    virtual void formShown(Form&) {}
    // A form is being unloaded: its window goes away. The form object lives on until the event ends.
    virtual void formUnloading(Form&) {}
    // A form's WindowState really changed (by the game; not echoed back for the player's own change).
    virtual void windowStateChanged(Form&) {}
    // A modal message box with one OK button; returns when the player has closed it.
    virtual void messageBox(std::string_view title, std::string_view text) = 0;
    // A run-time error no handler caught; the program ends right after.
    virtual void runtimeError(const RuntimeError&) {}
    // The program has ended (End, or after a run-time error). No event follows.
    virtual void programEnded(int) {}
    // An event has run to its end: repaint what changed and look at the next timer due.
    virtual void eventDone() {}
};

}  // namespace forms
