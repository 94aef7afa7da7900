// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The web host: puts the forms runtime on a page. One panel per shown form, message boxes as
// modal dialogs, and the real-time pump of the model's timers. The model decides everything;
// the page shows it and hands the player's input back (page.h).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host_core/held_keys.h"
#include "host_core/pad_mapping.h"
#include "runtime/host.h"
#include "web_host/picture_numbers.h"
#include "web_host/timer_pump.h"

namespace forms {
class Runtime;
}

namespace forms::web {

class FormPanel;

class WebHost final : public forms::Host {
public:
    // pictures: each artwork's name -> its file in the site, e.g. "street" -> "street.bmp".
    // touchKeys: a form's name -> the key codes of the on-screen keys under its panel.
    WebHost(const std::map<std::string, std::string>& pictures, std::map<std::string, std::vector<int>> touchKeys);
    ~WebHost() override;
    WebHost(const WebHost&) = delete;
    WebHost& operator=(const WebHost&) = delete;

    // The runtime is built with the host, so it is handed over afterwards with the way to start
    // the program; the page is told which pictures to get ready, and the program starts (and
    // its clock with it) once they are.
    void attach(forms::Runtime& runtime, std::function<void()> startProgram);
    TimerPump& pump() { return pump_; }

    // forms::Host
    void formShown(forms::Form& form) override;
    void formUnloading(forms::Form& form) override;
    void windowStateChanged(forms::Form& form) override;
    void messageBox(std::string_view title, std::string_view text) override;
    void runtimeError(const forms::RuntimeError& error) override;
    void programEnded(int status) override;
    void eventDone() override;

    // From the page (page.cpp). Panels are named by number; one already gone is ignored.
    void start();
    void frame();
    void timerFired();
    void click(int panel, int control);
    void key(int panel, bool down, int keyCode, int modifiers);
    void closeRequested(int panel);
    void playerSetWindowState(int panel, int state);
    // A touch key held down or let go: the host core repeats it as a held key.
    void holdKey(int panel, bool down, int keyCode);
    // The pads as they are now (buttons: bit i for the standard mapping's button i; the left
    // stick), at the panel with the keyboard (0 for none); and the last pad gone.
    void pads(int panel, unsigned standardButtons, double stickX, double stickY);
    void padsGone();
    // The timer the page armed for the next repeat of a held key has fired; `panel` has the
    // keyboard now (a pad's keys repeat only there).
    void repeatFired(int panel);
    // The standard mapping's buttons that close a message box: the page closes it itself, as
    // the module sleeps while it is up.
    static unsigned standardButtonsClosingBox();

private:
    FormPanel* panelOf(const forms::Form& form) const;
    // Brings the clock up to now first; the panel's form, or null if it went away meanwhile.
    forms::Form* catchUpFor(int panel);
    void dropPanel(const forms::Form& form);
    void syncPanels();
    void showBox(std::string_view title, std::string_view text);
    void deliverHeld(forms::Form& form, bool down, int keyCode);
    void armRepeat();

    PictureNumbers pictures_;
    std::map<std::string, std::string> touchKeys_;  // form name -> "37,39,68"
    TimerPump pump_;
    forms::Runtime* runtime_ = nullptr;
    std::function<void()> startProgram_;
    std::vector<std::unique_ptr<FormPanel>> panels_;
    int nextPanel_ = 1;
    core::HeldKeys touchKeysHeld_;
    core::PadMapping pads_;
};

}  // namespace forms::web
