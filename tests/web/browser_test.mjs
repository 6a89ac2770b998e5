// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The browser's page as a player meets it, in Chromium, Firefox ESR and
// WebKitGTK (engines.mjs): real mouse presses and the box, keys that turn
// nothing, Reset, every level to its box, what a screen reader hears, the
// window fitted to any screen, touch, forced colours, the box on a small
// screen, installing and playing offline when served, new releases from the
// 1.0.0 players hold on, a page that cannot start, and the page's policy
// against anything from elsewhere. The game's logic is the shared
// play scenarios' business; this checks what only the page can get wrong.
//
//   node browser_test.mjs PATH/TO/tumbra.html [ENGINE...]
import path from 'node:path';
import {after, before, describe, test} from 'node:test';
import {engines, withPage} from './engines.mjs';
import {LEVEL1_START, expect, levelShown, page_file} from './page_checks.mjs';
import {serve} from './static_host.mjs';
import {playCases} from './play_cases.mjs';
import {ownPageCases} from './own_page_cases.mjs';
import {releaseCases} from './release_cases.mjs';

const chosen = process.argv.slice(3).length ? process.argv.slice(3) : Object.keys(engines);

// A browser that died under the case (WebKitGTK's MiniBrowser now and then,
// on a busy machine) says nothing of the page: the case runs once more, and
// the log says so. A failed check fails at once.
async function once_more_if_lost(title, run) {
  try {
    await run();
  } catch (error) {
    if (error.name !== 'NoSuchSessionError' &&
        !/invalid session id|session terminated/i.test(error.message)) throw error;
    console.log(`  ${title}: the browser was lost (${error.message}); once more`);
    await run();
  }
}

let server;
before(async () => { server = await serve(path.dirname(page_file)); });
after(() => server.stop());

for (const name of chosen) {
  describe(name, () => {
    let engine;
    before(async () => { engine = await engines[name](); });
    after(() => engine?.close());

    // Each opens the page afresh, served, in a 640 × 360 viewport, and
    // begins once level 1 shows.
    for (const [title, run] of Object.entries(playCases)) {
      test(title, () => once_more_if_lost(title, () => withPage(engine, async (page) => {
        await page.viewport(640, 360);
        await page.goto(server.url('tumbra.html'));
        expect(await page.title(), 'Tumbra!', 'page title');
        await levelShown(page, LEVEL1_START, ' 0/ 4', 'level 1');
        await run(page, engine);
      })));
    }
    for (const [title, run] of Object.entries({...ownPageCases, ...releaseCases})) {
      test(title, () => once_more_if_lost(title, () => run(engine, server)));
    }
  });
}
