// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page as a desktop: where panels open, which one is on top and has the keyboard, the task
// strip of minimised panels, dragging a panel by its title bar, and the size each panel is shown
// at. Each panel is fitted to the page at the largest whole number of device pixels a picture
// pixel (the host core's rule, reached through the game's module), and fitted again whenever the
// page changes size.

// Below this a panel is not worth showing at all; the rule gives 0 only where not even the title
// bar fits.
const kSmallestScale = 1 / 16;

// A phone or a small tablet: the panel in front fills the page, as in full screen.
const kCompactSide = 600;

// The smallest whole number of CSS pixels that is a whole number of device pixels too.
function latticeStep(dpr) {
  for (let n = 1; n < 64; ++n) if (Math.abs(n * dpr - Math.round(n * dpr)) < 1e-3) return n;
  return 1;
}

export class Desktop {
  // zoomToFit(scaled, fixed, room): the host core's rule, sizes {width, height} in device pixels.
  constructor(area, taskbar, pictures, zoomToFit) {
    this.area = area;
    this.taskbar = taskbar;
    this.pictures = pictures;
    this.zoomToFit = zoomToFit;
    this.panels = new Set();
    this.order = 0;
    this.active = null;
    // The height the task strip keeps free along the bottom, as the style sheet says.
    this.stripHeight = parseFloat(getComputedStyle(document.documentElement).getPropertyValue('--strip-height')) || 0;
    // A press on the page outside every panel leaves the keyboard with the panel that has it, as
    // a click on a desktop's empty background does.
    area.ownerDocument.addEventListener('mousedown', (e) => {
      if (!e.target.closest('.panel, button, a, dialog')) e.preventDefault();
    });
  }

  add(panel, onRestore) {
    this.panels.add(panel);
    panel.onRestore = onRestore;
    this.area.append(panel.element);
    panel.element.addEventListener('pointerdown', () => this.activate(panel));
    this.dragByTitle(panel);
  }

  // Shown normal, on top, with the keyboard, at the size the page has room for.
  show(panel) {
    this.dropTask(panel);
    panel.element.hidden = false;
    this.fit(panel);
    this.activate(panel);
  }

  // Full screen, or a touch screen too small for panels side by side: each panel fills the page
  // and its picture lies centred on black. Otherwise panels lie where the game put them.
  get maximised() {
    return !!document.fullscreenElement ||
      (document.body.classList.contains('touch') && Math.min(innerWidth, innerHeight) <= kCompactSide);
  }

  // The page's room for panels: the viewport above the task strip, in CSS pixels.
  room() {
    return { width: innerWidth, height: Math.max(0, innerHeight - this.stripHeight) };
  }

  // Every shown panel fitted afresh: the page changed size, or went into or out of full screen.
  fitAll() {
    for (const p of this.panels) this.fit(p);
  }

  // The panel at the largest whole number of device pixels a picture pixel at which it lies, with
  // its title bar and touch keys, wholly in the page's room; only where not even one fits, the
  // largest fraction that does. Then moved in just enough to lie wholly in the room.
  fit(panel) {
    const el = panel.element;
    if (el.hidden) return;  // fitted when it shows
    const maximised = document.body.classList.toggle('maximised', this.maximised);
    const label = document.fullscreenElement ? 'Leave full screen' : 'Full screen';
    panel.fullscreenButton.title = label;
    panel.fullscreenButton.setAttribute('aria-label', label);
    const dpr = devicePixelRatio || 1;
    const room = this.room();
    const fixed = panel.fixedSize();
    const zoom = this.zoomToFit(
      { width: panel.design.width, height: panel.design.height },
      { width: Math.ceil(fixed.width * dpr - 1e-6), height: Math.ceil(fixed.height * dpr - 1e-6) },
      { width: Math.floor(room.width * dpr + 1e-6), height: Math.floor(room.height * dpr + 1e-6) });
    panel.setScale(Math.max(zoom, kSmallestScale) / dpr);

    // The client area's corner on a whole CSS pixel that is also a whole device pixel (at 150 %
    // every other CSS pixel). A browser that places what lies in it on whole CSS pixels (Chromium
    // under device emulation, measured) then still lines the picture's squares up with the
    // screen's.
    const step = latticeStep(dpr);
    const snap = (v) => Math.floor(v / step + 1e-6) * step;
    if (!maximised) panel.client.style.margin = '';
    const p = el.getBoundingClientRect(), c = panel.client.getBoundingClientRect();
    if (maximised) {
      // Centred in what the title bar and touch keys leave; the panel lies at the page's corner.
      const bar = panel.titlebar.getBoundingClientRect().bottom - p.top;
      const left = snap((room.width - c.width) / 2);
      const top = snap(bar + (room.height - (fixed.height + c.height)) / 2);
      // The client area's own lengths are zoomed with it.
      const s = panel.scale;
      panel.client.style.margin = `${Math.max(0, top - bar) / s}px 0 0 ${Math.max(0, left) / s}px`;
      return;
    }
    // At its design position grown with it, or where the player dragged it, moved in just enough
    // to lie wholly in the room.
    const want = panel.dragged || { left: panel.design.left * panel.scale, top: panel.design.top * panel.scale };
    const place = (v, frame, size, roomSize) => {
      const inRoom = Math.max(0, Math.min(v, roomSize - size));
      const snapped = snap(inRoom + frame) - frame;
      if (snapped >= 0) return snapped;
      return snapped + step + size <= roomSize ? snapped + step : inRoom;
    };
    el.style.left = place(want.left, c.left - p.left, p.width, room.width) + 'px';
    el.style.top = place(want.top, c.top - p.top, p.height, room.height) + 'px';
  }

  // Full screen for the whole page: the game's panels are shown at the rule's size on the whole
  // screen, and leaving it puts every panel back as it was. Refused, quietly, without the
  // player's own gesture.
  toggleFullscreen() {
    if (!document.fullscreenEnabled) return;
    const asked = document.fullscreenElement ? document.exitFullscreen() : document.documentElement.requestFullscreen();
    asked.catch(() => {});
  }

  // The scale a message box takes: that of the panel in front.
  get frontScale() {
    return this.active ? this.active.scale : 1;
  }

  activate(panel) {
    if (panel.element.hidden) return;
    panel.element.style.zIndex = ++this.order;
    if (this.active && this.active !== panel) this.active.element.classList.remove('active');
    this.active = panel;
    panel.element.classList.add('active');
    if (!panel.element.contains(document.activeElement)) panel.element.focus({ preventScroll: true });
  }

  // The topmost panel still shown takes the keyboard, as a window manager gives it on.
  activateTopmost() {
    let top = null;
    for (const p of this.panels)
      if (!p.element.hidden && (!top || +p.element.style.zIndex > +top.element.style.zIndex)) top = p;
    if (top) this.activate(top);
    else this.active = null;
  }

  minimize(panel) {
    panel.element.hidden = true;
    panel.element.classList.remove('active');
    if (!panel.task) {
      const task = panel.task = document.createElement('button');
      task.type = 'button';
      task.dataset.task = panel.design.form;
      task.append(this.pictures.icon(panel.design.icon, 16), panel.caption);
      task.addEventListener('click', () => {
        this.show(panel);
        panel.onRestore();
      });
      this.taskbar.append(task);
    }
    if (this.active === panel) this.activateTopmost();
  }

  hide(panel) {
    panel.element.hidden = true;
    this.dropTask(panel);
    if (this.active === panel) this.activateTopmost();
  }

  remove(panel) {
    this.panels.delete(panel);
    this.dropTask(panel);
    panel.remove();
    if (this.active === panel) this.activateTopmost();
  }

  dropTask(panel) {
    if (!panel.task) return;
    panel.task.remove();
    panel.task = null;
  }

  // Within the page's room; a maximised panel stays where it is.
  dragByTitle(panel) {
    const bar = panel.titlebar, el = panel.element;
    let from = null;
    bar.addEventListener('pointerdown', (e) => {
      if (e.button !== 0 || document.body.classList.contains('maximised')) return;
      from = { x: e.clientX - el.offsetLeft, y: e.clientY - el.offsetTop };
      bar.setPointerCapture(e.pointerId);
    });
    bar.addEventListener('pointermove', (e) => {
      if (!from) return;
      const room = this.room(), r = el.getBoundingClientRect();
      const left = Math.max(0, Math.min(e.clientX - from.x, room.width - r.width));
      const top = Math.max(0, Math.min(e.clientY - from.y, room.height - r.height));
      panel.dragged = { left, top };
      el.style.left = left + 'px';
      el.style.top = top + 'px';
    });
    const stop = () => {
      if (from) this.fit(panel);  // back on whole device pixels
      from = null;
    };
    bar.addEventListener('pointerup', stop);
    bar.addEventListener('pointercancel', stop);
  }

  clear() {
    for (const p of [...this.panels]) this.remove(p);
  }
}
