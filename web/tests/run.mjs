// Runs every browser test (web/tests/*.test.mjs) against build/web/site,
// served here on a free port of localhost, in headless Chromium.
//
//   node web/tests/run.mjs [name-filter]
//
// Needs the built site (node web/build.mjs), build/dev/fermat-lab for the
// native labels, and /usr/bin/chromium.

import { existsSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromiumPath, nativeLab, siteDir, startServer, webDir } from './harness.mjs';

const filter = process.argv[2] ?? '';
for (const [what, path] of [['the site', join(siteDir, 'index.html')], ['the module', join(siteDir, 'weblab.wasm')], ['fermat-lab', nativeLab], ['Chromium', chromiumPath]]) {
  if (!existsSync(path)) {
    console.error(`${what} is missing (${path}); build it first`);
    console.log('0 passed, 1 failed');
    process.exit(1);
  }
}

const dir = join(webDir, 'tests');
const tests = [];
for (const file of readdirSync(dir).filter((f) => f.endsWith('.test.mjs')).sort()) {
  const mod = await import(pathToFileURL(join(dir, file)).href);
  for (const t of mod.tests) tests.push({ ...t, file });
}

const server = await startServer();
let passed = 0;
let failed = 0;
for (const t of tests) {
  if (filter && !t.name.includes(filter) && !t.file.includes(filter)) continue;
  const started = Date.now();
  try {
    await t.run({ url: server.url });
    ++passed;
    console.log(`ok   ${t.name} (${Date.now() - started} ms)`);
  } catch (err) {
    ++failed;
    console.log(`FAIL ${t.name} (${Date.now() - started} ms)\n     ${String(err?.stack ?? err).split('\n').join('\n     ')}`);
  }
}
await server.close();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 && passed > 0 ? 0 : 1);
