// One of the lab's overlay drawings (the challenge's answer, the mirror
// scene's ellipses, the medium's shading) on a canvas of its own above the picture, as the window
// draws it: world points mapped by the picture's frame, never into the
// lab's record.

import type { ChallengeDrawing, Frame } from './lab';
import type { Page } from './page';
import { colourCss, toPixelX, toPixelY } from './picture';

/** Draws `d` on `c` over the whole client area; hides the canvas for none. */
export function drawOverlay(c: HTMLCanvasElement, page: Page, d: ChallengeDrawing | null): void {
  const cells = d?.cells ?? [];
  if (!d || (cells.length === 0 && d.paths.length === 0 && d.dots.length === 0)) {
    // Nothing to draw: hidden, and no backing store the size of the client
    // area kept for it (each overlay would cost that at start-up).
    c.hidden = true;
    if (c.width !== 1 || c.height !== 1) {
      c.width = 1;
      c.height = 1;
    }
    return;
  }
  const ratio = window.devicePixelRatio || 1;
  const { width, height } = page;
  c.width = Math.max(1, Math.round(width * ratio));
  c.height = Math.max(1, Math.round(height * ratio));
  c.style.width = `${width}px`;
  c.style.height = `${height}px`;
  const ctx = c.getContext('2d')!;
  ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
  ctx.clearRect(0, 0, width, height);
  c.hidden = false;
  const frames = JSON.parse(page.lab.frames()) as Frame[];
  const f = frames[frames.length - 1];
  for (const cell of cells) {
    const x1 = toPixelX(f, width, cell.x1), x2 = toPixelX(f, width, cell.x2);
    const y1 = toPixelY(f, height, cell.y1), y2 = toPixelY(f, height, cell.y2);
    ctx.globalAlpha = cell.opacity;
    ctx.fillStyle = colourCss(cell.fill);
    ctx.fillRect(Math.min(x1, x2), Math.min(y1, y2), Math.abs(x2 - x1), Math.abs(y2 - y1));
  }
  ctx.globalAlpha = 1;
  for (const path of d.paths) {
    ctx.beginPath();
    for (let k = 0; k + 1 < path.points.length; k += 2) {
      const x = toPixelX(f, width, path.points[k]);
      const y = toPixelY(f, height, path.points[k + 1]);
      if (k) ctx.lineTo(x, y);
      else ctx.moveTo(x, y);
    }
    ctx.strokeStyle = colourCss(path.colour);
    ctx.lineWidth = path.width;
    ctx.setLineDash(path.dash);
    ctx.stroke();
    ctx.setLineDash([]);
  }
  ctx.font = `${d.textSize}px "DejaVu Sans", sans-serif`;
  for (const dot of d.dots) {
    const x = toPixelX(f, width, dot.x);
    const y = toPixelY(f, height, dot.y);
    ctx.beginPath();
    ctx.arc(x, y, dot.radius, 0, 2 * Math.PI);
    ctx.fillStyle = colourCss(dot.fill);
    ctx.fill();
    ctx.strokeStyle = colourCss(dot.outline);
    ctx.lineWidth = dot.outlineWidth;
    ctx.stroke();
    ctx.fillStyle = colourCss(dot.textInk ?? dot.fill);
    ctx.textBaseline = dot.textAbove ? 'bottom' : 'top';
    ctx.fillText(dot.text, x + d.textDx, dot.textAbove ? y - d.textDy : y + d.textDy);
  }
}
