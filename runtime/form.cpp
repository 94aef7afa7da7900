// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/form.h"

#include <algorithm>

#include "runtime/form_slot.h"
#include "runtime/runtime.h"

namespace forms {

Form::Form(FormSlotBase& slot, const FormDesign& design)
    : Caption(*this, "Caption", design.caption),
      WindowState(*this, "WindowState", 0),
      Visible(*this, "Visible", false),
      slot_(slot),
      runtime_(slot.runtime()),
      design_(design) {}

Form::~Form() = default;

const std::string& Form::name() const { return slot_.name(); }

Control* Form::control(std::string_view name) const {
    for (Control* c : controls_)
        if (name == c->name()) return c;
    return nullptr;
}

void Form::setFocus(CommandButton* button) {
    if (focus_ == button) return;
    focus_ = button;
    touch();
}

bool Form::hasFocusableControl() const {
    return std::any_of(controls_.begin(), controls_.end(),
                       [](Control* c) {
                           return c->kind() == Control::Kind::CommandButton &&
                                  static_cast<CommandButton*>(c)->Visible;
                       });
}

void Form::moveFocus(bool forward) {
    std::vector<CommandButton*> order;
    for (Control* c : controls_)
        if (c->kind() == Control::Kind::CommandButton) order.push_back(static_cast<CommandButton*>(c));
    if (order.empty()) return;
    const auto n = static_cast<std::ptrdiff_t>(order.size());
    auto at = std::find(order.begin(), order.end(), focus_);
    std::ptrdiff_t i = at == order.end() ? (forward ? -1 : 0) : at - order.begin();
    for (std::ptrdiff_t step = 0; step < n; ++step) {
        i = ((forward ? i + 1 : i - 1) % n + n) % n;
        if (order[static_cast<std::size_t>(i)]->Visible) {
            setFocus(order[static_cast<std::size_t>(i)]);
            return;
        }
    }
    setFocus(nullptr);
}

void Form::focusFirstButton() {
    for (Control* c : controls_) {
        if (c->kind() != Control::Kind::CommandButton) continue;
        auto* b = static_cast<CommandButton*>(c);
        if (b->Visible) {
            setFocus(b);
            return;
        }
    }
    setFocus(nullptr);
}

void Form::Form_KeyDown(int, int) {}
void Form::Form_KeyUp(int, int) {}

void Form::Form_FrameClose() { runtime_.unload(slot_); }

void Form::propertySet(const PropertyBase& property) {
    touch();
    if (&property == &WindowState && WindowState != appliedWindowState_) {
        appliedWindowState_ = WindowState;
        runtime_.host().windowStateChanged(*this);
    }
}

void Form::playerSetWindowState(int state) {
    appliedWindowState_ = state;  // the window is already there: nothing to tell the host
    WindowState = state;
}

void Form::controlChanged(Control&, const PropertyBase&) { touch(); }

void Form::Load(FormSlotBase& form) { runtime_.load(form); }
void Form::Show(FormSlotBase& form) { runtime_.show(form); }
void Form::Unload(FormSlotBase& form) { runtime_.unload(form); }
void Form::Unload(Form& form) { runtime_.unload(form.slot()); }
void Form::MsgBox(std::string_view text) { runtime_.messageBox(text); }
void Form::End() { runtime_.end(); }
forms::Picture Form::LoadPicture(const char* artwork) const { return runtime_.newPicture(artwork); }

}  // namespace forms
