// The picture as a file: the drawing, the two markers and the six labels
// (no buttons or scroll bars), as PNG at 1x, 2x or 4x or as SVG; and the
// graphs' data as CSV. Everything leaves the page as a download.

import type { ControlsInfo, Rect } from './lab';
import { BACKGROUND, PictureRecord, colourCss, dashOf, paintRecord, penWidth, walkRecord, type PictureBackEnd } from './picture';
import { t } from './words';

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

/** The SVG back end: an element (or, for a fill, the polygon and the strokes over it) a line. */
class SvgBackEnd implements PictureBackEnd {
  private pieces: string[] = [];

  constructor(
    private readonly out: string[],
    private readonly w: number,
    private readonly h: number,
    private readonly background: string | null,
  ) {}

  private static strokeAttrs(colour: number, width: number, style: number): string {
    const pw = penWidth(width);
    const dash = dashOf(pw, style);
    return (
      `fill="none" stroke="${colourCss(colour)}" stroke-width="${pw}"` +
      (pw === 1 ? '' : ' stroke-linecap="round" stroke-linejoin="round"') +
      (dash.length ? ` stroke-dasharray="${dash.join(' ')}"` : '')
    );
  }

  square(x: number, y: number, side: number, colour: number): void {
    this.pieces.push(`<rect x="${x}" y="${y}" width="${side}" height="${side}" fill="${colourCss(colour)}"/>`);
  }

  disc(cx: number, cy: number, r: number, colour: number): void {
    this.pieces.push(`<circle cx="${num(cx)}" cy="${num(cy)}" r="${num(r)}" fill="${colourCss(colour)}"/>`);
  }

  line(ax: number, ay: number, bx: number, by: number, colour: number, width: number, style: number): void {
    this.pieces.push(
      `<line x1="${num(ax)}" y1="${num(ay)}" x2="${num(bx)}" y2="${num(by)}" ${SvgBackEnd.strokeAttrs(colour, width, style)}/>`,
    );
  }

  circle(cx: number, cy: number, r: number, colour: number, width: number, style: number): void {
    this.pieces.push(`<circle cx="${num(cx)}" cy="${num(cy)}" r="${num(r)}" ${SvgBackEnd.strokeAttrs(colour, width, style)}/>`);
  }

  arc(cx: number, cy: number, r: number, a0: number, sweep: number, colour: number, width: number, style: number): void {
    const pt = (a: number) => `${num(cx + r * Math.cos(a))} ${num(cy - r * Math.sin(a))}`;
    // Counterclockwise on the screen is SVG's negative sweep; a long arc in two halves.
    const segs = sweep > Math.PI ? [a0, a0 + sweep / 2, a0 + sweep] : [a0, a0 + sweep];
    let path = `M ${pt(segs[0])}`;
    for (let k = 1; k < segs.length; ++k) path += ` A ${num(r)} ${num(r)} 0 0 0 ${pt(segs[k])}`;
    this.pieces.push(`<path d="${path}" ${SvgBackEnd.strokeAttrs(colour, width, style)}/>`);
  }

  polygon(points: number[], colour: number): void {
    const pts: string[] = [];
    for (let k = 0; k < points.length; k += 2) pts.push(`${num(points[k])},${num(points[k + 1])}`);
    this.pieces.push(`<polygon points="${pts.join(' ')}" fill="${colourCss(colour)}"/>`);
  }

  clear(): void {
    if (this.background) this.pieces.push(`<rect width="${this.w}" height="${this.h}" fill="${this.background}"/>`);
  }

  flush(): void {}

  endItem(): void {
    if (this.pieces.length) this.out.push(this.pieces.join(''));
    this.pieces = [];
  }
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
  walkRecord(rec, 0, rec.count, new SvgBackEnd(out, w, h, fill));
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
    canvas.toBlob((b) => (b ? resolve(b) : reject(new Error(t('page.export.notEncoded')))), 'image/png'),
  );
}
