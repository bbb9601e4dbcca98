// The page's layout in the pseudo-language (every text bracketed and 40 %
// longer) at the window sizes of common screens: no text is cut by the box
// that holds it or runs over its neighbours, in the toolbar and its menus,
// the Lens panel (lens, mirror and medium), the graphs, the help dialog, the
// lesson's banner, the challenge and the client area's buttons and labels;
// and the last character of a caption is drawn inside its control.

import { assert, chooseMenu, dismissMessages, openBrowser, openPage } from './harness.mjs';

const SIZES = [
  { width: 1366, height: 768 },
  { width: 1920, height: 1080 },
];

/**
 * Runs in the page: every problem of layout under the elements `roots`
 * names (selectors), as lines of text; an empty list when there is none.
 *
 * A text holder is a visible element with text of its own (a text node
 * child) or a select (its chosen option's text). For each:
 * - an element that clips (overflow not visible) shows all it holds:
 *   scrollWidth <= clientWidth + 1, and scrollHeight <= clientHeight + 1
 *   unless it scrolls vertically (the text is reachable);
 * - each line of its text (Range rects) lies inside the box that lays it
 *   out and every box around that, up to the root: the padding box of one
 *   that clips, the border box of any other; past an absolutely placed box
 *   only the boxes that clip count (it may stand out of its holder), past one
 *   that scrolls vertically the vertical extent no longer counts, and a fixed
 *   or top-layer box (a modal dialog) answers only to the window;
 * - a select is as wide as its chosen option needs (the same select sized
 *   by its content alone is no wider);
 * - no two of its parent's visible children overlap by more than a pixel
 *   each way (their Range rects for text, their boxes otherwise).
 * `controls` (a selector) limits the sibling check to the children matching
 * it, and compares their boxes whatever their placing: the client area's
 * buttons and labels, each in a rectangle of its own (its picture, bars and
 * markers lie over one another by design).
 */
function layoutProblems({ roots, controls = null }) {
  const TOL = 1;
  const problems = [];
  const name = (e) => {
    let s = e.tagName.toLowerCase();
    if (e.id) s += `#${e.id}`;
    if (typeof e.className === 'string' && e.className.trim()) s += `.${e.className.trim().split(/\s+/).join('.')}`;
    const text = (e.tagName === 'SELECT' ? e.selectedOptions[0]?.text : e.textContent)?.trim().replace(/\s+/g, ' ') ?? '';
    return text ? `${s} "${text.length > 40 ? `${text.slice(0, 40)}…` : text}"` : s;
  };
  const px = (r) => `[${Math.round(r.left)},${Math.round(r.top)} ${Math.round(r.right - r.left)}x${Math.round(r.bottom - r.top)}]`;
  const visible = (e) => e.checkVisibility({ visibilityProperty: true, opacityProperty: true }) && e.getClientRects().length > 0;
  const clipsX = (cs) => cs.overflowX !== 'visible';
  const clipsY = (cs) => cs.overflowY !== 'visible';
  const scrollsY = (cs) => cs.overflowY === 'auto' || cs.overflowY === 'scroll';
  const paddingBox = (e) => {
    const r = e.getBoundingClientRect();
    const left = r.left + e.clientLeft;
    const top = r.top + e.clientTop;
    return { left, top, right: left + e.clientWidth, bottom: top + e.clientHeight };
  };
  // The ink of a text node: its words' rects, line by line (a space kept at
  // a line's end may hang past the box, and shows nothing).
  const textRects = (node) => {
    const out = [];
    for (const word of node.textContent.matchAll(/\S+/g)) {
      const range = document.createRange();
      range.setStart(node, word.index);
      range.setEnd(node, word.index + word[0].length);
      out.push(...Array.from(range.getClientRects()).filter((r) => r.width > 0 && r.height > 0));
    }
    return out;
  };
  const ownText = (e) => Array.from(e.childNodes).filter((n) => n.nodeType === Node.TEXT_NODE && n.textContent.trim() !== '');
  const isRoot = (e) => rootEls.includes(e);
  const rootEls = roots.flatMap((sel) => Array.from(document.querySelectorAll(sel)));
  if (rootEls.length === 0) return { problems: [`nothing matches ${roots.join(', ')}`], holders: 0 };

  /**
   * Where a rect of text (or of a box) sticks out of the boxes that hold it,
   * from `from` outwards; "" where it is inside them all.
   */
  const outside = (rect, from) => {
    // Past an absolutely placed box, or past the root, only the boxes that clip count.
    let onlyClips = false;
    // Past a box that scrolls up and down, the vertical extent no longer counts: the text is reached by scrolling.
    let pastScrollY = false;
    for (let a = from; a && a !== document.documentElement; a = a.parentElement) {
      const cs = getComputedStyle(a);
      if (cs.display === 'inline' || cs.display === 'contents') continue;
      const cx = clipsX(cs);
      const cy = clipsY(cs);
      if (scrollsY(cs)) pastScrollY = true;
      const border = a.getBoundingClientRect();
      const bx = cx ? paddingBox(a) : border;
      const by = cy ? paddingBox(a) : border;
      if ((!onlyClips || cx) && (rect.left < bx.left - TOL || rect.right > bx.right + TOL)) {
        return `${px(rect)} sticks out of ${name(a)} ${px(bx)} sideways`;
      }
      if (!pastScrollY && (!onlyClips || cy) && (rect.top < by.top - TOL || rect.bottom > by.bottom + TOL)) {
        return `${px(rect)} sticks out of ${name(a)} ${px(by)} up or down`;
      }
      // A fixed box or one of the top layer (a modal dialog) answers to the window only.
      if (a.matches(':modal') || cs.position === 'fixed') break;
      if (cs.position === 'absolute' || isRoot(a)) onlyClips = true;
    }
    if (rect.left < -TOL || rect.right > innerWidth + TOL || (!pastScrollY && (rect.top < -TOL || rect.bottom > innerHeight + TOL))) {
      return `${px(rect)} is outside the window ${innerWidth}x${innerHeight}`;
    }
    return '';
  };

  let holders = 0;
  const parents = new Set();
  for (const root of rootEls) {
    if (!visible(root)) {
      problems.push(`${name(root)} is not shown`);
      continue;
    }
    for (const e of [root, ...root.querySelectorAll('*')]) {
      if (e.closest('script, style, canvas, svg') || !visible(e)) continue;
      const texts = e.tagName === 'SELECT' ? [] : ownText(e);
      if (texts.length === 0 && e.tagName !== 'SELECT') continue;
      ++holders;
      for (let a = e.parentElement; a && e !== root; a = a.parentElement) {
        parents.add(a);
        if (a === root) break;
      }
      const cs = getComputedStyle(e);
      if (cs.display !== 'inline') {
        if (clipsX(cs) && e.scrollWidth > e.clientWidth + TOL) problems.push(`${name(e)} cuts its text: scrollWidth ${e.scrollWidth} > clientWidth ${e.clientWidth}`);
        if (clipsY(cs) && !scrollsY(cs) && e.scrollHeight > e.clientHeight + TOL) {
          problems.push(`${name(e)} cuts its text: scrollHeight ${e.scrollHeight} > clientHeight ${e.clientHeight}`);
        }
      }
      if (e.tagName === 'SELECT') {
        // The same select with only its chosen option and nothing but its content to size it.
        const probe = e.cloneNode(false);
        const chosen = e.selectedOptions[0];
        if (chosen) probe.append(chosen.cloneNode(true));
        probe.removeAttribute('id');
        Object.assign(probe.style, { position: 'absolute', visibility: 'hidden', width: 'auto', minWidth: '0', maxWidth: 'none', left: '0', top: '0' });
        e.parentElement.append(probe);
        const needs = probe.getBoundingClientRect().width;
        probe.remove();
        const has = e.getBoundingClientRect().width;
        if (needs > has + TOL) problems.push(`${name(e)} cuts its choice: ${Math.round(has)} px wide, the text needs ${Math.round(needs)}`);
        const why = outside(e.getBoundingClientRect(), e.parentElement);
        if (why) problems.push(`${name(e)}: ${why}`);
        continue;
      }
      for (const t of texts) {
        for (const r of textRects(t)) {
          const why = outside(r, e);
          if (why) {
            problems.push(`${name(e)}: its text ${why}`);
            break;
          }
        }
      }
    }
  }
  if (holders === 0) problems.push(`no text under ${roots.join(', ')}`);

  // Siblings. Two in the flow must not overlap: their boxes (or, for inline
  // ones, their lines) are compared. One placed out of the flow (a close
  // button in a box's corner) may lie over its sibling's box, but not over
  // any of its words.
  const shapes = (e) => {
    const cs = getComputedStyle(e);
    if (cs.display === 'inline') return Array.from(e.getClientRects()).filter((r) => r.width > 0 && r.height > 0);
    return [e.getBoundingClientRect()];
  };
  const words = (e) => {
    const out = [];
    const walker = document.createTreeWalker(e, NodeFilter.SHOW_TEXT);
    for (let n = walker.nextNode(); n; n = walker.nextNode()) if (n.parentElement && visible(n.parentElement)) out.push(...textRects(n));
    return out;
  };
  const placed = (e) => ['absolute', 'fixed'].includes(getComputedStyle(e).position);
  const overlap = (a, b) => Math.min(a.right, b.right) - Math.max(a.left, b.left) > TOL && Math.min(a.bottom, b.bottom) - Math.max(a.top, b.top) > TOL;
  for (const p of parents) {
    const kids = Array.from(p.children).filter((k) => visible(k) && !k.matches('canvas, hr, script, style') && (!controls || k.matches(controls)));
    for (let i = 0; i < kids.length; ++i) {
      for (let j = i + 1; j < kids.length; ++j) {
        const [a, b] = [kids[i], kids[j]];
        const pairs = [];
        if (!controls && (placed(a) || placed(b))) {
          if (placed(a)) pairs.push([a, shapes(a), b, words(b)]);
          if (placed(b)) pairs.push([b, shapes(b), a, words(a)]);
        } else {
          pairs.push([a, shapes(a), b, shapes(b)]);
        }
        for (const [x, xs, y, ys] of pairs) {
          const hit = xs.flatMap((r) => ys.filter((q) => overlap(r, q)).map((q) => [r, q]))[0];
          if (hit) problems.push(`${name(x)} ${px(hit[0])} and ${name(y)} ${px(hit[1])} overlap`);
        }
      }
    }
  }
  return { problems: [...new Set(problems)], holders };
}

/** Every layout problem under the roots, failing with all of them at once. */
async function expectClean(page, what, roots, options = {}) {
  const { problems, holders } = await page.evaluate(layoutProblems, { roots, ...options });
  assert(problems.length === 0, `${what}: ${problems.length} layout problem(s):\n  ${problems.join('\n  ')}`);
  return holders;
}

/** Decodes a PNG in the page: its pixels as RGBA rows. */
function pngPixels(page, png) {
  return page.evaluate(async (b64) => {
    const img = new Image();
    img.src = `data:image/png;base64,${b64}`;
    await img.decode();
    const c = new OffscreenCanvas(img.naturalWidth, img.naturalHeight);
    const g = c.getContext('2d');
    g.drawImage(img, 0, 0);
    return { width: c.width, height: c.height, data: Array.from(g.getImageData(0, 0, c.width, c.height).data) };
  }, png.toString('base64'));
}

/**
 * The last visible character of the element's text: the character, its
 * rect and the element's, relative to the element's box (CSS pixels).
 */
function lastCharacter(locator) {
  return locator.evaluate((e) => {
    const walker = document.createTreeWalker(e, NodeFilter.SHOW_TEXT);
    let last = null;
    for (let n = walker.nextNode(); n; n = walker.nextNode()) if (n.textContent.trim() !== '') last = n;
    if (!last) return null;
    const end = last.textContent.replace(/\s+$/, '').length;
    const range = document.createRange();
    range.setStart(last, end - 1);
    range.setEnd(last, end);
    const r = range.getBoundingClientRect();
    const box = e.getBoundingClientRect();
    return {
      char: last.textContent[end - 1],
      rect: { left: r.left - box.left, top: r.top - box.top, right: r.right - box.left, bottom: r.bottom - box.top },
      box: { width: box.width, height: box.height },
    };
  });
}

/**
 * The element's last character lies inside its box, and a screenshot of the
 * box shows it: dark pixels where the character is (the captions are dark
 * text on a light control).
 */
async function expectLastCharacterDrawn(page, locator, what, char = null) {
  const last = await lastCharacter(locator);
  assert(last, `${what} has no text`);
  if (char) assert(last.char === char, `${what} ends with ${JSON.stringify(last.char)}, not ${JSON.stringify(char)}`);
  const r = last.rect;
  assert(
    r.left >= -1 && r.top >= -1 && r.right <= last.box.width + 1 && r.bottom <= last.box.height + 1,
    `${what}: its last character ${JSON.stringify(last.char)} at ${JSON.stringify(r)} is outside its box ${last.box.width}x${last.box.height}`,
  );
  // The element's own ink: the picture's lines under a label are hidden for the shot.
  const shot = await pngPixels(page, await locator.screenshot({ style: '.form canvas { visibility: hidden !important; }' }));
  let ink = 0;
  const x0 = Math.max(0, Math.floor(r.left));
  const x1 = Math.min(shot.width, Math.ceil(r.right));
  const y0 = Math.max(0, Math.floor(r.top));
  const y1 = Math.min(shot.height, Math.ceil(r.bottom));
  for (let y = y0; y < y1; ++y) {
    for (let x = x0; x < x1; ++x) {
      const i = (y * shot.width + x) * 4;
      const luma = 0.299 * shot.data[i] + 0.587 * shot.data[i + 1] + 0.114 * shot.data[i + 2];
      // The controls and the window are light (luma above 220); a glyph's
      // stroke, even a thin one at the smallest caption, is well below that.
      if (luma < 170) ++ink;
    }
  }
  // A bracket at the smallest caption's size (6 px) is a stroke of some 5 pixels at least.
  assert(ink >= 4, `${what}: no ink where its last character ${JSON.stringify(last.char)} should be drawn (${ink} dark pixels in ${JSON.stringify(r)})`);
}

/** Opens a pseudo-language page at a size with the panel's parts asked for, after a few inputs that fill the labels. */
async function pseudoPage(url, size, query = '') {
  const b = await openBrowser({ viewport: size });
  const { page, problems } = await openPage(b, `${url}?lang=qps${query}`);
  assert((await page.evaluate(() => document.documentElement.lang)) === 'qps', 'the pseudo-language was not taken');
  for (const k of [1, 2, 5]) {
    await page.locator(`.form .command[data-command="${k}"]`).click();
    await dismissMessages(page);
  }
  return { b, page, problems };
}

const CLIENT = '.form > .command, .form > .label';

const perSize = (size) => [
  {
    name: `${size.width}x${size.height} in the pseudo-language: the toolbar, each menu open in turn, the five buttons and six labels hold their words`,
    async run({ url }) {
      const { b, page, problems } = await pseudoPage(url, size, '&graphs=0');
      try {
        await expectClean(page, 'the toolbar', ['#toolbar']);
        await expectClean(page, 'the client area', ['.form'], { controls: CLIENT });
        for (const menu of ['file-menu', 'lessons-menu', 'help-menu', 'language-menu']) {
          await page.locator(`#${menu} > summary`).click();
          if (menu === 'language-menu') await page.locator('#language-list [data-language="zh-CN"]').waitFor();
          const holders = await expectClean(page, `the ${menu} open`, [`#${menu}`]);
          assert(holders > 2, `the ${menu} shows only ${holders} texts`);
          await page.locator(`#${menu} > summary`).click();
        }
        for (let k = 1; k <= 5; ++k) {
          await expectLastCharacterDrawn(page, page.locator(`.form .command[data-command="${k}"]`), `button ${k}`, ']');
        }
        for (let k = 1; k <= 6; ++k) {
          const label = page.locator(`.form .label[data-label="${k}"]`);
          if ((await label.textContent()).trim()) await expectLastCharacterDrawn(page, label, `label ${k}`);
        }
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: `${size.width}x${size.height} in the pseudo-language: the Lens panel with its lens, mirror and medium, and the graphs, hold their words`,
    async run({ url }) {
      const { b, page, problems } = await pseudoPage(url, size, '&lens=1&graphs=1');
      try {
        await page.waitForFunction(() => document.querySelectorAll('.graph-note')[1]?.textContent !== '');
        await expectClean(page, 'the lens panel', ['#lens-panel']);
        await expectClean(page, 'the graphs', ['#graphs']);
        await expectClean(page, 'the client area beside the panel', ['.form'], { controls: CLIENT });
        // The checkboxes' words, the longest of the panel's rows: drawn whole.
        for (const check of await page.locator('#lens-panel label.check').all()) {
          await expectLastCharacterDrawn(page, check, `the lens panel's ${await check.textContent()}`, ']');
        }
        // Every choice of the panel in turn, the longest names with the rest:
        // each preset lens (its note under the fields), each mirror (its
        // kind's fields, the mirror's line in the toolbar), each medium (what
        // the lab says of it under the field).
        for (const [select, what] of [
          ['#lens-preset', 'lens'],
          ['#mirror-preset', 'mirror'],
          ['#medium-preset', 'medium'],
        ]) {
          const choices = await page.locator(`${select} option`).evaluateAll((os) => os.map((o) => o.value).filter((v) => v !== ''));
          assert(choices.length > 2, `the ${what} choice offers ${choices.length} entries`);
          for (const choice of choices) {
            await page.locator(select).selectOption(choice);
            assert((await page.locator(select).inputValue()) === choice, `the ${what} ${choice} was not taken`);
            await expectClean(page, `the lens panel with the ${what} ${choice}`, ['#lens-panel']);
            await expectClean(page, `the toolbar with the ${what} ${choice}`, ['#toolbar']);
          }
          if (what === 'mirror') {
            await page.locator(select).selectOption('concave,r=150');
            assert((await page.locator('.mirror-fields .lens-row').count()) > 0, 'the mirror shows no fields');
            await expectClean(page, 'the graphs with a mirror', ['#graphs']);
          }
          if (what === 'medium') {
            await page.locator(select).selectOption({ index: 1 });
            assert((await page.locator('.medium-said').textContent()).trim() !== '', 'the medium says nothing');
            await expectClean(page, 'the graphs with a medium', ['#graphs']);
          }
          if (what !== 'lens') await page.locator(select).selectOption('none');
        }
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
  {
    name: `${size.width}x${size.height} in the pseudo-language: the help dialog, every lesson's banner and the challenge hold their words`,
    async run({ url }) {
      const { b, page, problems } = await pseudoPage(url, size);
      try {
        for (const topic of ['guide', 'keys']) {
          await chooseMenu(page, 'help-menu', topic);
          const holders = await expectClean(page, `the help dialog (${topic})`, ['#help']);
          assert(holders > 10, `the help dialog (${topic}) shows only ${holders} texts`);
          await page.locator('#help form button').click();
        }
        const lessons = await page.locator('#lesson-list [data-lesson]').evaluateAll((bs) => bs.map((x) => x.dataset.lesson));
        assert(lessons.length > 0, 'no lessons');
        for (const key of lessons) {
          await chooseMenu(page, 'lessons-menu', `lesson-${key}`);
          await dismissMessages(page);
          await expectClean(page, `lesson ${key}'s banner`, ['#lesson-banner']);
          await expectClean(page, `the boxes over the picture in lesson ${key}`, ['#floating']);
          await expectClean(page, `the client area in lesson ${key}`, ['.form'], { controls: CLIENT });
        }
        await page.locator('#lesson-banner button.close').click();
        await chooseMenu(page, 'lessons-menu', 'challenge');
        await expectClean(page, 'the challenge', ['#challenge']);
        await page.locator('#challenge-reveal').click();
        await dismissMessages(page);
        assert(await page.locator('#challenge-answer').isVisible(), 'the answer is not shown');
        await expectClean(page, 'the challenge with its answer', ['#challenge']);
        await expectClean(page, 'the boxes over the picture with the challenge', ['#floating']);
        assert(problems.length === 0, problems.join('\n'));
      } finally {
        await b.close();
      }
    },
  },
];

export const tests = SIZES.flatMap(perSize);
