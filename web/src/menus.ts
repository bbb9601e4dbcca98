// The toolbar's menus and the status line: File's exports, printing and
// Reset; the helpers every other menu entry uses.

import { canvasBlob, download, pictureSvg, renderPicture, type Background } from './export';
import type { Page } from './page';
import { clearWords, onLanguageChange, setWords, type WordArgs } from './words';

const oneLine = (text: string) => text.replace(/\s*\n\s*/g, ' ');

/** One line in the toolbar (an error, a confirmation); "" clears it. */
export function showStatus(text: string): void {
  const status = document.getElementById('status');
  if (!status) return;
  clearWords(status);
  // One line whatever the text: the lab's reasons have none, an exception's might.
  status.textContent = oneLine(text);
  status.title = status.textContent;
}

/** The status line in the page's words (a catalogue key), worded anew on a switch of language. */
export function showStatusWords(key: string, args?: WordArgs): void {
  const status = document.getElementById('status');
  if (!status) return;
  const flat = args && Object.fromEntries(Object.entries(args).map(([k, v]) => [k, typeof v === 'string' ? oneLine(v) : v]));
  setWords(status, key, flat);
  status.title = status.textContent ?? '';
}

onLanguageChange(() => {
  const status = document.getElementById('status');
  if (status) status.title = status.textContent ?? '';
});

export function closeMenus(): void {
  document.querySelectorAll('details.menu[open]').forEach((m) => m.removeAttribute('open'));
}

/** Runs `f` when a menu entry with data-action="name" is chosen; what it throws goes to the status line. */
export function onAction(name: string, f: () => void | Promise<void>): void {
  document.querySelectorAll<HTMLElement>(`[data-action="${name}"]`).forEach((b) =>
    b.addEventListener('click', async () => {
      closeMenus();
      b.blur(); // Space stays the picture's Play key
      try {
        await f();
      } catch (err) {
        showStatus(String(err));
      }
    }),
  );
}

/** Local time as yyyymmdd-hhmmss, for file names. */
export function stamp(): string {
  const d = new Date();
  const p = (n: number) => String(n).padStart(2, '0');
  return `${d.getFullYear()}${p(d.getMonth() + 1)}${p(d.getDate())}-${p(d.getHours())}${p(d.getMinutes())}${p(d.getSeconds())}`;
}

function measureText(font: string, s: string): number {
  const c = measureText.ctx ?? (measureText.ctx = document.createElement('canvas').getContext('2d')!);
  c.font = font;
  return c.measureText(s).width;
}
measureText.ctx = null as CanvasRenderingContext2D | null;

const csv = (text: string) => new Blob([text], { type: 'text/csv' });

export function setupFileMenu(page: Page): void {
  const bg = document.getElementById('background') as HTMLSelectElement;
  bg.addEventListener('change', () => (page.background = bg.value as Background));
  for (const scale of [1, 2, 4]) {
    onAction(`png${scale}`, async () => {
      const canvas = renderPicture(page.rec, page.overlay(), scale, page.background);
      download(`fermat-lens-${stamp()}${scale > 1 ? `@${scale}x` : ''}.png`, await canvasBlob(canvas));
    });
  }
  onAction('svg', () => {
    const svg = pictureSvg(page.rec, page.overlay(), page.background, measureText);
    download(`fermat-lens-${stamp()}.svg`, new Blob([svg], { type: 'image/svg+xml' }));
  });
  onAction('curve', () => download(`curve-${stamp()}.csv`, csv(page.lab.curveCsv())));
  onAction('bundle', () => download(`bundle-${stamp()}.csv`, csv(page.lab.bundleCsv())));
  onAction('equal-time', () => download(`equal-time-${stamp()}.csv`, csv(page.lab.equalTimeCsv(page.equalTimeAt))));
  onAction('print', () => window.print());
  onAction('reset', () => page.reset());
  // Outside a menu, a press closes it.
  document.addEventListener('pointerdown', (e) => {
    if (!(e.target as Element).closest?.('details.menu')) closeMenus();
  });

  // Print: just the picture, rendered crisp for paper.
  const printImg = document.getElementById('print-picture') as HTMLImageElement;
  window.addEventListener('beforeprint', () => {
    printImg.src = renderPicture(page.rec, page.overlay(), 3, page.background).toDataURL('image/png');
  });
  window.addEventListener('afterprint', () => printImg.removeAttribute('src'));
}
