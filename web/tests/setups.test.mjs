// Set-ups between the page and fermat-lab: a file the native program saved
// opens in the page (File > Open set-up… and a #setup= link) with the labels
// of native --open; the page's saved file, after a random session of real
// inputs, opens natively with the page's labels; the address follows every
// action; bad files and links are refused in one line.

import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import {
  assert,
  centreOf,
  chooseMenu,
  clientSize,
  dismissMessages,
  expectNativeDrawing,
  expectNativeLabels,
  menuDownload,
  nativeRun,
  nativeStdout,
  openBrowser,
  openPage,
  openSetupFile,
  pageLabels,
  waitReady,
} from './harness.mjs';

/** A small seeded generator (mulberry32): the same session every run, and another with SEED=n. */
function random(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

function scratch() {
  const dir = mkdtempSync(join(tmpdir(), 'fermat-lens-setup-test-'));
  return { dir, done: () => rmSync(dir, { recursive: true, force: true }) };
}

async function expectLabels(page, labels, what) {
  const shown = await pageLabels(page);
  for (let i = 0; i < 6; ++i) {
    assert(shown[i] === labels[i], `${what}: Label${i + 1} is ${JSON.stringify(shown[i])}, natively ${JSON.stringify(labels[i])}`);
  }
}

/** Drags the element at `selector` by (dx, dy) CSS pixels with the mouse, kept inside the client area. */
async function dragBy(page, selector, dx, dy) {
  const [x, y] = await centreOf(page, selector);
  const form = await page.locator('.form').boundingBox();
  const tx = Math.min(form.x + form.width - 5, Math.max(form.x + 5, x + dx));
  const ty = Math.min(form.y + form.height - 5, Math.max(form.y + 5, y + dy));
  await page.mouse.move(x, y);
  await page.mouse.down();
  await page.mouse.move(tx, ty, { steps: 4 });
  await page.mouse.up();
}

const PRESETS = ['standard', 'crown', 'water', 'diamond', 'plano-convex', 'biconcave', 'meniscus', 'slab'];
const KEYS = ['ArrowRight', 'ArrowLeft', 'Shift+ArrowUp', 'ArrowDown', 'Control+1', 'Control+3'];

/** One real input of the page chosen by `rnd`; returns what it was. */
async function randomInput(page, rnd) {
  const pick = (list) => list[Math.floor(rnd() * list.length)];
  const kind = pick(['source', 'entry', 'entry', 'button', 'button', 'key', 'thumb', 'arrow', 'preset', 'index']);
  const d = () => Math.round((rnd() - 0.5) * 160);
  switch (kind) {
    case 'source':
    case 'entry':
      await dragBy(page, `.form .marker.${kind}`, d(), d());
      return `${kind} drag`;
    case 'button': {
      const k = 1 + Math.floor(rnd() * 5);
      await page.locator(`.form .command[data-command="${k}"]`).click();
      return `button ${k}`;
    }
    case 'key': {
      const key = pick(KEYS);
      await page.keyboard.press(key);
      return `key ${key}`;
    }
    case 'thumb': {
      const bar = Math.floor(rnd() * 3);
      const vertical = bar !== 2;
      await dragBy(page, `.form .scrollbar[data-bar="${bar}"] .thumb`, vertical ? 0 : d(), vertical ? d() / 2 : 0);
      return `thumb of bar ${bar}`;
    }
    case 'arrow': {
      const bar = Math.floor(rnd() * 3);
      const which = pick(['inc', 'dec']);
      await page.locator(`.form .scrollbar[data-bar="${bar}"] .arrow.${which}`).click();
      return `arrow ${which} of bar ${bar}`;
    }
    case 'preset': {
      const key = pick(PRESETS);
      await page.locator('#lens-preset').selectOption(key);
      return `preset ${key}`;
    }
    default: {
      const n = (1.2 + rnd() * 1.8).toFixed(2);
      await page.locator('#lens-n').fill(n);
      return `n = ${n}`;
    }
  }
}

export const tests = [
  {
    name: 'a set-up fermat-lab saved opens in the page, from the file and from a link, with the labels of native --open',
    async run({ url }) {
      const b = await openBrowser();
      const tmp = scratch();
      try {
        const { page, problems } = await openPage(b, `${url}?lens=1`);
        const size = await clientSize(page);
        const file = join(tmp.dir, 'saved.json');
        nativeStdout(size, ['--lens', 'preset=diamond', '--save', file, 'height=25', 'press=1', 'source=-210,45',
          'rays=15', 'press=2', 'press=5', 'drag-time=40', 'key=Right']);
        const native = nativeRun(size, ['--open', file]);
        await page.locator('.form .command[data-command="2"]').click(); // something to replace
        await dismissMessages(page);
        await openSetupFile(page, file);
        assert((await page.locator('#status').textContent()) === '', `opening says ${await page.locator('#status').textContent()}`);
        await expectLabels(page, native.labels, 'File > Open set-up…');
        await expectNativeDrawing(page, 'after File > Open set-up…');
        await expectNativeDrawing(page, 'after File > Open set-up…, as --open', ['--open', file]);
        assert((await page.locator('#lens-preset').inputValue()) === 'diamond', 'the lens panel does not show the set-up\'s lens');
        assert((await page.locator('#lens-summary').textContent()).startsWith('Diamond'), 'the lens line does not show the set-up\'s lens');
        // The address is the set-up, and so is what Copy link copies.
        await page.waitForFunction(() => location.hash === `#${window.fermatLens.lab.setupFragment()}`);
        await b.context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: new URL(url).origin });
        await chooseMenu(page, 'file-menu', 'copy-link');
        const copied = await page.evaluate(() => navigator.clipboard.readText());
        assert(copied === (await page.evaluate(() => location.href)) && copied.includes('#setup='), `Copy link copied ${copied}`);

        // The native file as a link, in a fresh page.
        const link = `${url}#setup=${Buffer.from(readFileSync(file)).toString('base64url')}`;
        const other = await b.context.newPage();
        await other.goto(link);
        await waitReady(other);
        await expectLabels(other, native.labels, 'a #setup= link of the native file');
        await expectNativeDrawing(other, 'after a #setup= link');
        // The page's own link of it opens the same again.
        await other.waitForFunction(() => location.hash === `#${window.fermatLens.lab.setupFragment()}`);
        const own = await other.evaluate(() => location.href);
        const third = await b.context.newPage();
        await third.goto(own);
        await waitReady(third);
        await expectLabels(third, native.labels, "the page's own link");
        for (const p of [other, third]) assert((await p.locator('#status').textContent()) === '', 'the link was refused');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        tmp.done();
        await b.close();
      }
    },
  },
  {
    name: "the page's set-up after a random session of real inputs opens in fermat-lab with the page's labels",
    async run({ url }) {
      const seed = Number(process.env.SEED ?? 20260518);
      const rnd = random(seed);
      const b = await openBrowser({ viewport: { width: 1400, height: 860 } });
      const tmp = scratch();
      try {
        const { page, problems } = await openPage(b, `${url}?lens=1`);
        const size = await clientSize(page);
        const done = [];
        for (let i = 0; i < 14; ++i) {
          done.push(await randomInput(page, rnd));
          await dismissMessages(page);
        }
        const what = `seed ${seed}: ${done.join(', ')}`;
        if (process.env.VERBOSE) console.log(what);
        await expectNativeLabels(page, `${what} (the page's inputs replayed)`);
        const saved = await menuDownload(page, 'save-setup');
        assert(saved.name === 'fermat-lens-setup.json', `the set-up downloads as ${saved.name}`);
        const file = join(tmp.dir, saved.name);
        writeFileSync(file, saved.data);
        const native = nativeRun(size, ['--open', file]);
        await expectLabels(page, native.labels, `${what}: native --open of the saved file`);
        // Saved again natively, the file is the same: the journal replays to itself.
        const again = join(tmp.dir, 'again.json');
        nativeStdout(size, ['--open', file, '--save', again]);
        assert(readFileSync(again, 'utf8') === saved.data.toString('utf8'), `${what}: native --open and --save changed the set-up`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        tmp.done();
        await b.close();
      }
    },
  },
  {
    name: 'a bad set-up file or link is refused in one line and changes nothing',
    async run({ url }) {
      const b = await openBrowser();
      const tmp = scratch();
      try {
        // A broken link: the page starts as usual and says why.
        const { page, problems } = await openPage(b, `${url}#setup=not*base64`);
        const status = await page.locator('#status').textContent();
        assert(status.startsWith('The link could not be opened: share link:') && !status.includes('\n'), `a broken link says ${JSON.stringify(status)}`);
        await expectNativeLabels(page, 'after a broken link');
        await page.locator('.form .command[data-command="2"]').click();
        await dismissMessages(page);
        const state = () => page.evaluate(() => [window.fermatLens.lab.setupJson(), Array.from(window.fermatLens.lab.items(0)).join(',')]);
        const before = await state();
        const good = JSON.parse(before[0]);
        for (const [name, text, reason] of [
          ['not-json.json', '{"format": ', 'is damaged at line 1, column'],
          ['no-lens.json', JSON.stringify({ ...good, lens: { ...good.lens, n: 9 } }), 'lens'],
          ['bad-action.json', JSON.stringify({ ...good, actions: ['press=9'] }), 'press=9'],
        ]) {
          const file = join(tmp.dir, name);
          writeFileSync(file, text);
          await openSetupFile(page, file);
          const said = await page.locator('#status').textContent();
          assert(said.startsWith(`${name}: `) && said.includes(reason) && !said.includes('\n'), `${name}: the page says ${JSON.stringify(said)}`);
          const after = await state();
          assert(after[0] === before[0] && after[1] === before[1], `${name} changed the lab`);
        }
        await expectNativeLabels(page, 'after the refused files');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        tmp.done();
        await b.close();
      }
    },
  },
];
