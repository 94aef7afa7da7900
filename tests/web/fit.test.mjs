// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page on every screen from a phone to 4K: each panel in whole device pixels a picture pixel,
// wholly on the page, fitted again as the page changes size, full screen and back.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import {
  closeScreens, comparePixels, control, cutTexts, fitOf, gone, openScreen, panel, serveSite, shown, waitUntil,
} from './support.mjs';

let server;
before(async () => {
  server = await serveSite();
});
after(async () => {
  await closeScreens();
  server?.stop();
});

const phone = { mobile: true, scale: 3 };

// Each screen and the zoom the rule gives each panel there, in device pixels a picture pixel:
// the title (407x453), the selection (316x223), a level (497x197), each with its title bar
// (and on a phone its touch keys), above the task strip.
const kScreens = [
  { name: 'a phone held upright', screen: { width: 390, height: 844, ...phone }, Intro: 2, Selec: 3, Game1: 2 },
  { name: 'a phone on its side', screen: { width: 844, height: 390, ...phone }, Intro: 2, Selec: 4, Game1: 4 },
  { name: '1366x768', screen: { width: 1366, height: 768 }, Intro: 1, Selec: 3, Game1: 2 },
  { name: '1920x1080', screen: { width: 1920, height: 1080 }, Intro: 2, Selec: 4, Game1: 3 },
  { name: '3840x2160 at scale 2', screen: { width: 1920, height: 1080, scale: 2 }, Intro: 4, Selec: 9, Game1: 7 },
  { name: '1920x1080 at 150 % page zoom', screen: { width: 1280, height: 720, scale: 1.5 }, Intro: 2, Selec: 4, Game1: 3 },
];

const beginOffered = (page) =>
  waitUntil(page, () => document.querySelector('[data-form=Intro] [data-control=strt]')?.hidden === false);

// The panel at `zoom`, wholly in the page's room; where the panel fills the page (a phone, full
// screen) its picture is centred across it.
async function expectFit(page, form, zoom) {
  const f = await fitOf(page, form);
  assert.equal(f.zoom, zoom, `${form} at ${f.zoom} device pixels a pixel`);
  assert.equal(f.zoomHigh, zoom, `${form}'s height at ${f.zoomHigh} device pixels a pixel`);
  const { panel: p, room } = f;
  assert.ok(p.left >= 0 && p.top >= 0 && p.right <= room.width + 0.01 && p.bottom <= room.height + 0.01,
    `${form} at ${JSON.stringify(p)} passes the room ${JSON.stringify(room)}`);
  if (p.right - p.left === room.width) {
    const margin = [f.client.left - p.left, p.right - f.client.right];
    // Within the steps that put the picture on whole device pixels.
    assert.ok(Math.abs(margin[0] - margin[1]) <= 2, `${form} is not centred: ${margin}`);
  }
  return f;
}

// A point's whole box inside the viewport, where a finger can reach it without scrolling.
const onScreen = (locator) => locator.evaluate((el) => {
  const r = el.getBoundingClientRect();
  return r.width > 0 && r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight;
});
const scrolled = (page) => page.evaluate(() => scrollX + scrollY + document.scrollingElement.scrollTop);

// Every pixel of a sprite standing at (x, y) over the street.
function spriteChecks(picture, x, y, width, height) {
  const checks = [];
  for (let py = 0; py < height; ++py)
    for (let px = 0; px < width; ++px) checks.push({ x: x + px, y: y + py, picture, px, py, under: 'street.bmp' });
  return checks;
}

for (const screen of kScreens) {
  test(`${screen.name}: each panel at the rule's zoom, on the page, its pixels equal squares`, async () => {
    const { page, context, errors } = await openScreen(server.url, screen.screen);
    const touch = !!screen.screen.mobile;
    const press = (locator) => (touch ? locator.tap() : locator.click());
    await beginOffered(page);
    await expectFit(page, 'Intro', screen.Intro);
    assert.deepEqual(await cutTexts(page, 'Intro'), []);

    // Begin and Quit in reach without scrolling; Begin pressed where it is.
    assert.ok(await onScreen(control(page, 'Intro', 'strt')) && await onScreen(control(page, 'Intro', 'Quit')));
    await press(control(page, 'Intro', 'strt'));
    await shown(page, 'Selec');
    assert.equal(await scrolled(page), 0);
    await expectFit(page, 'Selec', screen.Selec);
    assert.deepEqual(await cutTexts(page, 'Selec'), []);
    // The title waits in the task strip, which shows.
    assert.ok(await onScreen(page.locator('#taskbar [data-task=Intro]')));

    await press(control(page, 'Selec', 'G1'));
    await shown(page, 'Game1');
    await expectFit(page, 'Game1', screen.Game1);
    const r = await comparePixels(page, 'Game1', spriteChecks('vessa_stand_r.gif', 256, 128, 19, 38), screen.Game1);
    assert.deepEqual(r.failed.slice(0, 5), [], `${r.failed.length} pixels differ`);
    assert.ok(r.transparent > 50 && r.opaque > 50, JSON.stringify(r));

    if (touch) {
      // The keys lie wholly on the screen, the walk under the left thumb, D under the right.
      const key = (code) => panel(page, 'Game1').locator(`.touch-keys [data-key="${code}"]`);
      for (const code of [37, 39, 68]) assert.ok(await onScreen(key(code)), `key ${code} off screen`);
      const half = screen.screen.width / 2;
      assert.ok((await key(39).boundingBox()).x + (await key(39).boundingBox()).width < half);
      assert.ok((await key(68).boundingBox()).x > half);
    }
    assert.equal(await scrolled(page), 0);
    assert.deepEqual(errors, []);
    await context.close();
  });
}

// On a phone held upright: a level by taps alone, turned on its side while the defeat box is
// open (the game's module sleeps then, and the page still fits every panel), and the Difficult
// level's keys all on screen.
test('a phone: a level played by taps, turned during the defeat box; the Difficult keys on screen', async () => {
  const { page, context, errors, resize } = await openScreen(server.url, { width: 390, height: 844, ...phone });
  await beginOffered(page);
  await control(page, 'Intro', 'strt').tap();
  await shown(page, 'Selec');
  await control(page, 'Selec', 'G1').tap();
  await shown(page, 'Game1');
  const key = (form, code) => panel(page, form).locator(`.touch-keys [data-key="${code}"]`);
  const mainX = () => {
    const m = document.querySelector('[data-form=Game1] [data-control=Main]');
    return m ? parseInt(m.style.transform.slice(10), 10) : NaN;
  };
  // Two thumbs at once: Right under one, D under the other; both held, then both lifted, and the
  // tiara flies.
  const cdp = await context.newCDPSession(page);
  const middle = async (code) => {
    const b = await key('Game1', code).boundingBox();
    return { x: b.x + b.width / 2, y: b.y + b.height / 2 };
  };
  const right = { ...(await middle(39)), id: 1 }, d = { ...(await middle(68)), id: 2 };
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [right] });
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [right, d] });
  await waitUntil(page, `(${mainX})() >= 264 && document.querySelectorAll('[data-form=Game1] .touch-keys .held').length === 2
    || document.querySelector('dialog.message-box')`);
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await waitUntil(page, () => !document.querySelector('.touch-keys .held'));
  await waitUntil(page, () => document.querySelector('[data-form=Game1] [data-control=Action]')?.hidden === false
    || document.querySelector('dialog.message-box'));

  // Sooner or later a youma reaches her. The score board comes up on the title, the box over it.
  const box = page.locator('dialog.message-box[open]');
  await box.waitFor({ timeout: 30000 });
  await expectFit(page, 'Intro', 2);
  await resize(844, 390);
  await waitUntil(page, () => innerWidth === 844);
  // The level behind grows to the wider screen's zoom, the title keeps its own; all on screen.
  await waitUntil(page, () => document.querySelector('[data-form=Game1] .client').style.zoom === String(4 / 3).slice(0, 7));
  await expectFit(page, 'Game1', 4);
  await expectFit(page, 'Intro', 2);
  assert.ok(await onScreen(box.locator('.ok')));
  await box.locator('.ok').tap();
  await gone(page, 'Game1');
  await shown(page, 'Intro');
  assert.match(await control(page, 'Intro', 'Score').textContent(), /^\d+$/);

  // Upright again, a fresh game: the Difficult level's five keys.
  await resize(390, 844);
  await waitUntil(page, () => innerWidth === 390);
  await page.reload();
  await beginOffered(page);
  await control(page, 'Intro', 'strt').tap();
  await shown(page, 'Selec');
  await control(page, 'Selec', 'G3').tap();
  await shown(page, 'Game3');
  for (const code of [37, 39, 68, 38, 40]) assert.ok(await onScreen(key('Game3', code)), `key ${code} off screen`);
  assert.ok((await key('Game3', 40).boundingBox()).x > 390 / 2);
  assert.deepEqual(errors, []);
  await context.close();
});

// A window made smaller and larger again, and full screen by the title bar's box and by Alt+Enter,
// which the game never hears (on the title, Enter would choose Quit, the focused button).
test('resize and full screen: fitted again each time, and back as it was', async () => {
  const { page, context, errors, resize } = await openScreen(server.url, { width: 1920, height: 1080 });
  await beginOffered(page);
  const intro = await expectFit(page, 'Intro', 2);

  await resize(1000, 600);
  await waitUntil(page, () => document.querySelector('[data-form=Intro] .client').style.zoom === '1');
  await expectFit(page, 'Intro', 1);
  await resize(1920, 1080);
  await waitUntil(page, () => document.querySelector('[data-form=Intro] .client').style.zoom === '2');
  assert.deepEqual((await expectFit(page, 'Intro', 2)).panel, intro.panel);

  const fullscreen = () => page.evaluate(() => !!document.fullscreenElement);
  const filled = async () => {
    const f = await fitOf(page, 'Intro');
    return f.panel.left === 0 && f.panel.top === 0 && f.panel.right === f.room.width && f.panel.bottom === f.room.height;
  };
  await panel(page, 'Intro').locator('.titlebar .fullscreen').click();
  await waitUntil(page, () => !!document.fullscreenElement && document.body.classList.contains('maximised'));
  assert.ok(await filled());
  await expectFit(page, 'Intro', 2);
  assert.equal(await panel(page, 'Intro').locator('.titlebar .fullscreen').getAttribute('aria-label'), 'Leave full screen');

  await page.keyboard.press('Alt+Enter');
  await waitUntil(page, () => !document.fullscreenElement && !document.body.classList.contains('maximised'));
  assert.deepEqual((await expectFit(page, 'Intro', 2)).panel, intro.panel);
  await page.keyboard.press('Alt+Enter');
  await waitUntil(page, () => !!document.fullscreenElement);
  assert.ok(await filled());
  await panel(page, 'Intro').locator('.titlebar .fullscreen').click();
  await waitUntil(page, () => !document.fullscreenElement && !document.body.classList.contains('maximised'));
  assert.deepEqual((await expectFit(page, 'Intro', 2)).panel, intro.panel);

  // The game heard none of it: the title is still there and nothing was chosen.
  assert.equal(await page.locator('.notice').count(), 0);
  assert.equal(await panel(page, 'Selec').count(), 0);
  assert.ok(!(await fullscreen()));
  assert.deepEqual(errors, []);
  await context.close();
});
