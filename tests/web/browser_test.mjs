// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The browser's page as a player meets it, in Chromium, Firefox ESR and
// WebKitGTK (engines.mjs): real mouse presses and the box, keys that turn
// nothing, Reset, every level to its box, what a screen reader hears, the
// window fitted to any screen, touch, forced colours, the box on a small
// screen, installing and playing offline when served, and the page's
// policy against anything from elsewhere. The game's logic is the shared
// play scenarios' business; this checks what only the page can get wrong.
//
//   node browser_test.mjs PATH/TO/tumbra.html [ENGINE...]
import http from 'node:http';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {execFileSync} from 'node:child_process';
import {engines} from './engines.mjs';

const page_file = path.resolve(process.argv[2] ?? '../../build-web/tumbra.html');
const chosen = process.argv.slice(3).length ? process.argv.slice(3) : Object.keys(engines);

// The levels, colours and rings as a player sees them, shared with the
// real-window tests.
const game = JSON.parse(fs.readFileSync(new URL('../levels.json', import.meta.url)));
const css = (rgb) => `rgb(${rgb.join(', ')})`;
const colours = Object.fromEntries(game.colours.map((c) => [css(c.rgb), c.name]));
const codes = Object.fromEntries(game.colours.map((c) => [css(c.rgb), c.code]));
const [RED, GREEN] = ['red', 'green'].map((n) => css(game.colours.find((c) => c.name === n).rgb));
const [LEVEL1_START, LEVEL1_GOAL] = [game.levels[0].start, game.levels[0].goal];
const LEVEL2_START = game.levels[1].start;

// The board after a press of `mouse` ('left' or 'right') on Turn `button`.
function turned(board, button, mouse) {
  const turn = game.buttons[button];
  const ring = game.ring.map((offset) => turn.corner + offset);
  const shift = turn[mouse];
  const cells = [...board];
  ring.forEach((at, k) => { cells[at] = board[ring[(k - shift + 8) % 8]]; });
  return cells.join('');
}

class Failed extends Error {}
function expect(seen, wanted, what) {
  if (seen !== wanted) throw new Failed(`${what}: expected ${wanted}, saw ${seen}`);
}
function check(ok, what) {
  if (!ok) throw new Failed(what);
}

function block(page, first) {
  return page.evaluate((first, codes) => {
    let cells = '';
    for (let i = first; i < first + 25; ++i) {
      const circle = document.querySelector(`[data-control="Piece ${i}"]`);
      cells += codes[getComputedStyle(circle).backgroundColor] ?? '?';
    }
    return cells;
  }, first, codes);
}
const board = (page) => block(page, 1);
const tries = (page) => page.evaluate(
    () => document.querySelector('[data-control="Tries 0"]').textContent);
const rect = (page, selector) => page.evaluate((s) => {
  const r = document.querySelector(s).getBoundingClientRect();
  return {x: r.x, y: r.y, width: r.width, height: r.height};
}, selector);

async function centre(page, control) {
  const r = await rect(page, `[data-control="${control}"]`);
  return [r.x + r.width / 2, r.y + r.height / 2];
}

// A press of `mouse` on Turn `button`: the turn must be on the screen
// before the button comes up again.
async function press(page, button, mouse, expected, what) {
  const [x, y] = await centre(page, `Turn ${button}`);
  await page.mouse(x, y, mouse, 'down');
  if (expected !== undefined) {
    await page.waitFor((e, codes) => {
      let cells = '';
      for (let i = 1; i <= 25; ++i) {
        const c = document.querySelector(`[data-control="Piece ${i}"]`);
        cells += codes[getComputedStyle(c).backgroundColor] ?? '?';
      }
      return cells === e;
    }, expected, codes).catch(() => {});
    expect(await board(page), expected, `${what}, with the button still down`);
  }
  await page.mouse(x, y, mouse, 'up');
}

// What a screen reader hears of all 50 circles, against what they show:
// each named by its row and column in its block, then its colour.
async function spokenNames(page, what) {
  const circles = await page.evaluate(() =>
      [...Array(50).keys()].map((i) => {
        const c = document.querySelector(`[data-control="Piece ${i + 1}"]`);
        return [c.getAttribute('aria-label'), getComputedStyle(c).backgroundColor];
      }));
  circles.forEach(([name, colour], i) => {
    const cell = i % 25;
    const wanted = `Row ${Math.floor(cell / 5) + 1}, column ${cell % 5 + 1}, ${colours[colour]}`;
    expect(name, wanted, `${what}: the name of circle ${i + 1}`);
  });
}

// Every circle in its lattice cell: column c and row r of its block at
// 32 c and 32 r pixels of the window as designed (the goal picture 256
// further right), 33 pixels across, whatever the window's scale.
async function placed(page, what) {
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

// A closed box leaves the page when its close event has run, and the game
// goes on from there; the box hides a moment earlier.
const boxOpen = (page) => page.waitFor(() => Boolean(document.querySelector('dialog[open]')));
const boxGone = (page) => page.waitFor(() => !document.querySelector('dialog'));

// The game has started once the page's stage is no longer busy.
const started = () => !document.getElementById('tumbra-stage').hasAttribute('aria-busy');
async function levelShown(page, start, caption, what) {
  await page.waitFor(started).catch(() => {});
  await page.waitFor((caption) => document.querySelector('[data-control="Tries 0"]')
      ?.textContent === caption, caption).catch(() => {});
  expect(await tries(page), caption, `${what}: Tries`);
  expect(await board(page), start, `${what}: board`);
}

async function play(page, presses) {
  for (const step of presses.split(' ')) {
    await press(page, Number(step[1]), step[0] === 'L' ? 'left' : 'right');
  }
}

// The contrast ratio of two CSS colours, as accessibility guidelines define it.
function contrast(a, b) {
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

const types = {'.html': 'text/html', '.js': 'text/javascript', '.svg': 'image/svg+xml',
               '.webmanifest': 'application/manifest+json', '.png': 'image/png'};
function serve(dir) {
  const asked = [];
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://x');
    const name = path.basename(url.pathname);
    if (name === 'frame.html') {  // a page in a frame of a given size
      const [width, height] = ['width', 'height'].map((k) => Number(url.searchParams.get(k)));
      response.writeHead(200, {'Content-Type': 'text/html'});
      response.end(`<!DOCTYPE html><body style="margin: 0"><iframe style="border: 0; ` +
                   `width: ${width}px; height: ${height}px" src="` +
                   `${encodeURI(url.searchParams.get('page'))}"></iframe></body>`);
      return;
    }
    asked.push(name);
    // As a plain static host serves: the file's date, a 304 where the
    // browser's copy is as new, and no word on caching.
    const file = path.join(dir, name);
    fs.stat(file, (error, stat) => {
      if (error) {
        response.writeHead(404);
        return response.end();
      }
      const modified = new Date(Math.floor(stat.mtimeMs / 1000) * 1000);
      const since = Date.parse(request.headers['if-modified-since'] ?? '');
      if (since >= modified.getTime()) {
        response.writeHead(304);
        return response.end();
      }
      response.writeHead(200, {'Content-Type': types[path.extname(name)] ?? 'text/plain',
                               'Last-Modified': modified.toUTCString()});
      fs.createReadStream(file).pipe(response);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
    server.asked = asked;
    server.url = (file) => `http://127.0.0.1:${server.address().port}/${file}`;
    server.stop = () => new Promise((done) => {
      if (!server.listening) return done();
      server.closeAllConnections();
      server.close(() => done());
    });
    resolve(server);
  }));
}

// A release as the build assembles it into `dir`, with every file dated
// `time`: the first (`change` null), or a second one in which the page or
// the code changed. The release a page shows: '1', or '2' for the second.
const sources = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
function publish(dir, change, time) {
  const web = fs.mkdtempSync(path.join(os.tmpdir(), 'tumbra-web-'));
  fs.cpSync(path.join(sources, 'src/app/web'), web, {recursive: true});
  let script = path.join(path.dirname(page_file), 'tumbra.js');
  if (change === 'page') {
    const template = path.join(web, 'page.html');
    fs.writeFileSync(template, fs.readFileSync(template, 'utf8').replace(
        '<meta charset="utf-8">', '<meta charset="utf-8">\n<meta name="tumbra-release" content="2">'));
  } else if (change === 'code') {
    const changed = path.join(web, 'tumbra.js');
    fs.writeFileSync(changed, fs.readFileSync(script, 'utf8') + '\nvar tumbraRelease = "2";\n');
    script = changed;
  }
  execFileSync('cmake', [`-DWEB=${web}`, `-DSCRIPT=${script}`,
                         `-DDESIGN=${path.join(sources, 'src/app/form1_design.h')}`,
                         `-DICON=${path.join(sources, 'data/icons/org.tumbra.Tumbra.svg')}`,
                         `-DOUT=${dir}`, '-P', path.join(web, 'assemble_page.cmake')]);
  fs.rmSync(web, {recursive: true});
  for (const name of fs.readdirSync(dir)) {
    fs.utimesSync(path.join(dir, name), time / 1000, time / 1000);
  }
}
const releaseShown = () =>
  document.querySelector('meta[name="tumbra-release"]')?.content ?? window.tumbraRelease ?? '1';

// Every case opens the page afresh, served over http, in a 640 × 360
// viewport, and begins once level 1 shows.
const cases = {
  async 'level 1 by the typical road, the box, a press under it, Escape'(page) {
    let expected = LEVEL1_START;
    expect(await block(page, 26), LEVEL1_GOAL, 'level 1: goal');
    await spokenNames(page, 'level 1');
    await placed(page, 'level 1');
    const road = [[1, 'left'], [3, 'left'], [2, 'right'], [4, 'right']];
    for (const [n, [button, mouse]] of road.entries()) {
      expected = turned(expected, button, mouse);
      await press(page, button, mouse, expected, `press ${n + 1}`);
      if (n < 3) {
        expect(await tries(page), ` ${n + 1}/ 4`, `press ${n + 1}: Tries`);
        await spokenNames(page, `after press ${n + 1}`);
      }
    }
    await boxOpen(page);
    const box = await page.evaluate(() => {
      const d = document.querySelector('dialog[open]');
      return {
        role: d.tagName,
        title: d.querySelector('h2').textContent,
        named: document.getElementById(d.getAttribute('aria-labelledby'))?.textContent,
        text: d.querySelector('p').textContent,
        buttons: [...d.querySelectorAll('button')].map((b) => b.textContent).join(' '),
        focused: document.activeElement?.textContent,
      };
    });
    expect(box.title, 'Finished', 'box title');
    expect(box.named, 'Finished', 'box accessible name');
    expect(box.text, 'You beat the level with minimum tries! Prepare for level 2', 'box text');
    expect(box.buttons, 'OK Cancel', 'box buttons');
    expect(box.focused, 'OK', 'focus in the box');
    // The box is modal: a press on the window beneath reaches nothing.
    await press(page, 1, 'left');
    await press(page, 5, 'right');
    expect(await board(page), LEVEL1_GOAL, 'board under the open box');
    expect(await tries(page), ' 4/ 4', 'Tries under the open box');
    await page.key('Escape');
    await boxGone(page);
    await levelShown(page, LEVEL2_START, ' 0/ 6', 'level 2 after Escape');
    await spokenNames(page, 'level 2');
  },

  async 'the middle button and the keyboard turn nothing; Reset starts over'(page) {
    await press(page, 5, 'middle', LEVEL1_START, 'the middle button');
    await page.focus('[data-control="Turn 1"]');
    for (const key of [' ', 'Enter']) await page.key(key);
    expect(await board(page), LEVEL1_START, 'after keys on Turn 1');
    expect(await tries(page), ' 0/ 4', 'Tries after the middle button and keys');
    await press(page, 2, 'left', turned(LEVEL1_START, 2, 'left'), 'a turn');
    await page.click(...await centre(page, 'Reset 0'));
    await levelShown(page, LEVEL1_START, ' 0/ 4', 'level 1 after Reset');
    await press(page, 2, 'left', turned(LEVEL1_START, 2, 'left'), 'a turn');
    await page.focus('[data-control="Reset 0"]');
    await page.key('Enter');
    await levelShown(page, LEVEL1_START, ' 0/ 4', 'level 1 after Reset by key');
  },

  // Every level by a shortest solution, as tumbra-solve prints them: the
  // box each ends with, the critical-stop icon and its single OK where the
  // minimum is beaten, and level 1 again after level 6.
  async 'every level to its box, and level 1 after the last'(page) {
    const error = 'ERROR ON PORT 3240.23409! Tumbra has performed an ' +
        'illegal error. Contact Zadoquin immediately.';
    for (const [n, {start, minimum, shortest: presses}] of game.levels.entries()) {
      const tries = presses.split(' ').length;
      const [title, text] = tries < minimum ? ['Error', error] : ['Finished',
          `You beat the level with minimum tries! Prepare for level ${n + 2}`];
      await levelShown(page, start, ` 0/ ${minimum}`, `level ${n + 1}`);
      await play(page, presses);
      await boxOpen(page);
      const box = await page.evaluate(() => {
        const d = document.querySelector('dialog[open]');
        return {
          title: d.querySelector('h2').textContent,
          text: d.querySelector('p > span:last-child').textContent,
          icon: d.querySelector('.critical')?.getAttribute('aria-label') ?? '',
          buttons: [...d.querySelectorAll('button')].map((b) => b.textContent).join(' '),
        };
      });
      const critical = title === 'Error';
      expect(box.title, title, `level ${n + 1}: box title`);
      expect(box.text, text, `level ${n + 1}: box text`);
      expect(box.icon, critical ? 'Critical stop' : '', `level ${n + 1}: icon`);
      expect(box.buttons, critical ? 'OK' : 'OK Cancel', `level ${n + 1}: buttons`);
      await page.key('Enter');
      await boxGone(page);
    }
    await levelShown(page, LEVEL1_START, ' 0/ 4', 'level 1 after level 6');
  },

  // Up to a 4K screen and down to a phone on its side: the largest window
  // that fits with a small margin, centred, in the designed shape.
  async 'the window fills every screen, centred and in its shape'(page) {
    for (const [width, height] of [[1920, 1080], [3840, 2160], [360, 640],
                                   [640, 360], [240, 120], [417, 161]]) {
      await page.viewport(width, height);
      const seen = await page.waitFor((w, h) => {
        const r = document.querySelector('.window').getBoundingClientRect();
        const fill = Math.max(r.width / (w - 16), r.height / (h - 16));
        return Math.abs(fill - 1) < 0.01 && {x: r.x, y: r.y, width: r.width, height: r.height,
                                             w: innerWidth, h: innerHeight};
      }, width, height).catch(() => null);
      check(seen, `${width} × ${height}: the window does not fill the page`);
      const what = `${width} × ${height}`;
      check(Math.abs(seen.width / seen.height - 417 / 161) < 0.01, `${what}: shape`);
      check(Math.abs(seen.x * 2 + seen.width - seen.w) <= 1.5 &&
            Math.abs(seen.y * 2 + seen.height - seen.h) <= 1.5, `${what}: not centred`);
      await placed(page, what);
    }
    await page.viewport(640, 360);
    await press(page, 1, 'left', turned(LEVEL1_START, 1, 'left'), 'a turn after the resizes');
  },

  // A tap is the left button, a touch held for half a second the right;
  // a touch that slides off before it ends turns nothing; none turns twice;
  // no double tap zooms.
  async 'touch: a tap, a hold and a slide-off, each at most once'(page) {
    const touch = (control, steps) => page.evaluate(async (control, steps) => {
      const el = document.querySelector(`[data-control="${control}"]`);
      const r = el.getBoundingClientRect();
      for (const s of steps) {
        await new Promise((done) => setTimeout(done, s.wait ?? 0));
        el.dispatchEvent(new PointerEvent(`pointer${s.type}`, {
          pointerId: 7, pointerType: 'touch', isPrimary: true, bubbles: true,
          cancelable: true, button: s.type === 'move' ? -1 : 0,
          buttons: s.type === 'up' ? 0 : 1,
          clientX: r.x + r.width / 2 + (s.dx ?? 0), clientY: r.y + r.height / 2}));
      }
      await new Promise((done) => setTimeout(done, 100));
    }, control, steps);
    let expected = LEVEL1_START;
    await touch('Turn 1', [{type: 'down'}, {type: 'up', wait: 50}]);
    expected = turned(expected, 1, 'left');
    expect(await board(page), expected, 'a tap');
    await touch('Turn 2', [{type: 'down'}, {type: 'up', wait: 700}]);
    expected = turned(expected, 2, 'right');
    expect(await board(page), expected, 'a touch held');
    await touch('Turn 3', [{type: 'down'}, {type: 'move', dx: 200, wait: 50},
                           {type: 'up', dx: 200, wait: 50}]);
    await touch('Turn 4', [{type: 'down'}, {type: 'move', dx: 200, wait: 50},
                           {type: 'move', dx: 0, wait: 50}, {type: 'up', wait: 700}]);
    expect(await board(page), expected, 'touches that slid off');
    expect(await tries(page), ' 2/ 4', 'Tries after four touches');
    const actions = await page.evaluate(() => [
      getComputedStyle(document.documentElement).touchAction,
      getComputedStyle(document.querySelector('.window')).touchAction]);
    expect(actions.join(' '), 'manipulation none', 'touch-action of the page and window');
  },

  // The count is a polite live region, changed once a turn.
  async 'the tries count is a live region, changed once a turn'(page) {
    await page.evaluate(() => {
      window.changes = 0;
      new MutationObserver((records) => { window.changes += records.length; })
          .observe(document.querySelector('[data-control="Tries 0"]'),
                   {childList: true, characterData: true, subtree: true});
    });
    await press(page, 1, 'left');
    await press(page, 5, 'middle');
    await page.waitFor(() => window.changes > 0);
    const seen = await page.evaluate(() => {
      const tries = document.querySelector('[data-control="Tries 0"]');
      return [tries.getAttribute('role'), tries.getAttribute('aria-live') ?? 'polite',
              window.changes, tries.textContent];
    });
    expect(seen.join('|'), 'status|polite|1| 1/ 4', 'role, politeness, changes and text');
  },

  // The Error box, with its icon the widest, wholly in view on a 240 × 120
  // screen and on a phone held upright, its text there at 14 pixels at
  // least; on a touch screen its buttons 44 pixels tall at least.
  async 'the box fits a 240 × 120 screen and a phone, made for fingers'(page, engine) {
    const coarse = Boolean(engine.touchScreen);
    for (const [width, height] of [[240, 120], [360, 640]]) {
      const screen = `${width} × ${height}`;
      await page.viewport(width, height, coarse);  // may load the page again
      await page.waitFor(started);
      await page.focus('[data-control="Reset 0"]');
      await page.key('Enter');
      await levelShown(page, LEVEL1_START, ' 0/ 4', `${screen}: level 1`);
      await play(page, 'L4 L2 R3 R1');
      await boxOpen(page);
      await page.key('Enter');
      await boxGone(page);
      await play(page, 'L1 R2 L3 L4 R5');  // level 2 in five: the Error box
      await boxOpen(page);
      await page.waitFor(() => Boolean(document.querySelector('dialog[open] .critical')));
      const parts = await page.evaluate(() => [...document.querySelectorAll(
          'dialog[open], dialog[open] h2, dialog[open] p, dialog[open] button')].map((e) => {
        const r = e.getBoundingClientRect();
        return {what: e.tagName, left: r.left, top: r.top, right: r.right, bottom: r.bottom,
                height: r.height, font: parseFloat(getComputedStyle(e).fontSize),
                coarse: matchMedia('(pointer: coarse)').matches};
      }));
      for (const p of parts) {
        check(p.left >= 0 && p.top >= 0 && p.right <= width && p.bottom <= height,
              `${screen}: ${p.what} reaches out of the screen: ${JSON.stringify(p)}`);
        check(width < 320 || p.font >= 14, `${screen}: ${p.what} in ${p.font} pixel text`);
      }
      if (coarse) {
        for (const p of parts.filter((p) => p.what === 'BUTTON')) {
          check(p.coarse && p.height >= 44, `${screen}: a box button ${p.height} pixels tall`);
        }
      }
      await page.key('Enter');
      await boxGone(page);
      await page.waitFor(() => document.querySelector('[data-control="Tries 0"]')
          ?.textContent === ' 0/ 8');
    }
  },

  async 'nothing on the console and no request beyond the page'(page) {
    await press(page, 1, 'left');
    const requests = await page.evaluate(() => performance.getEntriesByType('resource')
        .map((e) => e.name)
        .filter((url) => !url.startsWith('data:') && !url.startsWith(location.origin)));
    expect(requests.join(' '), '', 'requests beyond the page and its server');
    expect(page.errors.join('; '), '', 'console');
  },
};

// Cases that open their pages themselves.
const whole = {
  async 'from the disk: plays alone, with no manifest or worker fetched'(engine) {
    const page = await engine.open();
    try {
      await page.viewport(640, 360);
      // As built, before the game starts, the page shows level 1 in place
      // and named, and takes no press.
      const unstarted = path.join(os.tmpdir(), `tumbra-unstarted-${process.pid}.html`);
      fs.writeFileSync(unstarted, fs.readFileSync(page_file, 'utf8')
          .replace(/<script>(?![\s\S]*<script>)[\s\S]*<\/script>/, ''));
      await page.goto(`file://${unstarted}`);
      fs.unlinkSync(unstarted);
      expect(await block(page, 1) + await block(page, 26) + await tries(page),
          LEVEL1_START + LEVEL1_GOAL + ' 0/ 4', 'the page as built');
      await spokenNames(page, 'the page as built');
      await placed(page, 'the page as built');
      check(await page.evaluate(() => document.querySelector('.window').hasAttribute('inert')),
          'the page as built takes presses before the game starts');
      await page.goto(`file://${page_file}`);
      await levelShown(page, LEVEL1_START, ' 0/ 4', 'level 1 from file://');
      await press(page, 1, 'left', turned(LEVEL1_START, 1, 'left'), 'a turn from file://');
      const asked = await page.evaluate(async () => [
        document.querySelector('link[rel="manifest"]') ? 'a manifest' : '',
        await navigator.serviceWorker?.getRegistrations()
            .then((all) => all.length ? 'a worker' : '', () => ''),
        ...performance.getEntriesByType('resource').map((e) => e.name)
            .filter((url) => !url.startsWith('data:'))].filter(Boolean));
      expect(asked.join(' '), '', 'what the page asked for');
    } finally {
      await page.close();
    }
  },

  // In forced colours (High Contrast) the circles keep their level colours
  // and Tries its red on green; in every scheme the buttons' edge stands out
  // from the page by 3 : 1.
  async 'colours: forced colours keep the game\'s, button edges 3 : 1 in every scheme'(engine) {
    let tried = 0;
    for (const scheme of ['light', 'dark', 'forced']) {
      const page = await engine.open(scheme);
      if (page === null) continue;
      ++tried;
      try {
        await page.goto(`file://${page_file}`);
        await levelShown(page, LEVEL1_START, ' 0/ 4', `level 1, ${scheme}`);
        const seen = await page.evaluate(() => {
          const style = (s) => getComputedStyle(document.querySelector(s));
          return {forced: matchMedia('(forced-colors: active)').matches,
                  page: getComputedStyle(document.body).backgroundColor,
                  edges: [...document.querySelectorAll('button')].map(
                      (b) => getComputedStyle(b).borderTopColor),
                  tries: [style('.tries').backgroundColor, style('.tries').color],
                  circle: style('.circle').borderTopColor,
                  // The browser's own bars take the page's colour.
                  theme: (() => {
                    const meta = [...document.querySelectorAll('meta[name="theme-color"]')]
                        .find((m) => matchMedia(m.media || 'all').matches);
                    const probe = document.createElement('i');
                    probe.style.color = meta?.content ?? 'transparent';
                    document.body.append(probe);
                    const colour = getComputedStyle(probe).color;
                    probe.remove();
                    return colour;
                  })()};
        });
        if (scheme === 'forced') check(seen.forced, 'forced colours are not active');
        else expect(seen.theme, seen.page, `${scheme}: the theme colour`);
        expect(seen.tries.join(' '), `${GREEN} ${RED}`, `${scheme}: Tries`);
        for (const edge of seen.edges) {
          check(contrast(edge, seen.page) >= 3,
                `${scheme}: a button's edge ${edge} on the page's ${seen.page}`);
        }
        check(contrast(seen.circle, seen.page) >= 3, `${scheme}: circle outline`);
        await spokenNames(page, scheme);  // the level's colours on the circles
      } finally {
        await page.close();
      }
    }
    console.log(`  ${engine.name}: ${tried} of 3 colour schemes could be asked for`);
  },

  // Served: Chromium finds the page installable; after one visit the game
  // loads and plays with the network off.
  async 'served: installable, and plays offline after one visit'(engine) {
    const server = await serve(path.dirname(page_file));
    const page = await engine.open();
    try {
      await page.viewport(640, 360);
      await page.goto(server.url('tumbra.html'));
      await levelShown(page, LEVEL1_START, ' 0/ 4', 'served');
      await page.waitFor(async () => {
        const r = await navigator.serviceWorker.getRegistration();
        return r?.active?.state === 'activated';
      });
      if (engine.devtools) {
        const cdp = await page.cdp();
        const {installabilityErrors} = await cdp.send('Page.getInstallabilityErrors');
        expect(installabilityErrors.map((e) => e.errorId).join(' '), '',
               'what keeps the page from being installed');
        const {url, errors} = await cdp.send('Page.getAppManifest');
        check(url.endsWith('tumbra.webmanifest') && errors.length === 0,
              `manifest ${url}: ${JSON.stringify(errors)}`);
      }
      const address = server.url('tumbra.html');
      await server.stop();
      await page.goto(address);
      await levelShown(page, LEVEL1_START, ' 0/ 4', 'offline');
      await press(page, 1, 'left', turned(LEVEL1_START, 1, 'left'), 'a turn offline');
    } finally {
      await page.close();
      await server.stop();
    }
  },

  // A new release reaches a copy kept for offline play: a change to the page
  // alone and a change to the code, each published with a newer and with
  // an older date than the first release's, shows by the third visit after
  // it is published. Another app's cache on the same host stays, and the
  // game plays offline afterwards.
  async 'served: every new release reaches the kept copy by the third visit'(engine) {
    const day = 24 * 3600 * 1000;
    for (const [change, age] of [['page', 0], ['page', 200], ['code', 0], ['code', 200]]) {
      const what = `the ${change} changed, dated ${age} days back`;
      const site = fs.mkdtempSync(path.join(os.tmpdir(), 'tumbra-site-'));
      publish(site, null, Date.now() - 100 * day);
      const server = await serve(site);
      const address = server.url('tumbra.html');
      const page = await engine.open();
      try {
        await page.viewport(640, 360);
        // The port may be one an earlier server had: nothing of what that
        // origin kept then may stand in for this release.
        await page.goto(address);
        await page.evaluate(async () => {
          for (const r of await navigator.serviceWorker.getRegistrations()) await r.unregister();
          for (const name of await caches.keys()) await caches.delete(name);
        });
        await page.goto(address);
        await levelShown(page, LEVEL1_START, ' 0/ 4', `${what}: first visit`);
        const first = await page.waitFor(async () => {
          const r = await navigator.serviceWorker.getRegistration();
          const kept = (await caches.keys()).filter((n) => n.startsWith('tumbra-'));
          return r?.active?.state === 'activated' && kept.length === 1 && kept[0];
        });
        await page.evaluate(async () => {
          await (await caches.open('another-app')).put('/another', new Response('kept'));
        });
        publish(site, change, Date.now() - age * day);
        let seen;
        for (let visit = 2; visit <= 3; ++visit) {
          await page.goto(address);
          await levelShown(page, LEVEL1_START, ' 0/ 4', `${what}: visit ${visit}`);
          seen = await page.evaluate(releaseShown);
          if (visit === 2) {
            // The new worker installs and takes over while the level goes on.
            await page.waitFor(async (first) => {
              const kept = (await caches.keys()).filter((n) => n.startsWith('tumbra-'));
              return kept.length === 1 && kept[0] !== first;
            }, first).catch(() => {
              throw new Failed(`${what}: the new release was not kept during the second visit`);
            });
          }
        }
        expect(seen, '2', `${what}: the release on the third visit`);
        expect(await page.evaluate(async () => String(await caches.has('another-app'))),
               'true', `${what}: another app's cache`);
        await server.stop();
        await page.goto(address);
        await levelShown(page, LEVEL1_START, ' 0/ 4', `${what}: offline`);
        expect(await page.evaluate(releaseShown), '2', `${what}: the release offline`);
        await press(page, 1, 'left', turned(LEVEL1_START, 1, 'left'), `${what}: a turn offline`);
      } finally {
        await page.close();
        await server.stop();
        fs.rmSync(site, {recursive: true, force: true});
      }
    }
  },

  // A script and a picture from another origin, put into the page, are
  // refused by its policy before any request leaves.
  async 'the page\'s policy refuses a script and an image from elsewhere'(engine) {
    const server = await serve(path.dirname(page_file));
    const elsewhere = await serve(path.dirname(page_file));
    const page = await engine.open();
    try {
      await page.goto(server.url('tumbra.html'));
      await levelShown(page, LEVEL1_START, ' 0/ 4', 'served');
      const refused = await page.evaluate(async (script, image) => {
        const seen = [];
        document.addEventListener('securitypolicyviolation',
                                  (e) => seen.push(e.effectiveDirective));
        const s = document.createElement('script');
        s.src = script;
        const i = document.createElement('img');
        i.src = image;
        document.body.append(s, i);
        await new Promise((done) => setTimeout(done, 500));
        return [...new Set(seen)].sort().join(' ') + (window.injected ? ' ran' : '');
      }, elsewhere.url('tumbra-sw.js'), elsewhere.url('tumbra.svg'));
      expect(refused, 'img-src script-src-elem', 'what the policy refused');
      expect(elsewhere.asked.join(' '), '', 'requests that reached the other origin');
    } finally {
      await page.close();
      await server.stop();
      await elsewhere.stop();
    }
  },
};

async function main() {
  let passed = 0;
  let failed = 0;
  // A browser that died under the case (WebKitGTK's MiniBrowser now and
  // then, on a busy machine) says nothing of the page: the case runs once
  // more in a new one, and the log says so. A failed check fails at once.
  const report = async (name, run) => {
    for (let attempt = 1; ; ++attempt) {
      try {
        await run();
        console.log(`PASS ${name}`);
        ++passed;
        return;
      } catch (error) {
        if (attempt === 1 && /invalid session id/.test(error.message)) {
          console.log(`  ${name}: the browser was lost (${error.message}); once more`);
          continue;
        }
        console.log(`FAIL ${name}: ${error.message}`);
        ++failed;
        return;
      }
    }
  };
  const server = await serve(path.dirname(page_file));
  try {
    for (const name of chosen) {
      let engine;
      try {
        engine = await engines[name]();
      } catch (error) {
        await report(`${name}: the browser could not be driven`, () => { throw error; });
        continue;
      }
      try {
        for (const [title, run] of Object.entries(cases)) {
          await report(`${engine.name}: ${title}`, async () => {
            const page = await engine.open();
            try {
              await page.viewport(640, 360);
              await page.goto(server.url('tumbra.html'));
              expect(await page.title(), 'Tumbra!', 'page title');
              await levelShown(page, LEVEL1_START, ' 0/ 4', 'level 1');
              await run(page, engine);
            } finally {
              await page.close();
            }
          });
        }
        for (const [title, run] of Object.entries(whole)) {
          await report(`${engine.name}: ${title}`, () => run(engine));
        }
      } finally {
        await engine.close();
      }
    }
  } finally {
    await server.stop();
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log(`FAIL the browsers could not be driven: ${error.message}`);
  console.log('0 passed, 1 failed');
  process.exit(1);
});
