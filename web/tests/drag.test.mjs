// Dragging: the two markers with the mouse and with a finger, and a scroll
// bar's thumb; live while dragging, and the native program's labels after.

import {
  assert,
  centreOf,
  dismissMessages,
  expectNativeLabels,
  nanLabels,
  openBrowser,
  openPage,
  pageCalls,
} from './harness.mjs';

const barValue = (page, bar) => page.evaluate((bar) => JSON.parse(window.fermatLens.lab.controls()).bars[bar].value, bar);
const frame = (page) => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));

async function dragMarker(url, which) {
  const b = await openBrowser();
  try {
    const { page, problems } = await openPage(b, url);
    const [x, y] = await centreOf(page, `.form .marker.${which}`);
    await page.mouse.move(x, y);
    await page.mouse.down();
    await page.mouse.move(x + 37, y - 23, { steps: 6 });
    await frame(page);
    // Live: the path and its time are those the native program leaves after the same moves.
    const live = await expectNativeLabels(page, `while dragging the ${which}`);
    const idles = (await pageCalls(page)).filter((c) => c.call === 'idle').length;
    assert(idles >= 1, 'no live redraw while dragging');
    const labelsLive = live.native.labels.join('|');
    await page.mouse.move(x + 61, y + 44, { steps: 5 });
    await page.mouse.up();
    await dismissMessages(page);
    const done = await expectNativeLabels(page, `after dragging the ${which}`);
    assert(done.actions.some((a) => a.startsWith('up=')), 'the release was not delivered');
    // The marker is where it was let go.
    const [mx, my] = await centreOf(page, `.form .marker.${which}`);
    assert(Math.abs(mx - (x + 61)) <= 1.5 && Math.abs(my - (y + 44)) <= 1.5, `the ${which} marker stands at ${mx},${my}, not ${x + 61},${y + 44}`);
    assert(labelsLive.length > 0, 'no live labels');
    assert((await nanLabels(page)).length === 0, 'a label showed NaN');
    assert(problems.length === 0, problems.join('\n'));
  } finally {
    await b.close();
  }
}

export const tests = [
  { name: 'dragging the source gives the labels of the native program, live and after', run: ({ url }) => dragMarker(url, 'source') },
  { name: 'dragging the entry point gives the labels of the native program, live and after', run: ({ url }) => dragMarker(url, 'entry') },
  {
    name: "dragging a scroll bar's thumb gives the labels of the native program",
    async run({ url }) {
      const b = await openBrowser({ viewport: { width: 1440, height: 900 } });
      try {
        const { page, problems } = await openPage(b, url);
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        for (const [bar, dx, dy] of [[2, 140, 0], [0, 0, 60], [1, 0, 45]]) {
          const [x, y] = await centreOf(page, `.form .scrollbar[data-bar="${bar}"] .thumb`);
          const before = await barValue(page, bar);
          await page.mouse.move(x, y);
          await page.mouse.down();
          await page.mouse.move(x + dx / 2, y + dy / 2, { steps: 4 });
          await frame(page);
          await page.mouse.move(x + dx, y + dy, { steps: 4 });
          await frame(page);
          await page.mouse.up();
          await dismissMessages(page);
          const calls = await pageCalls(page);
          const moved = calls.filter((c) => c.call === 'thumbMoved' && c.args[0] === bar).length;
          assert(moved >= 2, `bar ${bar}: ${moved} thumb moves delivered`);
          assert(calls.some((c) => c.call === 'thumbReleased' && c.args[0] === bar), `bar ${bar}: no release`);
          await expectNativeLabels(page, `after dragging bar ${bar}'s thumb`);
          // The thumb stays under the hand, and the value went the bar's way
          // (the height bar has 99 at the top, -99 at the bottom).
          const [tx, ty] = await centreOf(page, `.form .scrollbar[data-bar="${bar}"] .thumb`);
          assert(Math.abs(tx - (x + dx)) <= 4 && Math.abs(ty - (y + dy)) <= 4, `bar ${bar}: the thumb is at ${tx},${ty}, the pointer at ${x + dx},${y + dy}`);
          const after = await barValue(page, bar);
          const expectDown = bar === 0 ? after < before : after > before;
          assert(expectDown, `bar ${bar}: the value went from ${before} to ${after}`);
        }
        // The arrows and the track step as the native bars do.
        await page.locator('.form .scrollbar[data-bar="0"] .arrow.inc').click();
        await page.locator('.form .scrollbar[data-bar="1"] .arrow.dec').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'after the arrows');
        assert((await nanLabels(page)).length === 0, 'a label showed NaN');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'a finger drags the source; a second finger changes nothing',
    async run({ url }) {
      const b = await openBrowser({ hasTouch: true, viewport: { width: 1024, height: 768 } });
      try {
        const { page, problems } = await openPage(b, url);
        const cdp = await b.context.newCDPSession(page);
        const [x, y] = await centreOf(page, '.form .marker.source');
        const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: points });
        await touch('touchStart', [{ x, y, id: 1 }]);
        for (let k = 1; k <= 6; ++k) {
          await touch('touchMove', [{ x: x + 8 * k, y: y - 5 * k, id: 1 }]);
          if (k === 3) await touch('touchStart', [{ x: x + 8 * k, y: y - 5 * k, id: 1 }, { x: 300, y: 300, id: 2 }]);
          if (k > 3) await touch('touchMove', [{ x: x + 8 * k, y: y - 5 * k, id: 1 }, { x: 300 + 20 * k, y: 320, id: 2 }]);
        }
        await touch('touchEnd', [{ x: x + 48, y: y - 30, id: 1 }]);
        await touch('touchEnd', []);
        await frame(page);
        await dismissMessages(page);
        const calls = await pageCalls(page);
        assert(calls.filter((c) => c.call === 'pointerDown').length === 1, `pointer presses: ${JSON.stringify(calls)}`);
        assert(calls.filter((c) => c.call === 'pointerMove').length >= 3, 'the finger did not drag');
        await expectNativeLabels(page, 'after the finger drag');
        const [mx, my] = await centreOf(page, '.form .marker.source');
        assert(Math.abs(mx - (x + 48)) <= 1.5 && Math.abs(my - (y - 30)) <= 1.5, `the source stands at ${mx},${my}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
