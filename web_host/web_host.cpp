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

WebHost::WebHost(const std::map<std::string, std::string>& pictures,
                 std::map<std::string, std::vector<int>> touchKeys)
    : pictures_(pictures) {
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
    page::messageBox(title, text);
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

void WebHost::setHidden(bool hidden) { pump_.setPaused(hidden); }

}  // namespace forms::web
