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
#include "host_core/live_host.h"
#include "host_core/pad_mapping.h"
#include "web_host/picture_numbers.h"
#include "web_host/page_alarm.h"

namespace forms {
class Runtime;
}

namespace forms::web {

class FormPanel;

class WebHost final : public forms::core::LiveHost {
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

    // forms::Host
    void formShown(forms::Form& form) override;
    void formUnloading(forms::Form& form) override;
    void windowStateChanged(forms::Form& form) override;

    // From the page (page.cpp). Panels are named by number; one already gone is ignored.
    void start();
    void frame();
    void timerFired();
    void click(int panel, int control);
    void key(int panel, bool down, int keyCode, int modifiers);
    void keyboardLost(int panel);  // the panel lost the keyboard: keys released elsewhere stay there
    void setHidden(bool hidden);   // the page is hidden: the game's clock stands still
    void frameClose(int panel);
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
    // forms::core::LiveHost
    void syncWindows() override;
    void windowsChanged() override;
    void showBox(std::string_view title, std::string_view text) override;
    void closeAll(int status) override;

    FormPanel* panelOf(const forms::Form& form) const;
    FormPanel* panelById(int panel) const;
    // The panel's form once the clock is up to now, or null if it went away meanwhile.
    forms::Form* caughtUpAt(int panel);
    void dropPanel(const forms::Form& form);
    void deliverHeld(forms::Form& form, bool down, int keyCode);
    void armRepeat();

    PictureNumbers pictures_;
    std::map<std::string, std::string> touchKeys_;  // form name -> "37,39,68"
    PageAlarm alarm_;
    forms::Runtime* waiting_ = nullptr;  // the program, until the page is ready to start it
    std::function<void()> startProgram_;
    std::vector<std::unique_ptr<FormPanel>> panels_;
    int nextPanel_ = 1;
    core::HeldKeys touchKeysHeld_;
    core::PadMapping pads_;
};

}  // namespace forms::web
