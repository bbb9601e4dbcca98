// The five command buttons, placed and captioned as the lab says; a press is
// handed to the page, which calls the lab.

import { el, placeRect, ptToPx, shrinkToFit } from './dom';
import type { ButtonInfo } from './lab';

export class CommandButtons {
  private readonly buttons: HTMLButtonElement[] = [];
  private info: ButtonInfo[] = [];
  /** The smallest caption a button is given to keep it whole (CSS pixels): the lab's. */
  private minCaptionPx = 0;

  constructor(form: HTMLElement, onClick: (k: number, b: HTMLButtonElement) => void) {
    for (let k = 1; k <= 5; ++k) {
      const b = el('button', 'command', form);
      b.type = 'button';
      b.dataset.command = String(k);
      el('span', undefined, b);
      b.addEventListener('click', () => onClick(k, b));
      this.buttons.push(b);
    }
  }

  update(info: ButtonInfo[], minCaptionPx: number): void {
    this.info = info;
    this.minCaptionPx = minCaptionPx;
    let changed = false;
    this.buttons.forEach((b, i) => {
      const one = info[i];
      if (!one) return;
      if (b.disabled !== !one.enabled) b.disabled = !one.enabled;
      const key = `${one.rect.join(',')}|${one.pointSize}|${one.caption}`;
      if (b.dataset.fitted === key) return;
      b.dataset.fitted = key;
      changed = true;
      placeRect(b, one.rect);
      const span = b.firstElementChild as HTMLElement;
      if (span.textContent !== one.caption) span.textContent = one.caption;
    });
    if (changed) this.fitCaptions();
  }

  /**
   * Every button's caption whole inside its button: at the lab's font size
   * where it fits, else all five a little smaller (one size, so they still
   * look alike), down to the lab's smallest caption; only past that are long words broken.
   * The buttons keep the places the lab gives them.
   */
  private fitCaptions(): void {
    const info = this.info;
    const wanted = ptToPx(Math.min(...info.map((b) => b.pointSize)));
    const overflows = () =>
      this.buttons.some((b) => b.scrollHeight > b.clientHeight + 1 || b.scrollWidth > b.clientWidth + 1);
    const setSize = (px: number) => this.buttons.forEach((b) => (b.style.fontSize = `${px}px`));
    this.buttons.forEach((b) => b.classList.remove('break-words'));
    // At the lab's size when it fits: the program's own look wherever there is room.
    this.buttons.forEach((b, i) => (b.style.fontSize = `${info[i]?.pointSize ?? 8}pt`));
    if (shrinkToFit(wanted, this.minCaptionPx, setSize, overflows)) return;
    this.buttons.forEach((b) => b.classList.add('break-words'));
  }
}
