// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Keeps the page, its manifest and its icon, so that after one visit the
// game loads and plays with the network off. A new build is a new copy:
// the name below changes with the page.
var copy = 'tumbra-@TUMBRA_PAGE_ID@';
var files = ['tumbra.html', 'tumbra.webmanifest', 'tumbra.svg'];

self.addEventListener('install', function(event) {
  event.waitUntil(caches.open(copy).then(function(cache) {
    return cache.addAll(files);
  }).then(function() { return self.skipWaiting(); }));
});

self.addEventListener('activate', function(event) {
  event.waitUntil(caches.keys().then(function(names) {
    return Promise.all(names.filter(function(name) {
      return name !== copy;
    }).map(function(name) { return caches.delete(name); }));
  }).then(function() { return self.clients.claim(); }));
});

// The kept copy first; the network only for what was never kept.
self.addEventListener('fetch', function(event) {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(copy).then(function(cache) {
    return cache.match(event.request, {ignoreSearch: true})
        .then(function(kept) { return kept || fetch(event.request); });
  }));
});
