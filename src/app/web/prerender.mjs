// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Puts the first level's window into the page, so that the board is in its
// first paint: the page's own script runs the game's own load sequence here
// at build time (in jsdom), and what it built is written into the stage,
// its places and colours into a style block; then the page's policy is
// written, from the scripts and styles the finished page holds. The game
// adopts those elements when it starts.
//
//   node prerender.mjs PAGE   (rewrites PAGE in place)
import crypto from 'node:crypto';
import fs from 'node:fs';
import {createRequire} from 'node:module';
import zlib from 'node:zlib';

const require = createRequire(import.meta.url);
const {JSDOM} = require('jsdom');

const file = process.argv[2];
const page = fs.readFileSync(file, 'utf8');
const BOARD = '@TUMBRA_BOARD@';
const BOARD_STYLE = '@TUMBRA_BOARD_STYLE@';
if (!page.includes(BOARD) || !page.includes(BOARD_STYLE)) {
  throw new Error(`${file}: no place for the board`);
}

const dom = new JSDOM(page.replace(BOARD, '').replace(BOARD_STYLE, ''), {
  runScripts: 'dangerously',
  pretendToBeVisual: true,
  beforeParse(window) {
    // What the module's unpacking needs, and jsdom leaves out.
    for (const name of ['Blob', 'Response', 'DecompressionStream', 'TextDecoder']) {
      window[name] = globalThis[name];
    }
    window.console.error = (...what) => { throw new Error(what.join(' ')); };
  },
});
const {document} = dom.window;
const stage = document.getElementById('tumbra-stage');
const deadline = Date.now() + 20000;
while (stage.hasAttribute('aria-busy')) {
  if (Date.now() > deadline) throw new Error('the game did not start');
  await new Promise((resolve) => setTimeout(resolve, 10));
}

// Every place and colour the load set goes into the style block, the page
// allows no style in its markup: one rule for each setting, listing the
// elements that have it (most circles share their size, row or column).
const board = stage.querySelector('.window').cloneNode(true);
const holders = new Map();  // "left: 0px" -> [".p3", ".p8", ...]
let count = 0;
for (const element of [board, ...board.querySelectorAll('[style]')]) {
  const style = element.style;
  style.removeProperty('--scale');
  if (style.length > 0) element.classList.add(`p${count}`);
  for (let i = 0; i < style.length; ++i) {
    const setting = `${style[i]}: ${style.getPropertyValue(style[i])}`;
    if (!holders.has(setting)) holders.set(setting, []);
    holders.get(setting).push(`.p${count}`);
  }
  count += style.length > 0;
  element.removeAttribute('style');
}
const rules = [...holders].map(([setting, at]) => `${at.join()} { ${setting} }`);
// Until the game has taken the window over, a press is not taken.
board.setAttribute('inert', '');
const built = page.replace(BOARD, board.outerHTML)
    .replace(BOARD_STYLE, `<style>\n${rules.join('\n')}\n</style>`);

// The policy lets in exactly the scripts and styles the finished page holds,
// and the code its start script unpacks and adds, each by its hash.
const hash = (text) => `'sha256-${crypto.createHash('sha256').update(text).digest('base64')}'`;
const all = (pattern) => [...built.matchAll(pattern)].map((found) => found[1]);
const packed = built.match(/<script type="text\/plain" id="tumbra-code">([^<]*)<\/script>/)[1];
const code = zlib.gunzipSync(Buffer.from(packed, 'base64'));
const scripts = [...all(/<script>([\s\S]*?)<\/script>/g), code].map(hash);
const styles = all(/<style>([\s\S]*?)<\/style>/g).map(hash);
fs.writeFileSync(file, built.replace('@TUMBRA_SCRIPT_HASH@', scripts.join(' '))
    .replace('@TUMBRA_STYLE_HASH@', styles.join(' ')));
dom.window.close();
