// The Lens panel: a preset, or the index, the two faces' radii (or flat), the
// thickness and the aperture (or auto), each as a number and a slider. Every
// change is one setLens call with the whole lens spelled as --lens spells it,
// taken at once (live while a slider is dragged); a lens that cannot exist is
// refused by the lab with its one-line reason, shown beside the fields, and
// changes nothing. The lens in force is shown in one line in the toolbar.

import { keepChoiceWhole } from './choiceFit';
import type { LensInfo, LensRow } from './lab';
import type { Page } from './page';
import { onLanguageChange, setWords, t } from './words';

/** A field's name beside it: the lens text's own symbol for n, r1 and r2, a word for the others. */
const FIELD_NAMES: Record<LensRow['key'], string> = {
  n: 'lensPanel.n.name',
  r1: 'lensPanel.r1.name',
  r2: 'lensPanel.r2.name',
  thickness: 'page.lens.thickness',
  aperture: 'page.lens.aperture',
};

interface Field {
  row: LensRow;
  key: LensRow['key'];
  number: HTMLInputElement;
  slider: HTMLInputElement;
  /** r1, r2: flat; aperture: where the faces meet. */
  check?: HTMLInputElement;
  /** The row: its title is the lab's hint. */
  el: HTMLElement;
}

export class LensPanel {
  private readonly preset: HTMLSelectElement;
  private readonly fitPreset: () => void;
  private readonly fields = new Map<Field['key'], Field>();
  private readonly error: HTMLElement;
  private readonly summary: HTMLElement | null;
  private shown = '';
  private shownScene = '';

  constructor(
    private readonly page: Page,
    host: HTMLElement,
  ) {
    const info = this.info();
    host.innerHTML = `<h2></h2>
      <div class="lens-row"><label for="lens-preset"></label><select id="lens-preset"></select></div>`;
    setWords(host.querySelector('h2')!, 'window.lens.title');
    setWords(host.querySelector('label')!, 'page.lens.preset');
    this.preset = host.querySelector('#lens-preset')!;
    const own = new Option('', '');
    setWords(own, 'page.lens.ownLens');
    this.preset.append(own);
    for (const p of info.presets) this.preset.append(new Option(p.name, p.key));
    this.fitPreset = keepChoiceWhole(this.preset, () => page.controls.minChoicePx);
    for (const f of info.rows) {
      const row = document.createElement('div');
      row.className = 'lens-row';
      row.innerHTML = `<label for="lens-${f.key}"></label>
        <input type="number" id="lens-${f.key}" step="${f.step}" class="lens-number">
        ${f.toggle ? `<label class="check"><input type="checkbox" class="lens-check"> <span class="lens-toggle"></span></label>` : '<span></span>'}
        <input type="range" class="lens-slider">`;
      setWords(row.querySelector('label')!, FIELD_NAMES[f.key]);
      host.appendChild(row);
      const field: Field = {
        row: f,
        key: f.key,
        number: row.querySelector('.lens-number')!,
        slider: row.querySelector('.lens-slider')!,
        check: row.querySelector<HTMLInputElement>('.lens-check') ?? undefined,
        el: row,
      };
      this.rowWords(field);
      this.fields.set(f.key, field);
      this.setRange(field);
      field.number.addEventListener('input', () => {
        if (Number.isFinite(field.number.valueAsNumber)) this.sliderFollows(field);
        this.apply(field.number);
      });
      field.slider.addEventListener('input', () => {
        this.numberFollows(field);
        this.apply(field.slider);
      });
      field.check?.addEventListener('change', () => {
        field.number.disabled = field.check!.checked;
        this.apply(field.check!);
      });
    }
    this.error = document.createElement('p');
    this.error.className = 'lens-error';
    this.error.setAttribute('role', 'alert');
    host.appendChild(this.error);
    const note = document.createElement('p');
    note.className = 'lens-note';
    setWords(note, 'page.lens.note');
    host.appendChild(note);
    this.preset.addEventListener('change', () => {
      if (!this.preset.value) return; // "your own lens" is what the fields say
      this.take(`preset=${this.preset.value}`, null);
    });
    this.summary = document.getElementById('lens-summary');
    // Its title names the lens or the mirror in force from now on.
    this.summary?.removeAttribute('data-i18n-attr');
    this.show(info, null);
    // A lens from elsewhere (a set-up, a lesson, a link) shows here too.
    page.afterAction.push(() => {
      const now = this.info();
      if (now.text !== this.shown || now.scene !== this.shownScene) this.show(now, null);
    });
    // Another language: the presets' names, the hints and the lens line in its words.
    onLanguageChange(() => {
      const now = this.info();
      now.presets.forEach((p, i) => {
        const option = this.preset.options[i + 1];
        if (option?.value === p.key) option.text = p.name;
      });
      for (const f of this.fields.values()) {
        f.row = now.rows.find((r) => r.key === f.key) ?? f.row;
        this.rowWords(f);
      }
      this.show(now, null);
    });
  }

  /** A row's words from the lab's table: its hint, the toggle's word. */
  private rowWords(f: Field): void {
    f.el.title = f.row.hint;
    f.slider.setAttribute('aria-label', f.row.hint);
    const toggle = f.el.querySelector('.lens-toggle');
    if (toggle && f.row.toggle) toggle.textContent = f.row.toggle;
  }

  /** What a slider says for a value: the field's name and the number, or its toggle's word. */
  private valueText(f: Field, v: number | 'flat' | null): string {
    const value = typeof v === 'number' ? String(v) : v === 'flat' ? (f.row.toggle ?? v) : t('page.lens.auto');
    return t('page.lens.value', { name: t(FIELD_NAMES[f.key]), value });
  }

  private info(): LensInfo {
    return JSON.parse(this.page.lab.lens()) as LensInfo;
  }

  private setRange(f: Field): void {
    // Whole positions, as the window's slider has them; the lab maps them to values.
    const s = f.slider;
    [s.min, s.max, s.step] = [String(f.row.sliderLow), String(f.row.sliderHigh), '1'];
  }

  /** The value a slider position stands for, as the lab maps it (the window's panel too). */
  private valueAt(f: Field, position: number): number | 'flat' {
    return JSON.parse(this.page.lab.lensSliderValue(f.key, position)) as number | 'flat';
  }

  /** The slider position of a value (a face's radius, 'flat' or 0 for flat). */
  private positionOf(f: Field, v: number | 'flat'): number {
    return this.page.lab.lensSliderPosition(f.key, v === 'flat' ? 0 : v);
  }

  /** The number field takes the slider's value. */
  private numberFollows(f: Field): void {
    const v = this.valueAt(f, f.slider.valueAsNumber);
    if (f.row.curvature) {
      f.check!.checked = v === 'flat';
      f.number.disabled = v === 'flat';
      if (v !== 'flat') f.number.value = String(v);
      f.slider.setAttribute('aria-valuetext', this.valueText(f, v));
    } else {
      f.number.value = String(v);
      if (f.check) {
        f.check.checked = false;
        f.number.disabled = false;
      }
    }
  }

  /** The slider takes the number field's value. */
  private sliderFollows(f: Field): void {
    f.slider.value = String(this.positionOf(f, f.number.valueAsNumber));
  }

  /** The whole lens as the fields give it, spelled as --lens spells it. */
  private text(): string {
    return [...this.fields.values()]
      .map((f) => `${f.key}=${f.check?.checked ? f.row.ticked : f.number.value.trim()}`)
      .join(',');
  }

  private apply(from: HTMLElement): void {
    // A field that holds no number is answered in a teacher's words; a number out of range by the lens.
    for (const f of this.fields.values()) {
      if (f.check?.checked) continue;
      const problem = this.page.lab.lensFieldProblem(f.key, f.number.value);
      if (problem) {
        this.refuse(problem);
        return;
      }
    }
    this.take(this.text(), from);
  }

  private refuse(error: string): void {
    this.error.textContent = error;
    this.error.title = error;
  }

  /** Gives the lab the lens; `from` keeps what the user is typing or dragging. */
  private take(text: string, from: HTMLElement | null): void {
    const error = this.page.start('setLens', text);
    if (error) {
      this.refuse(error);
      return;
    }
    this.show(this.info(), from);
  }

  private show(info: LensInfo, keep: HTMLElement | null): void {
    this.shown = info.text;
    // Nothing refused; what the lens taken means for the scene, if anything.
    this.error.textContent = info.note;
    this.error.title = info.note;
    this.preset.value = info.preset;
    this.fitPreset();
    const values: Record<Field['key'], number | 'flat' | null> = {
      n: info.n,
      r1: info.r1,
      r2: info.r2,
      thickness: info.thickness,
      aperture: info.aperture,
    };
    for (const f of this.fields.values()) {
      const v = values[f.key];
      // An open aperture or a flat face shows the number it had (or the rims' height in force).
      const special = v === null || v === 'flat';
      if (f.check) f.check.checked = special;
      f.number.disabled = special;
      if (f.number !== keep) {
        if (typeof v === 'number') f.number.value = String(v);
        else if (f.key === 'aperture') f.number.value = String(Number(info.halfAperture.toFixed(2)));
      }
      if (f.slider !== keep) {
        if (f.row.curvature) f.slider.value = String(this.positionOf(f, v ?? 'flat'));
        else f.slider.value = String(this.positionOf(f, typeof v === 'number' ? v : info.halfAperture));
      }
      f.slider.setAttribute('aria-valuetext', this.valueText(f, v));
    }
    this.shownScene = info.scene;
    if (this.summary) {
      this.summary.textContent = info.scene;
      this.summary.title = t(info.mirror ? 'page.toolbar.mirrorInForce' : 'page.toolbar.lensInForce', { scene: info.scene });
    }
  }
}
