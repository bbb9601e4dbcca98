// The page: the client area (page.ts) on the lab compiled to WebAssembly, the
// toolbar's menus, the side panel with the lens and the graphs, and what the
// address asks for at start-up (a set-up or a lesson).

import { ChallengeMode } from './challenge';
import { Graphs } from './graphs';
import { loadLabModule, type WebLab } from './lab';
import { LensPanel } from './lensPanel';
import { MediumChoice } from './mediumChoice';
import { MirrorChoice } from './mirrorChoice';
import { Help } from './help';
import { Lessons } from './lessons';
import { setupFileMenu } from './menus';
import { Page } from './page';
import { Setups } from './setups';

const MIN_CLIENT = [200, 150] as const;

declare global {
  interface Window {
    fermatLens?: {
      page: Page;
      lab: WebLab;
      ready: boolean;
      /** From the start of the page's code, and from the navigation, to the first complete frame (ms). */
      firstFrameMs: number;
      firstFrameAt?: number;
      error?: string;
      challenge?: ChallengeMode;
      setups?: Setups;
    };
  }
}

function clientSize(stage: HTMLElement): [number, number] {
  const r = stage.getBoundingClientRect();
  return [Math.max(MIN_CLIENT[0], Math.floor(r.width)), Math.max(MIN_CLIENT[1], Math.floor(r.height))];
}

/**
 * The side panel holds the lens panel and the graphs, each shown by its
 * toolbar button; the panel is there while either is.
 */
function setupPanel(page: Page, wanted: { lens: boolean; graphs: boolean }): void {
  const main = document.getElementById('main')!;
  const graphsHost = document.getElementById('graphs')!;
  const lensHost = document.getElementById('lens-panel')!;
  const graphsToggle = document.getElementById('toggle-graphs') as HTMLButtonElement;
  const lensToggle = document.getElementById('toggle-lens') as HTMLButtonElement;
  let graphs: Graphs | null = null;
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
  const openGraphs = (on: boolean) => {
    graphsHost.hidden = !on;
    graphsToggle.setAttribute('aria-pressed', String(on));
    layout();
    if (on) {
      graphs ??= new Graphs(graphsHost, page, JSON.parse(page.lab.bundleGraph()), JSON.parse(page.lab.curveGraph()));
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
    openGraphs(graphsHost.hidden !== false);
  });
  lensToggle.addEventListener('click', () => {
    lensToggle.blur();
    openLens(lensHost.hidden !== false);
  });
  new ResizeObserver(() => graphs?.resize(graphsHost.clientWidth)).observe(graphsHost);
  openLens(wanted.lens);
  openGraphs(wanted.graphs);
}

async function start(): Promise<void> {
  const t0 = performance.now();
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
  const module = await loadLabModule();
  const [w, h] = clientSize(stage);
  const lab = new module.WebLab(w, h);
  const page = new Page(lab, w, h, stage);
  window.fermatLens = { page, lab, ready: false, firstFrameMs: NaN };
  document.body.classList.add('loaded');

  document.addEventListener('keydown', (e) => page.keyDown(e));
  document.addEventListener('pointerdown', (e) => page.otherPress(e.target), { capture: true });
  document.addEventListener('wheel', (e) => page.otherPress(e.target), { capture: true, passive: true });
  window.addEventListener('resize', () => page.setRatio());
  setupFileMenu(page);
  setupPanel(page, wanted);
  new Help(page);
  const lessons = new Lessons(page);
  const challenge = new ChallengeMode(page);
  const setups = new Setups(page, (key) => lessons.open(key));
  window.fermatLens.challenge = challenge;
  window.fermatLens.setups = setups;
  // A link to a set-up or a lesson opens it; one that cannot be opened says
  // why in the status line, and the page starts as usual.
  setups.openLocation();

  requestAnimationFrame(() => {
    const ms = performance.now() - t0;
    page.firstFrameMs = ms;
    window.fermatLens!.firstFrameMs = ms;
    window.fermatLens!.firstFrameAt = performance.now();
    window.fermatLens!.ready = true;
    performance.mark('fermat-first-frame');
  });

  if ('serviceWorker' in navigator && (location.protocol === 'https:' || location.hostname === 'localhost' || location.hostname === '127.0.0.1')) {
    navigator.serviceWorker.register('sw.js').catch((err) => console.warn('offline use unavailable:', err));
  }
}

start().catch((err: unknown) => {
  const msg = err instanceof Error ? err.message : String(err);
  const status = document.getElementById('status');
  if (status) status.textContent = `The lab could not start: ${msg}`;
  window.fermatLens = { ready: false, error: msg } as never;
  console.error(err);
});
