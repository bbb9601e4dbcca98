// Challenge mode: the student moves the entry point to where they think the
// light enters, then reveals the least-time answer. The answer is drawn on a
// canvas of its own above the picture, never into the lab's record, so the
// picture (and everything exported or compared) stays the lab's; it goes as
// soon as anything else is done, and with challenge mode.

import { el } from './dom';
import type { Page } from './page';
import type { AnsweredChallenge, ChallengeInfo, ChallengeReveal } from './lab';
import { onAction } from './menus';
import { drawOverlay } from './overlay';
import { onLanguageChange } from './words';

export class ChallengeMode {
  private readonly panel: HTMLElement;
  private readonly tries: HTMLOutputElement;
  private readonly answer: HTMLUListElement;
  private readonly toggle: HTMLElement;
  private readonly canvas: HTMLCanvasElement;
  private revealed: ChallengeReveal | null = null;
  /** Told each answer revealed, with the lab's best so far (a course platform records them). */
  readonly onReveal: ((info: AnsweredChallenge) => void)[] = [];

  constructor(private readonly page: Page) {
    this.panel = document.getElementById('challenge')!;
    this.tries = document.getElementById('challenge-tries') as HTMLOutputElement;
    this.answer = document.getElementById('challenge-answer') as HTMLUListElement;
    this.toggle = document.querySelector('[data-action="challenge"]')!;
    this.words();
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
    // Another language: the panel's words, and the answer shown in them (its drawing's texts too).
    onLanguageChange(() => {
      this.words();
      if (this.revealed) this.revealed = this.info().revealed ?? this.revealed;
      this.show();
      this.draw();
    });
    this.show();
  }

  /** The words the window's banner says too, from the lab's table. */
  private words(): void {
    const texts = this.page.texts;
    this.panel.querySelector('.challenge-title')!.textContent = texts.challenge;
    this.panel.querySelector('.challenge-task')!.textContent = texts.challengeTask;
    this.panel.querySelector('.challenge-tries')!.textContent = texts.tries;
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
    const info = JSON.parse(this.page.lab.challengeReveal()) as ChallengeInfo;
    this.revealed = info.revealed;
    this.show();
    this.draw();
    const revealed = info.revealed;
    if (revealed) for (const f of this.onReveal) f({ ...info, revealed });
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
    this.toggle.setAttribute('aria-pressed', String(info.on));
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

  /** The overlay: the lab's drawing of the answer (as the window draws it), or nothing. */
  private draw(): void {
    drawOverlay(this.canvas, this.page, this.revealed?.drawing ?? null);
  }
}
