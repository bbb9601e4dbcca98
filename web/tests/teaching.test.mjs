// Lessons and the challenge against fermat-lab's --lesson and --challenge.

import {
  assert,
  callsToActions,
  centreOf,
  chooseMenu,
  clientSize,
  dismissMessages,
  expectNativeDrawing,
  expectNativeLabels,
  nativeStdout,
  openBrowser,
  openPage,
  pageCalls,
  waitReady,
  watch,
} from './harness.mjs';

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
        assert(items.length === 4 && items[0] === `your time ${line.match(/your time ([-\d.]+)/)[1]}`, `the answer's rows: ${items}`);
        assert(!items.some((t) => /NaN/.test(t)), 'the answer shows NaN');
        const overlay = await overlayPixels(page);
        assert(overlay.least > 100, `the least-time path is not drawn on the overlay (${overlay.least} pixels)`);
        const after = { hash: await pictureHash(page), record: await page.evaluate(() => [window.fermatLens.lab.revision(), Array.from(window.fermatLens.lab.items(0)).join(',')].join('|')) };
        assert(after.record === before.record, 'the reveal changed the lab\'s record');
        assert(after.hash === before.hash, 'the reveal drew into the picture');
        await expectNativeDrawing(page, 'after the reveal');

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
];
