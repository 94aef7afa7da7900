// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The panel of one shown form on the page: its client area with the form's background, shapes,
// images and labels in design order, its command buttons over them, a title bar with icon,
// caption, minimise and close boxes. The page draws; this side says what changed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/pixels.h"

namespace forms {
class Control;
class Form;
}  // namespace forms

namespace forms::web {

class PictureNumbers;

class FormPanel {
public:
    // Creates the panel on the page, hidden; showPanel or minimize makes it appear.
    FormPanel(int id, forms::Form& form, const PictureNumbers& pictures, std::string_view touchKeys);
    ~FormPanel();
    FormPanel(const FormPanel&) = delete;
    FormPanel& operator=(const FormPanel&) = delete;

    int id() const { return id_; }
    forms::Form& form() const { return form_; }

    bool changed() const;  // the form changed since the last sync
    // Brings caption, controls and focus on the page in line with the model, sending only what
    // changed since the last sync.
    void sync();
    void applyWindowState(int state);

private:
    // What one control shows: equal means nothing to send.
    struct Shown {
        PixelRect rect;
        bool visible = false;
        int picture = -1;     // an image's picture, as the page numbers it
        std::string text;     // a label's or button's caption
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    Shown shownOf(const forms::Control& control) const;
    void send(int index, const forms::Control& control, const Shown& now, const Shown* before);

    int id_;
    forms::Form& form_;
    const PictureNumbers& pictures_;
    std::uint64_t syncedRevision_ = 0;
    std::vector<Shown> shown_;
    std::string caption_;
    int focus_ = -1;
    bool sent_ = false;  // the first sync sends everything
};

}  // namespace forms::web
