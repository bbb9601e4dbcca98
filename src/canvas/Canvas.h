#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRgb>
#include <QSize>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace canvas {

// Opaque 24-bit colour from its three components, 0..255 each.
[[nodiscard]] constexpr QRgb Rgb(int r, int g, int b) noexcept {
  return 0xff000000u | (static_cast<QRgb>(r & 0xff) << 16) | (static_cast<QRgb>(g & 0xff) << 8) |
         static_cast<QRgb>(b & 0xff);
}

inline constexpr QRgb kBlack = Rgb(0, 0, 0);
// The window's default background, which Cls clears to.
inline constexpr QRgb kBackground = Rgb(240, 240, 240);

// Units of the frame, as ScaleMode reports them.
inline constexpr int kScaleUser = 0;
inline constexpr int kScaleTwips = 1;
inline constexpr int kScalePixels = 3;
// Twips per pixel at 96 dots per inch.
inline constexpr double kTwipsPerPixel = 15.0;

// One drawing operation as the canvas received it, in world units (the flood
// fill in pixels). The log of these is what tests and --trace inspect.
struct CanvasOp {
  enum class Kind { Line, Circle, Arc, PSet, Cls, FloodFill };
  Kind kind = Kind::Cls;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // line ends; centre or point in x1, y1
  double r = 0, start = 0, end = 0;      // circle radius, arc angles (radians)
  QRgb color = kBlack;
  int width = 1;
  int style = 0;
  std::optional<QRgb> fill;  // full circles only: the fill colour, or none
};

// The retained image of the client area with its world frame and the
// persistent drawing state. Every picture the program shows is drawn through
// this one class. World coordinates come in as doubles and are rounded to
// single precision on entry, as every coordinate the drawing code hands over
// is a Single. An operation with a non-finite number is refused as a whole
// (counted, never logged, never handed to Qt).
class Canvas {
 public:
  explicit Canvas(QSize pixels);
  ~Canvas();
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
  [[nodiscard]] float ScaleLeft() const noexcept { return scaleLeft_; }
  [[nodiscard]] float ScaleTop() const noexcept { return scaleTop_; }
  [[nodiscard]] float ScaleWidth() const noexcept { return scaleWidth_; }
  [[nodiscard]] float ScaleHeight() const noexcept { return scaleHeight_; }
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
  // not exactly the boundary colour. Returns false when nothing was painted.
  bool FloodFill(int x, int y, QRgb boundary);

  // The retained image, with every operation so far applied.
  [[nodiscard]] const QImage& image() const;
  [[nodiscard]] QSize pixelSize() const noexcept { return image_.size(); }

  // Operation log, off unless asked for (an interactive session would grow it forever).
  void setLogging(bool on) noexcept { logging_ = on; }
  [[nodiscard]] const std::vector<CanvasOp>& log() const noexcept { return log_; }
  void clearLog() noexcept { log_.clear(); }
  // Operations refused because a coordinate, radius or angle was not finite.
  [[nodiscard]] int refusedOperations() const noexcept { return refused_; }

  // The persistent drawing state, which every operation reads.
  struct DrawingState {
    int drawWidth = 1, drawStyle = 0, fillStyle = 1;
    QRgb fillColor = kBlack, foreColor = kBlack;
    float currentX = 0, currentY = 0;
  };
  [[nodiscard]] DrawingState drawingState() const noexcept;
  void setDrawingState(const DrawingState& s) noexcept;

  // Everything a later restore() needs to put the canvas back exactly: the
  // picture, the drawing state and the operation log. The image is shared
  // until either side paints again.
  struct Saved {
    QImage image;
    DrawingState state;
    std::vector<CanvasOp> log;
    int refused = 0;
  };
  [[nodiscard]] Saved save() const;
  void restore(const Saved& saved);

  // Called after every change of the image (the view schedules a repaint).
  void setChangedCallback(std::function<void()> cb) { changed_ = std::move(cb); }

 private:
  bool admit(std::initializer_list<double> values);
  // One painter stays open across drawing operations (opening one per
  // operation costs more than a short line); it is closed before the pixels
  // are touched directly or read.
  QPainter& painter(QRgb color, bool brush);
  void closePainter() const;
  void thinCircle(QPointF centre, double radius, QRgb color, std::optional<QRgb> fill);
  void record(const CanvasOp& op);
  void notify();

  // The open painter, if any. A move closes the source's painter (declared
  // before the image, so that happens while that image is still whole) and
  // opens none: the moved-to canvas opens its own on its next operation.
  struct PainterSlot {
    std::unique_ptr<QPainter> painter;
    PainterSlot() = default;
    PainterSlot(PainterSlot&& other) noexcept { other.painter.reset(); }
    PainterSlot& operator=(PainterSlot&& other) noexcept {
      painter.reset();
      other.painter.reset();
      return *this;
    }
  };
  mutable PainterSlot painter_;
  QImage image_;
  float scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_ = 0, scaleHeight_ = 0;
  int scaleMode_ = kScaleTwips;
  bool logging_ = false;
  std::vector<CanvasOp> log_;
  int refused_ = 0;
  std::vector<std::uint8_t> fillSeen_;  // FloodFill's visited mask, one byte a pixel
  std::function<void()> changed_;
};

}  // namespace canvas
