// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The three browser engines the page is tested in, each behind the same few
// calls: Chromium and Firefox ESR driven by puppeteer-core (Firefox over
// WebDriver BiDi), and WebKitGTK by WebKitWebDriver, in a private Xvfb,
// through selenium-webdriver. The browsers are Debian's packages.
//
// An engine opens pages in a colour scheme ('light', 'dark' or 'forced',
// for a forced-colours mode such as Windows High Contrast), or answers null
// where it cannot be put in that scheme.
import {spawn} from 'node:child_process';
import net from 'node:net';
import puppeteer from 'puppeteer-core';
import {Builder, By, Key, Origin} from 'selenium-webdriver';

const quiet = ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
               '--disable-background-networking', '--disable-component-update',
               '--disable-sync', '--allow-file-access-from-files'];
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
// The browsers see nothing of the desktop of whoever runs the cases: no
// session bus and no accessibility bus of theirs, so that no screen reader
// of theirs meets a page of ours.
const {AT_SPI_BUS_ADDRESS, ...inherited} = process.env;
export const alone = {...inherited, DBUS_SESSION_BUS_ADDRESS: 'unix:path=/nonexistent',
                      NO_AT_BRIDGE: '1'};
const buttons = {left: 0, middle: 1, right: 2};

// What every page offers the cases.
class Page {
  // Polls `fn` in the page until it returns something true. The wait ends
  // with the event; its limit is for a busy machine.
  waitFor(fn, ...args) { return this.waitLonger(20000, fn, ...args); }
  async waitLonger(limit, fn, ...args) {
    const end = Date.now() + limit;
    for (;;) {
      const value = await this.evaluate(fn, ...args).catch(() => undefined);
      if (value) return value;
      if (Date.now() > end) throw new Error(`gave up waiting for ${fn}`);
      await sleep(20);
    }
  }
  title() { return this.evaluate(() => document.title); }
  focus(selector) {
    return this.evaluate((s) => document.querySelector(s).focus(), selector);
  }
  async click(x, y) {
    await this.mouse(x, y, 'left', 'down');
    await this.mouse(x, y, 'left', 'up');
  }
}

class PuppeteerPage extends Page {
  constructor(page, browser) {
    super();
    this.page = page;
    this.owned = browser;  // a browser opened for this page alone
    this.errors = [];
    page.on('console', (m) => { if (m.type() === 'error') this.errors.push(m.text()); });
    page.on('pageerror', (e) => this.errors.push(String(e)));
  }
  goto(url) { return this.page.goto(url); }
  evaluate(fn, ...args) { return this.page.evaluate(fn, ...args); }
  async mouse(x, y, button, action) {
    await this.page.mouse.move(x, y);
    await this.page.mouse[action]({button});
  }
  key(name) { return this.page.keyboard.press(name); }
  async viewport(width, height, touch = false) {
    await this.page.setViewport({width, height, hasTouch: touch, isMobile: false});
  }
  cdp() { return this.page.createCDPSession(); }
  async close() {
    await this.page.close();
    if (this.owned) await this.owned.close();
  }
}

async function chromium() {
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? '/usr/bin/chromium', headless: true,
    args: quiet, env: alone});
  return {
    name: 'Chromium', browser, touchScreen: true, devtools: true,
    async open(scheme = 'light') {
      const page = await browser.newPage();
      if (scheme !== 'light') {
        // puppeteer's own call knows no forced-colors; DevTools does.
        await (await page.createCDPSession()).send('Emulation.setEmulatedMedia', {features: [
          {name: 'prefers-color-scheme', value: scheme === 'dark' ? 'dark' : 'light'},
          {name: 'forced-colors', value: scheme === 'forced' ? 'active' : 'none'}]});
      }
      return new PuppeteerPage(page);
    },
    close: () => browser.close(),
  };
}

// Firefox takes its colour scheme from preferences, so a page in another
// scheme gets a browser of its own.
async function firefox() {
  const launch = (prefs = {}) => puppeteer.launch({
    browser: 'firefox', executablePath: process.env.FIREFOX ?? '/usr/bin/firefox-esr',
    headless: true, extraPrefsFirefox: prefs, env: alone});
  const schemes = {
    light: {},
    dark: {'layout.css.prefers-color-scheme.content-override': 0},
    forced: {'browser.display.document_color_use': 2},
  };
  const browser = await launch();
  return {
    name: 'Firefox ESR', browser,
    async open(scheme = 'light') {
      if (scheme === 'light') return new PuppeteerPage(await browser.newPage());
      const own = await launch(schemes[scheme]);
      return new PuppeteerPage(await own.newPage(), own);
    },
    close: () => browser.close(),
  };
}

// A WebDriver session, driven through selenium-webdriver. WebKitWebDriver
// offers no way to read the console (no log endpoint, no BiDi), and a
// listener put in by the case would come after the game's start: `errors`
// is null, and the console is checked in the other engines.
class WebDriverPage extends Page {
  constructor(driver) {
    super();
    this.driver = driver;
    this.errors = null;
  }
  async goto(url) {
    this.url = url;
    await this.driver.switchTo().defaultContent();
    await this.driver.get(url);
  }
  evaluate(fn, ...args) {
    return this.driver.executeScript(`return (${fn}).apply(null, arguments);`, ...args);
  }
  mouse(x, y, button, action) {
    const moved = this.driver.actions().move(
        {x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT});
    return (action === 'down' ? moved.press(buttons[button])
                              : moved.release(buttons[button])).perform();
  }
  key(name) { return this.driver.actions().sendKeys(Key[name.toUpperCase()] ?? name).perform(); }
  // The browser's window cannot be made as small as a phone's screen (its
  // toolbar sees to that), so a served page is opened afresh in a frame of
  // just the size asked for, at the window's top left (the server's
  // frame.html), and the session goes into the frame.
  async viewport(width, height) {
    await this.driver.switchTo().defaultContent();
    await this.driver.manage().window().setRect({width: width + 200, height: height + 300});
    if (this.url === undefined || !this.url.startsWith('http')) return;
    const host = new URL('frame.html', this.url);
    host.search = new URLSearchParams({width, height, page: this.url}).toString();
    await this.driver.get(host.href);
    await this.driver.switchTo().frame(await this.driver.findElement(By.css('iframe')));
  }
  close() { return this.driver.quit(); }
}

async function webkit() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-nolisten', 'tcp', '-screen', '0', '4000x2400x24'],
                     {stdio: ['ignore', 'ignore', 'ignore', 'pipe']});
  const display = await new Promise((resolve, reject) => {
    xvfb.stdio[3].once('data', (d) => resolve(`:${String(d).trim()}`));
    xvfb.once('exit', () => reject(new Error('Xvfb did not start')));
  });
  // A port no other program holds, as the system hands them out: a driver
  // of another run is never the one asked.
  const port = await new Promise((resolve) => {
    const probe = net.createServer().listen(0, '127.0.0.1', () => {
      const {port} = probe.address();
      probe.close(() => resolve(port));
    });
  });
  const driver = spawn(process.env.WEBKIT_DRIVER ?? 'WebKitWebDriver', [`--port=${port}`],
                       {stdio: 'ignore', env: {...alone, DISPLAY: display}});
  const base = `http://127.0.0.1:${port}`;
  for (let i = 0; ; ++i) {
    if (driver.exitCode !== null || driver.signalCode !== null) {
      xvfb.kill();
      throw new Error(`WebKitWebDriver ended before it answered on port ${port}`);
    }
    try {
      if ((await (await fetch(`${base}/status`)).json()).value.ready) break;
    } catch (error) {
      if (i > 100) throw new Error(`WebKitWebDriver did not answer: ${error.message}`);
    }
    await sleep(50);
  }
  const stop = () => { driver.kill(); xvfb.kill(); };
  return {
    name: 'WebKitGTK',
    async open(scheme = 'light') {
      if (scheme !== 'light') return null;  // no dark or forced colours to ask for
      return new WebDriverPage(await new Builder().usingServer(base)
          .withCapabilities({browserName: 'MiniBrowser', 'webkitgtk:browserOptions': {
            binary: process.env.MINIBROWSER ??
                '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
            args: ['--automation']}})
          .build());
    },
    close: async () => stop(),
  };
}

export const engines = {chromium, firefox, webkit};

// Runs `fn` on a page the engine opens afresh in `scheme`, and closes the
// page however `fn` ends. Says whether the engine could open one.
export async function withPage(engine, fn, scheme = 'light') {
  const page = await engine.open(scheme);
  if (page === null) return false;
  try {
    await fn(page);
  } finally {
    await page.close();
  }
  return true;
}
