// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// On-screen keys for a touch screen: each sends the same key events as the keyboard's key, and
// held down it repeats like one, as key-downs with one key-up at the release (the module
// repeats it: host_core/held_keys.h). They come in two groups, one for each thumb: the walk
// (Left, Right) at the left edge, the rest (D, and Up and Down on the Difficult level) at the
// right.
import { keyLabels } from './keys.js';

const kLeftThumb = new Set([37, 39]);

export class TouchKeys {
  // codes: the key codes to offer; send(down, code) holds a key down or lets it go.
  constructor(codes, send) {
    this.element = document.createElement('div');
    this.element.className = 'touch-keys';
    this.element.addEventListener('contextmenu', (e) => e.preventDefault());
    this.send = send;
    const thumbs = [0, 1].map(() => {
      const group = document.createElement('div');
      group.className = 'thumb';
      return group;
    });
    for (const code of codes) thumbs[kLeftThumb.has(code) ? 0 : 1].append(this.key(code));
    this.element.append(...thumbs);
  }

  key(code) {
    const button = document.createElement('button');
    button.type = 'button';
    button.tabIndex = -1;
    button.dataset.key = code;
    button.textContent = keyLabels[code] || String.fromCharCode(code);
    button.stop = () => button.classList.remove('held');
    const release = () => {
      if (!button.classList.contains('held')) return;
      button.stop();
      this.send(false, code);
    };
    button.addEventListener('pointerdown', (e) => {
      // No focus, no emulated mouse events, no long-press menu: the finger is a key.
      e.preventDefault();
      if (button.classList.contains('held')) return;
      button.setPointerCapture(e.pointerId);
      button.classList.add('held');
      this.send(true, code);
    });
    button.addEventListener('pointerup', release);
    button.addEventListener('pointercancel', release);
    button.addEventListener('lostpointercapture', release);
    return button;
  }

  // Lets every key go without a word to the game: the panel is leaving, and the module forgets
  // the keys held at a form that goes.
  stop() {
    for (const b of this.element.querySelectorAll('.held')) b.stop();
  }
}
