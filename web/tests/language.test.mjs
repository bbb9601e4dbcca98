// The page in every language: the Language menu rewords everything at once
// without a reload (the lab's captions as fermat-lab --lang prints them, the
// page's own words from the catalogue), Arabic runs right to left around a
// picture that never mirrors, the state and its numbers stay, the choice is
// remembered, an address may name a language (?lang=, a link's &lang=), an
// unknown one is refused in the status line, and no text is missing or
// shows its key.

import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import {
  assert,
  callsToActions,
  centreOf,
  chooseMenu,
  clientSize,
  dismissMessages,
  expectNativeLabels,
  nativeRun,
  openBrowser,
  openPage,
  pageCalls,
  pageLabels,
  repo,
  waitReady,
  watch,
} from './harness.mjs';

const I18N = join(repo, 'resources', 'i18n');
const catalogue = (code) => JSON.parse(readFileSync(join(I18N, `${code}.json`), 'utf8'));
/** A catalogue's text by its dotted key (undefined when it has none). */
const textOf = (cat, key) => key.split('.').reduce((o, k) => (o == null ? undefined : o[k]), cat);
/** Every language the site carries, as the files of resources/i18n name them. */
const SITE_LANGUAGES = ['ar', 'de', 'el', 'en', 'es', 'fr', 'pt-BR', 'zh-CN'];

/** A catalogue key shown as itself: what the lab gives for a key no catalogue has. */
// The <p> lines of the page's <noscript>: the one without a language, and each language's.
class NoscriptLines {
  constructor(html) {
    this.plain = null;
    this.byLanguage = {};
    const unescape = (t) => t.replace(/&lt;/g, '<').replace(/&gt;/g, '>').replace(/&amp;/g, '&');
    for (const m of html.matchAll(/<p(?: lang="([^"]+)")?(?: dir="rtl")?>([^<]*)<\/p>/g)) {
      if (m[1]) this.byLanguage[m[1]] = unescape(m[2]);
      else this.plain = unescape(m[2]);
    }
  }
}

const KEY_LIKE = /^[a-z]+(\.[A-Za-z0-9-]+)+$/;

/** Chooses a language from the page's own menu and waits until the page has switched. */
async function chooseLanguage(page, code) {
  await page.locator('#language-menu > summary').click();
  await page.locator(`#language-list [data-language="${code || 'original'}"]`).click();
  const why = await page.evaluate(() => window.fermatLens.language);
  assert(why === '', `choosing ${code || 'the original'} was refused: ${why}`);
}

/** The picture's canvas as it is painted, every device pixel. */
function canvasBytes(page) {
  return page.evaluate(() => {
    const c = document.querySelector('canvas.picture');
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    // A digest of every byte, position-weighted, and the size: any changed pixel changes it.
    let h1 = 0x811c9dc5, h2 = 0;
    for (let i = 0; i < d.length; ++i) {
      h1 = Math.imul(h1 ^ d[i], 16777619) >>> 0;
      h2 = (h2 + d[i] * ((i % 65521) + 1)) % 4294967291;
    }
    return `${c.width}x${c.height}:${h1}:${h2}`;
  });
}

/** What a switch of language must leave as it was: the lab's state, its record, the inputs, the client area's places. */
function sessionState(page) {
  return page.evaluate(() => {
    const { page: p, lab } = window.fermatLens;
    const controls = JSON.parse(lab.controls());
    return {
      setup: lab.setupJson(),
      items: Array.from(lab.items(0)).join(','),
      calls: p.calls.length,
      bars: controls.bars.map((b) => b.value).join(','),
      markers: JSON.stringify(controls.markers),
      stage: JSON.stringify(document.querySelector('.form').getBoundingClientRect()),
    };
  });
}

/** The numbers a text holds, whatever the decimal separator ("114,87" is 114.87). */
const numbersOf = (texts) =>
  texts.map((t) =>
    (t.match(/-?\d+(?:[.,]\d+)?/g) ?? [])
      .map((n) => n.replace(',', '.'))
      .sort() // a language may name them in another order
      .join(' '),
  );

/** Labels and messages of the native program in a language for the page's inputs so far. */
async function expectNativeLabelsIn(page, code, what) {
  const size = await clientSize(page);
  const actions = callsToActions(await pageCalls(page));
  const native = nativeRun(size, [...(code ? ['--lang', code] : []), ...actions]);
  const shown = await pageLabels(page);
  for (let i = 0; i < 6; ++i) {
    assert(
      shown[i] === native.labels[i],
      `${what}: Label${i + 1} is ${JSON.stringify(shown[i])}, fermat-lab --lang ${code || 'original'} shows ${JSON.stringify(native.labels[i])} (actions: ${actions.join(' ')})`,
    );
  }
  return native;
}

/**
 * Every text of the page outside the client area (whose captions are the
 * lab's, compared with the native program's): text nodes, the titles and
 * labels for assistive technology, placeholders, the document's title.
 */
function pageTexts(page) {
  return page.evaluate(() => {
    const out = [];
    const stage = document.getElementById('stage');
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    for (let n = walker.nextNode(); n; n = walker.nextNode()) {
      if (stage.contains(n) || n.parentElement?.closest('script, style, noscript')) continue;
      const text = n.textContent.trim();
      if (text) out.push({ where: n.parentElement?.id || n.parentElement?.className || n.parentElement?.tagName, text });
    }
    for (const el of document.querySelectorAll('[title], [aria-label], [placeholder], [aria-valuetext]')) {
      if (stage.contains(el) && !el.matches('canvas.picture, .marker, .scrollbar')) continue;
      for (const a of ['title', 'aria-label', 'placeholder', 'aria-valuetext']) {
        const v = el.getAttribute(a)?.trim();
        if (v) out.push({ where: `${el.id || el.className || el.tagName}@${a}`, text: v });
      }
    }
    out.push({ where: 'title', text: document.title });
    return out;
  });
}

/** The texts of every element the page words by a key. */
function markedTexts(page) {
  return page.evaluate(() => ({
    text: Array.from(document.querySelectorAll('[data-i18n]'), (e) => ({ key: e.dataset.i18n, text: e.textContent })),
    attrs: Array.from(document.querySelectorAll('[data-i18n-attr]')).flatMap((e) =>
      e
        .getAttribute('data-i18n-attr')
        .split(';')
        .map((pair) => {
          const [name, key] = pair.split(':');
          return { key, name, text: e.getAttribute(name) ?? '' };
        }),
    ),
  }));
}

/** A few inputs that fill the picture, the labels, the graphs and the equal-time view. */
async function someSession(page) {
  for (const k of [1, 2, 5]) {
    await page.locator(`.form .command[data-command="${k}"]`).click();
    await dismissMessages(page);
  }
}

export const tests = [
  {
    name: 'the Language menu switches to Arabic and back without a reload: right to left around an unmirrored picture, the labels of fermat-lab --lang ar',
    async run({ url }) {
      const b = await openBrowser({ viewport: { width: 1366, height: 800 } });
      try {
        const { page, problems } = await openPage(b, `${url}?graphs=1&lens=1`);
        await someSession(page);
        await expectNativeLabels(page, 'before any language');
        const original = await pageLabels(page);
        const before = await sessionState(page);
        const pixels = await canvasBytes(page);
        // A reload would lose this.
        await page.evaluate(() => (window.__sameDocument = true));

        // The menu: the original first in the catalogue's word, then each language by its own name; no pseudo-language.
        await page.locator('#language-menu > summary').click();
        await page.locator('#language-list [data-language="zh-CN"]').waitFor();
        const entries = await page.locator('#language-list button').evaluateAll((bs) =>
          bs.map((x) => ({ code: x.dataset.language, name: x.textContent, checked: x.getAttribute('aria-pressed') })),
        );
        const expected = [
          { code: 'original', name: textOf(catalogue('original'), 'window.view.original'), checked: 'true' },
          ...SITE_LANGUAGES.map((code) => ({ code, name: catalogue(code).meta.name, checked: 'false' })),
        ];
        assert(JSON.stringify(entries) === JSON.stringify(expected), `the menu lists ${JSON.stringify(entries)}`);
        await page.locator('#language-menu > summary').click();

        await chooseLanguage(page, 'ar');
        const ar = catalogue('ar');
        const dirs = await page.evaluate(() => {
          const dir = (sel) => getComputedStyle(document.querySelector(sel)).direction;
          return {
            html: [document.documentElement.dir, document.documentElement.lang],
            stageAttr: document.getElementById('stage').getAttribute('dir'),
            stage: dir('#stage'),
            label: dir('.form .label'),
            button: dir('.form .command'),
            bar: dir('.form .scrollbar'),
            toolbar: dir('#toolbar'),
            menu: dir('#file-menu .menu-items'),
            panel: dir('#panel'),
            dialog: dir('#help'),
            floating: dir('#floating'),
          };
        });
        assert(dirs.html[0] === 'rtl' && dirs.html[1] === 'ar', `<html> is dir=${dirs.html[0]} lang=${dirs.html[1]}`);
        assert(dirs.stageAttr === 'ltr', `#stage has dir=${dirs.stageAttr}`);
        for (const k of ['stage', 'label', 'button', 'bar']) assert(dirs[k] === 'ltr', `the client area's ${k} runs ${dirs[k]}`);
        for (const k of ['toolbar', 'menu', 'panel', 'dialog', 'floating']) assert(dirs[k] === 'rtl', `the ${k} runs ${dirs[k]}`);
        // The toolbar reads from the right: File stands right of Help.
        const file = await page.locator('#file-menu > summary').boundingBox();
        const help = await page.locator('#help-menu > summary').boundingBox();
        assert(file.x > help.x, `File (x ${file.x}) is not right of Help (x ${help.x})`);

        // The picture, the state and the client area's places are as they were; nothing was input, nothing reloaded.
        assert((await canvasBytes(page)) === pixels, 'the picture changed with the language');
        const during = await sessionState(page);
        for (const k of Object.keys(before)) assert(during[k] === before[k], `the ${k} changed with the language`);
        assert(await page.evaluate(() => window.__sameDocument === true), 'the page was loaded anew');

        // The lab's words: the labels and buttons fermat-lab --lang ar shows, the panels' and graphs' words from ar.json.
        const native = await expectNativeLabelsIn(page, 'ar', 'in Arabic');
        assert(JSON.stringify(native.labels) !== JSON.stringify(original), 'the Arabic labels are the original ones');
        const buttons = await page.locator('.form .command').allTextContents();
        const arButtons = [1, 2, 3, 4, 5].map((k) => ar.button[`command${k}`]);
        assert(JSON.stringify(buttons) === JSON.stringify(arButtons), `the buttons say ${JSON.stringify(buttons)}`);
        assert((await page.locator('.form .play').getAttribute('title')) === ar.view.playTooltip, 'Play keeps its tooltip');
        assert((await page.locator('#lens-panel h2').last().textContent()) === ar.window.lens.title, 'the Lens panel keeps its title');
        const presetNames = await page.locator('#lens-preset option').allTextContents();
        assert(presetNames[1] === ar.preset.lens.standard, `the first preset reads ${presetNames[1]}`);
        assert((await page.locator('.graph h2').first().textContent()) === ar.window.view.travelTime, 'the travel-time graph keeps its title');
        assert(
          (await page.locator('#lessons-menu > summary').textContent()) === ar.window.lessons.title,
          'the Lessons menu keeps its title',
        );
        const lessonTitles = await page.locator('#lesson-list button').allTextContents();
        assert(lessonTitles.includes(ar.lesson['least-time-ray'].title), `the lessons read ${lessonTitles.join(' | ')}`);
        // The page's own words from ar.json's "page" object, a counted text in the form CLDR's Arabic rule picks.
        const rays = await page.evaluate(
          () => window.fermatLens.lab.bundleCsv().split('\n').filter((l) => l && !l.startsWith('#')).length - 1,
        );
        const form = new Intl.PluralRules('ar').select(rays);
        const pageWords = await page.evaluate(() => ({
          file: document.querySelector('#file-menu > summary').textContent,
          copyLink: document.querySelector('[data-action="copy-link"]').textContent,
          graphs: document.getElementById('toggle-graphs').textContent,
          source: document.querySelector('.form .marker.source').getAttribute('aria-label'),
          timeBar: document.querySelector('.form .scrollbar[data-bar="2"]').getAttribute('aria-label'),
          rays: document.querySelectorAll('.graph-note')[1].textContent,
          language: document.querySelector('#language-menu > summary').textContent,
        }));
        const wanted = {
          file: ar.page.menu.file.title,
          copyLink: ar.page.menu.file.copyLink,
          graphs: ar.page.toolbar.graphs,
          source: ar.page.stage.source,
          timeBar: ar.page.stage.timeBar,
          rays: ar.page.graph.bundle[`rays_${form}`].replace('{{count}}', String(rays)),
          language: ar.page.menu.language.title,
        };
        for (const k of Object.keys(wanted)) assert(pageWords[k] === wanted[k], `the page's ${k} reads ${pageWords[k]}, ar.json says ${wanted[k]}`);
        // A dialog opened now speaks Arabic too.
        await chooseMenu(page, 'help-menu', 'guide');
        assert((await page.locator('#help h2').textContent()) === ar.window.help.guideTitle, 'the guide keeps its title');
        await page.locator('#help button').click();

        // Back to the original: everything as before the switch.
        await chooseLanguage(page, '');
        const back = await page.evaluate(() => [document.documentElement.dir, document.documentElement.lang]);
        assert(back[0] === 'ltr' && back[1] === 'en', `<html> is dir=${back[0]} lang=${back[1]} again`);
        await expectNativeLabels(page, 'back in the original');
        assert(JSON.stringify(await pageLabels(page)) === JSON.stringify(original), 'the original labels did not come back');
        assert((await canvasBytes(page)) === pixels, 'the picture changed after the way back');
        const after = await sessionState(page);
        for (const k of Object.keys(before)) assert(after[k] === before[k], `the ${k} changed after the way back`);
        const origButtons = await page.locator('.form .command').allTextContents();
        const orig = catalogue('original');
        assert(origButtons[1] === orig.button.command2, `button 2 says ${origButtons[1]}`);
        assert((await page.locator('#file-menu > summary').textContent()) === orig.page.menu.file.title, 'File is not File again');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'switching languages mid-session keeps the state and the numbers; inputs between switches give the native labels of each language',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, `${url}?graphs=1`);
        await someSession(page);
        const [x, y] = await centreOf(page, '.form .marker.source');
        await page.mouse.move(x, y);
        await page.mouse.down();
        await page.mouse.move(x - 25, y + 30, { steps: 4 });
        await page.mouse.up();
        await dismissMessages(page);
        const numbers = numbersOf(await pageLabels(page));
        const notes = async () => numbersOf(await page.locator('.graph-note').allTextContents());
        await page.waitForFunction(() => document.querySelectorAll('.graph-note')[1]?.textContent !== '');
        const noteNumbers = await notes();
        const state = await sessionState(page);
        for (const code of ['de', 'ar', 'zh-CN', '', 'fr', 'ar', '']) {
          await chooseLanguage(page, code);
          await expectNativeLabelsIn(page, code, `after switching to ${code || 'the original'}`);
          assert(JSON.stringify(numbersOf(await pageLabels(page))) === JSON.stringify(numbers), `the labels' numbers changed in ${code}`);
          const now = await sessionState(page);
          for (const k of Object.keys(state)) assert(now[k] === state[k], `the ${k} changed in ${code || 'the original'}`);
          // The graphs are made anew in the language, from the same numbers.
          await page.waitForFunction(() => document.querySelectorAll('.graph-note')[1]?.textContent !== '');
          assert(JSON.stringify(await notes()) === JSON.stringify(noteNumbers), `the graphs' numbers changed in ${code}: ${await notes()}`);
          // The page's own numbers (the equal-time view's) with the language's decimal separator, as the labels have theirs.
          const sep = code ? catalogue(code).meta.decimal : '.';
          const equal = await page.evaluate(() => ({
            note: document.querySelector('.equal-time .graph-note').textContent,
            times: Array.from(document.querySelectorAll('.et-rays tbody td:nth-child(2)'), (c) => c.textContent),
          }));
          const decimals = [...(equal.note.match(/\d[.,]\d/g) ?? []), ...equal.times.map((v) => /\d([.,])\d/.exec(v)?.[0] ?? v)];
          assert(decimals.length > 3, `the equal-time view shows no numbers in ${code}: ${JSON.stringify(equal)}`);
          for (const d of decimals) assert(d[1] === sep, `${code || 'original'}: the equal-time view writes ${d}, not with ${sep}`);
        }
        // Inputs go on in German as in the original, the lab's messages in German.
        await chooseLanguage(page, 'de');
        assert((await page.evaluate(() => window.fermatLens.page.run('source=-300,0', 'height=30'))) === '', 'the actions were refused');
        await page.locator('.form .command[data-command="4"]').click();
        await page.keyboard.press('ArrowRight'); // refused while the message is open
        const shown = await dismissMessages(page);
        const native = await expectNativeLabelsIn(page, 'de', 'inputs in German');
        assert(shown.length > 0, 'button 4 from the source far left raised no message');
        assert(
          JSON.stringify(shown) === JSON.stringify(native.messages.slice(-shown.length)),
          `the messages ${JSON.stringify(shown)} are not fermat-lab --lang de's ${JSON.stringify(native.messages)}`,
        );
        assert(shown[0] === catalogue('de').message.naiThe || shown[0] === catalogue('de').message.notFound, `the message ${shown[0]} is not de.json's`);
        await chooseLanguage(page, '');
        await expectNativeLabels(page, 'the same inputs in the original');
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'the chosen language is remembered; ?lang= and a link\'s &lang= win over it; ?lang=de opens in German',
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page, problems } = await openPage(b, url);
        await chooseLanguage(page, 'de');
        const de = catalogue('de');
        // The address the page writes names the language: a link in German.
        await page.waitForFunction(() => location.hash.endsWith('&lang=de'));
        const link = await page.evaluate(() => location.hash);
        const setupPart = await page.evaluate(() => `#${window.fermatLens.lab.setupFragment()}`);
        assert(link === `${setupPart}&lang=de`, `the link is ${link}`);

        // The next visit, with nothing in the address: German, as chosen.
        const again = await b.context.newPage();
        const againProblems = await watch(again);
        await again.goto(url);
        await waitReady(again);
        assert((await again.evaluate(() => document.documentElement.lang)) === 'de', 'the chosen language was forgotten');
        await expectNativeLabelsIn(again, 'de', 'the next visit');
        assert((await again.locator('.form .command').first().textContent()) === de.button.command1, 'button 1 is not in German');
        assert(
          (await again.locator('#language-list [data-language="de"]').getAttribute('aria-pressed')) === 'true',
          'the menu does not tick German',
        );

        // ?lang=ar wins over the remembered German, and is not remembered itself.
        await again.goto(`${url}?lang=ar`);
        await waitReady(again);
        assert((await again.evaluate(() => [document.documentElement.lang, document.documentElement.dir].join())) === 'ar,rtl', '?lang=ar was not taken');
        await expectNativeLabelsIn(again, 'ar', '?lang=ar');
        // A link in Arabic (the fragment the page writes) opens in Arabic, its set-up with it.
        await again.locator('.form .command[data-command="1"]').click();
        await dismissMessages(again);
        await again.waitForFunction(() => location.hash.endsWith('&lang=ar'));
        const arLink = await again.evaluate(() => location.hash);
        const third = await b.context.newPage();
        const thirdProblems = await watch(third);
        await third.goto(`${url}${arLink}`);
        await waitReady(third);
        assert((await third.evaluate(() => document.documentElement.lang)) === 'ar', "the link's &lang=ar was not taken");
        assert((await third.locator('#status').textContent()) === '', `the link was refused: ${await third.locator('#status').textContent()}`);
        assert(
          JSON.stringify(await pageLabels(third)) === JSON.stringify(await pageLabels(again)),
          'the Arabic link does not show what the page that wrote it shows',
        );
        // Neither the query nor the link was remembered: the bare address is German still.
        await third.goto(url);
        await waitReady(third);
        assert((await third.evaluate(() => document.documentElement.lang)) === 'de', 'a language from the address was remembered');
        // Chosen from the menu, the original is remembered too.
        await chooseLanguage(third, '');
        await third.goto(url);
        await waitReady(third);
        assert((await third.evaluate(() => document.documentElement.lang)) === 'en', 'the original was not remembered');
        await expectNativeLabels(third, 'the original remembered');

        // A fresh browser: ?lang=de opens in German, the lab and the page's words from de.json.
        const fresh = await openBrowser();
        try {
          const { page: p, problems: freshProblems } = await openPage(fresh, `${url}?lang=de`);
          assert((await p.evaluate(() => document.documentElement.lang)) === 'de', '?lang=de did not open in German');
          await expectNativeLabelsIn(p, 'de', '?lang=de at start-up');
          await p.locator('.form .command[data-command="2"]').click();
          await dismissMessages(p);
          await expectNativeLabelsIn(p, 'de', '?lang=de after button 2');
          assert((await p.locator('.form .command').nth(4).textContent()) === de.button.command5, 'button 5 is not in German');
          assert((await p.locator('#lessons-menu > summary').textContent()) === de.window.lessons.title, 'the Lessons menu is not in German');
          assert(freshProblems.length === 0, freshProblems.join('\n'));
        } finally {
          await fresh.close();
        }
        assert([...problems, ...againProblems, ...thirdProblems].length === 0, [...problems, ...againProblems, ...thirdProblems].join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'an unknown language is refused in the status line, naming the known ones, and the original stays',
    async run({ url }) {
      const b = await openBrowser();
      try {
        for (const address of ['?lang=xx', '#lang=tlh']) {
          const page = await b.context.newPage();
          const problems = await watch(page);
          await page.goto(`${url}${address}`);
          await waitReady(page);
          const code = address.split('=')[1];
          await page.waitForFunction(() => document.getElementById('status').textContent !== '');
          const status = await page.locator('#status').textContent();
          assert(status.includes(`unknown language '${code}'`), `${address}: the status says ${JSON.stringify(status)}`);
          for (const known of SITE_LANGUAGES) assert(status.includes(known), `${address}: the reason does not name ${known}: ${status}`);
          const html = await page.evaluate(() => [document.documentElement.lang, document.documentElement.dir].join());
          assert(html === 'en,ltr', `${address}: <html> is ${html}`);
          await expectNativeLabels(page, `${address}: the original at start-up`);
          await page.locator('.form .command[data-command="1"]').click();
          await dismissMessages(page);
          await expectNativeLabels(page, `${address}: the original after a press`);
          // A language taken afterwards clears the complaint.
          await chooseLanguage(page, 'fr');
          assert((await page.locator('#status').textContent()) === '', 'the complaint stays after French was taken');
          assert(problems.length === 0, `${address}: ${problems.join('\n')}`);
          await page.close();
        }
        // Remembered from a visit before, an unknown code is refused the same way.
        const page = await b.context.newPage();
        await page.addInitScript(() => localStorage.setItem('fermat-lens-language', 'xx'));
        await page.goto(url);
        await waitReady(page);
        await page.waitForFunction(() => document.getElementById('status').textContent.includes("unknown language 'xx'"));
        assert((await page.evaluate(() => document.documentElement.lang)) === 'en', 'a bad remembered language changed the page');
      } finally {
        await b.close();
      }
    },
  },
  {
    name: 'in every language every marked element has words and no text shows its key; the pseudo-language reaches every word of the page',
    async run({ url }) {
      const b = await openBrowser({ viewport: { width: 1400, height: 900 } });
      try {
        const { page, problems } = await openPage(b, `${url}?graphs=1&lens=1`);
        await someSession(page);
        await chooseMenu(page, 'lessons-menu', 'challenge');
        for (const code of ['', ...SITE_LANGUAGES]) {
          await chooseLanguage(page, code);
          const marked = await markedTexts(page);
          assert(marked.text.length > 40 && marked.attrs.length > 10, `too few marked elements: ${marked.text.length}, ${marked.attrs.length}`);
          for (const m of [...marked.text, ...marked.attrs]) {
            assert(m.text.trim() !== '', `${code || 'original'}: ${m.key}${m.name ? ` (${m.name})` : ''} has no words`);
          }
          for (const { where, text } of await pageTexts(page)) {
            assert(!KEY_LIKE.test(text), `${code || 'original'}: ${where} shows the key ${text}`);
          }
          const labels = await pageLabels(page);
          for (const l of labels) assert(!KEY_LIKE.test(l), `${code || 'original'}: a label shows the key ${l}`);
        }
        // The original's marked texts are original.json's, character for character.
        await chooseLanguage(page, '');
        const orig = catalogue('original');
        for (const m of (await markedTexts(page)).text) {
          const want = textOf(orig, m.key);
          assert(typeof want === 'string', `${m.key} is no text of original.json`);
          if (!want.includes('{{')) assert(m.text === want, `${m.key} shows ${JSON.stringify(m.text)}, original.json says ${JSON.stringify(want)}`);
        }

        // The pseudo-language brackets every catalogue text: a word outside brackets is one of the page's own.
        await page.goto(`${url}?graphs=1&lens=1&lang=qps`);
        await waitReady(page);
        await someSession(page);
        await chooseMenu(page, 'lessons-menu', 'challenge');
        assert((await page.evaluate(() => document.documentElement.lang)) === 'qps', 'the pseudo-language was not taken');
        // The stationary points' kinds: named as the CSV rows name them, worded by the catalogue in the legend.
        const kinds = await page.evaluate(() => JSON.parse(window.fermatLens.lab.curveGraph()).kinds);
        assert(
          kinds.map((k) => k.kind).join() === 'minimum,maximum,inflection,constant',
          `the curve graph's kinds: ${JSON.stringify(kinds)}`,
        );
        for (const k of kinds) assert(/^\[.*\]$/.test(k.name), `the legend's ${k.kind} is no catalogue's word: ${k.name}`);
        const own = (await pageTexts(page)).filter(({ text }) => {
          if (/[[\]]/.test(text)) return false; // a catalogue's text, or the lab's with one in it
          return /[A-Za-z]{2}/.test(text); // not numbers, symbols or a lone variable
        });
        assert(own.length === 0, `words of the page's own in the pseudo-language: ${JSON.stringify(own.slice(0, 12))}`);
        assert(
          !(await page.locator('#language-list button').evaluateAll((bs) => bs.map((x) => x.dataset.language))).includes('qps'),
          'the pseudo-language is in the menu',
        );
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: "every translation is a file of the site, as resources/i18n has it, and the worker keeps it for offline use",
    async run({ url }) {
      const b = await openBrowser();
      try {
        const { page } = await openPage(b, url);
        const served = await page.evaluate(async (codes) => {
          const sw = await (await fetch('sw.js')).text();
          const list = JSON.parse(/const ASSETS = (\[.*\]);/.exec(sw)[1]);
          const out = {};
          for (const c of codes) {
            const r = await fetch(`i18n/${c}.json`);
            out[c] = { ok: r.ok, text: await r.text(), cached: list.includes(`./i18n/${c}.json`) };
          }
          const original = await fetch('i18n/original.json');
          return { out, original: original.ok };
        }, SITE_LANGUAGES);
        for (const code of SITE_LANGUAGES) {
          const s = served.out[code];
          assert(s.ok, `i18n/${code}.json is not served`);
          assert(s.text === readFileSync(join(I18N, `${code}.json`), 'utf8'), `i18n/${code}.json is not resources/i18n/${code}.json`);
          assert(s.cached, `the worker does not cache i18n/${code}.json`);
        }
        assert(!served.original, 'the original catalogue, which the module holds, is a file of the site too');
        // Without scripts no catalogue can be read: the one line shown then stands in the page in every language.
        const html = await page.evaluate(async () => (await fetch('index.html')).text());
        const noscript = /<noscript>(.*)<\/noscript>/s.exec(html)?.[1] ?? '';
        const lines = new NoscriptLines(noscript);
        assert(lines.plain === catalogue('original').page.noscript, `the page's line without scripts: ${noscript}`);
        for (const code of SITE_LANGUAGES) {
          const line = catalogue(code).page.noscript;
          if (line === catalogue('original').page.noscript) continue;
          assert(lines.byLanguage[code] === line, `${code}'s line without scripts is missing: ${noscript}`);
        }
        assert(/<p lang="ar" dir="rtl">/.test(noscript), 'the Arabic line without scripts does not run right to left');
      } finally {
        await b.close();
      }
    },
  },
];
