// Hearing the least time on the page: off until the Sound switch is pressed;
// then each input plays the lab's samples, the very samples fermat-lab
// --sound writes for the same inputs.

import { readFileSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

import { assert, callsToActions, clientSize, nativeStdout, openBrowser, openPage, pageCalls } from './harness.mjs';

/** fermat-lab --sound's samples (16-bit) for these actions. */
function nativeSamples(size, actions) {
  const dir = mkdtempSync(join(tmpdir(), 'fermat-lens-sound-'));
  try {
    const file = join(dir, 'sound.wav');
    nativeStdout(size, ['--sound', file, ...actions]);
    const wav = readFileSync(file);
    assert(wav.toString('latin1', 0, 4) === 'RIFF' && wav.toString('latin1', 8, 12) === 'WAVE', 'no WAV file');
    const data = wav.subarray(44);
    return Array.from({ length: data.length / 2 }, (_, i) => data.readInt16LE(2 * i));
  } finally {
    rmSync(dir, { recursive: true, force: true });
  }
}

export const tests = [
  {
    name: 'the Sound switch plays the native samples of each key: the tone of the travel time, lowest at the least time',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        await page.keyboard.press('l');
        assert((await page.evaluate(() => window.fermatLens.sound.played.length)) === 0, 'a sound before the switch');
        await page.locator('#toggle-sound').click();
        assert((await page.locator('#toggle-sound').getAttribute('aria-pressed')) === 'true', 'the switch is not pressed');
        const rate = await page.evaluate(() => window.fermatLens.sound.rate);
        assert(rate === (await page.evaluate(() => window.fermatLens.lab.soundRate())), `the audio runs at ${rate} a second`);
        const before = (await pageCalls(page)).length;
        for (const key of ['Shift+BracketRight', 'BracketLeft', 'BracketLeft', 'l']) await page.keyboard.press(key);
        // As 16-bit samples the way the WAV file rounds them: in single precision, halves away from zero.
        const played = await page.evaluate(() =>
          window.fermatLens.sound.played.map((s) => {
            const v = Math.fround(Math.max(-1, Math.min(1, s)) * 32767);
            return Math.sign(v) * Math.round(Math.abs(v));
          }),
        );
        // The native program from the same start: the inputs before the switch, then those after it.
        const actions = callsToActions(await pageCalls(page));
        const afterSwitch = callsToActions((await pageCalls(page)).slice(before));
        const size = await clientSize(page);
        const whole = nativeSamples(size, actions);
        const beforeSwitch = nativeSamples(size, actions.slice(0, actions.length - afterSwitch.length));
        const native = whole.slice(beforeSwitch.length);
        assert(played.length > 0, 'nothing was played');
        assert(played.length === native.length, `${played.length} samples played, fermat-lab --sound ${native.length}`);
        const differ = played.findIndex((s, i) => s !== native[i]);
        assert(differ < 0, `sample ${differ} is ${played[differ]}, fermat-lab's ${native[differ]}`);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];
