// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The page's first lines: the game starts once its module is ready. Served
// over http(s), the page also offers itself for installing and keeps a copy
// for playing offline; opened from the disk, it asks for nothing beyond
// itself.
var Module = {
  onRuntimeInitialized: function() { TumbraDom.send('tumbra_start', []); },
  // The module's bytes come packed with gzip, in base64.
  instantiateWasm: function(imports, receive) {
    var packed = atob('@TUMBRA_MODULE@');
    var bytes = new Uint8Array(packed.length);
    for (var i = 0; i < packed.length; ++i) bytes[i] = packed.charCodeAt(i);
    new Response(new Blob([bytes]).stream()
        .pipeThrough(new DecompressionStream('gzip'))).arrayBuffer()
        .then(function(module) { return WebAssembly.instantiate(module, imports); })
        .then(function(result) { receive(result.instance, result.module); })
        .catch(function(error) {
          TumbraDom.stop('the game could not start: ' + error);
        });
    return {};
  }
};
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
