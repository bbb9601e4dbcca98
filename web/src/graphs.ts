// The graphs beside the picture, from the lab's CSV: the travel time of
// source -> E -> target against the height of E on the first surface (with
// the least-time point and the time through the blue entry point), and the
// last bundle: arrival time and axis crossing against the exit height (the
// exact crossings as the curve, the construction's as points, the paraxial
// image as a level line); then the equal-time view of the bundle's continuation.

import uPlot from 'uplot';
import 'uplot/dist/uPlot.min.css';
import { EqualTimeView, type EqualTimeSource } from './equalTime';
import type { BundleGraphInfo, CurveGraphInfo } from './lab';
import { t } from './words';

type Cell = number | null;

/**
 * Rows of a CSV of numbers (and a leading word): empty fields as null. Lines
 * of comment ("# lens: ..." heads the files of a lens other than the
 * standard one) are not rows.
 */
export function parseCsv(text: string): { header: string[]; rows: string[][] } {
  const lines = text.split(/\r?\n/).filter((l) => l.length > 0 && !l.startsWith('#'));
  const header = (lines.shift() ?? '').split(',');
  return { header, rows: lines.map((l) => l.split(',')) };
}

function cell(s: string | undefined): Cell {
  if (s === undefined || s.trim() === '') return null;
  const v = Number(s);
  return Number.isFinite(v) ? v : null;
}

export interface CurveData {
  samples: { y: number; time: number }[];
  least: { y: number; time: number } | null;
  hand: { y: number; time: number } | null;
  /** Along a mirror: every stationary point, by the kind's name. */
  stationary: { kind: string; y: number; time: number }[];
}

export function parseCurve(text: string): CurveData {
  const { header, rows } = parseCsv(text);
  const col = (name: string) => header.indexOf(name);
  const [ky, kt] = [col('y'), col('time')];
  const out: CurveData = { samples: [], least: null, hand: null, stationary: [] };
  for (const r of rows) {
    const y = cell(r[ky]);
    const t = cell(r[kt]);
    if (y === null || t === null) continue;
    if (r[0] === 'sample') out.samples.push({ y, time: t });
    else if (r[0] === 'least') out.least = { y, time: t };
    else if (r[0] === 'hand') out.hand = { y, time: t };
    else out.stationary.push({ kind: r[0], y, time: t });
  }
  return out;
}

export interface BundleRow {
  exitY: number;
  arrival: Cell;
  /** The construction's crossing (where its red line meets the axis). */
  axisX: Cell;
  /** The exact crossing, by least time in double precision. */
  exactX: Cell;
}

export function parseBundle(text: string): BundleRow[] {
  const { header, rows } = parseCsv(text);
  const col = (name: string) => header.indexOf(name);
  const [ke, ka, kx, kexact] = [col('exit_y'), col('arrival_time'), col('axis_x'), col('exact_axis_x')];
  const out: BundleRow[] = [];
  for (const r of rows) {
    const exitY = cell(r[ke]);
    if (exitY === null) continue;
    out.push({ exitY, arrival: cell(r[ka]), axisX: cell(r[kx]), exactX: kexact < 0 ? null : cell(r[kexact]) });
  }
  return out;
}

/** Columns aligned on one ascending x: each series gets null where it has no point. */
function align(series: { x: number; v: Cell }[][]): uPlot.AlignedData {
  const xs = Array.from(new Set(series.flatMap((s) => s.map((p) => p.x)))).sort((a, b) => a - b);
  const index = new Map(xs.map((x, i) => [x, i]));
  const cols = series.map((s) => {
    const col: Cell[] = new Array(xs.length).fill(null);
    for (const p of s) col[index.get(p.x)!] = p.v;
    return col;
  });
  return [xs, ...cols] as uPlot.AlignedData;
}

const pointsOnly = (stroke: string, size = 9): uPlot.Series => ({
  stroke,
  width: 0,
  paths: () => null,
  points: { show: true, size, fill: stroke, stroke },
});

function axisStyle(label: string): uPlot.Axis {
  return { label, stroke: '#333', grid: { stroke: '#e3e3e3', width: 1 }, ticks: { stroke: '#ccc', width: 1 }, labelSize: 18, size: 46 };
}

export class Graphs {
  private curve: uPlot;
  private arrival: uPlot;
  private axis: uPlot;
  private readonly notes: HTMLElement[];
  private readonly axisTitle: HTMLElement;
  private readonly equal: EqualTimeView;
  private width = 320;

  /** words: bundleGraph() as the lab gives it, for the crossings' title and series. */
  constructor(host: HTMLElement, equalTime: EqualTimeSource, words: BundleGraphInfo, curveWords: CurveGraphInfo) {
    const section = (title: string) => {
      const s = document.createElement('section');
      s.className = 'graph';
      const h = document.createElement('h2');
      h.textContent = title;
      const note = document.createElement('p');
      note.className = 'graph-note';
      s.append(h, note);
      host.appendChild(s);
      return { s, h, note };
    };
    const c = section(t('window.view.travelTime'));
    const a = section(t('page.graph.bundle.title'));
    const x = section(words.title);
    this.notes = [c.note, a.note, x.note];
    this.axisTitle = x.h;
    const common = (extra: Partial<uPlot.Options>): uPlot.Options => ({
      width: this.width,
      height: 200,
      scales: { x: { time: false } },
      legend: { show: true, live: false },
      cursor: { drag: { x: false, y: false }, points: { show: false } },
      series: [],
      ...extra,
    });
    this.curve = new uPlot(
      common({
        axes: [axisStyle(curveWords.height), axisStyle(t('page.graph.curve.timeAxis'))],
        series: [
          { label: t('page.graph.curve.heightSeries') },
          { label: t('page.graph.curve.pathTime'), stroke: '#000', width: 1.5, spanGaps: true, points: { show: false } },
          { label: curveWords.through, stroke: '#0000ff', width: 1, dash: [6, 4], spanGaps: true, points: { show: false } },
          { ...pointsOnly('#e00000'), label: curveWords.least },
          { ...pointsOnly('#0000ff', 7), label: t('page.graph.curve.entry') },
          ...curveWords.kinds.map((k) => ({ ...pointsOnly(k.colour, 9), label: k.name })),
        ],
      }),
      [[], [], [], [], [], ...curveWords.kinds.map(() => [])],
      c.s,
    );
    this.arrival = new uPlot(
      common({
        axes: [axisStyle(t('graph.bundle.exitHeight')), axisStyle(t('graph.bundle.arrivalTime'))],
        series: [
          { label: t('graph.bundle.exitHeight') },
          { label: t('graph.bundle.arrivalTime'), stroke: '#000', width: 1, spanGaps: false, points: { show: true, size: 5, fill: '#000' } },
        ],
      }),
      [[], []],
      a.s,
    );
    this.axis = new uPlot(
      common({
        axes: [axisStyle(t('graph.bundle.exitHeight')), axisStyle(t('page.graph.bundle.crossingAxis'))],
        series: [
          { label: t('graph.bundle.exitHeight') },
          // The construction's points first: the exact curve is drawn over them.
          { ...pointsOnly('#ff0000', 5), label: words.construction },
          { label: words.exact, stroke: '#00008c', width: 1.5, spanGaps: false, points: { show: false } },
          { label: words.paraxial, stroke: '#6e6e6e', width: 1, dash: [6, 4], spanGaps: true, points: { show: false } },
        ],
      }),
      [[], [], [], []],
      x.s,
    );
    this.equal = new EqualTimeView(host, equalTime, this.width);
    // Each plot is a picture named by its section's heading.
    host.querySelectorAll('section.graph').forEach((s, i) => {
      const h = s.querySelector('h2');
      if (!h) return;
      h.id ||= `graph-title-${i}`;
      s.querySelectorAll('canvas').forEach((c) => {
        c.setAttribute('role', 'img');
        c.setAttribute('aria-labelledby', h.id);
      });
    });
  }

  /** Lets go of the plots (another language makes the graphs anew). */
  destroy(): void {
    for (const p of [this.curve, this.arrival, this.axis]) p.destroy();
    this.equal.destroy();
  }

  resize(width: number): void {
    const w = Math.max(200, Math.floor(width));
    if (w === this.width) return;
    this.width = w;
    for (const p of [this.curve, this.arrival, this.axis]) p.setSize({ width: w, height: 200 });
    this.equal.resize(w);
  }

  setEqualTime(): void {
    this.equal.update();
  }

  /** csv: curveCsv(); graph: curveGraph(). */
  setCurve(csv: string, graph: string): void {
    const c = parseCurve(csv);
    const info = JSON.parse(graph) as CurveGraphInfo;
    const samples = c.samples.map((s) => ({ x: s.y, v: s.time as Cell }));
    const handLine = c.hand ? c.samples.map((s) => ({ x: s.y, v: c.hand!.time as Cell })) : [];
    this.curve.setData(
      align([
        samples,
        handLine,
        c.least ? [{ x: c.least.y, v: c.least.time }] : [],
        c.hand ? [{ x: c.hand.y, v: c.hand.time }] : [],
        ...info.kinds.map((k) => c.stationary.filter((p) => p.kind === k.kind).map((p) => ({ x: p.y, v: p.time }))),
      ]),
    );
    this.notes[0].textContent = info.leastLine;
  }

  /** csv: bundleCsv(); graph: bundleGraph(). */
  setBundle(csv: string, graph: string): void {
    const rows = parseBundle(csv);
    const info = JSON.parse(graph) as BundleGraphInfo;
    this.arrival.setData(align([rows.map((r) => ({ x: r.exitY, v: r.arrival }))]));
    const image = info.paraxialX;
    this.axis.setData(
      align([
        rows.map((r) => ({ x: r.exitY, v: r.axisX })),
        rows.map((r) => ({ x: r.exitY, v: r.exactX })),
        image === null ? [] : rows.map((r) => ({ x: r.exitY, v: image as Cell })),
      ]),
    );
    this.axisTitle.textContent = info.title;
    this.notes[1].textContent = rows.length ? t('page.graph.bundle.rays', { count: rows.length }) : t('page.graph.bundle.none');
    this.notes[2].textContent = info.summary;
  }
}
