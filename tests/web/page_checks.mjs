// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// What every browser case uses: the page under test, the levels as a player
// sees them, the readers of the board, the box and the names, and the
// checks that fail a case.
import fs from 'node:fs';
import path from 'node:path';

export const page_file = path.resolve(process.argv[2] ?? '../../build-web/tumbra.html');

// The levels, colours and rings as a player sees them, shared with the
// real-window tests.
export const game = JSON.parse(fs.readFileSync(new URL('../levels.json', import.meta.url)));
export const css = (rgb) => `rgb(${rgb.join(', ')})`;
export const colours = Object.fromEntries(game.colours.map((c) => [css(c.rgb), c.name]));
const codes = Object.fromEntries(game.colours.map((c) => [css(c.rgb), c.code]));
export const [RED, GREEN] = ['red', 'green'].map((n) => css(game.colours.find((c) => c.name === n).rgb));
export const [LEVEL1_START, LEVEL1_GOAL] = [game.levels[0].start, game.levels[0].goal];
export const LEVEL2_START = game.levels[1].start;

// The board after a press of `mouse` ('left' or 'right') on Turn `button`.
export function turned(board, button, mouse) {
  const turn = game.buttons[button];
  const ring = game.ring.map((offset) => turn.corner + offset);
  const shift = turn[mouse];
  const cells = [...board];
  ring.forEach((at, k) => { cells[at] = board[ring[(k - shift + 8) % 8]]; });
  return cells.join('');
}

export class Failed extends Error {}
export function expect(seen, wanted, what) {
  if (seen !== wanted) throw new Failed(`${what}: expected ${wanted}, saw ${seen}`);
}
export function check(ok, what) {
  if (!ok) throw new Failed(what);
}

export function block(page, first) {
  return page.evaluate((first, codes) => {
    let cells = '';
    for (let i = first; i < first + 25; ++i) {
      const circle = document.querySelector(`[data-control="Piece ${i}"]`);
      cells += codes[getComputedStyle(circle).backgroundColor] ?? '?';
    }
    return cells;
  }, first, codes);
}
export const board = (page) => block(page, 1);
export const tries = (page) => page.evaluate(
    () => document.querySelector('[data-control="Tries 0"]').textContent);
export const rect = (page, selector) => page.evaluate((s) => {
  const r = document.querySelector(s).getBoundingClientRect();
  return {x: r.x, y: r.y, width: r.width, height: r.height};
}, selector);

export async function centre(page, control) {
  const r = await rect(page, `[data-control="${control}"]`);
  return [r.x + r.width / 2, r.y + r.height / 2];
}

// A press of `mouse` on Turn `button`: the turn must be on the screen
// before the button comes up again.
export async function press(page, button, mouse, expected, what) {
  const [x, y] = await centre(page, `Turn ${button}`);
  await page.mouse(x, y, mouse, 'down');
  if (expected !== undefined) {
    for (const end = Date.now() + 20000; await board(page) !== expected && Date.now() < end;) {
      await new Promise((resolve) => setTimeout(resolve, 20));
    }
    expect(await board(page), expected, `${what}, with the button still down`);
  }
  await page.mouse(x, y, mouse, 'up');
}

// What a screen reader hears of all 50 circles, against what they show:
// each named by its block, its row and column in it, then its colour.
export async function spokenNames(page, what) {
  const circles = await page.evaluate(() =>
      [...Array(50).keys()].map((i) => {
        const c = document.querySelector(`[data-control="Piece ${i + 1}"]`);
        return [c.getAttribute('aria-label'), getComputedStyle(c).backgroundColor];
      }));
  circles.forEach(([name, colour], i) => {
    const cell = i % 25;
    const wanted = `${i < 25 ? 'Play board' : 'Goal picture'}, row ${Math.floor(cell / 5) + 1}, ` +
                   `column ${cell % 5 + 1}, ${colours[colour]}`;
    expect(name, wanted, `${what}: the name of circle ${i + 1}`);
  });
}

// Every circle in its lattice cell: column c and row r of its block at
// 32 c and 32 r pixels of the window as designed (the goal picture 256
// further right), 33 pixels across, whatever the window's scale.
export async function placed(page, what) {
  const circles = await page.evaluate(() => {
    const box = document.querySelector('.window').getBoundingClientRect();
    const scale = box.width / 417;
    return [...Array(50).keys()].map((i) => {
      const r = document.querySelector(`[data-control="Piece ${i + 1}"]`)
          .getBoundingClientRect();
      return [(r.left - box.left) / scale, (r.top - box.top) / scale, r.width / scale];
    });
  });
  circles.forEach(([left, top, size], i) => {
    const cell = i % 25;
    const want = [(cell % 5) * 32 + (i >= 25 ? 256 : 0), Math.floor(cell / 5) * 32, 33];
    check([left, top, size].every((v, k) => Math.abs(v - want[k]) < 0.6),
          `${what}: circle ${i + 1} at ${[left, top, size].map((v) => v.toFixed(1))}, ` +
          `not ${want}`);
  });
}

// The open box as a player and a screen reader meet it.
export const boxShown = (page) => page.evaluate(() => {
  const d = document.querySelector('dialog[open]');
  return {
    title: d.querySelector('h2').textContent,
    named: document.getElementById(d.getAttribute('aria-labelledby'))?.textContent,
    described: document.getElementById(d.getAttribute('aria-describedby'))?.textContent,
    text: d.querySelector('p > span:last-child').textContent,
    icon: d.querySelector('.critical')?.getAttribute('aria-label') ?? '',
    buttons: [...d.querySelectorAll('button')].map((b) => b.textContent).join(' '),
    focused: document.activeElement === d ? 'the box' : document.activeElement?.textContent,
  };
});

// A closed box leaves the page when its close event has run, and the game
// goes on from there; the box hides a moment earlier.
export const boxOpen = (page) => page.waitFor(() => Boolean(document.querySelector('dialog[open]')));
export const boxGone = (page) => page.waitFor(() => !document.querySelector('dialog'));

// The game has started once the page's stage is no longer busy.
export const started = () => !document.getElementById('tumbra-stage').hasAttribute('aria-busy');
export async function levelShown(page, start, caption, what) {
  await page.waitFor(started).catch(() => {});
  await page.waitFor((caption) => document.querySelector('[data-control="Tries 0"]')
      ?.textContent === caption, caption).catch(() => {});
  expect(await tries(page), caption, `${what}: Tries`);
  expect(await board(page), start, `${what}: board`);
}

export async function play(page, presses) {
  for (const step of presses.split(' ')) {
    await press(page, Number(step[1]), step[0] === 'L' ? 'left' : 'right');
  }
}

// The contrast ratio of two CSS colours, as accessibility guidelines define it.
export function contrast(a, b) {
  const luminance = (css) => {
    const [r, g, b] = css.match(/\d+(\.\d+)?/g).slice(0, 3).map(Number).map((v) => {
      const c = v / 255;
      return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
    });
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
  };
  const [x, y] = [luminance(a), luminance(b)].sort((p, q) => q - p);
  return (x + 0.05) / (y + 0.05);
}
