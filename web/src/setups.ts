// Set-ups: saved to and opened from a file, and kept in the address as a
// share link. After every complete action the address's fragment is the
// session's set-up (history.replaceState: nothing goes to a server), so the
// address is always a link to what is shown; "Copy link" copies it. In
// another language than the original the link names it too
// ("#setup=...&lang=de"), so whoever opens it reads the same words.

import { download } from './export';
import { onAction, showStatus, showStatusWords } from './menus';
import type { Page } from './page';
import { languageInForce, onLanguageChange, t } from './words';

export const SETUP_FILE_NAME = 'fermat-lens-setup.json';
// A set-up file is at most this long (lab/Setup.h); a longer one is refused
// by the lab from its first byte beyond, so no more than that is read.
const MAX_SETUP_BYTES = 1 << 20;
// The address follows at most this often while the lab changes quickly (a
// slider dragged): browsers throttle a flood of history changes.
const LINK_DELAY_MS = 150;

export class Setups {
  private linkTimer = 0;
  /** The file being opened, until it is (for whoever waits on it). */
  opening: Promise<void> = Promise.resolve();
  /** The fragment this page wrote last: a hashchange to anything else is a link to open. */
  private written = '';

  /**
   * openLesson: starts a lesson ("" or why not); chooseLanguage: the
   * language a link set while the page runs names.
   */
  constructor(
    private readonly page: Page,
    private readonly openLesson: (key: string) => string,
    private readonly chooseLanguage: (code: string) => void,
  ) {
    onAction('save-setup', () => {
      download(SETUP_FILE_NAME, new Blob([page.lab.setupJson()], { type: 'application/json' }));
    });
    const input = document.getElementById('setup-file') as HTMLInputElement;
    onAction('open-setup', () => input.click());
    input.addEventListener('change', () => {
      const file = input.files?.[0];
      input.value = ''; // the same file may be chosen again
      if (file) this.opening = this.openFile(file);
    });
    onAction('copy-link', async () => {
      this.writeLink();
      try {
        await navigator.clipboard.writeText(location.href);
        showStatusWords('page.status.linkCopied');
      } catch {
        showStatusWords('page.status.copyLink', { link: location.href });
      }
    });
    page.afterAction.push(() => this.queueLink());
    // The link names the language in force.
    onLanguageChange(() => this.writeLink());
    window.addEventListener('hashchange', () => {
      if (location.hash !== this.written) this.openLocation();
    });
  }

  private async openFile(file: File): Promise<void> {
    try {
      const text = await file.slice(0, MAX_SETUP_BYTES + 1).text();
      const error = this.page.start('openSetup', text);
      if (error) showStatusWords('page.status.fileRefused', { file: file.name, why: error });
      else showStatus('');
    } catch (err) {
      showStatusWords('page.status.fileRefused', { file: file.name, why: String(err) });
    }
  }

  /**
   * Opens what the address's fragment names: "#setup=..." or "#lesson=KEY",
   * and with `language` the language it names ("&lang=CODE"; at start-up the
   * page has taken that already). An error goes to the status line.
   */
  openLocation(language = true): void {
    // Everything read from the address goes through the refusal path: a
    // link is typed or pasted by hand, and a bad escape in it ("%FF") must
    // leave the page running with what it shows, never stop it.
    let error = '';
    try {
      const { hash, lang } = splitLink(location.hash);
      if (language && lang !== null) this.chooseLanguage(lang);
      if (hash.startsWith('#lesson=')) {
        const key = decodeLinkPart(hash.slice('#lesson='.length));
        error = key === undefined ? t('page.status.lessonEscape') : this.openLesson(key);
      } else if (hash.startsWith('#setup=')) {
        error = this.page.start('openFragment', hash);
      } else {
        return;
      }
    } catch (err) {
      error = err instanceof Error ? err.message : String(err);
    }
    if (error) showStatusWords('page.status.linkRefused', { why: error });
    else showStatus('');
  }

  private queueLink(): void {
    if (this.linkTimer) return;
    this.linkTimer = window.setTimeout(() => this.writeLink(), LINK_DELAY_MS);
  }

  /** The address's fragment becomes the session's set-up now. */
  writeLink(): void {
    window.clearTimeout(this.linkTimer);
    this.linkTimer = 0;
    // Left alone while a message is open: the action is not complete.
    if (this.page.lab.busy()) return;
    const { code } = languageInForce();
    const hash = `#${this.page.lab.setupFragment()}${code ? `&lang=${encodeURIComponent(code)}` : ''}`;
    if (hash === location.hash) return;
    this.written = hash;
    history.replaceState(history.state, '', hash);
  }
}

/**
 * The fragment without the language it names, and that language: "" for the
 * original, null when it names none ("#setup=...&lang=de" is "#setup=..." in
 * German, "#lang=de" nothing in German). A base64url set-up and a lesson's
 * key hold no "&".
 */
export function splitLink(fragment: string): { hash: string; lang: string | null } {
  let lang: string | null = null;
  const kept: string[] = [];
  for (const part of fragment.replace(/^#/, '').split('&')) {
    if (part.startsWith('lang=')) lang = decodeLinkPart(part.slice('lang='.length)) ?? part.slice('lang='.length);
    else if (part) kept.push(part);
  }
  return { hash: kept.length ? `#${kept.join('&')}` : '', lang };
}

/** A %-escaped part of an address, or undefined when an escape in it is malformed. */
export function decodeLinkPart(part: string): string | undefined {
  try {
    return decodeURIComponent(part);
  } catch {
    return undefined;
  }
}
