// The picture on the page: a 2D canvas at the screen's pixel ratio showing
// the page's copy of the lab's display record, painted afresh after a new
// generation or a change of ratio and only the new items while the record
// grows.

import { el } from './dom';
import type { WebLab } from './lab';
import { BACKGROUND, PictureRecord, paintRecord } from './picture';
import { setAttrWords } from './words';

export class PictureView {
  readonly rec: PictureRecord;
  readonly canvas: HTMLCanvasElement;
  private readonly ctx: CanvasRenderingContext2D;
  private ratio = 1;

  constructor(
    form: HTMLElement,
    private readonly width: number,
    private readonly height: number,
  ) {
    this.rec = new PictureRecord(width, height);
    this.canvas = el('canvas', 'picture', form);
    this.canvas.setAttribute('role', 'img');
    setAttrWords(this.canvas, { 'aria-label': 'page.stage.picture' });
    this.ctx = this.canvas.getContext('2d', { alpha: false })!;
  }

  /** Backing store at the screen's pixel ratio; a change of ratio repaints everything. */
  setRatio(): void {
    const ratio = window.devicePixelRatio || 1;
    if (ratio === this.ratio && this.canvas.width > 0 && this.rec.revision >= 0) return;
    this.ratio = ratio;
    this.canvas.width = Math.max(1, Math.round(this.width * ratio));
    this.canvas.height = Math.max(1, Math.round(this.height * ratio));
    this.canvas.style.width = `${this.width}px`;
    this.canvas.style.height = `${this.height}px`;
    this.paintAll();
  }

  private paintAll(): void {
    const ctx = this.ctx;
    ctx.setTransform(this.canvas.width / this.width, 0, 0, this.canvas.height / this.height, 0, 0);
    ctx.fillStyle = BACKGROUND;
    ctx.fillRect(0, 0, this.width, this.height);
    paintRecord(ctx, this.rec, 0, this.rec.count);
  }

  /** Follows the lab's record: the new items, or everything after a new generation. */
  paint(lab: WebLab): void {
    const before = this.rec.count;
    const from = this.rec.sync(lab);
    if (from < 0) return;
    if (from === 0) {
      this.paintAll();
    } else {
      this.ctx.setTransform(this.canvas.width / this.width, 0, 0, this.canvas.height / this.height, 0, 0);
      paintRecord(this.ctx, this.rec, Math.min(from, before), this.rec.count);
    }
  }
}
