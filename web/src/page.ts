// The client area: a view over the lab. Every input is one call of the lab;
// after each call the page shows what the lab holds (the picture from its
// display record, the captions, the controls, the markers) and then its
// message, if one is open.

import { Graphs } from './graphs';
import {
  BAR_TIME,
  type ControlsInfo,
  type Frame,
  type Rect,
  type WebLab,
} from './lab';
import { BACKGROUND, PictureRecord, paintRecord } from './picture';
import { ScrollBar, type BarOwner } from './scrollbar';
import { spellKey } from './keys';
import type { Background, Overlay } from './export';

const PLAY = '\u25B6'; // ▶
const PAUSE = '\u275A\u275A'; // ❚❚
const PLAY_INTERVAL_MS = 40;
const BAR_NAMES = ['target height', 'number of rays', 'time after the lens'];

/** One input call, as a test replays it on the native program. */
export interface CallRecord {
  call: string;
  args: (number | string | boolean)[];
}

/** The lab's calls that start it afresh: a lens, a set-up, a share link, a lesson. */
export type StartCall = 'setLens' | 'openSetup' | 'openFragment' | 'openLesson';

export function el<K extends keyof HTMLElementTagNameMap>(tag: K, cls?: string, parent?: HTMLElement): HTMLElementTagNameMap[K] {
  const e = document.createElement(tag);
  if (cls) e.className = cls;
  parent?.appendChild(e);
  return e;
}

function placeRect(e: HTMLElement, r: Rect): void {
  e.style.left = `${r[0]}px`;
  e.style.top = `${r[1]}px`;
  e.style.width = `${r[2]}px`;
  e.style.height = `${r[3]}px`;
}

// The smallest caption a button is given to keep it whole (CSS pixels).
const MIN_CAPTION_PX = 6;

export class Page implements BarOwner {
  readonly rec: PictureRecord;
  controls!: ControlsInfo;
  captions: string[] = [];
  readonly calls: CallRecord[] = [];
  firstFrameMs = NaN;
  /** Called once the lab stands still after a complete action (the graphs, the link, the panels follow). */
  readonly afterAction: (() => void)[] = [];
  /** Called before every input the lab is given. */
  readonly beforeInput: (() => void)[] = [];

  readonly form: HTMLDivElement;
  private readonly canvas: HTMLCanvasElement;
  private readonly ctx: CanvasRenderingContext2D;
  private ratio = 1;
  private readonly buttons: HTMLButtonElement[] = [];
  private readonly bars: ScrollBar[] = [];
  private readonly labels: HTMLDivElement[] = [];
  private readonly markers: { source: HTMLDivElement; entry: HTMLDivElement };
  private readonly ring: HTMLDivElement;
  private readonly play: HTMLButtonElement;
  private readonly dialog: HTMLDialogElement;
  private readonly dialogText: HTMLElement;
  private drag: { pointer: number; target: HTMLElement; last: [number, number] } | null = null;
  private focusedBar: number | null = null;
  private playTimer = 0;
  private idleQueued = false;
  private graphs: Graphs | null = null;
  private graphsTimer = 0;
  private graphsStale = true;
  background: Background = 'white';
  /** The axis point of the equal-time view's ray times; NaN: where their spread is least. */
  equalTimeAt = NaN;

  constructor(
    readonly lab: WebLab,
    readonly width: number,
    readonly height: number,
    stage: HTMLElement,
  ) {
    this.rec = new PictureRecord(width, height);
    this.form = el('div', 'form', stage);
    this.form.style.width = `${width}px`;
    this.form.style.height = `${height}px`;
    this.canvas = el('canvas', 'picture', this.form);
    this.canvas.setAttribute('aria-label', 'the picture: drag the red source or the blue entry point');
    this.ctx = this.canvas.getContext('2d', { alpha: false })!;
    for (let i = 0; i < 6; ++i) {
      const label = el('div', 'label', this.form);
      label.dataset.label = String(i + 1);
      label.setAttribute('aria-live', 'polite');
      this.labels.push(label);
    }
    for (let k = 1; k <= 5; ++k) {
      const b = el('button', 'command', this.form);
      b.type = 'button';
      b.dataset.command = String(k);
      el('span', undefined, b);
      b.addEventListener('click', () => this.clickButton(k, b));
      this.buttons.push(b);
    }
    for (let i = 0; i < 3; ++i) {
      const bar = new ScrollBar(i, this, BAR_NAMES[i]);
      this.form.appendChild(bar.el);
      this.bars.push(bar);
    }
    this.play = el('button', 'play', this.form);
    this.play.type = 'button';
    this.play.title = 'Play / Pause (Space)';
    this.play.addEventListener('click', () => {
      if (!this.accepting()) return;
      this.record('togglePlay');
      this.lab.togglePlay();
      this.refresh();
      this.play.blur();
    });
    this.markers = {
      source: el('div', 'marker source', this.form),
      entry: el('div', 'marker entry', this.form),
    };
    this.markers.source.setAttribute('aria-label', 'source');
    this.markers.entry.setAttribute('aria-label', 'entry point');
    this.ring = el('div', 'ring', this.form);

    const targets: HTMLElement[] = [this.canvas, this.markers.source, this.markers.entry];
    for (const target of targets) {
      target.addEventListener('pointerdown', (e) => this.pointerDown(e, target));
      target.addEventListener('pointermove', (e) => this.pointerMove(e));
      target.addEventListener('pointerup', (e) => this.pointerUp(e, false));
      target.addEventListener('pointercancel', (e) => this.pointerUp(e, true));
      target.addEventListener('lostpointercapture', (e) => this.pointerUp(e, true));
    }
    // No menu from a long press: the hand is dragging.
    this.form.addEventListener('contextmenu', (e) => e.preventDefault());
    // A press on a label is the label's, as on the desktop.
    for (const label of this.labels) label.addEventListener('pointerdown', (e) => e.preventDefault());

    this.dialog = document.getElementById('message') as HTMLDialogElement;
    this.dialogText = this.dialog.querySelector('.text') as HTMLElement;
    const ok = this.dialog.querySelector('button') as HTMLButtonElement;
    ok.addEventListener('click', () => this.dismiss());
    this.dialog.addEventListener('cancel', (e) => {
      e.preventDefault();
      this.dismiss();
    });

    this.setRatio();
    this.refresh();
  }

  // ---------------------------------------------------------------- showing

  accepting(): boolean {
    return !this.dialog.open;
  }

  record(call: string, ...args: (number | string | boolean)[]): void {
    for (const f of this.beforeInput) f();
    this.calls.push({ call, args });
    if (this.calls.length > 5000) this.calls.splice(0, this.calls.length - 5000);
  }

  /** Backing store at the screen's pixel ratio; a change of ratio repaints everything. */
  setRatio(): void {
    const ratio = window.devicePixelRatio || 1;
    if (ratio === this.ratio && this.canvas.width > 0 && this.rec.revision >= 0) return;
    this.ratio = ratio;
    this.canvas.width = Math.max(1, Math.round(this.width * ratio));
    this.canvas.height = Math.max(1, Math.round(this.height * ratio));
    this.canvas.style.width = `${this.width}px`;
    this.canvas.style.height = `${this.height}px`;
    this.paintAll();
  }

  private paintAll(): void {
    const ctx = this.ctx;
    ctx.setTransform(this.canvas.width / this.width, 0, 0, this.canvas.height / this.height, 0, 0);
    ctx.fillStyle = BACKGROUND;
    ctx.fillRect(0, 0, this.width, this.height);
    paintRecord(ctx, this.rec, 0, this.rec.count);
  }

  private paint(): void {
    const before = this.rec.count;
    const from = this.rec.sync(this.lab);
    if (from < 0) return;
    if (from === 0) {
      this.paintAll();
    } else {
      this.ctx.setTransform(this.canvas.width / this.width, 0, 0, this.canvas.height / this.height, 0, 0);
      paintRecord(this.ctx, this.rec, Math.min(from, before), this.rec.count);
    }
  }

  /** Shows everything the lab holds now; then its message, if one is open. */
  refresh(): void {
    this.captions = JSON.parse(this.lab.captions()) as string[];
    this.controls = JSON.parse(this.lab.controls()) as ControlsInfo;
    const c = this.controls;
    this.labels.forEach((label, i) => {
      const info = c.labels[i];
      if (info) {
        placeRect(label, info.rect);
        label.style.fontSize = `${info.pointSize}pt`;
      }
      const text = this.captions[i] ?? '';
      if (label.textContent !== text) label.textContent = text;
    });
    let buttonsChanged = false;
    this.buttons.forEach((b, i) => {
      const info = c.buttons[i];
      if (!info) return;
      const key = `${info.rect.join(',')}|${info.pointSize}|${info.caption}`;
      if (b.dataset.fitted === key) return;
      b.dataset.fitted = key;
      buttonsChanged = true;
      placeRect(b, info.rect);
      const span = b.firstElementChild as HTMLElement;
      if (span.textContent !== info.caption) span.textContent = info.caption;
    });
    if (buttonsChanged) this.fitCaptions();
    this.bars.forEach((bar, i) => {
      const info = c.bars[i];
      if (info) bar.update(info);
    });
    placeRect(this.markers.source, c.markers.source);
    placeRect(this.markers.entry, c.markers.entry);
    const active = c.active === 'entry' ? c.markers.entry : c.markers.source;
    const pad = 3;
    placeRect(this.ring, [active[0] - pad, active[1] - pad, active[2] + 2 * pad, active[3] + 2 * pad]);
    const time = c.bars[BAR_TIME]?.rect;
    if (time) {
      const side = Math.max(time[3], 16);
      placeRect(this.play, [Math.max(0, time[0] - side - 2), time[1], side, side]);
    }
    this.paint();
    this.followPlay();
    if (this.lab.busy()) this.showMessage();
  }

  /**
   * Every button's caption whole inside its button: at the lab's font size
   * where it fits, else all five a little smaller (one size, so they still
   * look alike), down to MIN_CAPTION_PX; only past that are long words broken.
   * The buttons keep the places the lab gives them.
   */
  private fitCaptions(): void {
    const info = this.controls.buttons;
    const wanted = Math.min(...info.map((b) => b.pointSize)) * (96 / 72);
    const overflows = () =>
      this.buttons.some((b) => b.scrollHeight > b.clientHeight + 1 || b.scrollWidth > b.clientWidth + 1);
    const setSize = (px: number) => this.buttons.forEach((b) => (b.style.fontSize = `${px}px`));
    this.buttons.forEach((b) => b.classList.remove('break-words'));
    // At the lab's size when it fits: the specified look wherever there is room.
    this.buttons.forEach((b, i) => (b.style.fontSize = `${info[i]?.pointSize ?? 8}pt`));
    if (!overflows()) return;
    let px = wanted;
    while (px > MIN_CAPTION_PX) {
      px = Math.max(MIN_CAPTION_PX, px - 0.5);
      setSize(px);
      if (!overflows()) return;
    }
    this.buttons.forEach((b) => b.classList.add('break-words'));
  }

  private followPlay(): void {
    const playing = this.lab.playing();
    this.play.textContent = playing ? PAUSE : PLAY;
    this.play.setAttribute('aria-pressed', String(playing));
    if (playing && !this.playTimer) {
      this.playTimer = window.setInterval(() => this.tick(), PLAY_INTERVAL_MS);
    } else if (!playing && this.playTimer) {
      window.clearInterval(this.playTimer);
      this.playTimer = 0;
      this.completed();
    }
  }

  private tick(): void {
    if (!this.lab.playing()) {
      this.refresh();
      return;
    }
    this.record('playTick');
    this.lab.playTick();
    this.refresh();
  }

  private showMessage(): void {
    if (this.dialog.open) return;
    this.dialogText.textContent = this.lab.message();
    this.dialog.showModal();
    (this.dialog.querySelector('button') as HTMLButtonElement).focus();
  }

  private dismiss(): void {
    if (!this.dialog.open) return;
    this.dialog.close();
    this.record('dismissMessage');
    this.lab.dismissMessage();
    this.refresh();
    if (!this.lab.busy()) this.completed();
  }

  // ---------------------------------------------------------------- live

  /** One idle call a frame while the lab has live positions to draw. */
  private queueIdle(): void {
    if (this.idleQueued) return;
    this.idleQueued = true;
    requestAnimationFrame(() => {
      this.idleQueued = false;
      if (!this.accepting() || !this.lab.idlePending()) return;
      this.record('idle');
      this.lab.idle();
      this.refresh();
    });
  }

  /** A complete action: the graphs follow. */
  completed(): void {
    this.graphsStale = true;
    if (this.graphsTimer) return;
    this.graphsTimer = window.setTimeout(() => {
      this.graphsTimer = 0;
      this.updateGraphs();
      for (const f of this.afterAction) f();
    }, 0);
  }

  setGraphs(g: Graphs | null): void {
    this.graphs = g;
    this.graphsStale = true;
    this.updateGraphs();
  }

  updateGraphs(): void {
    if (!this.graphs || !this.graphsStale) return;
    if (this.drag || this.bars.some((b) => b.dragging) || this.lab.playing() || this.lab.busy()) return;
    this.graphsStale = false;
    this.graphs.setCurve(this.lab.curveCsv());
    this.graphs.setBundle(this.lab.bundleCsv(), this.lab.bundleGraph());
    this.graphs.setEqualTime();
  }

  // ---------------------------------------------------------------- pointer

  /** World point under a pointer event, in the frame in force. */
  world(clientX: number, clientY: number): [number, number] {
    const r = this.form.getBoundingClientRect();
    const px = ((clientX - r.left) * this.width) / (r.width || this.width);
    const py = ((clientY - r.top) * this.height) / (r.height || this.height);
    const frames = JSON.parse(this.lab.frames()) as Frame[];
    const f = frames[frames.length - 1] ?? this.rec.currentFrame();
    return [f.left + (px * f.width) / this.width, f.top + (py * f.height) / this.height];
  }

  /** For a finger: a press near a marker takes the marker. */
  private nearMarker(e: PointerEvent): [number, number] | null {
    if (e.pointerType !== 'touch' && e.pointerType !== 'pen') return null;
    const r = this.form.getBoundingClientRect();
    const px = e.clientX - r.left;
    const py = e.clientY - r.top;
    let best: [number, number] | null = null;
    let bestD = 16;
    for (const m of [this.controls.markers.entry, this.controls.markers.source]) {
      const cx = m[0] + m[2] / 2;
      const cy = m[1] + m[3] / 2;
      const dist = Math.hypot(px - cx, py - cy);
      if (dist < bestD) {
        bestD = dist;
        best = [r.left + cx, r.top + cy];
      }
    }
    return best;
  }

  private pointerDown(e: PointerEvent, target: HTMLElement): void {
    if (!this.accepting() || this.drag) return; // only the first pointer drags
    if (e.pointerType === 'mouse' && e.button !== 0) return;
    e.preventDefault();
    this.focusedBar = null;
    const at = this.nearMarker(e) ?? [e.clientX, e.clientY];
    const [x, y] = this.world(at[0], at[1]);
    target.setPointerCapture(e.pointerId);
    this.drag = { pointer: e.pointerId, target, last: [x, y] };
    this.record('pointerDown', x, y);
    this.lab.pointerDown(x, y);
    this.refresh();
  }

  private pointerMove(e: PointerEvent): void {
    const drag = this.drag;
    if (!drag || e.pointerId !== drag.pointer || !this.accepting()) return;
    const [x, y] = this.world(e.clientX, e.clientY);
    drag.last = [x, y];
    this.record('pointerMove', x, y);
    this.lab.pointerMove(x, y);
    this.refresh();
    this.queueIdle();
  }

  private pointerUp(e: PointerEvent, cancelled: boolean): void {
    const drag = this.drag;
    if (!drag || e.pointerId !== drag.pointer) return;
    this.drag = null;
    if (drag.target.hasPointerCapture(e.pointerId)) drag.target.releasePointerCapture(e.pointerId);
    const [x, y] = cancelled ? drag.last : this.world(e.clientX, e.clientY);
    this.record('pointerUp', x, y);
    this.lab.pointerUp(x, y);
    this.refresh();
    this.completed();
  }

  // ---------------------------------------------------------------- bars, buttons, keys

  step(bar: number, value: number): void {
    if (!this.accepting()) return;
    this.record('setBar', bar, value);
    this.lab.setBar(bar, value);
    this.refresh();
    this.completed();
  }

  thumbMoved(bar: number, value: number): void {
    if (!this.accepting()) return;
    this.record('thumbMoved', bar, value);
    this.lab.thumbMoved(bar, value);
    this.refresh();
    this.queueIdle();
  }

  thumbReleased(bar: number, value: number): void {
    if (!this.accepting()) return;
    this.record('thumbReleased', bar, value);
    this.lab.thumbReleased(bar, value);
    this.refresh();
    this.completed();
  }

  pressed(bar: number): void {
    this.focusedBar = bar;
  }

  private clickButton(k: number, b: HTMLButtonElement): void {
    b.blur();
    this.focusedBar = null;
    if (!this.accepting()) return;
    this.record('click', k);
    this.lab.click(k);
    this.refresh();
    this.completed();
  }

  keyDown(e: KeyboardEvent): void {
    if (!this.accepting()) return;
    const t = e.target as HTMLElement | null;
    if (t && (t.closest('input, select, textarea, summary, .menu, .panel, .float-box') !== null)) return;
    if (this.focusedBar !== null && !e.ctrlKey && !e.altKey && !e.metaKey && /^(Arrow|Page|Home|End)/.test(e.key)) {
      if (this.lab.playing()) {
        this.lab.otherInput();
        this.refresh();
      }
      if (this.bars[this.focusedBar].key(e.key)) e.preventDefault();
      return;
    }
    const spelled = spellKey(e);
    if (!spelled) return;
    this.record('key', spelled, e.repeat);
    const used = this.lab.key(spelled, e.repeat);
    this.refresh();
    if (used) {
      e.preventDefault();
      if (!this.lab.playing()) this.completed();
    }
  }

  /** Any press but Play's stops the sweep. */
  otherPress(target: EventTarget | null): void {
    if (!this.accepting()) return;
    const node = target as Node | null;
    // The graphs are a window of their own on the desktop: they leave Play alone.
    if (node && (this.play.contains(node) || document.getElementById('panel')?.contains(node))) return;
    if (!this.lab.playing()) return;
    this.record('otherInput');
    this.lab.otherInput();
    this.refresh();
  }

  reset(): void {
    if (!this.accepting()) return;
    this.record('reset');
    this.lab.reset();
    this.rec.invalidate();
    this.refresh();
    this.completed();
  }

  /**
   * An input that starts the lab afresh (another lens, a set-up, a share
   * link, a lesson): "" when done, else the lab's one-line reason, and
   * nothing changed.
   */
  start(call: StartCall, arg: string): string {
    if (!this.accepting()) return 'a message is open';
    const error = this.lab[call](arg);
    // Only a start the lab took is an input: a refused one changed nothing.
    if (error) return error;
    this.record(call, arg);
    this.rec.invalidate(); // a fresh surface numbers its record anew
    this.refresh();
    this.completed();
    return '';
  }

  /** Runs scripted action words as the command line spells them (for the console and tests). */
  run(...words: string[]): string {
    for (const w of words) {
      this.record('run', w);
      const error = this.lab.run(w);
      if (w === 'reset' || w.startsWith('lens=')) this.rec.invalidate();
      this.refresh();
      if (error) return error;
      if (!this.accepting()) break;
    }
    this.completed();
    return '';
  }

  overlay(): Overlay {
    return { controls: this.controls, captions: this.captions };
  }
}
