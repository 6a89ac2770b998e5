// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// Cases that open their pages themselves: from the disk and as built,
// in every colour scheme, served and offline, new releases, and the
// page's policy.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {
  page_file, RED, GREEN, LEVEL1_START, LEVEL1_GOAL, turned, Failed, expect,
  check, block, tries, rect, press, spokenNames, placed, levelShown, contrast
} from './page_checks.mjs';
import {withPage} from './engines.mjs';
import {publish, releaseShown} from './static_host.mjs';

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

  // Served: Chromium finds the page installable; after one visit the game
  // loads and plays with the network off.
  'served: installable, and plays offline after one visit': (engine, server) =>
    withPage(engine, async (page) => {
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
      server.offline = true;
      await page.goto(address);
      await levelShown(page, LEVEL1_START, ' 0/ 4', 'offline');
      await press(page, 1, 'left', turned(LEVEL1_START, 1, 'left'), 'a turn offline');
    }).finally(() => { server.offline = false; }),

  // A new release reaches a copy kept for offline play: a change to the page
  // alone and a change to the code, each published with a newer and with
  // an older date than the first release's, shows by the third visit after
  // it is published. Another app's cache on the same host stays, and the
  // game plays offline afterwards.
  async 'served: every new release reaches the kept copy by the third visit'(engine, server) {
    const day = 24 * 3600 * 1000;
    for (const [change, age] of [['page', 0], ['page', 200], ['code', 0], ['code', 200]]) {
      const what = `the ${change} changed, dated ${age} days back`;
      const site = fs.mkdtempSync(path.join(os.tmpdir(), 'tumbra-site-'));
      publish(site, null, Date.now() - 100 * day);
      const name = path.basename(site);
      server.sites[name] = site;
      const address = server.url('tumbra.html', {site: name});
      await withPage(engine, async (page) => {
        await page.viewport(640, 360);
        // Nothing the origin kept for an earlier case or release may stand
        // in for this one.
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
            // Now and then Chromium lets it take over only once the old
            // worker has been stopped as idle, about 30 seconds on.
            await page.waitLonger(60000, async (first) => {
              const kept = (await caches.keys()).filter((n) => n.startsWith('tumbra-'));
              return kept.length === 1 && kept[0] !== first;
            }, first).catch(async () => {
              const state = await page.evaluate(async () => {
                const r = await navigator.serviceWorker.getRegistration();
                return JSON.stringify({kept: await caches.keys(), active: r?.active?.state,
                                       waiting: r?.waiting?.state, installing: r?.installing?.state});
              });
              throw new Failed(`${what}: the new release was not kept during the second ` +
                               `visit (${state})`);
            });
          }
        }
        expect(seen, '2', `${what}: the release on the third visit`);
        expect(await page.evaluate(async () => String(await caches.has('another-app'))),
               'true', `${what}: another app's cache`);
        server.offline = true;
        await page.goto(address);
        await levelShown(page, LEVEL1_START, ' 0/ 4', `${what}: offline`);
        expect(await page.evaluate(releaseShown), '2', `${what}: the release offline`);
        await press(page, 1, 'left', turned(LEVEL1_START, 1, 'left'), `${what}: a turn offline`);
      }).finally(() => {
        server.offline = false;
        delete server.sites[name];
        fs.rmSync(site, {recursive: true, force: true});
      });
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
      }, server.url('tumbra-sw.js', elsewhere), server.url('tumbra.svg', elsewhere));
      expect(refused, 'img-src script-src-elem', 'what the policy refused');
      expect(server.asked.filter((a) => a.startsWith('localhost ')).join(' '), '',
             'requests that reached the other origin');
    });
  },
};
