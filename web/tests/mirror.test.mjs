// The mirror scene on the page: the Mirror choice of the Lens panel, every
// stationary path of "position by Fermat" and the reflected bundle give the
// labels, the stationary lines and the drawing of native --mirror; the
// height bar, which the mirror scene has no use for, is greyed and takes no press.

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
  callsToActions,
} from './harness.mjs';

const mirrorOf = (page) => page.evaluate(() => JSON.parse(window.fermatLens.lab.mirror()));

export const tests = [
  {
    name: 'the Mirror choice, position by Fermat and the reflected bundle give the labels and drawing of native --mirror',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, `${url}?lens=1`);
        const size = await clientSize(page);
        await page.locator('#mirror-preset').selectOption('concave,r=150');
        let mirror = await mirrorOf(page);
        assert(mirror.preset === 'tangent-ellipse', `the choice gave ${mirror.text} (${mirror.preset})`);
        await page.evaluate(() => window.fermatLens.page.run('source=-140,40', 'target=-140,-40'));
        await page.locator('.form .command[data-command="1"]').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'after position by Fermat on the mirror');
        await expectNativeDrawing(page, 'after position by Fermat on the mirror');
        // Every stationary path, as fermat-lab prints it after its labels.
        const lines = await page.evaluate(() => window.fermatLens.lab.labelLines());
        const native = nativeStdout(size, ['--print-labels', ...callsToActions(await pageCalls(page))]);
        assert(lines === native, `the page's lines:\n${lines}\nfermat-lab's:\n${native}`);
        assert(lines.split('\n').filter((l) => l.startsWith('Stationary\t')).length === 3, lines);
        // Why: the ellipse through each point, over the picture and not in it (the drawing above matched).
        const why = await page.evaluate(() => JSON.parse(window.fermatLens.lab.mirrorWhy()));
        assert(why.paths.length === 3 && why.dots[1].text === 'mirror inside the ellipse: maximum', JSON.stringify(why.dots));
        assert(!(await page.locator('canvas.mirror-why').isHidden()), 'the ellipses are not shown');
        await page.locator('#mirror-why').uncheck();
        assert(await page.locator('canvas.mirror-why').isHidden(), 'the switch leaves the ellipses shown');
        await page.locator('#mirror-why').check();

        await page.locator('.form .command[data-command="2"]').click();
        await dismissMessages(page);
        await expectNativeDrawing(page, 'after the reflected bundle');
        // The height bar is greyed, and a press on its arrow changes nothing.
        const height = page.locator('.form .scrollbar[data-bar="0"]');
        assert(await height.evaluate((e) => e.classList.contains('disabled')), 'the height bar is not greyed');
        const before = (await pageCalls(page)).length;
        await page.locator('.form .scrollbar[data-bar="0"] .arrow.inc').click();
        assert((await pageCalls(page)).length === before, 'the greyed height bar took a press');
        // The ray continued past the target, as native press=4 draws it.
        await page.locator('.form .command[data-command="4"]').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'after the continued ray');
        await expectNativeDrawing(page, 'after the continued ray');

        // The panel's fields: a typed radius is the mirror --mirror gives; one that cannot exist is refused.
        await page.locator('#mirror-kind').selectOption('concave');
        await page.locator('#mirror-r').fill('220');
        await page.locator('#mirror-r').dispatchEvent('change');
        mirror = await mirrorOf(page);
        assert(mirror.text === 'concave,r=220', `the typed radius gave ${mirror.text}`);
        await page.locator('#mirror-r').fill('2');
        await page.locator('#mirror-r').dispatchEvent('change');
        assert((await mirrorOf(page)).text === 'concave,r=220', 'a radius of 2 was taken');
        const said = await page.locator('.mirror-error').textContent();
        assert(said.length > 0 && !said.includes('\n'), `the refusal reads ${JSON.stringify(said)}`);
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'after the waves on the typed mirror');
        await expectNativeDrawing(page, 'after the waves on the typed mirror');

        // A parallel beam on a dish: the reflected rays meet at its focus, as native beam=parallel draws them.
        await page.locator('#mirror-kind').selectOption('parabolic');
        await page.locator('#mirror-beam').check();
        assert((await mirrorOf(page)).parallelBeam, 'the beam switch was not taken');
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        await expectNativeDrawing(page, 'after the parallel beam on the dish');

        // Back to the lens: every button again, the lens scene's drawing.
        await page.locator('#mirror-preset').selectOption('none');
        mirror = await mirrorOf(page);
        assert(mirror.preset === 'none', `none gave ${mirror.text}`);
        await page.locator('.form .command[data-command="1"]').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'after position by Fermat back on the lens');
        await expectNativeDrawing(page, 'after position by Fermat back on the lens');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
