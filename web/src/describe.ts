// Words for whoever cannot see the picture, all made by the lab: after each
// complete action what it changed, read out politely (a live region); the
// whole picture on demand (Help ▸ Describe the picture) and as the picture's
// own description.

import { onAction } from './menus';
import type { Page } from './page';
import { onLanguageChange } from './words';

export class Describer {
  private readonly live: HTMLElement;
  private readonly picture: HTMLElement;
  /** How many times something was said (the tests wait on it). */
  spoken = 0;

  constructor(page: Page) {
    this.live = document.getElementById('described')!;
    this.picture = document.getElementById('picture-description')!;
    // The picture (named by the page) is described by the lab's paragraph.
    document.querySelector('#stage canvas')?.setAttribute('aria-describedby', 'picture-description');
    // The start's picture is described, not announced: nothing has changed yet.
    page.lab.describeChange();
    this.picture.textContent = page.lab.describePicture();
    page.afterAction.push(() => {
      this.picture.textContent = page.lab.describePicture();
      const said = page.lab.describeChange();
      if (said) this.say(said);
    });
    onAction('describe', () => this.say(page.lab.describePicture()));
    onLanguageChange(() => {
      this.picture.textContent = page.lab.describePicture();
    });
  }

  /** The last thing said, as the live region holds it (the tests read it). */
  get said(): string {
    return this.live.textContent ?? '';
  }

  private say(text: string): void {
    // The same words again are announced again only if the region changes:
    // emptied first, filled on the next frame.
    this.live.textContent = '';
    requestAnimationFrame(() => {
      this.live.textContent = text;
      ++this.spoken;
    });
  }
}
