// "Equal time at the focus": every ray of the last bundle continuation carried
// on to a point (x, 0) of the axis. Where the rays focus their total travel
// times agree, so the spread (latest minus earliest) is least there. The lab
// computes everything (WebLab.equalTime); this shows the spread along the
// axis with its least value marked, and each ray's time at the chosen x.

import uPlot from 'uplot';
import type { EqualTimeInfo } from './lab';
import { localNumber, reword, t } from './words';

/** Where the view takes its numbers: the lab, and the chosen x (NaN: the least spread), kept by the page. */
export interface EqualTimeSource {
  lab: { equalTime(at: number): string };
  equalTimeAt: number;
}

const finite = (v: unknown): v is number => typeof v === 'number' && Number.isFinite(v);
/** A number to `digits` places as the language in force writes it; a dash for none. */
const fixed = (v: number, digits: number) => (finite(v) ? localNumber(v.toFixed(digits)) : '–');

function axis(label: string): uPlot.Axis {
  return { label, stroke: '#333', grid: { stroke: '#e3e3e3', width: 1 }, ticks: { stroke: '#ccc', width: 1 }, labelSize: 18, size: 46 };
}

function points(stroke: string, size: number): Partial<uPlot.Series> {
  return { stroke, width: 0, paths: () => null, points: { show: true, size, fill: stroke, stroke } };
}

export class EqualTimeView {
  readonly section: HTMLElement;
  private readonly note: HTMLElement;
  private readonly controls: HTMLElement;
  private readonly number: HTMLInputElement;
  private readonly slider: HTMLInputElement;
  private readonly least: HTMLInputElement;
  private readonly table: HTMLTableSectionElement;
  private readonly spreadPlot: uPlot;
  private readonly raysPlot: uPlot;
  private data: EqualTimeInfo | null = null;

  constructor(
    host: HTMLElement,
    private readonly source: EqualTimeSource,
    width: number,
  ) {
    this.section = document.createElement('section');
    this.section.className = 'graph equal-time';
    this.section.innerHTML = `
      <h2 data-i18n="page.graph.equalTime.title"></h2>
      <p class="graph-note"></p>
      <div class="equal-time-controls">
        <label><span data-i18n="page.graph.equalTime.x"></span> <input type="number" step="0.5" class="et-x"></label>
        <label class="check"><input type="checkbox" class="et-least" checked> <span data-i18n="page.graph.equalTime.leastSpread"></span></label>
        <input type="range" step="0.5" class="et-slider" data-i18n-attr="aria-label:page.graph.equalTime.x">
      </div>`;
    reword(this.section);
    host.appendChild(this.section);
    const q = <T extends Element>(sel: string) => this.section.querySelector(sel) as T;
    this.note = q('.graph-note');
    this.controls = q('.equal-time-controls');
    this.number = q('.et-x');
    this.slider = q('.et-slider');
    this.least = q('.et-least');
    const common = (height: number, axes: uPlot.Axis[], series: uPlot.Series[]): uPlot.Options => ({
      width,
      height,
      scales: { x: { time: false } },
      legend: { show: true, live: false },
      cursor: { drag: { x: false, y: false }, points: { show: false } },
      axes,
      series,
    });
    this.spreadPlot = new uPlot(
      common(180, [axis(t('page.graph.equalTime.x')), axis(t('page.graph.equalTime.spreadAxis'))], [
        { label: t('page.graph.equalTime.xSeries') },
        { label: t('graph.equalTime.spread'), stroke: '#000', width: 1.5, points: { show: false } },
        { ...points('#e00000', 9), label: t('page.graph.equalTime.leastSpread') },
        { ...points('#0000ff', 7), label: t('page.graph.equalTime.chosen') },
      ]),
      [[], [], [], []],
      this.section,
    );
    this.raysPlot = new uPlot(
      common(140, [axis(t('graph.equalTime.ray')), axis(t('page.graph.equalTime.timeAxis'))], [
        { label: t('graph.equalTime.ray') },
        { ...points('#000', 6), label: t('page.graph.equalTime.total') },
      ]),
      [[], []],
      this.section,
    );
    const table = document.createElement('table');
    table.className = 'et-rays';
    table.innerHTML =
      '<caption data-i18n="page.graph.equalTime.tableCaption"></caption>' +
      '<thead><tr><th data-i18n="graph.equalTime.ray"></th><th data-i18n="graph.equalTime.time"></th></tr></thead><tbody></tbody>';
    this.table = table.querySelector('tbody')!;
    const details = document.createElement('details');
    details.innerHTML = '<summary data-i18n="page.graph.equalTime.table"></summary>';
    details.appendChild(table);
    reword(details);
    this.section.appendChild(details);

    const choose = (v: number) => {
      this.source.equalTimeAt = v;
      this.update();
    };
    this.number.addEventListener('input', () => {
      if (finite(this.number.valueAsNumber)) choose(this.number.valueAsNumber);
    });
    this.number.addEventListener('change', () => choose(finite(this.number.valueAsNumber) ? this.number.valueAsNumber : NaN));
    this.slider.addEventListener('input', () => choose(this.slider.valueAsNumber));
    this.least.addEventListener('change', () => choose(this.least.checked ? NaN : (this.data?.chosenX ?? NaN)));
  }

  destroy(): void {
    this.spreadPlot.destroy();
    this.raysPlot.destroy();
  }

  resize(width: number): void {
    this.spreadPlot.setSize({ width, height: 180 });
    this.raysPlot.setSize({ width, height: 140 });
  }

  /** Asks the lab again: after a complete action, or when x is chosen. */
  update(): void {
    let d = JSON.parse(this.source.lab.equalTime(this.source.equalTimeAt)) as EqualTimeInfo;
    // A chosen x off the new continuation's axis goes back to the least spread.
    if (d.x.length && finite(this.source.equalTimeAt)) {
      const at = this.source.equalTimeAt;
      if (at < d.x[0] || at > d.x[d.x.length - 1]) {
        this.source.equalTimeAt = NaN;
        d = JSON.parse(this.source.lab.equalTime(NaN)) as EqualTimeInfo;
      }
    }
    this.data = d;
    this.show(d);
  }

  private show(d: EqualTimeInfo): void {
    const empty = d.rays.length === 0 || d.x.length === 0;
    this.controls.hidden = empty;
    if (empty) {
      this.note.textContent = d.continued
        ? t('page.graph.equalTime.tooFew')
        : t('page.graph.equalTime.noContinuation', { button: t('button.command5') });
      this.spreadPlot.setData([[], [], [], []]);
      this.raysPlot.setData([[], []]);
      this.table.replaceChildren();
      return;
    }
    const times = d.rays.map((r) => r.time);
    const chosenSpread = Math.max(...times) - Math.min(...times);
    // The two marks as points of their own, at the sample nearest their x.
    const mark = (x: number, v: number) => {
      const col: (number | null)[] = d.x.map(() => null);
      let best = 0;
      d.x.forEach((xi, i) => {
        if (Math.abs(xi - x) < Math.abs(d.x[best] - x)) best = i;
      });
      col[best] = v;
      return col;
    };
    // No focus (the source off the axis): no point is marked as one.
    const least = d.sourceOnAxis ? mark(d.bestX, d.bestSpread) : d.x.map(() => null);
    this.spreadPlot.setData([d.x, d.spread, least, mark(d.chosenX, chosenSpread)] as uPlot.AlignedData);
    this.raysPlot.setData([d.rays.map((r) => r.index), times] as uPlot.AlignedData);
    this.note.textContent = t('page.graph.equalTime.note', {
      title: d.title,
      x: fixed(d.chosenX, 2),
      count: d.rays.length,
      from: fixed(Math.min(...times), 2),
      to: fixed(Math.max(...times), 2),
    });
    const atLeast = !finite(this.source.equalTimeAt);
    this.least.checked = atLeast;
    this.slider.min = String(d.x[0]);
    this.slider.max = String(d.x[d.x.length - 1]);
    if (document.activeElement !== this.number) this.number.value = String(Number(d.chosenX.toFixed(2)));
    if (document.activeElement !== this.slider) this.slider.value = String(d.chosenX);
    this.table.replaceChildren(
      ...d.rays.map((r) => {
        const tr = document.createElement('tr');
        tr.insertCell().textContent = String(r.index);
        tr.insertCell().textContent = fixed(r.time, 3);
        return tr;
      }),
    );
  }
}
