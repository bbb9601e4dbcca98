// The page: the client area (page.ts) on the lab compiled to WebAssembly, the
// toolbar's menus and the graphs beside the picture.

import { Graphs } from './graphs';
import { loadLabModule, type WebLab } from './lab';
import { setupFileMenu } from './menus';
import { Page } from './page';

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
    };
  }
}

function clientSize(stage: HTMLElement): [number, number] {
  const r = stage.getBoundingClientRect();
  return [Math.max(MIN_CLIENT[0], Math.floor(r.width)), Math.max(MIN_CLIENT[1], Math.floor(r.height))];
}

function setupPanel(page: Page): void {
  const main = document.getElementById('main')!;
  const host = document.getElementById('graphs')!;
  const toggle = document.getElementById('toggle-graphs') as HTMLButtonElement;
  let graphs: Graphs | null = null;
  const open = (on: boolean) => {
    main.classList.toggle('with-panel', on);
    toggle.setAttribute('aria-pressed', String(on));
    if (on) {
      graphs ??= new Graphs(host);
      graphs.resize(host.clientWidth);
      page.setGraphs(graphs);
    } else {
      page.setGraphs(null);
    }
  };
  toggle.addEventListener('click', () => {
    toggle.blur();
    open(!main.classList.contains('with-panel'));
  });
  new ResizeObserver(() => graphs?.resize(host.clientWidth)).observe(host);
  open(main.classList.contains('with-panel'));
}

async function start(): Promise<void> {
  const t0 = performance.now();
  const stage = document.getElementById('stage')!;
  const main = document.getElementById('main')!;
  // Wide screens open with the graphs beside the picture; ?graphs=0 or 1 decides.
  const graphsWanted = new URLSearchParams(location.search).get('graphs');
  if (graphsWanted === '1' || (graphsWanted !== '0' && window.innerWidth >= 1100)) main.classList.add('with-panel');
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
  setupPanel(page);

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
