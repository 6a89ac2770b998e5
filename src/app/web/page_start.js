// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The page's first lines: the game starts once its module is ready. Served
// over http(s), the page also offers itself for installing and keeps a copy
// for playing offline; opened from the disk, it asks for nothing beyond
// itself.
var Module = {
  onRuntimeInitialized: function() { TumbraDom.send('tumbra_start', []); }
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
