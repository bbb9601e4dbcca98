// The mirror in the lens's place, or none: a choice of the prepared mirrors
// at the head of the Lens panel. A choice is one setMirror call with the
// mirror spelled as --mirror spells it; a mirror from elsewhere (a set-up, a
// link, the console) shows here too.

import type { MirrorInfo } from './lab';
import type { Page } from './page';

export class MirrorChoice {
  private readonly select: HTMLSelectElement;
  private readonly error: HTMLElement;

  constructor(
    private readonly page: Page,
    host: HTMLElement,
  ) {
    const info = this.info();
    const box = document.createElement('div');
    box.className = 'mirror-choice';
    box.innerHTML = `<h2>Mirror</h2>
      <div class="lens-row"><label for="mirror-preset">mirror</label><select id="mirror-preset"></select></div>`;
    host.prepend(box);
    this.select = box.querySelector('#mirror-preset')!;
    this.select.append(new Option('none (the lens)', 'none'));
    for (const p of info.presets) this.select.append(new Option(p.name, p.text));
    this.select.append(new Option('(your own mirror)', ''));
    this.error = document.createElement('p');
    this.error.className = 'mirror-error';
    this.error.setAttribute('role', 'alert');
    box.appendChild(this.error);
    this.select.addEventListener('change', () => {
      if (!this.select.value) return; // "your own mirror" is what a set-up or the console gave
      this.error.textContent = this.page.start('setMirror', this.select.value);
      this.show();
    });
    this.show();
    page.afterAction.push(() => this.show());
  }

  private info(): MirrorInfo {
    return JSON.parse(this.page.lab.mirror()) as MirrorInfo;
  }

  private show(): void {
    const now = this.info();
    const preset = now.presets.find((p) => p.key === now.preset);
    const value = now.preset === 'none' ? 'none' : (preset?.text ?? '');
    if (this.select.value !== value) this.select.value = value;
  }
}
