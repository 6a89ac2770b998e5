// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The browser's page against its floors: the size of what `make web`
// writes, the time from navigation to the painted board in Chromium against
// a static page holding the same elements with no script (taken in
// alternation in one run), and in each of the three engines the time a
// press takes from the button going down to the frame that shows the turn.
// Prints a Markdown table.
//
//   node bench/web_bench.mjs build-web/tumbra.html [ROUNDS]
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import {createRequire} from 'node:module';

const here = path.dirname(new URL(import.meta.url).pathname);
const require = createRequire(path.join(here, '../tests/web/package.json'));
const puppeteer = (await import(require.resolve('puppeteer-core'))).default;
const {engines} = await import(path.join(here, '../tests/web/engines.mjs'));

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

const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium',
  headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update',
         '--disable-sync', '--allow-file-access-from-files'],
});
try {
  // The floor: the page as the game leaves it after the first load, its
  // scripts taken out.
  const page = await browser.newPage();
  await page.setViewport({width: 640, height: 360});
  await page.goto(`file://${page_file}`);
  await page.waitForSelector('[data-control="Piece 50"]');
  const still = await page.evaluate(() => {
    document.querySelectorAll('script').forEach((s) => s.remove());
    return '<!DOCTYPE html>\n' + document.documentElement.outerHTML;
  });
  const elements = await page.evaluate(
      () => document.querySelectorAll('.window, .window *').length);
  const static_file = path.join(path.dirname(page_file), 'static-floor.html');
  fs.writeFileSync(static_file, still);

  const painted = async (file) => {
    await page.goto(`file://${file}`);
    await page.waitForSelector('[data-control="Piece 50"]');
    return page.evaluate(() => new Promise((resolve) => {
      const find = () => performance.getEntriesByName('first-contentful-paint')[0];
      const wait = () => find() ? resolve(find().startTime) : setTimeout(wait, 5);
      wait();
    }));
  };
  for (let i = 0; i < 3; ++i) {  // warm the disk cache and the browser
    await painted(page_file);
    await painted(static_file);
  }
  const game = [], floor = [];
  for (let i = 0; i < rounds; ++i) {
    game.push(await painted(page_file));
    floor.push(await painted(static_file));
  }
  fs.unlinkSync(static_file);

    const html = fs.readFileSync(page_file);
  const g = summary(game), f = summary(floor);
  // Everything `make web` writes for a web server to offer.
  const files = ['tumbra.html', 'tumbra.webmanifest', 'tumbra-sw.js', 'tumbra.svg']
      .map((name) => fs.readFileSync(path.join(path.dirname(page_file), name)));
  const all = Buffer.concat(files);
  console.log('## The browser\'s page (alternated)\n');
  console.log('| figure | page, median (min–max) | floor, median (min–max) | ratio |');
  console.log('|---|---|---|---|');
  console.log(`| the page alone | ${(html.length / 1000).toFixed(1)} kB, ` +
              `${(zlib.gzipSync(html, {level: 9}).length / 1000).toFixed(1)} kB ` +
              `gzipped | | |`);
  console.log(`| all ${files.length} files make web writes | ${(all.length / 1000).toFixed(1)} kB | ` +
              `100 kB at most | |`);
  console.log(`| Chromium: navigation to painted board (${rounds} runs each) | ` +
              `${fmt(g, 'ms')} | static page, same ${elements} elements, ` +
              `${fmt(f, 'ms')} | ${(g.median / f.median).toFixed(2)} |`);
} finally {
  await browser.close();
}

// A press, in each engine: from the mouse button going down to the frame
// after the turn, timed inside the page.
for (const name of Object.keys(engines)) {
  const engine = await engines[name]();
  try {
    const page = await engine.open();
    await page.viewport(640, 360);
    await page.goto(`file://${page_file}`);
    await page.waitFor(() => document.querySelector('[data-control="Tries 0"]')
        ?.textContent === ' 0/ 4');
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

