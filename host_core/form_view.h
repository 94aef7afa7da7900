// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What a shown form puts in front of the player, control by control, and what of it changed
// since the host last drew it. The model only bumps a revision on every change; a host keeps one
// view per window and asks it, once the event is done, which controls to draw again: a ball that
// moves costs its one control, a change nothing shows (a timer's interval, a hidden image's
// place) costs nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/picture.h"
#include "runtime/pixels.h"

namespace forms {
class Control;
class Form;
}  // namespace forms

namespace forms::core {

// What one control shows. Equal means nothing to draw again.
struct ControlView {
    PixelRect rect;             // an image's is its picture's size at its place
    bool visible = false;       // an image without a picture shows nothing
    forms::Picture picture;     // an image's; compared by identity
    std::string text;           // a label's or a button's caption
    friend bool operator==(const ControlView& a, const ControlView& b) {
        return a.rect == b.rect && a.visible == b.visible && a.picture == b.picture && a.text == b.text;
    }
};

ControlView viewOf(const forms::Control& control);

// The caption a window shows: the form's own, or the program's name where the form has none, so
// that title bars and task lists always name the game.
std::string windowCaption(const forms::Form& form);

class FormView {
public:
    explicit FormView(const forms::Form& form) : form_(form) {}

    // What changed in the last sync.
    struct Changes {
        bool first = false;            // the first sync: everything is new
        bool caption = false;
        bool focus = false;
        std::vector<int> controls;     // indices in design order
        bool any() const { return first || caption || focus || !controls.empty(); }
    };

    // Whether the form changed since the last sync (cheap: one number).
    bool stale() const;
    // Brings the view in line with the form; `before` (may be null) receives each changed
    // control's view as it was, for hosts that repaint its old place too.
    Changes sync(std::vector<ControlView>* before = nullptr);

    const std::vector<ControlView>& controls() const { return controls_; }
    const std::string& caption() const { return caption_; }
    // The design index of the button with the focus, -1 for none.
    int focus() const { return focus_; }

private:
    const forms::Form& form_;
    std::uint64_t syncedRevision_ = 0;
    bool synced_ = false;
    std::vector<ControlView> controls_;
    std::string caption_;
    int focus_ = -1;
};

}  // namespace forms::core
