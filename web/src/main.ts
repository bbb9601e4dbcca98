// The page: the client area (page.ts) on the lab compiled to WebAssembly, the
// toolbar's menus, the side panel with the lens and the graphs, and what the
// address asks for at start-up (a set-up or a lesson, a language).

import { isOneFile } from './inline';
import { ChallengeMode } from './challenge';
import { Contrast } from './contrast';
import { Describer } from './describe';
import { Sound } from './sound';
import { store, stored } from './storage';
import type { Graphs } from './graphs';
import { loadLabModule, type WebLab } from './lab';
import { LensPanel } from './lensPanel';
import { MediumChoice } from './mediumChoice';
import { MirrorChoice } from './mirrorChoice';
import { Help } from './help';
import { LanguageMenu } from './languageMenu';
import { Lessons } from './lessons';
import { setupFileMenu, showStatus } from './menus';
import { Page } from './page';
import { ScormReport } from './scorm';
import { Setups, splitLink } from './setups';
import { bindWords, hasWords, onLanguageChange, prefetchCatalogue, t, useLanguage } from './words';

const MIN_CLIENT = [200, 150] as const;
// The language chosen last from the menu ("" the original), for the next visit.
const LANGUAGE_KEY = 'fermat-lens-language';

declare global {
  interface Window {
    fermatLens?: {
      page: Page;
      lab: WebLab;
      ready: boolean;
      /** From the navigation to the client area's first complete frame (ms). */
      firstFrameAt?: number;
      /** From the navigation to everything made, ready for every activity (ms). */
      readyAt?: number;
      error?: string;
      challenge?: ChallengeMode;
      describer?: Describer;
      sound?: Sound;
      setups?: Setups;
      /** The switch of language the page made last, once it is done ("" or why not). */
      language?: Promise<string>;
    };
  }
}

function clientSize(stage: HTMLElement): [number, number] {
  const r = stage.getBoundingClientRect();
  return [Math.max(MIN_CLIENT[0], Math.floor(r.width)), Math.max(MIN_CLIENT[1], Math.floor(r.height))];
}

/**
 * The graphs' code (with their plotting library, a third of the page's
 * script) comes when the graphs are first shown: a visit that never shows
 * them never downloads it. The one-file page has it inside.
 */
let graphsCode: Promise<typeof import('./graphs')> | null = null;
function loadGraphs(): Promise<typeof import('./graphs')> {
  graphsCode ??= import('./graphs');
  return graphsCode;
}

/**
 * The side panel holds the lens panel and the graphs, each shown by its
 * toolbar button; the panel is there while either is. Resolves once it
 * stands as `wanted` asks (the graphs' code loaded when they show).
 */
function setupPanel(page: Page, wanted: { lens: boolean; graphs: boolean }): Promise<void> {
  const main = document.getElementById('main')!;
  const graphsHost = document.getElementById('graphs')!;
  const lensHost = document.getElementById('lens-panel')!;
  const graphsToggle = document.getElementById('toggle-graphs') as HTMLButtonElement;
  const lensToggle = document.getElementById('toggle-lens') as HTMLButtonElement;
  let graphs: Graphs | null = null;
  const makeGraphs = async () => {
    const { Graphs } = await loadGraphs();
    return new Graphs(graphsHost, page, JSON.parse(page.lab.bundleGraph()), JSON.parse(page.lab.curveGraph()));
  };
  new LensPanel(page, lensHost);
  new MirrorChoice(page, lensHost);
  new MediumChoice(page, lensHost);
  const stage = document.getElementById('stage')!;
  const layout = () => {
    const panel = !graphsHost.hidden || !lensHost.hidden;
    main.classList.toggle('with-panel', panel);
    // Beside the picture while that leaves the picture its width (or most of
    // the window's), below it otherwise: never a strip of picture.
    main.classList.remove('panel-below');
    if (panel && stage.clientWidth < Math.min(page.width, 0.6 * main.clientWidth)) main.classList.add('panel-below');
  };
  window.addEventListener('resize', layout);
  const openGraphs = async (on: boolean) => {
    graphsHost.hidden = !on;
    graphsToggle.setAttribute('aria-pressed', String(on));
    layout();
    if (on) {
      if (!graphs) {
        const made = await makeGraphs();
        // Closed again (or made by a later call) while the code came.
        if (graphsHost.hidden || graphs) {
          made.destroy();
          return;
        }
        graphs = made;
      }
      graphs.resize(graphsHost.clientWidth);
      page.setGraphs(graphs);
    } else {
      page.setGraphs(null);
    }
  };
  const openLens = (on: boolean) => {
    lensHost.hidden = !on;
    lensToggle.setAttribute('aria-pressed', String(on));
    layout();
  };
  graphsToggle.addEventListener('click', () => {
    graphsToggle.blur();
    void openGraphs(graphsHost.hidden !== false);
  });
  lensToggle.addEventListener('click', () => {
    lensToggle.blur();
    openLens(lensHost.hidden !== false);
  });
  new ResizeObserver(() => graphs?.resize(graphsHost.clientWidth)).observe(graphsHost);
  // Another language: the graphs made anew in its words, from the same numbers.
  onLanguageChange(() => {
    if (!graphs) return;
    graphs.destroy();
    graphsHost.replaceChildren();
    graphs = null;
    if (!graphsHost.hidden) void openGraphs(true);
  });
  openLens(wanted.lens);
  return openGraphs(wanted.graphs);
}

async function start(): Promise<void> {
  // Marks of the start-up's steps (web/tools/delivery.mjs reports where the time goes).
  performance.mark('fermat-start');
  const stage = document.getElementById('stage')!;
  const main = document.getElementById('main')!;
  // Wide screens open with the graphs beside the picture; ?graphs=0 or 1
  // decides, and ?lens=1 opens the lens panel. The panel is laid out before
  // the client area is measured: its size at start-up is the lab's.
  const query = new URLSearchParams(location.search);
  const wanted = {
    graphs: query.get('graphs') === '1' || (query.get('graphs') !== '0' && window.innerWidth >= 1100),
    lens: query.get('lens') === '1',
  };
  document.getElementById('graphs')!.hidden = !wanted.graphs;
  document.getElementById('lens-panel')!.hidden = !wanted.lens;
  main.classList.toggle('with-panel', wanted.graphs || wanted.lens);
  // The language the address or the last visit names comes with the module.
  const asked = askedLanguage(query);
  if (asked) prefetchCatalogue(asked);
  // The graphs' code, when they show at once, comes beside the module.
  if (wanted.graphs) void loadGraphs();
  const module = await loadLabModule();
  performance.mark('fermat-module');
  const [w, h] = clientSize(stage);
  const lab = new module.WebLab(w, h);
  performance.mark('fermat-lab');
  bindWords(lab);
  // Everything is made in that language; one it cannot have is said below, once the page stands.
  const languageError = asked ? await useLanguage(asked) : '';
  const page = new Page(lab, w, h, stage);
  performance.mark('fermat-page');
  window.fermatLens = { page, lab, ready: false };
  document.body.classList.add('loaded');

  document.addEventListener('keydown', (e) => page.keyDown(e));
  document.addEventListener('pointerdown', (e) => page.otherPress(e.target), { capture: true });
  document.addEventListener('wheel', (e) => page.otherPress(e.target), { capture: true, passive: true });
  window.addEventListener('resize', () => page.setRatio());
  // Before the first frame, what shapes it: the contrast the system asks
  // for, and the set-up, lesson or language a link (or a course platform's
  // launch data) names.
  new Contrast(page);
  const lessons = new Lessons(page);
  const setups = new Setups(
    page,
    (key) => lessons.open(key),
    (code) => void chooseLanguage(code, false),
  );
  window.fermatLens.setups = setups;
  window.fermatLens.language = Promise.resolve(languageError);
  // Inside a course platform: the launch data of the package names what to
  // open, unless the address does; its answers are recorded there (below).
  const scorm = ScormReport.connect();
  if (scorm) {
    const launch = scorm.launchFragment();
    const { hash, lang } = splitLink(location.hash);
    if (launch && !hash) {
      history.replaceState(history.state, '', `#${launch}${lang !== null ? `&lang=${encodeURIComponent(lang)}` : ''}`);
    }
  }
  // A link to a set-up or a lesson opens it; one that cannot be opened says
  // why in the status line, and the page starts as usual.
  setups.openLocation(false);
  if (languageError) {
    const said = document.getElementById('status')?.textContent ?? '';
    showStatus(said ? `${said}; ${languageError}` : languageError);
    languageComplaint = document.getElementById('status')?.textContent ?? '';
  }

  // The client area stands (picture, captions, buttons, markers, bars): its
  // first complete frame is painted before anything not seen yet is made
  // (menus' contents, the panels, the graphs, help, the challenge).
  await new Promise<void>((painted) =>
    requestAnimationFrame(() => {
      window.fermatLens!.firstFrameAt = performance.now();
      performance.mark('fermat-first-frame');
      setTimeout(painted, 0);
    }),
  );
  setupFileMenu(page);
  const panelReady = setupPanel(page, wanted);
  new Help(page);
  window.fermatLens.describer = new Describer(page);
  window.fermatLens.sound = new Sound(page);
  const challenge = new ChallengeMode(page);
  window.fermatLens.challenge = challenge;
  if (scorm) challenge.onReveal.push((answered) => scorm.recordAnswer(answered));
  new LanguageMenu((code) => void chooseLanguage(code, true));
  // Ready for every activity once everything shown at start stands, the graphs too.
  await panelReady;
  window.fermatLens.readyAt = performance.now();
  window.fermatLens.ready = true;
  performance.mark('fermat-ready');

  // The one-file page has no worker beside it (and from a disk none may run).
  if (!isOneFile() && 'serviceWorker' in navigator && (location.protocol === 'https:' || location.hostname === 'localhost' || location.hostname === '127.0.0.1')) {
    navigator.serviceWorker.register('sw.js').catch((err) => console.warn('offline use unavailable:', err));
  }
}

/** The language the address names (?lang=CODE, then the link's &lang=CODE), else the one chosen last; null: none. */
function askedLanguage(query: URLSearchParams): string | null {
  const inQuery = query.get('lang');
  if (inQuery !== null) return inQuery;
  const { lang } = splitLink(location.hash);
  if (lang !== null) return lang;
  return stored(LANGUAGE_KEY); // null with storage refused (a private window): the original
}

/** The status line's complaint about a language, cleared once another is taken. */
let languageComplaint = '';

/**
 * Switches to a language (from the menu: remembered for the next visit, and
 * an address that names a language names this one now); one that cannot be
 * had says why in the status line and the language in force stays.
 */
async function chooseLanguage(code: string, fromMenu: boolean): Promise<string> {
  const done = useLanguage(code);
  window.fermatLens!.language = done;
  const why = await done;
  const status = document.getElementById('status');
  if (why) {
    languageComplaint = why;
    showStatus(why);
    return why;
  }
  if (languageComplaint && status?.textContent === languageComplaint) showStatus('');
  languageComplaint = '';
  if (fromMenu) {
    store(LANGUAGE_KEY, code);
    const url = new URL(location.href);
    if (url.searchParams.has('lang')) {
      if (code) url.searchParams.set('lang', code);
      else url.searchParams.delete('lang');
      history.replaceState(history.state, '', url);
    }
  }
  return '';
}

start().catch((err: unknown) => {
  const msg = err instanceof Error ? err.message : String(err);
  const status = document.getElementById('status');
  // Without the lab there is no catalogue to word this from but the original's, which is the lab's too.
  if (status) status.textContent = hasWords() ? t('page.status.labFailed', { why: msg }) : `The lab could not start: ${msg}`;
  window.fermatLens = { ready: false, error: msg } as never;
  console.error(err);
});
