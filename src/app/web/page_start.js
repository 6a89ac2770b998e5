// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The page's first lines. The first board is in the page as built; the
// game's code and its WebAssembly module travel packed (gzip, in base64)
// in the page's two data blocks, and are unpacked once that board has been
// painted. Served over http(s), the page also offers itself for installing
// and keeps a copy for playing offline; opened from the disk, it asks for
// nothing beyond itself. A page that cannot start says so in the window.
var tumbraServed = /^https?:$/.test(location.protocol);
// The right mouse button turns: no menu of the browser's own opens over the
// game or its box, wherever the press lands on the page.
addEventListener('contextmenu', function(event) { event.preventDefault(); });
// The folder the page is served from, and the worker's own scope in it: the
// game's page, under any of its addresses, and nothing else of the folder.
var tumbraFolder = tumbraServed ? new URL('./', location.href).href : '';
var tumbraScope = tumbraFolder + 'tumbra';

// The page cannot start: the player reads why, and what will help. A copy
// kept for offline play that is damaged is dropped, so that opening the
// page again, online, fetches it afresh.
function tumbraCannotStart(unsupported, error) {
  if (document.getElementById('tumbra-cannot-start')) return;
  console.error('tumbra: the game could not start: ' + error);
  var stage = document.getElementById('tumbra-stage');
  stage.removeAttribute('aria-busy');
  var note = document.createElement('div');
  note.id = 'tumbra-cannot-start';
  note.className = 'stopped';
  note.setAttribute('role', 'alert');
  var lines = ['The game could not start.',
    unsupported
        ? 'This browser lacks what the game needs to run. Open the game in ' +
          'a current version of Firefox, Chrome, Edge or Safari.'
        : tumbraServed
            ? 'The copy of the game this browser received is damaged. ' +
              'Reload the page while online to fetch it afresh; if that ' +
              'does not help, the copy on the web server is damaged.'
            : 'This copy of the game\'s file is damaged. Download the ' +
              'game again.'];
  lines.forEach(function(text) {
    var line = document.createElement('p');
    line.textContent = text;
    note.appendChild(line);
  });
  document.body.appendChild(note);
  if (tumbraServed && 'serviceWorker' in navigator) {
    caches.keys().then(function(names) {
      return Promise.all(names.filter(function(name) {
        return name.indexOf('@TUMBRA_COPY_PREFIX@') === 0;
      }).map(function(name) { return caches.delete(name); }));
    }).catch(function() {});
    navigator.serviceWorker.getRegistration(tumbraScope).then(function(kept) {
      if (kept && kept.scope === tumbraScope) return kept.unregister();
    }).catch(function() {});
  }
}

function tumbraUnpack(id) {
  var packed = atob(document.getElementById(id).textContent);
  var bytes = new Uint8Array(packed.length);
  for (var i = 0; i < packed.length; ++i) bytes[i] = packed.charCodeAt(i);
  return new Response(new Blob([bytes]).stream()
      .pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
}
var tumbraUnsupported = typeof DecompressionStream === 'undefined' ||
                        typeof WebAssembly === 'undefined';
var Module = {
  onRuntimeInitialized: function() { TumbraDom.send('tumbra_start', []); },
  instantiateWasm: function(imports, receive) {
    tumbraUnpack('tumbra-module')
        .then(function(module) { return WebAssembly.instantiate(module, imports); })
        .then(function(result) { receive(result.instance, result.module); })
        .catch(function(error) { tumbraCannotStart(tumbraUnsupported, error); });
    return {};
  }
};
// Until the code runs, the board stays busy and takes no press.
requestAnimationFrame(function() {
  setTimeout(function() {
    if (tumbraUnsupported) {
      tumbraCannotStart(true, 'no DecompressionStream or WebAssembly');
      return;
    }
    tumbraUnpack('tumbra-code').then(function(code) {
      // An error in the code as it is first run is the code's damage too.
      var failed = function(event) { tumbraCannotStart(false, event.message); };
      addEventListener('error', failed);
      var script = document.createElement('script');
      script.textContent = new TextDecoder().decode(code);
      document.body.appendChild(script);
      removeEventListener('error', failed);
    }).catch(function(error) { tumbraCannotStart(false, error); });
  });
});
if (tumbraServed) {
  var manifest = document.createElement('link');
  manifest.rel = 'manifest';
  manifest.href = 'tumbra.webmanifest';
  document.head.appendChild(manifest);
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('tumbra-sw.js', {scope: tumbraScope})
        .catch(function(error) {
          console.warn('tumbra: no offline copy: ' + error);
        });
    // 1.0.0 registered its worker for the whole folder: that registration,
    // and no other app's, goes.
    navigator.serviceWorker.getRegistrations().then(function(all) {
      all.forEach(function(r) {
        var worker = r.active || r.waiting || r.installing;
        if (r.scope === tumbraFolder && worker &&
            worker.scriptURL === tumbraFolder + 'tumbra-sw.js') {
          r.unregister();
        }
      });
    }).catch(function() {});
  }
}
