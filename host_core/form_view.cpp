// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host_core/form_view.h"

#include "runtime/form.h"
#include "runtime/runtime.h"

namespace forms::core {

ControlView viewOf(const forms::Control& c) {
    ControlView v;
    switch (c.kind()) {
    case forms::Control::Kind::Image: {
        auto& image = static_cast<const forms::Image&>(c);
        v.picture = image.Picture.get();
        const forms::PictureData* picture = v.picture.data();
        // Unscaled at its place, at its picture's size.
        v.visible = image.Visible && picture;
        if (picture)
            v.rect = {toPixels(image.Left.get().value()), toPixels(image.Top.get().value()), picture->width,
                      picture->height};
        break;
    }
    case forms::Control::Kind::Label: {
        auto& label = static_cast<const forms::Label&>(c);
        v.rect = pixelRect(label);
        v.visible = label.Visible;
        v.text = label.Caption.get();
        break;
    }
    case forms::Control::Kind::CommandButton: {
        auto& button = static_cast<const forms::CommandButton&>(c);
        v.rect = pixelRect(button);
        v.visible = button.Visible;
        v.text = button.Caption.get();
        break;
    }
    case forms::Control::Kind::Shape: {
        auto& shape = static_cast<const forms::Shape&>(c);
        v.rect = pixelRect(shape);
        v.visible = shape.Visible;
        break;
    }
    case forms::Control::Kind::Timer: break;  // nothing to see
    }
    return v;
}

std::string windowCaption(const forms::Form& form) {
    const std::string& caption = form.Caption.get();
    return caption.empty() ? form.runtime().title() : caption;
}

bool FormView::stale() const { return !synced_ || form_.revision() != syncedRevision_; }

FormView::Changes FormView::sync(std::vector<ControlView>* before) {
    Changes changes;
    if (before) before->clear();
    if (!stale()) return changes;
    syncedRevision_ = form_.revision();
    changes.first = !synced_;
    synced_ = true;

    std::string caption = windowCaption(form_);
    changes.caption = changes.first || caption != caption_;
    caption_ = std::move(caption);

    const std::vector<forms::Control*>& controls = form_.controls();
    if (changes.first) controls_.resize(controls.size());
    int focus = -1;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i] == form_.focus()) focus = static_cast<int>(i);
        ControlView now = viewOf(*controls[i]);
        if (!changes.first && now == controls_[i]) continue;
        if (before) before->push_back(std::move(controls_[i]));
        controls_[i] = std::move(now);
        changes.controls.push_back(static_cast<int>(i));
    }
    changes.focus = changes.first || focus != focus_;
    focus_ = focus;
    return changes;
}

}  // namespace forms::core
