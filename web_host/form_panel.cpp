// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web_host/form_panel.h"

#include "runtime/form.h"
#include "runtime/runtime.h"
#include "web_host/page.h"
#include "web_host/picture_numbers.h"
#include "web_host/stand_in_fonts.h"

namespace forms::web {

namespace {

int rgb(const std::optional<forms::Color>& c) { return c ? c->r << 16 | c->g << 8 | c->b : -1; }

}  // namespace

FormPanel::FormPanel(int id, forms::Form& form, const PictureNumbers& pictures, std::string_view touchKeys)
    : id_(id), form_(form), pictures_(pictures) {
    const forms::FormDesign& design = form.design();
    page::PanelDesign d;
    d.form = form.name();
    d.width = design.clientWidth / kTwipsPerPixel;
    d.height = design.clientHeight / kTwipsPerPixel;
    d.left = design.left / kTwipsPerPixel;
    d.top = design.top / kTwipsPerPixel;
    d.backColor = rgb(design.backColor);
    d.background = pictures.number(form.Picture.data());
    d.icon = pictures.number(form.Icon.data());
    d.pointer = pictures.number(form.MouseIcon.data());
    d.touchKeys = touchKeys;
    page::createPanel(id_, d);

    const std::vector<forms::Control*>& controls = form.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const int index = static_cast<int>(i);
        forms::Control& c = *controls[i];
        switch (c.kind()) {
        case forms::Control::Kind::Image: page::addImage(id_, index, c.name()); break;
        case forms::Control::Kind::Label: {
            auto& label = static_cast<forms::Label&>(c);
            page::addLabel(id_, index, c.name(), standInFont(label.look.font), rgb(label.look.foreColor),
                           rgb(label.look.backColor), label.look.centred);
            break;
        }
        case forms::Control::Kind::CommandButton:
            page::addButton(id_, index, c.name(), standInFont(static_cast<forms::CommandButton&>(c).look.font));
            break;
        case forms::Control::Kind::Shape:
            page::addShape(id_, index, c.name(), rgb(static_cast<forms::Shape&>(c).color));
            break;
        case forms::Control::Kind::Timer: break;  // nothing to see
        }
    }
    sync();
}

FormPanel::~FormPanel() { page::removePanel(id_); }

bool FormPanel::changed() const { return form_.revision() != syncedRevision_; }

FormPanel::Shown FormPanel::shownOf(const forms::Control& c) const {
    Shown s;
    switch (c.kind()) {
    case forms::Control::Kind::Image: {
        auto& image = static_cast<const forms::Image&>(c);
        const forms::PictureData* picture = image.Picture.get().data();
        // Unscaled at its place, at its picture's size.
        s.picture = pictures_.number(picture);
        s.visible = image.Visible && picture;
        if (picture)
            s.rect = {toPixels(image.Left.get().value()), toPixels(image.Top.get().value()), picture->width,
                      picture->height};
        break;
    }
    case forms::Control::Kind::Label: {
        auto& label = static_cast<const forms::Label&>(c);
        s.rect = pixelRect(label);
        s.visible = label.Visible;
        s.text = label.Caption.get();
        break;
    }
    case forms::Control::Kind::CommandButton: {
        auto& button = static_cast<const forms::CommandButton&>(c);
        s.rect = pixelRect(button);
        s.visible = button.Visible;
        s.text = button.Caption.get();
        break;
    }
    case forms::Control::Kind::Shape: {
        auto& shape = static_cast<const forms::Shape&>(c);
        s.rect = pixelRect(shape);
        s.visible = shape.Visible;
        break;
    }
    case forms::Control::Kind::Timer: break;
    }
    return s;
}

void FormPanel::send(int index, const forms::Control& c, const Shown& now, const Shown* before) {
    if (c.kind() == forms::Control::Kind::Timer) return;
    // A hidden control keeps its place on the page until it shows again.
    if (!before || now.visible != before->visible || (now.visible && now.rect != before->rect))
        page::place(id_, index, now.rect.x, now.rect.y, now.rect.width, now.rect.height, now.visible);
    if (c.kind() == forms::Control::Kind::Image && (!before || now.picture != before->picture))
        page::setPicture(id_, index, now.picture);
    if ((c.kind() == forms::Control::Kind::Label || c.kind() == forms::Control::Kind::CommandButton) &&
        (!before || now.text != before->text))
        page::setText(id_, index, now.text);
}

void FormPanel::sync() {
    syncedRevision_ = form_.revision();
    if (!sent_ || form_.Caption.get() != caption_) {
        caption_ = form_.Caption.get();
        // A form without a caption still names the program on its title bar, as on the desktop.
        page::setCaption(id_, caption_.empty() ? form_.runtime().title() : caption_);
    }
    const std::vector<forms::Control*>& controls = form_.controls();
    if (!sent_) shown_.resize(controls.size());
    // A ball that moves costs one call; a change nothing shows (a timer's interval, a hidden
    // image's place) costs none.
    for (std::size_t i = 0; i < controls.size(); ++i) {
        Shown now = shownOf(*controls[i]);
        if (sent_ && now == shown_[i]) continue;
        send(static_cast<int>(i), *controls[i], now, sent_ ? &shown_[i] : nullptr);
        shown_[i] = std::move(now);
    }
    int focus = -1;
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i] == form_.focus()) focus = static_cast<int>(i);
    if (!sent_ || focus != focus_) {
        focus_ = focus;
        page::setFocus(id_, focus_);
    }
    sent_ = true;
    // Shown only through the host's formShown; a form the game hides goes away here.
    if (!form_.Visible) page::hidePanel(id_);
}

void FormPanel::applyWindowState(int state) {
    if (state == 1) page::minimizePanel(id_);
    else page::showPanel(id_);
}

}  // namespace forms::web
