#pragma once

#include "core/Inputs.h"
#include "lab/Op.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace lab {

// Units of the frame, as ScaleMode reports them.
inline constexpr int kScaleUser = 0;
inline constexpr int kScaleTwips = 1;
inline constexpr int kScalePixels = 3;
// Twips per pixel at 96 dots per inch.
inline constexpr double kTwipsPerPixel = 15.0;

// The window's default background, which Cls clears to.
inline constexpr Colour kBackground = numeric::kBackground;

// A client area in device-independent pixels.
struct Size {
  int width = 1, height = 1;
  bool operator==(const Size&) const = default;
};

struct PixelPoint {
  double x = 0, y = 0;
};

// A world frame over a client area: (left, top) is the top-left corner,
// width and height the signed world extents, in Single as the frame
// properties are.
struct Frame {
  float left = 0, top = 0, width = 1, height = 1;
  Size pixels;

  // Continuous pixel position of a world point, and back.
  [[nodiscard]] PixelPoint toPixel(double x, double y) const noexcept {
    return {(x - left) * pixels.width / width, (y - top) * pixels.height / height};
  }
  [[nodiscard]] core::Point toWorld(PixelPoint p) const noexcept {
    return {left + p.x * width / pixels.width, top + p.y * height / pixels.height};
  }
  [[nodiscard]] double pixelsPerUnit() const noexcept;
  bool operator==(const Frame&) const = default;
};

// The persistent drawing state, which every operation reads.
struct DrawingState {
  int drawWidth = 1, drawStyle = 0, fillStyle = 1;
  Colour fillColor = numeric::kBlack, foreColor = numeric::kBlack;
  float currentX = 0, currentY = 0;
  bool operator==(const DrawingState&) const = default;
};

// What a view's pixels learnt of an operation that the operation alone does
// not say (the shape a flood fill painted, traced from the pixels), kept with
// the item for the painters of that view.
struct PixelTrace {
  virtual ~PixelTrace() = default;
};

// One recorded operation with the frame it was drawn in. A fill carries the
// region it covers as a closed polygon in world units (the outline that
// bounds it, as the scene knows it), so a painter without the pixels can draw
// it, and, where pixels painted it, their trace.
struct Item {
  Op op;
  int frame = 0;
  std::shared_ptr<const std::vector<core::Point>> region;
  std::shared_ptr<const PixelTrace> trace;
};

// What was drawn since the last Cls, in world units, with the frames it was
// drawn in. Bounded: past kMaxItems it stops recording and reports itself
// incomplete until the next Cls (a view with pixels shows those instead).
class DisplayRecord {
 public:
  static constexpr std::size_t kMaxItems = 200000;

  explicit DisplayRecord(const Frame& frame) : frames_{frame} {}
  void setFrame(const Frame& frame);
  void clear();
  void add(const Op& op, std::shared_ptr<const std::vector<core::Point>> region = {},
           std::shared_ptr<const PixelTrace> trace = {});

  [[nodiscard]] const std::vector<Item>& items() const noexcept { return items_; }
  [[nodiscard]] const Frame& frame(int index) const { return frames_.at(static_cast<std::size_t>(index)); }
  [[nodiscard]] const Frame& currentFrame() const noexcept { return frames_.back(); }
  [[nodiscard]] bool complete() const noexcept { return complete_; }
  // Changes with every change of the record; a view redraws what is newer.
  [[nodiscard]] std::uint64_t revision() const noexcept { return revision_; }
  // Changes only when items are dropped (Cls, a restore, the bound reached):
  // within one generation the record only grows.
  [[nodiscard]] std::uint64_t generation() const noexcept { return generation_; }
  // Takes the items of an earlier copy back, as a new generation.
  void restore(const DisplayRecord& saved);

 private:
  std::vector<Frame> frames_;
  std::vector<Item> items_;
  bool complete_ = true;
  std::uint64_t revision_ = 0;
  std::uint64_t generation_ = 0;
};

// The pixels a view keeps of the surface (the desktop's retained image): the
// surface gives it the frame in force and every operation it admits, in order,
// each with its own pen and fill; a fill is the pixels' to decide (did it
// paint, and what). The surface's record, log and refusals stay the
// surface's: the pixels hold pixels only. Snapshots let the surface put them
// back with its record.
class PixelSink {
 public:
  struct Snapshot {
    virtual ~Snapshot() = default;
  };
  // What a flood fill did to the pixels.
  struct Fill {
    bool painted = false;
    std::shared_ptr<const PixelTrace> trace;  // kept with the fill's item
  };
  virtual ~PixelSink() = default;
  // The frame the following operations are drawn in.
  virtual void setFrame(const Frame& frame) = 0;
  // Line, Circle, Arc, PSet or Cls.
  virtual void draw(const Op& op) = 0;
  virtual Fill floodFill(int x, int y, Colour fill, Colour boundary) = 0;
  [[nodiscard]] virtual std::shared_ptr<const Snapshot> save() const = 0;
  virtual void restore(const Snapshot& s) = 0;
  // A new blank picture of that size (the surface gives it its frame next).
  virtual void reset(Size pixels) = 0;
};

// The drawing surface of the program: the world frame, the persistent
// drawing state and the record of the operations. Every picture the program
// shows is drawn through it. Coordinates come in as doubles and are rounded
// to Single on entry; an operation with a non-finite number is refused whole
// (counted, never logged, never drawn). With a sink, every admitted operation
// reaches the pixels too. This is the program's one record of what it drew:
// every view paints from it.
class Surface {
 public:
  explicit Surface(Size pixels, PixelSink* sink = nullptr);

  int DrawWidth = 1;  // pen width in pixels
  int DrawStyle = 0;  // 0 solid, 1 dashed, 2 dotted (for width 1)
  int FillStyle = 1;  // 0 solid, 1 transparent
  Colour FillColor = numeric::kBlack;
  Colour ForeColor = numeric::kBlack;
  float CurrentX = 0;
  float CurrentY = 0;

  void Scale(double x1, double y1, double x2, double y2);
  [[nodiscard]] float ScaleLeft() const noexcept { return frame_.left; }
  [[nodiscard]] float ScaleTop() const noexcept { return frame_.top; }
  [[nodiscard]] float ScaleWidth() const noexcept { return frame_.width; }
  [[nodiscard]] float ScaleHeight() const noexcept { return frame_.height; }
  [[nodiscard]] int ScaleMode() const noexcept { return scaleMode_; }
  [[nodiscard]] double ScaleX(double length, int from, int to) const noexcept;
  [[nodiscard]] double ScaleY(double length, int from, int to) const noexcept;
  [[nodiscard]] const Frame& frame() const noexcept { return frame_; }
  [[nodiscard]] Size pixelSize() const noexcept { return frame_.pixels; }

  void Line(double x1, double y1, double x2, double y2, std::optional<Colour> c = std::nullopt);
  void LineTo(double x2, double y2, std::optional<Colour> c = std::nullopt);
  void Circle(double x, double y, double r, std::optional<Colour> c = std::nullopt);
  void Circle(double x, double y, double r, std::optional<Colour> c, double start, double end);
  void PSet(double x, double y, std::optional<Colour> c = std::nullopt);
  void Cls();
  // Fills from pixel (x, y) with FillColor up to the boundary colour. The
  // region is the outline the caller knows bounds it (world units), for the
  // record. Without a sink it paints whenever the fill is solid and the seed
  // lies on the surface; with one, the pixels decide. Only a fill that
  // painted is logged and recorded.
  bool FloodFill(int x, int y, Colour boundary, std::shared_ptr<const std::vector<core::Point>> region = {});

  [[nodiscard]] const DisplayRecord& record() const noexcept { return record_; }

  void setLogging(bool on);
  [[nodiscard]] bool logging() const noexcept { return logging_; }
  [[nodiscard]] const std::vector<Op>& log() const noexcept { return log_; }
  void clearLog() noexcept { log_.clear(); }
  [[nodiscard]] int refusedOperations() const noexcept { return refused_; }

  [[nodiscard]] DrawingState drawingState() const noexcept;
  void setDrawingState(const DrawingState& s) noexcept;

  // Everything a later restore() needs to put the surface back exactly.
  struct Saved {
    DisplayRecord record{Frame{}};
    DrawingState state;
    std::vector<Op> log;
    int refused = 0;
    std::shared_ptr<const PixelSink::Snapshot> pixels;
  };
  [[nodiscard]] Saved save() const;
  void restore(const Saved& saved);

  // What was drawn since a mark, to be drawn again in one step: replay() puts
  // the record, the pixels and the drawing state back as they were when
  // drawnSince() was called, and logs (and counts as refused) the same
  // operations once more.
  struct Mark {
    std::size_t logged = 0;
    int refused = 0;
  };
  [[nodiscard]] Mark mark() const noexcept { return {log_.size(), refused_}; }
  [[nodiscard]] Saved drawnSince(Mark m) const;
  void replay(const Saved& drawn);

 private:
  bool admit(std::initializer_list<double> values);
  void commit(const Op& op);

  Frame frame_;
  int scaleMode_ = kScaleTwips;
  DisplayRecord record_;
  bool logging_ = false;
  std::vector<Op> log_;
  int refused_ = 0;
  PixelSink* sink_ = nullptr;
};

}  // namespace lab
