// Unpacks a zip into a folder made afresh: node web/tools/unpack.mjs ZIP DIR
// (the tests serve the site's zip unpacked, as a school's server would).

import { mkdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { dirname, join, normalize, resolve, sep } from 'node:path';
import { pathToFileURL } from 'node:url';
import { unzipSync } from 'fflate';

/** A zip's entries, name → bytes. */
export function zipEntries(zip) {
  return unzipSync(new Uint8Array(readFileSync(zip)));
}

/** Writes the zip's files under `dir`, emptied first; a name that climbs out of it ("../x") is refused. */
export function unpackZip(zip, dir) {
  const entries = zipEntries(zip);
  const root = resolve(dir);
  for (const name of Object.keys(entries)) {
    if (!normalize(join(root, name)).startsWith(root + sep)) throw new Error(`${zip} names ${name}, outside the folder`);
  }
  rmSync(root, { recursive: true, force: true });
  for (const [name, data] of Object.entries(entries)) {
    if (name.endsWith('/')) continue;
    const path = join(root, name);
    mkdirSync(dirname(path), { recursive: true });
    writeFileSync(path, data);
  }
}

if (import.meta.url === pathToFileURL(process.argv[1] ?? '').href) {
  const [zip, dir] = process.argv.slice(2);
  if (!zip || !dir) {
    console.error('usage: node web/tools/unpack.mjs ZIP DIR');
    process.exit(2);
  }
  try {
    unpackZip(zip, dir);
  } catch (err) {
    console.error(`unpack.mjs: ${err.message}`);
    process.exit(1);
  }
}
