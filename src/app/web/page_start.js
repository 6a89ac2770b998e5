// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The page's first lines. The first board is in the page as built; the
// game's code and its WebAssembly module travel packed (gzip, in base64)
// in the page's two data blocks, and are unpacked once that board has been
// painted. Served over http(s), the page also offers itself for installing
// and keeps a copy for playing offline; opened from the disk, it asks for
// nothing beyond itself.
function tumbraUnpack(id) {
  var packed = atob(document.getElementById(id).textContent);
  var bytes = new Uint8Array(packed.length);
  for (var i = 0; i < packed.length; ++i) bytes[i] = packed.charCodeAt(i);
  return new Response(new Blob([bytes]).stream()
      .pipeThrough(new DecompressionStream('gzip'))).arrayBuffer();
}
var Module = {
  onRuntimeInitialized: function() { TumbraDom.send('tumbra_start', []); },
  instantiateWasm: function(imports, receive) {
    tumbraUnpack('tumbra-module')
        .then(function(module) { return WebAssembly.instantiate(module, imports); })
        .then(function(result) { receive(result.instance, result.module); })
        .catch(function(error) {
          TumbraDom.stop('the game could not start: ' + error);
        });
    return {};
  }
};
// Until the code runs, the board stays busy and takes no press.
requestAnimationFrame(function() {
  setTimeout(function() {
    tumbraUnpack('tumbra-code').then(function(code) {
      var script = document.createElement('script');
      script.textContent = new TextDecoder().decode(code);
      document.body.appendChild(script);
    }).catch(function(error) {
      console.error('tumbra: the game could not start: ' + error);
    });
  });
});
if (/^https?:$/.test(location.protocol)) {
  var manifest = document.createElement('link');
  manifest.rel = 'manifest';
  manifest.href = 'tumbra.webmanifest';
  document.head.appendChild(manifest);
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('tumbra-sw.js').catch(function(error) {
      console.warn('tumbra: no offline copy: ' + error);
    });
  }
}
