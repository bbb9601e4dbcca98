// The Lens panel's choices (selects) show the chosen entry whole. The
// stylesheet sizes a choice by its chosen entry (field-sizing: content):
// beside its name while it fits there, on a line of its own below the name
// when it needs the room. An entry longer than even the whole row is shown
// in a smaller font, half a pixel at a time, down to the lab's smallest
// choice (controls().minChoicePx); only past that is it cut. The entries come from the lab in the language in force, and a
// translation's may be far longer than the original's.

import { shrinkToFit } from './dom';

/**
 * Makes the chosen entry of `select` fit its row, now and whenever the row
 * changes size or the entry is chosen; `minPx` gives the smallest font
 * (CSS pixels) as the lab has it.
 */
export function keepChoiceWhole(select: HTMLSelectElement, minPx: () => number): () => void {
  const fit = () => fitChoice(select, minPx());
  select.addEventListener('change', fit);
  // Shown (a panel opened), or the panel's width changed: the room is another.
  if (select.parentElement) new ResizeObserver(fit).observe(select.parentElement);
  return fit;
}

/** The select's width with nothing but its chosen entry to size it. */
function needs(select: HTMLSelectElement): number {
  const { flex, maxWidth } = select.style;
  select.style.flex = 'none';
  select.style.maxWidth = 'none';
  const w = select.getBoundingClientRect().width;
  select.style.flex = flex;
  select.style.maxWidth = maxWidth;
  return w;
}

function fitChoice(select: HTMLSelectElement, minPx: number): void {
  const row = select.parentElement;
  if (!row || row.clientWidth === 0) return; // not shown: fitted once it is
  // From the stylesheet's size each time: the entry or the room may be another.
  select.style.fontSize = '';
  shrinkToFit(
    parseFloat(getComputedStyle(select).fontSize),
    minPx,
    (px) => (select.style.fontSize = `${px}px`),
    () => needs(select) > row.clientWidth + 0.5,
  );
}
