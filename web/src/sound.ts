// Hearing the least time (the toolbar's Sound switch, off by default): after
// each input the lab's samples of what it made heard (a tone whose pitch
// follows the travel time through the entry point, lowest at the least
// time; a click for each totally reflected ray) are played through Web Audio.
// The page makes no sound of its own: the samples are the lab's.

import type { Page } from './page';

export class Sound {
  private context: AudioContext | null = null;
  private on = false;
  /** The samples played since the switch was turned on, the last ten seconds of them (the tests compare them with fermat-lab --sound). */
  readonly played: number[] = [];

  constructor(page: Page) {
    const button = document.getElementById('toggle-sound') as HTMLButtonElement;
    button.addEventListener('click', () => {
      this.on = !this.on;
      button.setAttribute('aria-pressed', String(this.on));
      button.blur(); // Space stays the picture's Play key
      if (!this.on) return;
      // Made on the press: a browser lets a page sound only after a gesture.
      this.context ??= new AudioContext({ sampleRate: page.lab.soundRate() });
      void this.context.resume();
      // Heard from now on: what came before the switch stays silent.
      page.lab.soundSamples(this.context.sampleRate);
      this.played.length = 0;
    });
    page.afterRefresh.push(() => {
      if (!this.on || !this.context) return;
      const samples = page.lab.soundSamples(this.context.sampleRate);
      if (samples.length > 0) this.play(samples);
    });
  }

  /** The sample rate the lab is asked for (the audio device's). */
  get rate(): number {
    return this.context?.sampleRate ?? 0;
  }

  private play(samples: Float32Array<ArrayBuffer>): void {
    const context = this.context!;
    const buffer = context.createBuffer(1, samples.length, context.sampleRate);
    buffer.copyToChannel(samples, 0);
    const source = context.createBufferSource();
    source.buffer = buffer;
    source.connect(context.destination);
    source.start();
    for (const s of samples) this.played.push(s);
    const kept = 10 * context.sampleRate;
    if (this.played.length > kept) this.played.splice(0, this.played.length - kept);
  }
}
