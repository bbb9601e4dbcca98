// Builds the site into build/web/site: type-checks the page, bundles it with
// esbuild (the graphs' code a chunk of its own), writes the page with its
// stylesheets inside, copies the static files, the icons, the lab's module
// (its script minified) and the translations' catalogues (i18n/<code>.json,
// which the page fetches: the module holds only the original's), and writes
// the service worker with the version and the list of every file.
//
//   node web/build.mjs            (after the module is in build/web/wasm)
//   node web/build.mjs --no-wasm  (the page alone, for working on it)

import { spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { copyFileSync, existsSync, mkdirSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { join, relative, sep } from 'node:path';
import { bundleApp, catalogueCodes, fail as failWith, filesUnder, i18nDir, minifyCss, minifyScript, repo, staticChunks, webDir } from './bundle.mjs';

const wasmDir = join(repo, 'build', 'web', 'wasm');
const site = join(repo, 'build', 'web', 'site');
const withoutWasm = process.argv.includes('--no-wasm');
const fail = (message) => failWith('build.mjs', message);

// 0. The translations.
const catalogues = catalogueCodes('build.mjs');

// 1. Types.
const tsc = join(webDir, 'node_modules', 'typescript', 'bin', 'tsc');
if (!existsSync(tsc)) fail('TypeScript is missing: run `npm ci` in web/ first');
const check = spawnSync(process.execPath, [tsc, '--noEmit', '-p', join(webDir, 'tsconfig.json')], { stdio: 'inherit' });
if (check.status !== 0) fail('type check failed');

// 2. A clean site.
rmSync(site, { recursive: true, force: true });
mkdirSync(site, { recursive: true });

// 3. The page's code (and the graph library's stylesheet, as app.css), the
// graphs' code in a chunk of its own.
const bundled = await bundleApp({ outdir: site, catalogues, split: true });
const chunks = staticChunks(bundled, site);

// 4. Static files, icons, the module.
const staticDir = join(webDir, 'static');
for (const name of readdirSync(staticDir)) {
  if (name === 'sw.js') continue; // written below
  if (name === 'index.html') continue; // written below
  if (name.endsWith('.css')) continue; // into the page, below
  copyFileSync(join(staticDir, name), join(site, name));
}
// The stylesheets inside the page (the graph library's, then the page's own):
// none is a file the page waits for before its code may run. esbuild wrote
// the library's for the entry and for the graphs' chunk; neither file is kept.
let styles = '';
for (const css of [join(site, 'app.css'), join(staticDir, 'styles.css')]) {
  if (existsSync(css)) styles += readFileSync(css, 'utf8');
}
styles = await minifyCss(styles);
if (/<\/style/i.test(styles)) fail('the stylesheets hold "</style"');
rmSync(join(site, 'app.css'), { force: true });
if (existsSync(join(site, 'chunks'))) {
  for (const name of readdirSync(join(site, 'chunks'))) if (name.endsWith('.css')) rmSync(join(site, 'chunks', name));
}
// Without scripts the page cannot read its catalogues, so the one line it
// shows then is written here in every language, each marked with its own.
function escapeHtml(s) {
  return s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
}
const noscriptSaid = new Set();
const noscriptLines = [['original', ''], ...catalogues.map((code) => [code, code])].flatMap(([file, code]) => {
  const catalogue = JSON.parse(readFileSync(join(i18nDir, `${file}.json`), 'utf8'));
  const line = catalogue.page?.noscript;
  if (typeof line !== 'string' || !line) fail(`resources/i18n/${file}.json has no page.noscript`);
  if (noscriptSaid.has(line)) return []; // English says what the original says
  noscriptSaid.add(line);
  const dir = catalogue.meta?.direction === 'rtl' ? ' dir="rtl"' : '';
  return [code ? `<p lang="${code}"${dir}>${escapeHtml(line)}</p>` : `<p>${escapeHtml(line)}</p>`];
});
let page = readFileSync(join(staticDir, 'index.html'), 'utf8');
if (!/<noscript>[^<]*<\/noscript>/.test(page)) fail('web/static/index.html has no <noscript> line');
page = page.replace(/<noscript>[^<]*<\/noscript>/, () => `<noscript>${noscriptLines.join('')}</noscript>`);
const stylesheets = /\s*<link rel="stylesheet" href="app\.css">\s*<link rel="stylesheet" href="styles\.css">/;
if (!stylesheets.test(page)) fail('web/static/index.html links no app.css and styles.css');
// The chunks the page's code imports, asked for at once rather than after it is read.
const preloads = chunks.map((c) => `\n  <link rel="modulepreload" href="${c}">`).join('');
page = page.replace(stylesheets, () => `${preloads}\n  <style>${styles}</style>`);
writeFileSync(join(site, 'index.html'), page);
const icons = join(repo, 'resources', 'icons');
copyFileSync(join(icons, 'io.github.fermat_lens.FermatLens.svg'), join(site, 'icon.svg'));
copyFileSync(join(icons, 'io.github.fermat_lens.FermatLens.png'), join(site, 'icon-256.png'));
for (const name of ['weblab.js', 'weblab.wasm']) {
  const from = join(wasmDir, name);
  if (!existsSync(from)) {
    if (name === 'weblab.js' && !withoutWasm) fail(`${relative(repo, from)} is missing: build the module first (scripts/build-web)`);
  } else if (name === 'weblab.js') {
    writeFileSync(join(site, name), await minifyScript(readFileSync(from, 'utf8')));
  } else {
    copyFileSync(from, join(site, name));
  }
}
mkdirSync(join(site, 'i18n'));
for (const code of catalogues) copyFileSync(join(i18nDir, `${code}.json`), join(site, 'i18n', `${code}.json`));

// 5. The service worker: every file of the site, under a version made from their contents.
const assets = filesUnder(site).map((p) => relative(site, p).split(sep).join('/'));
const hash = createHash('sha256');
for (const a of assets) hash.update(a).update('\0').update(readFileSync(join(site, a)));
const version = hash.digest('hex').slice(0, 16);
const worker = readFileSync(join(staticDir, 'sw.js'), 'utf8')
  .replace('__VERSION__', version)
  .replace('__ASSETS__', JSON.stringify(assets.map((a) => `./${a}`)));
writeFileSync(join(site, 'sw.js'), worker);

console.log(`site: ${relative(process.cwd(), site) || '.'} (${assets.length + 1} files, version ${version})`);
