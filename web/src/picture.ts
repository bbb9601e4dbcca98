// The lab's display record on the page: a copy of what was drawn since the
// last Cls, kept in step with the lab, and painted onto a 2D canvas in pixels
// of the client area (the caller sets the device scale on the context).

import { F, ITEM_STRIDE, Kind, toNumbers, type Frame, type WebLab } from './lab';

/** The window's colour, which Cls clears to. */
export const BACKGROUND = 'rgb(240,240,240)';
const BOUNDARY_COLOUR = 0x000000; // the lens outline a fill stops at

/** The lab's pen: the widest pen and the one-pixel pens' dash patterns, in pixels. */
interface PenRule {
  maxWidth: number;
  dashed: number[];
  dotted: number[];
}
let penRule: PenRule | undefined;

function pen(): PenRule {
  if (!penRule) throw new Error('the pen rule is read from the lab with the record, before any painting');
  return penRule;
}

export class PictureRecord {
  /** ITEM_STRIDE numbers per item. */
  data: number[] = [];
  count = 0;
  frames: Frame[] = [];
  regions = new Map<number, number[]>();
  generation = -1;
  revision = -1;
  complete = true;
  /** Client size in CSS pixels: the frames' pixel extent. */
  width = 1;
  height = 1;

  constructor(width: number, height: number) {
    this.width = width;
    this.height = height;
  }

  /**
   * Brings the copy up to date. Returns the first item to paint: 0 after a new
   * generation (clear and paint all), the old count when the record only grew,
   * or -1 when nothing changed.
   */
  sync(lab: WebLab): number {
    penRule ??= JSON.parse(lab.pen()) as PenRule;
    const revision = lab.revision();
    if (revision === this.revision) return -1;
    this.revision = revision;
    const generation = lab.generation();
    let from = this.count;
    // A new generation, or a lab that started afresh (a reset counts anew).
    if (generation !== this.generation || lab.itemCount() < this.count) {
      this.generation = generation;
      this.data = [];
      this.count = 0;
      this.regions.clear();
      from = 0;
    }
    const fresh = toNumbers(lab.items(this.count));
    const data = this.data;
    for (let i = 0; i < fresh.length; ++i) data.push(fresh[i]);
    const newCount = Math.floor(data.length / ITEM_STRIDE);
    let maxFrame = this.frames.length - 1;
    for (let i = this.count; i < newCount; ++i) {
      const o = i * ITEM_STRIDE;
      if (data[o + F.Kind] === Kind.Fill) this.regions.set(i, toNumbers(lab.region(i)));
      maxFrame = Math.max(maxFrame, data[o + F.Frame]);
    }
    this.count = newCount;
    this.complete = lab.complete();
    if (from === 0 || maxFrame >= this.frames.length) this.frames = JSON.parse(lab.frames()) as Frame[];
    return from;
  }

  /** Forgets the copy: the next sync takes the whole record (after a reset of the lab). */
  invalidate(): void {
    this.revision = -1;
    this.generation = -1;
  }

  /** The frame pointer positions refer to: the one in force. */
  currentFrame(): Frame {
    return this.frames[this.frames.length - 1] ?? { left: 0, top: 0, width: this.width, height: this.height };
  }
}

// ------------------------------------------------------------------ geometry

export function colourCss(c: number): string {
  return '#' + (c & 0xffffff).toString(16).padStart(6, '0');
}

export function toPixelX(f: Frame, w: number, x: number): number {
  return ((x - f.left) * w) / f.width;
}
export function toPixelY(f: Frame, h: number, y: number): number {
  return ((y - f.top) * h) / f.height;
}
/** Pixels per world unit along x, which circles and arcs use. */
export function pixelsPerUnit(f: Frame, w: number): number {
  return w / Math.abs(f.width);
}
export function penWidth(width: number): number {
  return Math.min(pen().maxWidth, Math.max(1, Math.round(width)));
}
/** The dash pattern of a pen: only one-pixel pens are dashed or dotted. */
export function dashOf(width: number, style: number): number[] {
  if (penWidth(width) !== 1) return [];
  if (style === 1) return pen().dashed;
  if (style === 2) return pen().dotted;
  return [];
}
/** Start angle and sweep of an arc: counterclockwise on the screen from start to end. */
export function arcSweep(start: number, end: number): [number, number] {
  const twoPi = 2 * Math.PI;
  const a0 = start % twoPi;
  let sweep = (end - start) % twoPi;
  if (sweep < 0) sweep += twoPi;
  return [a0, sweep];
}
/** Top-left pixel of a dot `width` pixels across centred at px. */
export function dotOrigin(px: number, width: number): number {
  return Math.floor(px - width / 2 + 0.5);
}
const pixelCentre = (v: number) => Math.floor(v) + 0.5;

/** A line's ends in pixels; a one-pixel horizontal or vertical line through the centres of its row or column. */
export function lineEnds(f: Frame, w: number, h: number, d: number[], o: number): [number, number, number, number] {
  let ax = toPixelX(f, w, d[o + F.X1]);
  let ay = toPixelY(f, h, d[o + F.Y1]);
  let bx = toPixelX(f, w, d[o + F.X2]);
  let by = toPixelY(f, h, d[o + F.Y2]);
  if (penWidth(d[o + F.Width]) <= 1) {
    if (ay === by) ay = by = pixelCentre(ay);
    if (ax === bx) ax = bx = pixelCentre(ax);
  }
  return [ax, ay, bx, by];
}

/** Pixel bounds [x0, y0, x1, y1] of an item, padded by its pen. */
function itemBounds(rec: PictureRecord, i: number): [number, number, number, number] | null {
  const d = rec.data;
  const o = i * ITEM_STRIDE;
  const f = rec.frames[d[o + F.Frame]];
  if (!f) return null;
  const pad = penWidth(d[o + F.Width]) + 1;
  const kind = d[o + F.Kind];
  const cx = toPixelX(f, rec.width, d[o + F.X1]);
  const cy = toPixelY(f, rec.height, d[o + F.Y1]);
  if (kind === Kind.Line) {
    const x2 = toPixelX(f, rec.width, d[o + F.X2]);
    const y2 = toPixelY(f, rec.height, d[o + F.Y2]);
    return [Math.min(cx, x2) - pad, Math.min(cy, y2) - pad, Math.max(cx, x2) + pad, Math.max(cy, y2) + pad];
  }
  if (kind === Kind.Circle || kind === Kind.Arc) {
    const r = Math.abs(d[o + F.R]) * pixelsPerUnit(f, rec.width) + pad;
    return [cx - r, cy - r, cx + r, cy + r];
  }
  if (kind === Kind.PSet) return [cx - pad, cy - pad, cx + pad, cy + pad];
  return null;
}

/** A fill's region in pixels, and its bounds. */
export function fillPolygon(rec: PictureRecord, i: number): { points: number[]; bounds: [number, number, number, number] } | null {
  const region = rec.regions.get(i);
  const f = rec.frames[rec.data[i * ITEM_STRIDE + F.Frame]];
  if (!region || region.length < 6 || !f) return null;
  const points: number[] = [];
  let x0 = Infinity, y0 = Infinity, x1 = -Infinity, y1 = -Infinity;
  for (let k = 0; k + 1 < region.length; k += 2) {
    const x = toPixelX(f, rec.width, region[k]);
    const y = toPixelY(f, rec.height, region[k + 1]);
    points.push(x, y);
    x0 = Math.min(x0, x); y0 = Math.min(y0, y); x1 = Math.max(x1, x); y1 = Math.max(y1, y);
  }
  return { points, bounds: [x0, y0, x1, y1] };
}

/** The boundary-coloured items before fill i whose pixels it could reach: they stay on top of it. */
export function strokesOverFill(rec: PictureRecord, i: number, bounds: [number, number, number, number]): number[] {
  const out: number[] = [];
  const [rx0, ry0, rx1, ry1] = [bounds[0] - 2, bounds[1] - 2, bounds[2] + 2, bounds[3] + 2];
  for (let j = 0; j < i; ++j) {
    const o = j * ITEM_STRIDE;
    const kind = rec.data[o + F.Kind];
    if (kind === Kind.Fill || kind === Kind.Cls || (rec.data[o + F.Colour] & 0xffffff) !== BOUNDARY_COLOUR) continue;
    const b = itemBounds(rec, j);
    if (b && b[0] <= rx1 && b[2] >= rx0 && b[1] <= ry1 && b[3] >= ry0) out.push(j);
  }
  return out;
}

// ------------------------------------------------------------------ the walk

/**
 * What a device does with the record's items, in pixels of the client area.
 * The walk over the record (walkRecord) is one; the Canvas 2D back end below
 * and the SVG back end of export.ts each turn its calls into their device's
 * drawing. `width` and `style` are the item's pen as recorded (penWidth and
 * dashOf make the device's pen of them).
 */
export interface PictureBackEnd {
  /** A filled square `side` pixels across with its top-left corner at (x, y), whole pixels. */
  square(x: number, y: number, side: number, colour: number): void;
  /** A filled disc. */
  disc(cx: number, cy: number, r: number, colour: number): void;
  line(ax: number, ay: number, bx: number, by: number, colour: number, width: number, style: number): void;
  circle(cx: number, cy: number, r: number, colour: number, width: number, style: number): void;
  /** Counterclockwise on the screen from angle a0 through `sweep` (radians, world angles: y up). */
  arc(cx: number, cy: number, r: number, a0: number, sweep: number, colour: number, width: number, style: number): void;
  /** A filled polygon, points as x0, y0, x1, y1, ... */
  polygon(points: number[], colour: number): void;
  /** A Cls: the whole client area back to the background. */
  clear(): void;
  /** Ends whatever stroke is still open (the strokes redrawn over a fill stay on top of it). */
  flush(): void;
  /** One item of the record is done (the strokes over a fill belong to the fill's item). */
  endItem(): void;
}

/** Walks items [from, to) of the record, handing each to the back end. */
export function walkRecord(rec: PictureRecord, from: number, to: number, be: PictureBackEnd): void {
  const d = rec.data;
  const w = rec.width, h = rec.height;
  const one = (i: number, strokeOnly: boolean) => {
    const o = i * ITEM_STRIDE;
    const kind = d[o + F.Kind];
    const f = rec.frames[d[o + F.Frame]];
    if (!f && kind !== Kind.Cls) return;
    const colour = d[o + F.Colour];
    const width = d[o + F.Width];
    const style = d[o + F.Style];
    switch (kind) {
      case Kind.Line: {
        const [ax, ay, bx, by] = lineEnds(f, w, h, d, o);
        const pw = penWidth(width);
        if (ax === bx && ay === by) {
          // A line of no length is a dot: one pixel, or a disc of the pen.
          if (pw <= 1) be.square(Math.floor(ax), Math.floor(ay), 1, colour);
          else be.disc(ax, ay, pw / 2, colour);
          return;
        }
        be.line(ax, ay, bx, by, colour, width, style);
        return;
      }
      case Kind.Circle: {
        const cx = toPixelX(f, w, d[o + F.X1]);
        const cy = toPixelY(f, h, d[o + F.Y1]);
        const r = Math.abs(d[o + F.R]) * pixelsPerUnit(f, w);
        const fill = d[o + F.FillColour];
        if (fill >= 0 && !strokeOnly) be.disc(cx, cy, r, fill);
        be.circle(cx, cy, r, colour, width, style);
        return;
      }
      case Kind.Arc: {
        const cx = toPixelX(f, w, d[o + F.X1]);
        const cy = toPixelY(f, h, d[o + F.Y1]);
        const r = Math.abs(d[o + F.R]) * pixelsPerUnit(f, w);
        const [a0, sweep] = arcSweep(d[o + F.Start], d[o + F.End]);
        if (sweep === 0) return;
        be.arc(cx, cy, r, a0, sweep, colour, width, style);
        return;
      }
      case Kind.PSet: {
        // A dot of the pen's width: a square up to two pixels, a disc beyond.
        const pw = penWidth(width);
        const x = dotOrigin(toPixelX(f, w, d[o + F.X1]), pw);
        const y = dotOrigin(toPixelY(f, h, d[o + F.Y1]), pw);
        if (pw <= 2) be.square(x, y, pw, colour);
        else be.disc(x + pw / 2, y + pw / 2, pw / 2, colour);
        return;
      }
      case Kind.Cls:
        be.clear();
        return;
      case Kind.Fill: {
        if (strokeOnly) return;
        const poly = fillPolygon(rec, i);
        if (!poly) return;
        be.polygon(poly.points, colour);
        for (const j of strokesOverFill(rec, i, poly.bounds)) one(j, true);
        be.flush();
        return;
      }
      default:
        return;
    }
  };
  for (let i = from; i < to; ++i) {
    one(i, false);
    be.endItem();
  }
  be.flush();
}

// ------------------------------------------------------------------ canvas

/**
 * The Canvas 2D back end: ctx's user space is the client area in CSS pixels.
 * Strokes of one pen that follow each other go into one path.
 */
export class CanvasBackEnd implements PictureBackEnd {
  private open = false;
  private penKey = NaN;

  constructor(
    private readonly ctx: CanvasRenderingContext2D,
    private readonly w: number,
    private readonly h: number,
    private readonly background: string | null,
  ) {}

  flush(): void {
    if (this.open) this.ctx.stroke();
    this.open = false;
    this.penKey = NaN;
  }

  endItem(): void {}

  private pen(colour: number, width: number, style: number): void {
    const ctx = this.ctx;
    const pw = penWidth(width);
    const st = pw === 1 ? style : 0;
    const key = (colour & 0xffffff) * 4096 + pw * 4 + st;
    if (this.open && key === this.penKey) return;
    this.flush();
    ctx.strokeStyle = colourCss(colour);
    ctx.lineWidth = pw;
    ctx.setLineDash(dashOf(pw, st));
    ctx.lineCap = pw === 1 ? 'butt' : 'round';
    ctx.lineJoin = pw === 1 ? 'miter' : 'round';
    ctx.beginPath();
    this.open = true;
    this.penKey = key;
  }

  square(x: number, y: number, side: number, colour: number): void {
    this.flush();
    this.ctx.fillStyle = colourCss(colour);
    this.ctx.fillRect(x, y, side, side);
  }

  disc(cx: number, cy: number, r: number, colour: number): void {
    const ctx = this.ctx;
    this.flush();
    ctx.fillStyle = colourCss(colour);
    ctx.beginPath();
    ctx.arc(cx, cy, r, 0, 2 * Math.PI);
    ctx.fill();
  }

  line(ax: number, ay: number, bx: number, by: number, colour: number, width: number, style: number): void {
    this.pen(colour, width, style);
    this.ctx.moveTo(ax, ay);
    this.ctx.lineTo(bx, by);
  }

  circle(cx: number, cy: number, r: number, colour: number, width: number, style: number): void {
    this.pen(colour, width, style);
    this.ctx.moveTo(cx + r, cy);
    this.ctx.arc(cx, cy, r, 0, 2 * Math.PI);
  }

  arc(cx: number, cy: number, r: number, a0: number, sweep: number, colour: number, width: number, style: number): void {
    this.pen(colour, width, style);
    // Screen y runs down: counterclockwise on the screen is anticlockwise
    // through negated angles.
    this.ctx.moveTo(cx + r * Math.cos(a0), cy - r * Math.sin(a0));
    this.ctx.arc(cx, cy, r, -a0, -(a0 + sweep), true);
  }

  polygon(points: number[], colour: number): void {
    const ctx = this.ctx;
    this.flush();
    ctx.fillStyle = colourCss(colour);
    ctx.beginPath();
    ctx.moveTo(points[0], points[1]);
    for (let k = 2; k < points.length; k += 2) ctx.lineTo(points[k], points[k + 1]);
    ctx.closePath();
    ctx.fill();
  }

  clear(): void {
    this.flush();
    if (this.background) {
      this.ctx.fillStyle = this.background;
      this.ctx.fillRect(0, 0, this.w, this.h);
    } else {
      this.ctx.clearRect(0, 0, this.w, this.h);
    }
  }
}

/**
 * Paints items [from, to) of the record onto ctx, whose user space is the
 * client area in CSS pixels. `background` is what a Cls clears to (null:
 * transparent).
 */
export function paintRecord(
  ctx: CanvasRenderingContext2D,
  rec: PictureRecord,
  from: number,
  to: number,
  background: string | null = BACKGROUND,
): void {
  ctx.save();
  walkRecord(rec, from, to, new CanvasBackEnd(ctx, rec.width, rec.height, background));
  ctx.restore();
}
