// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The panel of one shown form on the page: its client area with the form's background, shapes,
// images and labels in design order, its command buttons over them, a title bar with icon,
// caption, minimise and close boxes. The page draws; this side says what changed.
#pragma once

#include <string_view>
#include <vector>

#include "host_core/form_view.h"
#include "host_core/key_up_filter.h"

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

    bool stale() const { return view_.stale(); }  // the form changed since the last sync
    // Brings caption, controls and focus on the page in line with the model, sending only what
    // changed since the last sync.
    void sync();
    void applyWindowState(int state);
    forms::core::KeyUpFilter& keys() { return keys_; }

private:
    void send(int index, const forms::Control& control, const forms::core::ControlView& now,
              const forms::core::ControlView* before);

    int id_;
    forms::Form& form_;
    const PictureNumbers& pictures_;
    forms::core::FormView view_;
    std::vector<forms::core::ControlView> before_;
    forms::core::KeyUpFilter keys_;
};

}  // namespace forms::web
