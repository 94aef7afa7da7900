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
    : id_(id), form_(form), pictures_(pictures), view_(form) {
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

void FormPanel::send(int index, const forms::Control& c, const forms::core::ControlView& now,
                     const forms::core::ControlView* before) {
    if (c.kind() == forms::Control::Kind::Timer) return;
    // A hidden control keeps its place on the page until it shows again.
    if (!before || now.visible != before->visible || (now.visible && now.rect != before->rect))
        page::place(id_, index, now.rect.x, now.rect.y, now.rect.width, now.rect.height, now.visible);
    if (c.kind() == forms::Control::Kind::Image) {
        const int picture = pictures_.number(now.picture.data());
        if (!before || picture != pictures_.number(before->picture.data())) page::setPicture(id_, index, picture);
    }
    if ((c.kind() == forms::Control::Kind::Label || c.kind() == forms::Control::Kind::CommandButton) &&
        (!before || now.text != before->text))
        page::setText(id_, index, now.text);
}

void FormPanel::sync() {
    if (!view_.stale()) return;
    const forms::core::FormView::Changes changes = view_.sync(&before_);
    if (changes.caption) page::setCaption(id_, view_.caption());
    const std::vector<forms::Control*>& controls = form_.controls();
    for (std::size_t k = 0; k < changes.controls.size(); ++k) {
        const auto i = static_cast<std::size_t>(changes.controls[k]);
        send(static_cast<int>(i), *controls[i], view_.controls()[i], changes.first ? nullptr : &before_[k]);
    }
    if (changes.focus) page::setFocus(id_, view_.focus());
    // Shown only through the host's formShown; a form the game hides goes away here.
    if (!form_.Visible) page::hidePanel(id_);
}

void FormPanel::applyWindowState(int state) {
    if (state == 1) page::minimizePanel(id_);
    else page::showPanel(id_);
}

}  // namespace forms::web
