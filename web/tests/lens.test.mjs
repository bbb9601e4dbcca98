// The Lens panel: presets, typed values, sliders and keys give the lens
// fermat-lab's --lens gives; a lens that cannot exist is refused in one line
// and changes nothing.

import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import {
  assert,
  clientSize,
  dismissMessages,
  expectNativeDrawing,
  expectNativeLabels,
  nativeStdout,
  openBrowser,
  openPage,
  pageCalls,
  pageLabels,
} from './harness.mjs';

const lensOf = (page) => page.evaluate(() => JSON.parse(window.fermatLens.lab.lens()));

/** Replaces a number field's text by typing, key by key, as a user does. */
async function typeInto(page, selector, text) {
  await page.locator(selector).click();
  await page.keyboard.press('Control+A');
  await page.keyboard.type(text);
}

/** A file the native program writes with `option` (--curve, --bundle) after the arguments. */
function nativeFile(size, args, option) {
  const dir = mkdtempSync(join(tmpdir(), 'fermat-lens-lens-'));
  try {
    nativeStdout(size, [...args, option, join(dir, 'out.csv')]);
    return readFileSync(join(dir, 'out.csv'), 'utf8');
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

/** The native program's CSV header line for the lens: "# lens: <summary>; <text>". */
const nativeLensLine = (size, text) => nativeFile(size, ['--lens', text], '--curve').split('\n')[0];

/** Everything a refused lens must leave as it was. */
function pageState(page) {
  return page.evaluate(() => {
    const { page: p, lab } = window.fermatLens;
    return {
      lens: lab.lens(),
      revision: lab.revision(),
      items: Array.from(lab.items(0)).join(','),
      labels: Array.from(document.querySelectorAll('.form .label'), (l) => l.textContent).join('|'),
      calls: p.calls.length,
      hash: location.hash,
      summary: document.getElementById('lens-summary').textContent,
    };
  });
}

export const tests = [
  {
    name: 'a preset, typed values, a slider and a key in the Lens panel give the labels and drawing of native --lens',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, `${url}?lens=1`);
        const size = await clientSize(page);
        await page.locator('#lens-preset').selectOption('crown');
        let lens = await lensOf(page);
        assert(lens.preset === 'crown' && lens.n === 1.5, `the crown preset gave ${lens.text}`);
        assert((await page.locator('#lens-n').inputValue()) === '1.5', 'the n field does not show the preset');
        await expectNativeLabels(page, 'after the crown preset');
        await expectNativeDrawing(page, 'after the crown preset', ['--lens', 'preset=crown']);

        // Typed key by key: "1" and "1." on the way are refused (n below 1.05), "1.7" taken.
        await typeInto(page, '#lens-n', '1.7');
        lens = await lensOf(page);
        assert(lens.n === 1.7 && lens.preset === '', `typing 1.7 gave ${lens.text}`);
        assert((await page.locator('.lens-error').textContent()) === '', 'an error stays after a good value');
        // The second face flat, then an aperture of its own.
        await page.locator('#lens-r2').locator('xpath=..').locator('.lens-check').check();
        await page.locator('#lens-aperture').locator('xpath=..').locator('.lens-check').uncheck();
        await typeInto(page, '#lens-aperture', '60');
        lens = await lensOf(page);
        assert(lens.text === 'n=1.7,r1=180,r2=flat,thickness=30,aperture=60', `the panel gave ${lens.text}`);
        await expectNativeLabels(page, 'after the typed lens');
        await expectNativeLabels(page, 'after the typed lens, as --lens', ['--lens', lens.text]);
        await expectNativeDrawing(page, 'after the typed lens, as --lens', ['--lens', lens.text]);
        const summary = await page.locator('#lens-summary').textContent();
        const line = nativeLensLine(size, lens.text);
        assert(line === `# lens: ${summary}; ${lens.text}`, `the page shows "${summary}", fermat-lab's file says "${line}"`);

        // The thickness slider dragged: every step is a lens of its own, live.
        const box = await page.locator('#lens-thickness').locator('xpath=..').locator('.lens-slider').boundingBox();
        await page.mouse.move(box.x + box.width * 0.06, box.y + box.height / 2);
        await page.mouse.down();
        await page.mouse.move(box.x + box.width * 0.2, box.y + box.height / 2, { steps: 6 });
        await page.mouse.up();
        const dragged = (await pageCalls(page)).filter((c) => c.call === 'setLens').length;
        lens = await lensOf(page);
        assert(lens.thickness > 30 && dragged >= 5, `the slider drag gave ${lens.text} in ${dragged} lenses`);
        // A key on the focused index slider: one step of 0.01.
        await page.locator('#lens-n').locator('xpath=..').locator('.lens-slider').focus();
        await page.keyboard.press('ArrowRight');
        const keyed = await lensOf(page);
        assert(Math.abs(keyed.n - 1.71) < 1e-12, `ArrowRight on the index slider gave n = ${keyed.n}`);
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'after the slider, the key and button 5');
        await expectNativeDrawing(page, 'after the slider, the key and button 5');
        await expectNativeDrawing(page, 'after button 5, as --lens', ['--lens', keyed.text, 'press=5']);
        // The graphs read the files of a lens other than the standard one (headed by "# lens: ...").
        const bundle = nativeFile(size, ['--lens', keyed.text, 'press=5'], '--bundle');
        const rays = bundle.split('\n').filter((l) => /^\d/.test(l)).length;
        await page.waitForFunction((n) => document.querySelectorAll('.graph-note')[1]?.textContent === `${n} rays`, rays);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'a lens that cannot exist is refused with one line beside the fields and changes nothing',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, `${url}?lens=1`);
        await page.locator('.form .command[data-command="2"]').click();
        await dismissMessages(page);
        await page.waitForFunction(() => location.hash.startsWith('#setup='));
        const before = await pageState(page);
        for (const [field, text, reason] of [
          ['#lens-n', '5', 'n = 5 is out of range (1.05 to 4)'],
          ['#lens-r1', '50', 'r1'],
          ['#lens-thickness', '0.5', 'thickness'],
        ]) {
          await typeInto(page, field, text);
          const shown = await page.locator('.lens-error').textContent();
          assert(shown.includes(reason) && !shown.includes('\n'), `${field} = ${text}: the panel says ${JSON.stringify(shown)}`);
          const oneLine = await page.locator('.lens-error').evaluate((e) => e.getBoundingClientRect().height < 2 * parseFloat(getComputedStyle(e).fontSize));
          assert(oneLine, `${field} = ${text}: the reason takes more than one line`);
          const after = await pageState(page);
          for (const k of Object.keys(before)) assert(after[k] === before[k], `${field} = ${text} changed the ${k}`);
          // The field back as it was: the lens is taken again, and the reason goes.
          await typeInto(page, field, String(JSON.parse(before.lens)[field.slice(6)]));
          assert((await page.locator('.lens-error').textContent()) === '', `the reason stays after ${field} is good again`);
          await page.locator('.form .command[data-command="2"]').click();
          await dismissMessages(page);
          before.calls = (await pageState(page)).calls;
          before.revision = (await pageState(page)).revision;
          before.hash = await page.evaluate(() => location.hash);
        }
        // The same through the module: the native program's reason, word for word.
        const reason = await page.evaluate(() => window.fermatLens.lab.setLens('n=5'));
        assert(reason === 'n = 5 is out of range (1.05 to 4)', `setLens('n=5') says ${reason}`);
        assert(!(await pageLabels(page)).some((l) => /NaN/.test(l)), 'a label shows NaN');
        await expectNativeLabels(page, 'after the refused lenses');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
