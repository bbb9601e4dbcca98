// The page for the documentation, 1600x900, written to build/web/web.png:
// after "continuation of bundle after lens" (20 rays, target height -30) and
// a drag of the time thumb. With --lens=KEY: the Lens panel open beside the
// picture, the preset KEY chosen in it, then the same bundle continuation.
//
//   node web/tools/screenshot.mjs [--lens=KEY] [out.png]

import { join } from 'node:path';
import { openBrowser, repo, startServer, waitReady } from '../tests/harness.mjs';

const args = process.argv.slice(2);
const preset = args.find((a) => a.startsWith('--lens='))?.slice('--lens='.length);
const out = args.find((a) => !a.startsWith('--')) ?? join(repo, 'build', 'web', 'web.png');
const server = await startServer();
const b = await openBrowser({ viewport: { width: 1600, height: 900 }, deviceScaleFactor: 1 });
try {
  const page = b.context.pages()[0] ?? (await b.context.newPage());
  await page.goto(preset ? `${server.url}?lens=1` : server.url);
  await waitReady(page);
  if (preset) await page.locator('#lens-preset').selectOption(preset);
  const error = await page.evaluate(() => window.fermatLens.page.run('height=-30', 'rays=20'));
  if (error) throw new Error(error);
  const dismiss = async () => {
    while (await page.evaluate(() => document.getElementById('message').open)) await page.locator('#message button').click();
  };
  await page.locator('.form .command[data-command="5"]').click();
  await dismiss();
  if (!preset) {
    // The wavefront moved on with the time thumb.
    const thumb = await page.locator('.form .scrollbar[data-bar="2"] .thumb').boundingBox();
    const track = await page.locator('.form .scrollbar[data-bar="2"] .track').boundingBox();
    await page.mouse.move(thumb.x + thumb.width / 2, thumb.y + thumb.height / 2);
    await page.mouse.down();
    await page.mouse.move(track.x + track.width * 0.8, thumb.y + thumb.height / 2, { steps: 8 });
    await page.mouse.up();
    await dismiss();
  }
  await page.mouse.move(0, 0);
  await page.waitForTimeout(300);
  await page.screenshot({ path: out });
  console.log(`wrote ${out}`);
} finally {
  await b.close();
  await server.close();
}
