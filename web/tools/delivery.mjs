// Measures the site: page load to the first complete frame, one live drag
// step (pointerMove + idle + paint) at 1920x1080 and ratio 1, and the
// compressed size of what a visitor downloads.
//
//   node web/tools/measure.mjs

import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { openBrowser, siteDir, startServer, waitReady } from '../tests/harness.mjs';

const median = (xs) => {
  const s = [...xs].sort((a, b) => a - b);
  return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2;
};
const fmt = (v) => v.toFixed(2);

const server = await startServer();
try {
  // Load: a fresh profile each time (nothing cached), then once more with the worker's cache.
  const cold = [];
  const warm = [];
  const inPage = [];
  for (let k = 0; k < 3; ++k) {
    const b = await openBrowser({ viewport: { width: 1920, height: 1080 }, deviceScaleFactor: 1 });
    try {
      const page = b.context.pages()[0] ?? (await b.context.newPage());
      await page.goto(server.url);
      await waitReady(page);
      cold.push(await page.evaluate(() => window.fermatLens.firstFrameAt));
      inPage.push(await page.evaluate(() => window.fermatLens.firstFrameMs));
      await page.waitForFunction(() => !!navigator.serviceWorker.controller, null, { timeout: 15000 }).catch(() => {});
      await page.reload();
      await waitReady(page);
      warm.push(await page.evaluate(() => window.fermatLens.firstFrameAt));
    } finally {
      await b.close();
    }
  }

  // Drag steps on the start-up scene and after the bundle continuation.
  const b = await openBrowser({ viewport: { width: 1920, height: 1080 }, deviceScaleFactor: 1 });
  let steps;
  try {
    const page = b.context.pages()[0] ?? (await b.context.newPage());
    await page.goto(`${server.url}?graphs=0`); // the whole width for the picture
    await waitReady(page);
    steps = await page.evaluate(async () => {
      const p = window.fermatLens.page;
      const lab = p.lab;
      const frame = () => new Promise((r) => requestAnimationFrame(() => r()));
      const measure = async (n) => {
        const m = JSON.parse(lab.controls()).markers.source;
        const r = document.querySelector('.form').getBoundingClientRect();
        const [x0, y0] = p.world(r.left + m[0] + m[2] / 2, r.top + m[1] + m[3] / 2);
        lab.pointerDown(x0, y0);
        p.refresh();
        const sync = [];
        const framed = [];
        for (let i = 0; i < n; ++i) {
          const t0 = performance.now();
          lab.pointerMove(x0 + (i % 40) * 0.5, y0 + (i % 17) * 0.5);
          lab.idle();
          p.refresh();
          const t1 = performance.now();
          await frame();
          sync.push(t1 - t0);
          framed.push(performance.now() - t0);
        }
        lab.pointerUp(x0, y0);
        p.refresh();
        return { sync, framed, items: p.rec.count };
      };
      const startUp = await measure(60);
      lab.click(5);
      while (lab.busy()) lab.dismissMessage();
      p.refresh();
      const afterBundle = await measure(60);
      // A heavy picture: the bundle continuation at 100 rays, computed and painted; then painted afresh alone.
      p.run('rays=100');
      const t0 = performance.now();
      lab.click(5);
      while (lab.busy()) lab.dismissMessage();
      p.refresh();
      const press = performance.now() - t0;
      const repaint = [];
      for (let i = 0; i < 5; ++i) {
        p.rec.invalidate();
        const t1 = performance.now();
        p.refresh();
        repaint.push(performance.now() - t1);
      }
      // The medium scene with a bundle of 20 least-time paths following the source.
      p.start('setMedium', 'mirage');
      p.run('rays=20', 'press=2');
      const medium = await measure(60);
      return { startUp, afterBundle, medium, size: [p.width, p.height], heavy: { press, repaint, items: p.rec.count } };
    });
  } finally {
    await b.close();
  }

  const files = ['index.html', 'app.js', 'app.css', 'styles.css', 'weblab.js', 'weblab.wasm'];
  let raw = 0;
  let gz = 0;
  const per = [];
  for (const f of files) {
    const data = readFileSync(join(siteDir, f));
    const z = gzipSync(data, { level: 9 }).length;
    raw += data.length;
    gz += z;
    per.push(`${f} ${(data.length / 1024).toFixed(1)} KiB -> ${(z / 1024).toFixed(1)} KiB`);
  }

  console.log(`load to first complete frame (from navigation, 1920x1080): cold median ${fmt(median(cold))} ms [${cold.map(fmt).join(', ')}], from the worker's cache median ${fmt(median(warm))} ms [${warm.map(fmt).join(', ')}]; of the cold load, from the page's code starting to the frame: median ${fmt(median(inPage))} ms`);
  for (const [name, s] of [
    ['start-up scene', steps.startUp],
    ['after the bundle continuation', steps.afterBundle],
    ['the mirage with a bundle of 20 least-time paths following the source', steps.medium],
  ]) {
    console.log(`live drag step at ${steps.size.join('x')} ratio 1, ${name} (${s.items} items): pointerMove+idle+paint median ${fmt(median(s.sync))} ms (max ${fmt(Math.max(...s.sync))}), to the next frame median ${fmt(median(s.framed))} ms`);
  }
  console.log(`continuation of the bundle at 100 rays (${steps.heavy.items} items): press + paint ${fmt(steps.heavy.press)} ms, full repaint from the record median ${fmt(median(steps.heavy.repaint))} ms`);
  console.log(`site gzip -9: ${(gz / 1024).toFixed(1)} KiB of ${(raw / 1024).toFixed(1)} KiB`);
  for (const line of per) console.log(`  ${line}`);
} finally {
  await server.close();
}
