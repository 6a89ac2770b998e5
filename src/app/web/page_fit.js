// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The window as large as the page holds it, up or down, with a small margin
// all round; the page stands for the screen. This runs before the first
// paint, on the window the page was built with, so the board never jumps;
// then on every resize, and on every window the game shows.
function tumbraFit() {
  var box = document.querySelector('#tumbra-stage > .window');
  if (!box) return;
  // The designed size, as the window carries it: reading its laid-out
  // size would lay the page out once more before its first paint.
  var margin = 8;
  var scale = Math.min((innerWidth - 2 * margin) / box.dataset.width,
                       (innerHeight - 2 * margin) / box.dataset.height);
  box.style.setProperty('--scale', String(Math.max(scale, 0.1)));
}
tumbraFit();
addEventListener('resize', tumbraFit);
