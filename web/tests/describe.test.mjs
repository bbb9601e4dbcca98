// Words for a screen reader: with the keys and the lab's descriptions alone a
// student finds the least-time point, and each description is the one the
// native program gives for the same actions (fermat-lab --describe).

import {
  assert,
  callsToActions,
  chooseMenu,
  clientSize,
  expectNativeLabels,
  nativeStdout,
  openBrowser,
  openPage,
  pageCalls,
} from './harness.mjs';

/** Presses the key (no pointer anywhere) and returns what the live region says after it. */
async function pressAndHear(page, key) {
  const before = await page.evaluate(() => window.fermatLens.describer.spoken);
  await page.keyboard.press(key);
  await page.waitForFunction((n) => window.fermatLens.describer.spoken > n, before, { timeout: 10000 });
  return page.evaluate(() => window.fermatLens.describer.said);
}

/**
 * What a student who cannot see the picture does: reads how far the entry
 * point is above or below the least-time point and presses the key that
 * brings it nearer (with Shift while far), until it is within `near` units.
 * Returns the last words heard.
 */
async function seek(page, said, down, up, near, keys) {
  let best = Infinity;
  for (let step = 0; step < 60; ++step) {
    const m = /([0-9.]+) units (above|below) the least-time point/.exec(said);
    if (!m) break;
    const distance = Number(m[1]);
    best = Math.min(best, distance);
    if (distance < near) break;
    const key = m[2] === 'above' ? down : up;
    said = await pressAndHear(page, distance > 8 ? `Shift+${key}` : key);
  }
  assert(best < near || said.includes('at the least-time point'), `${keys} did not lead to the least-time point: ${said}`);
  return said;
}

/** fermat-lab --describe's words after the page's actions so far: its last Described line, and its Picture line. */
async function nativeWords(page) {
  const size = await clientSize(page);
  const out = nativeStdout(size, ['--describe', ...callsToActions(await pageCalls(page))]);
  const said = out.split('\n').filter((l) => l.startsWith('Described\t'));
  const picture = out.split('\n').find((l) => l.startsWith('Picture\t'));
  return { last: said.at(-1)?.slice('Described\t'.length) ?? '', picture: picture?.slice('Picture\t'.length) ?? '' };
}

export const tests = [
  {
    name: 'by the keys and the descriptions alone the entry point is brought to the least-time point; each description is native --describe',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        await page.keyboard.press('m'); // the entry point is the marker the arrows move
        let said = await seek(page, await pressAndHear(page, 'Shift+ArrowRight'), 'ArrowDown', 'ArrowUp', 1, 'the arrows');
        // Along the face: ] and [ (with Shift ten units) step the entry point on the face itself.
        await pressAndHear(page, 'Shift+BracketRight');
        said = await pressAndHear(page, 'Shift+BracketRight');
        said = await seek(page, said, 'BracketLeft', 'BracketRight', 0.6, '[ and ]');
        const native = await nativeWords(page);
        assert(said === native.last, `the page said ${JSON.stringify(said)}, fermat-lab --describe ${JSON.stringify(native.last)}`);
        await expectNativeLabels(page, 'after the search by keys');

        // L: onto the least-time point at once.
        said = await pressAndHear(page, 'l');
        assert(said.includes('at the least-time point'), `after L: ${said}`);
        assert(said === (await nativeWords(page)).last, `after L the page said ${said}`);
        await pressAndHear(page, 'Shift+ArrowUp');

        // Position by Fermat from the keyboard: the entry point is at the least-time point, in the label's time.
        said = await pressAndHear(page, 'Control+1');
        assert(said.includes('at the least-time point'), `after position by Fermat: ${said}`);
        const labels = await page.evaluate(() => Array.from(document.querySelectorAll('.form .label'), (l) => l.textContent));
        const time = /([0-9]+\.[0-9]+)\.$/.exec(said)?.[1];
        assert(time && labels.some((l) => l.includes(time)), `the time said (${time}) is in no label: ${labels.join(' | ')}`);

        // The whole picture on demand, as the native program describes it.
        const before = await page.evaluate(() => window.fermatLens.describer.spoken);
        await chooseMenu(page, 'help-menu', 'describe');
        await page.waitForFunction((n) => window.fermatLens.describer.spoken > n, before);
        const picture = await page.evaluate(() => window.fermatLens.describer.said);
        assert(picture === (await nativeWords(page)).picture, `the picture: ${picture}`);
        const described = await page.evaluate(() => {
          const canvas = document.querySelector('#stage canvas');
          const id = canvas.getAttribute('aria-describedby');
          return { id, text: document.getElementById(id)?.textContent ?? '', live: document.getElementById('described').getAttribute('aria-live') };
        });
        assert(described.text === picture, `the picture's description: ${described.text}`);
        assert(described.live === 'polite', `the live region is ${described.live}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'a bundle continuation is described in the language in force, with the native words of that language',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, `${url}?lang=de`);
        const said = await pressAndHear(page, 'Control+5');
        assert(/Bündel/.test(said) && /Wellenfront/.test(said), `in German: ${said}`);
        const size = await clientSize(page);
        const out = nativeStdout(size, ['--lang', 'de', '--describe', ...callsToActions(await pageCalls(page))]);
        const native = out.split('\n').filter((l) => l.startsWith('Described\t')).at(-1)?.slice('Described\t'.length);
        assert(said === native, `the page said ${JSON.stringify(said)}, fermat-lab --lang de --describe ${JSON.stringify(native)}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
