// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Keeps the page, its manifest and its icon, so that after one visit the
// game loads and plays with the network off. Each release keeps a copy of
// its own, named after its version and a digest of all it keeps and of this
// worker's own code: a release that changes any of them is a new worker,
// which the browser installs on the next launch and serves on the one
// after. The level in play is never interrupted. The worker looks after
// the game's own files and nothing else of the folder.
var prefix = '@TUMBRA_COPY_PREFIX@';
var version = '@TUMBRA_VERSION@';
// Each file with the SHA-256 of its bytes as the build wrote them.
var files = @TUMBRA_FILES@;
var release = '@TUMBRA_RELEASE@';
var copy = prefix + version + '-' + release;
var folder = new URL('./', self.location.href).href;
// The page's address without ".html", where a host may serve it as well.
var short = 'tumbra';

function hex(buffer) {
  return Array.prototype.map.call(new Uint8Array(buffer), function(byte) {
    return (byte < 16 ? '0' : '') + byte.toString(16);
  }).join('');
}

// Whether a request is for one of the game's own files, the page under any
// address it is served at included.
function ours(url) {
  var name = new URL(url).pathname.slice(new URL(folder).pathname.length);
  return name === short || Object.prototype.hasOwnProperty.call(files, name);
}

// Each file straight from the server, past the browser's HTTP cache, and
// only as this release built it: a server still holding an older file (a
// deploy half done) fails the install, and the copy in use stays whole. A
// file is kept as its bytes and type alone: the redirect that brought it or
// a Vary in its answer would keep the kept copy from serving it.
function fetchChecked(name) {
  return fetch(name, {cache: 'reload'}).then(function(response) {
    if (!response.ok) throw new Error(name + ': HTTP ' + response.status);
    return response.arrayBuffer().then(function(body) {
      return crypto.subtle.digest('SHA-256', body).then(function(digest) {
        if (hex(digest) !== files[name]) {
          throw new Error(name + ' on the server is not this release\'s');
        }
        var type = response.headers.get('Content-Type');
        return {url: response.url, body: body, type: type};
      });
    });
  });
}

function keep(cache, key, file) {
  var headers = file.type ? {'Content-Type': file.type} : {};
  return cache.put(key, new Response(file.body, {headers: headers}));
}

self.addEventListener('install', function(event) {
  var names = Object.keys(files);
  var made = false;
  event.waitUntil(caches.has(copy).then(function(kept) {
    // Another registration of this very release may have kept it already.
    if (kept) return;
    return Promise.all(names.map(fetchChecked)).then(function(fetched) {
      made = true;
      return caches.open(copy).then(function(cache) {
        return Promise.all(fetched.map(function(file, i) {
          var kept = [keep(cache, names[i], file)];
          // The page under its short address too, and under the address
          // its host redirected it to.
          if (names[i] === short + '.html') kept.push(keep(cache, short, file));
          if (file.url && file.url !== new URL(names[i], folder).href) {
            kept.push(keep(cache, file.url, file));
          }
          return Promise.all(kept);
        }));
      });
    });
  }).catch(function(error) {
    // Only what this install made goes; the copy in use stays.
    return (made ? caches.delete(copy) : Promise.resolve()).then(function() {
      throw error;
    });
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
      checkAgain(30, self.registration.active).catch(function() {});
    }
  }).catch(function() {});  // offline: the kept copy serves
}

// Stops once the new worker is found, installing, waiting or already
// active in this one's place: a check still open then would keep this
// worker busy, and Chromium lets a new worker take over only from an idle
// one, or once it stops this one as idle, half a minute on.
function checkAgain(tries, was) {
  return self.registration.update().then(function() {
    var r = self.registration;
    var found = r.installing || r.waiting || r.active !== was;
    if (found || tries <= 1) return;
    return new Promise(function(wake) { setTimeout(wake, 500); })
        .then(function() { return checkAgain(tries - 1, was); });
  });
}

// Asked by the worker of the release in use, woken by a request while this
// one waits.
self.addEventListener('message', function(event) {
  if (event.data === 'take over') event.waitUntil(self.skipWaiting());
});

// The kept copy first; the network only for what was never kept. The
// address's query and the host's Vary never keep the kept copy from
// answering.
self.addEventListener('fetch', function(event) {
  if (event.request.method !== 'GET' || !ours(event.request.url)) return;
  // A newer release waiting means this worker was stopped to let it take
  // over, and this request has started it again; Chromium would then hold
  // the take-over until this worker has idled half a minute. Asked once
  // more, the new worker takes over as soon as this request is answered.
  if (self.registration.waiting) self.registration.waiting.postMessage('take over');
  if (event.request.mode === 'navigate') event.waitUntil(lookForRelease());
  event.respondWith(caches.open(copy).then(function(cache) {
    return cache.match(event.request, {ignoreSearch: true, ignoreVary: true})
        .then(function(kept) { return kept || fetch(event.request); });
  }));
});
