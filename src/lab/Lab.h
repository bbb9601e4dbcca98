#pragma once

#include "core/BundleContinuation.h"
#include "core/Drawing.h"
#include "optics/LensDesign.h"
#include "lab/Challenge.h"
#include "lab/Controls.h"
#include "lab/MediumScene.h"
#include "lab/MirrorScene.h"
#include "lab/Placement.h"
#include "lab/Results.h"
#include "lab/Script.h"
#include "lab/SceneState.h"
#include "lab/Surface.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lab {

// Whether a key is one of a scroll bar's (an arrow, Page Up or Down, Home,
// End), whatever its modifiers: a view gives none of these to its own bar.
[[nodiscard]] bool IsBarKey(int combination) noexcept;

// One running program, without any toolkit: the surface with its record, the
// controls with their values and captions, the scene, the results of the
// constructions, and the live side (drags and thumbs that redraw as they go,
// Play, the keys). A view turns each user input into one call, then shows
// what the lab holds: the record (or its own pixels, through a PixelSink),
// the captions, the controls' places and values, the markers, and the message
// to show.
//
// Messages: a construction that raises a message stops right there; every
// input is refused (returns false) until the view reports the message
// dismissed, and then the construction goes on. So a message box opens
// between the same two operations whatever the view.
class Lab {
 public:
  // Creates the window's state on a client area of that size: every control
  // at its design properties, the surface blank in the twips frame, and the
  // load procedure run.
  explicit Lab(Size clientPixels, PixelSink* sink = nullptr);
  Lab(const Lab&) = delete;
  Lab& operator=(const Lab&) = delete;

  // A new client size before anything is drawn (a view that learns it late).
  void setClientSize(Size clientPixels);
  // The start-up's scene: frame, constants, layout, the static scene, and
  // the start-up path in the results.
  void buildScene();
  // Everything back as at start-up, as a fresh start would leave it (with
  // the lens in force).
  void reset();

  // ---- The lens (the standard lens at start).
  // Takes the lens at once: the scene is drawn afresh as a start-up draws it,
  // the markers and bars kept where they stand. Returns the one-line reason
  // when the lens cannot exist or a message is open, changing nothing.
  [[nodiscard]] std::string setLens(const optics::LensDesign& design);
  [[nodiscard]] const optics::LensDesign& lensDesign() const noexcept { return lensDesign_; }
  // The lesson the scene was opened for (its key), empty for none: a new lens
  // or set-up ends it, a reset keeps it.
  [[nodiscard]] const std::string& lesson() const noexcept { return lesson_; }
  void setLesson(std::string key) { lesson_ = std::move(key); }
  [[nodiscard]] const optics::Lens& lens() const noexcept { return lens_; }
  // Where the markers and bars stand now.
  [[nodiscard]] Placement placement() const;
  // A start-up with the markers and bars at `p` (each bar's value clamped to
  // its range); nothing of the session before is kept but the lens and the
  // live switch.
  void restart(const Placement& p);

  // ---- The mirror scene: a mirror in the lens's place (none at start).
  // Takes the mirror at once (none: the lens scene again), drawn afresh as a
  // start-up draws; coming from the lens scene the source and the target go
  // to the mirror scene's start positions and the entry point to the vertex,
  // from another mirror they stay where they stand (the entry point taken
  // onto the new mirror). Returns the one-line reason when the mirror cannot
  // exist or a message is open, changing nothing.
  [[nodiscard]] std::string setMirror(const std::optional<optics::MirrorDesign>& design);
  [[nodiscard]] const MirrorShape* mirror() const noexcept { return mirror_ ? &*mirror_ : nullptr; }
  [[nodiscard]] std::optional<optics::MirrorDesign> mirrorDesign() const {
    return mirror_ ? std::optional(mirror_->design) : std::nullopt;
  }
  // The mirror scene's target marker, a world point (dragged like the markers).
  [[nodiscard]] core::Point target() const noexcept { return target_; }
  // The mirror scene's bundles from a source at infinity on the left (a beam
  // parallel to the axis) instead of from the source marker; off at start,
  // kept by a reset and a change of mirror or lens. An input: refused while a
  // message is open, written to the journal when it changes.
  bool setParallelBeam(bool on);
  [[nodiscard]] bool parallelBeam() const noexcept { return parallelBeam_; }
  // The switch as the last start found it (a set-up's start).
  [[nodiscard]] bool startParallelBeam() const noexcept { return startParallelBeam_; }

  // ---- The medium scene: light through a medium whose index changes from
  // place to place, in the lens's place (none at start). Takes the medium at
  // once (none: the lens scene again), as setMirror takes a mirror, leaving
  // a mirror scene. From another scene the source and the target go to the
  // medium's start positions (a preset's own); from another medium they stay.
  [[nodiscard]] std::string setMedium(const std::optional<optics::MediumDesign>& design);
  [[nodiscard]] const MediumShape* medium() const noexcept { return medium_ ? &*medium_ : nullptr; }
  [[nodiscard]] std::optional<optics::MediumDesign> mediumDesign() const {
    return medium_ ? std::optional(medium_->design) : std::nullopt;
  }
  // Whether the scene has a target marker of its own (the mirror and medium scenes).
  [[nodiscard]] bool ownTarget() const noexcept { return mirror_ || medium_; }

  // ---- The session since the last start (a start-up, a reset, a change of
  // lens): where the markers and bars stood then, and the inputs since, as
  // actions whose replay from there ends in the same state. Inputs that
  // changed nothing are left out, a drag's moves but the last too, and a
  // sweep is written as the one change of the time bar it amounts to.
  [[nodiscard]] const Placement& startPlacement() const noexcept { return startPlacement_; }
  [[nodiscard]] std::vector<Action> journal() const;

  // How many times the entry point has been moved (a drag or an arrow key)
  // since the lab was made: the challenge's tries.
  [[nodiscard]] int entryMoves() const noexcept { return entryMoves_; }
  // The guess-then-reveal game, off by default.
  [[nodiscard]] Challenge& challenge() noexcept { return challenge_; }
  [[nodiscard]] const Challenge& challenge() const noexcept { return challenge_; }
  void setLogging(bool on) { surface_.setLogging(on); }

  // ---- Inputs, as a view delivers them. Each is refused while a message is open.
  // Pointer on the client area, in world units.
  bool pointerDown(float x, float y);
  bool pointerMove(float x, float y);
  bool pointerUp(float x, float y);
  // A new value of a bar (an arrow, a track step, a value set): its Change
  // runs when the value differs. False for a value out of range.
  bool setBar(BarId bar, int value);
  // The bar's thumb is dragged to `value` (pressed at the first move), and released at `value`.
  bool thumbMoved(BarId bar, int value);
  bool thumbReleased(BarId bar, int value);
  bool click(int button);  // 1..5
  // A key as a combination of a key code and modifiers (see Keys.h); a
  // focused scroll bar keeps its own arrows. True when the lab used it.
  bool key(int combination, bool autoRepeat = false, bool barFocused = false);
  // A key on the scroll bar that has the keyboard's focus, the bar's own
  // rule in every view: Up or Left steps towards Min by the small change,
  // Down or Right towards Max, Page Up and Page Down by the large change,
  // Home and End go to Min and Max; Shift changes nothing, and with Ctrl, Alt
  // or Meta the key is not the bar's (nor on a disabled bar). A key the bar
  // takes stops Play, as any key but Space does, and the new value is an
  // ordinary setBar. True when the key was the bar's, moved or not.
  bool barKey(BarId bar, int combination);
  // Where a press (a mouse button, a finger, the wheel) lands, for Play.
  enum class PressOn { PlayButton, Graphs, Elsewhere };
  // Any press stops Play but one on Play's own button (which toggles it by
  // itself) and one in the graphs (a window of their own on the desktop).
  void press(PressOn where) {
    if (where == PressOn::Elsewhere) stopPlay();
  }
  // Any other input in the window: it stops Play.
  void otherInput() { stopPlay(); }

  // What the event loop does when idle: draws the newest pending live
  // positions of a dragged marker and of held thumbs. True when it drew.
  bool idle();
  [[nodiscard]] bool idlePending() const noexcept;

  // ---- Play: sweeps the time bar from its value up to its maximum, one step a tick.
  static constexpr int kStepsPerSecond = 25;
  // The time between two ticks a view's timer gives, in milliseconds.
  static constexpr int kPlayIntervalMs = 1000 / kStepsPerSecond;
  void startPlay();
  void stopPlay();
  void togglePlay() { sweep_.running ? stopPlay() : startPlay(); }
  [[nodiscard]] bool playing() const noexcept { return sweep_.running; }
  // A marker or a bar's thumb held, or Play sweeping: an action not yet complete.
  [[nodiscard]] bool midAction() const noexcept {
    return dragging() || playing() || thumbDown(BarId::Height) || thumbDown(BarId::Rays) || thumbDown(BarId::Time);
  }
  // One step, the first at once on start; a tick while a message is open
  // stops the sweep instead, and so does a step that raised one.
  void playTick();
  // Runs the sweep (started or not) to its end without waiting between steps.
  void playToEnd();

  // What the event loop would do between two scripted inputs: pending live
  // positions drawn, a started sweep run to its end.
  void settle();

  // ---- The message the view must show now, if any, and its dismissal.
  [[nodiscard]] const std::optional<std::string>& message() const noexcept { return message_; }
  void dismissMessage();
  [[nodiscard]] bool busy() const noexcept { return message_.has_value(); }
  // Messages raised since start-up, held ones included.
  [[nodiscard]] int messageCount() const noexcept { return messageCount_; }

  // ---- What a view shows.
  [[nodiscard]] const Surface& surface() const noexcept { return surface_; }
  [[nodiscard]] Surface& surface() noexcept { return surface_; }
  [[nodiscard]] const Controls& controls() const noexcept { return controls_; }
  [[nodiscard]] Controls& controls() noexcept { return controls_; }
  [[nodiscard]] const SceneState& scene() const noexcept { return scene_; }
  [[nodiscard]] Results& results() noexcept { return results_; }
  [[nodiscard]] const Results& results() const noexcept { return results_; }
  // The captions of Label1 ... Label6.
  [[nodiscard]] std::array<std::string, 6> captions() const;
  // The six labels as phrases (their words and numbers), kept across a change of language.
  [[nodiscard]] std::array<LabelPhrase, 6> phrases() const;

  // Live drawing while dragging (on by default); off is the classic program.
  [[nodiscard]] bool live() const noexcept { return live_; }
  void setLive(bool on);
  // Whether a time-slider change may reuse the last continuation (on by default).
  void setReuseContinuations(bool on) noexcept { reuse_ = on; }
  [[nodiscard]] Marker activeMarker() const noexcept { return active_; }
  void setActiveMarker(Marker m);
  // Live redraws of a dragged marker drawn so far (moves minus the coalesced ones).
  [[nodiscard]] int dragRedraws() const noexcept { return dragRedraws_; }
  // Whether the bar's thumb is held (pressed and not yet released).
  [[nodiscard]] bool thumbDown(BarId bar) const noexcept { return bars_[index(bar)].down; }

  // Draws a construction's picture again as the construction would (its
  // captions, messages and marker moves included).
  void replay(const core::Drawing& drawing) {
    draw(drawing);
    run();
  }

  // ---- The event procedures of the window.
  void Form_Load();
  void Form_MouseDown(int button, int shift, float x, float y);
  void Form_MouseMove(int button, int shift, float x, float y);
  void Form_MouseUp(int button, int shift, float x, float y);
  void thesiy_Change();
  void arithmosaktinon_Change();
  void xronosmetato_Change();
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  void Command5_Click();

  // Called after each Change of a bar has run (its drawing queued): where a
  // test makes a construction raise a message at a value of its choosing.
  std::function<void(BarId)> afterChange;

  // At most one of the three is true at any time.
  bool DraggingPoint = false;   // the entry point shmeio is being dragged
  bool DraggingSource = false;  // the source kyklos is being dragged
  bool DraggingTarget = false;  // the mirror scene's target is being dragged

 private:
  void restart(const std::optional<Placement>& p);
  // Markers and bar values set as they are, with no event.
  void placeMarkers(const Placement& p);
  void placeBars(const Placement& p);
  // Everything a construction takes from the controls, read once per event.
  struct Inputs {
    core::SourcePoint source;
    int height = 0, rays = 0, slider = 0;
    core::Frame frame;
  };
  [[nodiscard]] Inputs readInputs() const;
  void updatePath(std::optional<double> time);
  // The path source -> p -> target drawn on a cleared scene with its time in Label2.
  double drawDragPath(ShapeCentre s, ShapeCentre p);
  // The mirror scene's: the path by the point p on the mirror, both legs in air.
  double drawMirrorPath(ShapeCentre s, ShapeCentre p, core::Point t);
  // The mirror's point nearest p, where the entry marker stands in the mirror scene.
  [[nodiscard]] ShapeCentre onMirror(ShapeCentre p) const;
  [[nodiscard]] bool dragging() const noexcept { return DraggingPoint || DraggingSource || DraggingTarget; }
  // The scene's start-up: the lens scene's or the mirror scene's.
  void buildStaticScene();
  void mirrorMouseUp(float x, float y);
  void mirrorCommand1();
  void mirrorCommand2();
  // Buttons 3 and 5 and the time bar: the reflected bundle with its wavelets
  // (and the wavefront) at the time bar's value after the latest reflection.
  void mirrorWaves(bool front);
  void mirrorTimeChange();
  [[nodiscard]] bool buttonEnabled(int button) const;
  // The medium scene's: the path from the source through p to the target,
  // each leg the least-time path, with its time in Label2.
  double drawMediumPath(ShapeCentre s, ShapeCentre p, core::Point t);
  // While the bundle is the medium scene's last construction it follows a
  // moved source or target: drawn again from there, each path from its
  // place before when `warm` (a live move), from the start otherwise (a
  // release: the same picture however the hand went).
  void followMediumBundle(ShapeCentre s, core::Point t, bool warm);
  void mediumMouseUp(float x, float y);
  void mediumCommand1();
  // Buttons 2, 3 and 5 and the time bar: the bundle, with fronts at ten
  // times (3) or at the time bar's share of the longest path's time (5).
  enum class Fronts { None, Ten, AtTimeBar };
  void mediumBundle(Fronts fronts);
  void mediumCommand4();
  void mediumTimeChange();

  // ---- Steps: a drawing's operations and what follows them, run in order
  // until a message stops them.
  using Step = std::variant<core::DrawOp, std::function<void()>>;
  void draw(const core::Drawing& drawing);
  void then(std::function<void()> step);
  void run();
  void apply(const core::DrawOp& op);
  // Sets a bar's value and runs its Change (when it differs).
  bool changeBar(BarId bar, int value);
  void clickButton(int button);

  // The picture a time-slider change drew up to the second wavelet
  // generation, which alone depends on the slider; a later change with the
  // same key draws it again in one step.
  struct SliderKey {
    DrawingState entry;  // without the current point, which Cls resets
    int height = 0;
    core::SourcePoint source;
    int rays = 0;
    core::Frame frame;
    bool operator==(const SliderKey&) const = default;
  };
  struct SliderPicture {
    SliderKey key;
    Surface::Saved drawn;     // from the Cls to the end of the first generation
    core::Drawing captions;   // the construction's captions, in order
    std::uint64_t serial = 0; // of the continuation it was drawn from
  };
  [[nodiscard]] SliderKey sliderKey(const Inputs& in) const;
  [[nodiscard]] std::optional<SliderPicture> takeSliderPicture(const SliderKey& key,
                                                               const core::BundleContinuationResult& c,
                                                               Surface::Mark start) const;

  // ---- Live.
  void flushDrag();
  void flushBar(BarId bar);
  static constexpr std::size_t index(BarId b) noexcept { return static_cast<std::size_t>(b); }
  struct LiveBar {
    std::optional<int> pending;
    bool down = false;
    // What the first live change of a thumb drag is about to overwrite.
    struct Before {
      int value = 0;
      Surface::Saved surface;
      std::array<LabelPhrase, 6> labels;
      Results::Snapshot results;
    };
    std::optional<Before> before;
    std::vector<std::string> held;  // messages of the last live value
  };
  struct Sweep {
    bool running = false;
    bool fromMinimum = false;  // the next step goes to the minimum
    bool stepping = false;
    std::optional<DrawingState> start;  // of the sweep's start
    int from = 0;                       // the time bar's value at the start
  };
  bool advancePlay();
  // One step of playToEnd, queueing the next until the bar stands at its maximum.
  void playStep();
  void moveActive(float dx, float dy);
  // The entry point a complete drag to (x, y) in world units, the active marker from then on.
  void moveEntryTo(double x, double y);
  // Where "[" and "]" take the entry point: `step` world units along the lens's
  // first face (the mirror; straight up or down in a medium) from the point it stands for.
  [[nodiscard]] core::Point alongFace(double step) const;

  Size client_;
  PixelSink* sink_;
  Surface surface_;
  Controls controls_;
  SceneState scene_;
  Results results_;

  std::deque<Step> queue_;
  std::vector<Step>* inserting_ = nullptr;
  bool running_ = false;
  std::optional<std::string> message_;
  int messageCount_ = 0;
  bool holding_ = false;
  std::vector<std::string> held_;

  bool reuse_ = true;
  std::optional<SliderPicture> sliderPicture_;

  bool live_ = true;
  optics::LensDesign lensDesign_;
  Placement startPlacement_;
  int entryMoves_ = 0;
  Challenge challenge_;
  // After each input the challenge follows the scene: an answer holds for the
  // placement it was given for, so once a marker or a bar has moved a new
  // round begins, in every view alike (no view has to ask for it). Held for
  // the length of an input procedure.
  // An entry move that begins a round is its first try, live or classic.
  struct FollowChallenge {
    Lab& lab;
    int movesBefore;
    explicit FollowChallenge(Lab& l) : lab(l), movesBefore(l.entryMoves()) {}
    FollowChallenge(const FollowChallenge&) = delete;
    FollowChallenge& operator=(const FollowChallenge&) = delete;
    ~FollowChallenge() { lab.challenge_.follow(lab, movesBefore); }
  };
  std::vector<Action> journal_;
  Marker journalActive_ = Marker::Source;  // the active marker a replay of the journal has
  void record(const Action& a);
  void recordSweepEnd();
  optics::Lens lens_ = optics::Lens::Standard();
  std::optional<MirrorShape> mirror_;
  std::optional<MediumShape> medium_;
  core::Point target_ = kMirrorTargetStart;
  bool parallelBeam_ = false, startParallelBeam_ = false;
  Marker active_ = Marker::Source;
  std::string lesson_;
  struct Position {
    float x, y;
  };
  std::optional<Position> dragPending_;
  int dragRedraws_ = 0;
  std::array<LiveBar, 3> bars_;
  Sweep sweep_;
};

}  // namespace lab
