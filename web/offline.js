// SPDX-FileCopyrightText: 2026 The Miravel Vozoda developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The site's service worker, seen from the page: registered once the game has started, so that
// the next visit starts with no network; a new build's worker, once it is ready, is announced
// and takes over at the next game. A page opened from a file or without service workers plays
// all the same, from the network.

const worker = 'serviceWorker' in navigator && /^https?:$/.test(location.protocol) ? navigator.serviceWorker : null;

// Registers the worker and shows `notice` once a new build is ready.
export function keepOffline(notice) {
  if (!worker) return;
  worker.register('service-worker.js').then((registration) => {
    if (!registration) return;  // a browser that only pretends to register
    const announce = () => {
      // A first worker serves the next visit; only a worker after an earlier one is a new version.
      if (registration.waiting && worker.controller) notice.hidden = false;
    };
    announce();
    registration.addEventListener('updatefound', () => {
      registration.installing?.addEventListener('statechange', announce);
    });
  }, (error) => console.warn('Miravel Vozoda will not start offline:', error));
}

// A new game: a new build's worker waiting takes over first, so the page that loads is its own.
export async function playAgain() {
  const registration = worker && await worker.getRegistration();
  if (registration?.waiting && worker.controller) {
    const taken = new Promise((resolve) => worker.addEventListener('controllerchange', resolve, { once: true }));
    registration.waiting.postMessage('take-over');
    // A worker that fails to take over (made redundant meanwhile, say) leaves the old one serving.
    await Promise.race([taken, new Promise((resolve) => setTimeout(resolve, 5000))]);
  }
  location.reload();
}
