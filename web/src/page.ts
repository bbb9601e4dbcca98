// The client area: a view over the lab. Every input is one call of the lab;
// after each call the page shows what the lab holds (the picture from its
// display record, the captions, the controls, the markers) and then its
// message, if one is open.

import { CommandButtons } from './commandButtons';
import { el, placeRect, ptToPx, shrinkToFit } from './dom';
import type { Graphs } from './graphs';
import { type ControlsInfo, type Frame, type ViewTexts, type WebLab } from './lab';
import { MessageBox } from './messageBox';
import type { PictureRecord } from './picture';
import { PictureView } from './pictureView';
import { PlayButton } from './playButton';
import { ScrollBar, type BarOwner } from './scrollbar';
import { spellKey } from './keys';
import type { Background, Overlay } from './export';
import { onLanguageChange, setAttrWords, t } from './words';

export { el } from './dom';

/** The bars' names for assistive technology, by index (catalogue keys). */
const BAR_NAMES = ['page.stage.heightBar', 'page.stage.raysBar', 'page.stage.timeBar'];

/** One input call, as a test replays it on the native program. */
export interface CallRecord {
  call: string;
  args: (number | string | boolean)[];
}

/** The lab's calls that start it afresh: a lens, a set-up, a share link, a lesson. */
export type StartCall = 'setLens' | 'setMirror' | 'setMedium' | 'openSetup' | 'openFragment' | 'openLesson';

/**
 * A label at the lab's size. The lab sizes its labels for the original's
 * words; a translation's may be longer than the box holds (its last line
 * cut off below, or a word past the right edge), so in a translation a
 * label whose words overflow is made smaller, half a pixel at a time, down
 * to `minPx` (CSS pixels), as the buttons' captions are. The original's
 * labels keep the lab's size as the window shows them (`minPx` null).
 */
function fitLabel(label: HTMLElement, pointSize: number, minPx: number | null): void {
  label.style.fontSize = `${pointSize}pt`;
  if (minPx === null) return;
  const overflows = () => label.scrollHeight > label.clientHeight + 1 || label.scrollWidth > label.clientWidth + 1;
  shrinkToFit(ptToPx(pointSize), minPx, (px) => (label.style.fontSize = `${px}px`), overflows);
}

export class Page implements BarOwner {
  readonly rec: PictureRecord;
  controls!: ControlsInfo;
  captions: string[] = [];
  readonly calls: CallRecord[] = [];
  /** Called once the lab stands still after a complete action (the graphs, the link, the panels follow). */
  readonly afterAction: (() => void)[] = [];
  /** Called after every refresh (each input, mid-drag too). */
  readonly afterRefresh: (() => void)[] = [];
  /** Called before every input the lab is given. */
  readonly beforeInput: (() => void)[] = [];

  readonly form: HTMLDivElement;
  private readonly picture: PictureView;
  /** The lab's words for what the page writes itself (Play, the challenge, the mirror and medium choices). */
  texts: ViewTexts;
  private readonly buttons: CommandButtons;
  private readonly bars: ScrollBar[] = [];
  private readonly labels: HTMLDivElement[] = [];
  private readonly markers: { source: HTMLDivElement; entry: HTMLDivElement };
  private readonly ring: HTMLDivElement;
  private readonly play: PlayButton;
  private readonly message: MessageBox;
  private drag: { pointer: number; target: HTMLElement; last: [number, number] } | null = null;
  private focusedBar: number | null = null;
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
    this.form = el('div', 'form', stage);
    this.form.style.width = `${width}px`;
    this.form.style.height = `${height}px`;
    this.picture = new PictureView(this.form, width, height);
    this.rec = this.picture.rec;
    for (let i = 0; i < 6; ++i) {
      const label = el('div', 'label', this.form);
      label.dataset.label = String(i + 1);
      label.setAttribute('aria-live', 'polite');
      this.labels.push(label);
    }
    this.texts = JSON.parse(lab.texts()) as ViewTexts;
    this.buttons = new CommandButtons(this.form, (k, b) => this.clickButton(k, b));
    for (let i = 0; i < 3; ++i) {
      const bar = new ScrollBar(i, this, t(BAR_NAMES[i]));
      setAttrWords(bar.el, { 'aria-label': BAR_NAMES[i] });
      // Reached by Tab: a focused bar takes the arrow and page keys, as a pressed one does.
      bar.el.tabIndex = 0;
      bar.el.addEventListener('focus', () => (this.focusedBar = i));
      bar.el.addEventListener('blur', () => {
        if (this.focusedBar === i) this.focusedBar = null;
      });
      this.form.appendChild(bar.el);
      this.bars.push(bar);
    }
    this.play = new PlayButton(
      this.form,
      this.texts,
      () => {
        if (!this.accepting()) return;
        this.record('togglePlay');
        this.lab.togglePlay();
        this.refresh();
      },
      () => this.tick(),
      () => this.runOut(),
      () => this.completed(),
    );
    this.markers = {
      source: el('div', 'marker source', this.form),
      entry: el('div', 'marker entry', this.form),
    };
    // Named markers: a screen reader finds each (the arrow keys move the active one).
    this.markers.source.setAttribute('role', 'img');
    this.markers.entry.setAttribute('role', 'img');
    setAttrWords(this.markers.source, { 'aria-label': 'page.stage.source' });
    setAttrWords(this.markers.entry, { 'aria-label': 'page.stage.entry' });
    this.ring = el('div', 'ring', this.form);
    // Reached by Tab too: a marker focused from the keyboard becomes the one
    // the arrow keys move (a press or a drag makes it so already).
    for (const which of ['source', 'entry'] as const) {
      const m = this.markers[which];
      m.tabIndex = 0;
      m.addEventListener('focus', () => {
        if (!m.matches(':focus-visible') || !this.accepting()) return;
        if (this.controls.active === which) return;
        this.run(`active=${which}`);
      });
    }

    const targets: HTMLElement[] = [this.picture.canvas, this.markers.source, this.markers.entry];
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

    this.message = new MessageBox(() => this.dismiss());

    this.setRatio();
    this.refresh();
    // Another language: the lab's captions, buttons and Play in its words; the
    // state, the picture and every number stay as they are.
    onLanguageChange(() => this.reword());
  }

  /** Shows the lab's words anew after a switch of language (no input: nothing is recorded). */
  private reword(): void {
    this.texts = JSON.parse(this.lab.texts()) as ViewTexts;
    this.play.setTexts(this.texts);
    if (this.message.open) this.message.reword(this.lab.message());
    this.refresh();
  }

  // ---------------------------------------------------------------- showing

  accepting(): boolean {
    return !this.message.open;
  }

  record(call: string, ...args: (number | string | boolean)[]): void {
    for (const f of this.beforeInput) f();
    this.calls.push({ call, args });
    if (this.calls.length > 5000) this.calls.splice(0, this.calls.length - 5000);
  }

  /** Backing store at the screen's pixel ratio; a change of ratio repaints everything. */
  setRatio(): void {
    this.picture.setRatio();
  }

  /** Shows everything the lab holds now; then its message, if one is open. */
  refresh(): void {
    this.captions = JSON.parse(this.lab.captions()) as string[];
    this.controls = JSON.parse(this.lab.controls()) as ControlsInfo;
    const c = this.controls;
    const shrink = c.shrinkToFit;
    this.labels.forEach((label, i) => {
      const info = c.labels[i];
      const text = this.captions[i] ?? '';
      if (label.textContent !== text) label.textContent = text;
      if (!info) return;
      const key = `${info.rect.join(',')}|${info.pointSize}|${text}|${shrink}`;
      if (label.dataset.fitted === key) return;
      label.dataset.fitted = key;
      placeRect(label, info.rect);
      fitLabel(label, info.pointSize, shrink ? c.minCaptionPx : null);
    });
    this.buttons.update(c.buttons, c.minCaptionPx);
    this.bars.forEach((bar, i) => {
      const info = c.bars[i];
      if (info) bar.update(info);
    });
    placeRect(this.markers.source, c.markers.source);
    placeRect(this.markers.entry, c.markers.entry);
    const active = c.active === 'entry' ? c.markers.entry : c.markers.source;
    const pad = 3;
    placeRect(this.ring, [active[0] - pad, active[1] - pad, active[2] + 2 * pad, active[3] + 2 * pad]);
    this.picture.paint(this.lab);
    this.play.catchUp(c, this.lab.playing());
    if (this.lab.busy()) this.showMessage();
    for (const f of this.afterRefresh) f();
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

  private runOut(): void {
    while (this.lab.playing() && !this.lab.busy()) {
      this.record('playTick');
      this.lab.playTick();
    }
    this.refresh();
  }

  private showMessage(): void {
    this.message.show(this.lab.message());
  }

  private dismiss(): void {
    if (!this.message.open) return;
    this.message.close();
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
    this.graphs.setCurve(this.lab.curveCsv(), this.lab.curveGraph());
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

  /** A finger's or a pen's press snaps to a marker near it, by the lab's slop; a mouse's never does. */
  private pressPoint(e: PointerEvent): [number, number] {
    if (e.pointerType !== 'touch' && e.pointerType !== 'pen') return [e.clientX, e.clientY];
    const r = this.form.getBoundingClientRect();
    const [x, y] = JSON.parse(this.lab.fingerPress(e.clientX - r.left, e.clientY - r.top)) as [number, number];
    return [r.left + x, r.top + y];
  }

  private pointerDown(e: PointerEvent, target: HTMLElement): void {
    if (!this.accepting() || this.drag) return; // only the first pointer drags
    if (e.pointerType === 'mouse' && e.button !== 0) return;
    e.preventDefault();
    this.focusedBar = null;
    const at = this.pressPoint(e);
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
    const spelled = spellKey(e);
    if (!spelled) return;
    const bar = this.focusedBar;
    // A pressed bar keeps its keys, by the lab's rule for bars (the window's too).
    if (bar !== null) {
      this.record('barKey', bar, spelled);
      const barCall = this.calls[this.calls.length - 1];
      const taken = this.lab.barKey(bar, spelled);
      this.refresh();
      // The value it left the bar at, which a replay sets.
      barCall.args.push(this.controls.bars[bar]?.value ?? 0);
      if (taken) {
        e.preventDefault();
        this.completed();
        return;
      }
    }
    this.record('key', spelled, e.repeat);
    const call = this.calls[this.calls.length - 1];
    const used = this.lab.key(spelled, e.repeat, bar !== null);
    this.refresh();
    // A key the lab left to a focused bar changed nothing: a replay (which has
    // no focused bar) must not see it.
    if (!used && bar !== null) this.calls.splice(this.calls.lastIndexOf(call), 1);
    if (used) {
      e.preventDefault();
      if (!this.lab.playing()) this.completed();
    }
  }

  /** A press anywhere on the page: the lab's rule says whether it stops the sweep. */
  otherPress(target: EventTarget | null): void {
    if (!this.accepting() || !this.lab.playing()) return;
    const node = target as Node | null;
    const where =
      node && this.play.el.contains(node)
        ? 'play'
        : node && document.getElementById('panel')?.contains(node)
          ? 'graphs'
          : 'elsewhere';
    this.record('press', where);
    this.lab.press(where);
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
    if (!this.accepting()) return t('page.status.messageOpen');
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
      if (w === 'reset' || w.startsWith('lens=') || w.startsWith('mirror=') || w.startsWith('medium=')) {
        this.rec.invalidate();
      }
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
