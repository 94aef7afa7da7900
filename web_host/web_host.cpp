// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web_host/web_host.h"

#include <algorithm>

#include "host_core/error_text.h"
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
    : pictures_(pictures),
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
    runtime_ = &runtime;
    startProgram_ = std::move(startProgram);
    page::begin(pictures_.files());
}

void WebHost::start() {
    if (!runtime_ || !startProgram_) return;
    auto startProgram = std::move(startProgram_);
    startProgram_ = nullptr;
    pump_.attach(*runtime_);
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
    // The handler that opens the box has changed the panels (a defeat puts up the score board
    // first): show that now, not after the player has closed the box.
    syncPanels();
    // The box takes every held key, as it takes the keyboard.
    touchKeysHeld_.forgetAll();
    pads_.messageBoxOpened();
    armRepeat();
    page::messageBox(title, text);
    pads_.messageBoxClosed();
}

void WebHost::messageBox(std::string_view title, std::string_view text) {
    // The model holds its ticks back while the box is open: the pump's timeout goes.
    pump_.rearm();
    showBox(title, text);
}

void WebHost::runtimeError(const forms::RuntimeError& error) {
    // The model counts only its own message boxes as open: hold the clock here ourselves.
    pump_.setHeld(true);
    showBox(runtime_ ? runtime_->title() : std::string(), forms::core::errorText(error));
}

void WebHost::programEnded(int status) {
    pump_.setHeld(true);
    touchKeysHeld_.forgetAll();
    page::stopRepeat();
    panels_.clear();
    page::ended(status);
}

void WebHost::syncPanels() {
    for (const auto& p : panels_)
        if (p->changed()) p->sync();
}

void WebHost::eventDone() {
    pump_.rearm();
    // The page is brought up to date once a frame, however many events came before it.
    if (std::any_of(panels_.begin(), panels_.end(), [](const auto& p) { return p->changed(); }))
        page::requestFrame();
}

void WebHost::frame() { syncPanels(); }

void WebHost::timerFired() { pump_.fire(); }

forms::Form* WebHost::catchUpFor(int panel) {
    if (!runtime_ || runtime_->ended()) return nullptr;
    pump_.catchUp();
    for (const auto& p : panels_)
        if (p->id() == panel) return &p->form();
    return nullptr;
}

void WebHost::click(int panel, int control) {
    forms::Form* form = catchUpFor(panel);
    if (!form || control < 0 || control >= static_cast<int>(form->controls().size())) return;
    forms::Control* c = form->controls()[static_cast<std::size_t>(control)];
    if (c->kind() == forms::Control::Kind::CommandButton) runtime_->click(static_cast<forms::CommandButton&>(*c));
}

void WebHost::key(int panel, bool down, int keyCode, int modifiers) {
    forms::Form* form = catchUpFor(panel);
    if (!form) return;
    if (down) runtime_->keyDown(*form, keyCode, modifiers);
    else runtime_->keyUp(*form, keyCode, modifiers);
}

void WebHost::closeRequested(int panel) {
    if (forms::Form* form = catchUpFor(panel)) runtime_->closeRequested(*form);
}

void WebHost::playerSetWindowState(int panel, int state) {
    if (forms::Form* form = catchUpFor(panel)) runtime_->setWindowState(*form, state);
}

void WebHost::deliverHeld(forms::Form& form, bool down, int keyCode) {
    // Looked up by its panel: a form gone since is never reached.
    if (FormPanel* p = panelOf(form)) key(p->id(), down, keyCode, 0);
}

void WebHost::holdKey(int panel, bool down, int keyCode) {
    if (down) {
        if (forms::Form* form = catchUpFor(panel)) touchKeysHeld_.press(*form, keyCode, static_cast<std::int64_t>(page::now()));
    } else {
        touchKeysHeld_.release(keyCode);
    }
    armRepeat();
}

void WebHost::pads(int panel, unsigned standardButtons, double stickX, double stickY) {
    if (!runtime_ || runtime_->ended()) return;
    core::PadState state{0, stickX, stickY};
    for (const StandardButton& b : kStandardButtons)
        if (standardButtons & (1u << b.index)) state.buttons |= b.bit;
    forms::Form* front = catchUpFor(panel);
    pads_.update(state, front, static_cast<std::int64_t>(page::now()));
    armRepeat();
}

void WebHost::padsGone() {
    pads_.padsGone();
    armRepeat();
}

void WebHost::repeatFired(int panel) {
    forms::Form* front = catchUpFor(panel);
    if (!runtime_ || runtime_->ended()) return;
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
