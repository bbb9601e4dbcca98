// What the browser tests share: a static server for build/web/site, Chromium
// in a fresh temporary profile, the page's readiness, the native program's
// labels for the same inputs, and a replay of the page's inputs as the
// native program's actions.

import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { dirname, extname, join, normalize, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

export const webDir = dirname(dirname(fileURLToPath(import.meta.url)));
export const repo = dirname(webDir);
// The site the tests serve: the build's, or another copy of it (FERMAT_SITE,
// e.g. dist/fermat-lens-site.zip unpacked).
export const siteDir = process.env.FERMAT_SITE ? resolve(process.env.FERMAT_SITE) : join(repo, 'build', 'web', 'site');
export const nativeLab = process.env.FERMAT_LAB ?? join(repo, 'build', 'dev', 'fermat-lab');
export const chromiumPath = process.env.CHROMIUM ?? '/usr/bin/chromium';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
  '.json': 'application/json',
};

/** Serves build/web/site on a free port of localhost. */
export function startServer(root = siteDir) {
  const server = createServer((req, res) => {
    let path = decodeURIComponent(new URL(req.url ?? '/', 'http://localhost').pathname);
    if (path.endsWith('/')) path += 'index.html';
    const file = normalize(join(root, path));
    if (!file.startsWith(root + sep) || !existsSync(file) || !statSync(file).isFile()) {
      res.writeHead(404, { 'content-type': 'text/plain' });
      res.end('not found');
      return;
    }
    res.writeHead(200, {
      'content-type': TYPES[extname(file)] ?? 'application/octet-stream',
      'cache-control': 'no-cache',
    });
    res.end(readFileSync(file));
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      resolve({ url: `http://localhost:${port}/`, close: () => new Promise((r) => server.close(r)) });
    });
  });
}

export const CHROMIUM_FLAGS = [
  '--no-sandbox',
  '--disable-gpu',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--no-first-run',
];

/** Chromium on a fresh temporary profile; close() removes it. */
export async function openBrowser(options = {}) {
  const { firstVisit = false, ...launch } = options;
  const profile = mkdtempSync(join(tmpdir(), 'fermat-lens-web-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath,
    headless: true,
    args: CHROMIUM_FLAGS,
    viewport: { width: 1280, height: 800 },
    deviceScaleFactor: 1,
    acceptDownloads: true,
    ...launch,
  });
  // Every profile is new; unless a test is about the first visit, the page
  // is opened as by someone who has been there (no first-visit words over
  // the picture).
  if (!firstVisit) {
    await context.addInitScript(() => {
      try {
        localStorage.setItem('fermat-lens-visited', '1');
      } catch {
        // a page without storage shows the words; the tests that read pixels use one with it
      }
    });
  }
  return {
    context,
    async close() {
      await context.close().catch(() => {});
      rmSync(profile, { recursive: true, force: true });
    },
  };
}

/**
 * Watches a page: console errors, page errors, and any label that ever shows
 * "NaN" (a mutation observer installed before the page's own code runs).
 */
export async function watch(page) {
  const problems = [];
  page.on('console', (m) => {
    if (m.type() === 'error') problems.push(`console error: ${m.text()}`);
  });
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  await page.addInitScript(() => {
    window.__nanLabels = [];
    const check = () => {
      for (const l of document.querySelectorAll('.label')) {
        if (/NaN/.test(l.textContent ?? '')) window.__nanLabels.push(l.textContent);
      }
    };
    new MutationObserver(check).observe(document, { subtree: true, childList: true, characterData: true });
  });
  return problems;
}

export async function waitReady(page) {
  await page.waitForFunction(() => window.fermatLens?.ready === true || window.fermatLens?.error, null, {
    timeout: 30000,
  });
  const error = await page.evaluate(() => window.fermatLens.error);
  if (error) throw new Error(`the page did not start: ${error}`);
}

/** A ready page at the site's address. */
export async function openPage(browser, url) {
  const page = browser.context.pages()[0] ?? (await browser.context.newPage());
  const problems = await watch(page);
  await page.goto(url);
  await waitReady(page);
  return { page, problems };
}

/** The six labels as the page shows them. */
export function pageLabels(page) {
  return page.evaluate(() => Array.from(document.querySelectorAll('.form .label'), (l) => l.textContent ?? ''));
}

export async function clientSize(page) {
  return page.evaluate(() => [window.fermatLens.page.width, window.fermatLens.page.height]);
}

/** The native program's six labels (and its message lines) after the actions, at that client size. */
export function nativeRun(size, actions) {
  const r = spawnSync(nativeLab, ['--size', `${size[0]}x${size[1]}`, '--print-labels', ...actions], {
    encoding: 'utf8',
  });
  if (r.status !== 0) throw new Error(`fermat-lab failed (${r.status}): ${r.stderr}`);
  const at = r.stdout.indexOf('Label1\t');
  if (at < 0) throw new Error(`fermat-lab printed no labels: ${r.stdout}`);
  const messages = r.stdout
    .slice(0, at)
    .split('\n')
    .filter((l) => l.startsWith('MsgBox\t'))
    .map((l) => l.slice('MsgBox\t'.length));
  const labels = [];
  const parts = ('\n' + r.stdout.slice(at)).split(/\nLabel([1-6])\t/);
  // The mirror scene's stationary paths, and the medium scene's, follow the labels, one a line.
  for (let k = 1; k + 1 < parts.length; k += 2) {
    labels[Number(parts[k]) - 1] = parts[k + 1].split(/\n(?:Stationary|Paths?)\t/)[0].replace(/\n$/, '');
  }
  return { labels, messages };
}

/** The native program's standard output for these arguments at that client size. */
export function nativeStdout(size, args) {
  const r = spawnSync(nativeLab, ['--size', `${size[0]}x${size[1]}`, ...args], { encoding: 'utf8' });
  if (r.status !== 0) throw new Error(`fermat-lab ${args.join(' ')} failed (${r.status}): ${r.stderr}`);
  return r.stdout;
}

/** The native program's drawing operations since the last Cls, after the actions (its --trace). */
export function nativeOperations(size, actions) {
  const dir = mkdtempSync(join(tmpdir(), 'fermat-lens-trace-'));
  try {
    const file = join(dir, 'trace.jsonl');
    const r = spawnSync(nativeLab, ['--size', `${size[0]}x${size[1]}`, '--trace', file, ...actions], { encoding: 'utf8' });
    if (r.status !== 0) throw new Error(`fermat-lab failed (${r.status}): ${r.stderr}`);
    const ops = readFileSync(file, 'utf8').split('\n').filter(Boolean).map((l) => JSON.parse(l));
    const last = ops.map((o) => o.op).lastIndexOf('cls');
    return ops.slice(last + 1);
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

const KINDS = ['line', 'circle', 'arc', 'pset', 'cls', 'floodfill'];
const hex = (c) => '#' + (c & 0xffffff).toString(16).padStart(6, '0');

/**
 * Compares the page's copy of the display record with the native program's
 * operations after the same inputs; returns the number of operations.
 */
export async function expectNativeDrawing(page, what, args = null) {
  const size = await clientSize(page);
  const actions = args ?? callsToActions(await pageCalls(page));
  const ops = nativeOperations(size, actions);
  const items = await page.evaluate(() => {
    const rec = window.fermatLens.page.rec;
    return { data: Array.from(rec.data), count: rec.count, labCount: window.fermatLens.lab.itemCount() };
  });
  const where = `${what} (actions: ${actions.join(' ')})`;
  if (items.count !== items.labCount) throw new Error(`${where}: the page holds ${items.count} items, the lab ${items.labCount}`);
  if (items.count !== ops.length) throw new Error(`${where}: the page holds ${items.count} items, the native program drew ${ops.length}`);
  const close = (a, b) => Math.abs(a - b) <= 1e-6 * Math.max(1, Math.abs(a), Math.abs(b));
  for (let i = 0; i < ops.length; ++i) {
    const d = items.data.slice(i * 13, i * 13 + 13);
    const o = ops[i];
    const kind = KINDS[d[0]];
    const fail = (field, mine, theirs) => {
      throw new Error(`${where}: item ${i} (${o.op}) ${field} is ${mine}, natively ${theirs}`);
    };
    if (kind !== o.op) fail('kind', kind, o.op);
    if (o.op === 'line') {
      for (const [k, f] of [[1, 'x1'], [2, 'y1'], [3, 'x2'], [4, 'y2']]) if (!close(d[k], o[f])) fail(f, d[k], o[f]);
      if (d[10] !== o.style) fail('style', d[10], o.style);
    } else {
      if (!close(d[1], o.x)) fail('x', d[1], o.x);
      if (!close(d[2], o.y)) fail('y', d[2], o.y);
    }
    if ((o.op === 'circle' || o.op === 'arc') && !close(d[5], o.r)) fail('r', d[5], o.r);
    if (o.op === 'arc' && (!close(d[6], o.start) || !close(d[7], o.end))) fail('angles', [d[6], d[7]], [o.start, o.end]);
    if (o.color && hex(d[8]) !== o.color) fail('colour', hex(d[8]), o.color);
    if (o.width !== undefined && d[9] !== o.width) fail('width', d[9], o.width);
    if (o.op === 'circle' && (d[11] < 0 ? null : hex(d[11])) !== o.fill) fail('fill', d[11], o.fill);
  }
  return ops.length;
}

const BAR_ACTIONS = ['height', 'rays', 'time'];

// Set-ups the page opened, as files for the native program's --open; removed
// when the tests end.
let setupDir = null;
let setupCount = 0;
function setupFile(json) {
  if (!setupDir) {
    setupDir = mkdtempSync(join(tmpdir(), 'fermat-lens-setups-'));
    process.on('exit', () => rmSync(setupDir, { recursive: true, force: true }));
  }
  const file = join(setupDir, `setup-${setupCount++}.json`);
  writeFileSync(file, json);
  return file;
}
/** A share link's fragment ("#setup=..." or "setup=...") as the set-up file's text it carries. */
export function fragmentJson(fragment) {
  const b64 = fragment.replace(/^#/, '').replace(/^setup=/, '');
  return Buffer.from(b64, 'base64url').toString('utf8');
}

/**
 * The page's recorded inputs as the native program's arguments: actions, and
 * for a set-up or a lesson the page opened, --open FILE or --lesson KEY in
 * place of everything before it (each is a fresh start that keeps nothing of
 * the session before but the live switch, which a lesson leaves as it was).
 */
export function callsToActions(calls) {
  let out = [];
  let live = true; // the page's lab starts live; only a set-up changes that
  for (const { call, args } of calls) {
    switch (call) {
      case 'pointerDown': out.push(`down=${args[0]},${args[1]}`); break;
      case 'pointerMove': out.push(`move=${args[0]},${args[1]}`); break;
      case 'pointerUp': out.push(`up=${args[0]},${args[1]}`); break;
      case 'setBar': out.push(`${BAR_ACTIONS[args[0]]}=${args[1]}`); break;
      // A key on a focused bar: the value it left the bar at.
      case 'barKey': out.push(`${BAR_ACTIONS[args[0]]}=${args[2]}`); break;
      case 'thumbReleased': out.push(`drag-${BAR_ACTIONS[args[0]]}=${args[1]}`); break;
      case 'click': out.push(`press=${args[0]}`); break;
      case 'key': out.push(`key=${args[0]}`); break;
      case 'togglePlay': out.push('play'); break;
      case 'run': out.push(String(args[0])); break;
      case 'reset': out.push('reset'); break;
      // Only a lens the lab took is recorded: the lens action of the same text.
      case 'setLens': out.push(`lens=${args[0]}`); break;
      case 'setMirror': out.push(`mirror=${args[0]}`); break;
      case 'setMedium': out.push(`medium=${args[0]}`); break;
      case 'setParallelBeam': out.push(`beam=${args[0] ? 'parallel' : 'point'}`); break;
      case 'openSetup':
      case 'openFragment': {
        const json = call === 'openSetup' ? String(args[0]) : fragmentJson(String(args[0]));
        live = JSON.parse(json.replace(/^\uFEFF/, '')).live;
        out = ['--open', setupFile(json)];
        break;
      }
      case 'openLesson': out = ['--lesson', String(args[0]), ...(live ? [] : ['--classic'])]; break;
      // Live steps, the sweep's ticks and dismissals leave no trace in a
      // complete action's result; the command line settles after each action.
      // The challenge only reads the lab.
      case 'thumbMoved':
      case 'idle':
      case 'playTick':
      case 'otherInput':
      case 'press':
      case 'dismissMessage':
      case 'challengeStart':
      case 'challengeStop':
      case 'challengeReveal':
        break;
      default:
        throw new Error(`no action for the page's call ${call}`);
    }
  }
  return out;
}

/** The page's inputs so far. */
export function pageCalls(page) {
  return page.evaluate(() => window.fermatLens.page.calls.map((c) => ({ call: c.call, args: c.args })));
}

/**
 * Compares the page's labels with the native program's after the same inputs
 * (or after `args`, when given); returns the actions.
 */
export async function expectNativeLabels(page, what, args = null) {
  const size = await clientSize(page);
  const actions = args ?? callsToActions(await pageCalls(page));
  const native = nativeRun(size, actions);
  const shown = await pageLabels(page);
  const nan = await nanLabels(page);
  if (nan.length) throw new Error(`${what}: a label showed ${JSON.stringify(nan[0])}`);
  for (let i = 0; i < 6; ++i) {
    if (shown[i] !== native.labels[i]) {
      throw new Error(
        `${what}: Label${i + 1} is ${JSON.stringify(shown[i])}, the native program shows ${JSON.stringify(native.labels[i])}` +
          ` (size ${size.join('x')}, actions: ${actions.join(' ')})`,
      );
    }
  }
  return { actions, native };
}

/** Chooses a menu's entry: data-action="action" in the menu with that id. */
export async function chooseMenu(page, menu, action) {
  if (!(await page.locator(`#${menu}`).evaluate((d) => d.open))) await page.locator(`#${menu} > summary`).click();
  await page.locator(`#${menu} [data-action="${action}"]`).click();
}

/** A File menu entry's download: its suggested name and bytes. */
export async function menuDownload(page, action) {
  const [dl] = await Promise.all([page.waitForEvent('download'), chooseMenu(page, 'file-menu', action)]);
  return { name: dl.suggestedFilename(), data: readFileSync(await dl.path()) };
}

/** Opens a file through File > Open set-up…, as a user picks it. */
export async function openSetupFile(page, path) {
  const [chooser] = await Promise.all([page.waitForEvent('filechooser'), chooseMenu(page, 'file-menu', 'open-setup')]);
  await chooser.setFiles(path);
  await page.evaluate(() => window.fermatLens.setups.opening);
}

/** Closes every message the page shows, by its OK button. */
export async function dismissMessages(page, max = 20) {
  const texts = [];
  for (let k = 0; k < max; ++k) {
    const open = await page.evaluate(() => document.getElementById('message').open);
    if (!open) return texts;
    texts.push(await page.locator('#message .text').textContent());
    await page.locator('#message button').click();
  }
  throw new Error('the messages do not end');
}

/** Client-area pixel point → page coordinates, for the mouse. */
export async function pagePoint(page, x, y) {
  const r = await page.evaluate(() => {
    const b = document.querySelector('.form').getBoundingClientRect();
    return [b.left, b.top];
  });
  return [r[0] + x, r[1] + y];
}

/** Centre of a control's element on the page. */
export async function centreOf(page, selector) {
  const box = await page.locator(selector).boundingBox();
  if (!box) throw new Error(`${selector} is not shown`);
  return [box.x + box.width / 2, box.y + box.height / 2];
}

/** World point → client pixel, in the frame in force. */
export async function worldToClient(page, x, y) {
  return page.evaluate(
    ([x, y]) => {
      const p = window.fermatLens.page;
      const frames = JSON.parse(p.lab.frames());
      const f = frames[frames.length - 1];
      return [((x - f.left) * p.width) / f.width, ((y - f.top) * p.height) / f.height];
    },
    [x, y],
  );
}

/** RGBA of the picture's canvas at a client pixel (read back at the device ratio). */
export async function canvasPixel(page, x, y) {
  return page.evaluate(
    ([x, y]) => {
      const c = document.querySelector('canvas.picture');
      const r = c.width / window.fermatLens.page.width;
      return Array.from(c.getContext('2d').getImageData(Math.floor(x * r), Math.floor(y * r), 1, 1).data);
    },
    [x, y],
  );
}

export async function nanLabels(page) {
  return page.evaluate(() => window.__nanLabels ?? []);
}

export function assert(cond, message) {
  if (!cond) throw new Error(message);
}

export async function waitPlayEnd(page, timeout = 20000) {
  await page.waitForFunction(() => !window.fermatLens.lab.playing(), null, { timeout });
}
