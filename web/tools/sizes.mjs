// The delivery sizes and their goals:
//
//   the served page   every file a first visit loads before the page can be
//                     used: the page, its styles and script (with the chunks
//                     it imports), the lab's script and module; compressed as
//                     a web server sends them to today's browsers (brotli,
//                     which every current browser asks for; gzip reported too).
//                     Goal: at most 200 KiB. The graphs' code, loaded when the
//                     graphs first show, and the translations, loaded when
//                     chosen, are reported beside it.
//   the one file      dist/fermat-lens.html, compressed as it travels as a
//                     file: deflate (a zip, the SCORM package, a mail
//                     program's attachment; gzip here). Goal: at most 400 KiB.
//
//   node web/tools/sizes.mjs           print the sizes
//   node web/tools/sizes.mjs --check   and fail (status 1) when a goal is broken
//
// Sizes, unlike times, are the same on every machine: the check runs in CI.

import { existsSync, readdirSync, readFileSync } from 'node:fs';
import { dirname, join, normalize, relative, sep } from 'node:path';
import { pathToFileURL } from 'node:url';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';
import { repo } from '../bundle.mjs';

const KIB = 1024;
export const GOALS = { servedBrotli: 200 * KIB, oneFileGzip: 400 * KIB };

const brotli = (data) =>
  brotliCompressSync(data, { params: { [constants.BROTLI_PARAM_QUALITY]: 11, [constants.BROTLI_PARAM_SIZE_HINT]: data.length } }).length;
const gzip = (data) => gzipSync(data, { level: 9 }).length;

/** The site's files a page or script names: stylesheets, scripts, preloads, static imports. */
function references(file, text) {
  const found = [];
  if (file.endsWith('.html')) {
    for (const m of text.matchAll(/<(?:link|script)\b[^>]*\b(?:href|src)="([^"#?:]+)"/g)) found.push(m[1]);
  } else if (file.endsWith('.js')) {
    // Static imports only ("import ... from"./x.js"", "import"./x.js""): a
    // dynamic import("./x.js") is loaded when the code asks for it.
    for (const m of text.matchAll(/(?:\bfrom|\bimport)\s*["'](\.{1,2}\/[^"']+)["']/g)) found.push(m[1]);
    if (/weblab\.wasm/.test(text)) found.push('weblab.wasm'); // emscripten's script fetches it
  }
  return found.map((r) => normalize(join(dirname(file), r)).split(sep).join('/'));
}

/** Every file a first visit of `site` loads, from index.html by its references. */
export function firstVisitFiles(site) {
  const seen = new Set();
  const queue = ['index.html'];
  while (queue.length) {
    const file = queue.shift();
    if (seen.has(file) || !existsSync(join(site, file))) continue;
    seen.add(file);
    if (/\.(html|js)$/.test(file)) queue.push(...references(file, readFileSync(join(site, file), 'utf8')));
  }
  // The icons and the manifest are not needed to use the page (nor counted).
  return [...seen].filter((f) => !/\.(svg|png|webmanifest)$/.test(f)).sort();
}

function measure(site, files) {
  const per = files.map((f) => {
    const data = readFileSync(join(site, f));
    return { file: f, raw: data.length, gzip: gzip(data), brotli: brotli(data) };
  });
  const sum = (k) => per.reduce((a, p) => a + p[k], 0);
  return { per, raw: sum('raw'), gzip: sum('gzip'), brotli: sum('brotli') };
}

/** The sizes of the built site and of the one file (null when dist/ has none). */
export function deliverySizes({ site = join(repo, 'build', 'web', 'site'), oneFile = join(repo, 'dist', 'fermat-lens.html') } = {}) {
  const first = firstVisitFiles(site);
  const chunks = existsSync(join(site, 'chunks')) ? readdirSync(join(site, 'chunks')).map((f) => `chunks/${f}`) : [];
  const later = chunks.filter((f) => f.endsWith('.js') && !first.includes(f));
  const i18n = existsSync(join(site, 'i18n')) ? readdirSync(join(site, 'i18n')).map((f) => `i18n/${f}`) : [];
  let one = null;
  if (existsSync(oneFile)) {
    const data = readFileSync(oneFile);
    one = { file: relative(repo, oneFile), raw: data.length, gzip: gzip(data), brotli: brotli(data) };
  }
  return { served: measure(site, first), graphs: measure(site, later), translations: measure(site, i18n), oneFile: one };
}

const kib = (n) => `${(n / KIB).toFixed(1)} KiB`;

export function sizeLines(s) {
  const lines = [
    `served page, first visit: ${kib(s.served.brotli)} brotli (goal ${kib(GOALS.servedBrotli)}), ${kib(s.served.gzip)} gzip, ${kib(s.served.raw)} raw`,
    ...s.served.per.map((p) => `  ${p.file}: ${kib(p.brotli)} brotli, ${kib(p.gzip)} gzip, ${kib(p.raw)} raw`),
    `the graphs' code, when first shown: +${kib(s.graphs.brotli)} brotli, ${kib(s.graphs.gzip)} gzip, ${kib(s.graphs.raw)} raw`,
    `a translation, when chosen: ${kib(s.translations.brotli / Math.max(1, s.translations.per.length))} brotli on average (${s.translations.per.length} of them)`,
  ];
  if (s.oneFile) {
    lines.push(
      `one file ${s.oneFile.file}: ${kib(s.oneFile.gzip)} gzip (goal ${kib(GOALS.oneFileGzip)}), ${kib(s.oneFile.brotli)} brotli, ${kib(s.oneFile.raw)} raw`,
    );
  } else {
    lines.push('one file: dist/fermat-lens.html is not there (make dist)');
  }
  return lines;
}

/** The goals broken, in words; empty when all are kept. */
export function brokenGoals(s) {
  const broken = [];
  if (s.served.brotli > GOALS.servedBrotli) broken.push(`the served page is ${kib(s.served.brotli)} brotli, over ${kib(GOALS.servedBrotli)}`);
  if (!s.oneFile) broken.push('dist/fermat-lens.html is missing (make dist)');
  else if (s.oneFile.gzip > GOALS.oneFileGzip) broken.push(`the one file is ${kib(s.oneFile.gzip)} gzip, over ${kib(GOALS.oneFileGzip)}`);
  return broken;
}

if (import.meta.url === pathToFileURL(process.argv[1] ?? '').href) {
  if (!existsSync(join(repo, 'build', 'web', 'site', 'index.html'))) {
    console.error('sizes.mjs: build/web/site is missing (make web-build)');
    process.exit(1);
  }
  const s = deliverySizes();
  for (const line of sizeLines(s)) console.log(line);
  if (process.argv.includes('--check')) {
    const broken = brokenGoals(s);
    for (const b of broken) console.error(`sizes.mjs: goal broken: ${b}`);
    process.exit(broken.length ? 1 : 0);
  }
}
