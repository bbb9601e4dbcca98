// Challenge mode: the student moves the entry point to where they think the
// light enters, then reveals the least-time answer. The answer is drawn on a
// canvas of its own above the picture, never into the lab's record, so the
// picture (and everything exported or compared) stays the lab's; it goes as
// soon as anything else is done, and with challenge mode.

import { el, type Page } from './page';
import type { ChallengeInfo, ChallengeReveal, Frame } from './lab';
import { onAction } from './menus';
import { toPixelX, toPixelY } from './picture';

const LEAST = '#ff7a00'; // the least-time path: a colour the lab's picture never uses
const GUESS = '#0000ff'; // the guess, as the blue entry marker

export class ChallengeMode {
  private readonly panel: HTMLElement;
  private readonly tries: HTMLOutputElement;
  private readonly answer: HTMLUListElement;
  private readonly toggle: HTMLElement;
  private readonly canvas: HTMLCanvasElement;
  private revealed: ChallengeReveal | null = null;

  constructor(private readonly page: Page) {
    this.panel = document.getElementById('challenge')!;
    this.tries = document.getElementById('challenge-tries') as HTMLOutputElement;
    this.answer = document.getElementById('challenge-answer') as HTMLUListElement;
    this.toggle = document.querySelector('[data-action="challenge"]')!;
    // Right above the picture, below the labels and markers; presses go through.
    this.canvas = el('canvas', 'overlay');
    page.form.insertBefore(this.canvas, page.form.querySelector('canvas.picture')!.nextSibling);
    this.canvas.setAttribute('aria-hidden', 'true');

    onAction('challenge', () => this.setOn(!this.info().on));
    const button = (id: string, f: () => void) => {
      const b = document.getElementById(id) as HTMLButtonElement;
      b.addEventListener('click', () => {
        b.blur(); // Space stays the picture's Play key
        f();
      });
    };
    button('challenge-reveal', () => this.reveal());
    button('challenge-again', () => this.call('challengeStart'));
    // Anything done after the reveal answers another question.
    page.beforeInput.push(() => this.hideAnswer());
    page.afterAction.push(() => this.show());
    window.addEventListener('resize', () => this.draw());
    this.show();
  }

  private info(): ChallengeInfo {
    return JSON.parse(this.page.lab.challenge()) as ChallengeInfo;
  }

  private call(what: 'challengeStart' | 'challengeStop'): void {
    this.page.record(what);
    this.page.lab[what]();
    this.show();
  }

  setOn(on: boolean): void {
    if (on === this.info().on) return;
    this.call(on ? 'challengeStart' : 'challengeStop');
  }

  reveal(): void {
    if (!this.page.accepting()) return;
    this.page.record('challengeReveal');
    this.revealed = (JSON.parse(this.page.lab.challengeReveal()) as ChallengeInfo).revealed;
    this.show();
    this.draw();
  }

  private hideAnswer(): void {
    if (!this.revealed) return;
    this.revealed = null;
    this.answer.hidden = true;
    this.draw();
  }

  private show(): void {
    const info = this.info();
    if (!info.on) this.revealed = null;
    this.toggle.setAttribute('aria-checked', String(info.on));
    this.panel.hidden = !info.on;
    this.tries.value = String(info.tries);
    const r = this.revealed;
    this.answer.hidden = !r;
    // The lab's parts of its answer, a part a row (the tries have a field of their own).
    this.answer.replaceChildren(
      ...(r ? r.parts.slice(1) : []).map((p) => {
        const li = document.createElement('li');
        li.textContent = p;
        return li;
      }),
    );
    this.answer.dataset.text = r?.text ?? '';
    if (!r) this.draw();
  }

  /** The overlay: the least-time path and the guess's path, or nothing. */
  private draw(): void {
    const ratio = window.devicePixelRatio || 1;
    const { width, height } = this.page;
    const c = this.canvas;
    c.width = Math.max(1, Math.round(width * ratio));
    c.height = Math.max(1, Math.round(height * ratio));
    c.style.width = `${width}px`;
    c.style.height = `${height}px`;
    const ctx = c.getContext('2d')!;
    ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
    ctx.clearRect(0, 0, width, height);
    const r = this.revealed;
    c.hidden = !r;
    if (!r) return;
    const frames = JSON.parse(this.page.lab.frames()) as Frame[];
    const f = frames[frames.length - 1];
    const px = (x: number, y: number): [number, number] => [toPixelX(f, width, x), toPixelY(f, height, y)];
    const path = (points: [number, number][], colour: string, lineWidth: number, dash: number[]) => {
      ctx.beginPath();
      points.forEach(([x, y], i) => (i ? ctx.lineTo(x, y) : ctx.moveTo(x, y)));
      ctx.strokeStyle = colour;
      ctx.lineWidth = lineWidth;
      ctx.setLineDash(dash);
      ctx.stroke();
      ctx.setLineDash([]);
    };
    // The higher dot's caption above it, the lower one's below it, so that
    // the two never lie on top of each other however close the points are.
    const dot = ([x, y]: [number, number], colour: string, label: string, above: boolean) => {
      ctx.beginPath();
      ctx.arc(x, y, 5, 0, 2 * Math.PI);
      ctx.fillStyle = colour;
      ctx.fill();
      ctx.strokeStyle = '#000';
      ctx.lineWidth = 1;
      ctx.stroke();
      ctx.font = '12px "DejaVu Sans", sans-serif';
      ctx.fillStyle = colour;
      ctx.textBaseline = above ? 'bottom' : 'top';
      ctx.fillText(label, x + 8, above ? y - 6 : y + 6);
    };
    const source = px(r.sourceX, r.sourceY);
    const target = px(r.targetX, r.targetY);
    const guess = px(r.guessX, r.guessY);
    path([source, guess, target], GUESS, 1.5, [6, 4]);
    if (r.found) {
      const least = px(r.leastX, r.leastY);
      const guessHigher = guess[1] <= least[1];
      path([source, least, target], LEAST, 3, []);
      dot(guess, GUESS, 'your guess', guessHigher);
      dot(least, LEAST, 'least time', !guessHigher);
    } else {
      dot(guess, GUESS, 'your guess', true);
    }
  }
}
