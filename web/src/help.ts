// The Help menu: the guide and the keys, in the lab's words (the window's
// Help menu shows the same texts), a few words on a first visit, and the
// lab's hints on what the scene shows.

import type { HelpInfo } from './lab';
import { onAction } from './menus';
import type { Page } from './page';
import { store, stored } from './storage';
import { onLanguageChange, t } from './words';

// Set once the first-visit words have been shown: they are for a first visit only.
const VISITED_KEY = 'fermat-lens-visited';

type Topic = 'guide' | 'keys';

export class Help {
  private readonly dialog: HTMLDialogElement;
  private info: HelpInfo;
  /** What the dialog shows. */
  private topic: Topic = 'guide';

  constructor(page: Page) {
    this.info = JSON.parse(page.lab.help()) as HelpInfo;
    this.dialog = document.getElementById('help') as HTMLDialogElement;
    this.dialog.querySelector('button')!.addEventListener('click', () => this.dialog.close());
    onAction('guide', () => this.show('guide'));
    onAction('keys', () => this.show('keys'));
    // The lab's texts in another language, an open dialog with them.
    onLanguageChange(() => {
      this.info = JSON.parse(page.lab.help()) as HelpInfo;
      if (this.dialog.open) this.fill();
    });
    this.firstVisit(page);
    this.sceneHints(page);
  }

  /** The lab's hints on the scene, beside the picture; closed, they stay closed until they change. */
  private sceneHints(page: Page): void {
    const box = document.getElementById('scene-hints')!;
    const body = box.querySelector('.hints')!;
    let shown = '';
    let rewording = false;
    const show = () => {
      const hints = JSON.parse(page.lab.sceneHints()) as string[];
      const text = hints.join('\n');
      if (text === shown) return;
      shown = text;
      body.replaceChildren(...hints.map((h) => Object.assign(document.createElement('p'), { textContent: h })));
      // The same hints in another language are no news: closed, they stay closed.
      if (!rewording || hints.length === 0) box.hidden = hints.length === 0;
    };
    const close = box.querySelector('button.close') as HTMLButtonElement;
    close.addEventListener('click', () => {
      box.hidden = true;
      close.blur();
    });
    page.afterAction.push(show);
    onLanguageChange(() => {
      rewording = true;
      show();
      rewording = false;
    });
    show();
  }

  private show(topic: Topic): void {
    this.topic = topic;
    this.fill();
    this.dialog.showModal();
  }

  private fill(): void {
    const guide = this.topic === 'guide';
    this.dialog.querySelector('h2')!.textContent = t(guide ? 'window.help.guideTitle' : 'window.help.keysTitle');
    this.dialog.querySelector('.help-body')!.replaceChildren(...(guide ? this.guide() : this.keys()));
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
    // With storage refused (a private window) said every time: it does no harm.
    const visited = stored(VISITED_KEY) !== null;
    store(VISITED_KEY, '1');
    if (visited) return;
    box.querySelector('p')!.textContent = this.info.firstVisit;
    onLanguageChange(() => (box.querySelector('p')!.textContent = this.info.firstVisit));
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
