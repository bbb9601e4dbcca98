// The page as it opens, its buttons and keys, and its picture.

import {
  assert,
  canvasPixel,
  centreOf,
  dismissMessages,
  expectNativeDrawing,
  expectNativeLabels,
  nanLabels,
  openBrowser,
  openPage,
  pageCalls,
  waitPlayEnd,
  worldToClient,
} from './harness.mjs';

/** Counts the picture's pixels in a client rectangle that pass a test (read back at the device ratio). */
function countPixels(page, rect, kind) {
  return page.evaluate(
    ([rect, kind]) => {
      const c = document.querySelector('canvas.picture');
      const r = c.width / window.fermatLens.page.width;
      const [x0, y0, x1, y1] = rect.map((v) => Math.max(0, Math.round(v * r)));
      const w = Math.min(c.width, x1) - x0;
      const h = Math.min(c.height, y1) - y0;
      if (w <= 0 || h <= 0) return 0;
      const d = c.getContext('2d').getImageData(x0, y0, w, h).data;
      let n = 0;
      for (let i = 0; i < d.length; i += 4) {
        const [R, G, B] = [d[i], d[i + 1], d[i + 2]];
        if (kind === 'olive' ? R === 150 && G === 150 && B === 80 : R >= 200 && G <= 90 && B <= 90) ++n;
      }
      return n;
    },
    [rect, kind],
  );
}

/** Red pixels right of the lens, away from the (red) axis. */
async function redRightOfLens(page) {
  const [w, h] = await page.evaluate(() => [window.fermatLens.page.width, window.fermatLens.page.height]);
  const [lensRight, axisY] = await worldToClient(page, 80, 0);
  const above = await countPixels(page, [lensRight, 0, w - 60, axisY - 4], 'red');
  const below = await countPixels(page, [lensRight, axisY + 5, w - 60, h], 'red');
  return above + below;
}

export const tests = [
  {
    name: 'the page opens without errors and shows the start-up labels of the native program',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        await expectNativeLabels(page, 'at start-up');
        const buttons = await page.locator('.form .command').allTextContents();
        assert(buttons.length === 5, `5 buttons expected, found ${buttons.length}`);
        const captions = await page.evaluate(() => JSON.parse(window.fermatLens.lab.controls()).buttons.map((x) => x.caption));
        assert(JSON.stringify(buttons) === JSON.stringify(captions), `button captions ${JSON.stringify(buttons)} are not the program's ${JSON.stringify(captions)}`);
        assert((await page.locator('.form .scrollbar.vertical').count()) === 2, 'two vertical scroll bars expected');
        assert((await page.locator('.form .scrollbar.horizontal').count()) === 1, 'one horizontal scroll bar expected');
        // The client area is the page's free area at start-up.
        const [cw, ch] = await page.evaluate(() => [window.fermatLens.page.width, window.fermatLens.page.height]);
        const stage = await page.locator('#stage').boundingBox();
        assert(Math.abs(stage.width - cw) <= 1 && Math.abs(stage.height - ch) <= 1, `client ${cw}x${ch} is not the stage ${stage.width}x${stage.height}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'each button gives the labels and messages of the native program',
    async run({ url }) {
      const b = await openBrowser({ viewport: { width: 1366, height: 768 } });
      try {
        const { page, problems } = await openPage(b, url);
        const shown = [];
        for (let k = 1; k <= 5; ++k) {
          await page.locator(`.form .command[data-command="${k}"]`).click();
          shown.push(...(await dismissMessages(page)));
          const { native } = await expectNativeLabels(page, `after button ${k}`);
          assert(JSON.stringify(shown) === JSON.stringify(native.messages), `messages ${JSON.stringify(shown)}, native ${JSON.stringify(native.messages)}`);
        }
        assert((await nanLabels(page)).length === 0, `a label showed NaN: ${await nanLabels(page)}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'keys give the labels of the native program',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        const keys = ['Control+1', 'ArrowRight', 'Shift+ArrowUp', 'ArrowDown', 'Shift+ArrowLeft', 'Control+2', 'Control+5', 'Control+4', 'Control+3'];
        for (const key of keys) {
          await page.keyboard.press(key);
          await dismissMessages(page);
          await expectNativeLabels(page, `after ${key}`);
        }
        await page.keyboard.press('Space');
        await page.waitForFunction(() => !window.fermatLens.lab.playing(), null, { timeout: 20000 });
        await dismissMessages(page);
        await expectNativeLabels(page, 'after Space (Play to the end)');
        const spelled = (await page.evaluate(() => window.fermatLens.page.calls.filter((c) => c.call === 'key').map((c) => c.args[0])));
        assert(spelled.join(' ') === 'Ctrl+1 Right Shift+Up Down Shift+Left Ctrl+2 Ctrl+5 Ctrl+4 Ctrl+3 Space', `keys spelled ${spelled.join(' ')}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'the picture shows the olive lens and, after the bundle continuation, red rays',
    async run({ url }) {
      const b = await openBrowser({ viewport: { width: 1280, height: 800 }, deviceScaleFactor: 2 });
      try {
        const { page, problems } = await openPage(b, url);
        // Inside the lens, above the axis.
        const [x0, y0] = await worldToClient(page, -4, 45);
        const [x1, y1] = await worldToClient(page, 4, 10);
        const inside = (x1 - x0) * (y1 - y0) * 4; // device pixels at ratio 2
        const olive = await countPixels(page, [x0, y0, x1, y1], 'olive');
        assert(olive > 0.7 * inside, `the lens interior is not olive: ${olive} of ${inside} pixels`);
        for (const [wx, wy] of [[0, 0], [0, 30], [0, -30]]) {
          const [cx, cy] = await worldToClient(page, wx, wy);
          const px = await canvasPixel(page, cx, cy);
          assert(px[0] === 150 && px[1] === 150 && px[2] === 80, `pixel at the lens point (${wx}, ${wy}) is ${px}`);
        }
        await page.locator('.form .command[data-command="2"]').click();
        await dismissMessages(page);
        const before = await redRightOfLens(page);
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        const after = await redRightOfLens(page);
        assert(before < 50, `red right of the lens before the continuation: ${before} pixels`);
        assert(after > 2000, `too few red pixels right of the lens after the continuation: ${after}`);
        const olive2 = await countPixels(page, [x0, y0, x1, y1], 'olive');
        assert(olive2 > 0.5 * inside, `the lens lost its fill: ${olive2} of ${inside}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },

  {
    name: "the page's copy of the picture follows the native program's drawing, operation by operation",
    async run({ url }) {
      const b = await openBrowser({ viewport: { width: 1300, height: 820 } });
      try {
        const { page, problems } = await openPage(b, url);
        await expectNativeDrawing(page, 'at start-up');
        for (const k of [2, 3]) {
          await page.locator(`.form .command[data-command="${k}"]`).click();
          await dismissMessages(page);
          await expectNativeDrawing(page, `after button ${k}`); // the record grew
        }
        // File > Reset: a fresh start, whose record counts anew.
        await page.locator('#file-menu > summary').click();
        await page.locator('[data-action="reset"]').click();
        await expectNativeDrawing(page, 'after Reset');
        await expectNativeLabels(page, 'after Reset');
        await page.locator('.form .command[data-command="2"]').click();
        await dismissMessages(page);
        await expectNativeDrawing(page, 'after Reset and button 2');
        const [x, y] = await centreOf(page, '.form .marker.source');
        await page.mouse.move(x, y);
        await page.mouse.down();
        await page.mouse.move(x - 30, y + 25, { steps: 4 });
        await page.mouse.up();
        await dismissMessages(page);
        await expectNativeDrawing(page, 'after a drag'); // a new generation
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        await expectNativeDrawing(page, 'after button 5');
        const [tx, ty] = await centreOf(page, '.form .scrollbar[data-bar="2"] .thumb');
        await page.mouse.move(tx, ty);
        await page.mouse.down();
        await page.mouse.move(tx + 90, ty, { steps: 5 });
        await page.mouse.up();
        await dismissMessages(page);
        await expectNativeDrawing(page, 'after a thumb drag');
        await page.locator('.form .play').click();
        await waitPlayEnd(page);
        await dismissMessages(page);
        const n = await expectNativeDrawing(page, 'after Play');
        assert(n > 30, `only ${n} operations after Play`);
        assert((await pageCalls(page)).some((c) => c.call === 'thumbMoved'), 'the thumb was not dragged');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
