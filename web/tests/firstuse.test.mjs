// What a first use shows: the Help menu's guide and keys, the first-visit
// words, links with broken %-escapes refused in the status line, the
// buttons' captions whole at phone, tablet and laptop sizes, the panel
// moved below a picture that would otherwise be a strip, and the lens
// panel's words for a field left without a number, and a thin lens filled.

import { assert, canvasPixel, centreOf, chooseMenu, expectNativeLabels, openBrowser, openPage, pagePoint, waitReady, watch, worldToClient } from './harness.mjs';

/** Each button's caption against its box: [caption, cut]. */
function captionsCut(page) {
  return page.evaluate(() =>
    [...document.querySelectorAll('.form .command')].map((b) => {
      const r = b.getBoundingClientRect();
      const s = b.firstElementChild.getBoundingClientRect();
      const cut = b.scrollHeight > b.clientHeight + 1 || b.scrollWidth > b.clientWidth + 1 || s.top < r.top - 0.5 || s.bottom > r.bottom + 0.5;
      return [b.textContent, cut];
    }),
  );
}

export const tests = [
  {
    name: 'the Help menu shows the guide with every button and the page\'s keys',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        assert(await page.locator('#first-visit').isHidden(), 'the first-visit words show on a later visit');
        await chooseMenu(page, 'help-menu', 'guide');
        const dialog = page.locator('#help');
        assert(await dialog.evaluate((d) => d.open), 'Help > Guide opened nothing');
        const guide = await dialog.locator('.help-body').textContent();
        for (const caption of await page.locator('.form .command').allTextContents()) {
          assert(guide.includes(caption), `the guide does not name the button "${caption}"`);
        }
        for (const words of ['red dot', 'blue dot', 'Challenge mode', 'Set-ups', 'Lessons', 'graphs', 'Export']) {
          assert(guide.includes(words), `the guide says nothing of ${words}`);
        }
        assert((await dialog.locator('h3').count()) >= 3, 'the guide lost its headings');
        await dialog.locator('form button').click();
        assert(!(await dialog.evaluate((d) => d.open)), 'Close left the guide open');
        await chooseMenu(page, 'help-menu', 'keys');
        const rows = await dialog.locator('tr').allTextContents();
        assert(rows.some((r) => r.startsWith('Arrow keys')) && rows.some((r) => r.startsWith('Ctrl+1 ... Ctrl+5')), `keys: ${rows}`);
        assert(!rows.some((r) => r.startsWith('Ctrl+Q')), 'the page lists the window\'s Ctrl+Q');
        await page.keyboard.press('Escape');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'a first visit shows a few words that go with the first action and not on the next visit',
    async run({ url }) {
      const b = await openBrowser({ firstVisit: true });
      try {
        const { page, problems } = await openPage(b, url);
        const box = page.locator('#first-visit');
        assert(await box.isVisible(), 'no first-visit words');
        assert((await box.textContent()).includes('Help'), 'the words do not point to the Help menu');
        await page.locator('.form .command[data-command="2"]').click();
        assert(await box.isHidden(), 'the words stay after an action');
        await page.reload();
        await waitReady(page);
        assert(await box.isHidden(), 'the words come back on a second visit');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'a link with a broken %-escape is refused in the status line and the page goes on',
    async run({ url }) {
      const b = await openBrowser();
      try {
        for (const address of ['#lesson=%FF', '#lesson=%E0%A4%A', '#setup=%FF%FE', '?graphs=%FF&lens=%#lesson=%']) {
          const page = await b.context.newPage();
          const problems = await watch(page);
          await page.goto(`${url}${address}`);
          await waitReady(page);
          const status = await page.locator('#status').textContent();
          assert(status.startsWith('The link could not be opened: ') && !status.includes('\n'), `${address}: the status says ${JSON.stringify(status)}`);
          const labels = await page.evaluate(() => window.fermatLens.lab.labelLines());
          assert(labels.includes('time=5'), `${address}: the page did not start with the default set-up`);
          // Set while the page runs: refused the same way, no uncaught error.
          await page.evaluate(() => {
            document.getElementById('status').textContent = 'an older message';
            location.hash = '#lesson=%C3%28%';
          });
          await page.waitForFunction(() => document.getElementById('status').textContent !== 'an older message');
          const later = await page.locator('#status').textContent();
          assert(later.startsWith('The link could not be opened: '), `${address}: a broken link set later says ${JSON.stringify(later)}`);
          assert(problems.length === 0, `${address}: ${problems.join('\n')}`);
          await page.close();
        }
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'the buttons\' captions are whole at phone, tablet and laptop sizes and at 200 % zoom',
    async run({ url }) {
      for (const [width, height, scale] of [[390, 844, 1], [600, 800, 1], [1024, 768, 1], [1366, 768, 1], [640, 400, 2], [360, 640, 3]]) {
        const b = await openBrowser({ viewport: { width, height }, deviceScaleFactor: scale });
        try {
          const { page, problems } = await openPage(b, url);
          const cut = (await captionsCut(page)).filter(([, c]) => c).map(([t]) => t);
          assert(cut.length === 0, `${width}x${height} at ${scale}x: cut captions ${JSON.stringify(cut)}`);
          assert(problems.length === 0, problems.join('\n'));
        } finally {
          await b.close();
        }
      }
    },
  },
  {
    name: 'a window made narrow after load puts the panel below the picture instead of leaving it a strip',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, `${url}?graphs=1`);
        const before = await page.evaluate(() => [window.fermatLens.page.width, window.fermatLens.page.height]);
        await page.setViewportSize({ width: 700, height: 500 });
        await page.waitForFunction(() => document.getElementById('main').classList.contains('panel-below'));
        const stage = await page.evaluate(() => document.getElementById('stage').getBoundingClientRect().width);
        assert(stage >= 0.6 * 700, `the picture is a ${stage} px strip`);
        const after = await page.evaluate(() => [window.fermatLens.page.width, window.fermatLens.page.height]);
        assert(after.join('x') === before.join('x'), `the lab's client area changed from ${before} to ${after}`);
        await page.setViewportSize({ width: 1600, height: 900 });
        await page.waitForFunction(() => !document.getElementById('main').classList.contains('panel-below'));
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'the lens panel says what to type in a field left empty, and maps a face\'s slider as the lab does',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, `${url}?lens=1`);
        await page.locator('#lens-n').click();
        await page.keyboard.press('Control+A');
        await page.keyboard.press('Backspace');
        const shown = await page.locator('.lens-error').textContent();
        assert(shown === 'type a number for n, from 1.05 to 4', `an empty n says ${JSON.stringify(shown)}`);
        assert(JSON.parse(await page.evaluate(() => window.fermatLens.lab.lens())).n === 2, 'an empty field changed the lens');
        await page.locator('#lens-n').fill('2');
        await page.locator('#lens-n').dispatchEvent('input');
        const { curvatureEnd } = JSON.parse(await page.evaluate(() => window.fermatLens.lab.lens()));
        const slider = page.locator('#lens-r2').locator('xpath=..').locator('.lens-slider');
        for (const p of [curvatureEnd, 33, 7, 0, -41, -curvatureEnd]) {
          await slider.evaluate((s, v) => {
            s.value = String(v);
            s.dispatchEvent(new Event('input'));
          }, p);
          const lens = JSON.parse(await page.evaluate(() => window.fermatLens.lab.lens()));
          // The radius as the field shows it (the window's spin box the same).
          const expected = JSON.parse(await page.evaluate((v) => window.fermatLens.lab.lensSliderValue('r2', v), p));
          assert(lens.r2 === expected, `slider ${p} gave r2 = ${lens.r2}, the lab's mapping ${expected}`);
        }
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'a thin hollow lens is olive across its glass, as the window fills it',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        assert((await page.evaluate(() => window.fermatLens.page.start('setLens', 'preset=biconcave,thickness=4'))) === '', 'the lens was refused');
        await page.evaluate(() => window.fermatLens.page.refresh());
        for (const [x, y] of [[0, 30], [0, -30], [-4, 60], [4, -60]]) {
          const [px, py] = await worldToClient(page, x, y);
          const rgba = await canvasPixel(page, px, py);
          assert(rgba.slice(0, 3).join(',') === '150,150,80', `the glass at (${x}, ${y}) is ${rgba}`);
        }
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'M makes the entry point the marker the arrows move, and a source dragged into the glass gets a hint',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        await page.keyboard.press('m');
        const active = await page.evaluate(() => JSON.parse(window.fermatLens.lab.controls()).active);
        assert(active === 'entry', `after M the active marker is ${active}`);
        await page.keyboard.press('Shift+ArrowUp');
        await expectNativeLabels(page, 'after M and Shift+Up');
        assert(await page.locator('#scene-hints').isHidden(), 'a hint on the start-up scene');
        const [sx, sy] = await centreOf(page, '.marker.source');
        const [tx, ty] = await pagePoint(page, ...(await worldToClient(page, -5, 10)));
        await page.mouse.move(sx, sy);
        await page.mouse.down();
        await page.mouse.move((sx + tx) / 2, (sy + ty) / 2);
        await page.mouse.move(tx, ty);
        await page.mouse.up();
        await page.waitForFunction(() => !document.getElementById('scene-hints').hidden);
        const hint = await page.locator('#scene-hints').textContent();
        assert(hint.includes('source lies in the glass'), `the hint says ${hint}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
