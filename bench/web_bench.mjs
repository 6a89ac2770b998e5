// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The browser's page against its floors: the size of what `make web`
// writes; in each of the three engines, the time from navigation to the
// painted board against the same page with no script (taken in alternation
// in one run), and the time a press takes from the button going down to
// the frame that shows the turn.
// Prints a Markdown table.
//
//   node bench/web_bench.mjs build-web/tumbra.html [ROUNDS]
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

const here = path.dirname(new URL(import.meta.url).pathname);
const {engines} = await import(path.join(here, '../tests/web/engines.mjs'));
const {published} = await import(path.join(here, '../tests/web/static_host.mjs'));

const page_file = path.resolve(process.argv[2] ?? 'build-web/tumbra.html');
const rounds = Number(process.argv[3] ?? 25);

function summary(values) {
  const v = [...values].sort((a, b) => a - b);
  const median = v.length % 2 ? v[(v.length - 1) / 2]
                              : (v[v.length / 2 - 1] + v[v.length / 2]) / 2;
  return {median, low: v[0], high: v[v.length - 1]};
}
const fmt = (s, unit) =>
    `${s.median.toFixed(1)} ${unit} (${s.low.toFixed(1)}–${s.high.toFixed(1)})`;

// The floor: the page as built, its first board in it, with no script.
const html = fs.readFileSync(page_file, 'utf8');
const static_file = path.join(path.dirname(page_file), 'static-floor.html');
fs.writeFileSync(static_file, html.replace(/<script\b[\s\S]*?<\/script>/g, ''));
const elements = (html.match(/<div class="window[\s\S]*?<\/main>/)[0]
    .match(/<(div|button)\b/g) ?? []).length;

// Navigation to the first contentful paint, which on the game's page is the
// board itself; null where the engine reports no paint timing.
async function painted(page, file) {
  await page.goto(`file://${file}`);
  return page.evaluate(() => new Promise((resolve) => {
    const end = performance.now() + 3000;
    const wait = () => {
      const entry = performance.getEntriesByName('first-contentful-paint')[0];
      if (entry || performance.now() > end) resolve(entry ? entry.startTime : null);
      else setTimeout(wait, 5);
    };
    wait();
  }));
}

// Everything `make web` writes for a web server to offer.
const files = published.map((name) => fs.readFileSync(path.join(path.dirname(page_file), name)));
const all = Buffer.concat(files);
console.log('## The browser\'s page (alternated)\n');
console.log('| figure | page, median (min–max) | floor, median (min–max) | ratio |');
console.log('|---|---|---|---|');
console.log(`| the page alone | ${(html.length / 1000).toFixed(1)} kB, ` +
            `${(zlib.gzipSync(html, {level: 9}).length / 1000).toFixed(1)} kB ` +
            `gzipped | | |`);
console.log(`| all ${files.length} files make web writes | ${(all.length / 1000).toFixed(1)} kB | ` +
            `100 kB at most | |`);

// A press, in each engine: from the mouse button going down to the frame
// after the turn, timed inside the page.
for (const name of Object.keys(engines)) {
  const engine = await engines[name]();
  try {
    const page = await engine.open();
    await page.viewport(640, 360);
    for (let i = 0; i < 3; ++i) {  // warm the disk cache and the browser
      await painted(page, page_file);
      await painted(page, static_file);
    }
    const game = [], floor = [];
    for (let i = 0; i < rounds; ++i) {
      game.push(await painted(page, page_file));
      floor.push(await painted(page, static_file));
    }
    if (game.includes(null) || floor.includes(null)) {
      console.log(`| ${engine.name}: navigation to painted board | ` +
                  'no paint timing reported | | |');
    } else {
      const g = summary(game), f = summary(floor);
      console.log(`| ${engine.name}: navigation to painted board (${rounds} runs ` +
                  `each) | ${fmt(g, 'ms')} | static page, same ${elements} elements, ` +
                  `${fmt(f, 'ms')} | ${(g.median / f.median).toFixed(2)} |`);
    }
    await page.goto(`file://${page_file}`);
    await page.waitFor(() => !document.getElementById('tumbra-stage')
        .hasAttribute('aria-busy'));
    // The time to the first frame after the press, and whether the turn
    // (its new count) is already in that frame.
    await page.evaluate(() => {
      window.pressTimes = [];
      window.inFirstFrame = 0;
      const tries = () => document.querySelector('[data-control="Tries 0"]').textContent;
      window.addEventListener('mousedown', (event) => {
        const down = event.timeStamp;
        const before = tries();
        requestAnimationFrame(() => {
          if (tries() !== before) ++window.inFirstFrame;
          setTimeout(() => window.pressTimes.push(performance.now() - down));
        });
      }, true);
    });
    const [x, y] = await page.evaluate(() => {
      const r = document.querySelector('[data-control="Turn 5"]').getBoundingClientRect();
      return [r.x + r.width / 2, r.y + r.height / 2];
    });
    for (let i = 0; i < 40; ++i) {
      const button = i % 2 ? 'left' : 'right';
      await page.mouse(x, y, button, 'down');
      await page.mouse(x, y, button, 'up');
    }
    await new Promise((r) => setTimeout(r, 200));
    const p = summary(await page.evaluate(() => window.pressTimes));
    const first = await page.evaluate(() => window.inFirstFrame);
    console.log(`| ${engine.name}: a press to the next frame (40 presses; the turn ` +
                `in that frame ${first} times) | ${fmt(p, 'ms')} | one frame, 16.7 ms | ` +
                `${(p.median / 16.7).toFixed(2)} |`);
    await page.close();
  } finally {
    await engine.close();
  }
}
fs.unlinkSync(static_file);
