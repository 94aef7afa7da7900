// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Keys as the desktop reports them: codes (37 Left, 65 A, 13 Enter...) and a modifier mask.

// The browser's keyCode is the desktop's virtual-key code, letters as capitals, for the
// player's own keyboard layout: exactly what the game was written against. 0 and 229 (a key
// that an input method is composing with) have no desktop code.
export function desktopKeyCode(event) {
  const code = event.keyCode;
  return code === 0 || code === 229 ? 0 : code;
}

// Shift 1, Ctrl 2, Alt 4.
export function desktopModifiers(event) {
  return (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
}

// Keys the browser keeps for itself: its shortcuts with Ctrl or Meta, and the function keys
// (reload, full screen, developer tools). The game still hears them, as a desktop window would.
export function browserKeepsKey(event) {
  const code = event.keyCode;
  return event.ctrlKey || event.metaKey || (code >= 112 && code <= 123);
}

// Names of the keys shown on the on-screen keys under a level.
export const keyLabels = { 37: '\u2190 Left', 39: 'Right \u2192', 38: '\u2191 Up', 40: '\u2193 Down', 68: 'D' };
