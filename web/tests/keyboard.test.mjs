// Everything from the keyboard alone: Tab reaches each marker, button, bar
// and control of the toolbar, panel and boxes (with a visible focus ring),
// and every activity is done with no pointer event at all, giving the labels
// the native program gives for the same inputs.

import { assert, dismissMessages, expectNativeLabels, openBrowser, openPage, waitPlayEnd } from './harness.mjs';

/** Presses Tab (Shift+Tab with back) until the focused element matches the selector; fails after many. */
async function tabTo(page, selector, back = false) {
  for (let i = 0; i < 150; ++i) {
    if (await page.evaluate((sel) => document.activeElement?.matches(sel) ?? false, selector)) return;
    await page.keyboard.press(back ? 'Shift+Tab' : 'Tab');
  }
  throw new Error(`Tab never reached ${selector}`);
}

/** Whether the focused element shows a ring: an outline (or the browser's focus ring) of some width. */
function focusRing(page) {
  return page.evaluate(() => {
    const e = document.activeElement;
    const s = getComputedStyle(e);
    return e.matches(':focus-visible') && (s.outlineStyle !== 'none' && parseFloat(s.outlineWidth) > 0);
  });
}

export const tests = [
  {
    name: 'a keyboard-only run does every activity (markers, the five buttons, bars, Play, lens panel, lessons, challenge, export) with no pointer event, with the native labels',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        await page.evaluate(() => {
          window.pointerEvents = 0;
          for (const type of ['pointerdown', 'mousedown', 'touchstart']) {
            document.addEventListener(type, () => ++window.pointerEvents, true);
          }
        });
        const noRing = [];
        const ringed = async (what) => {
          if (!(await focusRing(page))) noRing.push(what);
        };

        // The markers: Tab to the entry point makes it the one the arrows move.
        await tabTo(page, '.marker.entry');
        await ringed('the entry point');
        const active = await page.evaluate(() => JSON.parse(window.fermatLens.lab.controls()).active);
        assert(active === 'entry', `the focused entry point is not the active marker (${active})`);
        await page.keyboard.press('Shift+ArrowUp');
        await page.keyboard.press('BracketRight');
        await tabTo(page, '.marker.source');
        await ringed('the source');
        await page.keyboard.press('Shift+ArrowLeft');
        await expectNativeLabels(page, 'after the markers by keys');

        // The five buttons: each by Tab and Enter.
        for (const k of [1, 2, 3, 4, 5]) {
          await tabTo(page, `.command[data-command="${k}"]`);
          await ringed(`button ${k}`);
          await page.keyboard.press('Enter');
          await dismissMessages(page);
        }
        await expectNativeLabels(page, 'after the five buttons by Enter');

        // The bars: focused by Tab, moved by their keys.
        await tabTo(page, '.scrollbar[data-bar="2"]');
        await ringed('the time bar');
        await page.keyboard.press('PageUp');
        await tabTo(page, '.scrollbar[data-bar="1"]', true);
        await ringed('the rays bar');
        await page.keyboard.press('ArrowUp');
        await page.keyboard.press('ArrowUp');
        await tabTo(page, '.scrollbar[data-bar="0"]', true);
        await page.keyboard.press('ArrowDown');
        await expectNativeLabels(page, 'after the bars by keys');

        // Play: its button by Tab and Enter, to the end of the sweep.
        await tabTo(page, '.command[data-command="5"]');
        await page.keyboard.press('Enter');
        await dismissMessages(page);
        await tabTo(page, '.form .play');
        await ringed('Play');
        await page.keyboard.press('Enter');
        await waitPlayEnd(page);
        await dismissMessages(page);
        await expectNativeLabels(page, 'after Play by Enter');

        // The lens panel: opened from the toolbar, a preset chosen by the arrow keys.
        await tabTo(page, '#toggle-lens');
        await ringed('the Lens button');
        await page.keyboard.press('Enter');
        await tabTo(page, '#lens-preset');
        const lensBefore = await page.evaluate(() => window.fermatLens.lab.lens());
        await page.keyboard.press('ArrowDown');
        await page.waitForFunction((l) => window.fermatLens.lab.lens() !== l, lensBefore);
        await expectNativeLabels(page, 'after a lens chosen by keys');

        // A lesson from the Lessons menu.
        await tabTo(page, '#lessons-menu > summary');
        await ringed('the Lessons menu');
        await page.keyboard.press('Enter');
        await tabTo(page, '#lesson-list button');
        const lesson = await page.evaluate(() => document.activeElement.textContent);
        await page.keyboard.press('Enter');
        await page.waitForFunction(() => !document.getElementById('lesson-banner').hidden);
        const banner = await page.locator('#lesson-banner').textContent();
        assert(banner.includes(lesson), `the banner after ${lesson}: ${banner}`);
        await expectNativeLabels(page, 'after a lesson chosen by keys');

        // The challenge: on from the menu, a guess by keys, revealed by Enter.
        await tabTo(page, '#lessons-menu > summary', true);
        await page.keyboard.press('Enter');
        await tabTo(page, '[data-action="challenge"]');
        await page.keyboard.press('Enter');
        await page.waitForFunction(() => !document.getElementById('challenge').hidden);
        await tabTo(page, '.marker.entry');
        await page.keyboard.press('BracketLeft');
        await tabTo(page, '#challenge-reveal');
        await ringed('Reveal');
        await page.keyboard.press('Enter');
        await page.waitForFunction(() => !document.getElementById('challenge-answer').hidden);

        // Export: the picture as PNG from the File menu.
        await tabTo(page, '#file-menu > summary', true);
        await page.keyboard.press('Enter');
        await tabTo(page, '[data-action="png1"]');
        const [download] = await Promise.all([page.waitForEvent('download'), page.keyboard.press('Enter')]);
        assert(/\.png$/.test(download.suggestedFilename()), `the export is ${download.suggestedFilename()}`);

        assert((await page.evaluate(() => window.pointerEvents)) === 0, 'a pointer event happened');
        assert(noRing.length === 0, `no visible focus ring on: ${noRing.join(', ')}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
