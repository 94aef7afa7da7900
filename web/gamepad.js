// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Gamepads on the page, through the Gamepad API's standard mapping. The pads are read once an
// animation frame, and only while one is connected; what they hold goes to the module, whose
// host core turns it into the game's keys at the panel with the keyboard (host_core/
// pad_mapping.h). While a message box is up the module sleeps: the page closes the box itself,
// on the buttons the module named for that. A browser shows a pad to a page only once one of
// its buttons has been pressed there.
import { closeMessageBox } from './message_box.js';

// The stick moves less than this: not worth a call into the module.
const kStickStep = 0.02;

export class Gamepads {
  // onUse: a pad's button was pressed.
  constructor(page, onUse) {
    this.page = page;
    this.onUse = onUse;
    this.frame = 0;
    this.down = 0;          // the standard buttons held at the last frame, bit i for button i
    this.sent = null;       // what the module last heard, null when it knows of no pad
    this.boxButtons = 0;    // the buttons that close a message box
    this.stale = false;     // the module slept meanwhile: tell it again what is held
    addEventListener('gamepadconnected', () => this.read());
    addEventListener('gamepaddisconnected', () => this.read());
  }

  // The module is there and awake.
  attach(module) {
    this.boxButtons = module._web_pad_box_buttons();
  }

  read() {
    cancelAnimationFrame(this.frame);
    this.frame = 0;
    const page = this.page;
    if (page.over) return;
    // Several pads play as one.
    let buttons = 0, x = 0, y = 0, pads = 0;
    for (const pad of navigator.getGamepads()) {
      if (!pad || !pad.connected || pad.mapping !== 'standard') continue;
      ++pads;
      pad.buttons.forEach((b, i) => { if (b.pressed && i < 31) buttons |= 1 << i; });
      const [px = 0, py = 0] = pad.axes;
      if (Math.abs(px) > Math.abs(x)) x = px;
      if (Math.abs(py) > Math.abs(y)) y = py;
    }
    const pressed = buttons & ~this.down;
    this.down = buttons;
    if (pressed) this.onUse();

    if (page.sleeping) {
      if (pressed & this.boxButtons) closeMessageBox();
      this.stale = true;
    } else if (!pads && this.sent) {
      page.call('web_pads_gone');
      this.sent = null;
    } else if (pads) {
      const s = this.sent;
      if (this.stale || !s || s.buttons !== buttons || Math.abs(s.x - x) >= kStickStep || Math.abs(s.y - y) >= kStickStep) {
        page.call('web_pads', page.desktop.active ? page.desktop.active.id : 0, buttons, x, y);
        this.sent = { buttons, x, y };
        this.stale = false;
      }
    }
    // On while a pad is there, or while the sleeping module has still to hear that the last went.
    if (pads || this.sent) this.frame = requestAnimationFrame(() => this.read());
  }
}
