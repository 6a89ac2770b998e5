// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Cases on a page opened afresh at level 1: presses and the box, keys,
// every level, the window's fit, touch, the live region, the box on small
// screens, and the console.
import {
  game, LEVEL1_START, LEVEL1_GOAL, LEVEL2_START, turned, expect, check, block, board,
  tries, centre, press, spokenNames, placed, boxOpen, boxShown, boxGone, started,
  levelShown, play
} from './page_checks.mjs';

// Every case opens the page afresh, served over http, in a 640 × 360
// viewport, and begins once level 1 shows.
export const playCases = {
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
    const box = await boxShown(page);
    expect(box.title, 'Finished', 'box title');
    expect(box.named, 'Finished', 'box accessible name');
    expect(box.text, 'You beat the level with minimum tries! Prepare for level 2', 'box text');
    expect(box.described, box.text, 'box accessible description');
    expect(box.icon, '', 'box icon');
    expect(box.buttons, 'OK Cancel', 'box buttons');
    expect(box.focused, 'the box', 'focus in the box');
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
      const box = await boxShown(page);
      const critical = title === 'Error';
      expect(box.title + box.named, title + title, `level ${n + 1}: box title and name`);
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
    // The last size is the one pressed on, once the window has filled it.
    for (const [width, height] of [[1920, 1080], [3840, 2160], [360, 640],
                                   [240, 120], [417, 161], [640, 360]]) {
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
    // WebKitGTK's page is opened afresh at each size: it takes a press
    // once the game has started.
    await page.waitFor(started);
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

  // Each turn is said once, in the words every window gives: an alert of
  // the tries, which a screen reader says unasked.
  async 'the tries are said once a turn, in words'(page) {
    await page.evaluate(() => {
      window.alerts = [];
      new MutationObserver((records) => records.forEach((r) => r.addedNodes.forEach(
          (n) => window.alerts.push(`${n.getAttribute('role')} ${n.textContent}`))))
          .observe(document.getElementById('tumbra-said'), {childList: true});
    });
    await press(page, 1, 'left');
    await press(page, 5, 'middle');
    await page.waitFor(() => window.alerts.length > 0);
    expect((await page.evaluate(() => window.alerts)).join('|'),
           'alert 1 try made; the minimum for this level is 4', 'what was said');
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
    if (page.errors === null) {
      console.log('  no console to read in this engine: checked in the others');
    } else {
      expect(page.errors.join('; '), '', 'console');
    }
  },
};
