// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The panel of one shown form: a title bar (icon, caption, minimise and close boxes) over the
// client area, where the form's background, shapes, images and labels lie in design order and
// its command buttons over them. The panel only shows what the game tells it; every key, click
// and close goes back to the game.
import { browserKeepsKey, desktopKeyCode, desktopModifiers } from './keys.js';
import { TouchKeys } from './touch_keys.js';

// A designed font as the game sets it: {family, pixelSize, bold, linePitch, underline}.
function applyFont(style, look) {
  style.fontFamily = look.family;
  style.fontSize = look.pixelSize + 'px';
  style.fontWeight = look.bold ? '700' : '400';
  style.lineHeight = look.linePitch + 'px';
  if (look.underline) style.textDecoration = 'underline';
}

function cssColor(rgb) {
  return rgb < 0 ? '' : '#' + rgb.toString(16).padStart(6, '0');
}

// A button's caption with its access key underlined: "&Begin" shows Begin with the B marked;
// "&&" is a plain ampersand.
function setCaption(button, caption) {
  button.replaceChildren();
  let plain = '';
  for (let i = 0; i < caption.length; ++i) {
    const c = caption[i];
    if (c === '&' && i + 1 < caption.length) {
      ++i;
      if (caption[i] !== '&') {
        if (plain) button.append(plain);
        plain = '';
        const u = document.createElement('u');
        u.textContent = caption[i];
        button.append(u);
        continue;
      }
    }
    plain += caption[i];
  }
  if (plain) button.append(plain);
  button.setAttribute('aria-label', caption.replace(/&(.)/g, '$1'));
}

export class Panel {
  // design: {form, width, height, left, top, backColor, background, icon, pointer, touchKeys}.
  // game: {key(down, code, modifiers), keyboardLost(), hold(down, code), click(index), close(),
  // minimize(), fullscreen()}, the way back; hold is a key the module repeats while it is held.
  // smallest: the smallest pixel size a text is set in to fit its box.
  constructor(id, design, pictures, game, smallest) {
    this.id = id;
    this.design = design;
    this.pictures = pictures;
    this.game = game;
    this.controls = [];
    this.caption = '';
    // CSS pixels per picture pixel (Desktop.fit).
    this.scale = 1;
    this.focused = null;
    this.smallest = smallest;
    // Labels and buttons whose text has still to be fitted to its box (fitText).
    this.unfitted = new Set();

    const el = this.element = document.createElement('section');
    el.className = 'panel';
    el.dataset.form = design.form;
    el.tabIndex = -1;
    el.hidden = true;
    el.setAttribute('aria-label', design.form);

    const bar = this.titlebar = document.createElement('div');
    bar.className = 'titlebar';
    bar.append(pictures.icon(design.icon, 16));
    this.captionElement = document.createElement('span');
    this.captionElement.className = 'caption';
    bar.append(this.captionElement);
    bar.append(this.frameButton('minimize', 'Minimise', '\u2013', () => game.minimize()));
    // Drawn by the style sheet: the page's faces have no such sign.
    this.fullscreenButton = this.frameButton('fullscreen', 'Full screen', '', () => game.fullscreen());
    this.fullscreenButton.hidden = !document.fullscreenEnabled;
    bar.append(this.fullscreenButton);
    bar.append(this.frameButton('close', 'Close', '\u00d7', () => game.close()));

    const client = this.client = document.createElement('div');
    client.className = 'client';
    client.style.width = design.width + 'px';
    client.style.height = design.height + 'px';
    if (design.pointer >= 0) client.style.cursor = pictures.pointer(design.pointer);
    client.append(this.backgroundCanvas());

    el.append(bar, client);
    if (design.touchKeys) {
      const codes = design.touchKeys.split(',').map(Number);
      this.touchKeys = new TouchKeys(codes, (down, code) => game.hold(down, code));
      el.append(this.touchKeys.element);
    }

    el.addEventListener('keydown', (e) => this.keyDown(e));
    el.addEventListener('keyup', (e) => this.keyUp(e));
    el.addEventListener('focusout', (e) => {
      // Keys released while another panel has the keyboard never come back here.
      if (!el.contains(e.relatedTarget)) game.keyboardLost();
    });
  }

  frameButton(className, label, text, action) {
    const b = document.createElement('button');
    b.type = 'button';
    b.className = className;
    b.tabIndex = -1;
    b.title = label;
    b.setAttribute('aria-label', label);
    b.textContent = text;
    b.addEventListener('pointerdown', (e) => e.stopPropagation());  // not the start of a drag
    b.addEventListener('mousedown', (e) => e.preventDefault());     // the panel keeps the keyboard
    b.addEventListener('click', action);
    return b;
  }

  // The form's colour and picture, unscaled from the top-left; what passes the client area is cut.
  backgroundCanvas() {
    const { width, height, backColor, background } = this.design;
    const canvas = document.createElement('canvas');
    canvas.className = 'background';
    canvas.width = width;
    canvas.height = height;
    const g = canvas.getContext('2d');
    g.fillStyle = cssColor(backColor) || '#f0f0f0';
    g.fillRect(0, 0, width, height);
    const bitmap = this.pictures.get(background);
    if (bitmap) g.drawImage(bitmap, 0, 0);
    return canvas;
  }

  keyDown(e) {
    const code = desktopKeyCode(e);
    if (!code) return;
    // Arrows do not scroll the page, Tab does not leave the panel: the keys are the game's.
    if (!browserKeepsKey(e)) e.preventDefault();
    // A held key repeats as further key-downs, as on the desktop.
    this.game.key(true, code, desktopModifiers(e));
  }

  // The game drops a key-up whose key-down went elsewhere (the Enter that closed a message box).
  keyUp(e) {
    const code = desktopKeyCode(e);
    if (!code) return;
    if (!browserKeepsKey(e)) e.preventDefault();
    this.game.key(false, code, desktopModifiers(e));
  }

  setCaption(caption) {
    this.caption = caption;
    this.captionElement.textContent = caption;
    this.element.setAttribute('aria-label', caption || this.design.form);
  }

  add(index, element, name) {
    element.dataset.control = name;
    element.hidden = true;
    this.controls[index] = element;
    this.client.append(element);
  }

  addImage(index, name) {
    const canvas = document.createElement('canvas');
    canvas.className = 'image';
    canvas.width = canvas.height = 0;
    this.add(index, canvas, name);
  }

  addLabel(index, name, look) {
    const label = document.createElement('div');
    label.className = 'label';
    const s = label.style;
    applyFont(s, look);
    s.color = cssColor(look.foreColor) || '#000';
    s.background = cssColor(look.backColor) || 'transparent';
    s.textAlign = look.centred ? 'center' : 'left';
    label.designedPixels = look.pixelSize;
    label.linePitch = look.linePitch;
    this.add(index, label, name);
  }

  addButton(index, name, look) {
    const button = document.createElement('button');
    button.type = 'button';
    button.tabIndex = -1;
    applyFont(button.style, look);
    button.designedPixels = look.pixelSize;
    button.linePitch = look.linePitch;
    button.addEventListener('mousedown', (e) => e.preventDefault());  // the panel keeps the keyboard
    button.addEventListener('click', () => this.game.click(index));
    this.add(index, button, name);
  }

  addShape(index, name, color) {
    const shape = document.createElement('div');
    shape.className = 'shape';
    shape.style.borderColor = cssColor(color);
    this.add(index, shape, name);
  }

  place(index, x, y, width, height, visible) {
    const el = this.controls[index];
    if (!el) return;
    el.hidden = !visible;
    if (!visible) return;
    el.style.transform = `translate(${x}px, ${y}px)`;
    // An image is as large as its picture; the rest as the game says.
    if (el.className !== 'image') {
      el.style.width = width + 'px';
      el.style.height = height + 'px';
    }
    if (el.designedPixels) this.unfitted.add(el);
  }

  setPicture(index, number) {
    const canvas = this.controls[index];
    if (!canvas) return;
    const bitmap = this.pictures.get(number);
    canvas.width = bitmap ? bitmap.width : 0;
    canvas.height = bitmap ? bitmap.height : 0;
    if (bitmap) canvas.getContext('2d').drawImage(bitmap, 0, 0);
  }

  setText(index, text) {
    const el = this.controls[index];
    if (!el) return;
    if (el.tagName === 'BUTTON') setCaption(el, text);
    else el.textContent = text;
    this.unfitted.add(el);
  }

  // The client area at `scale` CSS pixels a picture pixel. The browser lays out all it holds at
  // that size (text set afresh in its face, not its pixels enlarged), and each text is fitted to
  // its box again.
  setScale(scale) {
    if (scale === this.scale) return;
    this.scale = scale;
    this.client.style.zoom = scale;
    for (const el of this.controls) if (el && el.designedPixels) this.unfitted.add(el);
    this.fitText();
  }

  // What does not grow with the picture, in CSS pixels: the frame, the title bar and, where they
  // show, the touch keys. Measured, so that the style sheet alone says how large they are.
  fixedSize() {
    const el = this.element;
    const frame = el.offsetWidth - el.clientWidth;
    const keys = this.touchKeys ? this.touchKeys.element.getBoundingClientRect().height : 0;
    return { width: frame, height: frame + this.titlebar.getBoundingClientRect().height + keys };
  }

  // The stand-in faces are wider and taller than the faces the game was drawn with: a text that
  // would be cut by its box is set smaller, a CSS pixel at a time as the player sees it, until it
  // fits (its lines stay the designed line height apart). Done once a text, box or scale has
  // changed and the panel shows it, since only a laid-out text can be measured.
  fitText() {
    if (!this.unfitted.size || this.element.hidden) return;
    const step = Math.min(1, 1 / this.scale);
    for (const el of this.unfitted) {
      if (el.hidden) continue;  // fitted when it shows
      this.unfitted.delete(el);
      el.style.fontSize = el.designedPixels + 'px';
      // Lines stand one pitch apart whatever the size; the leading above the first line and below
      // the last is space, not text (both faces' letters fill one em of the pitch).
      const cut = () => el.scrollWidth > el.clientWidth ||
        el.scrollHeight - (el.linePitch - parseFloat(el.style.fontSize)) > el.clientHeight;
      for (let px = el.designedPixels - step; px >= this.smallest && cut(); px -= step) el.style.fontSize = px + 'px';
    }
  }

  setFocus(index) {
    if (this.focused) this.focused.classList.remove('focused');
    this.focused = this.controls[index] || null;
    if (this.focused) this.focused.classList.add('focused');
  }

  remove() {
    if (this.touchKeys) this.touchKeys.stop();
    this.element.remove();
  }
}
