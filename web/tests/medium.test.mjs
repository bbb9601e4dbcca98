// The medium scene on the page: the Medium choice of the Lens panel, the
// stationary paths of "position by Fermat" with the ray equation's check, the
// bundle with its front and the continued ray give the labels, the printed
// paths and the drawing of native --medium; the index is shaded over the
// picture, never into it; a medium typed as --medium spells it is taken, one
// that cannot exist refused in one line.

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

const mediumOf = (page) => page.evaluate(() => JSON.parse(window.fermatLens.lab.medium()));

export const tests = [
  {
    name: 'the Medium choice, position by Fermat, the bundle and its front give the labels and drawing of native --medium',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, `${url}?lens=1`);
        const size = await clientSize(page);
        await page.locator('#medium-preset').selectOption({ label: 'The mirage over a hot road' });
        let medium = await mediumOf(page);
        assert(medium.preset === 'mirage', `the choice gave ${medium.text} (${medium.preset})`);
        await page.locator('.form .command[data-command="1"]').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'after position by Fermat in the medium');
        await expectNativeDrawing(page, 'after position by Fermat in the medium');
        const lines = await page.evaluate(() => window.fermatLens.lab.labelLines());
        const native = nativeStdout(size, ['--print-labels', ...callsToActions(await pageCalls(page))]);
        assert(lines === native, `the page's lines:\n${lines}\nfermat-lab's:\n${native}`);
        const paths = lines.split('\n').filter((l) => l.startsWith('Path\t'));
        assert(paths.length === 2 && paths[0].includes('\tminimum\t') && paths[1].includes('\tsaddle\t'), lines);
        // The shading is over the picture, not in it (the drawing above matched), and a switch hides it.
        assert(!(await page.locator('canvas.medium-shading').isHidden()), 'the index is not shaded');
        await page.locator('#medium-shading').uncheck();
        assert(await page.locator('canvas.medium-shading').isHidden(), 'the switch leaves the shading shown');
        await page.locator('#medium-shading').check();

        await page.evaluate(() => window.fermatLens.page.run('rays=8'));
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'after the front in the medium');
        await expectNativeDrawing(page, 'after the front in the medium');
        await page.locator('.form .command[data-command="4"]').click();
        await dismissMessages(page);
        await expectNativeDrawing(page, 'after the continued ray in the medium');

        // Any medium, typed as --medium spells it; one that cannot exist is refused.
        await page.locator('#medium-text').fill('fibre,n0=1.5,a=0.006');
        await page.locator('#medium-text').press('Enter');
        medium = await mediumOf(page);
        assert(medium.text === 'fibre,n0=1.5,a=0.006', `the typed medium gave ${medium.text}`);
        await page.locator('#medium-text').fill('uniform,n=0');
        await page.locator('#medium-text').press('Enter');
        assert((await mediumOf(page)).text === 'fibre,n0=1.5,a=0.006', 'n = 0 was taken');
        const said = await page.locator('.medium-said').textContent();
        assert(said.includes('out of range') && !said.includes('\n'), `the refusal reads ${JSON.stringify(said)}`);
        await page.locator('.form .command[data-command="1"]').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'after position by Fermat in the typed fibre');
        await page.locator('#medium-preset').selectOption('none');
        assert((await mediumOf(page)).preset === 'none', 'no medium left the medium scene');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
