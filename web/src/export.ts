// The picture as a file: the drawing, the two markers and the six labels
// (no buttons or scroll bars), as PNG at 1x, 2x or 4x or as SVG; and the
// graphs' data as CSV. Everything leaves the page as a download.

import { F, ITEM_STRIDE, Kind, type ControlsInfo, type Rect } from './lab';
import {
  BACKGROUND,
  PictureRecord,
  arcSweep,
  colourCss,
  dashOf,
  dotOrigin,
  fillPolygon,
  lineEnds,
  paintRecord,
  penWidth,
  pixelsPerUnit,
  strokesOverFill,
  toPixelX,
  toPixelY,
} from './picture';

export type Background = 'white' | 'transparent' | 'window';

export const SOURCE_COLOUR = 'rgb(192,0,0)';
export const ENTRY_COLOUR = 'rgb(0,0,255)';
export const LABEL_FONT = '"DejaVu Sans", "Bitstream Vera Sans", Verdana, sans-serif';
const HALO = 'rgba(240,240,240,0.9)';

/** What the picture shows besides the record. */
export interface Overlay {
  controls: ControlsInfo;
  captions: string[];
}

function backgroundCss(bg: Background): string | null {
  if (bg === 'white') return '#ffffff';
  if (bg === 'window') return BACKGROUND;
  return null;
}

/** CSS pixels of a font given in points (96 dots an inch). */
export function pointsToPx(pt: number): number {
  return (pt * 96) / 72;
}

/** Line height of the labels' font, in units of its size. */
export const LINE_HEIGHT = 1.17;

/** Word-wraps text into lines no wider than maxWidth (a word wider than that stands alone). */
export function wrapText(measure: (s: string) => number, text: string, maxWidth: number): string[] {
  const out: string[] = [];
  for (const para of text.split('\n')) {
    const words = para.split(/( +)/).filter((s) => s.length > 0);
    let line = '';
    for (const word of words) {
      const tryLine = line + word;
      if (line.trim() !== '' && word.trim() !== '' && measure(tryLine.trimEnd()) > maxWidth) {
        out.push(line.trimEnd());
        line = word;
      } else {
        line = tryLine;
      }
    }
    out.push(line.trimEnd());
  }
  return out;
}

/** The markers: the source first, the entry point above it. */
function markerDiscs(c: ControlsInfo): { rect: Rect; fill: string }[] {
  return [
    { rect: c.markers.source, fill: SOURCE_COLOUR },
    { rect: c.markers.entry, fill: ENTRY_COLOUR },
  ];
}

/** Draws the markers and the labels over a picture already painted on ctx (client pixels). */
export function paintOverlay(ctx: CanvasRenderingContext2D, o: Overlay): void {
  ctx.save();
  ctx.setLineDash([]);
  o.controls.labels.forEach((label, i) => {
    const text = o.captions[i] ?? '';
    if (!text) return;
    const [l, t, w, h] = label.rect;
    const size = pointsToPx(label.pointSize);
    ctx.save();
    ctx.beginPath();
    ctx.rect(l - 2, t - 2, w + 4, h + 4);
    ctx.clip();
    ctx.font = `${size}px ${LABEL_FONT}`;
    ctx.textBaseline = 'top';
    ctx.lineJoin = 'round';
    const lines = wrapText((s) => ctx.measureText(s).width, text, w);
    lines.forEach((line, k) => {
      const y = t + k * size * LINE_HEIGHT + size * 0.08;
      ctx.strokeStyle = HALO;
      ctx.lineWidth = 3;
      ctx.strokeText(line, l, y);
      ctx.fillStyle = '#000';
      ctx.fillText(line, l, y);
    });
    ctx.restore();
  });
  for (const m of markerDiscs(o.controls)) {
    const [l, t, w, h] = m.rect;
    ctx.beginPath();
    ctx.ellipse(l + w / 2, t + h / 2, Math.max(0, w / 2 - 0.5), Math.max(0, h / 2 - 0.5), 0, 0, 2 * Math.PI);
    ctx.fillStyle = m.fill;
    ctx.fill();
    ctx.lineWidth = 1;
    ctx.strokeStyle = '#000';
    ctx.stroke();
  }
  ctx.restore();
}

/** The whole picture rendered at `scale` device pixels per client pixel. */
export function renderPicture(rec: PictureRecord, o: Overlay, scale: number, bg: Background): HTMLCanvasElement {
  const canvas = document.createElement('canvas');
  canvas.width = Math.max(1, Math.round(rec.width * scale));
  canvas.height = Math.max(1, Math.round(rec.height * scale));
  const ctx = canvas.getContext('2d')!;
  ctx.setTransform(canvas.width / rec.width, 0, 0, canvas.height / rec.height, 0, 0);
  const fill = backgroundCss(bg);
  if (fill) {
    ctx.fillStyle = fill;
    ctx.fillRect(0, 0, rec.width, rec.height);
  }
  paintRecord(ctx, rec, 0, rec.count, fill);
  paintOverlay(ctx, o);
  return canvas;
}

// ------------------------------------------------------------------ SVG

const num = (v: number) => (Math.round(v * 1000) / 1000).toString();
function esc(s: string): string {
  return s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
}

/** The picture as SVG: lines, circles, arcs, dots, the fill as a polygon, the labels as text. */
export function pictureSvg(rec: PictureRecord, o: Overlay, bg: Background, measure: (font: string, s: string) => number): string {
  const w = rec.width, h = rec.height;
  const out: string[] = [];
  out.push(
    `<svg xmlns="http://www.w3.org/2000/svg" width="${w}" height="${h}" viewBox="0 0 ${w} ${h}">`,
    `<title>fermat-lens</title>`,
  );
  const fill = backgroundCss(bg);
  if (fill) out.push(`<rect width="${w}" height="${h}" fill="${fill}"/>`);
  const d = rec.data;
  const strokeAttrs = (colour: number, width: number, style: number) => {
    const pw = penWidth(width);
    const dash = dashOf(pw, style);
    return (
      `fill="none" stroke="${colourCss(colour)}" stroke-width="${pw}"` +
      (pw === 1 ? '' : ' stroke-linecap="round" stroke-linejoin="round"') +
      (dash.length ? ` stroke-dasharray="${dash.join(' ')}"` : '')
    );
  };
  const item = (i: number, strokeOnly: boolean): string => {
    const o2 = i * ITEM_STRIDE;
    const kind = d[o2 + F.Kind];
    const f = rec.frames[d[o2 + F.Frame]];
    const colour = d[o2 + F.Colour];
    const width = d[o2 + F.Width];
    const style = d[o2 + F.Style];
    if (!f && kind !== Kind.Cls) return '';
    switch (kind) {
      case Kind.Line: {
        const [ax, ay, bx, by] = lineEnds(f, w, h, d, o2);
        const pw = penWidth(width);
        if (ax === bx && ay === by) {
          return pw <= 1
            ? `<rect x="${Math.floor(ax)}" y="${Math.floor(ay)}" width="1" height="1" fill="${colourCss(colour)}"/>`
            : `<circle cx="${num(ax)}" cy="${num(ay)}" r="${pw / 2}" fill="${colourCss(colour)}"/>`;
        }
        return `<line x1="${num(ax)}" y1="${num(ay)}" x2="${num(bx)}" y2="${num(by)}" ${strokeAttrs(colour, width, style)}/>`;
      }
      case Kind.Circle: {
        const cx = toPixelX(f, w, d[o2 + F.X1]);
        const cy = toPixelY(f, h, d[o2 + F.Y1]);
        const r = Math.abs(d[o2 + F.R]) * pixelsPerUnit(f, w);
        const fc = d[o2 + F.FillColour];
        let s = '';
        if (fc >= 0 && !strokeOnly) s += `<circle cx="${num(cx)}" cy="${num(cy)}" r="${num(r)}" fill="${colourCss(fc)}"/>`;
        return s + `<circle cx="${num(cx)}" cy="${num(cy)}" r="${num(r)}" ${strokeAttrs(colour, width, style)}/>`;
      }
      case Kind.Arc: {
        const cx = toPixelX(f, w, d[o2 + F.X1]);
        const cy = toPixelY(f, h, d[o2 + F.Y1]);
        const r = Math.abs(d[o2 + F.R]) * pixelsPerUnit(f, w);
        const [a0, sweep] = arcSweep(d[o2 + F.Start], d[o2 + F.End]);
        if (sweep === 0) return '';
        const pt = (a: number) => `${num(cx + r * Math.cos(a))} ${num(cy - r * Math.sin(a))}`;
        // Counterclockwise on the screen is SVG's negative sweep; a long arc in two halves.
        const segs = sweep > Math.PI ? [a0, a0 + sweep / 2, a0 + sweep] : [a0, a0 + sweep];
        let path = `M ${pt(segs[0])}`;
        for (let k = 1; k < segs.length; ++k) path += ` A ${num(r)} ${num(r)} 0 0 0 ${pt(segs[k])}`;
        return `<path d="${path}" ${strokeAttrs(colour, width, style)}/>`;
      }
      case Kind.PSet: {
        const pw = penWidth(width);
        const x = dotOrigin(toPixelX(f, w, d[o2 + F.X1]), pw);
        const y = dotOrigin(toPixelY(f, h, d[o2 + F.Y1]), pw);
        return pw <= 2
          ? `<rect x="${x}" y="${y}" width="${pw}" height="${pw}" fill="${colourCss(colour)}"/>`
          : `<circle cx="${x + pw / 2}" cy="${y + pw / 2}" r="${pw / 2}" fill="${colourCss(colour)}"/>`;
      }
      case Kind.Cls:
        return fill ? `<rect width="${w}" height="${h}" fill="${fill}"/>` : '';
      case Kind.Fill: {
        if (strokeOnly) return '';
        const poly = fillPolygon(rec, i);
        if (!poly) return '';
        const pts: string[] = [];
        for (let k = 0; k < poly.points.length; k += 2) pts.push(`${num(poly.points[k])},${num(poly.points[k + 1])}`);
        let s = `<polygon points="${pts.join(' ')}" fill="${colourCss(colour)}"/>`;
        for (const j of strokesOverFill(rec, i, poly.bounds)) s += item(j, true);
        return s;
      }
      default:
        return '';
    }
  };
  for (let i = 0; i < rec.count; ++i) {
    const s = item(i, false);
    if (s) out.push(s);
  }
  o.controls.labels.forEach((label, i) => {
    const text = o.captions[i] ?? '';
    if (!text) return;
    const [l, t, w2] = label.rect;
    const size = pointsToPx(label.pointSize);
    const font = `${size}px ${LABEL_FONT}`;
    const lines = wrapText((s) => measure(font, s), text, w2);
    const spans = lines
      .map((line, k) => `<tspan x="${num(l)}" y="${num(t + k * size * LINE_HEIGHT + size * 0.08)}">${esc(line)}</tspan>`)
      .join('');
    out.push(
      `<text font-family='${LABEL_FONT.replace(/'/g, '')}' font-size="${num(size)}" dominant-baseline="text-before-edge" ` +
        `fill="#000" stroke="${HALO}" stroke-width="3" stroke-linejoin="round" paint-order="stroke" xml:space="preserve">${spans}</text>`,
    );
  });
  for (const m of markerDiscs(o.controls)) {
    const [l, t, mw, mh] = m.rect;
    out.push(
      `<ellipse cx="${num(l + mw / 2)}" cy="${num(t + mh / 2)}" rx="${num(Math.max(0, mw / 2 - 0.5))}" ry="${num(Math.max(0, mh / 2 - 0.5))}" fill="${m.fill}" stroke="#000" stroke-width="1"/>`,
    );
  }
  out.push('</svg>');
  return out.join('\n');
}

// ------------------------------------------------------------------ downloads

export function download(name: string, blob: Blob): void {
  const url = URL.createObjectURL(blob);
  const a = document.createElement('a');
  a.href = url;
  a.download = name;
  a.rel = 'noopener';
  document.body.appendChild(a);
  a.click();
  a.remove();
  window.setTimeout(() => URL.revokeObjectURL(url), 10000);
}

export function canvasBlob(canvas: HTMLCanvasElement): Promise<Blob> {
  return new Promise((resolve, reject) =>
    canvas.toBlob((b) => (b ? resolve(b) : reject(new Error('the picture could not be encoded'))), 'image/png'),
  );
}
