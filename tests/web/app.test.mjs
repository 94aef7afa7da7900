// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The page as an app in Debian's Chromium: the keyboard where the player left it, a hidden tab
// that stands still, installable, playable offline after one visit, served compressed.
import assert from 'node:assert/strict';
import { execFileSync, spawn } from 'node:child_process';
import { appendFileSync, cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { get } from 'node:http';
import { tmpdir } from 'node:os';
import { basename, join } from 'node:path';
import { after, before, test } from 'node:test';
import { brotliDecompressSync, gunzipSync } from 'node:zlib';

import { chromium } from 'playwright-core';

import {
  kWait, launchChromium, launchProfile, openGame, panel, root, serveSite, shown, site, waitUntil,
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

// A Chromium of its own, driven through the DevTools protocol's HTTP side: a page that Playwright
// is attached to counts as seen and is never hidden, so Playwright lets go while the tab is away.
async function launchDebuggable() {
  const profile = mkdtempSync(join(tmpdir(), 'miravel-chromium-'));
  const proc = spawn(process.env.MIRAVEL_CHROMIUM || '/usr/bin/chromium',
    ['--no-sandbox', '--headless', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--remote-debugging-port=0', `--user-data-dir=${profile}`, 'about:blank'],
    { stdio: ['ignore', 'ignore', 'pipe'] });
  const endpoint = await new Promise((resolve, reject) => {
    let said = '';
    proc.stderr.setEncoding('utf8');
    proc.stderr.on('data', (chunk) => {
      said += chunk;
      const m = said.match(/DevTools listening on ws:\/\/([\d.:]+)\//);
      if (m) resolve(`http://${m[1]}`);
    });
    proc.on('exit', (code) => reject(new Error(`chromium stopped (${code}): ${said}`)));
  });
  const json = async (path) => (await fetch(`${endpoint}/json/${path}`, { method: 'PUT' })).text();
  return {
    endpoint,
    newTab: async (url) => JSON.parse(await json(`new?${url}`)).id,
    activate: (id) => json(`activate/${id}`),
    stop: async () => {
      const gone = new Promise((r) => proc.once('exit', r));
      proc.kill();
      await gone;
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

test('a hidden tab stands still: 6 s away during Easy, she is where she was and the level goes on', async () => {
  const chrome = await launchDebuggable();
  try {
    const gameTab = await chrome.newTab(server.url);
    const attach = async () => {
      const b = await chromium.connectOverCDP(chrome.endpoint);
      const page = b.contexts()[0].pages().find((p) => p.url() === server.url);
      const errors = [];
      page.on('pageerror', (e) => errors.push(e.message));
      page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
      return { b, page, errors };
    };
    let { b, page, errors } = await attach();
    await openEasy(page);
    // The page notes when it was hidden and shown, and where the left youma stood then.
    await page.evaluate(() => {
      window.away = [];
      const youma = () => document.querySelector('[data-form=Game1] [data-control=YoumaL]').style.transform;
      // Shown again, the first frame draws what the model has then: at most a tick after the
      // visibility change.
      document.addEventListener('visibilitychange', () => {
        const seen = { state: document.visibilityState, at: performance.now(), youma: youma() };
        if (seen.state === 'hidden') window.away.push(seen);
        else requestAnimationFrame(() => window.away.push({ ...seen, youma: youma() }));
      });
    });
    assert.deepEqual(errors, []);
    await b.close();  // lets go of the page, which may now be hidden

    const otherTab = await chrome.newTab('about:blank');
    await chrome.activate(otherTab);
    // The page hears of it a moment later: what counts is the 6 s it was hidden by its own clock.
    await new Promise((r) => setTimeout(r, 6500));
    await chrome.activate(gameTab);

    ({ b, page, errors } = await attach());
    await waitUntil(page, () => window.away.length === 2);
    const [hidden, visible] = await page.evaluate(() => window.away);
    assert.equal(hidden.state, 'hidden');
    assert.ok(visible.at - hidden.at >= 6000, `hidden ${visible.at - hidden.at} ms`);
    // She was never caught: no box, she stands at her start, and the youma stood where it was:
    // a step of 12 px at most that the page had still to draw when it was hidden, and one more
    // due by the first frame after it showed again.
    assert.equal(await page.locator('dialog.message-box').count(), 0);
    assert.equal(await page.evaluate(() => document.querySelector('[data-form=Game1] [data-control=Main]').style.transform),
      'translate(256px, 128px)');
    const x = (t) => parseFloat(t.slice(10));
    assert.ok(x(visible.youma) - x(hidden.youma) <= 24, `the youma went from ${hidden.youma} to ${visible.youma} while away`);
    // The level goes on: the youma walks again, and her keys work.
    await waitUntil(page, (t) => document.querySelector('[data-form=Game1] [data-control=YoumaL]').style.transform !== t, visible.youma);
    await page.keyboard.press('ArrowRight');
    await heroineAt(page, 264);
    assert.deepEqual(errors, []);
    await b.close();
  } finally {
    await chrome.stop();
  }
});

// A page of a profile's one context, as openGame opens one.
async function openIn(context, url) {
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  await page.goto(url);
  return { page, errors };
}

test('installable: Chromium finds no fault, and the icons are the program\'s icon in crisp squares', async () => {
  const profile = await launchProfile();
  const { context } = profile;
  const { page, errors } = await openIn(context, server.url);
  await beginOffered(page);
  const cdp = await context.newCDPSession(page);
  assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
  const { url, data } = await cdp.send('Page.getAppManifest');
  assert.equal(new URL(url).pathname, '/manifest.webmanifest');
  const manifest = JSON.parse(data);
  assert.equal(manifest.start_url, './');
  assert.equal(manifest.scope, './');

  // Every icon against the program's icon as the browser decodes it: each of its pixels one
  // square of whole pixels, centred; a maskable icon within the middle 80 per cent, on a
  // background that fills the square.
  const faults = await page.evaluate(async (icons) => {
    const decode = async (file) => {
      const bitmap = await createImageBitmap(await (await fetch(file)).blob(), { colorSpaceConversion: 'none', premultiplyAlpha: 'none' });
      const g = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
      g.drawImage(bitmap, 0, 0);
      return g.getImageData(0, 0, bitmap.width, bitmap.height);
    };
    const at = (img, x, y) => Array.from(img.data.slice((y * img.width + x) * 4, (y * img.width + x) * 4 + 4)).join();
    const source = await decode('pictures/icon_light.ico');
    const faults = [];
    for (const icon of icons) {
      const img = await decode(icon.src);
      const size = parseInt(icon.sizes, 10);
      if (img.width !== size || img.height !== size) faults.push(`${icon.src}: ${img.width} x ${img.height}`);
      const maskable = icon.purpose === 'maskable';
      const scale = Math.floor(size * (maskable ? 0.8 : 1) / source.width);
      const margin = (size - scale * source.width) / 2;
      const background = at(img, 0, 0);
      if (maskable && !background.endsWith(',255')) faults.push(`${icon.src}: a see-through background`);
      for (let y = 0; y < source.height; ++y)
        for (let x = 0; x < source.width; ++x) {
          const want = at(source, x, y);
          for (let d = 0; d < scale * scale; ++d) {
            const got = at(img, margin + x * scale + (d % scale), margin + y * scale + Math.floor(d / scale));
            if (got !== (want.endsWith(',0') ? (maskable ? background : got.endsWith(',0') ? got : 'clear') : want)) {
              faults.push(`${icon.src} (${x},${y}): ${got}, want ${want}`);
              break;
            }
          }
        }
    }
    return faults;
  }, manifest.icons);
  assert.deepEqual(faults.slice(0, 5), []);
  assert.deepEqual(errors, []);
  await profile.close();
});

// The site's worker active, its cache filled; the names of the caches.
const workerReady = (page) => page.evaluate((wait) => Promise.race([
  navigator.serviceWorker.ready.then(() => caches.keys()),
  new Promise((_, fail) => setTimeout(() => fail(new Error('no service worker took over')), wait)),
]), kWait);

// Quit from the title, then "Play again" on the notice.
async function quitAndPlayAgain(page) {
  await page.keyboard.press('Escape');
  const again = page.locator('.notice button', { hasText: 'Play again' });
  await again.waitFor({ timeout: kWait });
  await Promise.all([page.waitForEvent('load', { timeout: kWait }), again.click()]);
}

test('offline after one visit: the title, and a level again through "Play again"', async () => {
  const profile = await launchProfile();
  try {
    const { page, errors } = await openIn(profile.context, server.url);
    await beginOffered(page);
    assert.equal((await workerReady(page)).length, 1);

    await profile.context.setOffline(true);
    await page.reload();
    await beginOffered(page);
    await quitAndPlayAgain(page);
    await openEasy(page);
    await page.keyboard.press('ArrowRight');
    await heroineAt(page, 264);
    assert.deepEqual(errors, []);
  } finally {
    await profile.close();
  }
});

test('a new build: its worker fills its own cache, leaves the game in progress alone, takes over at "Play again"', async () => {
  // The built site copied, so that a new build can be made of it: one file changed, then the
  // worker and the compressed copies made again as the build makes them.
  const dir = mkdtempSync(join(tmpdir(), 'miravel-site-'));
  cpSync(site, dir, { recursive: true });
  const stamp = join(dir, '..', `${basename(dir)}.stamp`);
  writeFileSync(stamp, '');
  const copy = await serveSite(dir);
  const profile = await launchProfile();
  try {
    const { page, errors } = await openIn(profile.context, copy.url);
    await beginOffered(page);
    const [first] = await workerReady(page);
    await openEasy(page);

    appendFileSync(join(dir, 'LICENSES.txt'), '\nA new build.\n');
    execFileSync('/usr/bin/python3', [`${root}web/make_service_worker.py`, dir, `${root}web/service_worker.js`]);
    execFileSync('/usr/bin/python3', [`${root}web/compress_site.py`, dir, stamp]);
    await page.evaluate(async () => (await navigator.serviceWorker.getRegistration()).update());
    await page.locator('#update').waitFor({ timeout: kWait });
    // The new cache beside the old, the page still on the old build, its game going on.
    const both = await page.evaluate(() => caches.keys());
    assert.equal(both.length, 2);
    assert.ok(both.includes(first));
    assert.doesNotMatch(await page.evaluate(() => fetch('LICENSES.txt').then((r) => r.text())), /A new build/);
    await page.keyboard.press('ArrowRight');
    await heroineAt(page, 264);
    assert.equal(await page.locator('dialog.message-box').count(), 0);

    // The next game is the new build's, and only its cache is left.
    await panel(page, 'Game1').locator('.titlebar .close').click();
    await shown(page, 'Intro');
    await quitAndPlayAgain(page);
    await beginOffered(page);
    assert.match(await page.evaluate(() => fetch('LICENSES.txt').then((r) => r.text())), /A new build/);
    const left = await page.evaluate(() => caches.keys());
    assert.equal(left.length, 1);
    assert.notEqual(left[0], first);
    assert.ok(await page.locator('#update').isHidden());
    assert.deepEqual(errors, []);
  } finally {
    await profile.close();
    copy.stop();
    rmSync(dir, { recursive: true, force: true });
    rmSync(stamp, { force: true });
  }
});

test('without service workers the page plays all the same', async () => {
  const { page, context, errors } = await openGame(browser, server.url, { serviceWorkers: 'block' });
  await openEasy(page);
  await page.keyboard.press('ArrowRight');
  await heroineAt(page, 264);
  assert.equal(await page.evaluate(() => navigator.serviceWorker.controller), null);
  assert.deepEqual(errors, []);
  await context.close();
});

test('served compressed: the build\'s Brotli or gzip copy to a browser that accepts it, the file itself otherwise', async () => {
  const file = readFileSync(join(site, 'miravel-web.wasm'));
  const cases = [
    { accept: 'gzip, deflate, br', encoding: 'br', decode: brotliDecompressSync },
    { accept: 'gzip', encoding: 'gzip', decode: gunzipSync },
    { accept: 'br;q=0, gzip', encoding: 'gzip', decode: gunzipSync },
    { accept: '', encoding: undefined, decode: (b) => b },
  ];
  for (const c of cases) {
    const { headers, body } = await new Promise((resolve, reject) => {
      get(`${server.url}miravel-web.wasm`, { headers: { 'Accept-Encoding': c.accept } }, (res) => {
        const chunks = [];
        res.on('data', (d) => chunks.push(d));
        res.on('end', () => resolve({ headers: res.headers, body: Buffer.concat(chunks) }));
      }).on('error', reject);
    });
    assert.equal(headers['content-encoding'], c.encoding, c.accept);
    assert.equal(headers['content-type'], 'application/wasm');
    assert.equal(headers.vary, 'Accept-Encoding');
    assert.equal(Number(headers['content-length']), body.length);
    assert.ok(c.decode(body).equals(file), c.accept);
    if (c.encoding) assert.ok(body.length < file.length / 2);
  }
});
