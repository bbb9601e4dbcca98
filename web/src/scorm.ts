// A course platform's SCORM 1.2 run-time (Moodle, Canvas, Blackboard): when
// the page runs inside one (its API object on a window above this one), the
// challenge's answers are recorded there, and the launch data the package
// names (the set-up or lesson to open) is read. Without the API the page is
// as it always is: nothing here does anything.
//
// What each reveal records: the score out of 100, whether the guess found
// the least-time point and the best of the session are the lab's
// (lab::ScoreOf, Challenge::best); here only where they go:
//   cmi.core.score.raw/min/max    the best score of the session, 0..100
//   cmi.core.lesson_status        passed once a guess found the point, else failed
//   cmi.interactions.N.*          each answer: its distance from the least-time
//                                 point (numeric, correct when found)
//   cmi.suspend_data              the last answer: tries, distance, score, found

import type { AnsweredChallenge } from './lab';

/** The calls of SCORM 1.2's API object every platform provides (values are strings). */
export interface Scorm12Api {
  LMSInitialize(arg: ''): string;
  LMSFinish(arg: ''): string;
  LMSGetValue(element: string): string;
  LMSSetValue(element: string, value: string): string;
  LMSCommit(arg: ''): string;
  LMSGetLastError(): string;
}

declare global {
  interface Window {
    API?: Scorm12Api;
  }
}

/** The API on this window or one above it (at most 7 frames up, as the standard's search goes), or on the opener's. */
export function findScormApi(start: Window = window): Scorm12Api | null {
  const search = (from: Window | null): Scorm12Api | null => {
    let w = from;
    for (let depth = 0; w && depth <= 7; ++depth) {
      try {
        if (w.API && typeof w.API.LMSInitialize === 'function') return w.API;
      } catch {
        // a frame of another origin: not the platform's
      }
      if (w.parent === w) break;
      w = w.parent;
    }
    return null;
  };
  let opener: Window | null = null;
  try {
    opener = start.opener as Window | null;
  } catch {
    opener = null;
  }
  return search(start) ?? search(opener);
}

export class ScormReport {
  private finished = false;

  private constructor(private readonly api: Scorm12Api) {}

  /** Connects to the platform's API, or null when there is none or it refuses. */
  static connect(api: Scorm12Api | null = findScormApi()): ScormReport | null {
    if (!api) return null;
    let ok = false;
    try {
      ok = String(api.LMSInitialize('')) === 'true';
    } catch {
      ok = false;
    }
    if (!ok) return null;
    const report = new ScormReport(api);
    if (report.get('cmi.core.lesson_status') === 'not attempted') report.set('cmi.core.lesson_status', 'incomplete');
    report.commit();
    window.addEventListener('pagehide', () => report.finish());
    return report;
  }

  /**
   * What the package's launch data names for the page to open, as a link's
   * fragment: "lesson=KEY" or "setup=..." ("" when nothing).
   */
  launchFragment(): string {
    return this.get('cmi.launch_data').trim().replace(/^[#?]/, '');
  }

  /** Records one reveal of the challenge: the answer, and the lab's best of the session. */
  recordAnswer({ revealed: r, best }: AnsweredChallenge): void {
    if (!r.score || !best || this.finished) return;
    const { hit, score } = r.score;
    this.set('cmi.core.score.min', '0');
    this.set('cmi.core.score.max', '100');
    this.set('cmi.core.score.raw', String(best.score));
    this.set('cmi.core.lesson_status', best.hit ? 'passed' : 'failed');
    const n = Number.parseInt(this.get('cmi.interactions._count'), 10);
    if (Number.isInteger(n) && n >= 0) {
      const at = `cmi.interactions.${n}`;
      this.set(`${at}.id`, `least-time-point-${n + 1}`);
      this.set(`${at}.type`, 'numeric');
      this.set(`${at}.student_response`, r.distance.toFixed(2));
      this.set(`${at}.correct_responses.0.pattern`, '0');
      this.set(`${at}.result`, hit ? 'correct' : 'wrong');
    }
    this.set(
      'cmi.suspend_data',
      JSON.stringify({ tries: r.tries, distance: Number(r.distance.toFixed(2)), score, found: hit }),
    );
    this.commit();
  }

  finish(): void {
    if (this.finished) return;
    this.finished = true;
    this.set('cmi.core.exit', '');
    this.commit();
    this.call(() => this.api.LMSFinish(''));
  }

  private get(element: string): string {
    return this.call(() => this.api.LMSGetValue(element));
  }

  private set(element: string, value: string): void {
    this.call(() => this.api.LMSSetValue(element, value));
  }

  private commit(): void {
    this.call(() => this.api.LMSCommit(''));
  }

  /** A platform's failure never stops the page: the answer is still shown. */
  private call(f: () => string): string {
    try {
      return String(f() ?? '');
    } catch (err) {
      console.warn('the course platform refused a call:', err);
      return '';
    }
  }
}
