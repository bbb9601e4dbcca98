// The high-contrast theme (the toolbar's High contrast switch; on at the
// first visit when the system asks for more contrast; remembered): the lab's
// rules repaint the same record with wider pens and darker colours, and the
// markers are drawn larger by the lab's factor. Off, the picture is the
// program's own, pixel for pixel.

import type { Page } from './page';
import { store, stored } from './storage';

const CONTRAST_KEY = 'fermat-lens-high-contrast';

function remembered(): boolean {
  const v = stored(CONTRAST_KEY);
  if (v !== null) return v === '1';
  return window.matchMedia?.('(prefers-contrast: more)').matches ?? false;
}

export class Contrast {
  private on = false;

  constructor(private readonly page: Page) {
    const button = document.getElementById('toggle-contrast') as HTMLButtonElement;
    button.addEventListener('click', () => {
      this.set(!this.on);
      button.blur(); // Space stays the picture's Play key
      store(CONTRAST_KEY, this.on ? '1' : '0');
    });
    this.set(remembered());
  }

  set(on: boolean): void {
    this.on = on;
    const page = this.page;
    page.lab.setHighContrast(on);
    const theme = JSON.parse(page.lab.contrastTheme()) as { on: boolean; markerScale: number };
    document.getElementById('toggle-contrast')!.setAttribute('aria-pressed', String(theme.on));
    document.body.classList.toggle('high-contrast', theme.on);
    document.body.style.setProperty('--marker-scale', String(theme.markerScale));
    // Every item again, as the theme paints it.
    page.rec.invalidate();
    page.refresh();
  }
}
