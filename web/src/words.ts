// The page's words. Every text the page shows is a key of the catalogue
// (resources/i18n/original.json: its "page" object, and the window's keys
// where the page shows the window's word for the same thing), read through
// the lab in the language in force, so the page holds no word of its own.
//
// Elements name their keys: data-i18n="key" for the text (data-i18n-args a
// JSON object for its {{name}}s), data-i18n-attr="aria-label:key;title:key"
// for attributes; static ones in the HTML, made ones through setWords and
// setAttrWords. A switch of language rewords every such element at once and
// then tells whoever shows words of another kind (the lab's captions, lists
// made from the lab's tables) through onLanguageChange.
//
// The page's module holds only the original catalogue: a translation is the
// site's file i18n/<code>.json, fetched once and handed to the lab.

import { inlineCatalogue } from './inline';
import type { LanguageInfo, WebLab } from './lab';

/** The translations the site carries as i18n/<code>.json (web/build.mjs writes the list in). */
declare const __CATALOGUES__: readonly string[];
export const CATALOGUES: readonly string[] = __CATALOGUES__;

/** The pseudo-language of the tests: known to the lab, left out of the menu. */
export const PSEUDO_LANGUAGE = 'qps';

export type WordArgs = Record<string, string | number>;

let lab: WebLab | null = null;
const listeners: (() => void)[] = [];
/** Each catalogue's loading, once: "" when the lab took it, else why not. */
const loading = new Map<string, Promise<string>>();
/** A catalogue's text asked for before the lab was there (the language a link or the last visit names). */
const prefetched = new Map<string, Promise<string>>();
/** Counts the switches asked for: a slow catalogue never overrides a later choice. */
let asked = 0;

/** The lab every word is read from; the static page is worded at once. */
export function bindWords(l: WebLab): void {
  lab = l;
  apply();
}

/** Whether there is a lab to read words from (none when its module could not start). */
export function hasWords(): boolean {
  return lab !== null;
}

/** The text of `key` in the language in force, {{name}} filled from `args`; a whole `count` picks the plural form. */
export function t(key: string, args?: WordArgs): string {
  if (!lab) return key;
  return lab.tr(key, args ? JSON.stringify(args) : '');
}

/** A number written with '.' as the language in force writes it (its decimal separator, as the labels have it). */
export function localNumber(number: string): string {
  return lab ? lab.localNumber(number) : number;
}

/** The element's text is the key's, now and after every switch. */
export function setWords(el: HTMLElement, key: string, args?: WordArgs): void {
  el.dataset.i18n = key;
  if (args) el.dataset.i18nArgs = JSON.stringify(args);
  else delete el.dataset.i18nArgs;
  fillText(el);
}

/** The element's text is no key's (a text of the lab's or the user's): a switch leaves it. */
export function clearWords(el: HTMLElement): void {
  delete el.dataset.i18n;
  delete el.dataset.i18nArgs;
}

/** Attributes worded by keys ({"aria-label": key}), now and after every switch. */
export function setAttrWords(el: Element, attrs: Record<string, string>): void {
  el.setAttribute(
    'data-i18n-attr',
    Object.entries(attrs)
      .map(([name, key]) => `${name}:${key}`)
      .join(';'),
  );
  fillAttrs(el);
}

function fillText(el: HTMLElement): void {
  const key = el.dataset.i18n;
  if (!key) return;
  const args = el.dataset.i18nArgs ? (JSON.parse(el.dataset.i18nArgs) as WordArgs) : undefined;
  const text = t(key, args);
  if (el.textContent !== text) el.textContent = text;
}

function fillAttrs(el: Element): void {
  for (const pair of (el.getAttribute('data-i18n-attr') ?? '').split(';')) {
    const at = pair.indexOf(':');
    if (at <= 0) continue;
    const text = t(pair.slice(at + 1).trim());
    const name = pair.slice(0, at).trim();
    if (el.getAttribute(name) !== text) el.setAttribute(name, text);
  }
}

/** Every marked element under `root` worded anew. */
export function reword(root: ParentNode = document): void {
  root.querySelectorAll<HTMLElement>('[data-i18n]').forEach(fillText);
  root.querySelectorAll('[data-i18n-attr]').forEach(fillAttrs);
}

/** Called after every switch of language, once the marked elements are worded. */
export function onLanguageChange(f: () => void): void {
  listeners.push(f);
}

/** The original ("") first, then every language the lab has a catalogue for, and the pseudo-language. */
export function languages(): LanguageInfo[] {
  return lab ? (JSON.parse(lab.languages()) as LanguageInfo[]) : [];
}

export function languageInForce(): { code: string; rtl: boolean } {
  return lab ? (JSON.parse(lab.language()) as { code: string; rtl: boolean }) : { code: '', rtl: false };
}

function catalogueUrl(code: string): string {
  return new URL(`i18n/${encodeURIComponent(code)}.json`, document.baseURI).href;
}

async function fetchText(code: string): Promise<string> {
  const inside = await inlineCatalogue(code);
  if (inside !== null) return inside;
  const response = await fetch(catalogueUrl(code));
  if (!response.ok) throw new Error(`${response.status} ${response.statusText}`.trim());
  return response.text();
}

/** Starts fetching a catalogue before the lab is there (at start-up, beside the module). */
export function prefetchCatalogue(code: string): void {
  if (!CATALOGUES.includes(code) || prefetched.has(code)) return;
  const p = fetchText(code);
  p.catch(() => {}); // answered when the lab asks for it
  prefetched.set(code, p);
}

/** Hands the lab a translation's catalogue, fetched once: "" when taken, else why not. */
function loadCatalogue(code: string): Promise<string> {
  let p = loading.get(code);
  if (!p) {
    const text = prefetched.get(code) ?? fetchText(code);
    prefetched.delete(code);
    p = text.then(
      (json) => lab!.addCatalogue(json),
      (err: unknown) => (err instanceof Error ? err.message : String(err)),
    );
    loading.set(code, p);
    // A failure may be the network's: the next choice fetches again.
    void p.then((why) => {
      if (why) loading.delete(code);
    });
  }
  return p;
}

/** Every catalogue the site carries, handed to the lab (for the menu's names). */
export async function loadAllCatalogues(): Promise<void> {
  await Promise.all(CATALOGUES.map((code) => loadCatalogue(code)));
}

/**
 * Switches every text to the language `code` ("" or "original": the original
 * texts), its catalogue fetched first if the lab has none. "" when done, else
 * why not, in the words of the language in force, which is kept. A choice
 * overtaken by a later one while its catalogue came changes nothing.
 */
export async function useLanguage(code: string): Promise<string> {
  if (!lab) throw new Error('useLanguage before bindWords');
  if (code === 'original') code = '';
  const ticket = ++asked;
  if (code && !languages().some((l) => l.code === code)) {
    if (CATALOGUES.includes(code)) {
      const why = await loadCatalogue(code);
      if (ticket !== asked) return '';
      if (why) return t('page.status.languageNotLoaded', { code, why });
    } else {
      // Not a language of the site: the lab says so, naming every one it has.
      await loadAllCatalogues();
      if (ticket !== asked) return '';
    }
  }
  const why = lab.useLanguage(code);
  if (why) return t('page.status.languageRefused', { why });
  apply();
  return '';
}

/** <html> takes the language's code and direction (the client area keeps its own, ltr); every word follows. */
function apply(): void {
  const { code, rtl } = languageInForce();
  const html = document.documentElement;
  html.lang = code || 'en';
  html.dir = rtl ? 'rtl' : 'ltr';
  reword(document);
  for (const f of listeners) f();
}
