#pragma once

#include "core/Drawing.h"
#include "lab/Surface.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace lab {

// A rectangle in pixels of the client area (fractional).
struct PixelRect {
  double left = 0, top = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

// A control placed on the surface. Left and Top are the world coordinates of
// its top-left corner, Width and Height its extents to the right and
// downwards, all in the surface's current frame. The position is kept in
// pixels of the client area (as a real control's is), so a change of frame
// changes what Left reads, not where the control stands.
class Control {
 public:
  Control(const Surface& surface, PixelRect designTwips);

  [[nodiscard]] float Left() const;
  [[nodiscard]] float Top() const;
  [[nodiscard]] float Width() const;
  [[nodiscard]] float Height() const;
  // Writes in world units; a non-finite value is ignored.
  void setLeft(double v);
  void setTop(double v);
  void setWidth(double v);
  void setHeight(double v);

  [[nodiscard]] const PixelRect& pixelRect() const noexcept { return px_; }
  // Back to the design position.
  void restoreDesign();
  // The surface whose frame the world units refer to (after a new surface).
  void attach(const Surface& surface) noexcept { surface_ = &surface; }

 private:
  const Surface* surface_;
  PixelRect design_;  // twips
  PixelRect px_;
};

// Value range of a scroll bar, Min first (Min stands at the top or left).
struct BarRange {
  int min, max;
  [[nodiscard]] constexpr bool contains(int v) const noexcept {
    return v >= (min < max ? min : max) && v <= (min < max ? max : min);
  }
};
inline constexpr BarRange kThesiyRange{99, -99};
inline constexpr BarRange kRaysRange{2, 100};
inline constexpr BarRange kTimeRange{5, 100};

// A scroll bar's place and value; its Change is the program's (Lab::setBar).
struct Bar {
  Control place;
  BarRange range;
  int largeChange = 1, smallChange = 1;
  int designValue = 0;
  int value = 0;
  bool enabled = true;
  bool vertical = true;
};

// What a label says, kept as the kind of its words and their numbers rather
// than as text: a construction may write a label many times in one press
// (once a ray) and only the last is ever seen, and a change of language
// words it anew with the same numbers.
struct LabelPhrase {
  enum class Kind : unsigned char { Fixed, Caption, Height, Rays, Time, PathTime };
  Kind kind = Kind::Fixed;
  core::Caption which{};  // Caption
  double a = 0, b = 0;    // the numbers (the height, count, time in a)
  bool atStartUp = false;  // Rays and Time: the start-up spells them differently
  std::string fixed;      // Fixed: the text itself
};

// The text of a phrase in the language in force (Captions.cpp).
[[nodiscard]] std::string PhraseText(const LabelPhrase& phrase);

class Label {
 public:
  Label(Control at, std::string design, double points)
      : place(at), designCaption(std::move(design)), pointSize(points) {
    phrase_.fixed = designCaption;
  }

  Control place;
  std::string designCaption;
  double pointSize = 8.25;

  [[nodiscard]] const std::string& caption() const;
  [[nodiscard]] const LabelPhrase& phrase() const noexcept { return phrase_; }
  void setCaption(LabelPhrase phrase) {
    phrase_ = std::move(phrase);
    stale_ = true;
  }
  void setCaption(std::string text) {
    phrase_.kind = LabelPhrase::Kind::Fixed;
    phrase_.fixed = std::move(text);
    stale_ = true;
  }
  // The caption of a construction, with its numbers.
  void show(core::Caption which, double a, double b) {
    phrase_.kind = LabelPhrase::Kind::Caption;
    phrase_.which = which;
    phrase_.a = a;
    phrase_.b = b;
    stale_ = true;
  }

 private:
  LabelPhrase phrase_;
  mutable std::string text_;
  mutable bool stale_ = true;
  mutable std::uint64_t revision_ = 0;  // the language's revision text_ was worded in
};

struct Button {
  Control place;
  const char* key = "";  // its caption's key in the catalogue ("button.command1")
  [[nodiscard]] std::string caption() const;
  double pointSize = 13.5;
  bool enabled = true;  // a disabled button takes no click (the mirror scene has no use for some)
};

// The three scroll bars, by the name of their Change procedure.
enum class BarId { Height, Rays, Time };
// The two markers: the source kyklos and the entry point shmeio.
enum class Marker { Source, Entry };

// Every control of the client area with its design properties.
struct Controls {
  explicit Controls(const Surface& surface);

  Button Command1, Command2, Command3, Command4, Command5;
  Bar thesiy, arithmosaktinon, xronosmetato;
  Label Label1, Label2, Label3, Label4, Label5, Label6;
  Control shmeio;  // the entry point, a blue disc
  Control kyklos;  // the source, a dark red disc

  [[nodiscard]] Bar& bar(BarId id) noexcept;
  [[nodiscard]] const Bar& bar(BarId id) const noexcept;
  [[nodiscard]] Control& marker(Marker m) noexcept { return m == Marker::Source ? kyklos : shmeio; }
  [[nodiscard]] const Control& marker(Marker m) const noexcept { return m == Marker::Source ? kyklos : shmeio; }
  [[nodiscard]] std::array<Label*, 6> labels() noexcept;
  [[nodiscard]] std::array<const Label*, 6> labels() const noexcept;
  [[nodiscard]] std::array<const Button*, 5> buttons() const noexcept;
  // Everything at its design properties (a reset), on that surface.
  void restoreDesign(const Surface& surface);
};

// A view that shrinks the buttons' captions to keep each whole in its button
// (the page, whose fonts are the browser's) shrinks them no smaller than this,
// in pixels of the client area; past it long words are broken instead.
inline constexpr double kMinButtonCaptionPixels = 6;
// The page's panels shrink a choice's chosen entry no smaller than this (CSS
// pixels; a choice is read at a glance, so it stops larger than a caption).
inline constexpr double kMinChoiceCaptionPixels = 9;

// Whether the labels' and buttons' captions shrink to fit their boxes: a
// translation's do (its words are longer or wider than the design allowed
// for); the original's keep their design font, as they always had.
[[nodiscard]] bool ShrinkCaptionsToFit();

// Play's button: a square just left of the time bar, as tall as the bar but
// never under kPlayButtonMinSide, kPlayButtonGap from it, and never left of
// the client area. In pixels of the client area, as every control is placed;
// it follows the time bar wherever the start-up puts it.
inline constexpr double kPlayButtonMinSide = 16;
inline constexpr double kPlayButtonGap = 2;
[[nodiscard]] PixelRect PlayButtonRect(const Controls& c);

// A finger or a pen covers more than the point it stands for: a press by one
// within kTouchSlopPixels of a marker's centre takes that marker, as a press
// on its centre would (the nearer marker; the entry point on a tie, as it
// lies above the source). A mouse is exact and never snaps. Pixels of the
// client area.
inline constexpr double kTouchSlopPixels = 16;
[[nodiscard]] PixelPoint FingerPressAt(const Controls& c, PixelPoint at);

// Centre of a circle shape by the placement rule (Left + Width/2, Top - Height/2), in Single arithmetic.
struct ShapeCentre {
  float x = 0, y = 0;
};
[[nodiscard]] ShapeCentre CentreOf(const Control& shape);
// Centres a shape on the pointer at (x, y), in Single arithmetic as a drag does.
void CentreOn(Control& shape, float x, float y);

// Strictly inside the control's rectangle; the right and bottom edges are
// formed in Single, as the positions are.
[[nodiscard]] bool Hits(const Control& c, float x, float y);

}  // namespace lab
