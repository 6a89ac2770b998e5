// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The browser's page as a player meets it, in Debian's Chromium, headless:
// level 1 by the typical road with real mouse presses, the box and a press
// under it, Escape, other buttons and keys that turn nothing, Reset, every
// level to its box, and the page opened from the disk. The game's logic is the shared play
// scenarios' business; this checks what only the browser's window can get
// wrong.
//
//   node browser_test.mjs PATH/TO/tumbra.html
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const page_file = path.resolve(process.argv[2] ?? '../../build-web/tumbra.html');
const chromium = process.env.CHROMIUM ?? '/usr/bin/chromium';

const RED = 'rgb(255, 0, 0)';
const WHITE = 'rgb(255, 255, 255)';
const codes = {[WHITE]: '0', [RED]: '1'};

const LEVEL1_START = '00100' + '00000' + '10001' + '00000' + '00100';
const LEVEL1_GOAL = '10001' + '00000' + '00000' + '00000' + '10001';
const LEVEL2_START = '01110' + '10101' + '11011' + '10101' + '01110';

// The rings as the game's rules give them, written apart from its code:
// places R0 to R7 run clockwise from the group's top-left circle.
const corners = {1: 1, 2: 3, 3: 11, 4: 13, 5: 7};
function turned(board, button, mouse) {
  const c = corners[button];
  const ring = [0, 1, 2, 7, 12, 11, 10, 5].map((o) => c + o - 1);
  // Left turns 1 to 4 a quarter clockwise, 5 one place counter-clockwise.
  const shift = {left: button === 5 ? -1 : 2, right: button === 5 ? 1 : -2}[mouse];
  const cells = [...board];
  ring.forEach((at, k) => { cells[at] = board[ring[(k - shift + 8) % 8]]; });
  return cells.join('');
}

class Failed extends Error {}
function expect(seen, wanted, what) {
  if (seen !== wanted) throw new Failed(`${what}: expected ${wanted}, saw ${seen}`);
}

async function block(page, first) {
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

// What a screen reader hears of all 50 circles, against what they show:
// each named by its row and column in its block, then its colour.
async function spokenNames(page, what) {
  const circles = await page.evaluate(() =>
      [...Array(50).keys()].map((i) => {
        const c = document.querySelector(`[data-control="Piece ${i + 1}"]`);
        return [c.getAttribute('aria-label'), getComputedStyle(c).backgroundColor];
      }));
  const colours = {[WHITE]: 'white', [RED]: 'red', 'rgb(0, 0, 255)': 'blue',
                   'rgb(0, 255, 0)': 'green', 'rgb(255, 255, 0)': 'yellow',
                   'rgb(0, 0, 0)': 'black'};
  circles.forEach(([name, colour], i) => {
    const cell = i % 25;
    const wanted = `Row ${Math.floor(cell / 5) + 1}, column ${cell % 5 + 1}, ${colours[colour]}`;
    expect(name, wanted, `${what}: the name of circle ${i + 1}`);
  });
}
const tries = (page) => page.$eval('[data-control="Tries 0"]', (e) => e.textContent);

async function centre(page, control) {
  const box = await (await page.$(`[data-control="${control}"]`)).boundingBox();
  return [box.x + box.width / 2, box.y + box.height / 2];
}

// A press of `mouse` on Turn `button`: the turn must be on the screen
// before the button comes up again.
async function press(page, button, mouse, expected, what) {
  const [x, y] = await centre(page, `Turn ${button}`);
  await page.mouse.move(x, y);
  await page.mouse.down({button: mouse});
  if (expected !== undefined) {
    await page.waitForFunction(() => true);  // let the press be handled
    expect(await board(page), expected, `${what}, with the button still down`);
  }
  await page.mouse.up({button: mouse});
}

// A closed box leaves the page when its close event has run, and the game
// goes on from there; the box hides a moment earlier.
function gone(page) {
  return page.waitForFunction(() => !document.querySelector('dialog'),
                              {timeout: 5000});
}

async function levelShown(page, start, caption, what) {
  await page.waitForFunction(
      (caption) => document.querySelector('[data-control="Tries 0"]')
          ?.textContent === caption, {timeout: 5000}, caption)
      .catch(() => {});
  expect(await tries(page), caption, `${what}: Tries`);
  expect(await board(page), start, `${what}: board`);
}

function serve(dir) {
  return new Promise((resolve) => {
    const server = http.createServer((request, response) => {
      const file = path.join(dir, path.basename(new URL(request.url, 'http://x').pathname));
      fs.readFile(file, (error, data) => {
        response.writeHead(error ? 404 : 200, {'Content-Type': 'text/html'});
        response.end(error ? '' : data);
      });
    });
    server.listen(0, '127.0.0.1', () => resolve(server));
  });
}

const cases = {
  async 'level 1 by the typical road, the box, a press under it, Escape'(page) {
    let expected = LEVEL1_START;
    await levelShown(page, expected, ' 0/ 4', 'level 1');
    expect(await block(page, 26), LEVEL1_GOAL, 'level 1: goal');
    await spokenNames(page, 'level 1');
    const road = [[1, 'left'], [3, 'left'], [2, 'right'], [4, 'right']];
    for (const [n, [button, mouse]] of road.entries()) {
      expected = turned(expected, button, mouse);
      await press(page, button, mouse, expected, `press ${n + 1}`);
      if (n < 3) {
        expect(await tries(page), ` ${n + 1}/ 4`, `press ${n + 1}: Tries`);
        await spokenNames(page, `after press ${n + 1}`);
      }
    }
    expect(expected, LEVEL1_GOAL, 'the road ends on the goal');
    await page.waitForSelector('dialog[open]', {timeout: 5000});
    const box = await page.$eval('dialog[open]', (d) => ({
      title: d.querySelector('h2').textContent,
      named: document.getElementById(d.getAttribute('aria-labelledby'))?.textContent,
      text: d.querySelector('p').textContent,
      buttons: [...d.querySelectorAll('button')].map((b) => b.textContent).join(' '),
      focused: document.activeElement?.textContent,
    }));
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
    await page.keyboard.press('Escape');
    await gone(page);
    await levelShown(page, LEVEL2_START, ' 0/ 6', 'level 2 after Escape');
    await spokenNames(page, 'level 2');
  },

  async 'the middle button and the keyboard turn nothing; Reset starts over'(page) {
    await press(page, 5, 'middle', LEVEL2_START, 'the middle button');
    await page.focus('[data-control="Turn 1"]');
    for (const key of ['Space', 'Enter', 'NumpadEnter']) await page.keyboard.press(key);
    await page.waitForFunction(() => true);
    expect(await board(page), LEVEL2_START, 'after keys on Turn 1');
    expect(await tries(page), ' 0/ 6', 'Tries after the middle button and keys');
    const [x, y] = await centre(page, 'Reset 0');
    await page.mouse.click(x, y);
    await levelShown(page, LEVEL1_START, ' 0/ 4', 'level 1 after Reset');
    await press(page, 2, 'left', turned(LEVEL1_START, 2, 'left'), 'a turn');
    await page.focus('[data-control="Reset 0"]');
    await page.keyboard.press('Enter');
    await levelShown(page, LEVEL1_START, ' 0/ 4', 'level 1 after Reset by key');
  },
};

// Every level by a shortest solution, as tumbra-solve prints them: the box
// each ends with, the critical-stop icon and its single OK where the
// minimum is beaten, and level 1 again after level 6.
const solutions = [
  ['L4 L2 R3 R1', 'Finished',
   'You beat the level with minimum tries! Prepare for level 2'],
  ['L1 R2 L3 L4 R5', 'Error', ''], ['R3 R2 R4 R1 R4 R1 R5', 'Error', ''],
  ['L5 R2 R4 R3 R2 R1 R4 R3 R1 R5', 'Error', ''],
  ['R2 R4 R2 R3 L2 R1 L5', 'Error', ''],
  ['R5 L3 L4 L2 L3 R1 L4 R1 R1 L2 L1 R5', 'Error', ''],
];
const ERROR_TEXT = 'ERROR ON PORT 3240.23409! Tumbra has performed an ' +
    'illegal error. Contact Zadoquin immediately.';
const captions = [' 0/ 4', ' 0/ 6', ' 0/ 8', ' 0/ 99', ' 0/ 99', ' 0/ 99'];

cases['every level to its box, and level 1 after the last'] = async (page) => {
  await levelShown(page, LEVEL1_START, ' 0/ 4', 'level 1');
  for (const [n, [presses, title, text]] of solutions.entries()) {
    expect(await tries(page), captions[n], `level ${n + 1}: Tries`);
    for (const step of presses.split(' ')) {
      await press(page, Number(step[1]), step[0] === 'L' ? 'left' : 'right');
    }
    await page.waitForSelector('dialog[open]', {timeout: 5000});
    const box = await page.$eval('dialog[open]', (d) => ({
      title: d.querySelector('h2').textContent,
      text: d.querySelector('p > span:last-child').textContent,
      icon: d.querySelector('.critical')?.getAttribute('aria-label') ?? '',
      buttons: [...d.querySelectorAll('button')].map((b) => b.textContent).join(' '),
    }));
    const critical = title === 'Error';
    expect(box.title, title, `level ${n + 1}: box title`);
    expect(box.text, critical ? ERROR_TEXT : text, `level ${n + 1}: box text`);
    expect(box.icon, critical ? 'Critical stop' : '', `level ${n + 1}: icon`);
    expect(box.buttons, critical ? 'OK' : 'OK Cancel', `level ${n + 1}: buttons`);
    await page.keyboard.press('Enter');
    await gone(page);
  }
  await levelShown(page, LEVEL1_START, ' 0/ 4', 'level 1 after level 6');
};

async function main() {
  const browser = await puppeteer.launch({
    executablePath: chromium,
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
           '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--allow-file-access-from-files'],
  });
  const server = await serve(path.dirname(page_file));
  const address = `http://127.0.0.1:${server.address().port}/${path.basename(page_file)}`;
  let passed = 0;
  let failed = 0;
  const report = async (name, run) => {
    try {
      await run();
      console.log(`PASS ${name}`);
      ++passed;
    } catch (error) {
      console.log(`FAIL ${name}: ${error.message}`);
      ++failed;
    }
  };
  try {
    const page = await browser.newPage();
    const errors = [];
    page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    page.on('pageerror', (e) => errors.push(String(e)));
    // The page's own module is inline (a data: address); nothing else.
    page.on('request', (r) => {
      const url = r.url();
      if (url !== address && !url.startsWith('data:')) {
        errors.push(`a request for ${url.slice(0, 80)}`);
      }
    });
    await page.setViewport({width: 640, height: 360});
    await page.goto(address);
    expect(await page.title(), 'Tumbra!', 'page title');
    for (const [name, run] of Object.entries(cases)) await report(name, () => run(page));
    await report('nothing on the console and no request beyond the page', async () => {
      expect(errors.join('; '), '', 'console');
    });
    await report('the page plays from the disk', async () => {
      const local = await browser.newPage();
      await local.goto(`file://${page_file}`);
      await levelShown(local, LEVEL1_START, ' 0/ 4', 'level 1 from file://');
      await press(local, 1, 'left', turned(LEVEL1_START, 1, 'left'), 'a turn from file://');
    });
  } finally {
    server.close();
    await browser.close();
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
}

main().catch((error) => {
  console.log(`FAIL the browser could not be driven: ${error.message}`);
  console.log('0 passed, 1 failed');
  process.exit(1);
});
