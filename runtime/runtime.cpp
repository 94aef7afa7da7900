// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/runtime.h"

#include <algorithm>
#include <stdexcept>

namespace forms {

Runtime::Dispatch::Dispatch(Runtime& r) : rt(r) { ++rt.depth_; }

Runtime::Dispatch::~Dispatch() {
    if (--rt.depth_ > 0) return;
    // Forms unloaded during the event die only now, when none of their handlers can still run.
    rt.unloaded_.clear();
    rt.host_.eventDone();
}

Runtime::Runtime(Host& host, std::span<const Artwork> artwork, std::string title)
    : host_(host), artwork_(artwork), title_(std::move(title)) {}

Runtime::~Runtime() = default;

void Runtime::addSlot(FormSlotBase& slot) { slots_.push_back(&slot); }

FormSlotBase* Runtime::slot(std::string_view name) const {
    for (FormSlotBase* s : slots_)
        if (s->name() == name) return s;
    return nullptr;
}

void Runtime::load(FormSlotBase& slot) {
    if (slot.loaded() || ended_) return;
    slot.instance_ = slot.create();
    Form& form = *slot.instance_;
    form.serial_ = ++loads_;
    loaded_.push_back(&form);
    host_.formLoading(form);
    form.Form_Load();
}

void Runtime::show(FormSlotBase& slot) {
    load(slot);
    Form* form = slot.instance();
    if (!form) return;
    if (!form->Visible) {
        form->Visible = true;
        form->focusFirstButton();
    }
    host_.formShown(*form);
}

void Runtime::unload(FormSlotBase& slot) {
    if (!slot.loaded()) return;
    Form* form = slot.instance();
    host_.formUnloading(*form);
    loaded_.erase(std::remove(loaded_.begin(), loaded_.end(), form), loaded_.end());
    unloaded_.push_back(std::move(slot.instance_));
    if (depth_ == 0) unloaded_.clear();
}

void Runtime::playerSetWindowState(Form& form, int state) {
    dispatch([&] { form.playerSetWindowState(state); });
}

forms::Picture Runtime::newPicture(std::string_view artwork) {
    for (const Artwork& a : artwork_) {
        if (artwork != a.name) continue;
        auto data = std::make_shared<PictureData>();
        data->handle = nextHandle_++;
        data->name = a.name;
        data->width = a.width;
        data->height = a.height;
        return forms::Picture(std::move(data));
    }
    throw std::logic_error("no artwork named " + std::string(artwork));
}

static bool isLoaded(const Form& form) { return form.slot().instance() == &form; }

void Runtime::click(CommandButton& button) {
    dispatch([&] {
        if (!isLoaded(button.form()) || !button.Visible) return;
        button.form().setFocus(&button);
        if (button.Click) button.Click();
    });
}

void Runtime::keyDown(Form& form, int keyCode, int modifiers) {
    dispatch([&] {
        if (!isLoaded(form)) return;
        if (form.hasFocusableControl()) routeButtonKey(form, keyCode, modifiers);
        else form.Form_KeyDown(keyCode, modifiers);
    });
}

void Runtime::keyUp(Form& form, int keyCode, int modifiers) {
    dispatch([&] {
        if (!isLoaded(form)) return;
        if (!form.hasFocusableControl()) {
            form.Form_KeyUp(keyCode, modifiers);
        } else if (keyCode == key::Space && form.focus()) {
            // A button pressed with the space bar clicks as the key comes up, as on any desktop.
            CommandButton* b = form.focus();
            if (b->Click) b->Click();
        }
    });
}

// Keys at a form whose focus rests on a command button: the dialog keys of the desktop.
void Runtime::routeButtonKey(Form& form, int keyCode, int modifiers) {
    auto clickIt = [&](CommandButton* b) {
        if (!b || !b->Visible) return;  // a hidden button never gets a click
        form.setFocus(b);
        if (b->Click) b->Click();
    };
    auto find = [&](auto pred) -> CommandButton* {
        for (Control* c : form.controls())
            if (c->kind() == Control::Kind::CommandButton && pred(*static_cast<CommandButton*>(c)))
                return static_cast<CommandButton*>(c);
        return nullptr;
    };

    if (modifiers & key::AltMask) {
        if (keyCode >= 'A' && keyCode <= 'Z')
            clickIt(find([&](CommandButton& b) { return b.Visible && b.accessKey() == keyCode; }));
        return;
    }
    switch (keyCode) {
    case key::Tab: form.moveFocus(!(modifiers & key::ShiftMask)); break;
    case key::Right:
    case key::Down: form.moveFocus(true); break;
    case key::Left:
    case key::Up: form.moveFocus(false); break;
    case key::Enter:
        // Enter chooses the focused button; the Default button only when none has the focus.
        clickIt(form.focus() ? form.focus() : find([](CommandButton& b) { return b.look.isDefault; }));
        break;
    case key::Escape: clickIt(find([](CommandButton& b) { return b.look.isCancel; })); break;
    default: break;
    }
}

void Runtime::frameClose(Form& form) {
    dispatch([&] {
        if (isLoaded(form)) form.Form_FrameClose();
    });
}

Timer* Runtime::earliestDue() const {
    Timer* best = nullptr;
    for (Form* f : loaded_)
        for (Control* c : f->controls()) {
            if (c->kind() != Control::Kind::Timer) continue;
            auto* t = static_cast<Timer*>(c);
            if (t->armed() && (!best || t->dueAt() < best->dueAt())) best = t;
        }
    return best;
}

std::optional<std::int64_t> Runtime::nextDue() const {
    if (ended_ || modal_ > 0) return std::nullopt;
    if (Timer* t = earliestDue()) return t->dueAt();
    return std::nullopt;
}

void Runtime::advanceTo(std::int64_t t, LateTicks late) {
    // No tick while a message box is open: they resume once it is closed.
    while (!ended_ && modal_ == 0) {
        Timer* next = earliestDue();
        if (!next || next->dueAt() > t) break;
        now_ = std::max(now_, next->dueAt());
        next->advance(t, late);
        tick(*next);
    }
    if (!ended_ && modal_ == 0) now_ = std::max(now_, t);
}

void Runtime::tick(Timer& timer) {
    dispatch([&] {
        if (isLoaded(timer.form()) && timer.Enabled && timer.Tick) timer.Tick();
    });
}

void Runtime::messageBox(std::string_view text) {
    ++modal_;
    try {
        host_.messageBox(title_, text);
    } catch (...) {
        --modal_;
        throw;
    }
    --modal_;
    // The program may have ended while the box was open; the handler that showed it stops here.
    if (ended_) throw EndRequest{};
}

void Runtime::end() {
    finish(0);
    throw EndRequest{};
}

void Runtime::fail(const RuntimeError& e) {
    if (ended_) return;
    // The report is a box like any other: no tick runs under it.
    ++modal_;
    host_.runtimeError(e);
    --modal_;
    finish(1);
}

void Runtime::finish(int status) {
    if (ended_) return;
    ended_ = true;
    exitStatus_ = status;
    // The forms close without further events.
    for (FormSlotBase* s : slots_)
        if (s->instance_) unloaded_.push_back(std::move(s->instance_));
    loaded_.clear();
    host_.programEnded(status);
    if (depth_ == 0) unloaded_.clear();
}

}  // namespace forms
