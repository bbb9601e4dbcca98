// The lab compiled to WebAssembly, as the page sees it: the class WebLab of
// the module weblab.js, and the JSON records it hands out.

import { inlineWasm } from './inline';

/** A list of numbers as the module returns it: a JS array, a typed array or an embind vector. */
export type NumberList = ArrayLike<number> | { size(): number; get(i: number): number; delete?(): void };

export interface WebLab {
  pointerDown(x: number, y: number): boolean;
  pointerMove(x: number, y: number): boolean;
  pointerUp(x: number, y: number): boolean;
  setBar(bar: number, value: number): boolean;
  thumbMoved(bar: number, value: number): boolean;
  thumbReleased(bar: number, value: number): boolean;
  click(button: number): boolean;
  key(spelled: string, autoRepeat: boolean, barFocused: boolean): boolean;
  otherInput(): void;
  /** A key on the focused bar, by the lab's rule for bars; true when it was the bar's. */
  barKey(bar: number, spelled: string): boolean;
  /** A press: on Play's button, in the graphs panel, or elsewhere (which stops Play). */
  press(where: 'play' | 'graphs' | 'elsewhere'): void;
  /** JSON [x, y]: where in the client area a finger's press at (x, y) takes effect. */
  fingerPress(x: number, y: number): string;
  idle(): boolean;
  idlePending(): boolean;
  startPlay(): void;
  stopPlay(): void;
  togglePlay(): void;
  playing(): boolean;
  playTick(): void;
  settle(): void;
  setLive(on: boolean): void;
  live(): boolean;
  reset(): void;
  run(word: string): string;

  busy(): boolean;
  message(): string;
  dismissMessage(): void;

  captions(): string;
  controls(): string;
  frames(): string;
  /** JSON: the pen rule, {maxWidth, dashed: [on, off], dotted: [on, off]} in pixels. */
  pen(): string;
  revision(): number;
  generation(): number;
  itemCount(): number;
  complete(): boolean;
  items(from: number): NumberList;
  region(item: number): NumberList;

  labelLines(): string;
  curveCsv(): string;
  bundleCsv(): string;
  bundleGraph(): string;
  /** What the complete actions since the last call changed, in words for a screen reader ("" when nothing did). */
  describeChange(): string;
  /** The whole picture in one paragraph. */
  describePicture(): string;
  /** Hearing the least time: the samples (mono, -1..1) of what changed since the last call, at `rate` a second; empty for silence. */
  soundSamples(rate: number): Float32Array<ArrayBuffer>;
  /** The rate (samples a second) the lab makes its sounds at, as fermat-lab --sound writes them. */
  soundRate(): number;
  /** The high-contrast theme on or off: items() then gives the operations as it paints them. */
  setHighContrast(on: boolean): void;
  /** JSON {"on", "markerScale"}. */
  contrastTheme(): string;
  /** CurveGraphInfo as JSON. */
  curveGraph(): string;
  refusedOperations(): number;

  // Starts: "" when done, else the one-line reason (nothing changed).
  setLens(text: string): string;
  lens(): string;
  /** The mirror as --mirror spells it ("none": the lens scene). */
  setMirror(text: string): string;
  /** "" when the medium (as --medium spells it) was taken, else why not. */
  setMedium(text: string): string;
  /** MediumInfo as JSON. */
  medium(): string;
  /** ChallengeDrawing as JSON: the index shaded over the picture. */
  mediumShading(): string;
  /** MirrorInfo as JSON. */
  mirror(): string;
  /** ChallengeDrawing as JSON: the mirror scene's ellipses (none: empty). */
  mirrorWhy(): string;
  /** The mirror scene's bundles from a parallel beam; false while a message is open. */
  setParallelBeam(on: boolean): boolean;
  /** MirrorPanelInfo as JSON. */
  mirrorPanel(): string;
  /** MirrorEditInfo as JSON: a field of the mirror in force typed anew. */
  editMirror(key: string, typed: string): string;
  /** MirrorEditInfo as JSON: the mirror in force as another kind. */
  mirrorOfKind(word: string): string;
  lensFieldProblem(key: string, typed: string): string;
  /** JSON: the value a lens slider's position stands for (a number, or "flat"). */
  lensSliderValue(key: string, position: number): string;
  lensSliderPosition(key: string, value: number): number;
  /** ViewTexts as JSON. */
  texts(): string;
  setupJson(): string;
  setupFragment(): string;
  openSetup(json: string): string;
  openFragment(fragment: string): string;
  /** HelpInfo as JSON. */
  help(): string;
  /** The scene's hints, a JSON list of sentences. */
  sceneHints(): string;
  lessons(): string;
  openLesson(key: string): string;

  challengeStart(): void;
  challengeStop(): void;
  challenge(): string;
  challengeReveal(): string;

  /** JSON: LanguageInfo[], the original (code "") first. */
  languages(): string;
  /** Hands the lab a translation's catalogue (the text of i18n/CODE.json): "" when taken, else why not. */
  addCatalogue(json: string): string;
  /** "" or "original": the original texts; "" when taken, else why not (the language in force is kept). */
  useLanguage(code: string): string;
  /** JSON: {code, rtl}, the language in force. */
  language(): string;
  /** The text of a catalogue key in the language in force, {{name}} filled from the JSON object args ("" for none). */
  tr(key: string, args: string): string;
  /** A number ("12.34") with the decimal separator of the language in force ("12,34" in German). */
  localNumber(number: string): string;

  /** at: NaN for the point of least spread. */
  equalTime(at: number): string;
  equalTimeCsv(at: number): string;
  delete?(): void;
}

export interface WebLabModule {
  WebLab: new (width: number, height: number) => WebLab;
}

/** lens(): the lens in force, the presets and the bounds a lens must keep. */
export interface LensInfo {
  text: string;
  summary: string;
  /** The toolbar's line: the mirror's in the mirror scene, else the lens's summary. */
  scene: string;
  mirror: boolean;
  preset: string;
  n: number;
  r1: number | 'flat';
  r2: number | 'flat';
  thickness: number;
  aperture: number | null;
  halfAperture: number;
  limits: { n: [number, number]; radius: [number, number]; thickness: [number, number]; aperture: [number, number] };
  presets: { key: string; name: string; text: string }[];
  /** The panel's rows, as the window's panel shows them. */
  rows: LensRow[];
  /** A face's slider position p stands for the radius curvatureScale / p (0: flat), |p| <= curvatureEnd. */
  curvatureScale: number;
  curvatureEnd: number;
  /** What a teacher should know of the lens just taken (the source in the glass), or "". */
  note: string;
}

export interface LensRow {
  key: 'n' | 'r1' | 'r2' | 'thickness' | 'aperture';
  hint: string;
  low: number;
  high: number;
  step: number;
  sliderStep: number;
  toggle: string | null;
  /** The value the lens text spells for a ticked toggle ("flat", "auto"). */
  ticked: string | null;
  curvature: boolean;
  /** The slider's whole positions, as the lab maps them to values. */
  sliderLow: number;
  sliderHigh: number;
}

/** languages(): a language the lab has texts for, by its own name. */
export interface LanguageInfo {
  /** BCP 47 ("de", "pt-BR"); "" for the original texts. */
  code: string;
  name: string;
  rtl: boolean;
}

export interface LessonInfo {
  key: string;
  title: string;
  task: string;
}

/** The challenge's answer, in world units and time units. */
export interface ChallengeReveal {
  found: boolean;
  sourceX: number;
  sourceY: number;
  targetX: number;
  targetY: number;
  leastX: number;
  leastY: number;
  leastTime: number;
  guessX: number;
  guessY: number;
  guessTime: number;
  tries: number;
  timeGap: number;
  distance: number;
  /** What a course platform records of this answer (lab::ScoreOf); null without one. */
  score: ChallengeScore | null;
  /** The numbers in one line, as fermat-lab --challenge prints them. */
  text: string;
  /** The same text's parts in order, the first the tries. */
  parts: string[];
  /** What the overlay draws, as the window draws it. */
  drawing: ChallengeDrawing;
}

/** The answer as drawing data: points in world units (x, y pairs), sizes in pixels, colours 0xRRGGBB. */
export interface ChallengeDrawing {
  /** World rectangles filled at an opacity, drawn first (a medium's shading). */
  cells?: { x1: number; y1: number; x2: number; y2: number; fill: number; opacity: number }[];
  paths: { points: number[]; colour: number; width: number; dash: number[] }[];
  dots: {
    x: number;
    y: number;
    fill: number;
    outline: number;
    radius: number;
    outlineWidth: number;
    text: string;
    textAbove: boolean;
    /** The text's colour (the fill's unless the lab says otherwise). */
    textInk?: number;
  }[];
  textSize: number;
  textDx: number;
  textDy: number;
}

/** texts(): the words both views write themselves. */
export interface ViewTexts {
  play: string;
  pause: string;
  playTooltip: string;
  challenge: string;
  challengeTask: string;
  tries: string;
  noMirror: string;
  ownMirror: string;
  noMedium: string;
  ownMedium: string;
  indexShading: string;
  mediumPrompt: string;
  /** The Medium menu's title, without its access key (a heading). */
  medium: string;
  /** The Mirror menu's title and the kind's label without their access keys, the choices' labels. */
  mirrorMenu: string;
  mirrorKind: string;
  mirrorChoice: string;
  mediumChoice: string;
  mediumAny: string;
  parallelBeam: string;
  mirrorWhy: string;
}

export interface HelpInfo {
  /** Rich text: headings, paragraphs, lists and bold only. */
  guide: string;
  keys: { keys: string; what: string }[];
  keysNote: string;
  firstVisit: string;
}

export interface ChallengeInfo {
  on: boolean;
  tries: number;
  revealed: ChallengeReveal | null;
  /** The best of every answer revealed so far (lab Challenge::best): a course platform's record; null before one. */
  best: ChallengeScore | null;
}

/** The challenge just after a reveal: its answer is there. */
export type AnsweredChallenge = ChallengeInfo & { revealed: ChallengeReveal };

/** An answer's result for a course platform: whether the guess found the least-time point, and a score out of 100. */
export interface ChallengeScore {
  hit: boolean;
  score: number;
}

/** curveGraph(): the travel-time graph's words, the window's chart's too. */
export interface CurveGraphInfo {
  least: string;
  through: string;
  /** The height axis's title. */
  height: string;
  /** The least-time point in words, or that the search found none; "" without a curve. */
  leastLine: string;
  /** Every kind of stationary point along a mirror: its name in the CSV, its word in the language in force, its colour in the picture. */
  kinds: { kind: string; name: string; colour: string }[];
}

/** bundleGraph(): the words of the graph of axis crossings and its reference line. */
export interface BundleGraphInfo {
  title: string;
  exact: string;
  construction: string;
  paraxial: string;
  /** The paraxial image's x by the thick-lens formula; null off the axis or when not real. */
  paraxialX: number | null;
  summary: string;
}

/** equalTime(): total times of the continued rays to axis points (x, 0). */
export interface EqualTimeInfo {
  /** Whether the lab holds a bundle continuation (it may have fewer than two rays to compare). */
  continued: boolean;
  x: number[];
  spread: number[];
  bestX: number;
  bestSpread: number;
  chosenX: number;
  rays: { index: number; time: number }[];
  /** Whether the source stands on the axis: off it there is no focus to mark. */
  sourceOnAxis: boolean;
  /** The spread graph's title, as the window's. */
  title: string;
}

/** [left, top, width, height] in CSS pixels of the client area. */
export type Rect = [number, number, number, number];

export interface ButtonInfo {
  caption: string;
  pointSize: number;
  rect: Rect;
  /** A disabled button takes no press (the mirror scene has no use for some). */
  enabled: boolean;
}

/** mirrorPanel(): the kind in force and the fields that kind has, from the lab's table. */
export interface MirrorPanelInfo {
  kind: string;
  kinds: { word: string; name: string }[];
  /** value: the number; text: as the field shows it (the lab's rule, the window's too). */
  rows: { key: string; label: string; hint: string; low: number; high: number; step: number; value: number; text: string }[];
}

/** editMirror(), mirrorOfKind(): the mirror's text to take, or why not. */
export interface MirrorEditInfo {
  text: string;
  error: string;
}

/** medium(): the medium in force ("none" for no medium) and the prepared ones. */
export interface MediumInfo {
  text: string;
  summary: string;
  preset: string;
  presets: { key: string; name: string; text: string }[];
}

/** mirror(): the mirror in force ("none" for the lens scene) and the prepared ones. */
export interface MirrorInfo {
  text: string;
  summary: string;
  /** The preset in force, "none" for the lens scene, "" for a mirror of one's own. */
  preset: string;
  parallelBeam: boolean;
  presets: { key: string; name: string; text: string }[];
}

export interface BarInfo {
  min: number;
  max: number;
  value: number;
  enabled: boolean;
  vertical: boolean;
  largeChange: number;
  smallChange: number;
  rect: Rect;
}

export interface LabelInfo {
  pointSize: number;
  rect: Rect;
}

export interface ControlsInfo {
  buttons: ButtonInfo[];
  bars: BarInfo[];
  labels: LabelInfo[];
  markers: { source: Rect; entry: Rect };
  active: 'source' | 'entry';
  client: [number, number];
  /** Play's button where the lab places it, and its timer's interval. */
  play: { rect: Rect; intervalMs: number };
  /** The smallest caption a button's text is shrunk to (CSS pixels). */
  minCaptionPx: number;
  /** Whether the labels' captions shrink to fit their boxes (a translation's do, the original's not). */
  shrinkToFit: boolean;
  /** The smallest font a panel's choice is shrunk to, to keep its entry whole (CSS pixels). */
  minChoicePx: number;
}

/** A world frame: the world point (left, top) is the client area's top-left corner. */
export interface Frame {
  left: number;
  top: number;
  width: number;
  height: number;
}

/** Numbers per item of items(from). */
export const ITEM_STRIDE = 13;
export const enum Kind {
  Line = 0,
  Circle = 1,
  Arc = 2,
  PSet = 3,
  Cls = 4,
  Fill = 5,
}
/** Offsets of an item's fields. */
export const enum F {
  Kind = 0,
  X1 = 1,
  Y1 = 2,
  X2 = 3,
  Y2 = 4,
  R = 5,
  Start = 6,
  End = 7,
  Colour = 8,
  Width = 9,
  Style = 10,
  FillColour = 11,
  Frame = 12,
}

/** The bars by index, as setBar numbers them. */
export const BAR_HEIGHT = 0;
export const BAR_RAYS = 1;
export const BAR_TIME = 2;

/** Copies whatever the module returned into a plain array (and frees an embind vector). */
export function toNumbers(list: NumberList | null | undefined): number[] {
  if (list == null) return [];
  if ('size' in list && typeof list.size === 'function') {
    const n = list.size();
    const out = new Array<number>(n);
    for (let i = 0; i < n; ++i) out[i] = list.get(i);
    list.delete?.();
    return out;
  }
  return Array.from(list as ArrayLike<number>);
}

declare global {
  interface Window {
    createWebLab?: (options?: object) => Promise<WebLabModule>;
    /** The module being instantiated, started by the page's head. */
    fermatLabModule?: Promise<WebLabModule>;
  }
}

function loadClassicScript(url: string): Promise<void> {
  return new Promise((resolve, reject) => {
    const s = document.createElement('script');
    s.src = url;
    s.async = true;
    s.onload = () => resolve();
    s.onerror = () => reject(new Error(`could not load ${url}`));
    document.head.appendChild(s);
  });
}

/**
 * Loads weblab.js (beside the page) and instantiates its module: the page's
 * head started that already (window.fermatLabModule) unless this is first.
 * On the one-file page the script is already there (it set
 * window.createWebLab) and the module's bytes are inside the page.
 */
export async function loadLabModule(): Promise<WebLabModule> {
  const wasmBinary = await inlineWasm();
  if (wasmBinary) {
    if (!window.createWebLab) throw new Error('the page carries no createWebLab');
    return window.createWebLab({ wasmBinary });
  }
  window.fermatLabModule ??= importLabModule();
  return window.fermatLabModule;
}

async function importLabModule(): Promise<WebLabModule> {
  const base = document.baseURI;
  const scriptUrl = new URL('weblab.js', base).href;
  let factory = window.createWebLab;
  if (!factory) {
    // An ES module (EXPORT_ES6) exports the factory as its default.
    const mod = (await import(/* @vite-ignore */ scriptUrl)) as { default?: typeof factory };
    factory = typeof mod.default === 'function' ? mod.default : window.createWebLab;
  }
  if (!factory) {
    // A classic script defines it globally.
    await loadClassicScript(scriptUrl);
    factory = window.createWebLab;
  }
  if (!factory) throw new Error('weblab.js defines no createWebLab');
  return factory({ locateFile: (path: string) => new URL(path, base).href });
}
