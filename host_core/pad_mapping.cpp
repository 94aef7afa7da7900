// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "host_core/pad_mapping.h"

#include "runtime/controls.h"
#include "runtime/form.h"
#include "runtime/runtime.h"

namespace forms::core {

namespace {

constexpr int kKeyD = 'D';
// A stick direction comes on at half its travel and goes off under a third.
constexpr double kStickOn = 0.5, kStickOff = 0.35;

struct Direction {
    unsigned bit;
    int keyCode;
};
constexpr Direction kDirections[] = {
    {pad::Left, key::Left}, {pad::Right, key::Right}, {pad::Up, key::Up}, {pad::Down, key::Down}};

// Start is Enter, except where Enter would choose the Cancel button.
bool startChoosesCancel(const forms::Form& form) {
    const forms::CommandButton* focus = form.focus();
    return focus && focus->look.isCancel;
}

}  // namespace

unsigned PadMapping::stickDirections(double x, double y, unsigned before) {
    auto along = [&](double v, unsigned negative, unsigned positive) {
        const bool wasNegative = before & negative, wasPositive = before & positive;
        if (v <= -(wasNegative ? kStickOff : kStickOn)) return negative;
        if (v >= (wasPositive ? kStickOff : kStickOn)) return positive;
        return 0u;
    };
    return along(x, pad::Left, pad::Right) | along(y, pad::Up, pad::Down);
}

void PadMapping::frontChanged(forms::Form* front) {
    keys_.forgetAll();
    spent_ |= down_;
    front_ = front;
}

bool PadMapping::update(const PadState& pads, forms::Form* front, std::int64_t now) {
    stick_ = stickDirections(pads.stickX, pads.stickY, stick_);
    const unsigned down = pads.buttons | stick_;
    const unsigned pressed = down & ~down_;
    if (boxOpen_) {
        down_ = spent_ = down;
        return (pressed & pad::ClosesMessageBox) != 0;
    }
    if (spendOnNextUpdate_) {
        spendOnNextUpdate_ = false;
        spent_ |= down;
    }
    if (front != front_) frontChanged(front);
    down_ = down;
    spent_ &= down;  // free again once up
    const unsigned live = down & ~spent_;
    if (!front) return false;

    // Each delivery runs game code, which may unload the form or open a box: stop once it has.
    const unsigned generation = generation_;
    auto deliver = [&](bool on, int keyCode, bool repeats) {
        if (generation_ != generation) return false;
        if (on) keys_.press(*front, keyCode, now, repeats);
        else keys_.release(keyCode);
        return generation_ == generation;
    };
    // Ups first, then downs, each in one order whatever the pad reports.
    for (const Direction& d : kDirections)
        if (!(live & d.bit) && keys_.isHeld(d.keyCode)) deliver(false, d.keyCode, true);
    if (!(live & pad::South)) {
        if (keys_.isHeld(kKeyD)) deliver(false, kKeyD, false);
        if (keys_.isHeld(key::Space)) deliver(false, key::Space, false);
    }
    if (!(live & pad::Start) && keys_.isHeld(key::Enter)) deliver(false, key::Enter, false);
    if (generation_ != generation) return false;

    const bool level = !front->hasFocusableControl();
    for (const Direction& d : kDirections)
        if ((live & d.bit) && !keys_.isHeld(d.keyCode) && !deliver(true, d.keyCode, true)) return false;
    const int southKey = level ? kKeyD : key::Space;
    if ((live & pad::South) && !keys_.isHeld(southKey) && !deliver(true, southKey, false)) return false;
    if ((pressed & live & pad::Start) && !level && !startChoosesCancel(*front)) deliver(true, key::Enter, false);
    return false;
}

void PadMapping::repeatDue(forms::Form* front, std::int64_t now) {
    if (boxOpen_) return;
    if (front != front_) frontChanged(front);
    else keys_.repeatDue(now);
}

void PadMapping::formGone(const forms::Form& form) {
    keys_.forget(form);
    if (&form != front_) return;
    front_ = nullptr;
    ++generation_;
}

void PadMapping::padsGone() {
    ++generation_;
    keys_.releaseAll();
    down_ = spent_ = stick_ = 0;
}

void PadMapping::messageBoxOpened() {
    ++generation_;
    boxOpen_ = true;
    spent_ = down_;
    keys_.forgetAll();
}

void PadMapping::messageBoxClosed() {
    ++generation_;
    boxOpen_ = false;
    spendOnNextUpdate_ = true;
}

}  // namespace forms::core
