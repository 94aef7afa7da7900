// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the game's module calls (web_host/page.h), and the one gate through which the page
// calls the module: never while it sleeps in a message box, never after the program has ended.
import { Desktop } from './desktop.js';
import { messageBox } from './message_box.js';
import { Panel } from './panel.js';
import { Pictures } from './pictures.js';

export class Page {
  constructor(doc, fontsReady, picturePack) {
    this.doc = doc;
    this.fontsReady = fontsReady;
    this.pictures = new Pictures(picturePack);
    this.desktop = new Desktop(doc.getElementById('desktop'), doc.getElementById('taskbar'), this.pictures);
    this.panels = new Map();
    this.module = null;
    this.sleeping = false;  // the module waits in a message box
    this.over = false;      // the program has ended
    this.timer = 0;
    this.repeat = 0;
    this.frame = 0;
    this.ready = null;
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
    this.call('web_start');
    // The frame in which the title first shows, for whoever measures the start.
    requestAnimationFrame(() => performance.mark('miravel-first-frame'));
  }

  call(name, ...args) {
    if (!this.module || this.sleeping || this.over) return;
    try {
      this.module['_' + name](...args);
    } catch (e) {
      this.failed(e);
      return;
    }
    // Whatever the call changed on the page is laid out by now: texts are fitted to their boxes.
    for (const panel of this.panels.values()) panel.fitText();
  }

  // --- From the module -------------------------------------------------------------------------

  begin(files) {
    this.ready = this.pictures.load(files);
    this.ready.catch(() => {});  // reported by connect
  }

  createPanel(id, design) {
    const game = {
      key: (down, code, modifiers) => this.call('web_key', id, down ? 1 : 0, code, modifiers),
      hold: (down, code) => this.call('web_hold', id, down ? 1 : 0, code),
      click: (index) => this.call('web_click', id, index),
      close: () => this.call('web_close', id),
      minimize: () => {
        // The player's own minimise: done here, then told to the game, which does not echo it.
        if (this.sleeping || this.over) return;
        this.desktop.minimize(panel);
        this.call('web_window_state', id, 1);
      },
    };
    const panel = new Panel(id, design, this.pictures, game);
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
      await messageBox(title, text);
    } finally {
      this.sleeping = false;
    }
    // Once the game has done with the box's handler, a panel still there takes the keyboard if
    // the one that had it went away meanwhile.
    setTimeout(() => {
      if (!this.over && !this.doc.querySelector('.panel:focus-within')) this.desktop.activateTopmost();
    });
  }

  ended(status) {
    this.over = true;
    this.stopTimer();
    this.desktop.clear();
    this.notice(status === 0 ? 'Miravel Vozoda has ended.' : 'Miravel Vozoda has ended after a run-time error.');
  }

  // --- The page's own ---------------------------------------------------------------------------

  failed(error) {
    if (this.over) return;
    this.over = true;
    this.stopTimer();
    this.desktop.clear();
    console.error(error && error.stack ? error.stack : error);
    this.notice(`Miravel Vozoda could not go on: ${error && error.message ? error.message : error}`);
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
    again.addEventListener('click', () => location.reload());
    box.append(p, again);
    this.doc.getElementById('desktop').append(box);
    again.focus();
  }
}
