// The mirror in the lens's place, or none: a choice of the prepared mirrors
// at the head of the Lens panel. A choice is one setMirror call with the
// mirror spelled as --mirror spells it; a mirror from elsewhere (a set-up, a
// link, the console) shows here too. After "position by Fermat" the ellipse
// through each stationary point is drawn over the picture (a switch turns it off).

import { keepChoiceWhole } from './choiceFit';
import { el } from './dom';
import type { ChallengeDrawing, MirrorEditInfo, MirrorInfo, MirrorPanelInfo } from './lab';
import { drawOverlay } from './overlay';
import type { Page } from './page';
import { onLanguageChange } from './words';

export class MirrorChoice {
  private readonly select: HTMLSelectElement;
  private readonly error: HTMLElement;
  private readonly why: HTMLInputElement;
  private readonly beam: HTMLInputElement;
  private readonly kind: HTMLSelectElement;
  private readonly fields: HTMLElement;
  private shownRows = '';
  private readonly canvas: HTMLCanvasElement;
  private readonly box: HTMLElement;
  private readonly fitChoices: (() => void)[];

  constructor(
    private readonly page: Page,
    host: HTMLElement,
  ) {
    const info = this.info();
    const box = document.createElement('div');
    box.className = 'mirror-choice';
    box.innerHTML = `<h2></h2>
      <div class="lens-row"><label for="mirror-preset" class="choice-text"></label><select id="mirror-preset"></select></div>
      <div class="lens-row"><label for="mirror-kind" class="kind-text"></label><select id="mirror-kind"></select></div>
      <div class="mirror-fields"></div>
      <label class="check"><input type="checkbox" id="mirror-beam"> <span class="beam-text"></span></label>
      <label class="check"><input type="checkbox" id="mirror-why" checked> <span class="why-text"></span></label>`;
    this.box = box;
    host.prepend(box);
    this.select = box.querySelector('#mirror-preset')!;
    this.why = box.querySelector('#mirror-why')!;
    this.beam = box.querySelector('#mirror-beam')!;
    this.beam.addEventListener('change', () => {
      if (!this.page.accepting()) {
        this.show();
        return;
      }
      this.page.record('setParallelBeam', this.beam.checked);
      this.page.lab.setParallelBeam(this.beam.checked);
      this.page.completed();
      this.show();
    });
    this.kind = box.querySelector('#mirror-kind')!;
    const minPx = () => page.controls.minChoicePx;
    this.fitChoices = [keepChoiceWhole(this.select, minPx), keepChoiceWhole(this.kind, minPx)];
    this.fields = box.querySelector('.mirror-fields')!;
    this.kind.addEventListener('change', () => {
      if (this.kind.value === 'none') this.take('none');
      else this.takeEdit(JSON.parse(this.page.lab.mirrorOfKind(this.kind.value)) as MirrorEditInfo);
    });
    this.why.addEventListener('change', () => this.draw());
    // Above the picture, below the challenge's answer; presses go through.
    this.canvas = el('canvas', 'overlay');
    this.canvas.classList.add('mirror-why');
    page.form.insertBefore(this.canvas, page.form.querySelector('canvas.picture')!.nextSibling);
    this.canvas.setAttribute('aria-hidden', 'true');
    window.addEventListener('resize', () => this.draw());
    // A moved marker may leave the ellipses belonging to no path: the lab says again after the action.
    page.beforeInput.push(() => drawOverlay(this.canvas, this.page, null));
    this.words(info);
    this.error = document.createElement('p');
    this.error.className = 'mirror-error';
    this.error.setAttribute('role', 'alert');
    box.appendChild(this.error);
    this.select.addEventListener('change', () => {
      if (!this.select.value) return; // "your own mirror" is what a set-up or the console gave
      this.take(this.select.value);
    });
    this.show();
    page.afterAction.push(() => {
      this.show();
      this.draw();
    });
    // Another language: every word anew, the fields' labels too; the mirror stays.
    onLanguageChange(() => {
      this.words(this.info());
      this.shownRows = '';
      this.show();
      this.draw();
    });
    this.draw();
  }

  /** The words the window's menus say too, from the lab's table; the choices' lists in them. */
  private words(info: MirrorInfo): void {
    const texts = this.page.texts;
    const box = this.box;
    box.querySelector('h2')!.textContent = texts.mirrorMenu;
    box.querySelector('.choice-text')!.textContent = texts.mirrorChoice;
    box.querySelector('.kind-text')!.textContent = texts.mirrorKind;
    box.querySelector('.beam-text')!.textContent = texts.parallelBeam;
    box.querySelector('.why-text')!.textContent = texts.mirrorWhy;
    const panel = this.panelInfo();
    const kind = this.kind.value;
    this.kind.replaceChildren(new Option(texts.noMirror, 'none'), ...panel.kinds.map((k) => new Option(k.name, k.word)));
    this.kind.value = kind;
    const preset = this.select.value;
    this.select.replaceChildren(
      new Option(texts.noMirror, 'none'),
      ...info.presets.map((p) => new Option(p.name, p.text)),
      new Option(texts.ownMirror, ''),
    );
    this.select.value = preset;
  }

  private draw(): void {
    const d = this.why.checked ? (JSON.parse(this.page.lab.mirrorWhy()) as ChallengeDrawing) : null;
    drawOverlay(this.canvas, this.page, d);
  }

  private take(text: string): void {
    this.error.textContent = this.page.start('setMirror', text);
    this.show();
  }

  /** A field's or a kind's change, as the lab's rule words it. */
  private takeEdit(e: MirrorEditInfo): void {
    if (e.error) {
      this.error.textContent = e.error;
      this.show();
      return;
    }
    this.take(e.text);
  }

  private panelInfo(): MirrorPanelInfo {
    return JSON.parse(this.page.lab.mirrorPanel()) as MirrorPanelInfo;
  }

  /** The kind's fields, made anew when the kind changes, their values the mirror's. */
  private showFields(): void {
    const panel = this.panelInfo();
    if (this.kind.value !== panel.kind) this.kind.value = panel.kind;
    const rows = panel.rows.map((r) => r.key).join(',');
    if (rows !== this.shownRows) {
      this.shownRows = rows;
      this.fields.replaceChildren(
        ...panel.rows.map((r) => {
          const row = document.createElement('div');
          row.className = 'lens-row';
          row.title = r.hint;
          row.innerHTML = `<label for="mirror-${r.key}">${r.label}</label>
            <input type="number" id="mirror-${r.key}" class="mirror-number" min="${r.low}" max="${r.high}" step="${r.step}">`;
          const input = row.querySelector('input')!;
          input.addEventListener('change', () =>
            this.takeEdit(JSON.parse(this.page.lab.editMirror(r.key, input.value)) as MirrorEditInfo),
          );
          return row;
        }),
      );
    }
    for (const r of panel.rows) {
      const input = this.fields.querySelector<HTMLInputElement>(`#mirror-${r.key}`);
      if (input && document.activeElement !== input) input.value = r.text;
    }
  }

  private info(): MirrorInfo {
    return JSON.parse(this.page.lab.mirror()) as MirrorInfo;
  }

  private show(): void {
    const now = this.info();
    const preset = now.presets.find((p) => p.key === now.preset);
    const value = now.preset === 'none' ? 'none' : (preset?.text ?? '');
    if (this.select.value !== value) this.select.value = value;
    this.beam.checked = now.parallelBeam;
    this.beam.disabled = now.preset === 'none';
    this.showFields();
    for (const fit of this.fitChoices) fit();
  }
}
