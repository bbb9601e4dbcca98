// What the page remembers between visits (localStorage). A browser may
// refuse storage (a private window): then nothing is remembered and nothing
// fails.

/** The value kept under `key`, or null (none kept, or storage refused). */
export function stored(key: string): string | null {
  try {
    return localStorage.getItem(key);
  } catch {
    return null;
  }
}

/** Keeps `value` under `key` when the browser lets the page. */
export function store(key: string, value: string): void {
  try {
    localStorage.setItem(key, value);
  } catch {
    // refused: remembered for this visit only
  }
}
