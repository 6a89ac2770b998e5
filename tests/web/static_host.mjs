// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Tumbra! developers
//
// The page served as a plain static host serves it, and releases of it
// published as the build assembles them.
import http from 'node:http';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {execFileSync} from 'node:child_process';
import {page_file} from './page_checks.mjs';

export const types = {'.html': 'text/html', '.js': 'text/javascript', '.svg': 'image/svg+xml',
               '.webmanifest': 'application/manifest+json', '.png': 'image/png'};
// One server for every case: the build's folder at its root, a case's own
// site under /NAME/ (server.sites), and no answer at all while
// server.offline, as from a host gone away. A site named in
// server.redirecting serves the page at "tumbra", redirects "tumbra.html"
// there, and answers every file with "Vary: Accept"; one named in
// server.short serves the page at both addresses. It notes "HOST NAME" of
// every file asked for. "injected.js" is a script that says it ran.
export function serve(dir) {
  const asked = [];
  const sites = {};
  const redirecting = new Set();
  const short = new Set();
  const server = http.createServer((request, response) => {
    if (server.offline) return request.socket.destroy();
    const url = new URL(request.url, 'http://x');
    let [site, name] = url.pathname.slice(1).includes('/')
        ? url.pathname.slice(1).split('/') : [null, url.pathname.slice(1)];
    if (name === 'injected.js') {
      response.writeHead(200, {'Content-Type': 'text/javascript'});
      return response.end('window.injected = true;');
    }
    // What the browser sent with the request decides the answer: a page
    // kept from the worker's own fetch would not match a navigation.
    const vary = redirecting.has(site) ? {'Vary': 'Accept'} : {};
    if (redirecting.has(site) && name === 'tumbra.html') {
      response.writeHead(301, {'Location': 'tumbra', ...vary});
      return response.end();
    }
    if ((redirecting.has(site) || short.has(site)) && name === 'tumbra') name = 'tumbra.html';
    if (name === 'frame.html') {  // a page in a frame of a given size
      const [width, height] = ['width', 'height'].map((k) => Number(url.searchParams.get(k)));
      response.writeHead(200, {'Content-Type': 'text/html'});
      response.end(`<!DOCTYPE html><body style="margin: 0"><iframe style="border: 0; ` +
                   `width: ${width}px; height: ${height}px" src="` +
                   `${encodeURI(url.searchParams.get('page'))}"></iframe></body>`);
      return;
    }
    asked.push(`${request.headers.host.replace(/:\d+$/, '')} ${name}`);
    // As a plain static host serves: the file's date, a 304 where the
    // browser's copy is as new, and no word on caching.
    const file = path.join(site === null ? dir : sites[site] ?? '/nonexistent', name);
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
                               'Last-Modified': modified.toUTCString(), ...vary});
      fs.createReadStream(file).pipe(response);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => {
    Object.assign(server, {asked, sites, redirecting, short, offline: false});
    server.url = (file, {site, host = '127.0.0.1'} = {}) =>
      `http://${host}:${server.address().port}/${site ? `${site}/` : ''}${file}`;
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
// Each release is assembled once and copied for every case that wants it.
export const sources = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
// This release's version, as CMake has it.
export const version = fs.readFileSync(path.join(sources, 'CMakeLists.txt'), 'utf8')
    .match(/project\(tumbra VERSION ([0-9.]+)/)[1];
const assembled = {};
function assemble(change) {
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
  const out = path.join(web, 'release');
  fs.mkdirSync(out);
  execFileSync('cmake', [`-DWEB=${web}`, `-DSCRIPT=${script}`, `-DVERSION=${version}`,
                         `-DDESIGN=${path.join(sources, 'src/app/form1_design.h')}`,
                         `-DICON=${path.join(sources, 'data/icons/org.tumbra.Tumbra.svg')}`,
                         `-DOUT=${out}`, '-P', path.join(web, 'assemble_page.cmake')]);
  process.on('exit', () => fs.rmSync(web, {recursive: true, force: true}));
  return out;
}
// Publishes into `dir` a release of the page (`change` as above), or
// `only` some of its files, as a deploy half done would.
export function publish(dir, change, time, only) {
  assembled[change] ??= assemble(change);
  publishFiles(assembled[change], dir, time, only);
}
// The files a release publishes.
export const published = fs.readFileSync(path.join(sources, 'src/app/web/published.list'), 'utf8')
    .split('\n').filter((line) => line && !line.startsWith('#'));
// A release's files, from `from`, dated `time`.
export function publishFiles(from, dir, time, only) {
  for (const name of only ?? published) {
    fs.copyFileSync(path.join(from, name), path.join(dir, name));
    fs.utimesSync(path.join(dir, name), time / 1000, time / 1000);
  }
}
export const releaseShown = () =>
  document.querySelector('meta[name="tumbra-release"]')?.content ?? window.tumbraRelease ?? '1';
// The version a page says it is, or null: 1.0.0 said none.
export const versionShown = () =>
  document.querySelector('meta[name="tumbra-version"]')?.content ?? null;
