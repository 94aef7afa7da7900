// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web_host/web_host.h"

#include <algorithm>

#include "runtime/form.h"
#include "runtime/runtime.h"
#include "web_host/form_panel.h"
#include "web_host/page.h"

namespace forms::web {

namespace {

// The Gamepad API's standard mapping: which of its buttons are which of the pad's.
struct StandardButton {
    int index;
    unsigned bit;
};
constexpr StandardButton kStandardButtons[] = {{0, core::pad::South}, {1, core::pad::East},  {9, core::pad::Start},
                                               {12, core::pad::Up},   {13, core::pad::Down}, {14, core::pad::Left},
                                               {15, core::pad::Right}};

}  // namespace

WebHost::WebHost(const std::map<std::string, std::string>& pictures,
                 std::map<std::string, std::vector<int>> touchKeys)
    : LiveHost(alarm_),
      pictures_(pictures),
      touchKeysHeld_([this](forms::Form& f, bool down, int code) { deliverHeld(f, down, code); }),
      pads_([this](forms::Form& f, bool down, int code) { deliverHeld(f, down, code); }) {
    for (const auto& [form, codes] : touchKeys) {
        std::string list;
        for (int code : codes) list += (list.empty() ? "" : ",") + std::to_string(code);
        touchKeys_.emplace(form, std::move(list));
    }
    page::connect(this);
}

WebHost::~WebHost() { page::connect(nullptr); }

void WebHost::attach(forms::Runtime& runtime, std::function<void()> startProgram) {
    waiting_ = &runtime;  // its clock starts with the program, once the page is ready
    startProgram_ = std::move(startProgram);
    page::begin(pictures_.files(), runtime.title());
}

void WebHost::start() {
    if (!waiting_ || !startProgram_) return;
    auto startProgram = std::move(startProgram_);
    startProgram_ = nullptr;
    attachRuntime(*waiting_);
    startProgram();
}

FormPanel* WebHost::panelOf(const forms::Form& form) const {
    for (const auto& p : panels_)
        if (&p->form() == &form) return p.get();
    return nullptr;
}

void WebHost::formShown(forms::Form& form) {
    FormPanel* p = panelOf(form);
    if (!p) {
        auto keys = touchKeys_.find(form.name());
        panels_.push_back(std::make_unique<FormPanel>(nextPanel_++, form, pictures_,
                                                      keys == touchKeys_.end() ? "" : keys->second));
        p = panels_.back().get();
    }
    p->applyWindowState(form.WindowState);
}

void WebHost::formUnloading(forms::Form& form) { dropPanel(form); }

void WebHost::dropPanel(const forms::Form& form) {
    touchKeysHeld_.forget(form);
    pads_.formGone(form);
    // The panel leaves the page as it is destroyed.
    panels_.erase(std::remove_if(panels_.begin(), panels_.end(), [&](const auto& p) { return &p->form() == &form; }),
                  panels_.end());
}

void WebHost::windowStateChanged(forms::Form& form) {
    if (FormPanel* p = panelOf(form)) p->applyWindowState(form.WindowState);
}

void WebHost::showBox(std::string_view title, std::string_view text) {
    // The box takes every held key, as it takes the keyboard.
    touchKeysHeld_.forgetAll();
    pads_.messageBoxOpened();
    armRepeat();
    page::messageBox(title, text);
    pads_.messageBoxClosed();
}

void WebHost::closeAll(int status) {
    touchKeysHeld_.forgetAll();
    page::stopRepeat();
    panels_.clear();
    page::ended(status);
}

void WebHost::syncWindows() {
    for (const auto& p : panels_) p->sync();
}

void WebHost::windowsChanged() {
    // The page is brought up to date once a frame, however many events came before it.
    if (std::any_of(panels_.begin(), panels_.end(), [](const auto& p) { return p->stale(); }))
        page::requestFrame();
}

void WebHost::frame() { syncWindows(); }

void WebHost::timerFired() { pump().fire(); }

void WebHost::setHidden(bool hidden) { pump().setPaused(hidden); }

FormPanel* WebHost::panelById(int panel) const {
    for (const auto& p : panels_)
        if (p->id() == panel) return p.get();
    return nullptr;
}

forms::Form* WebHost::caughtUpAt(int panel) {
    return caughtUp([&]() -> forms::Form* {
        FormPanel* p = panelById(panel);
        return p ? &p->form() : nullptr;
    });
}

void WebHost::click(int panel, int control) {
    forms::Form* form = caughtUpAt(panel);
    if (!form || control < 0 || control >= static_cast<int>(form->controls().size())) return;
    forms::Control* c = form->controls()[static_cast<std::size_t>(control)];
    if (c->kind() == forms::Control::Kind::CommandButton) runtime()->click(static_cast<forms::CommandButton&>(*c));
}

void WebHost::key(int panel, bool down, int keyCode, int modifiers) {
    forms::Form* form = caughtUpAt(panel);
    if (!form) return;
    forms::core::KeyUpFilter& keys = panelById(panel)->keys();
    if (down) {
        keys.pressed(keyCode);
        runtime()->keyDown(*form, keyCode, modifiers);
    } else if (keys.released(keyCode)) {
        runtime()->keyUp(*form, keyCode, modifiers);
    }
}

void WebHost::keyboardLost(int panel) {
    if (FormPanel* p = panelById(panel)) p->keys().clear();
}

void WebHost::frameClose(int panel) {
    if (forms::Form* form = caughtUpAt(panel)) runtime()->frameClose(*form);
}

void WebHost::playerSetWindowState(int panel, int state) {
    if (forms::Form* form = caughtUpAt(panel)) runtime()->playerSetWindowState(*form, state);
}

void WebHost::deliverHeld(forms::Form& form, bool down, int keyCode) {
    // Looked up by its panel: a form gone since is never reached.
    if (FormPanel* p = panelOf(form)) key(p->id(), down, keyCode, 0);
}

void WebHost::holdKey(int panel, bool down, int keyCode) {
    if (down) {
        if (forms::Form* form = caughtUpAt(panel)) touchKeysHeld_.press(*form, keyCode, static_cast<std::int64_t>(page::now()));
    } else {
        touchKeysHeld_.release(keyCode);
    }
    armRepeat();
}

void WebHost::pads(int panel, unsigned standardButtons, double stickX, double stickY) {
    if (!runtime() || runtime()->ended()) return;
    core::PadState state{0, stickX, stickY};
    for (const StandardButton& b : kStandardButtons)
        if (standardButtons & (1u << b.index)) state.buttons |= b.bit;
    forms::Form* front = caughtUpAt(panel);
    pads_.update(state, front, static_cast<std::int64_t>(page::now()));
    armRepeat();
}

void WebHost::padsGone() {
    pads_.padsGone();
    armRepeat();
}

void WebHost::repeatFired(int panel) {
    forms::Form* front = caughtUpAt(panel);
    if (!runtime() || runtime()->ended()) return;
    const auto now = static_cast<std::int64_t>(page::now());
    touchKeysHeld_.repeatDue(now);
    pads_.repeatDue(front, now);
    armRepeat();
}

void WebHost::armRepeat() {
    std::optional<std::int64_t> next = touchKeysHeld_.nextDue();
    if (auto pad = pads_.nextRepeat(); pad && (!next || *pad < *next)) next = pad;
    if (next) page::armRepeat(std::max(0.0, static_cast<double>(*next) - page::now()));
    else page::stopRepeat();
}

unsigned WebHost::standardButtonsClosingBox() {
    unsigned mask = 0;
    for (const StandardButton& b : kStandardButtons)
        if (b.bit & core::pad::ClosesMessageBox) mask |= 1u << b.index;
    return mask;
}

}  // namespace forms::web
