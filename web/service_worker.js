// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Keeps every file of the site in a cache of this build's own, so that after one visit the game
// starts with no network. The build writes its version (a hash of the site's files) and the list
// of them in below this comment (web/make_service_worker.py). A new build's worker fills its own cache and
// waits: it takes over only when no page of the old build is left, or when the page asks it to
// at the start of a new game, so it never interrupts a game in progress.
const kCache = `miravel-${kVersion}`;

self.addEventListener('install', (event) => {
  // Asked afresh from the server, never from the browser's HTTP cache: the files of this build.
  event.waitUntil(caches.open(kCache).then((cache) =>
    cache.addAll(kFiles.map((f) => new Request(f, { cache: 'no-cache' })))));
});

self.addEventListener('activate', (event) => {
  // The old builds' caches go once this one has taken over; the pages it now serves are its own.
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((n) => n.startsWith('miravel-') && n !== kCache).map((n) => caches.delete(n))))
    .then(() => self.clients.claim()));
});

self.addEventListener('message', (event) => {
  if (event.data === 'take-over') self.skipWaiting();
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  event.respondWith(caches.open(kCache)
    .then((cache) => cache.match(request, { ignoreSearch: true }))
    .then((cached) => cached || fetch(request)));
});
