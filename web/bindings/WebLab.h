#pragma once

// The lab as the browser page sees it: one object per page, every input one
// call, everything to show as plain numbers and JSON text. Compiled with
// emscripten (bound with embind in Bindings.cpp); links only the Qt-free layers.
//
// Units: world units for pointer positions (the page converts with the frame
// from frames()), device-independent pixels of the client area for the
// controls' rectangles.

#include "lab/ActionSteps.h"
#include "lab/Contrast.h"
#include "lab/Describe.h"
#include "lab/Lab.h"
#include "lab/Sound.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace web {

class WebLab {
 public:
  // A client area of that many CSS pixels (held to 200x150 .. 16384x16384,
  // as --size is); the scene built as at start-up.
  WebLab(int width, int height);

  // ---- Inputs (false when refused: a message is open, a value out of range).
  bool pointerDown(float x, float y);
  bool pointerMove(float x, float y);
  bool pointerUp(float x, float y);
  bool setBar(int bar, int value);        // bar: 0 height (thesiy), 1 rays, 2 time
  bool thumbMoved(int bar, int value);
  bool thumbReleased(int bar, int value);
  bool click(int button);                 // 1..5
  // A key as the desktop's toolkit spells it ("Right", "Shift+Left", "Ctrl+3",
  // "Space"); barFocused: a scroll bar has the keyboard's focus (Lab::key).
  bool key(const std::string& spelled, bool autoRepeat, bool barFocused);
  void otherInput();
  // A key on the focused bar (0 height, 1 rays, 2 time), by the lab's rule
  // for bars (Lab::barKey); true when it was the bar's.
  bool barKey(int bar, const std::string& spelled);
  // A press: "play" on Play's button, "graphs" in the graphs panel, anything
  // else elsewhere (Lab::press: any press but those stops Play).
  void press(const std::string& where);
  // JSON [x, y]: the pixel point of the client area a finger's or a pen's
  // press at (x, y) takes effect at (lab::FingerPressAt).
  std::string fingerPress(double x, double y) const;
  bool idle();
  bool idlePending() const;
  void startPlay();
  void stopPlay();
  void togglePlay();
  bool playing() const;
  void playTick();
  void settle();
  void setLive(bool on);
  bool live() const;
  void reset();
  // Runs one scripted action word as the command line spells it
  // ("source=-250,20", "press=5", "play"); "" when done, else the error.
  // Messages it raises stay open for the page to show: the action stops at
  // the first one and goes on when it is dismissed, so once every message is
  // dismissed the lab stands exactly where fermat-lab leaves it after the same
  // word. Refused ("busy: ...") while a message is open.
  std::string run(const std::string& word);

  // ---- Messages.
  bool busy() const;
  std::string message() const;  // "" when none
  // Closes the message; the construction (and an action run() started) goes
  // on, and may open the next one.
  void dismissMessage();

  // ---- What to show.
  // JSON: ["Label1 text", ..., "Label6 text"].
  std::string captions() const;
  // Rectangles in pixels of the client area.
  // JSON: {"buttons":[{"caption","pointSize","rect":[l,t,w,h]}...5],
  //        "bars":[{"min","max","value","enabled","vertical","largeChange","smallChange","rect"}...3],
  //        "labels":[{"pointSize","rect"}...6],
  //        "markers":{"source":[l,t,w,h],"entry":[l,t,w,h]}, "active":"source"|"entry",
  //        "client":[w,h], "play":{"rect":[l,t,w,h], "intervalMs"}}
  std::string controls() const;
  // JSON: [{"left","top","width","height"}...]: the world frames items refer
  // to, by index. The last is the frame in force (the one pointer positions
  // are given in); ask again when revision() changes.
  std::string frames() const;
  // JSON: {"maxWidth","dashed":[on,off],"dotted":[on,off]}: the lab's pen
  // rule in pixels (lab::PenWidth, lab::PenDashes), which every painter keeps.
  std::string pen() const;
  // Changes with every change of the record; the generation only when items
  // are dropped (a Cls): within one generation the record only grows.
  double revision() const;
  double generation() const;
  int itemCount() const;
  bool complete() const;
  // Items [from, itemCount()) as 13 numbers each: kind (0 line, 1 circle,
  // 2 arc, 3 pset, 4 cls, 5 fill), x1, y1, x2, y2, r, start, end, colour
  // (0xRRGGBB), width, style, fill colour (-1: none), frame index. For a
  // fill, x1, y1 is the seed pixel, colour the fill's and "fill colour" the
  // boundary's. In JavaScript both this and region() return a Float64Array
  // (a copy: it stays valid whatever the lab does next).
  std::vector<double> items(int from) const;
  // A fill item's region: x0, y0, x1, y1, ... in world units (empty otherwise).
  std::vector<double> region(int item) const;
  // The high-contrast theme (lab::Contrast): items() gives the operations as
  // it paints them; the page reads every item again after a change.
  // contrastTheme(): JSON {"on", "markerScale"}.
  void setHighContrast(bool on);
  std::string contrastTheme() const;

  // ---- Data of the graphs and the command line's outputs.
  std::string labelLines() const;
  std::string curveCsv() const;
  std::string bundleCsv() const;
  // The travel-time graph's words (graphs::CurveTexts): JSON {"least",
  // "through", "leastLine" (graphs::LeastTimeLine of the current curve)}.
  std::string curveGraph() const;
  // The graph of axis crossings beside the CSV's numbers: JSON {"title",
  // "exact", "construction", "paraxial" (the words of graphs::CrossingTexts),
  // "paraxialX" (the paraxial image's x, or null), "summary" (the line under it)}.
  std::string bundleGraph() const;
  // Words for a screen reader (lab::Describe): what the complete actions
  // since the last call changed ("" when nothing did), and the whole picture.
  std::string describeChange();
  std::string describePicture() const;
  // Hearing the least time (lab::Sound): the samples, at `rate` a second, of
  // what changed since the last call; empty when nothing is to be heard.
  std::vector<float> soundSamples(int rate);
  // The rate the lab's sounds are made at (and fermat-lab --sound writes).
  int soundRate() const { return lab::kWavSampleRate; }

  // ---- Starts: each draws the scene afresh and is refused, changing
  // nothing, while a message is open. "" when done, else the one-line reason.
  // The lens as --lens spells it ("preset=crown,n=1.4"): the standard lens
  // with those keys; the markers and bars stay where they stand.
  std::string setLens(const std::string& text);
  // JSON: {"text": LensText, "summary": LensSummary, "preset": key or "",
  //        "n", "r1", "r2" (number or "flat"), "thickness", "aperture" (number or null: auto),
  //        "halfAperture": the rims' height in force,
  //        "limits": {"n":[lo,hi], "radius":[lo,hi], "thickness":[lo,hi], "aperture":[0,hi]},
  //        "presets": [{"key","name","text"}...]}
  // Why the text typed into a lens field is not taken ("type a number for n,
  // from 1.05 to 4"), empty when it is a value the field may hold.
  std::string lensFieldProblem(const std::string& key, const std::string& typed) const;
  std::string lens() const;
  // The mirror as --mirror spells it ("concave,r=150"; "none": the lens
  // scene); "" when taken, else the one-line reason.
  std::string setMirror(const std::string& text);
  // JSON: {"text": MirrorText, "summary": the scene's summary, "preset": key
  // or "", "presets": [{"key", "name", "text"}]}.
  std::string mirror() const;
  // The mirror scene's ellipses over the picture (lab::MirrorWhyDrawing), as
  // the challenge's drawing is given.
  std::string mirrorWhy() const;
  bool setParallelBeam(bool on);
  // The Mirror panel (lab::MirrorPanelRows): {"kind": word or "none", "kinds":
  // [{"word", "name"}], "rows": [{"key", "label", "hint", "low", "high",
  // "step", "value"}]}; and a field typed anew or another kind, as
  // {"text": the mirror's text to take, "error": ""} or {"text": "", "error": why}.
  std::string mirrorPanel() const;
  std::string editMirror(const std::string& key, const std::string& typed) const;
  std::string mirrorOfKind(const std::string& word) const;
  // The medium as --medium spells it ("mirage", "fibre,n0=1.5,a=0.006";
  // "none": the lens scene); "" when taken, else the one-line reason.
  std::string setMedium(const std::string& text);
  // JSON: {"text": MediumText, "summary": the scene's summary, "preset": key,
  // "none" or "", "presets": [{"key", "name", "text"}]}.
  std::string medium() const;
  // The index shaded over the picture (lab::MediumShadingDrawing), as the
  // other overlays are given.
  std::string mediumShading() const;
  // A lens field's slider (lab::LensSliderValue): the value position stands
  // for as JSON (a number, or "flat"), and the position of a value.
  std::string lensSliderValue(const std::string& key, int position) const;
  int lensSliderPosition(const std::string& key, double value) const;
  // The set-up of the session (lab/Setup.h): the file's JSON text, and the
  // share link's fragment "setup=..." (without the '#').
  std::string setupJson() const;
  std::string setupFragment() const;
  // Opens a set-up file's text, or a share link's fragment (with or without the '#').
  std::string openSetup(const std::string& json);
  std::string openFragment(const std::string& fragment);
  // JSON: [{"key","title","task"}...].
  // {"guide": rich text, "keys": [{"keys", "what"}] of the page's keys, "keysNote", "firstVisit"}.
  std::string help() const;
  // JSON {"play", "pause", "playTooltip", "challenge", "challengeTask",
  // "tries"}: the words both views write themselves (lab::Texts).
  std::string texts() const;
  // Languages (the catalogues, text/Language.h). The page fetches a
  // translation's catalogue and hands its text over; every text the lab and
  // the page show then comes from it.
  // JSON [{"code", "name", "rtl"}]: the original ("") and every language added.
  std::string languages() const;
  // "" when taken, else the one-line reason.
  std::string addCatalogue(const std::string& json);
  std::string useLanguage(const std::string& code);
  // JSON {"code", "rtl"}: the language in force.
  std::string language() const;
  // The text of `key` in the language in force, {{name}} filled from the JSON
  // object `args` (strings or numbers; "" for none). A whole "count" picks
  // the plural form ("key_one", "key_other", ...) when the original counts
  // the key.
  std::string tr(const std::string& key, const std::string& args) const;
  // A number the page wrote ("12.34") with the decimal separator of the
  // language in force ("12,34" in German), as the labels write theirs.
  std::string localNumber(const std::string& number) const;
  // ["sentence", ...]: what the scene shows that needs words (lab::SceneHints).
  std::string sceneHints() const;
  std::string lessons() const;
  std::string openLesson(const std::string& key);

  // ---- The challenge (lab/Challenge.h): off by default. challenge() is JSON
  // {"on", "tries", "revealed": null or {every ChallengeReveal field, "text": ChallengeText,
  // "parts": ChallengeParts, "drawing": ChallengeAnswerDrawing}};
  // challengeReveal() reveals (when on) and returns the same.
  void challengeStart();
  void challengeStop();
  std::string challenge() const;
  std::string challengeReveal();

  // ---- The equal-time view of the last bundle continuation, its ray times
  // taken at x = `at` (NaN: where the spread is least). JSON: {"continued":
  // whether there is a continuation, "x":[...], "spread":[...], "bestX",
  // "bestSpread", "chosenX", "rays":[{"index","time"}...]} (no samples and no
  // rays before a continuation, or with fewer than two rays continued); and
  // the CSV file's text.
  std::string equalTime(double at) const;
  std::string equalTimeCsv(double at) const;

  // ---- Whole numbers of the lab's surface, for tests.
  int refusedOperations() const;

 private:
  // The rest of the actions run() started, group by group (lab::ActionSteps):
  // an open message stops them until it is dismissed.
  void proceed();
  std::deque<lab::ActionSteps> steps_;

  lab::Lab lab_;
  lab::ChangeDescriber described_;
  lab::SoundFollower sound_;
  bool highContrast_ = false;
};

}  // namespace web
