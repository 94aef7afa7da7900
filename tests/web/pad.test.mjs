// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// A gamepad plays the game in the page: navigator.getGamepads stands in for one plugged in,
// with the Gamepad API's standard mapping.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { control, countCallbacks, gone, launchChromium, openGame, panel, serveSite, shown, waitUntil } from './support.mjs';

let server, browser;
before(async () => {
  server = await serveSite();
  browser = await launchChromium();
});
after(async () => {
  await browser?.close();
  server?.stop();
});

// An init script: a pad of the standard mapping that the test plugs in, presses and pulls out
// (window.testPad), as a browser shows one once a button has been pressed on it.
function stubGamepads() {
  const pad = {
    id: 'Test pad', index: 0, connected: true, mapping: 'standard', timestamp: 0,
    axes: [0, 0, 0, 0], buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })),
  };
  let pads = [null, null, null, null];
  navigator.getGamepads = () => pads;
  window.testPad = {
    plugIn() {
      pads = [pad, null, null, null];
      dispatchEvent(new Event('gamepadconnected'));
    },
    pullOut() {
      pads = [null, null, null, null];
      dispatchEvent(new Event('gamepaddisconnected'));
    },
    set(button, pressed) {
      pad.buttons[button] = { pressed, touched: pressed, value: pressed ? 1 : 0 };
      ++pad.timestamp;
    },
  };
}

// The standard mapping's buttons.
const South = 0, Start = 9, Up = 12, Right = 15;

// Holds the button down (or lets it go) for long enough that the page has read it.
async function set(page, button, pressed) {
  await page.evaluate(([b, p]) => window.testPad.set(b, p), [button, pressed]);
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
}
async function click(page, button) {
  await set(page, button, true);
  await set(page, button, false);
}
const mainX = () => {
  const m = document.querySelector('[data-form=Game1] [data-control=Main]');
  return m ? parseInt(m.style.transform.slice(10), 10) : NaN;
};
const focused = (page, form, name) => control(page, form, name).evaluate((el) => el.classList.contains('focused'));
const touchKeysShown = (page) =>
  panel(page, 'Game1').locator('.touch-keys').evaluate((el) => getComputedStyle(el).display !== 'none');

test('a pad plays from the title through a level and its defeat to Quit; the touch keys give way to it', async () => {
  const init = `(${countCallbacks})(); (${stubGamepads})();`;
  const { page, context, errors } = await openGame(browser, server.url, { hasTouch: true }, init);
  await waitUntil(page, () => document.querySelector('[data-form=Intro] [data-control=strt]')?.hidden === false);
  await page.evaluate(() => window.testPad.plugIn());

  // The title: Start with the focus on Quit chooses nothing; up to Begin, south chooses it.
  assert.ok(await focused(page, 'Intro', 'Quit'));
  await click(page, Start);
  await click(page, Up);
  assert.ok(await focused(page, 'Intro', 'strt'));
  await click(page, South);
  await shown(page, 'Selec');
  // The selection: Start chooses the focused level, as Enter does.
  assert.ok(await focused(page, 'Selec', 'G1'));
  await click(page, Start);
  await shown(page, 'Game1');

  // The touch keys hide once the pad is used, and come back with a touch.
  assert.equal(await touchKeysShown(page), false);
  const street = await panel(page, 'Game1').locator('.client').boundingBox();
  await page.touchscreen.tap(street.x + 10, street.y + 10);
  assert.equal(await touchKeysShown(page), true);

  // South winds up (a picture 20 wide) and its release throws.
  await set(page, South, true);
  await waitUntil(page, () => document.querySelector('[data-form=Game1] [data-control=Main]')?.width === 20);
  assert.equal(await touchKeysShown(page), false);
  await set(page, South, false);
  await waitUntil(page, () => document.querySelector('[data-form=Game1] [data-control=Action]')?.hidden === false);

  // The d-pad held: a step at once, the first repeat only after the desktop's delay, then more.
  const start = await page.evaluate(mainX);
  const heldAt = await page.evaluate(() => performance.now());
  await page.evaluate(() => window.testPad.set(15, true));
  await waitUntil(page, `(${mainX})() >= ${start} + 3 * 8`);
  const took = (await page.evaluate(() => performance.now())) - heldAt;
  assert.ok(took >= 500, `three steps after ${took} ms`);
  // Pulled out as it is held: the steps stop, and the page reads no pad any more.
  await page.evaluate(() => window.testPad.pullOut());
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  const stopped = await page.evaluate(mainX);
  // Ten repeats' time: none comes.
  await page.evaluate(() => new Promise((r) => setTimeout(r, 330)));
  assert.equal(await page.evaluate(mainX), stopped, 'steps went on after the pad went');

  // Plugged in again, it plays on; a youma sooner or later ends the level, and south closes
  // the box. Its release comes to the title with Quit focused: it chooses nothing.
  await page.evaluate(() => window.testPad.set(15, false));
  await page.evaluate(() => window.testPad.plugIn());
  const box = page.locator('dialog.message-box[open]');
  await box.waitFor({ timeout: 30000 });
  await set(page, South, true);
  await gone(page, 'Game1');
  assert.equal(await box.count(), 0);
  await set(page, South, false);
  await shown(page, 'Intro');
  assert.ok(await focused(page, 'Intro', 'Quit'));
  assert.equal(await page.locator('.notice').count(), 0, 'the release that closed the box quit the game');

  // Quit: by focusing it and pressing south.
  await click(page, South);
  await page.locator('.notice', { hasText: 'has ended' }).waitFor();
  assert.deepEqual(errors, []);
  await context.close();
});

test('with no pad, and once a pad has gone, the idle page runs nothing', async () => {
  const init = `(${countCallbacks})(); (${stubGamepads})();`;
  const { page, context, errors } = await openGame(browser, server.url, {}, init);
  await waitUntil(page, () => document.querySelector('[data-form=Intro] [data-control=strt]')?.hidden === false);
  await waitUntil(page, () => window.callbacks.pending.size === 0);
  await page.evaluate(() => window.testPad.plugIn());
  await click(page, Up);
  assert.ok(await focused(page, 'Intro', 'strt'));
  await page.evaluate(() => window.testPad.pullOut());
  await waitUntil(page, () => window.callbacks.pending.size === 0);
  assert.deepEqual(errors, []);
  await context.close();
});
