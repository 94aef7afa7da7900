// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What the web tests share: where the builds are, the site served on 127.0.0.1, Debian's
// Chromium driven by playwright-core, and looks at the page as the player sees it.
import { spawn } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';

import { chromium } from 'playwright-core';

export const root = fileURLToPath(new URL('../../', import.meta.url));
export const webDriver = process.env.MIRAVEL_WEB_SCRIPT || `${root}build-web/miravel-script.js`;
export const nativeDriver = process.env.MIRAVEL_NATIVE_SCRIPT || `${root}build/tools/script/miravel-script`;
export const site = process.env.MIRAVEL_SITE || `${root}build-web/site`;
// The bare Emscripten page the first frame is measured against (bench/web).
export const bareSite = process.env.MIRAVEL_BARE_SITE || `${root}build-web/bare-site`;

// Generous: CI machines can be busy. Every wait polls for what it expects.
export const kWait = 20000;

// scripts/serve-site on a free port, serving the built site or another folder; resolves to
// { url, stop }.
export function serveSite(dir = site) {
  return new Promise((resolve, reject) => {
    // A process group of its own, stopped whole: python3 may be a launcher (pyenv's, say) that
    // leaves the server behind when only it is killed.
    const server = spawn('python3', [`${root}scripts/serve-site`, dir, '0'],
      { stdio: ['ignore', 'pipe', 'inherit'], detached: true });
    server.on('error', reject);
    server.stdout.setEncoding('utf8');
    let said = '';
    server.stdout.on('data', (chunk) => {
      said += chunk;
      const m = said.match(/at (http:\/\/127\.0\.0\.1:\d+\/)/);
      if (m) resolve({ url: m[1], stop: () => process.kill(-server.pid) });
    });
    server.on('exit', (code) => reject(new Error(`the site server stopped (${code}): ${said}`)));
  });
}

// Debian's Chromium as root: no sandbox, headless, nothing fetched from outside.
export const chromiumPath = process.env.MIRAVEL_CHROMIUM || '/usr/bin/chromium';
export const chromiumArgs = ['--no-sandbox', '--headless', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync'];
export function launchChromium(args = []) {
  return chromium.launch({ executablePath: chromiumPath, args: [...chromiumArgs, ...args] });
}

// A browser with a profile of its own (the one context is no incognito one: it can install the
// page, and its service workers and caches last), in a fresh folder; close() removes it.
export async function launchProfile(options = {}) {
  const dir = mkdtempSync(join(tmpdir(), 'miravel-profile-'));
  const context = await chromium.launchPersistentContext(dir,
    { executablePath: chromiumPath, args: chromiumArgs, viewport: { width: 1000, height: 720 }, ...options });
  return {
    context,
    close: async () => {
      await context.close();
      rmSync(dir, { recursive: true, force: true });
    },
  };
}

// A fresh page on the game on a screen of `width` x `height` CSS pixels at `scale` device pixels
// a CSS pixel, a phone's (mobile viewport, touch) where asked. The scale is the browser's own, as
// on a real screen, one browser for each: Playwright's emulated deviceScaleFactor lays a page out
// on whole CSS pixels, which at 3.5 CSS pixels a picture pixel gives squares of 7 and 8 device
// pixels that no real screen shows. resize(width, height) turns or resizes the screen.
const screenBrowsers = new Map();
export async function openScreen(url, { width, height, scale = 1, mobile = false }) {
  if (!screenBrowsers.has(scale)) screenBrowsers.set(scale, launchChromium([`--force-device-scale-factor=${scale}`]));
  const context = await (await screenBrowsers.get(scale)).newContext({ viewport: null, hasTouch: mobile, serviceWorkers: 'block' });
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  const resize = (w, h) => cdp.send('Emulation.setDeviceMetricsOverride', {
    width: w, height: h, screenWidth: w, screenHeight: h, deviceScaleFactor: 0, mobile,
    screenOrientation: w > h ? { angle: mobile ? 90 : 0, type: 'landscapePrimary' } : { angle: 0, type: 'portraitPrimary' },
  });
  await resize(width, height);
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  await page.goto(url);
  return { page, context, errors, resize };
}
export async function closeScreens() {
  for (const browser of screenBrowsers.values()) await (await browser).close();
  screenBrowsers.clear();
}

// A fresh page on the game; whatever the page reports as an error fails the test at the end.
// initScript runs in the page before any of its own. The site's service worker is kept out
// unless asked for: with the worker filling its cache beside the page (and Playwright attached
// to it), the tests' first looks at the page came too late for the title's slide. The worker's
// own tests use a profile of their own (launchProfile).
export async function openGame(browser, url, options = {}, initScript = null) {
  const context = await browser.newContext({ viewport: { width: 1000, height: 720 }, serviceWorkers: 'block', ...options });
  if (initScript) await context.addInitScript(initScript);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  await page.goto(url);
  return { page, context, errors };
}

export const panel = (page, form) => page.locator(`[data-form="${form}"]`);
export const control = (page, form, name) => page.locator(`[data-form="${form}"] [data-control="${name}"]`);

// Where a control stands in its panel's client area, in picture pixels (the game's own), as the
// player sees it at whatever size the panel is shown.
export function placeOf(page, form, name) {
  return page.evaluate(([f, n]) => {
    const el = document.querySelector(`[data-form="${f}"] [data-control="${n}"]`);
    if (!el || el.hidden) return null;
    const client = el.parentElement;
    const c = client.getBoundingClientRect(), r = el.getBoundingClientRect();
    const s = c.width / parseFloat(client.style.width);
    const px = (v) => Math.round(v / s);
    return { x: px(r.left - c.left), y: px(r.top - c.top), width: px(r.width), height: px(r.height) };
  }, [form, name]);
}

// How a shown panel lies on the page: its zoom (device pixels a picture pixel, measured from its
// client area against the form's size), its rectangle and its client area's, in CSS pixels, and
// the viewport's room above the task strip.
export function fitOf(page, form) {
  return page.evaluate((f) => {
    const el = document.querySelector(`[data-form="${f}"]`);
    if (!el || el.hidden) return null;
    const client = el.querySelector('.client');
    const rect = (e) => { const r = e.getBoundingClientRect(); return { left: r.left, top: r.top, right: r.right, bottom: r.bottom }; };
    const c = client.getBoundingClientRect();
    const strip = parseFloat(getComputedStyle(document.documentElement).getPropertyValue('--strip-height'));
    return {
      zoom: Math.round(c.width * devicePixelRatio / parseFloat(client.style.width) * 1000) / 1000,
      zoomHigh: Math.round(c.height * devicePixelRatio / parseFloat(client.style.height) * 1000) / 1000,
      panel: rect(el), client: rect(client),
      room: { width: innerWidth, height: innerHeight - strip },
    };
  }, form);
}

// An init script for openGame: keeps count of the timeouts and animation frames the page asks
// for, and which of them are still to come (window.callbacks.pending). None pending means that
// nothing will run again until the player does something.
export function countCallbacks() {
  const pending = new Set();
  window.callbacks = { asked: 0, ran: 0, pending };
  const wrap = (ask, cancel) => {
    const originalAsk = window[ask], originalCancel = window[cancel];
    window[ask] = function (callback, ...rest) {
      window.callbacks.asked++;
      const id = originalAsk.call(this, (...args) => {
        pending.delete(`${ask}:${id}`);
        window.callbacks.ran++;
        return callback(...args);
      }, ...rest);
      pending.add(`${ask}:${id}`);
      return id;
    };
    window[cancel] = function (id) {
      pending.delete(`${ask}:${id}`);
      return originalCancel.call(this, id);
    };
  };
  wrap('setTimeout', 'clearTimeout');
  wrap('requestAnimationFrame', 'cancelAnimationFrame');
  // An interval stays pending until it is cleared.
  const originalInterval = window.setInterval, originalClear = window.clearInterval;
  window.setInterval = function (callback, ...rest) {
    window.callbacks.asked++;
    const id = originalInterval.call(this, (...args) => { window.callbacks.ran++; return callback(...args); }, ...rest);
    pending.add(`setInterval:${id}`);
    return id;
  };
  window.clearInterval = function (id) {
    pending.delete(`setInterval:${id}`);
    return originalClear.call(this, id);
  };
}

// The labels and buttons shown on a form's panel whose text its box cuts, by name. The leading
// above a text's first line and below its last is not text.
export function cutTexts(page, form) {
  return page.evaluate((f) => [...document.querySelectorAll(`[data-form="${f}"] .client > [data-control]`)]
    .filter((el) => !el.hidden && (el.classList.contains('label') || el.tagName === 'BUTTON'))
    .filter((el) => {
      const style = getComputedStyle(el);
      const leading = parseFloat(style.lineHeight) - parseFloat(style.fontSize);
      return el.scrollWidth > el.clientWidth || el.scrollHeight - leading > el.clientHeight;
    })
    .map((el) => el.dataset.control), form);
}

export async function waitUntil(page, f, arg) {
  await page.waitForFunction(f, arg, { timeout: kWait, polling: 20 });
}

export const shown = (page, form) =>
  waitUntil(page, (f) => { const p = document.querySelector(`[data-form="${f}"]`); return p && !p.hidden; }, form);
export const gone = (page, form) =>
  waitUntil(page, (f) => !document.querySelector(`[data-form="${f}"]`), form);

// The pixels of a form's client area as the screen shows them, against the pictures decoded
// from their files. Each check names a screen point and the picture pixel that should be there;
// a transparent picture pixel must show `under` (the background picture at that point) instead.
// On a zoomed panel (scale device pixels a pixel; by default the panel's own, which must be
// whole) each picture pixel must fill its whole square. Returns the checks that failed, and how
// many points were transparent and opaque.
export async function comparePixels(page, form, checks, scale = null) {
  scale ??= (await fitOf(page, form)).zoom;
  if (!Number.isInteger(scale)) throw new Error(`${form} is shown at ${scale} device pixels a pixel`);
  const client = page.locator(`[data-form="${form}"] .client`);
  const shot = (await client.screenshot()).toString('base64');
  return page.evaluate(async ([png, list, scale]) => {
    const decode = async (blob) => {
      const bitmap = await createImageBitmap(blob, { colorSpaceConversion: 'none' });
      const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
      const g = canvas.getContext('2d');
      g.drawImage(bitmap, 0, 0);
      return g.getImageData(0, 0, bitmap.width, bitmap.height);
    };
    const at = (img, x, y) => Array.from(img.data.slice((y * img.width + x) * 4, (y * img.width + x) * 4 + 4));
    const screen = await decode(await (await fetch(`data:image/png;base64,${png}`)).blob());
    const files = new Map();
    const picture = async (file) => {
      if (!files.has(file)) files.set(file, await decode(await (await fetch(`pictures/${file}`)).blob()));
      return files.get(file);
    };
    const failed = [];
    let transparent = 0, opaque = 0;
    for (const c of list) {
      const want = at(await picture(c.picture), c.px, c.py);
      let expected = want;
      if (want[3] === 0) {
        transparent++;
        expected = at(await picture(c.under), c.x, c.y);
      } else {
        opaque++;
      }
      for (let d = 0; d < scale * scale; ++d) {
        const got = at(screen, c.x * scale + (d % scale), c.y * scale + Math.floor(d / scale));
        if (got.slice(0, 3).join() === expected.slice(0, 3).join()) continue;
        failed.push(`(${c.x},${c.y}) ${c.picture}@(${c.px},${c.py}): screen ${got.slice(0, 3)} want ${expected.slice(0, 3)}`);
        break;
      }
    }
    return { failed, transparent, opaque };
  }, [shot, checks, scale]);
}
