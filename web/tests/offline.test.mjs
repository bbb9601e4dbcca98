// Offline: after one visit the site works without the network.

import { assert, dismissMessages, expectNativeLabels, openBrowser, openPage, waitReady } from './harness.mjs';

export const tests = [
  {
    name: 'with the network cut after the first load, the page loads and works',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        await page.waitForFunction(
          async () => {
            const reg = await navigator.serviceWorker.ready;
            return !!reg.active && !!navigator.serviceWorker.controller;
          },
          null,
          { timeout: 15000 },
        );
        await b.context.setOffline(true);
        // Once more after a moment: a worker the browser stopped starts again
        // on the first fetch, and under load that fetch may beat it. A file the
        // worker never cached fails both times.
        const probe = () =>
          page.evaluate(() =>
            fetch('weblab.wasm?probe=' + Math.random(), { cache: 'no-store' }).then(() => 'served', (e) => String(e)),
          );
        let online = await probe();
        if (online !== 'served') {
          await page.waitForTimeout(500);
          online = await probe();
        }
        await page.reload();
        await waitReady(page);
        const offline = await page.evaluate(() => navigator.onLine);
        assert(offline === false, 'the browser is still online');
        await page.locator('.form .command[data-command="2"]').click();
        await dismissMessages(page);
        await expectNativeLabels(page, 'offline, after a press');
        assert(online === 'served', `a file of the site was not served offline: ${online}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.context.setOffline(false).catch(() => {});
        await b.close();
      }
    },
  },
  {
    name: 'the manifest and every file the worker caches are served',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page } = await openPage(b, url);
        const result = await page.evaluate(async () => {
          const manifest = await (await fetch(document.querySelector('link[rel=manifest]').href)).json();
          const sw = await (await fetch('sw.js')).text();
          const list = JSON.parse(/const ASSETS = (\[.*\]);/.exec(sw)[1]);
          const missing = [];
          for (const a of list) if (!(await fetch(a)).ok) missing.push(a);
          const icons = [];
          for (const i of manifest.icons) icons.push((await fetch(i.src)).ok);
          return { name: manifest.name, start: manifest.start_url, list, missing, icons, version: /const VERSION = '(\w+)'/.exec(sw)?.[1] };
        });
        assert(result.name === 'fermat-lens' && result.start === './', `manifest ${JSON.stringify(result)}`);
        for (const f of ['./index.html', './app.js', './weblab.js', './weblab.wasm', './manifest.webmanifest']) {
          assert(result.list.includes(f), `the worker does not cache ${f}`);
        }
        assert(result.missing.length === 0, `listed but missing: ${result.missing}`);
        assert(result.icons.every(Boolean), 'an icon of the manifest is missing');
        assert(/^[0-9a-f]{16}$/.test(result.version ?? ''), `cache version ${result.version}`);
      } finally {
        await b.close();
      }
    },
  },
];
