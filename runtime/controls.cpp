// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/controls.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "runtime/form.h"
#include "runtime/pixels.h"
#include "runtime/runtime.h"

namespace forms {

int Font::pixelSize() const { return std::max(1, static_cast<int>(std::lround(points * 4.0 / 3.0))); }

Control::Control(Form& form, const char* name, Kind kind) : form_(form), name_(name), kind_(kind) {
    form.addControl(this);
}

void Control::propertySet(const PropertyBase& property) {
    changed(property);
    form_.controlChanged(*this, property);
}

VisibleControl::VisibleControl(Form& form, const char* name, Kind kind, Geometry g, bool visible)
    : Control(form, name, kind),
      Left(*this, "Left", g.left),
      Top(*this, "Top", g.top),
      Width(*this, "Width", g.width),
      Height(*this, "Height", g.height),
      Visible(*this, "Visible", visible) {}

Image::Image(Form& form, const char* name, Geometry g, bool visible, forms::Picture picture)
    : VisibleControl(form, name, Kind::Image, g, visible), Picture(*this, "Picture") {
    if (picture) Picture = std::move(picture);
}

void Image::changed(const PropertyBase& property) {
    if (&property != &Picture) return;
    if (const PictureData* p = Picture.get().data()) {
        Width = p->width * kTwipsPerPixel;
        Height = p->height * kTwipsPerPixel;
    }
}

Label::Label(Form& form, const char* name, Geometry g, bool visible, std::string caption, Look lk)
    : VisibleControl(form, name, Kind::Label, g, visible),
      Caption(*this, "Caption", std::move(caption)),
      look(std::move(lk)) {}

CommandButton::CommandButton(Form& form, const char* name, Geometry g, bool visible,
                             std::string caption, Look lk)
    : VisibleControl(form, name, Kind::CommandButton, g, visible),
      Caption(*this, "Caption", std::move(caption)),
      look(std::move(lk)) {}

char CommandButton::accessKey() const {
    const std::string& c = Caption.get();
    for (std::size_t i = 0; i + 1 < c.size(); ++i) {
        if (c[i] != '&') continue;
        if (c[i + 1] == '&') {  // "&&" is a literal ampersand
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c[i + 1])));
    }
    return 0;
}

void CommandButton::changed(const PropertyBase& property) {
    // A button that hides while it has the focus passes the focus on along the tab order.
    if (&property == &Visible && !Visible && form().focus() == this) form().moveFocus(true);
}

Shape::Shape(Form& form, const char* name, Geometry g, Color c)
    : VisibleControl(form, name, Kind::Shape, g, true), color(c) {}

Timer::Timer(Form& form, const char* name, std::int32_t interval, bool enabled)
    : Control(form, name, Kind::Timer),
      Enabled(*this, "Enabled", enabled),
      Interval(*this, "Interval", Long(interval)),
      wasEnabled_(enabled) {
    if (enabled) arm(form.runtime().now());
}

std::int64_t Timer::period() const {
    return std::max<std::int64_t>(Interval.get().value(), Runtime::kShortestPeriod);
}

void Timer::arm(std::int64_t now) {
    armed_ = Enabled && Interval.get().value() > 0;
    dueAt_ = now + period();
}

void Timer::advance(std::int64_t upTo, LateTicks late) {
    dueAt_ += period();
    if (late == LateTicks::Drop && dueAt_ <= upTo) dueAt_ = upTo + period();
}

void Timer::changed(const PropertyBase& property) {
    const std::int64_t now = form().runtime().now();
    if (&property == &Enabled) {
        // Enabling a stopped timer starts its period afresh; enabling a running one changes nothing.
        if (Enabled && !wasEnabled_) arm(now);
        if (!Enabled) armed_ = false;
        wasEnabled_ = Enabled;
    } else if (&property == &Interval && Enabled) {
        arm(now);  // a new interval governs the ticks from now on
    }
}

}  // namespace forms
