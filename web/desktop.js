// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page as a desktop: where panels open, which one is on top and has the keyboard, the task
// strip of minimised panels, and dragging a panel by its title bar.

const kAppTitle = 'Miravel Vozoda';

export class Desktop {
  constructor(area, taskbar, pictures) {
    this.area = area;
    this.taskbar = taskbar;
    this.pictures = pictures;
    this.panels = new Set();
    this.order = 0;
    this.active = null;
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

  // Shown normal, on top, with the keyboard. The first time at its design position, moved in so
  // that it lies wholly on the page where the page is large enough.
  show(panel) {
    const el = panel.element;
    this.dropTask(panel);
    const first = !el.style.left;
    el.hidden = false;
    if (first) {
      const { left, top } = panel.design;
      const room = this.area.getBoundingClientRect();
      const maxLeft = Math.max(0, Math.floor(room.width) - el.offsetWidth);
      const maxTop = Math.max(0, window.innerHeight - el.offsetHeight - 34);
      el.style.left = Math.min(left, maxLeft) + 'px';
      el.style.top = Math.min(top, maxTop) + 'px';
    }
    this.activate(panel);
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
      task.append(this.pictures.icon(panel.design.icon, 16), panel.caption || kAppTitle);
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

  dragByTitle(panel) {
    const bar = panel.titlebar, el = panel.element;
    let from = null;
    bar.addEventListener('pointerdown', (e) => {
      if (e.button !== 0) return;
      from = { x: e.clientX - el.offsetLeft, y: e.clientY - el.offsetTop };
      bar.setPointerCapture(e.pointerId);
    });
    bar.addEventListener('pointermove', (e) => {
      if (!from) return;
      el.style.left = Math.max(0, e.clientX - from.x) + 'px';
      el.style.top = Math.max(0, e.clientY - from.y) + 'px';
    });
    const stop = () => { from = null; };
    bar.addEventListener('pointerup', stop);
    bar.addEventListener('pointercancel', stop);
  }

  clear() {
    for (const p of [...this.panels]) this.remove(p);
  }
}
