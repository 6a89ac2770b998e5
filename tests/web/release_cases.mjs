// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The page served and kept for offline play: installable, playing offline
// under any address, through a host's redirect, and every new release
// reaching the kept copy, from the release that players hold on.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {
  page_file, LEVEL1_START, turned, Failed, expect, check, press, levelShown
} from './page_checks.mjs';
import {withPage} from './engines.mjs';
import {publish, publishFiles, releaseShown, version, versionShown} from './static_host.mjs';

const day = 24 * 3600 * 1000;
// The release players hold, as its own commit built it (make web-test).
const held = path.join(path.dirname(page_file), 'previous-release');
const heldVersion = fs.readFileSync(path.join(held, 'version'), 'utf8').trim();
// The name of every release's kept copy begins so, as in the worker of
// 1.0.0: a release that named its copies otherwise would never drop that
// one's.
const copies = 'tumbra-release-';

// A site of its own on the server, opened afresh with nothing the origin
// kept for an earlier case; `publish(site)` puts its first release there.
async function withSite(engine, server, {host = null} = {}, fn) {
  const site = fs.mkdtempSync(path.join(os.tmpdir(), 'tumbra-site-'));
  const name = path.basename(site);
  server.sites[name] = site;
  if (host) server[host].add(name);
  try {
    await withPage(engine, async (page) => {
      await page.viewport(640, 360);
      await page.goto(server.url('frame.html'));
      await page.evaluate(async () => {
        for (const r of await navigator.serviceWorker.getRegistrations()) await r.unregister();
        for (const name of await caches.keys()) await caches.delete(name);
      });
      await fn(page, site, server.url('tumbra.html', {site: name}));
    });
  } finally {
    server.offline = false;
    if (host) server[host].delete(name);
    delete server.sites[name];
    fs.rmSync(site, {recursive: true, force: true});
  }
}

// The game's kept copies, once a worker is active for the page.
const keptOnce = (page) => page.waitFor(async (copies) => {
  const r = await navigator.serviceWorker.getRegistration();
  const kept = (await caches.keys()).filter((n) => n.startsWith(copies));
  return r?.active?.state === 'activated' && kept.length === 1 && kept[0];
}, copies);

// A new release is kept within the second visit after it is published:
// the new worker installs and takes over while the level goes on.
async function newCopyKept(page, first, what) {
  await page.waitLonger(5000, async (first, copies) => {
    const kept = (await caches.keys()).filter((n) => n.startsWith(copies));
    return kept.length === 1 && kept[0] !== first;
  }, first, copies).catch(async () => {
    const state = await page.evaluate(async () => {
      const r = await navigator.serviceWorker.getRegistration();
      return JSON.stringify({kept: await caches.keys(), active: r?.active?.state,
                             waiting: r?.waiting?.state, installing: r?.installing?.state});
    });
    throw new Failed(`${what}: the new release was not kept within 5 seconds (${state})`);
  });
}

// Once the page's own worker is active: the first launch of a release that
// registers it anew may end before then.
async function playsOffline(page, server, address, what) {
  await page.waitFor(async () =>
    (await navigator.serviceWorker.getRegistration())?.active?.state === 'activated');
  server.offline = true;
  await page.goto(address);
  await levelShown(page, LEVEL1_START, ' 0/ 4', `${what}: offline`);
  await press(page, 1, 'left', turned(LEVEL1_START, 1, 'left'), `${what}: a turn offline`);
}

export const releaseCases = {
  // Served: Chromium finds the page installable; after one visit the game
  // loads and plays with the network off, under its address with a query
  // as well.
  'served: installable, and plays offline after one visit': (engine, server) =>
    withSite(engine, server, {}, async (page, site, address) => {
      publish(site, null, Date.now());
      await page.goto(address);
      await levelShown(page, LEVEL1_START, ' 0/ 4', 'served');
      await keptOnce(page);
      if (engine.devtools) {
        const cdp = await page.cdp();
        const {installabilityErrors} = await cdp.send('Page.getInstallabilityErrors');
        expect(installabilityErrors.map((e) => e.errorId).join(' '), '',
               'what keeps the page from being installed');
        const {url, errors} = await cdp.send('Page.getAppManifest');
        check(url.endsWith('tumbra.webmanifest') && errors.length === 0,
              `manifest ${url}: ${JSON.stringify(errors)}`);
      }
      await playsOffline(page, server, address, 'served');
      await playsOffline(page, server, `${address}?from=home`, 'with a query');
    }),

  // Hosts that serve the page at "tumbra" too: one redirects "tumbra.html"
  // there and answers with "Vary: Accept", the other serves both addresses
  // as they are, and its player comes by the short one. The kept copy
  // serves both offline.
  async 'a host\'s short address, redirected or not: the kept copy still plays offline'(
      engine, server) {
    for (const host of ['redirecting', 'short']) {
      await withSite(engine, server, {host}, async (page, site, address) => {
        const short = address.replace(/\.html$/, '');
        publish(site, null, Date.now());
        await page.goto(host === 'short' ? short : address);
        await levelShown(page, LEVEL1_START, ' 0/ 4', host);
        await keptOnce(page);
        await playsOffline(page, server, address, `${host}, by the page's own address`);
        await playsOffline(page, server, short, `${host}, by the short address`);
      });
    }
  },

  // A new release reaches a copy kept for offline play: a change to the page
  // alone and a change to the code, each published with a newer and with
  // an older date than the first release's, shows by the third visit after
  // it is published. Another app's cache on the same host stays, and the
  // game plays offline afterwards.
  async 'served: every new release reaches the kept copy by the third visit'(engine, server) {
    for (const [change, age] of [['page', 0], ['page', 200], ['code', 0], ['code', 200]]) {
      const what = `the ${change} changed, dated ${age} days back`;
      await withSite(engine, server, {}, async (page, site, address) => {
        publish(site, null, Date.now() - 100 * day);
        await page.goto(address);
        await levelShown(page, LEVEL1_START, ' 0/ 4', `${what}: first visit`);
        const first = await keptOnce(page);
        await page.evaluate(async () => {
          await (await caches.open('another-app')).put('/another', new Response('kept'));
        });
        publish(site, change, Date.now() - age * day);
        for (let visit = 2; visit <= 3; ++visit) {
          await page.goto(address);
          await levelShown(page, LEVEL1_START, ' 0/ 4', `${what}: visit ${visit}`);
          if (visit === 2) await newCopyKept(page, first, what);
        }
        expect(await page.evaluate(releaseShown), '2', `${what}: the release on the third visit`);
        expect(await page.evaluate(async () => String(await caches.has('another-app'))),
               'true', `${what}: another app's cache`);
        await playsOffline(page, server, address, what);
        expect(await page.evaluate(releaseShown), '2', `${what}: the release offline`);
      });
    }
  },

  // A deploy half done (the new worker beside the old page) is never kept:
  // the copy in use stays, and once the deploy is whole the new release
  // shows by the second visit after.
  'a deploy half done is not kept, and the whole one is': (engine, server) =>
    withSite(engine, server, {}, async (page, site, address) => {
      publish(site, null, Date.now() - day);
      await page.goto(address);
      await levelShown(page, LEVEL1_START, ' 0/ 4', 'first release');
      const first = await keptOnce(page);
      publish(site, 'page', Date.now(), ['tumbra-sw.js']);
      await page.goto(address);
      await levelShown(page, LEVEL1_START, ' 0/ 4', 'half deployed');
      // The browser tries the new worker, and is done trying.
      await page.evaluate(async () => {
        await (await navigator.serviceWorker.getRegistration()).update().catch(() => {});
      });
      await page.waitFor(async () => {
        const r = await navigator.serviceWorker.getRegistration();
        return !r.installing && !r.waiting;
      });
      expect(await page.evaluate(releaseShown), '1', 'the release while half deployed');
      expect(await keptOnce(page), first, 'the copy kept while half deployed');
      publish(site, 'page', Date.now());
      for (let visit = 1; visit <= 2; ++visit) {
        await page.goto(address);
        await levelShown(page, LEVEL1_START, ' 0/ 4', `whole, visit ${visit}`);
        if (visit === 1) await newCopyKept(page, first, 'the whole deploy');
      }
      expect(await page.evaluate(releaseShown), '2', 'the release once the deploy is whole');
    }),

  // From the release players hold, installed and played: this one shows by
  // the second launch after it is published, the held one's copy and its
  // folder-wide worker (1.0.0 registered one) are gone, the level in play
  // goes on, and the game plays offline.
  'an upgrade from the release players hold': (engine, server) =>
    withSite(engine, server, {}, async (page, site, address) => {
      publishFiles(held, site, Date.now() - 100 * day);
      await page.goto(address);
      await levelShown(page, LEVEL1_START, ' 0/ 4', heldVersion);
      // 1.0.0's page says no version.
      expect(await page.evaluate(versionShown) ?? heldVersion, heldVersion,
             'the release first kept');
      const first = await keptOnce(page);
      publishFiles(path.dirname(page_file), site, Date.now());
      const played = turned(LEVEL1_START, 1, 'left');
      for (let launch = 1; launch <= 2; ++launch) {
        await page.goto(address);
        await levelShown(page, LEVEL1_START, ' 0/ 4', `launch ${launch} after ${version}`);
        if (launch === 1) {
          await press(page, 1, 'left', played, `a turn while ${version} is kept`);
          await newCopyKept(page, first, version);
          expect(await page.evaluate(() => document.querySelector(
              '[data-control="Tries 0"]').textContent), ' 1/ 4', 'the level in play');
        }
      }
      expect(await page.evaluate(versionShown), version, 'the release on the second launch');
      await playsOffline(page, server, address, version);
      expect(await page.evaluate(versionShown), version, 'the release offline');
      const left = () => page.evaluate(async () => {
        const folder = new URL('./', location.href).href;
        const all = await navigator.serviceWorker.getRegistrations();
        return JSON.stringify({kept: await caches.keys(),
                               folderWide: all.filter((r) => r.scope === folder).length});
      });
      await page.waitFor(async () => {
        const folder = new URL('./', location.href).href;
        return !(await navigator.serviceWorker.getRegistrations()).some((r) => r.scope === folder);
      }).catch(async () => { throw new Failed(`the folder-wide worker stays: ${await left()}`); });
      check(first.startsWith(copies), `${heldVersion} kept its copy as ${first}`);
      check(!(await left()).includes(first), `${heldVersion}'s copy is still kept: ${await left()}`);
    }),
};
