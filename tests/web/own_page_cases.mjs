// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Cases that open their pages themselves: from the disk and as built,
// in every colour scheme, a page that cannot start, and the page's policy.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {
  page_file, RED, GREEN, LEVEL1_START, LEVEL1_GOAL, turned, Failed, expect,
  check, block, tries, rect, press, spokenNames, placed, levelShown, contrast
} from './page_checks.mjs';
import {withPage} from './engines.mjs';

// Cases that open their pages themselves.
export const ownPageCases = {
  'from the disk: plays alone, with no manifest or worker fetched': (engine) =>
    withPage(engine, async (page) => {
      await page.viewport(640, 360);
      // As built, before the game starts, the page shows level 1 in place
      // and named, fitted to the screen as the game will show it, and takes
      // no press.
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
      const built = JSON.stringify(await rect(page, '.window'));
      await page.goto(`file://${page_file}`);
      await levelShown(page, LEVEL1_START, ' 0/ 4', 'level 1 from file://');
      expect(JSON.stringify(await rect(page, '.window')), built, 'the window once the game shows it');
      await press(page, 1, 'left', turned(LEVEL1_START, 1, 'left'), 'a turn from file://');
      const asked = await page.evaluate(async () => [
        document.querySelector('link[rel="manifest"]') ? 'a manifest' : '',
        await navigator.serviceWorker?.getRegistrations()
            .then((all) => all.length ? 'a worker' : '', () => ''),
        ...performance.getEntriesByType('resource').map((e) => e.name)
            .filter((url) => !url.startsWith('data:'))].filter(Boolean));
      expect(asked.join(' '), '', 'what the page asked for');
    }),

  // In forced colours (High Contrast) the circles keep their level colours
  // and Tries its red on green; in every scheme the buttons' edge stands out
  // from the page by 3 : 1.
  async 'colours: forced colours keep the game\'s, button edges 3 : 1 in every scheme'(engine) {
    let tried = 0;
    for (const scheme of ['light', 'dark', 'forced']) {
      tried += await withPage(engine, async (page) => {
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
      }, scheme);
    }
    console.log(`  ${engine.name}: ${tried} of 3 colour schemes could be asked for`);
  },

  // A page that cannot start says so in the window within two seconds, in
  // plain words, with what would help: its packed code damaged, its module
  // damaged, or a browser without what the game needs.
  async 'a page that cannot start says why, and what will help'(engine) {
    const built = fs.readFileSync(page_file, 'utf8');
    const damage = (id) => (html) => html.replace(
        new RegExp(`(<script type="text/plain" id="${id}">)[^<]*`), '$1AAAAdamaged');
    const plants = {
      'damaged code': [damage('tumbra-code'), 'This copy of the game\'s file is damaged.'],
      'a damaged module': [damage('tumbra-module'), 'This copy of the game\'s file is damaged.'],
      'an old browser': [(html) => html
          .replace(/<meta http-equiv="Content-Security-Policy"[^>]*>/, '')
          .replace('<script>', '<script>window.DecompressionStream = undefined;</script><script>'),
      'This browser lacks what the game needs'],
    };
    for (const [what, [plant, says]] of Object.entries(plants)) {
      const planted = path.join(os.tmpdir(), `tumbra-planted-${process.pid}.html`);
      fs.writeFileSync(planted, plant(built));
      await withPage(engine, async (page) => {
        await page.goto(`file://${planted}`);
        const note = await page.waitLonger(2000, () =>
            document.querySelector('#tumbra-cannot-start[role="alert"]')?.textContent)
            .catch(() => { throw new Failed(`${what}: nothing said within 2 seconds`); });
        check(note.startsWith('The game could not start.') && note.includes(says),
              `${what}: the page said "${note}"`);
      }).finally(() => fs.rmSync(planted, {force: true}));
    }
  },

  // A script and a picture from another origin, put into the page, are
  // refused by its policy before any request leaves.
  async 'the page\'s policy refuses a script and an image from elsewhere'(engine, server) {
    const elsewhere = {host: 'localhost'};  // another origin, on the same server
    await withPage(engine, async (page) => {
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
      }, server.url('injected.js', elsewhere), server.url('tumbra.svg', elsewhere));
      expect(refused, 'img-src script-src-elem', 'what the policy refused');
      expect(server.asked.filter((a) => a.startsWith('localhost ')).join(' '), '',
             'requests that reached the other origin');
    });
  },
};
