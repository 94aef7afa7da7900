// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A form: one window of the game with its controls, its design data and its event handlers.
// Each form class is built from its design every time it is loaded; it knows its runtime, which
// owns the windows, the clock and the program's end.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/controls.h"

namespace forms {

class Runtime;
class FormSlotBase;

struct FormDesign {
    const char* caption = "";
    int clientWidth = 0;   // twips
    int clientHeight = 0;  // twips
    int left = 0;          // design position on the screen, twips
    int top = 0;
    std::optional<Color> backColor;
};

class Form : public PropertyOwner {
public:
    Form(FormSlotBase& slot, const FormDesign& design);
    ~Form() override;

    Runtime& runtime() const { return runtime_; }
    // Unique for each load in a run: tells a form apart from a later load of the same form.
    std::uint64_t serial() const { return serial_; }
    FormSlotBase& slot() const { return slot_; }
    const std::string& name() const;
    const FormDesign& design() const { return design_; }
    const std::vector<Control*>& controls() const { return controls_; }
    Control* control(std::string_view name) const;

    // Design pictures: background, window icon and custom mouse pointer (set by the form's constructor).
    forms::Picture Picture;
    forms::Picture Icon;
    forms::Picture MouseIcon;

    Prop<std::string> Caption;
    Prop<int> WindowState;  // 0 normal, 1 minimised
    Prop<bool> Visible;

    // The control with the keyboard focus: always a visible command button, or none.
    CommandButton* focus() const { return focus_; }
    void setFocus(CommandButton* button);
    // Moves the focus along the tab order (the order of the buttons in the design).
    void moveFocus(bool forward);
    void focusFirstButton();
    bool hasFocusableControl() const;
    // The player minimised or restored the window by hand.
    void playerSetWindowState(int state);

    // The form's event handlers.
    virtual void Form_Load() {}
    virtual void Form_KeyDown(int KeyCode, int Shift);
    virtual void Form_KeyUp(int KeyCode, int Shift);
    // The player closed the window through its frame. By default the form is unloaded.
    virtual void Form_FrameClose();

    // Bumped on every change of the form or one of its controls: the host repaints on change only.
    std::uint64_t revision() const { return revision_; }
    void touch() { ++revision_; }

    void propertySet(const PropertyBase& property) override;
    void controlChanged(Control& control, const PropertyBase& property);

protected:
    // The runtime's statements as the game's handlers write them.
    void Load(FormSlotBase& form);
    void Show(FormSlotBase& form);
    void Unload(FormSlotBase& form);
    void Unload(Form& form);
    void MsgBox(std::string_view text);
    [[noreturn]] void End();
    forms::Picture LoadPicture(const char* artwork) const;

private:
    friend class Control;
    friend class Runtime;
    void addControl(Control* control) { controls_.push_back(control); }

    FormSlotBase& slot_;
    Runtime& runtime_;
    FormDesign design_;
    std::vector<Control*> controls_;
    CommandButton* focus_ = nullptr;
    int appliedWindowState_ = 0;
    std::uint64_t revision_ = 1;
    std::uint64_t serial_ = 0;
};

}  // namespace forms
