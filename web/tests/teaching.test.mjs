// Lessons, the challenge and the equal-time view against fermat-lab's
// --lesson, --challenge and --equal-time.

import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import {
  assert,
  callsToActions,
  centreOf,
  chooseMenu,
  clientSize,
  dismissMessages,
  expectNativeDrawing,
  expectNativeLabels,
  menuDownload,
  nativeStdout,
  openBrowser,
  openPage,
  pageCalls,
  waitReady,
  watch,
} from './harness.mjs';

/** The native program's equal-time file after the page's inputs (at x, or where the spread is least). */
async function nativeEqualTime(page, at = null) {
  const dir = mkdtempSync(join(tmpdir(), 'fermat-lens-equal-time-'));
  try {
    const file = join(dir, 'e.csv');
    const args = [...callsToActions(await pageCalls(page)), '--equal-time', file];
    if (at !== null) args.push('--equal-time-at', String(at));
    nativeStdout(await clientSize(page), args);
    const text = readFileSync(file, 'utf8');
    const rows = text.split('\n').filter(Boolean).map((l) => l.split(','));
    // Without rays to compare the file has no "# best" and "# chosen" lines.
    const best = rows.find((r) => r[0] === '# best') ?? [];
    const chosen = rows.find((r) => r[0] === '# chosen') ?? [];
    return {
      text,
      bestX: best.length ? Number(best[1]) : null,
      bestSpread: best.length ? Number(best[2]) : null,
      chosenX: chosen.length ? Number(chosen[1]) : null,
      rays: rows.filter((r) => r[0] === 'ray').map((r) => ({ index: Number(r[1]), time: Number(r[2]) })),
    };
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

/** What the equal-time view shows: its note and the table's rows. */
function shownEqualTime(page) {
  return page.evaluate(() => ({
    note: document.querySelector('.equal-time .graph-note').textContent,
    rows: Array.from(document.querySelectorAll('.et-rays tbody tr'), (tr) => Array.from(tr.cells, (c) => c.textContent)),
    data: JSON.parse(window.fermatLens.lab.equalTime(window.fermatLens.page.equalTimeAt)),
  }));
}

async function expectEqualTime(page, at, what) {
  const native = await nativeEqualTime(page, at);
  // The view follows a complete action once the page is idle.
  await page.waitForFunction(() => document.querySelectorAll('.et-rays tbody tr').length > 0);
  const shown = await shownEqualTime(page);
  const d = shown.data;
  for (const k of ['bestX', 'bestSpread', 'chosenX']) assert(d[k] === native[k], `${what}: ${k} is ${d[k]}, natively ${native[k]}`);
  assert(d.rays.length === native.rays.length && d.rays.length > 2, `${what}: ${d.rays.length} rays, natively ${native.rays.length}`);
  d.rays.forEach((r, i) => {
    const n = native.rays[i];
    assert(r.index === n.index && r.time === n.time, `${what}: ray ${i} is ${r.index}, ${r.time}; natively ${n.index}, ${n.time}`);
    const row = shown.rows[i];
    assert(row[0] === String(n.index) && row[1] === n.time.toFixed(3), `${what}: the table's row ${i} shows ${row}, natively ${n.index}, ${n.time}`);
  });
  // A focus is named only for a source on the axis; off it the note says there is none.
  const focus = d.sourceOnAxis ? shown.note.includes(`at x = ${native.bestX.toFixed(2)}`) : shown.note.includes('no focus');
  assert(focus && shown.note.includes(`at x = ${native.chosenX.toFixed(2)}`), `${what}: the note says ${shown.note}`);
  assert(!/NaN/.test(shown.note), `${what}: the note shows NaN`);
  return native;
}

/** A hash of the picture canvas's pixels: the overlay must leave them alone. */
function pictureHash(page) {
  return page.evaluate(() => {
    const c = document.querySelector('canvas.picture');
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let h = 2166136261;
    for (let i = 0; i < d.length; ++i) h = Math.imul(h ^ d[i], 16777619);
    return h >>> 0;
  });
}

/** Overlay pixels of the least-time path's colour, and any drawn at all. */
function overlayPixels(page) {
  return page.evaluate(() => {
    const c = document.querySelector('canvas.overlay');
    if (c.hidden) return { least: 0, any: 0, hidden: true };
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    let least = 0;
    let any = 0;
    for (let i = 0; i < d.length; i += 4) {
      if (d[i + 3]) ++any;
      if (d[i] === 255 && d[i + 1] === 122 && d[i + 2] === 0 && d[i + 3] === 255) ++least;
    }
    return { least, any, hidden: false };
  });
}

export const tests = [
  {
    name: 'a #lesson= link and the Lessons menu give the labels of native --lesson and show the task until closed',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, `${url}#lesson=least-time-ray`);
        await expectNativeLabels(page, 'a #lesson=least-time-ray link', ['--lesson', 'least-time-ray']);
        await expectNativeDrawing(page, 'a #lesson=least-time-ray link');
        const lessons = await page.evaluate(() => JSON.parse(window.fermatLens.lab.lessons()));
        const task = lessons.find((l) => l.key === 'least-time-ray').task;
        assert(await page.locator('#lesson-banner').isVisible(), 'the lesson banner is not shown');
        assert((await page.locator('#lesson-task').textContent()) === task, 'the banner does not show the task');
        await page.locator('#lesson-banner button.close').click();
        assert(!(await page.locator('#lesson-banner').isVisible()), 'the banner stays after it is closed');
        // The address is the lesson's set-up from the first action on.
        await page.waitForFunction(() => location.hash.startsWith('#setup='));

        await chooseMenu(page, 'lessons-menu', 'lesson-wavefront');
        await dismissMessages(page);
        await expectNativeLabels(page, 'Lessons > wavefront', ['--lesson', 'wavefront']);
        assert((await page.locator('#lesson-title').textContent()) === lessons.find((l) => l.key === 'wavefront').title, 'the banner shows another lesson');
        // Inputs after the lesson replay from it.
        await page.locator('.form .command[data-command="1"]').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'a press after the lesson');

        // An unknown lesson in a fresh page: it says so and starts as usual.
        const other = await b.context.newPage();
        const otherProblems = await watch(other);
        await other.goto(`${url}#lesson=no-such-lesson`);
        await waitReady(other);
        const status = await other.locator('#status').textContent();
        assert(status.includes("unknown lesson 'no-such-lesson'") && !status.includes('\n'), `an unknown lesson says ${status}`);
        await expectNativeLabels(other, 'after an unknown lesson', []);
        assert(problems.length === 0 && otherProblems.length === 0, [...problems, ...otherProblems].join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: "the challenge's reveal gives native --challenge's numbers on an overlay that leaves the lab's picture alone",
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        await chooseMenu(page, 'lessons-menu', 'challenge');
        assert(await page.locator('#challenge').isVisible(), 'the challenge panel is not shown');
        // The guess: two drags of the entry point and two arrow keys.
        for (const [dx, dy] of [[70, 40], [25, -12]]) {
          const [x, y] = await centreOf(page, '.form .marker.entry');
          await page.mouse.move(x, y);
          await page.mouse.down();
          await page.mouse.move(x + dx, y + dy, { steps: 3 });
          await page.mouse.up();
          await dismissMessages(page);
        }
        await page.keyboard.press('ArrowDown');
        await page.keyboard.press('Shift+ArrowRight');
        await page.waitForFunction(() => document.getElementById('challenge-tries').value === '4');
        const before = { hash: await pictureHash(page), record: await page.evaluate(() => [window.fermatLens.lab.revision(), Array.from(window.fermatLens.lab.items(0)).join(',')].join('|')) };
        await page.locator('#challenge-reveal').click();
        const calls = await pageCalls(page);
        assert(calls[0].call === 'challengeStart', 'the challenge did not start before the inputs');
        const line = nativeStdout(await clientSize(page), ['--challenge', ...callsToActions(calls)]).split('\n').find((l) => l.startsWith('Challenge\t'));
        const revealed = await page.evaluate(() => JSON.parse(window.fermatLens.lab.challenge()).revealed);
        const shown = await page.locator('#challenge-answer').getAttribute('data-text');
        assert(`Challenge\t${shown}` === line, `the page shows ${shown}, fermat-lab --challenge ${line}`);
        assert(revealed.found && revealed.tries === 4, `revealed ${JSON.stringify(revealed)}`);
        const items = await page.locator('#challenge-answer li').allTextContents();
        assert(items.length === 4 && items.join("; ") === line.replace(/^Challenge\ttries \d+; /, ""), `the answer's rows: ${items}`);
        assert(!items.some((t) => /NaN/.test(t)), 'the answer shows NaN');
        const overlay = await overlayPixels(page);
        assert(overlay.least > 100, `the least-time path is not drawn on the overlay (${overlay.least} pixels)`);
        const after = { hash: await pictureHash(page), record: await page.evaluate(() => [window.fermatLens.lab.revision(), Array.from(window.fermatLens.lab.items(0)).join(',')].join('|')) };
        assert(after.record === before.record, 'the reveal changed the lab\'s record');
        assert(after.hash === before.hash, 'the reveal drew into the picture');
        await expectNativeDrawing(page, 'after the reveal');

        // The entry point moved after the reveal: a new round, as in the
        // window (the lab follows the scene, not the view): no answer, and
        // that move is the round's first try.
        {
          const [x, y] = await centreOf(page, '.form .marker.entry');
          await page.mouse.move(x, y);
          await page.mouse.down();
          await page.mouse.move(x + 10, y - 8, { steps: 2 });
          await page.mouse.up();
          await dismissMessages(page);
        }
        const round = await page.evaluate(() => JSON.parse(window.fermatLens.lab.challenge()));
        assert(round.on && round.revealed === null && round.tries === 1, `after a move: ${JSON.stringify(round)}`);
        await page.waitForFunction(() => document.getElementById('challenge-tries').value === '1');
        assert(await page.locator('#challenge-answer').isHidden(), 'the old answer is still shown');
        const cleared = await overlayPixels(page);
        assert(cleared.hidden || cleared.any === 0, `the old answer stays on the overlay (${cleared.any} pixels)`);

        // Challenge mode off: the overlay and the panel go.
        await chooseMenu(page, 'lessons-menu', 'challenge');
        const gone = await overlayPixels(page);
        assert(gone.hidden || gone.any === 0, `the overlay stays after challenge mode is off (${gone.any} pixels)`);
        assert(!(await page.locator('#challenge').isVisible()), 'the challenge panel stays');
        assert(!(await page.evaluate(() => JSON.parse(window.fermatLens.lab.challenge()).on)), 'the lab\'s challenge is still on');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'the equal-time view shows native --equal-time numbers, at the least spread and at a chosen x',
    async run({ url }) {
      const b = await openBrowser({ viewport: { width: 1400, height: 860 } });
      try {
        const { page, problems } = await openPage(b, `${url}?graphs=1`);
        const note = () => page.locator('.equal-time .graph-note').textContent();
        assert((await note()) === 'press "continuation of bundle after lens" first', `before a continuation: ${await note()}`);
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        const least = await expectEqualTime(page, null, 'at the least spread');
        // A chosen x, typed.
        await page.locator('.et-x').fill('150');
        await page.locator('.et-x').press('Enter');
        assert(!(await page.locator('.et-least').isChecked()), 'least spread stays ticked after x is chosen');
        await expectEqualTime(page, 150, 'at x = 150');
        const csv = await menuDownload(page, 'equal-time');
        const native150 = await nativeEqualTime(page, 150);
        assert(csv.data.toString('utf8') === native150.text, 'the equal-time CSV is not the native --equal-time-at 150 file');
        // Back to the least spread; then another bundle, after the rays bar moved.
        await page.locator('.et-least').check();
        await expectEqualTime(page, null, 'least spread again');
        await page.locator('.form .scrollbar[data-bar="1"] .arrow.dec').click();
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        const other = await expectEqualTime(page, null, 'after another continuation');
        assert(other.rays.length !== least.rays.length || other.bestX !== least.bestX, 'the second bundle gave the same view');
        // A fresh start has no continuation.
        await chooseMenu(page, 'file-menu', 'reset');
        await page.waitForFunction(() => document.querySelector('.equal-time .graph-note').textContent.startsWith('press'));
        // Through the slab (two flat faces) the rays go on parallel to their
        // paths before it: the view still agrees with the native one.
        await page.locator('#toggle-lens').click();
        await page.locator('#lens-preset').selectOption('slab');
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        await expectEqualTime(page, null, 'through the slab');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
