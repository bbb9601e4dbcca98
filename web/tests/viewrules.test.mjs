// The page follows the lab's rules and draws the lab's data, as the window
// does (tests/app/ViewRulesWindowTest.cpp): Play's button where the lab puts
// it and its interval, any press but Play's stopping the sweep, a focused
// bar's keys, the challenge's answer as the lab draws it, and the Lens
// panel's sliders by the lab's mapping.

import {
  assert,
  centreOf,
  chooseMenu,
  dismissMessages,
  expectNativeLabels,
  openBrowser,
  openPage,
  pagePoint,
  worldToClient,
} from './harness.mjs';

const controlsOf = (page) => page.evaluate(() => JSON.parse(window.fermatLens.lab.controls()));

/** The element's box in pixels of the client area. */
async function boxInForm(page, selector) {
  const [box, form] = [await page.locator(selector).boundingBox(), await page.locator('.form').boundingBox()];
  return [box.x - form.x, box.y - form.y, box.width, box.height];
}

export const tests = [
  {
    name: "Play's button stands where the lab puts it, ticks at the lab's interval, and any press but Play's stops it",
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        const c = await controlsOf(page);
        const box = await boxInForm(page, '.form .play');
        box.forEach((v, i) => assert(Math.abs(v - c.play.rect[i]) < 0.5, `Play's button at ${box}, the lab's ${c.play.rect}`));
        // The interval the page's timer is given.
        await page.evaluate(() => {
          window.__intervals = [];
          const set = window.setInterval.bind(window);
          window.setInterval = (f, ms, ...rest) => {
            window.__intervals.push(ms);
            return set(f, ms, ...rest);
          };
        });
        const presses = [
          { where: 'the Play button', selector: '.form .play', stops: 'toggles' },
          { where: 'the graphs panel', selector: '#panel', stops: false },
          { where: 'a label', selector: '.form .label[data-label="6"]', stops: true },
          { where: 'the picture', selector: 'canvas.picture', stops: true },
        ];
        for (const p of presses) {
          await page.evaluate(() => window.fermatLens.lab.setBar(2, 5));
          await page.locator('.form .play').click();
          assert(await page.evaluate(() => window.fermatLens.lab.playing()), 'Play did not start');
          if (!(await page.locator(p.selector).isVisible())) continue;
          // The picture pressed away from the markers.
          const [x, y] =
            p.selector === 'canvas.picture'
              ? await pagePoint(page, ...(await worldToClient(page, 200, -200)))
              : await centreOf(page, p.selector);
          await page.mouse.move(x, y);
          await page.mouse.down();
          await page.mouse.up();
          const playing = await page.evaluate(() => window.fermatLens.lab.playing());
          const expected = p.stops === false;
          assert(playing === expected, `a press on ${p.where}: playing ${playing}`);
          if (playing) await page.locator('.form .play').click();
          await dismissMessages(page);
        }
        const intervals = await page.evaluate(() => window.__intervals);
        assert(intervals.length > 0 && intervals.every((ms) => ms === c.play.intervalMs), `Play's timer intervals ${intervals}, the lab's ${c.play.intervalMs}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: "a pressed scroll bar's keys move it by the lab's rule, as native setting the value does",
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        // Pressed on its thumb, left where it stands: the bar keeps the keys.
        const [x, y] = await centreOf(page, '.scrollbar[data-bar="1"] .thumb');
        await page.mouse.move(x, y);
        await page.mouse.down();
        await page.mouse.up();
        for (const c of [
          { key: 'PageDown', value: (bar) => bar.value + bar.largeChange },
          { key: 'ArrowUp', value: (bar) => bar.value - bar.smallChange },
          { key: 'End', value: (bar) => bar.max },
          { key: 'Home', value: (bar) => bar.min },
          { key: 'Shift+ArrowDown', value: (bar) => bar.value + bar.smallChange },
        ]) {
          const before = (await controlsOf(page)).bars[1];
          await page.keyboard.press(c.key);
          await dismissMessages(page);
          const after = (await controlsOf(page)).bars[1];
          assert(after.value === c.value(before), `${c.key} took the rays from ${before.value} to ${after.value}`);
        }
        await expectNativeLabels(page, "after a bar's keys");
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: "the challenge's overlay draws the lab's drawing of the answer",
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        await chooseMenu(page, 'lessons-menu', 'challenge');
        for (const [dx, dy] of [[0, -40], [30, 60]]) {
          const [x, y] = await centreOf(page, '.form .marker.entry');
          await page.mouse.move(x, y);
          await page.mouse.down();
          await page.mouse.move(x + dx, y + dy, { steps: 2 });
          await page.mouse.up();
          await dismissMessages(page);
          await page.locator('#challenge-reveal').click();
          const result = await page.evaluate(() => {
            const p = window.fermatLens.page;
            const drawing = JSON.parse(p.lab.challenge()).revealed.drawing;
            const frames = JSON.parse(p.lab.frames());
            const f = frames[frames.length - 1];
            const c = document.querySelector('canvas.overlay');
            const r = c.width / p.width;
            return drawing.dots.map((d) => {
              const x = ((d.x - f.left) * p.width) / f.width;
              const y = ((d.y - f.top) * p.height) / f.height;
              const px = Array.from(c.getContext('2d').getImageData(Math.floor(x * r), Math.floor(y * r), 1, 1).data);
              return { text: d.text, fill: d.fill, px };
            });
          });
          assert(result.length > 0, 'the lab gave no dots');
          for (const d of result) {
            const want = [(d.fill >> 16) & 255, (d.fill >> 8) & 255, d.fill & 255, 255];
            assert(d.px.join() === want.join(), `${d.text}: the overlay shows ${d.px}, the lab's colour ${want}`);
          }
        }
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: "the Lens panel's sliders give the lens the lab maps each position to, as the window's panel does",
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, `${url}?lens=1`);
        // The same positions as the window's test.
        for (const c of [
          { key: 'r2', position: 7 },
          { key: 'r2', position: -3 },
          { key: 'n', position: 163 },
          { key: 'thickness', position: 44 },
        ]) {
          const slider = page.locator(`#lens-${c.key}`).locator('xpath=..').locator('.lens-slider');
          await slider.evaluate((s, p) => {
            s.value = String(p);
            s.dispatchEvent(new Event('input', { bubbles: true }));
          }, c.position);
          await dismissMessages(page);
          const got = await page.evaluate(
            ({ key, position }) => ({
              lens: JSON.parse(window.fermatLens.lab.lens())[key],
              lab: JSON.parse(window.fermatLens.lab.lensSliderValue(key, position)),
            }),
            c,
          );
          assert(got.lens === got.lab, `${c.key} at ${c.position}: the lens has ${got.lens}, the lab maps it to ${got.lab}`);
        }
        // A face's radius as its field shows it (one decimal), not 10000 / 7.
        const r2 = await page.evaluate(() => JSON.parse(window.fermatLens.lab.lensSliderValue('r2', 7)));
        assert(r2 !== 10000 / 7, 'the face slider gives an unrounded radius');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
