// A scroll bar as the desktop draws it: an arrow at each end, a track and a
// thumb. Its value runs from Min (top or left) to Max (bottom or right), and
// Min may be the larger (the height bar: 99 at the top, -99 at the bottom).
// The bar changes nothing itself: it tells its owner, who asks the lab, and
// shows whatever value the lab then reports. Its keys are the lab's rule
// (Lab::barKey), which the page hands them to while the bar is pressed.

import type { BarInfo } from './lab';

export interface BarOwner {
  /** An arrow, a track step or the wheel: a new value for the bar. */
  step(bar: number, value: number): void;
  /** The thumb dragged to value. */
  thumbMoved(bar: number, value: number): void;
  /** The thumb let go at value. */
  thumbReleased(bar: number, value: number): void;
  /** The bar was pressed: it keeps the arrow keys until the picture is pressed. */
  pressed(bar: number): void;
  /** Whether input is taken now (no message open). */
  accepting(): boolean;
}

const REPEAT_DELAY = 300;
const REPEAT_INTERVAL = 50;
const MIN_THUMB = 26;
const ARROW = 16; // an arrow button's length along the bar, as the desktop style has it

export class ScrollBar {
  readonly el: HTMLDivElement;
  private readonly dec: HTMLDivElement;
  private readonly inc: HTMLDivElement;
  private readonly track: HTMLDivElement;
  private readonly thumb: HTMLDivElement;
  private info: BarInfo | null = null;
  private drag: { pointer: number; grab: number; value: number } | null = null;
  private repeat: { timer: number; pointer: number; action: () => boolean } | null = null;
  private lastPointer = 0; // along the bar, in its own pixels

  constructor(readonly index: number, private readonly owner: BarOwner, name: string) {
    this.el = document.createElement('div');
    this.el.className = 'scrollbar';
    this.el.setAttribute('role', 'scrollbar');
    this.el.setAttribute('aria-label', name);
    this.el.dataset.bar = String(index);
    this.dec = this.part('arrow dec');
    this.track = this.part('track');
    this.inc = this.part('arrow inc');
    this.thumb = document.createElement('div');
    this.thumb.className = 'thumb';
    this.track.appendChild(this.thumb);

    this.thumb.addEventListener('pointerdown', (e) => this.thumbDown(e));
    this.thumb.addEventListener('pointermove', (e) => this.thumbMove(e));
    this.thumb.addEventListener('pointerup', (e) => this.thumbUp(e));
    this.thumb.addEventListener('pointercancel', (e) => this.thumbUp(e));
    this.thumb.addEventListener('lostpointercapture', (e) => this.thumbUp(e));
    this.dec.addEventListener('pointerdown', (e) => this.holdDown(e, this.dec, () => this.stepBy(-this.small())));
    this.inc.addEventListener('pointerdown', (e) => this.holdDown(e, this.inc, () => this.stepBy(this.small())));
    this.track.addEventListener('pointerdown', (e) => {
      if (e.target !== this.track) return;
      this.holdDown(e, this.track, () => this.pageTowardsPointer());
    });
    for (const part of [this.dec, this.inc, this.track]) {
      part.addEventListener('pointermove', (e) => {
        if (this.repeat && e.pointerId === this.repeat.pointer) this.lastPointer = this.along(e);
      });
      const stop = (e: PointerEvent) => {
        if (this.repeat && e.pointerId === this.repeat.pointer) this.stopRepeat();
      };
      part.addEventListener('pointerup', stop);
      part.addEventListener('pointercancel', stop);
      part.addEventListener('lostpointercapture', stop);
    }
    this.el.addEventListener(
      'wheel',
      (e) => {
        if (!this.info || !this.info.enabled || !this.owner.accepting()) return;
        e.preventDefault();
        const dir = Math.sign(e.deltaY || e.deltaX);
        if (dir !== 0) this.stepBy(dir * 3 * this.small());
      },
      { passive: false },
    );
  }

  private part(cls: string): HTMLDivElement {
    const div = document.createElement('div');
    div.className = cls;
    this.el.appendChild(div);
    return div;
  }

  get dragging(): boolean {
    return this.drag !== null;
  }

  /** Places and shows the bar as the lab reports it (a held thumb stays where the hand holds it). */
  update(info: BarInfo): void {
    this.info = info;
    const [l, t, w, h] = info.rect;
    const s = this.el.style;
    s.left = `${l}px`;
    s.top = `${t}px`;
    s.width = `${w}px`;
    s.height = `${h}px`;
    this.el.classList.toggle('vertical', info.vertical);
    this.el.classList.toggle('horizontal', !info.vertical);
    this.el.classList.toggle('disabled', !info.enabled);
    this.el.setAttribute('aria-orientation', info.vertical ? 'vertical' : 'horizontal');
    this.el.setAttribute('aria-valuemin', String(info.min));
    this.el.setAttribute('aria-valuemax', String(info.max));
    this.el.setAttribute('aria-valuenow', String(this.drag ? this.drag.value : info.value));
    this.layout();
  }

  private geometry() {
    const info = this.info!;
    const [, , w, h] = info.rect;
    const length = info.vertical ? h : w;
    const thickness = info.vertical ? w : h;
    const arrow = Math.max(0, Math.min(thickness, ARROW, length / 3));
    const track = Math.max(0, length - 2 * arrow);
    const range = Math.abs(info.max - info.min);
    const page = Math.max(1, info.largeChange);
    let thumb = range > 0 ? (track * page) / (range + page) : track;
    thumb = Math.min(track, Math.max(Math.min(MIN_THUMB, track), thumb));
    return { length, thickness, arrow, track, thumb, range };
  }

  /** Position of a value along the range: 0 at Min. */
  private posOf(value: number): number {
    const info = this.info!;
    return info.max >= info.min ? value - info.min : info.min - value;
  }
  private valueAt(pos: number): number {
    const info = this.info!;
    const range = Math.abs(info.max - info.min);
    const p = Math.min(range, Math.max(0, Math.round(pos)));
    return info.max >= info.min ? info.min + p : info.min - p;
  }
  private small(): number {
    return Math.max(1, this.info?.smallChange ?? 1);
  }
  private large(): number {
    return Math.max(1, this.info?.largeChange ?? 1);
  }

  private layout(): void {
    const info = this.info!;
    const g = this.geometry();
    const value = this.drag ? this.drag.value : info.value;
    const free = g.track - g.thumb;
    const at = g.range > 0 ? (this.posOf(value) / g.range) * free : 0;
    const set = (el: HTMLElement, start: number, len: number) => {
      if (info.vertical) {
        el.style.left = '0px';
        el.style.width = `${g.thickness}px`;
        el.style.top = `${start}px`;
        el.style.height = `${len}px`;
      } else {
        el.style.top = '0px';
        el.style.height = `${g.thickness}px`;
        el.style.left = `${start}px`;
        el.style.width = `${len}px`;
      }
    };
    set(this.dec, 0, g.arrow);
    set(this.track, g.arrow, g.track);
    set(this.inc, g.arrow + g.track, g.arrow);
    set(this.thumb, at, g.thumb);
  }

  /** The pointer's position along the bar, from its top or left edge. */
  private along(e: PointerEvent): number {
    const r = this.el.getBoundingClientRect();
    const info = this.info!;
    const scale = info.vertical ? r.height / info.rect[3] : r.width / info.rect[2];
    return info.vertical ? (e.clientY - r.top) / (scale || 1) : (e.clientX - r.left) / (scale || 1);
  }

  private usable(e: PointerEvent): boolean {
    return !!this.info && this.info.enabled && e.button === 0 && e.isPrimary && this.owner.accepting();
  }

  private stepBy(delta: number): boolean {
    const info = this.info!;
    const value = this.valueAt(this.posOf(info.value) + delta);
    if (value === info.value) return false;
    this.owner.step(this.index, value);
    return this.info!.value === value;
  }

  // A press on the track pages towards the pointer until the thumb is under it.
  private pageTowardsPointer(): boolean {
    const g = this.geometry();
    const info = this.info!;
    const free = g.track - g.thumb;
    const thumbStart = g.arrow + (g.range > 0 ? (this.posOf(info.value) / g.range) * free : 0);
    if (this.lastPointer < thumbStart) return this.stepBy(-this.large());
    if (this.lastPointer > thumbStart + g.thumb) return this.stepBy(this.large());
    return false;
  }

  private holdDown(e: PointerEvent, target: HTMLElement, action: () => boolean): void {
    if (!this.usable(e)) return;
    e.preventDefault();
    this.owner.pressed(this.index);
    this.stopRepeat();
    this.lastPointer = this.along(e);
    target.setPointerCapture(e.pointerId);
    if (!action()) return;
    const repeat = { timer: 0, pointer: e.pointerId, action };
    const tick = () => {
      if (this.repeat !== repeat) return;
      if (!this.owner.accepting() || !repeat.action()) {
        this.stopRepeat();
        return;
      }
      repeat.timer = window.setTimeout(tick, REPEAT_INTERVAL);
    };
    repeat.timer = window.setTimeout(tick, REPEAT_DELAY);
    this.repeat = repeat;
  }

  private stopRepeat(): void {
    if (this.repeat) window.clearTimeout(this.repeat.timer);
    this.repeat = null;
  }

  private thumbDown(e: PointerEvent): void {
    if (!this.usable(e)) return;
    e.preventDefault();
    e.stopPropagation();
    this.owner.pressed(this.index);
    const g = this.geometry();
    const info = this.info!;
    const free = g.track - g.thumb;
    const thumbStart = g.arrow + (g.range > 0 ? (this.posOf(info.value) / g.range) * free : 0);
    this.drag = { pointer: e.pointerId, grab: this.along(e) - thumbStart, value: info.value };
    this.thumb.setPointerCapture(e.pointerId);
    this.thumb.classList.add('pressed');
  }

  private thumbMove(e: PointerEvent): void {
    const drag = this.drag;
    if (!drag || e.pointerId !== drag.pointer) return;
    if (!this.owner.accepting()) return;
    const g = this.geometry();
    const free = g.track - g.thumb;
    const at = this.along(e) - drag.grab - g.arrow;
    const value = this.valueAt(free > 0 ? (Math.min(free, Math.max(0, at)) / free) * g.range : 0);
    if (value === drag.value) return;
    drag.value = value;
    this.layout();
    this.owner.thumbMoved(this.index, value);
  }

  private thumbUp(e: PointerEvent): void {
    const drag = this.drag;
    if (!drag || e.pointerId !== drag.pointer) return;
    this.drag = null;
    this.thumb.classList.remove('pressed');
    if (this.thumb.hasPointerCapture(e.pointerId)) this.thumb.releasePointerCapture(e.pointerId);
    this.owner.thumbReleased(this.index, drag.value);
    if (this.info) this.layout();
  }
}
