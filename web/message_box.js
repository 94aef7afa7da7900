// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A message box: a modal dialog with the game's title as its caption, the text and one OK.
// Resolves when the player has closed it, by OK, Enter, Escape or its close box.

let open = null;  // the box up, if any

// Closes the box that is up, as its OK does (a pad's button, say).
export function closeMessageBox() {
  open?.close();
}

// The box grows with the panel in front (`scale` CSS pixels a picture pixel), never below its
// own size and never past the page.
export function scaleMessageBox(dialog, scale) {
  dialog.style.zoom = 1;
  const r = dialog.getBoundingClientRect();
  const room = Math.min(0.92 * innerWidth / r.width, 0.92 * innerHeight / r.height);
  dialog.style.zoom = Math.max(1, Math.min(scale, room));
}

export function messageBox(title, text, scale) {
  return new Promise((resolve) => {
    const dialog = document.createElement('dialog');
    dialog.className = 'message-box';
    dialog.setAttribute('aria-label', title);

    const bar = document.createElement('div');
    bar.className = 'titlebar';
    const caption = document.createElement('span');
    caption.textContent = title;
    const close = document.createElement('button');
    close.type = 'button';
    close.tabIndex = -1;
    close.title = 'Close';
    close.setAttribute('aria-label', 'Close');
    close.textContent = '\u00d7';
    close.addEventListener('click', () => dialog.close());
    bar.append(caption, close);

    const message = document.createElement('p');
    message.textContent = text;

    const buttons = document.createElement('div');
    buttons.className = 'buttons';
    const ok = document.createElement('button');
    ok.type = 'button';
    ok.className = 'ok';
    ok.textContent = 'OK';
    ok.addEventListener('click', () => dialog.close());
    buttons.append(ok);

    dialog.append(bar, message, buttons);
    dialog.addEventListener('close', () => {
      if (open === dialog) open = null;
      dialog.remove();
      resolve();
    });
    document.body.append(dialog);
    dialog.showModal();
    scaleMessageBox(dialog, scale);
    open = dialog;
    ok.focus();
  });
}
