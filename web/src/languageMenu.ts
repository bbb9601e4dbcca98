// The Language menu: the original texts first (in the catalogue's word for
// them, as the window's View > Language says), then every language the site
// carries, each by its own name, the same in every language, so whoever
// reads none of the others still finds their own. The pseudo-language of
// the tests is left out. The names are the catalogues' own: the catalogues
// are fetched the first time the menu opens.

import { closeMenus } from './menus';
import { languageInForce, languages, loadAllCatalogues, onLanguageChange, PSEUDO_LANGUAGE, setWords } from './words';

export class LanguageMenu {
  private readonly list: HTMLElement;

  /** choose: switches to a language chosen here ("" the original). */
  constructor(private readonly choose: (code: string) => void) {
    const menu = document.getElementById('language-menu') as HTMLDetailsElement;
    this.list = document.getElementById('language-list')!;
    menu.addEventListener('toggle', () => {
      if (menu.open) void loadAllCatalogues().then(() => this.build());
    });
    onLanguageChange(() => this.build());
    this.build();
  }

  private build(): void {
    const inForce = languageInForce().code;
    const shown = languages().filter((l) => l.code !== PSEUDO_LANGUAGE);
    this.list.replaceChildren(
      ...shown.map((l) => {
        const b = document.createElement('button');
        b.type = 'button';
        b.dataset.language = l.code || 'original';
        if (l.code) {
          b.textContent = l.name;
          b.lang = l.code;
        } else {
          setWords(b, 'window.view.original');
        }
        b.setAttribute('aria-pressed', String(l.code === inForce));
        b.addEventListener('click', () => {
          closeMenus();
          b.blur(); // Space stays the picture's Play key
          this.choose(l.code);
        });
        return b;
      }),
    );
  }
}
