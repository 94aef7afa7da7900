// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page as an app in Debian's Chromium: the keyboard where the player left it.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import { launchChromium, openGame, serveSite, shown, waitUntil } from './support.mjs';

let server, browser;
before(async () => {
  server = await serveSite();
  browser = await launchChromium();
});
after(async () => {
  await browser?.close();
  server?.stop();
});

const beginOffered = (page) =>
  waitUntil(page, () => document.querySelector('[data-form=Intro] [data-control=strt]')?.hidden === false);

async function openEasy(page) {
  await beginOffered(page);
  await page.keyboard.press('Alt+b');
  await shown(page, 'Selec');
  await page.keyboard.press('Enter');
  await shown(page, 'Game1');
}

const heroineAt = (page, x) => waitUntil(page,
  (px) => document.querySelector('[data-form=Game1] [data-control=Main]')?.style.transform === `translate(${px}px, 128px)`, x);

test('a click on the page outside every panel leaves the level its keys', async () => {
  const { page, context, errors } = await openGame(browser, server.url);
  await openEasy(page);
  // A point of the page's background, outside every panel.
  const spot = await page.evaluate(() => {
    for (let y = innerHeight - 60; y > 0; y -= 20)
      for (let x = innerWidth - 5; x > 0; x -= 20)
        if (!document.elementFromPoint(x, y)?.closest('.panel, button, a, dialog')) return { x, y };
    return null;
  });
  assert.ok(spot, 'no background to click');
  await page.mouse.click(spot.x, spot.y);
  await page.keyboard.press('ArrowRight');
  await heroineAt(page, 264);
  assert.deepEqual(errors, []);
  await context.close();
});
