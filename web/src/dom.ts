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
