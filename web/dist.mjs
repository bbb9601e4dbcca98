// Writes what a teacher takes away, into dist/ (after the site is built):
//
//   fermat-lens.html          the whole page in one file: opens from a disk, a
//                             USB stick or an e-mail attachment (file://), with
//                             no server and no network
//   fermat-lens-scorm.zip     a SCORM 1.2 package of that file, for a course
//                             platform (Moodle, Canvas, Blackboard)
//   fermat-lens-site.zip      the served site, for a school server or a static host
//
//   node web/dist.mjs                    (the three)
//   node web/dist.mjs --lesson KEY       (the package opens with the lesson KEY:
//                                         fermat-lens-KEY-scorm.zip, the others as above)
//
// Every file inside the zips carries one fixed date, so the same site gives
// the same bytes.

import { existsSync, mkdirSync, mkdtempSync, readFileSync, renameSync, rmSync, statSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, relative, sep } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';
import { zipSync } from 'fflate';
import { bundleApp, catalogueCodes, fail as failWith, filesUnder, i18nDir, minifyScript, repo } from './bundle.mjs';
import { scormManifest } from './scorm-manifest.mjs';

const fail = (message) => failWith('dist.mjs', message);
const site = join(repo, 'build', 'web', 'site');
const wasmDir = join(repo, 'build', 'web', 'wasm');
const dist = join(repo, 'dist');

function argument(name) {
  const i = process.argv.indexOf(name);
  if (i < 0) return null;
  const v = process.argv[i + 1];
  if (!v || v.startsWith('--')) fail(`${name} needs a value`);
  return v;
}
const lessonKey = argument('--lesson');

for (const f of [join(site, 'index.html'), join(wasmDir, 'weblab.js'), join(wasmDir, 'weblab.wasm')]) {
  if (!existsSync(f)) fail(`${relative(repo, f)} is missing: build the site first (make web-build)`);
}

// The lessons, from the lab itself: a package's lesson must be one of them.
const createWebLab = (await import(pathToFileURL(join(wasmDir, 'weblab.js')).href)).default;
const lab = new (await createWebLab()).WebLab(1280, 800);
const lessons = JSON.parse(lab.lessons());
let lesson = null;
if (lessonKey !== null) {
  lesson = lessons.find((l) => l.key === lessonKey) ?? null;
  if (!lesson) fail(`no lesson "${lessonKey}"; the lessons are ${lessons.map((l) => l.key).join(', ')}`);
}

/** Base64 of the gzip-compressed bytes: what the page inflates with DecompressionStream. */
const packed = (bytes) => gzipSync(bytes, { level: 9 }).toString('base64');
/** Base64 broken into lines, so no editor or mail program chokes on one line of half a megabyte. */
const lines = (b64) => b64.replace(/.{1,100}/g, '$&\n');

// ---- The one file --------------------------------------------------------
const catalogues = catalogueCodes('dist.mjs');
const bundleDir = mkdtempSync(join(tmpdir(), 'fermat-lens-dist-'));
let appJs;
try {
  // The whole code in one script (its stylesheets are the site's page's already).
  await bundleApp({ outdir: bundleDir, catalogues, split: false });
  appJs = readFileSync(join(bundleDir, 'app.js'), 'utf8');
} finally {
  rmSync(bundleDir, { recursive: true, force: true });
}
// Emscripten's script is an ES module that exports its factory; inside the
// page it hands it to the page's code on the window instead.
const glueSource = readFileSync(join(wasmDir, 'weblab.js'), 'utf8');
if (!/export default createWebLab;\s*$/.test(glueSource)) fail('weblab.js does not end by exporting createWebLab');
const glue = await minifyScript(glueSource.replace(/export default createWebLab;\s*$/, 'window.createWebLab = createWebLab;\n'));
for (const [name, code] of [['app.js', appJs], ['weblab.js', glue]]) {
  if (/<\/script/i.test(code)) fail(`${name} holds "</script", which would end its block in the page`);
}

const escapeAttr = (s) => s.replace(/&/g, '&amp;').replace(/"/g, '&quot;').replace(/</g, '&lt;');
let page = readFileSync(join(site, 'index.html'), 'utf8');
const replaceIn = (pattern, by, what) => {
  if (!pattern.test(page)) fail(`the site's index.html has no ${what}`);
  page = page.replace(pattern, by);
};
// Nothing beside the file: no manifest, no worker, no preloads; the icon a data address.
replaceIn(/\s*<link rel="manifest"[^>]*>/, '', 'manifest link');
replaceIn(/\s*<link rel="modulepreload"[^>]*>/g, '', 'module preloads');
replaceIn(/\s*<link rel="preload"[^>]*>/, '', "the module's preload");
replaceIn(/\s*<link rel="apple-touch-icon"[^>]*>/, '', 'touch icon');
replaceIn(/\s*<!--[^>]*-->\s*<script type="module" async id="lab-boot">[^<]*<\/script>/, '', "module's start");
const icon = `data:image/svg+xml;base64,${readFileSync(join(site, 'icon.svg')).toString('base64')}`;
replaceIn(/<link rel="icon" href="icon\.svg"/, `<link rel="icon" href="${escapeAttr(icon)}"`, 'icon');
const blocks = [
  `<script type="application/octet-stream" id="fermat-wasm">\n${lines(packed(readFileSync(join(wasmDir, 'weblab.wasm'))))}</script>`,
  ...catalogues.map(
    (code) =>
      `<script type="application/octet-stream" data-catalogue="${code}">\n${lines(packed(readFileSync(join(i18nDir, `${code}.json`))))}</script>`,
  ),
  `<script type="module">${glue}</script>`,
  `<script type="module">${appJs}</script>`,
].join('\n  ');
replaceIn(/<script type="module" src="app\.js"><\/script>/, () => blocks, 'script');
mkdirSync(dist, { recursive: true });
const oneFile = join(dist, 'fermat-lens.html');
writeAtomically(oneFile, page);

// ---- The course package ----------------------------------------------------
const version = siteVersion();
const manifest = scormManifest({
  version,
  title: lesson ? `fermat-lens: ${lesson.title}` : 'fermat-lens',
  launch: 'fermat-lens.html',
  fragment: lesson ? `lesson=${lesson.key}` : '',
});
const scormName = lesson ? `fermat-lens-${lesson.key}-scorm.zip` : 'fermat-lens-scorm.zip';
writeAtomically(
  join(dist, scormName),
  zip({ 'imsmanifest.xml': Buffer.from(manifest), 'fermat-lens.html': Buffer.from(page) }, `fermat-lens ${version}`),
);

// ---- The site ------------------------------------------------------------
const siteFiles = {};
for (const p of filesUnder(site)) siteFiles[relative(site, p).split(sep).join('/')] = readFileSync(p);
writeAtomically(join(dist, 'fermat-lens-site.zip'), zip(siteFiles, `fermat-lens ${version}`));

for (const name of ['fermat-lens.html', scormName, 'fermat-lens-site.zip']) {
  console.log(`dist/${name} (${(statSync(join(dist, name)).size / 1024).toFixed(1)} KiB)`);
}

// ---- Helpers ----------------------------------------------------------------

/** The service worker's version: the hash of the site's contents the build wrote there. */
function siteVersion() {
  const worker = readFileSync(join(site, 'sw.js'), 'utf8');
  const v = /const VERSION = '([0-9a-f]+)'/.exec(worker)?.[1];
  if (!v) fail("the site's sw.js names no version");
  return v;
}

/** A zip of `files` (name: bytes), deflated, every entry dated 1 January 2000 (a zip's dates start in 1980). */
function zip(files, comment) {
  const mtime = new Date(2000, 0, 1);
  const entries = {};
  for (const name of Object.keys(files).sort()) entries[name] = [files[name], { level: 9, mtime }];
  return zipSync(entries, { comment });
}

/** Writes beside the target and renames: a failure leaves no half-written file. */
function writeAtomically(path, data) {
  const temporary = `${path}.${process.pid}.part`;
  writeFileSync(temporary, data);
  renameSync(temporary, path);
}
