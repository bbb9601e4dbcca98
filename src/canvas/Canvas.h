#pragma once

#include "canvas/DisplayList.h"
#include "canvas/RetainedImage.h"
#include "numeric/Colour.h"

#include <QImage>
#include <QPointF>
#include <QRgb>
#include <QSize>

#include <functional>
#include <optional>
#include <type_traits>
#include <vector>

namespace canvas {

// Colours are packed as QRgb; the program's own are named in numeric/Colour.h.
static_assert(std::is_same_v<QRgb, numeric::Colour>);
using numeric::Rgb;
inline constexpr QRgb kBlack = numeric::kBlack;
// The window's default background, which Cls clears to.
inline constexpr QRgb kBackground = numeric::kBackground;

// Units of the frame, as ScaleMode reports them.
inline constexpr int kScaleUser = 0;
inline constexpr int kScaleTwips = 1;
inline constexpr int kScalePixels = 3;
// Twips per pixel at 96 dots per inch.
inline constexpr double kTwipsPerPixel = 15.0;

// The drawing surface: the world frame, the persistent drawing state, the
// retained image every operation is drawn on, and the record of the
// operations since the last Cls (the display list, from which the picture is
// drawn again at any resolution). Every picture the program shows is drawn
// through this one class. World coordinates come in as doubles and are rounded to
// single precision on entry, as every coordinate the drawing code hands over
// is a Single. An operation with a non-finite number is refused as a whole
// (counted, never logged, never handed to Qt).
class Canvas {
 public:
  explicit Canvas(QSize pixels);
  ~Canvas() = default;
  Canvas(Canvas&&) noexcept = default;
  Canvas& operator=(Canvas&&) noexcept = default;

  // Drawing state; persists between operations until somebody changes it.
  int DrawWidth = 1;     // pen width in pixels
  int DrawStyle = 0;     // 0 solid, 1 dashed, 2 dotted (for width 1)
  int FillStyle = 1;     // 0 solid, 1 transparent
  QRgb FillColor = kBlack;
  QRgb ForeColor = kBlack;
  float CurrentX = 0;
  float CurrentY = 0;

  // World frame: (x1, y1) becomes the top-left, (x2, y2) the bottom-right corner.
  void Scale(double x1, double y1, double x2, double y2);
  [[nodiscard]] float ScaleLeft() const noexcept { return frame_.left; }
  [[nodiscard]] float ScaleTop() const noexcept { return frame_.top; }
  [[nodiscard]] float ScaleWidth() const noexcept { return frame_.width; }
  [[nodiscard]] float ScaleHeight() const noexcept { return frame_.height; }
  [[nodiscard]] int ScaleMode() const noexcept { return scaleMode_; }
  // Length conversion between units; keeps the sign of the frame's extent.
  [[nodiscard]] double ScaleX(double length, int from, int to) const noexcept;
  [[nodiscard]] double ScaleY(double length, int from, int to) const noexcept;

  // Continuous pixel position of a point of the current frame and back.
  [[nodiscard]] QPointF toPixel(double x, double y) const noexcept;
  [[nodiscard]] QPointF toWorld(QPointF pixel) const noexcept;
  // Pixels per world unit along x (positive).
  [[nodiscard]] double pixelsPerUnit() const noexcept;

  // Line (x1, y1)-(x2, y2)[, c] and Line -(x2, y2)[, c].
  void Line(double x1, double y1, double x2, double y2, std::optional<QRgb> c = std::nullopt);
  void LineTo(double x2, double y2, std::optional<QRgb> c = std::nullopt);
  // Full circle, filled with FillColor under FillStyle 0.
  void Circle(double x, double y, double r, std::optional<QRgb> c = std::nullopt);
  // Counterclockwise arc from start to end (radians, non-negative), through 0
  // when end < start; never filled.
  void Circle(double x, double y, double r, std::optional<QRgb> c, double start, double end);
  // A filled disc DrawWidth pixels across.
  void PSet(double x, double y, std::optional<QRgb> c = std::nullopt);
  void Cls();
  void Refresh();
  // 4-connected fill from pixel (x, y) with FillColor over every pixel that is
  // not exactly the boundary colour. Returns false when nothing was painted
  // (seed outside the image or on the boundary, or FillStyle transparent);
  // only a fill that painted is logged and recorded.
  bool FloodFill(int x, int y, QRgb boundary);

  // The retained image, with every operation so far applied.
  [[nodiscard]] const QImage& image() const;
  [[nodiscard]] QSize pixelSize() const noexcept { return image_.size(); }
  // The operations since the last Cls, always kept (bounded).
  [[nodiscard]] const DisplayList& displayList() const noexcept { return list_; }

  // Operation log, off unless asked for (an interactive session would grow it forever).
  void setLogging(bool on) noexcept { logging_ = on; }
  [[nodiscard]] bool logging() const noexcept { return logging_; }
  [[nodiscard]] const std::vector<CanvasOp>& log() const noexcept { return log_; }
  void clearLog() noexcept { log_.clear(); }
  // Operations refused because a coordinate, radius or angle was not finite.
  [[nodiscard]] int refusedOperations() const noexcept { return refused_; }
  // Counts an operation refused before it reached the canvas.
  void countRefused() noexcept { ++refused_; }

  // The persistent drawing state, which every operation reads.
  struct DrawingState {
    int drawWidth = 1, drawStyle = 0, fillStyle = 1;
    QRgb fillColor = kBlack, foreColor = kBlack;
    float currentX = 0, currentY = 0;
    bool operator==(const DrawingState&) const = default;
  };
  [[nodiscard]] DrawingState drawingState() const noexcept;
  void setDrawingState(const DrawingState& s) noexcept;

  // Everything a later restore() needs to put the canvas back exactly: the
  // picture with its record, the drawing state and the operation log. The
  // image is shared until either side paints again.
  struct Saved {
    QImage image;
    DisplayList list{Frame{}};
    DrawingState state;
    std::vector<CanvasOp> log;
    int refused = 0;
  };
  [[nodiscard]] Saved save() const;
  void restore(const Saved& saved);

  // What was drawn since a mark, to be drawn again in one step: replay()
  // puts the picture, its record and the drawing state back as they were
  // when drawnSince() was called, and logs (and counts as refused) the same
  // operations once more, after whatever was logged in between.
  struct Mark {
    std::size_t logged = 0;
    int refused = 0;
  };
  [[nodiscard]] Mark mark() const noexcept { return {log_.size(), refused_}; }
  [[nodiscard]] Saved drawnSince(Mark m) const;
  void replay(const Saved& drawn);

  // Called after every change of the image (the view schedules a repaint).
  void setChangedCallback(std::function<void()> cb) { changed_ = std::move(cb); }

 private:
  bool admit(std::initializer_list<double> values);
  void record(const CanvasOp& op);
  void notify();

  RetainedImage image_;
  Frame frame_;
  int scaleMode_ = kScaleTwips;
  DisplayList list_;
  bool logging_ = false;
  std::vector<CanvasOp> log_;
  int refused_ = 0;
  std::function<void()> changed_;
};

}  // namespace canvas
