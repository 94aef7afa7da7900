// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the game's module calls (web_host/page.h), and the one gate through which the page
// calls the module: never while it sleeps in a message box, never after the program has ended.
import { Desktop } from './desktop.js';
import { messageBox, scaleMessageBox } from './message_box.js';
import { playAgain } from './offline.js';
import { Panel } from './panel.js';
import { Pictures } from './pictures.js';

export class Page {
  constructor(doc, fontsReady, picturePack) {
    this.doc = doc;
    this.fontsReady = fontsReady;
    this.pictures = new Pictures(picturePack);
    this.desktop = new Desktop(doc.getElementById('desktop'), doc.getElementById('taskbar'), this.pictures,
      (scaled, fixed, room) => this.zoomToFit(scaled, fixed, room));
    this.panels = new Map();
    this.module = null;
    this.sleeping = false;  // the module waits in a message box
    this.over = false;      // the program has ended
    this.timer = 0;
    this.repeat = 0;
    this.frame = 0;
    this.ready = null;
    this.title = document.title;
    this.smallest = 1;
    // Panels that lost the keyboard while the game could not be told (it slept in a box).
    this.keyboardLost = new Set();

    // Every panel is fitted again when the page changes size: a window made smaller, a phone
    // turned, full screen entered or left, or the first touch bringing the touch keys.
    const fit = () => this.fit();
    addEventListener('resize', fit);
    doc.addEventListener('fullscreenchange', fit);
    addEventListener('touchstart', fit, { once: true, passive: true });
    // Alt+Enter is the page's own key, full screen, and never reaches the game.
    let altEnter = false;
    addEventListener('keydown', (e) => {
      if (e.key !== 'Enter' || !e.altKey || e.ctrlKey || e.metaKey) return;
      e.preventDefault();
      e.stopImmediatePropagation();
      altEnter = true;
      if (!e.repeat && !this.over) this.desktop.toggleFullscreen();
    }, true);
    addEventListener('keyup', (e) => {
      if (e.key !== 'Enter' || !altEnter) return;
      altEnter = false;
      e.preventDefault();
      e.stopImmediatePropagation();
    }, true);
    this.toldHidden = 0;  // what the module was last told of the page's visibility
    // A hidden page's game stands still (the browser would give its timers a second each).
    doc.addEventListener('visibilitychange', () => this.tellHidden());
  }

  // The module is there; the game starts once the pictures and fonts are ready too.
  async connect(module) {
    this.module = module;
    try {
      await Promise.all([this.ready, this.fontsReady]);
    } catch (e) {
      this.failed(e);
      return;
    }
    this.tellHidden();
    this.call('web_start');
    // The frame in which the title first shows, for whoever measures the start.
    requestAnimationFrame(() => performance.mark('miravel-first-frame'));
  }

  // Whether the call was made.
  call(name, ...args) {
    if (!this.module || this.sleeping || this.over) return false;
    try {
      for (const id of this.keyboardLost) this.module._web_keyboard_lost(id);
      this.keyboardLost.clear();
      this.module['_' + name](...args);
    } catch (e) {
      this.failed(e);
      return false;
    }
    // Whatever the call changed on the page is laid out by now: texts are fitted to their boxes.
    for (const panel of this.panels.values()) panel.fitText();
    return true;
  }

  // Tells the module whether the page is hidden, once it can be told (not while it sleeps in a
  // message box: the box's end tells it then).
  tellHidden() {
    const hidden = this.doc.visibilityState === 'hidden' ? 1 : 0;
    if (hidden !== this.toldHidden && this.call('web_set_hidden', hidden)) this.toldHidden = hidden;
  }

  // The host core's whole-step rule (web_zoom_to_fit). Called outside the gate: it touches no
  // state of the program, so the page fits its panels even while the module sleeps in a box.
  zoomToFit(scaled, fixed, room) {
    return this.module._web_zoom_to_fit(scaled.width, scaled.height, fixed.width, fixed.height, room.width, room.height);
  }

  fit() {
    if (this.over) return;
    this.desktop.fitAll();
    for (const box of this.doc.querySelectorAll('dialog.message-box')) scaleMessageBox(box, this.desktop.frontScale);
  }

  // --- From the module -------------------------------------------------------------------------

  begin(files, title, smallest) {
    this.title = title;
    this.smallest = smallest;
    this.ready = this.pictures.load(files);
    this.ready.catch(() => {});  // reported by connect
  }

  createPanel(id, design) {
    const game = {
      key: (down, code, modifiers) => this.call('web_key', id, down ? 1 : 0, code, modifiers),
      // Told with the next call the game can take: it may be asleep in a message box now.
      keyboardLost: () => this.keyboardLost.add(id),
      hold: (down, code) => this.call('web_hold', id, down ? 1 : 0, code),
      click: (index) => this.call('web_click', id, index),
      close: () => this.call('web_close', id),
      fullscreen: () => this.desktop.toggleFullscreen(),
      minimize: () => {
        // The player's own minimise: done here, then told to the game, which does not echo it.
        if (this.sleeping || this.over) return;
        this.desktop.minimize(panel);
        this.call('web_window_state', id, 1);
      },
    };
    const panel = new Panel(id, design, this.pictures, game, this.smallest);
    this.panels.set(id, panel);
    this.desktop.add(panel, () => this.call('web_window_state', id, 0));
  }

  setCaption(id, caption) { this.panels.get(id)?.setCaption(caption); }
  showPanel(id) { this.withPanel(id, (p) => this.desktop.show(p)); }
  minimizePanel(id) { this.withPanel(id, (p) => this.desktop.minimize(p)); }
  hidePanel(id) { this.withPanel(id, (p) => this.desktop.hide(p)); }
  removePanel(id) {
    this.withPanel(id, (p) => this.desktop.remove(p));
    this.panels.delete(id);
    this.keyboardLost.delete(id);
  }

  addImage(id, index, name) { this.panels.get(id)?.addImage(index, name); }
  addLabel(id, index, name, look) { this.panels.get(id)?.addLabel(index, name, look); }
  addButton(id, index, name, look) { this.panels.get(id)?.addButton(index, name, look); }
  addShape(id, index, name, color) { this.panels.get(id)?.addShape(index, name, color); }
  place(id, index, x, y, width, height, visible) { this.panels.get(id)?.place(index, x, y, width, height, visible); }
  setPicture(id, index, number) { this.panels.get(id)?.setPicture(index, number); }
  setText(id, index, text) { this.panels.get(id)?.setText(index, text); }
  setFocus(id, index) { this.panels.get(id)?.setFocus(index); }

  withPanel(id, f) {
    const p = this.panels.get(id);
    if (p) f(p);
  }

  requestFrame() {
    if (this.frame) return;
    this.frame = requestAnimationFrame(() => {
      this.frame = 0;
      this.call('web_frame');
    });
  }

  armTimer(ms) {
    clearTimeout(this.timer);
    this.timer = setTimeout(() => {
      this.timer = 0;
      this.call('web_timer');
    }, ms);
  }

  stopTimer() {
    clearTimeout(this.timer);
    this.timer = 0;
  }

  // The next repeat of a key held by a touch key or a pad: the module keeps the time.
  armRepeat(ms) {
    clearTimeout(this.repeat);
    this.repeat = setTimeout(() => {
      this.repeat = 0;
      this.call('web_repeat', this.desktop.active ? this.desktop.active.id : 0);
    }, ms);
  }

  stopRepeat() {
    clearTimeout(this.repeat);
    this.repeat = 0;
  }

  async messageBox(title, text) {
    this.sleeping = true;
    try {
      await messageBox(title, text, this.desktop.frontScale);
    } finally {
      this.sleeping = false;
    }
    // Once the game has done with the box's handler, a panel still there takes the keyboard if
    // the one that had it went away meanwhile.
    setTimeout(() => {
      if (!this.over && !this.doc.querySelector('.panel:focus-within')) this.desktop.activateTopmost();
      this.tellHidden();
    });
  }

  ended(status) {
    this.over = true;
    this.stopTimer();
    this.desktop.clear();
    this.notice(status === 0 ? `${this.title} has ended.` : `${this.title} has ended after a run-time error.`);
  }

  // --- The page's own ---------------------------------------------------------------------------

  failed(error) {
    if (this.over) return;
    this.over = true;
    this.stopTimer();
    this.desktop.clear();
    console.error(error && error.stack ? error.stack : error);
    this.notice(`${this.title} could not go on: ${error && error.message ? error.message : error}`);
  }

  // A notice in place of the game, with a way to start again (one run is one game).
  notice(text) {
    const box = this.doc.createElement('div');
    box.className = 'notice';
    box.setAttribute('role', 'status');
    const p = this.doc.createElement('p');
    p.textContent = text;
    const again = this.doc.createElement('button');
    again.type = 'button';
    again.textContent = 'Play again';
    again.addEventListener('click', playAgain);
    box.append(p, again);
    this.doc.getElementById('desktop').append(box);
    again.focus();
  }
}
