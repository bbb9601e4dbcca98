// Small helpers for building the page's elements and placing them in pixels
// of the client area.

import type { Rect } from './lab';

export function el<K extends keyof HTMLElementTagNameMap>(tag: K, cls?: string, parent?: HTMLElement): HTMLElementTagNameMap[K] {
  const e = document.createElement(tag);
  if (cls) e.className = cls;
  parent?.appendChild(e);
  return e;
}

/** Places an absolutely positioned element at [left, top, width, height] CSS pixels. */
export function placeRect(e: HTMLElement, r: Rect): void {
  e.style.left = `${r[0]}px`;
  e.style.top = `${r[1]}px`;
  e.style.width = `${r[2]}px`;
  e.style.height = `${r[3]}px`;
}

/** CSS pixels of a size in points. */
export function ptToPx(pt: number): number {
  return pt * (96 / 72);
}

/**
 * The one way the page shrinks words into their box: from `fromPx` half a
 * pixel at a time (each size handed to `setPx`), no smaller than `minPx`,
 * while `overflows()`. Whether the words fit in the end.
 */
export function shrinkToFit(fromPx: number, minPx: number, setPx: (px: number) => void, overflows: () => boolean): boolean {
  let px = fromPx;
  while (overflows()) {
    if (px <= minPx) return false;
    px = Math.max(minPx, px - 0.5);
    setPx(px);
  }
  return true;
}
