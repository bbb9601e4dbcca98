// The page for everyone: axe-core finds no violation of the WCAG 2.1 A and AA
// rules in any state these tests reach, and the accessibility tree names
// every control and the picture.

import { readFileSync } from 'node:fs';
import { join } from 'node:path';

import { assert, chooseMenu, dismissMessages, expectNativeLabels, openBrowser, openPage, waitPlayEnd, webDir } from './harness.mjs';

const AXE = readFileSync(join(webDir, 'node_modules', 'axe-core', 'axe.min.js'), 'utf8');

/** axe-core's violations of WCAG 2.0/2.1 A and AA on the page as it stands, one line each. */
async function violations(page) {
  if (!(await page.evaluate(() => 'axe' in window))) await page.addScriptTag({ content: AXE });
  const found = await page.evaluate(async () => {
    const r = await window.axe.run(document, {
      runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa'] },
      resultTypes: ['violations'],
    });
    return r.violations.map((v) => `${v.id} (${v.impact}): ${v.help} — ${v.nodes.map((n) => n.target.join(' ')).slice(0, 4).join(', ')}`);
  });
  return found;
}

async function expectClean(page, state) {
  const found = await violations(page);
  assert(found.length === 0, `${state}:\n  ${found.join('\n  ')}`);
}

export const tests = [
  {
    name: 'axe-core finds no WCAG 2.1 A or AA violation: at start, with each menu, panel, dialog and mode open, in Arabic',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, `${url}?graphs=1&lens=1`);
        await expectClean(page, 'at start with the graphs and the lens panel');
        await page.keyboard.press('Control+5');
        await dismissMessages(page);
        await expectClean(page, 'after a bundle continuation');
        for (const menu of ['file-menu', 'lessons-menu', 'help-menu', 'language-menu']) {
          await page.locator(`#${menu} > summary`).click();
          await expectClean(page, `with ${menu} open`);
          await page.locator(`#${menu} > summary`).click();
        }
        await chooseMenu(page, 'help-menu', 'guide');
        await expectClean(page, 'with the guide open');
        await page.keyboard.press('Escape');
        await chooseMenu(page, 'lessons-menu', 'challenge');
        await expectClean(page, 'in challenge mode');
        await page.goto(`${url}?lang=ar&graphs=1`);
        await page.waitForFunction(() => window.fermatLens?.ready);
        await expectClean(page, 'in Arabic');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: "the accessibility tree names the picture, every button, bar, marker and menu",
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        const unnamed = await page.evaluate(() => {
          const out = [];
          const named = (e) =>
            (e.getAttribute('aria-label') ?? '').trim() ||
            (e.getAttribute('aria-labelledby') && document.getElementById(e.getAttribute('aria-labelledby'))?.textContent?.trim()) ||
            (e.textContent ?? '').trim() ||
            (e.getAttribute('title') ?? '').trim();
          for (const e of document.querySelectorAll('button, summary, [role=scrollbar], [role=slider], input, select, canvas, .marker')) {
            if (e.closest('[hidden]')) continue;
            if (!named(e)) out.push(e.outerHTML.slice(0, 120));
          }
          return out;
        });
        assert(unnamed.length === 0, `unnamed: ${unnamed.join('\n')}`);
        const tree = await page.locator('body').ariaSnapshot();
        for (const want of [/img "the picture/, /button "position by Fermat"/i, /scrollbar "target height"/]) {
          assert(want.test(tree), `the accessibility tree has no ${want}:\n${tree.slice(0, 3000)}`);
        }
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: "a dark system theme darkens the page's own parts only: axe-core finds no violation, the client area's pixels are the light theme's",
    async run({ url }) {
      const b = await openBrowser({ colorScheme: 'dark' });
      try {
        const { page, problems } = await openPage(b, `${url}?graphs=1&lens=1`);
        await page.keyboard.press('Control+2');
        await dismissMessages(page);
        const toolbar = await page.evaluate(() => getComputedStyle(document.getElementById('toolbar')).backgroundColor);
        assert(toolbar === 'rgb(42, 42, 42)', `the toolbar in the dark theme: ${toolbar}`);
        await expectClean(page, 'in the dark theme');
        await page.locator('#help-menu > summary').click();
        await expectClean(page, 'in the dark theme with the Help menu open');
        await page.locator('#help-menu > summary').click();
        const dark = await page.locator('.form').screenshot();
        await page.emulateMedia({ colorScheme: 'light' });
        const light = await page.locator('.form').screenshot();
        assert(dark.equals(light), 'the client area differs between the dark and the light theme');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'on a touch screen every control of the toolbar, its menus and the panel is at least 44 CSS pixels each way',
    async run({ url }) {
      const b = await openBrowser({ hasTouch: true, isMobile: false });
      try {
        const { page, problems } = await openPage(b, `${url}?lens=1`);
        assert(await page.evaluate(() => matchMedia('(pointer: coarse)').matches), 'the touch screen is not a coarse pointer');
        const small = [];
        for (const menu of ['file-menu', 'lessons-menu', 'help-menu', 'language-menu']) {
          await page.locator(`#${menu} > summary`).tap();
          small.push(
            ...(await page.evaluate((id) => {
              const out = [];
              const sel = `#toolbar > details > summary, #toolbar > .tool, #${id} .menu-items button, #panel button, #panel select, #panel input[type=number], #panel input[type=text]`;
              for (const e of document.querySelectorAll(sel)) {
                const r = e.getBoundingClientRect();
                if (r.width === 0 && r.height === 0) continue; // not shown
                if (r.width < 44 || r.height < 44) out.push(`${e.outerHTML.slice(0, 80)}: ${Math.round(r.width)}x${Math.round(r.height)}`);
              }
              return out;
            }, menu)),
          );
          await page.locator(`#${menu} > summary`).tap();
        }
        assert(small.length === 0, `too small for a finger:\n${[...new Set(small)].join('\n')}`);
        await expectClean(page, 'on a touch screen');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'with reduced motion Play shows the end of the sweep without the sweep, the native labels after it',
    async run({ url }) {
      const b = await openBrowser({ reducedMotion: 'reduce' });
      try {
        const { page, problems } = await openPage(b, url);
        await page.keyboard.press('Control+5');
        await dismissMessages(page);
        // Every frame painted while it plays: with reduced motion only the end is seen.
        await page.evaluate(() => {
          window.timesSeen = [];
          const seen = () => {
            window.timesSeen.push(JSON.parse(window.fermatLens.lab.controls()).bars[2].value);
            if (window.timesSeen.length < 600) requestAnimationFrame(seen);
          };
          requestAnimationFrame(seen);
        });
        await page.keyboard.press('Space');
        await waitPlayEnd(page);
        await dismissMessages(page);
        const seen = await page.evaluate(() => [...new Set(window.timesSeen)]);
        assert(seen.length <= 3, `the sweep was shown step by step: ${seen.join(' ')}`);
        await expectNativeLabels(page, 'after Play with reduced motion');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'at 200 % and 400 % zoom (a laptop seen through 640 and 320 CSS pixels) every control of the toolbar is in sight and works; axe-core finds no violation',
    async run({ url }) {
      for (const [width, height] of [
        [640, 400],
        [320, 200],
      ]) {
        const b = await openBrowser({ viewport: { width, height } });
        try {
          const { page, problems } = await openPage(b, url);
          const out = await page.evaluate((w) => {
            const bad = [];
            for (const e of document.querySelectorAll('#toolbar > details > summary, #toolbar > .tool')) {
              const r = e.getBoundingClientRect();
              if (r.left < 0 || r.right > w + 0.5 || r.width === 0) bad.push(`${e.textContent} at ${Math.round(r.left)}..${Math.round(r.right)}`);
            }
            return { bad, scroll: document.documentElement.scrollWidth };
          }, width);
          assert(out.bad.length === 0, `${width}px: out of sight: ${out.bad.join(', ')}`);
          assert(out.scroll <= width, `${width}px: the page scrolls sideways (${out.scroll}px)`);
          // Still every activity: the graphs open from the toolbar and a button of the client area works.
          await page.locator('#toggle-graphs').click();
          await page.waitForFunction(() => !document.getElementById('graphs').hidden);
          await page.keyboard.press('Control+2');
          await dismissMessages(page);
          await expectNativeLabels(page, `${width}px after a bundle`);
          await expectClean(page, `${width}px wide`);
          assert(problems.length === 0, problems.join('\n'));
        } finally {
          await b.close();
        }
      }
    },
  },
  {
    name: 'High contrast repaints the record with wider pens, darker reds and larger markers, and gives the same pixels back when off; on by itself where the system asks for more contrast',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        await page.keyboard.press('Control+2');
        await dismissMessages(page);
        const pixels = () =>
          page.evaluate(() => {
            const c = document.querySelector('#stage canvas.picture');
            const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
            let red = 0;
            for (let i = 0; i < d.length; i += 4) if (d[i] === 255 && d[i + 1] === 0 && d[i + 2] === 0) ++red;
            return { red, sum: d.reduce((a, v, i) => (a + v * ((i % 97) + 1)) % 1000000007, 0) };
          });
        const markerWidth = () => page.evaluate(() => document.querySelector('.marker.entry').getBoundingClientRect().width);
        const plain = await pixels();
        const plainMarker = await markerWidth();
        assert(plain.red > 100, `few red pixels to begin with (${plain.red})`);
        await page.locator('#toggle-contrast').click();
        assert((await page.locator('#toggle-contrast').getAttribute('aria-pressed')) === 'true', 'the switch is not pressed');
        const high = await pixels();
        assert(high.red === 0, `${high.red} pure red pixels in the high-contrast picture`);
        const scale = JSON.parse(await page.evaluate(() => window.fermatLens.lab.contrastTheme())).markerScale;
        assert(Math.abs((await markerWidth()) - plainMarker * scale) < 0.5, `the marker is ${await markerWidth()} wide`);
        await expectClean(page, 'in high contrast');
        await page.locator('#toggle-contrast').click();
        const again = await pixels();
        assert(again.sum === plain.sum && again.red === plain.red, 'off again, the picture is not the program\'s own');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
      const more = await openBrowser({ contrast: 'more' });
      try {
        const { page } = await openPage(more, url);
        assert((await page.locator('#toggle-contrast').getAttribute('aria-pressed')) === 'true', 'prefers-contrast: more did not turn it on');
      } finally {
        await more.close();
      }
    },
  },
];
