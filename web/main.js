// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Starts the game: the fonts, the page the game draws on, and the game's module.
import createMiravel from './miravel-web.js';
import { Gamepads } from './gamepad.js';
import { keepOffline } from './offline.js';
import { Page } from './page.js';

// The stand-in faces before any text is set, so the first frame is in the right ones.
const fontsReady = Promise.all(['16px "Nimbus Sans"', 'bold 16px "Nimbus Sans"', '16px Z003']
  .map((font) => document.fonts.load(font)));

// On a touch screen the levels get their on-screen keys; they hide while the player uses the
// keyboard or a pad, and come back with a touch.
// The panels are fitted again when the keys come or go: they take room under a level.
let page = null;
const touchKeys = (on) => {
  if (document.body.classList.contains('touch') === on) return;
  document.body.classList.toggle('touch', on);
  page?.fit();
};
if (navigator.maxTouchPoints > 0 || matchMedia('(any-pointer: coarse)').matches) touchKeys(true);
addEventListener('touchstart', () => touchKeys(true), { passive: true });
addEventListener('keydown', () => touchKeys(false), { capture: true, passive: true });

// The module and the pictures' pack are on their way since the page began (index.html).
const early = window.miravelEarly;

page = new Page(document, fontsReady, early.pictures);
const pads = new Gamepads(page, () => touchKeys(false));
createMiravel({
  page,
  // The module compiled meanwhile is instantiated here; the rest is as Emscripten does it.
  instantiateWasm(imports, receiveInstance) {
    early.module.then((module) => WebAssembly.instantiate(module, imports).then((instance) => receiveInstance(instance, module)))
      .catch((error) => page.failed(error));
    return {};
  },
}).then((module) => {
  pads.attach(module);
  return page.connect(module);
}, (error) => page.failed(error))
  // Once the title is up, the site is kept for the next visit: nothing of it delays the start.
  .then(() => requestAnimationFrame(() => setTimeout(() => keepOffline(document.getElementById('update')))));
