// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Keeps the page, its manifest and its icon, so that after one visit the
// game loads and plays with the network off. Each release keeps a copy of
// its own, named after the digests of all it keeps: a release that changes
// any file is a new worker, which the browser installs on the next launch
// and serves on the one after. The level in play is never interrupted.
var prefix = 'tumbra-release-';
// Each file with the SHA-256 of its bytes as the build wrote them.
var files = @TUMBRA_FILES@;
var release = '@TUMBRA_RELEASE@';
var copy = prefix + release;

function hex(buffer) {
  return Array.prototype.map.call(new Uint8Array(buffer), function(byte) {
    return (byte < 16 ? '0' : '') + byte.toString(16);
  }).join('');
}

// Each file straight from the server, past the browser's HTTP cache, and
// only as this release built it: a server still holding an older file (a
// deploy half done) fails the install, and the copy in use stays whole.
function fetchChecked(name) {
  return fetch(name, {cache: 'reload'}).then(function(response) {
    if (!response.ok) throw new Error(name + ': HTTP ' + response.status);
    return response.clone().arrayBuffer().then(function(body) {
      return crypto.subtle.digest('SHA-256', body);
    }).then(function(digest) {
      if (hex(digest) !== files[name]) {
        throw new Error(name + ' on the server is not this release\'s');
      }
      return response;
    });
  });
}

self.addEventListener('install', function(event) {
  var names = Object.keys(files);
  event.waitUntil(Promise.all(names.map(fetchChecked)).then(function(kept) {
    return caches.open(copy).then(function(cache) {
      return Promise.all(kept.map(function(response, i) {
        return cache.put(names[i], response);
      }));
    });
  }).catch(function(error) {
    return caches.delete(copy).then(function() { throw error; });
  }).then(function() { return self.skipWaiting(); }));
});

// Only the game's own older copies go; other caches of the site stay.
self.addEventListener('activate', function(event) {
  event.waitUntil(caches.keys().then(function(names) {
    return Promise.all(names.filter(function(name) {
      return name.indexOf(prefix) === 0 && name !== copy;
    }).map(function(name) { return caches.delete(name); }));
  }).then(function() { return self.clients.claim(); }));
});

// A static host may answer the browser's own check for a new worker with
// "not modified" when the new release carries an older date than the one
// kept. So at every launch the worker is fetched anew past the HTTP cache,
// which leaves the newest one there; when it is another release's, the
// browser is asked to check again until it has found it (a check already
// under way may have looked too early). The checks do not hold up the
// navigation's event: a new worker activates only once this one's events
// are done, and a check asked for meanwhile would wait for that activation.
function lookForRelease() {
  return fetch('tumbra-sw.js', {cache: 'reload'}).then(function(response) {
    return response.ok ? response.text() : '';
  }).then(function(worker) {
    if (worker && worker.indexOf("'" + release + "'") < 0) {
      checkAgain(30).catch(function() {});
    }
  }).catch(function() {});  // offline: the kept copy serves
}

function checkAgain(tries) {
  return self.registration.update().then(function() {
    var found = self.registration.installing || self.registration.waiting;
    if (found || tries <= 1) return;
    return new Promise(function(wake) { setTimeout(wake, 500); })
        .then(function() { return checkAgain(tries - 1); });
  });
}

// The kept copy first; the network only for what was never kept.
self.addEventListener('fetch', function(event) {
  if (event.request.method !== 'GET') return;
  if (event.request.mode === 'navigate') event.waitUntil(lookForRelease());
  event.respondWith(caches.open(copy).then(function(cache) {
    return cache.match(event.request, {ignoreSearch: true})
        .then(function(kept) { return kept || fetch(event.request); });
  }));
});
