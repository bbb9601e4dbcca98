// Play, a resize while it plays, and the message box.

import {
  assert,
  canvasPixel,
  dismissMessages,
  expectNativeLabels,
  nanLabels,
  nativeRun,
  clientSize,
  openBrowser,
  openPage,
  pageLabels,
  waitPlayEnd,
  worldToClient,
} from './harness.mjs';

export const tests = [
  {
    name: 'Play sweeps the time to 100 as the native program does',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        await page.locator('.form .play').click();
        assert(await page.evaluate(() => window.fermatLens.lab.playing()), 'Play did not start');
        assert((await page.locator('.form .play').textContent()) === '\u275A\u275A', 'the button does not show Pause while playing');
        await page.waitForTimeout(200);
        const ticks = await page.evaluate(() => window.fermatLens.page.calls.filter((c) => c.call === 'playTick').length);
        assert(ticks >= 2, `only ${ticks} ticks in 200 ms`);
        await waitPlayEnd(page);
        await dismissMessages(page);
        await expectNativeLabels(page, 'after Play');
        assert((await page.locator('.form .play').textContent()) === '\u25B6', 'the button does not show Play after the sweep');
        assert((await nanLabels(page)).length === 0, 'a label showed NaN');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'a resize while playing keeps the lab, its frame and its picture',
    async run({ url }) {
      const b = await openBrowser({ viewport: { width: 1200, height: 760 } });
      try {
        const { page, problems } = await openPage(b, url);
        const size = await clientSize(page);
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        await page.locator('.form .play').click();
        for (const [w, h] of [[900, 600], [1500, 900], [640, 480], [1200, 760]]) {
          await page.setViewportSize({ width: w, height: h });
          await page.waitForTimeout(60);
          // The client area keeps its size: scrolled in a smaller window, centred in a larger one.
          const box = await page.locator('.form').boundingBox();
          assert(Math.abs(box.width - size[0]) < 1 && Math.abs(box.height - size[1]) < 1, `at ${w}x${h} the client area is ${box.width}x${box.height}`);
        }
        await waitPlayEnd(page);
        await dismissMessages(page);
        assert(JSON.stringify(await clientSize(page)) === JSON.stringify(size), 'the client size changed');
        const form = await page.locator('.form').boundingBox();
        assert(Math.abs(form.width - size[0]) < 1 && Math.abs(form.height - size[1]) < 1, `the client area is ${form.width}x${form.height}`);
        await expectNativeLabels(page, 'after Play with resizes');
        const [cx, cy] = await worldToClient(page, 0, 30);
        const px = await canvasPixel(page, cx, cy);
        assert(px[0] === 150 && px[1] === 150 && px[2] === 80, `the lens is gone: ${px}`);
        // The page still takes input.
        await page.locator('.form .command[data-command="1"]').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'after a press following the resizes');
        assert((await nanLabels(page)).length === 0, 'a label showed NaN');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'while a message is open nothing else reacts; OK goes on as the native program does',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        const error = await page.evaluate(() => window.fermatLens.page.run('source=-300,0', 'height=30'));
        assert(error === '', error);
        await page.locator('.form .command[data-command="4"]').click();
        assert(await page.evaluate(() => document.getElementById('message').open), 'no message box');
        const text = await page.locator('#message .text').textContent();
        const labels = await pageLabels(page);
        // Presses and keys elsewhere while it is open.
        const canvas = await page.locator('.form canvas.picture').boundingBox();
        const [sx, sy] = await page.evaluate(() => {
          const r = document.querySelector('.marker.source').getBoundingClientRect();
          return [r.left + r.width / 2, r.top + r.height / 2];
        });
        await page.mouse.move(sx, sy);
        await page.mouse.down();
        await page.mouse.move(sx + 40, sy + 30, { steps: 3 });
        await page.mouse.up();
        await page.mouse.click(canvas.x + canvas.width / 2, canvas.y + 40);
        await page.keyboard.press('Control+2');
        await page.keyboard.press('ArrowLeft');
        const calls = await page.evaluate(() => window.fermatLens.page.calls.map((c) => c.call));
        assert(!calls.includes('pointerDown') && !calls.includes('key'), `inputs reached the lab while the message was open: ${calls}`);
        assert(await page.evaluate(() => document.getElementById('message').open), 'the message closed by itself');
        assert(JSON.stringify(await pageLabels(page)) === JSON.stringify(labels), 'the labels changed under the message');
        const shown = await dismissMessages(page);
        assert(shown[0] === text, `the box showed ${JSON.stringify(text)} first, then ${JSON.stringify(shown)}`);
        const { native } = await expectNativeLabels(page, 'after the message');
        assert(JSON.stringify(shown) === JSON.stringify(native.messages), `messages ${JSON.stringify(shown)}, native ${JSON.stringify(native.messages)}`);
        // And the page goes on.
        await page.locator('.form .command[data-command="2"]').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'after a press following the message');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },

  {
    name: 'any other press stops Play where it stands, as a change of the time bar to there',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        await page.locator('.form .play').click();
        await page.waitForFunction(() => JSON.parse(window.fermatLens.lab.controls()).bars[2].value >= 20, null, { timeout: 10000 });
        // A press on a label: it reaches no event procedure, but it stops the sweep.
        await page.locator('.form .label[data-label="5"]').click();
        const { playing, value } = await page.evaluate(() => ({
          playing: window.fermatLens.lab.playing(),
          value: JSON.parse(window.fermatLens.lab.controls()).bars[2].value,
        }));
        assert(!playing, 'Play went on after a press');
        assert(value > 5 && value < 100, `the sweep stopped at ${value}`);
        await page.waitForTimeout(150);
        const later = await page.evaluate(() => JSON.parse(window.fermatLens.lab.controls()).bars[2].value);
        assert(later === value, `the time went on to ${later} after the stop at ${value}`);
        assert((await page.locator('.form .play').textContent()) === '\u25B6', 'the button does not show Play');
        const native = nativeRun(await clientSize(page), ['press=5', `time=${value}`]);
        const shown = await pageLabels(page);
        assert(JSON.stringify(shown) === JSON.stringify(native.labels), `labels ${JSON.stringify(shown)}, native ${JSON.stringify(native.labels)}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
