// What the site's build (build.mjs) and the one-file build (dist.mjs) share:
// the translations the page can offer and the bundling of its code.

import { build, transform } from 'esbuild';
import { readdirSync, readFileSync, statSync } from 'node:fs';
import { dirname, join, relative, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';

export const webDir = dirname(fileURLToPath(import.meta.url));
export const repo = dirname(webDir);
export const i18nDir = join(repo, 'resources', 'i18n');

/** Every file below `dir`, sorted (paths joined to it). */
export function filesUnder(dir) {
  return readdirSync(dir)
    .flatMap((name) => {
      const p = join(dir, name);
      return statSync(p).isDirectory() ? filesUnder(p) : [p];
    })
    .sort();
}

export function fail(who, message) {
  console.error(`${who}: ${message}`);
  process.exit(1);
}

/** Every catalogue but the original's, each under the code its meta.language names (its file's name). */
export function catalogueCodes(who) {
  return readdirSync(i18nDir)
    .filter((name) => name.endsWith('.json') && name !== 'original.json')
    .sort()
    .map((name) => {
      const code = name.slice(0, -'.json'.length);
      let language;
      try {
        language = JSON.parse(readFileSync(join(i18nDir, name), 'utf8')).meta?.language;
      } catch (err) {
        fail(who, `resources/i18n/${name} is no JSON: ${err.message}`);
      }
      if (language !== code) fail(who, `resources/i18n/${name} names its language ${JSON.stringify(language)}, not "${code}"`);
      return code;
    });
}

/**
 * The page's code (and the graph library's stylesheet, as app.css) into
 * `outdir`. Split: the graphs' code a chunk of its own, loaded when they
 * first show (the served site); whole: one script (the one-file page).
 */
export function bundleApp({ outdir, catalogues, split }) {
  return build({
    entryPoints: { app: join(webDir, 'src', 'main.ts') },
    bundle: true,
    minify: true,
    sourcemap: false,
    format: 'esm',
    splitting: split,
    chunkNames: 'chunks/[name]-[hash]',
    target: ['es2022'],
    outdir,
    legalComments: 'none',
    logLevel: 'warning',
    define: { __CATALOGUES__: JSON.stringify(catalogues) },
    metafile: true,
  });
}

/** The chunks the entry imports statically (paths from `outdir`): loaded before its code runs. */
export function staticChunks(result, outdir) {
  const outputs = result.metafile.outputs;
  const entry = Object.keys(outputs).find((k) => outputs[k].entryPoint && k.endsWith('app.js'));
  return (outputs[entry]?.imports ?? [])
    .filter((i) => i.kind === 'import-statement' && !i.external)
    .map((i) => relative(outdir, resolve(i.path)).split(sep).join('/'));
}

/** Emscripten's script around the module, minified (it is written for readability, not for the wire). */
export async function minifyScript(code) {
  return (await transform(code, { minify: true, format: 'esm', target: 'es2022', legalComments: 'none' })).code;
}

/** The page's stylesheet, minified. */
export async function minifyCss(code) {
  return (await transform(code, { loader: 'css', minify: true, legalComments: 'none' })).code;
}
