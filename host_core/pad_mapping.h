// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A gamepad as the keyboard the game was written for. The pad's changes become the model's own
// key events at the form in front, so every rule stays the model's:
// - on a level (a form with nothing to focus) the d-pad and the left stick are the arrow keys,
//   held and repeated as held keys are, and the south button (A, Cross) is D: down winds up,
//   up throws;
// - on a form with buttons the d-pad and the stick are the arrows (they move the focus), south
//   is Space (it clicks the focused button as it comes up) and Start is Enter;
// - while a message box is up, south, east or Start closes it; a button held as it opens or
//   pressed while it is up means nothing more until it has come up.
// No button quits by accident: east is never Escape, and Start never chooses the Cancel button
// (Quit): that takes focusing it and pressing south, as with the keyboard.
#pragma once

#include <cstdint>
#include <optional>

#include "host_core/held_keys.h"

namespace forms::core {

// The pad's buttons that mean something to the game, as bits; each host reads its own pads
// into these (SDL's game controller, the Gamepad API's standard mapping).
namespace pad {
constexpr unsigned South = 1u << 0, East = 1u << 1, Start = 1u << 2;
constexpr unsigned Up = 1u << 3, Down = 1u << 4, Left = 1u << 5, Right = 1u << 6;
// The buttons that close a message box.
constexpr unsigned ClosesMessageBox = South | East | Start;
}  // namespace pad

// What the pads hold at a moment: buttons (pad:: bits, the d-pad among them) and the left
// stick, each axis from -1 to 1, right and down positive.
struct PadState {
    unsigned buttons = 0;
    double stickX = 0;
    double stickY = 0;
};

class PadMapping {
public:
    explicit PadMapping(HeldKeys::Deliver deliver) : keys_(std::move(deliver)) {}

    // The pads as they are now, at `now` ms; `front` is the form whose window has the keyboard
    // (null for none). Delivers the key events the change makes. True when it closes the
    // message box that is up: the host closes it.
    bool update(const PadState& pads, forms::Form* front, std::int64_t now);
    // The pads are gone: every key held comes up.
    void padsGone();

    // A message box opens over the game: it takes the pad, and the keys held stop without a
    // key-up, as they do when a box takes the keyboard.
    void messageBoxOpened();
    // The box has gone; what is held at the next update was spent on it.
    void messageBoxClosed();
    void formGone(const forms::Form& form);

    // The repeats of held keys: when the next falls due, and its delivery at the form in front
    // (none where another form has come to the front since the key went down).
    std::optional<std::int64_t> nextRepeat() const { return keys_.nextDue(); }
    void repeatDue(forms::Form* front, std::int64_t now);

    // The pad:: direction bits the left stick gives, given those it gave before (a direction
    // comes on past one threshold and goes off under a lower one, so a stick at the edge does
    // not chatter).
    static unsigned stickDirections(double x, double y, unsigned before);

private:
    // Another form has come to the front: the keys held stop, without a key-up, and what is held
    // means nothing to the new one until it has come up.
    void frontChanged(forms::Form* front);

    HeldKeys keys_;
    forms::Form* front_ = nullptr;  // where the keys held went down
    unsigned down_ = 0;             // buttons and stick directions down at the last update
    unsigned stick_ = 0;            // of those, the stick's
    unsigned spent_ = 0;            // down, but taken by a message box or another form
    bool boxOpen_ = false;
    bool spendOnNextUpdate_ = false;
    // Counts what changes the ground under a delivery (a box, a form gone): an update stops
    // delivering once it moves.
    unsigned generation_ = 0;
};

}  // namespace forms::core
