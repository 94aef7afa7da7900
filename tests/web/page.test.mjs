// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page in Debian's Chromium, played as a player plays it: mouse, keys and touch, with the
// screen checked against the pictures decoded from their files.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import {
  comparePixels, control, countCallbacks, cutTexts, gone, kWait, launchChromium, openGame, panel, placeOf, serveSite, shown,
  waitUntil,
} from './support.mjs';

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
const hasClass = (locator, name) => locator.evaluate((el, n) => el.classList.contains(n), name);
const isHidden = (locator) => locator.evaluate((el) => el.hidden);

// Every pixel of a sprite standing at (x, y) over the street.
function spriteChecks(picture, x, y, width, height) {
  const checks = [];
  for (let py = 0; py < height; ++py)
    for (let px = 0; px < width; ++px) checks.push({ x: x + px, y: y + py, picture, px, py, under: 'street.bmp' });
  return checks;
}

async function expectPixels(page, form, checks, scale = null) {
  const r = await comparePixels(page, form, checks, scale);
  assert.deepEqual(r.failed.slice(0, 5), [], `${r.failed.length} pixels differ`);
  return r;
}

test('a game by mouse and keys: slide, Begin, selection, a level, a throw, defeat, score board, Quit', async () => {
  const { page, context, errors } = await openGame(browser, server.url, {}, countCallbacks);
  await shown(page, 'Intro');

  // The title slides in from the left while Begin is hidden; then Begin is offered and the title
  // stands at 90 twips, 6 pixels. The focus rests on Quit, where it was when the window came up.
  const sliding = await placeOf(page, 'Intro', 'Label1');
  assert.ok(sliding.x < 6, `the title starts at ${sliding.x}`);
  await beginOffered(page);
  assert.equal((await placeOf(page, 'Intro', 'Label1')).x, 6);
  assert.deepEqual(await cutTexts(page, 'Intro'), []);
  assert.ok(await hasClass(control(page, 'Intro', 'Quit'), 'focused'));
  // The title picture, unscaled from the top-left, where nothing lies over it.
  await expectPixels(page, 'Intro', [[20, 60], [100, 200], [400, 300], [300, 440], [5, 400], [406, 100]]
    .map(([x, y]) => ({ x, y, picture: 'title.bmp', px: x, py: y })));

  // The title's icon is the page's; the title and the selection have their own mouse pointers.
  assert.equal(await page.locator('link[rel=icon]').getAttribute('href'), 'pictures/icon_light.ico');
  const pointer = (form) => panel(page, form).locator('.client').evaluate((el) => getComputedStyle(el).cursor);
  assert.match(await pointer('Intro'), /^url\("data:image\/png;base64,.+"\) 24 24, auto$/);

  // Begin: the selection opens, the title goes to the task strip; Enter chooses Easy.
  await control(page, 'Intro', 'strt').click();
  await shown(page, 'Selec');
  assert.ok(await isHidden(panel(page, 'Intro')));
  await page.locator('#taskbar [data-task=Intro]').waitFor({ timeout: kWait });
  assert.ok(await hasClass(control(page, 'Selec', 'G1'), 'focused'));
  assert.notEqual(await pointer('Selec'), await pointer('Intro'));
  assert.deepEqual(await cutTexts(page, 'Selec'), []);
  await page.keyboard.press('Enter');
  await shown(page, 'Game1');
  await gone(page, 'Selec');

  // The heroine stands at her start over the street: every transparent pixel of her picture
  // shows the street beneath, every other pixel is hers.
  assert.deepEqual(await placeOf(page, 'Game1', 'Main'), { x: 256, y: 128, width: 19, height: 38 });
  assert.equal(await pointer('Game1'), 'auto');
  const r = await expectPixels(page, 'Game1', spriteChecks('vessa_stand_r.gif', 256, 128, 19, 38));
  assert.ok(r.transparent > 50 && r.opaque > 50, JSON.stringify(r));

  // Arrows turn and step her by 8 pixels; the page does not scroll.
  await page.keyboard.press('ArrowRight');
  await waitUntil(page, () => document.querySelector('[data-form=Game1] [data-control=Main]')?.style.transform?.includes('264px'));
  await page.keyboard.press('ArrowLeft');
  await waitUntil(page, () => document.querySelector('[data-form=Game1] [data-control=Main]')?.style.transform?.includes('256px'));
  await expectPixels(page, 'Game1', spriteChecks('vessa_stand_l.gif', 256, 128, 19, 38));
  // A held key: three key-downs (the browser marks the later two as repeats), one key-up.
  for (let i = 0; i < 3; ++i) await page.keyboard.down('ArrowRight');
  await page.keyboard.up('ArrowRight');
  await waitUntil(page, () => document.querySelector('[data-form=Game1] [data-control=Main]')?.style.transform === 'translate(280px, 128px)');
  assert.equal(await page.evaluate(() => scrollY + scrollX), 0);

  // Held D winds up (a picture 20 wide), its release throws the tiara the way she faces.
  await page.keyboard.down('d');
  await waitUntil(page, () => document.querySelector('[data-form=Game1] [data-control=Main]')?.width === 20);
  await page.keyboard.up('d');
  await waitUntil(page, () => document.querySelector('[data-form=Game1] [data-control=Action]')?.hidden === false);
  const thrown = await placeOf(page, 'Game1', 'Action');
  await waitUntil(page, (x) => {
    const a = document.querySelector('[data-form=Game1] [data-control=Action]');
    return !a || a.hidden || a.getBoundingClientRect().left < a.parentElement.getBoundingClientRect().left + x;
  }, thrown.x);

  // Sooner or later a youma reaches her: the score board comes up on the title panel, and the
  // box waits over it while the level is still there and holds every timer.
  const box = page.locator('dialog.message-box[open]');
  await box.waitFor({ timeout: 30000 });
  assert.equal(await box.locator('.titlebar span').textContent(), 'Miravel Vozoda');
  assert.equal(await box.locator('p').textContent(), 'Sorry, Try Again!');
  assert.ok(!(await isHidden(panel(page, 'Intro'))));
  assert.ok(!(await isHidden(control(page, 'Intro', 'Score'))) && !(await isHidden(control(page, 'Intro', 'LblScr'))));
  assert.equal(await panel(page, 'Game1').count(), 1);
  // No timeout is left pending while the box is open: no tick can come until it closes.
  await waitUntil(page, () => ![...window.callbacks.pending].some((k) => k.startsWith('setTimeout')));

  // OK by Enter: the level closes; the title panel shows the final score, Begin is gone.
  await page.keyboard.press('Enter');
  await gone(page, 'Game1');
  assert.equal(await box.count(), 0);
  assert.match(await control(page, 'Intro', 'Score').textContent(), /^\d+$/);
  assert.equal(await control(page, 'Intro', 'LblScr').textContent(), 'Score');
  assert.ok(await isHidden(control(page, 'Intro', 'strt')));
  assert.deepEqual(await cutTexts(page, 'Intro'), []);

  // Quit ends the game; the page says so and offers a new one.
  await control(page, 'Intro', 'Quit').click();
  await page.locator('.notice', { hasText: 'has ended' }).waitFor({ timeout: kWait });
  assert.equal(await page.locator('[data-form]').count(), 0);
  assert.ok(await page.locator('.notice button', { hasText: 'Play again' }).isVisible());
  assert.deepEqual(errors, []);
  await context.close();
});

test('access keys and frames: Alt+B, the task strip, close boxes, Escape', async () => {
  const { page, context, errors } = await openGame(browser, server.url);
  await shown(page, 'Intro');
  await beginOffered(page);

  // Alt+B is Begin. The player brings the title back from the task strip and puts it away
  // again by its minimise box; closing the selection by its close box restores the title, with
  // Begin still offered.
  await page.keyboard.press('Alt+b');
  await shown(page, 'Selec');
  await page.locator('#taskbar [data-task=Intro]').click();
  await shown(page, 'Intro');
  assert.equal(await page.locator('#taskbar [data-task]').count(), 0);
  await panel(page, 'Intro').locator('.titlebar .minimize').click();
  await page.locator('#taskbar [data-task=Intro]').waitFor({ timeout: kWait });
  assert.ok(await isHidden(panel(page, 'Intro')));
  await panel(page, 'Selec').locator('.titlebar .close').click();
  await gone(page, 'Selec');
  await shown(page, 'Intro');
  assert.ok(!(await isHidden(control(page, 'Intro', 'strt'))));

  // Alt+B left the focus on Begin; Tab takes it round to Quit and back, and Enter chooses Begin.
  // Alt+M opens the Moderate level, whose close box gives it up.
  await panel(page, 'Intro').click({ position: { x: 200, y: 100 } });
  assert.ok(await hasClass(control(page, 'Intro', 'strt'), 'focused'));
  await page.keyboard.press('Tab');
  await waitUntil(page, () => document.querySelector('[data-form=Intro] [data-control=Quit]')?.classList.contains('focused'));
  await page.keyboard.press('Shift+Tab');
  await waitUntil(page, () => document.querySelector('[data-form=Intro] [data-control=strt]')?.classList.contains('focused'));
  await page.keyboard.press('Enter');
  await shown(page, 'Selec');
  await page.keyboard.press('Alt+m');
  await shown(page, 'Game2');
  await panel(page, 'Game2').locator('.titlebar .close').click();
  await gone(page, 'Game2');
  await shown(page, 'Intro');

  // Escape is the title's Cancel: Quit.
  await page.keyboard.press('Escape');
  await page.locator('.notice', { hasText: 'has ended' }).waitFor({ timeout: kWait });
  assert.deepEqual(errors, []);
  await context.close();
});

// The Difficult level can end the game on its own within half a second (the balls along the
// floor and overhead), so each attempt acts at once, and a defeat box in the middle of it means
// a fresh page and another go.
test('the Difficult level: Up and Down change rows, the balls fall', async () => {
  for (let attempt = 1; ; ++attempt) {
    const { page, context, errors } = await openGame(browser, server.url);
    try {
      await beginOffered(page);
      await page.keyboard.press('Alt+b');
      await shown(page, 'Selec');
      await page.keyboard.press('Alt+c');
      await shown(page, 'Game3');
      const main = () => document.querySelector('[data-form=Game3] [data-control=Main]')?.style.transform;
      const defeated = () => document.querySelector('dialog.message-box');
      await page.keyboard.press('ArrowUp');
      await waitUntil(page, `(${main})() === 'translate(256px, 67px)' || (${defeated})()`);
      await page.keyboard.press('ArrowDown');
      await waitUntil(page, `(${main})() === 'translate(256px, 136px)' || (${defeated})()`);
      const ball = await placeOf(page, 'Game3', 'Ball1');
      await waitUntil(page, `(${defeated})() || (() => {
        const b = document.querySelector('[data-form=Game3] [data-control=Ball1]');
        const c = b.parentElement.getBoundingClientRect(), s = c.width / parseFloat(b.parentElement.style.width);
        return Math.round((b.getBoundingClientRect().top - c.top) / s) !== ${ball.y};
      })()`);
      if (await page.locator('dialog.message-box').count() && attempt < 3) continue;
      assert.equal(await page.locator('dialog.message-box').count(), 0, 'defeated in every attempt');
      assert.deepEqual(errors, []);
      return;
    } finally {
      await context.close();
    }
  }
});

test('touch: keys under the level, held to repeat, a tap of D throws; rows on the Difficult level', async () => {
  const { page, context, errors } = await openGame(browser, server.url, { hasTouch: true });
  await beginOffered(page);
  await control(page, 'Intro', 'strt').tap();
  await shown(page, 'Selec');
  await control(page, 'Selec', 'G1').tap();
  await shown(page, 'Game1');
  const keys = (form) => panel(page, form).locator('.touch-keys button').allTextContents();
  assert.deepEqual(await keys('Game1'), ['\u2190 Left', 'Right \u2192', 'D']);
  const mainX = () => {
    const m = document.querySelector('[data-form=Game1] [data-control=Main]');
    return m ? parseInt(m.style.transform.slice(10), 10) : NaN;
  };

  // A finger held on Right: one step at once, then the repeats, until it lifts.
  const cdp = await context.newCDPSession(page);
  const right = await panel(page, 'Game1').locator('.touch-keys [data-key="39"]').boundingBox();
  const point = [{ x: right.x + right.width / 2, y: right.y + right.height / 2 }];
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: point });
  await waitUntil(page, `(${mainX})() >= 256 + 3 * 8`);
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await waitUntil(page, () => !document.querySelector('.touch-keys .held'));
  const stopped = await page.evaluate(mainX);

  // A tap on D winds up and throws: the tiara flies. The steps stopped with the finger.
  await panel(page, 'Game1').locator('.touch-keys [data-key="68"]').tap();
  await waitUntil(page, () => document.querySelector('[data-form=Game1] [data-control=Action]')?.hidden === false);
  assert.ok((await page.evaluate(mainX)) <= stopped + 8, 'steps went on after the finger lifted');

  // Given up by its close box; the Difficult level adds Up and Down, and Up raises her.
  await panel(page, 'Game1').locator('.titlebar .close').tap();
  await gone(page, 'Game1');
  await control(page, 'Intro', 'strt').tap();
  await shown(page, 'Selec');
  await control(page, 'Selec', 'G3').tap();
  await shown(page, 'Game3');
  assert.deepEqual(await keys('Game3'), ['\u2190 Left', 'Right \u2192', 'D', '\u2191 Up', '\u2193 Down']);
  await panel(page, 'Game3').locator('.touch-keys [data-key="38"]').tap();
  await waitUntil(page, () => /, 67px\)$/.test(document.querySelector('[data-form=Game3] [data-control=Main]')?.style.transform)
    || document.querySelector('dialog.message-box'));
  assert.deepEqual(errors, []);
  await context.close();
});

test('zoomed, the pictures stay crisp: each pixel a square of one colour', async () => {
  const { page, context, errors } = await openGame(browser, server.url, { deviceScaleFactor: 2 });
  await beginOffered(page);
  await page.keyboard.press('Alt+b');
  await shown(page, 'Selec');
  await page.keyboard.press('Enter');
  await shown(page, 'Game1');
  await expectPixels(page, 'Game1', spriteChecks('vessa_stand_r.gif', 256, 128, 19, 38));
  await expectPixels(page, 'Game1', [[3, 3], [496, 196], [150, 20], [300, 170]]
    .map(([x, y]) => ({ x, y, picture: 'street.bmp', px: x, py: y })));
  assert.deepEqual(errors, []);
  await context.close();
});

test('real time: a stall brings one tick, not a burst; once the slide is over nothing runs', async () => {
  const { page, context, errors } = await openGame(browser, server.url, {}, countCallbacks);
  await shown(page, 'Intro');
  // Once the slide is under way the page is held up for 400 ms, some 25 periods of the slide's
  // timer, all in one go inside the page: the title then moves once, by one step of 10 px.
  const moved = await page.evaluate(async (wait) => {
    const x = () => parseFloat(document.querySelector('[data-form=Intro] [data-control=Label1]').style.transform.slice(10));
    const soon = () => new Promise((r) => setTimeout(r, 5));
    const deadline = performance.now() + wait;
    while (!(x() > -300) && performance.now() < deadline) await soon();
    const before = x();
    const end = performance.now() + 400;
    while (performance.now() < end);
    while (x() === before && performance.now() < deadline + 400) await soon();
    return x() - before;
  }, kWait);
  assert.ok(moved > 0 && moved <= 20, `the title moved ${moved} px after the stall`);

  // Once Begin is offered the page has nothing more to do: no timeout and no animation frame is
  // pending, so nothing runs again until the player acts.
  await beginOffered(page);
  await waitUntil(page, () => window.callbacks.pending.size === 0);
  assert.deepEqual(errors, []);
  await context.close();
});
