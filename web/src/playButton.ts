// Play's button and its timer. Where the button stands and how often the
// timer ticks are the lab's (controls().play); the button shows whether the
// lab plays, and the timer runs exactly while it does.

import { el, placeRect } from './dom';
import type { ControlsInfo, ViewTexts } from './lab';

/** Whether the user asked for less motion: then Play shows the sweep's end, not the sweep. */
function reducedMotion(): boolean {
  return window.matchMedia?.('(prefers-reduced-motion: reduce)').matches ?? false;
}

export class PlayButton {
  readonly el: HTMLButtonElement;
  private timer = 0;

  constructor(
    form: HTMLElement,
    private texts: ViewTexts,
    onClick: () => void,
    private readonly onTick: () => void,
    /** Every step of the sweep at once, up to its end or a message (reduced motion). */
    private readonly onRunOut: () => void,
    /** The sweep stood still again: a complete action. */
    private readonly onStopped: () => void,
  ) {
    this.el = el('button', 'play', form);
    this.el.type = 'button';
    this.el.title = texts.playTooltip;
    this.el.addEventListener('click', () => {
      onClick();
      this.el.blur();
    });
  }

  /** The lab's words in another language: the tooltip now, the caption at the next catch-up. */
  setTexts(texts: ViewTexts): void {
    this.texts = texts;
    this.el.title = texts.playTooltip;
  }

  /** Follows the lab: its place, its caption, the timer. */
  catchUp(c: ControlsInfo, playing: boolean): void {
    placeRect(this.el, c.play.rect);
    this.el.textContent = playing ? this.texts.pause : this.texts.play;
    this.el.setAttribute('aria-pressed', String(playing));
    if (playing && !this.timer) {
      // With reduced motion each tick runs the sweep out: the front shows only
      // where it ends (the steps and their order are the same, so are the labels).
      const tick = reducedMotion() ? () => this.onRunOut() : () => this.onTick();
      this.timer = window.setInterval(tick, c.play.intervalMs);
    } else if (!playing && this.timer) {
      window.clearInterval(this.timer);
      this.timer = 0;
      this.onStopped();
    }
  }
}
