// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The intrinsic controls a form carries: images, labels, command buttons, shapes and timers.
// A control lives inside its form; the form owns it as a member and it registers itself there.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "runtime/property.h"

namespace forms {

class Form;

struct Geometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Color {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

struct Font {
    std::string name = "MS Sans Serif";
    double points = 8.25;  // the runtime's default font
    bool bold = false;
    bool underline = false;

    // The designed face at 96 dots per inch: its size in pixels (points * 4 / 3), however dense
    // the screen, so that text is as many pixels high as the pictures around it were drawn for.
    int pixelSize() const;
};

class Control : public PropertyOwner {
public:
    enum class Kind { Image, Label, CommandButton, Shape, Timer };

    Control(Form& form, const char* name, Kind kind);

    Form& form() const { return form_; }
    const char* name() const { return name_; }
    Kind kind() const { return kind_; }

    void propertySet(const PropertyBase& property) override;

protected:
    virtual void changed(const PropertyBase&) {}

private:
    Form& form_;
    const char* name_;
    Kind kind_;
};

// A control with a place on the form (everything but a timer). Positions are single-precision
// twips and are never clamped: a sprite may stand far outside its window.
class VisibleControl : public Control {
public:
    VisibleControl(Form& form, const char* name, Kind kind, Geometry g, bool visible);

    Prop<Single> Left;
    Prop<Single> Top;
    Prop<Single> Width;
    Prop<Single> Height;
    Prop<bool> Visible;
};

class Image final : public VisibleControl {
public:
    // An image takes the size of its picture; without one it keeps its design size.
    Image(Form& form, const char* name, Geometry g, bool visible, forms::Picture picture = {});

    Prop<forms::Picture> Picture;

private:
    void changed(const PropertyBase& property) override;
};

class Label final : public VisibleControl {
public:
    struct Look {
        Font font;
        std::optional<Color> foreColor;  // empty: the desktop's default text colour
        std::optional<Color> backColor;  // empty: a transparent label paints only its text
        bool centred = false;
    };

    Label(Form& form, const char* name, Geometry g, bool visible, std::string caption, Look look);

    Prop<std::string> Caption;
    const Look look;
};

class CommandButton final : public VisibleControl {
public:
    struct Look {
        Font font;
        bool isDefault = false;  // Enter clicks it when no other button has the focus
        bool isCancel = false;   // Escape clicks it
    };

    CommandButton(Form& form, const char* name, Geometry g, bool visible, std::string caption, Look look);

    Prop<std::string> Caption;
    const Look look;
    std::function<void()> Click;

    // The letter after "&" in the caption, upper-cased; 0 if there is none.
    char accessKey() const;

private:
    void changed(const PropertyBase& property) override;
};

class Shape final : public VisibleControl {
public:
    Shape(Form& form, const char* name, Geometry g, Color color);
    const Color color;
};

// What the clock does with the ticks of a timer that fell behind.
enum class LateTicks {
    Deliver,  // every one, in order: a script's clock, where time is stepped, never late
    Drop,     // one, then on from now: the desktop after a stall gets no burst of ticks
};

class Timer final : public Control {
public:
    Timer(Form& form, const char* name, std::int32_t interval, bool enabled);

    Prop<bool> Enabled;
    Prop<Long> Interval;  // milliseconds
    std::function<void()> Tick;

    // Scheduling state, kept by the runtime's clock.
    bool armed() const { return armed_; }
    std::int64_t dueAt() const { return dueAt_; }
    std::int64_t period() const;
    void arm(std::int64_t now);  // the period starts afresh at `now`
    // Called as the tick due at dueAt() is delivered, with the clock's target time `upTo`: the
    // next tick is one period later, or with LateTicks::Drop one period after `upTo` if it is late.
    void advance(std::int64_t upTo, LateTicks late);

private:
    void changed(const PropertyBase& property) override;

    bool wasEnabled_;
    bool armed_ = false;
    std::int64_t dueAt_ = 0;
};

}  // namespace forms
