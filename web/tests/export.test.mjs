// Export: the picture as PNG (1x, 2x, 4x) and SVG, the graphs' data as CSV,
// all as downloads; and the graphs beside the picture.

import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import {
  assert,
  callsToActions,
  clientSize,
  dismissMessages,
  menuDownload,
  nativeLab,
  openBrowser,
  openPage,
  pageCalls,
  worldToClient,
} from './harness.mjs';

const downloadOf = menuDownload;

/** Pixels of an image file at client points, decoded by the browser. */
function imagePixels(page, data, type, points) {
  return page.evaluate(
    async ([b64, type, points]) => {
      const img = new Image();
      img.src = `data:${type};base64,${b64}`;
      await img.decode();
      const c = document.createElement('canvas');
      c.width = img.naturalWidth;
      c.height = img.naturalHeight;
      const ctx = c.getContext('2d');
      ctx.drawImage(img, 0, 0);
      const sx = c.width / window.fermatLens.page.width;
      return {
        size: [c.width, c.height],
        pixels: points.map(([x, y]) => Array.from(ctx.getImageData(Math.floor(x * sx), Math.floor(y * sx), 1, 1).data)),
      };
    },
    [data.toString('base64'), type, points],
  );
}

/** Pixels of an exported picture (at 1x) that differ from the screen's, away from the labels and markers. */
function screenDiff(page, data, type) {
  return page.evaluate(async ([b64, type]) => {
    const img = new Image();
    img.src = `data:${type};base64,${b64}`;
    await img.decode();
    const c = document.createElement('canvas');
    c.width = img.naturalWidth;
    c.height = img.naturalHeight;
    const ctx = c.getContext('2d');
    ctx.drawImage(img, 0, 0);
    const a = ctx.getImageData(0, 0, c.width, c.height).data;
    const screen = document.querySelector('canvas.picture');
    const b = screen.getContext('2d').getImageData(0, 0, screen.width, screen.height).data;
    const info = JSON.parse(window.fermatLens.lab.controls());
    const skip = new Uint8Array(c.width * c.height);
    for (const [l, t, w, h] of [...info.labels.map((l) => l.rect), info.markers.source, info.markers.entry]) {
      for (let y = Math.max(0, Math.floor(t - 4)); y < Math.min(c.height, t + h + 4); ++y) {
        for (let x = Math.max(0, Math.floor(l - 4)); x < Math.min(c.width, l + w + 4); ++x) skip[y * c.width + x] = 1;
      }
    }
    let differ = 0;
    let total = 0;
    for (let y = 0; y < c.height; ++y) {
      for (let x = 0; x < c.width; ++x) {
        if (skip[y * c.width + x]) continue;
        ++total;
        const i = (y * c.width + x) * 4;
        if (Math.abs(a[i] - b[i]) > 3 || Math.abs(a[i + 1] - b[i + 1]) > 3 || Math.abs(a[i + 2] - b[i + 2]) > 3) ++differ;
      }
    }
    return { differ, total, sizes: [c.width, screen.width] };
  }, [data.toString('base64'), type]);
}

const near = (p, rgb, tol = 0) => Math.abs(p[0] - rgb[0]) <= tol && Math.abs(p[1] - rgb[1]) <= tol && Math.abs(p[2] - rgb[2]) <= tol;

export const tests = [
  {
    name: 'the picture exports as PNG at 1x, 2x and 4x with the markers, and as SVG',
    async run({ url }) {
      const b = await openBrowser({ viewport: { width: 1000, height: 700 } });
      try {
        const { page, problems } = await openPage(b, url);
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        // The wavefront a while after the lens; the lens outline is the arcs.
        await page.evaluate(() => window.fermatLens.page.run('time=70'));
        await dismissMessages(page);
        const arcs = await page.evaluate(() => {
          const rec = window.fermatLens.page.rec;
          let n = 0;
          for (let i = 0; i < rec.count; ++i) if (rec.data[i * 13] === 2) ++n;
          return n;
        });
        assert(arcs >= 2, `only ${arcs} arcs in the picture`);
        const size = await clientSize(page);
        const lens = await worldToClient(page, 0, 30);
        const markers = await page.evaluate(() => {
          const m = JSON.parse(window.fermatLens.lab.controls()).markers;
          return [m.source, m.entry].map((r) => [r[0] + r[2] / 2, r[1] + r[3] / 2]);
        });
        const corner = [2, size[1] - 2];
        for (const scale of [1, 2, 4]) {
          const png = await downloadOf(page, `png${scale}`);
          assert(png.name.endsWith('.png'), `PNG named ${png.name}`);
          assert(png.data.subarray(1, 4).toString() === 'PNG', 'not a PNG');
          const w = png.data.readUInt32BE(16);
          const h = png.data.readUInt32BE(20);
          assert(w === size[0] * scale && h === size[1] * scale, `${scale}x: ${w}x${h}, client ${size.join('x')}`);
          const { pixels } = await imagePixels(page, png.data, 'image/png', [lens, ...markers, corner]);
          assert(near(pixels[0], [150, 150, 80]), `${scale}x: lens pixel ${pixels[0]}`);
          assert(near(pixels[1], [192, 0, 0], 2), `${scale}x: source marker pixel ${pixels[1]}`);
          assert(near(pixels[2], [0, 0, 255], 2), `${scale}x: entry marker pixel ${pixels[2]}`);
          assert(near(pixels[3], [255, 255, 255]), `${scale}x: the background is ${pixels[3]}, not white`);
        }
        // With the window's colour under it, the 1x export is the picture on the screen (ratio 1 here),
        // but for the labels and markers drawn over it.
        await page.locator('#file-menu > summary').click();
        await page.locator('#background').selectOption('window');
        const same = await downloadOf(page, 'png1');
        const diff = await screenDiff(page, same.data, 'image/png');
        assert(diff.sizes[0] === diff.sizes[1], `export ${diff.sizes[0]} wide, screen ${diff.sizes[1]}`);
        assert(diff.differ <= diff.total * 0.0005, `the export differs from the screen in ${diff.differ} of ${diff.total} pixels`);
        const svg = await downloadOf(page, 'svg');
        const text = svg.data.toString('utf8');
        assert(svg.name.endsWith('.svg'), `SVG named ${svg.name}`);
        const parsed = await page.evaluate((t) => {
          const doc = new DOMParser().parseFromString(t, 'image/svg+xml');
          const rec = window.fermatLens.page.rec;
          let redLines = 0;
          for (let i = 0; i < rec.count; ++i) {
            const o = i * 13;
            if (rec.data[o] === 0 && rec.data[o + 8] === 0xff0000 && (rec.data[o + 1] !== rec.data[o + 3] || rec.data[o + 2] !== rec.data[o + 4])) ++redLines;
          }
          return {
            error: doc.querySelector('parsererror')?.textContent ?? null,
            olive: doc.querySelectorAll('polygon[fill="#969650"]').length,
            redLines: doc.querySelectorAll('line[stroke="#ff0000"]').length,
            expectedRed: redLines,
            texts: Array.from(doc.querySelectorAll('text'), (t) => Array.from(t.querySelectorAll('tspan'), (s) => s.textContent).join(' ')),
            captions: JSON.parse(window.fermatLens.lab.captions()).filter(Boolean),
            discs: doc.querySelectorAll('ellipse').length,
          };
        }, text);
        assert(parsed.error === null, `the SVG does not parse: ${parsed.error}`);
        assert(parsed.olive === 1, `${parsed.olive} olive lens polygons`);
        assert(parsed.redLines === parsed.expectedRed && parsed.redLines > 5, `${parsed.redLines} red lines, the record has ${parsed.expectedRed}`);
        assert(parsed.discs === 2, `${parsed.discs} markers`);
        for (const c of parsed.captions) {
          assert(parsed.texts.some((t) => t.replace(/\s+/g, ' ') === c.replace(/\s+/g, ' ')), `caption ${JSON.stringify(c)} not in ${JSON.stringify(parsed.texts)}`);
        }
        const svgDiff = await screenDiff(page, svg.data, 'image/svg+xml');
        assert(svgDiff.differ <= svgDiff.total * 0.003, `the SVG differs from the screen in ${svgDiff.differ} of ${svgDiff.total} pixels`);
        const rendered = await imagePixels(page, svg.data, 'image/svg+xml', [lens, ...markers]);
        assert(near(rendered.pixels[0], [150, 150, 80], 1), `SVG lens pixel ${rendered.pixels[0]}`);
        assert(near(rendered.pixels[1], [192, 0, 0], 2), `SVG source marker pixel ${rendered.pixels[1]}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: "the graphs' CSV downloads are the native program's --curve and --bundle files",
    async run({ url }) {
      const b = await openBrowser({ viewport: { width: 1280, height: 800 } });
      const dir = mkdtempSync(join(tmpdir(), 'fermat-lens-csv-'));
      try {
        const { page, problems } = await openPage(b, url);
        await page.evaluate(() => window.fermatLens.page.run('source=-250,30', 'height=-20'));
        await page.locator('.form .command[data-command="5"]').click();
        await dismissMessages(page);
        const curve = await downloadOf(page, 'curve');
        const bundle = await downloadOf(page, 'bundle');
        const size = await clientSize(page);
        const actions = callsToActions(await pageCalls(page));
        const r = spawnSync(nativeLab, ['--size', size.join('x'), '--curve', join(dir, 'c.csv'), '--bundle', join(dir, 'b.csv'), ...actions], { encoding: 'utf8' });
        assert(r.status === 0, r.stderr);
        const nc = readFileSync(join(dir, 'c.csv'), 'utf8');
        const nb = readFileSync(join(dir, 'b.csv'), 'utf8');
        assert(curve.name.endsWith('.csv') && bundle.name.endsWith('.csv'), `named ${curve.name}, ${bundle.name}`);
        assert(curve.data.toString('utf8') === nc, 'the curve CSV differs from the native one');
        assert(bundle.data.toString('utf8') === nb, 'the bundle CSV differs from the native one');
        // The graphs show the same data.
        const rays = nb.trim().split('\n').length - 1;
        const least = nc.split('\n').find((l) => l.startsWith('least,')).split(',');
        const notes = await page.locator('.graph-note').allTextContents();
        assert(notes[0] === `least time ${Number(least[4]).toFixed(2)} at height ${Number(least[3]).toFixed(2)}`, `curve note ${notes[0]}`);
        assert(notes[1] === `${rays} rays`, `bundle note ${notes[1]}, ${rays} rays natively`);
        // The crossings' note counts the native file's exact and constructed crossings
        // (the source is off the axis: no paraxial image to name).
        const [header, ...bundleRows] = nb.trim().split('\n').map((l) => l.split(','));
        const filled = (name) => bundleRows.filter((r) => r[header.indexOf(name)] !== '').length;
        const crossingNote = `${filled('exact_axis_x')} of ${rays} rays cross the axis exactly; ${filled('axis_x')} by the construction`;
        assert(notes[2] === crossingNote, `crossing note ${notes[2]}, natively ${crossingNote}`);
        const plotted = await page.evaluate(() => [
          document.querySelectorAll('.graph:not(.equal-time) .u-over').length,
          document.querySelectorAll('.graph.equal-time .u-over').length,
        ]);
        assert(plotted[0] === 3 && plotted[1] === 2, `${plotted[0]} charts of the curve and the bundle, ${plotted[1]} of the equal-time view`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        rmSync(dir, { recursive: true, force: true });
        await b.close();
      }
    },
  },

  {
    name: 'printing shows the picture alone',
    async run({ url }) {
      const b = await openBrowser({ viewport: { width: 1200, height: 760 } });
      try {
        const { page, problems } = await openPage(b, url);
        await page.locator('.form .command[data-command="2"]').click();
        await dismissMessages(page);
        await page.emulateMedia({ media: 'print' });
        await page.evaluate(() => window.dispatchEvent(new Event('beforeprint')));
        const state = await page.evaluate(async () => {
          const img = document.getElementById('print-picture');
          await img.decode();
          const shown = (sel) => getComputedStyle(document.querySelector(sel)).display !== 'none';
          return {
            picture: shown('#print-view'),
            toolbar: shown('#toolbar'),
            main: shown('#main'),
            size: [img.naturalWidth, img.naturalHeight],
            client: [window.fermatLens.page.width, window.fermatLens.page.height],
            box: img.getBoundingClientRect().width,
          };
        });
        assert(state.picture && !state.toolbar && !state.main, `print shows ${JSON.stringify(state)}`);
        assert(state.size[0] === 3 * state.client[0] && state.size[1] === 3 * state.client[1], `printed picture ${state.size}`);
        assert(state.box > 100, 'the printed picture has no width');
        const pdf = await page.pdf({ format: 'A4', landscape: true });
        assert(pdf.subarray(0, 5).toString() === '%PDF-' && pdf.length > 20000, `a PDF of ${pdf.length} bytes`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
