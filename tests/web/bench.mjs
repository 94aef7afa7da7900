// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Figures of the game in the browser (scripts/bench-web runs this; it is no test):
//   transfer   every byte a visit transfers, as scripts/serve-site serves the site
//   start      navigation to the title's first frame, cold and cached, against a bare page
//   play       script time per display frame on the Difficult level, heroine out of the balls' way
//   idle       timeouts and animation frames on the title page once the slide has ended
// Usage: node bench.mjs [--quick] [--only=transfer|start|play|idle]
import { execFileSync } from 'node:child_process';

import {
  bareSite, countCallbacks, launchChromium, launchProfile, openGame, serveSite, shown, waitUntil,
} from './support.mjs';

const quick = process.argv.includes('--quick');
const median = (xs) => {
  const s = [...xs].sort((a, b) => a - b);
  return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2;
};
const kb = (bytes) => (bytes / 1024).toFixed(1);
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
const beginOffered = (page) =>
  waitUntil(page, () => document.querySelector('[data-form=Intro] [data-control=strt]')?.hidden === false);

const server = await serveSite();
const version = execFileSync('/usr/bin/chromium', ['--version'], { stdio: ['ignore', 'pipe', 'ignore'] }).toString().trim();
console.log(`${version}; node ${process.version}; ${quick ? 'quick look' : 'full run'}`);

// --- transfer ---------------------------------------------------------------------------------
// What a first visit transfers as scripts/serve-site serves it (each file as its Brotli copy where
// the build made one): the page's own fetches up to the title with Begin offered (the page fetches
// every picture and face before the game starts, so a level adds nothing), then the service
// worker's filling of its cache, which asks again for every file of the site (the browser's copies
// of those the page had are still good: a header each). A later visit, from the worker's cache,
// transfers only the browser's check for a new worker.
async function transfer() {
  const profile = await launchProfile();
  const { context } = profile;
  // Each request in the order it finished; its sizes come a moment later. The worker's last
  // requests are reported a little after it says it is ready, and the look at them waits a
  // second for them (this is no test).
  const rows = [];
  context.on('requestfinished', (r) => rows.push((async () => {
    const response = await r.response();
    const sizes = await r.sizes();
    return { file: new URL(r.url()).pathname, worker: !!r.serviceWorker(), cached: response.fromServiceWorker(),
      encoding: (await response.headerValue('content-encoding')) || '-',
      bytes: sizes.responseBodySize + sizes.responseHeadersSize };
  })()));
  const page = await context.newPage();
  await page.goto(server.url);
  await beginOffered(page);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await sleep(1000);
  const visit = await Promise.all(rows.splice(0));
  await page.reload();
  await beginOffered(page);
  await sleep(1000);
  const later = await Promise.all(rows.splice(0));
  await profile.close();
  const sum = (xs) => xs.reduce((n, r) => n + (r.cached ? 0 : r.bytes), 0);
  const own = visit.filter((r) => !r.worker), fill = visit.filter((r) => r.worker);
  console.log(`\ntransfer, as scripts/serve-site sends it (goal: at most 1024 KiB):`);
  for (const r of own.sort((a, b) => b.bytes - a.bytes))
    console.log(`  ${r.file.padEnd(34)} ${kb(r.bytes).padStart(8)} KiB  ${r.encoding}`);
  console.log(`  the page's own, ${own.length} files:${kb(sum(own)).padStart(13)} KiB`);
  console.log(`  the worker's filling of its cache, ${fill.length} files: ${kb(sum(fill))} KiB`);
  console.log(`  a first visit in all: ${kb(sum(visit))} KiB; a later visit: ${kb(sum(later))} KiB`);
}

// --- start ------------------------------------------------------------------------------------
// Navigation to the frame in which the title first shows (the page marks it), against the same
// for the bare Emscripten page (bench/web, which marks its one frame alike), both served alike by
// scripts/serve-site from their own folders. Runs interleaved in one browser, each in a fresh
// context. Cold: nothing cached. Cached: the context has visited the site once, its service
// worker has filled its cache and the page is opened again: every file from the worker's cache.
// Nothing polls the page while it loads: the mark is read once the load is long over.
async function firstFrame(browser, url, cached) {
  const context = await browser.newContext({ viewport: { width: 1000, height: 720 }, serviceWorkers: 'allow' });
  if (cached) {
    const first = await context.newPage();
    await first.goto(url);
    await first.evaluate(() => navigator.serviceWorker.ready);
    await first.close();
  }
  const page = await context.newPage();
  await page.goto(url);
  await sleep(1500);
  await waitUntil(page, () => performance.getEntriesByName('miravel-first-frame').length > 0);
  const t = await page.evaluate(() => ({
    frame: performance.getEntriesByName('miravel-first-frame')[0].startTime,
    worker: !!navigator.serviceWorker.controller,
  }));
  await context.close();
  if (cached && !t.worker) throw new Error(`${url}: not served by its service worker`);
  return t.frame;
}

async function start(runs) {
  const bareServer = await serveSite(bareSite);
  const browser = await launchChromium();
  const times = { cold: { game: [], bare: [] }, cached: { game: [], bare: [] } };
  try {
    for (let i = 0; i < runs; ++i)
      for (const kind of ['cold', 'cached'])
        for (const [name, url] of i % 2 ? [['bare', bareServer.url], ['game', server.url]] : [['game', server.url], ['bare', bareServer.url]])
          times[kind][name].push(await firstFrame(browser, url, kind === 'cached'));
  } finally {
    await browser.close();
    bareServer.stop();
  }
  const line = (xs) => `median ${median(xs).toFixed(0)} ms (${Math.min(...xs).toFixed(0)}-${Math.max(...xs).toFixed(0)})`;
  console.log(`\nstart: navigation to the first frame, ${runs} interleaved runs each, fresh contexts`);
  for (const [kind, goal] of [['cold', 1.5], ['cached', 1.2]]) {
    const { game, bare } = times[kind];
    console.log(`  ${kind.padEnd(6)} game ${line(game)}, bare page ${line(bare)}: ` +
      `${(median(game) / median(bare)).toFixed(2)} x (goal: at most ${goal} x)`);
  }
}

// --- play -------------------------------------------------------------------------------------
// The Difficult level: Up to the raised row, 28 steps right past the overhead ball, D thrown,
// as the desktop's benchmark places her. Then the main thread's script time (Chromium's own
// ScriptDuration, which counts the module, the page's script and the DOM calls they make) over
// a span of play, divided by the display frames of 1/60 s in it. A run the youma or a ball ends
// early is played again.
async function play(runs, seconds) {
  const perFrame = [], taskPerFrame = [];
  const browser = await launchChromium();
  for (let tries = 0; perFrame.length < runs && tries < runs * 3; ++tries) {
    const { page, context } = await openGame(browser, server.url);
    await beginOffered(page);
    await page.keyboard.press('Alt+b');
    await shown(page, 'Selec');
    await page.keyboard.press('Alt+c');
    await shown(page, 'Game3');
    await page.keyboard.press('ArrowUp');
    for (let i = 0; i < 28; ++i) await page.keyboard.press('ArrowRight');
    await page.keyboard.press('d');
    await sleep(1000);  // settled: the tiara in flight, the balls falling
    const cdp = await context.newCDPSession(page);
    await cdp.send('Performance.enable');
    const metrics = async () => Object.fromEntries((await cdp.send('Performance.getMetrics')).metrics.map((m) => [m.name, m.value]));
    const before = await metrics();
    const t0 = performance.now();
    await sleep(seconds * 1000);
    const after = await metrics();
    const frames = (performance.now() - t0) / (1000 / 60);
    const ended = await page.locator('dialog.message-box').count() > 0 || await page.locator('[data-form=Game3]').count() === 0;
    await context.close();
    if (ended) continue;
    perFrame.push((after.ScriptDuration - before.ScriptDuration) * 1000 / frames);
    taskPerFrame.push((after.TaskDuration - before.TaskDuration) * 1000 / frames);
  }
  await browser.close();
  console.log(`\nplay: the Difficult level, ${seconds} s of play a run, ${perFrame.length} runs (goal: script under 1 ms a frame)`);
  if (!perFrame.length) return console.log('  every run ended early');
  console.log(`  script per frame: median ${median(perFrame).toFixed(3)} ms, max ${Math.max(...perFrame).toFixed(3)}` +
    `  (all main-thread work: median ${median(taskPerFrame).toFixed(3)} ms)`);
}

// --- idle -------------------------------------------------------------------------------------
// Once the slide has ended and Begin is offered, the page should ask for nothing more.
async function idle(seconds) {
  const browser = await launchChromium();
  const { page, context } = await openGame(browser, server.url, {}, countCallbacks);
  await beginOffered(page);
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  const before = await page.evaluate(() => ({ ...window.callbacks, pending: window.callbacks.pending.size }));
  await sleep(seconds * 1000);
  const after = await page.evaluate(() => ({ ...window.callbacks, pending: window.callbacks.pending.size }));
  await context.close();
  await browser.close();
  console.log(`\nidle: the title page for ${seconds} s after the slide (goal: nothing runs)`);
  console.log(`  timeouts and animation frames asked ${after.asked - before.asked}, run ${after.ran - before.ran}, pending ${after.pending}`);
}

const only = process.argv.find((a) => a.startsWith('--only='))?.slice(7);
try {
  if (!only || only === 'transfer') await transfer();
  if (!only || only === 'start') await start(quick ? 3 : 15);
  if (!only || only === 'play') await play(quick ? 1 : 5, quick ? 3 : 10);
  if (!only || only === 'idle') await idle(quick ? 2 : 5);
} finally {
  server.stop();
}
