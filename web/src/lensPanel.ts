// The Lens panel: a preset, or the index, the two faces' radii (or flat), the
// thickness and the aperture (or auto), each as a number and a slider. Every
// change is one setLens call with the whole lens spelled as --lens spells it,
// taken at once (live while a slider is dragged); a lens that cannot exist is
// refused by the lab with its one-line reason, shown beside the fields, and
// changes nothing. The lens in force is shown in one line in the toolbar.

import type { LensInfo } from './lab';
import type { Page } from './page';

// A face's slider runs over its curvature, 1000 / r per world unit: from the
// most hollow face (r = -100) through flat (0) to the most bulging (r = 100).
const CURVATURE_SCALE = 1000;
const CURVATURE_STEP = 0.05;

interface Field {
  key: 'n' | 'r1' | 'r2' | 'thickness' | 'aperture';
  number: HTMLInputElement;
  slider: HTMLInputElement;
  /** r1, r2: "flat"; aperture: "auto". */
  check?: HTMLInputElement;
}

const FIELDS: { key: Field['key']; label: string; check?: string; step: string; hint: string }[] = [
  { key: 'n', label: 'n', step: '0.01', hint: 'index: light n times slower in the glass' },
  { key: 'r1', label: 'r1', check: 'flat', step: '1', hint: 'radius of the first face (negative: hollow)' },
  { key: 'r2', label: 'r2', check: 'flat', step: '1', hint: 'radius of the second face (negative: hollow)' },
  { key: 'thickness', label: 'thickness', step: '1', hint: 'thickness on the axis' },
  { key: 'aperture', label: 'aperture', check: 'auto', step: '1', hint: 'half height of the lens (auto: where the faces meet)' },
];

function radiusOfCurvature(c: number): number | 'flat' {
  return Math.abs(c) < CURVATURE_STEP / 2 ? 'flat' : Math.round(CURVATURE_SCALE / c);
}

export class LensPanel {
  private readonly preset: HTMLSelectElement;
  private readonly fields = new Map<Field['key'], Field>();
  private readonly error: HTMLElement;
  private readonly summary: HTMLElement | null;
  private shown = '';

  constructor(
    private readonly page: Page,
    host: HTMLElement,
  ) {
    const info = this.info();
    host.innerHTML = `<h2>Lens</h2>
      <div class="lens-row"><label for="lens-preset">preset</label><select id="lens-preset"></select></div>`;
    this.preset = host.querySelector('#lens-preset')!;
    this.preset.append(new Option('(your own lens)', ''));
    for (const p of info.presets) this.preset.append(new Option(p.name, p.key));
    for (const f of FIELDS) {
      const row = document.createElement('div');
      row.className = 'lens-row';
      row.title = f.hint;
      row.innerHTML = `<label for="lens-${f.key}">${f.label}</label>
        <input type="number" id="lens-${f.key}" step="${f.step}" class="lens-number">
        ${f.check ? `<label class="check"><input type="checkbox" class="lens-check"> ${f.check}</label>` : '<span></span>'}
        <input type="range" class="lens-slider" aria-label="${f.hint}">`;
      host.appendChild(row);
      const field: Field = {
        key: f.key,
        number: row.querySelector('.lens-number')!,
        slider: row.querySelector('.lens-slider')!,
        check: row.querySelector<HTMLInputElement>('.lens-check') ?? undefined,
      };
      this.fields.set(f.key, field);
      this.setRange(field, info);
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
    note.textContent = 'A face bulges outwards for a positive radius and is hollow for a negative one; its slider passes through flat.';
    host.appendChild(note);
    this.preset.addEventListener('change', () => {
      if (!this.preset.value) return; // "your own lens" is what the fields say
      this.take(`preset=${this.preset.value}`, null);
    });
    this.summary = document.getElementById('lens-summary');
    this.show(info, null);
    // A lens from elsewhere (a set-up, a lesson, a link) shows here too.
    page.afterAction.push(() => {
      const now = this.info();
      if (now.text !== this.shown) this.show(now, null);
    });
  }

  private info(): LensInfo {
    return JSON.parse(this.page.lab.lens()) as LensInfo;
  }

  private setRange(f: Field, info: LensInfo): void {
    const s = f.slider;
    if (f.key === 'r1' || f.key === 'r2') {
      const c = CURVATURE_SCALE / info.limits.radius[0];
      [s.min, s.max, s.step] = [String(-c), String(c), String(CURVATURE_STEP)];
      return;
    }
    const [lo, hi] = info.limits[f.key];
    // The aperture's lower bound is open (above 0): its slider starts at 1.
    [s.min, s.max, s.step] = [String(f.key === 'aperture' ? 1 : lo), String(hi), f.key === 'n' ? '0.01' : '1'];
  }

  /** The number field takes the slider's value. */
  private numberFollows(f: Field): void {
    if (f.key === 'r1' || f.key === 'r2') {
      const r = radiusOfCurvature(f.slider.valueAsNumber);
      f.check!.checked = r === 'flat';
      f.number.disabled = r === 'flat';
      if (r !== 'flat') f.number.value = String(r);
      f.slider.setAttribute('aria-valuetext', `${f.key} ${r}`);
    } else {
      f.number.value = f.slider.value;
      if (f.check) {
        f.check.checked = false;
        f.number.disabled = false;
      }
    }
  }

  /** The slider takes the number field's value. */
  private sliderFollows(f: Field): void {
    const v = f.number.valueAsNumber;
    f.slider.value = String(f.key === 'r1' || f.key === 'r2' ? (v === 0 ? 0 : CURVATURE_SCALE / v) : v);
  }

  /** The whole lens as the fields give it, spelled as --lens spells it. */
  private text(): string {
    const part = (key: Field['key'], word: string) => {
      const f = this.fields.get(key)!;
      return `${key}=${f.check?.checked ? word : f.number.value.trim()}`;
    };
    return [part('n', ''), part('r1', 'flat'), part('r2', 'flat'), part('thickness', ''), part('aperture', 'auto')].join(',');
  }

  private apply(from: HTMLElement): void {
    this.take(this.text(), from);
  }

  /** Gives the lab the lens; `from` keeps what the user is typing or dragging. */
  private take(text: string, from: HTMLElement | null): void {
    const error = this.page.start('setLens', text);
    if (error) {
      this.error.textContent = error;
      this.error.title = error;
      return;
    }
    this.show(this.info(), from);
  }

  private show(info: LensInfo, keep: HTMLElement | null): void {
    this.shown = info.text;
    this.error.textContent = '';
    this.error.title = '';
    this.preset.value = info.preset;
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
        if (f.key === 'r1' || f.key === 'r2') f.slider.value = String(typeof v === 'number' ? CURVATURE_SCALE / v : 0);
        else f.slider.value = String(typeof v === 'number' ? v : info.halfAperture);
      }
      f.slider.setAttribute('aria-valuetext', `${f.key} ${v ?? 'auto'}`);
    }
    if (this.summary) {
      this.summary.textContent = info.summary;
      this.summary.title = `the lens in force: ${info.summary}`;
    }
  }
}
