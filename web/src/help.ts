// The Help menu: the guide and the keys, in the lab's words (the window's
// Help menu shows the same texts), a few words on a first visit, and the
// lab's hints on what the scene shows.

import type { HelpInfo } from './lab';
import { onAction } from './menus';
import type { Page } from './page';

// Set once the first-visit words have been shown: they are for a first visit only.
const VISITED_KEY = 'fermat-lens-visited';

export class Help {
  private readonly dialog: HTMLDialogElement;
  private readonly info: HelpInfo;

  constructor(page: Page) {
    this.info = JSON.parse(page.lab.help()) as HelpInfo;
    this.dialog = document.getElementById('help') as HTMLDialogElement;
    this.dialog.querySelector('button')!.addEventListener('click', () => this.dialog.close());
    onAction('guide', () => this.show('Guide', this.guide()));
    onAction('keys', () => this.show('Keys', this.keys()));
    this.firstVisit(page);
    this.sceneHints(page);
  }

  /** The lab's hints on the scene, beside the picture; closed, they stay closed until they change. */
  private sceneHints(page: Page): void {
    const box = document.getElementById('scene-hints')!;
    const body = box.querySelector('.hints')!;
    let shown = '';
    const show = () => {
      const hints = JSON.parse(page.lab.sceneHints()) as string[];
      const text = hints.join('\n');
      if (text === shown) return;
      shown = text;
      body.replaceChildren(...hints.map((h) => Object.assign(document.createElement('p'), { textContent: h })));
      box.hidden = hints.length === 0;
    };
    const close = box.querySelector('button.close') as HTMLButtonElement;
    close.addEventListener('click', () => {
      box.hidden = true;
      close.blur();
    });
    page.afterAction.push(show);
    show();
  }

  private show(title: string, body: Node[]): void {
    this.dialog.querySelector('h2')!.textContent = title;
    this.dialog.querySelector('.help-body')!.replaceChildren(...body);
    this.dialog.showModal();
  }

  /** The lab's guide is its own fixed rich text (headings, paragraphs, lists, bold), never user input. */
  private guide(): Node[] {
    const t = document.createElement('template');
    t.innerHTML = this.info.guide;
    return [t.content];
  }

  private keys(): Node[] {
    const table = document.createElement('table');
    for (const k of this.info.keys) {
      const row = table.insertRow();
      const keys = document.createElement('th');
      keys.scope = 'row';
      keys.textContent = k.keys;
      row.appendChild(keys);
      row.insertCell().textContent = k.what;
    }
    const note = document.createElement('p');
    note.textContent = this.info.keysNote;
    return [table, note];
  }

  private firstVisit(page: Page): void {
    const box = document.getElementById('first-visit')!;
    let visited = true;
    try {
      visited = localStorage.getItem(VISITED_KEY) !== null;
      localStorage.setItem(VISITED_KEY, '1');
    } catch {
      visited = false; // storage refused (a private window): say it every time, it does no harm
    }
    if (visited) return;
    box.querySelector('p')!.textContent = this.info.firstVisit;
    box.hidden = false;
    const close = box.querySelector('button.close') as HTMLButtonElement;
    const hide = () => {
      box.hidden = true;
    };
    close.addEventListener('click', () => {
      hide();
      close.blur();
    });
    // Once the student has done something, the words have done their job.
    page.afterAction.push(hide);
  }
}
