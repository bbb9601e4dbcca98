// A graded medium in the lens's place, or none: a choice of the prepared
// media at the head of the Lens panel, and a field that takes any medium as
// --medium spells it. A choice is one setMedium call; a medium from
// elsewhere (a set-up, a link, the console) shows here too. The index is
// shaded over the picture (a switch turns it off), never into it.

import { keepChoiceWhole } from './choiceFit';
import { el } from './dom';
import type { ChallengeDrawing, MediumInfo } from './lab';
import { drawOverlay } from './overlay';
import type { Page } from './page';
import { onLanguageChange } from './words';

export class MediumChoice {
  private readonly select: HTMLSelectElement;
  private readonly field: HTMLInputElement;
  private readonly said: HTMLElement;
  private readonly shading: HTMLInputElement;
  private readonly canvas: HTMLCanvasElement;
  private readonly box: HTMLElement;
  private readonly fitChoice: () => void;

  constructor(
    private readonly page: Page,
    host: HTMLElement,
  ) {
    const box = document.createElement('div');
    box.className = 'medium-choice';
    box.innerHTML = `<h2></h2>
      <div class="lens-row"><label for="medium-preset" class="choice-text"></label><select id="medium-preset"></select></div>
      <div class="lens-row"><label for="medium-text" class="any-text"></label><input type="text" id="medium-text" spellcheck="false"></div>
      <label class="check"><input type="checkbox" id="medium-shading" checked> <span class="shading-text"></span></label>`;
    this.box = box;
    host.prepend(box);
    this.select = box.querySelector('#medium-preset')!;
    this.field = box.querySelector('#medium-text')!;
    this.shading = box.querySelector('#medium-shading')!;
    this.fitChoice = keepChoiceWhole(this.select, () => page.controls.minChoicePx);
    this.said = document.createElement('p');
    this.said.className = 'medium-said';
    this.said.setAttribute('role', 'status');
    box.appendChild(this.said);
    this.words();
    this.select.addEventListener('change', () => {
      if (this.select.value) this.take(this.select.value); // "your own medium" is the field's
    });
    this.field.addEventListener('keydown', (e) => {
      if (e.key === 'Enter') this.take(this.field.value.trim());
    });
    this.shading.addEventListener('change', () => this.draw());
    // Under every other overlay: the picture's own colours come first.
    this.canvas = el('canvas', 'overlay');
    this.canvas.classList.add('medium-shading');
    page.form.insertBefore(this.canvas, page.form.querySelector('canvas.picture')!.nextSibling);
    this.canvas.setAttribute('aria-hidden', 'true');
    window.addEventListener('resize', () => this.draw());
    page.afterAction.push(() => {
      this.show();
      this.draw();
    });
    // Another language: every word anew, the shading's legend too; the medium stays.
    onLanguageChange(() => {
      this.words();
      this.show();
      this.draw();
    });
    this.show();
    this.draw();
  }

  /** The words the window's Medium menu says too, from the lab's table; the choices in them. */
  private words(): void {
    const texts = this.page.texts;
    const box = this.box;
    box.querySelector('h2')!.textContent = texts.medium;
    box.querySelector('.shading-text')!.textContent = texts.indexShading;
    box.querySelector('.choice-text')!.textContent = texts.mediumChoice;
    box.querySelector('.any-text')!.textContent = texts.mediumAny;
    this.field.title = texts.mediumPrompt;
    this.field.placeholder = texts.mediumPrompt;
    const chosen = this.select.value;
    this.select.replaceChildren(
      new Option(texts.noMedium, 'none'),
      ...this.info().presets.map((p) => new Option(p.name, p.text)),
      new Option(texts.ownMedium, ''),
    );
    this.select.value = chosen;
  }

  private info(): MediumInfo {
    return JSON.parse(this.page.lab.medium()) as MediumInfo;
  }

  private take(text: string): void {
    const error = this.page.start('setMedium', text);
    this.show();
    if (error) {
      this.field.value = text;
      this.said.textContent = error;
    }
  }

  private draw(): void {
    const d = this.shading.checked ? (JSON.parse(this.page.lab.mediumShading()) as ChallengeDrawing) : null;
    drawOverlay(this.canvas, this.page, d);
  }

  private show(): void {
    const now = this.info();
    const preset = now.presets.find((p) => p.key === now.preset);
    const value = now.preset === 'none' ? 'none' : (preset?.text ?? '');
    if (this.select.value !== value) this.select.value = value;
    if (document.activeElement !== this.field) this.field.value = now.preset === 'none' ? '' : now.text;
    this.said.textContent = now.preset === 'none' ? '' : now.summary;
    this.shading.disabled = now.preset === 'none';
    this.fitChoice();
  }
}
