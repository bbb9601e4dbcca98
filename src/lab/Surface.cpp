#include "lab/Surface.h"

#include "numeric/Single.h"

#include <cmath>

namespace lab {
namespace {

double single(double v) { return static_cast<double>(numeric::RoundToSingle(v)); }

// Until Scale is called the frame is the client area in twips, y downwards.
Frame twipFrame(Size pixels) {
  return {.left = 0,
          .top = 0,
          .width = static_cast<float>(pixels.width * kTwipsPerPixel),
          .height = static_cast<float>(pixels.height * kTwipsPerPixel),
          .pixels = pixels};
}

double pixelsPerUnitOf(int unit, double pixels, double extent) {
  switch (unit) {
    case kScaleUser: return pixels / extent;
    case kScaleTwips: return 1.0 / kTwipsPerPixel;
    default: return 1.0;  // pixels
  }
}

}  // namespace

double Frame::pixelsPerUnit() const noexcept { return pixels.width / std::abs(double{width}); }

void DisplayRecord::setFrame(const Frame& frame) {
  if (frames_.back() == frame) return;
  frames_.push_back(frame);
  ++revision_;
}

void DisplayRecord::clear() {
  const Frame current = frames_.back();
  frames_.assign(1, current);
  items_.clear();
  complete_ = true;
  ++revision_;
  ++generation_;
}

void DisplayRecord::add(const Op& op, std::shared_ptr<const std::vector<core::Point>> region,
                        std::shared_ptr<const PixelTrace> trace) {
  // Past the bound the picture still changes (in the pixels of a view that
  // has them): the revision says so, though no item is added.
  if (!complete_) {
    ++revision_;
    return;
  }
  if (items_.size() >= kMaxItems) {
    complete_ = false;
    ++revision_;
    ++generation_;
    return;
  }
  items_.push_back({op, static_cast<int>(frames_.size()) - 1, std::move(region), std::move(trace)});
  ++revision_;
}

void DisplayRecord::restore(const DisplayRecord& saved) {
  const std::uint64_t revision = revision_, generation = generation_;
  *this = saved;
  revision_ = revision + 1;
  generation_ = generation + 1;
}

Surface::Surface(Size pixels, PixelSink* sink) : frame_(twipFrame(pixels)), record_(frame_), sink_(sink) {
  if (sink_) sink_->setFrame(frame_);
}

void Surface::Scale(double x1, double y1, double x2, double y2) {
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2) || x1 == x2 || y1 == y2) {
    ++refused_;
    return;
  }
  frame_.left = numeric::RoundToSingle(x1);
  frame_.top = numeric::RoundToSingle(y1);
  frame_.width = numeric::RoundToSingle(x2 - x1);
  frame_.height = numeric::RoundToSingle(y2 - y1);
  scaleMode_ = kScaleUser;
  record_.setFrame(frame_);
  if (sink_) sink_->setFrame(frame_);
}

double Surface::ScaleX(double length, int from, int to) const noexcept {
  const double w = frame_.pixels.width;
  return length * pixelsPerUnitOf(from, w, frame_.width) / pixelsPerUnitOf(to, w, frame_.width);
}

double Surface::ScaleY(double length, int from, int to) const noexcept {
  const double h = frame_.pixels.height;
  return length * pixelsPerUnitOf(from, h, frame_.height) / pixelsPerUnitOf(to, h, frame_.height);
}

bool Surface::admit(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(numeric::RoundToSingle(v))) {
      ++refused_;
      return false;
    }
  }
  return true;
}

void Surface::commit(const Op& op) {
  if (logging_) log_.push_back(op);
  record_.add(op);
  if (sink_) sink_->draw(op);
}

void Surface::setLogging(bool on) { logging_ = on; }

void Surface::Line(double x1, double y1, double x2, double y2, std::optional<Colour> c) {
  if (!admit({x1, y1, x2, y2})) return;
  const Op op{.kind = Op::Kind::Line,
              .x1 = single(x1),
              .y1 = single(y1),
              .x2 = single(x2),
              .y2 = single(y2),
              .color = c.value_or(ForeColor),
              .width = DrawWidth,
              .style = DrawStyle};
  CurrentX = static_cast<float>(op.x2);
  CurrentY = static_cast<float>(op.y2);
  commit(op);
}

void Surface::LineTo(double x2, double y2, std::optional<Colour> c) { Line(CurrentX, CurrentY, x2, y2, c); }

void Surface::Circle(double x, double y, double r, std::optional<Colour> c) {
  if (!admit({x, y, r})) return;
  const Op op{.kind = Op::Kind::Circle,
              .x1 = single(x),
              .y1 = single(y),
              .r = single(r),
              .color = c.value_or(ForeColor),
              .width = DrawWidth,
              .style = DrawStyle,
              .fill = FillStyle == 0 ? std::optional<Colour>(FillColor) : std::nullopt};
  CurrentX = static_cast<float>(op.x1);
  CurrentY = static_cast<float>(op.y1);
  commit(op);
}

void Surface::Circle(double x, double y, double r, std::optional<Colour> c, double start, double end) {
  if (!admit({x, y, r, start, end})) return;
  const Op op{.kind = Op::Kind::Arc,
              .x1 = single(x),
              .y1 = single(y),
              .r = single(r),
              .start = single(start),
              .end = single(end),
              .color = c.value_or(ForeColor),
              .width = DrawWidth,
              .style = DrawStyle};
  CurrentX = static_cast<float>(op.x1);
  CurrentY = static_cast<float>(op.y1);
  commit(op);
}

void Surface::PSet(double x, double y, std::optional<Colour> c) {
  if (!admit({x, y})) return;
  const Op op{
      .kind = Op::Kind::PSet, .x1 = single(x), .y1 = single(y), .color = c.value_or(ForeColor), .width = DrawWidth};
  CurrentX = static_cast<float>(op.x1);
  CurrentY = static_cast<float>(op.y1);
  commit(op);
}

void Surface::Cls() {
  const Op op{.kind = Op::Kind::Cls};
  if (logging_) log_.push_back(op);
  record_.clear();
  CurrentX = 0;
  CurrentY = 0;
  if (sink_) sink_->draw(op);
}

bool Surface::FloodFill(int x, int y, Colour boundary, std::shared_ptr<const std::vector<core::Point>> region) {
  // A transparent fill paints nothing, as a hollow brush would.
  if (FillStyle != 0) return false;
  const PixelSink::Fill fill =
      sink_ ? sink_->floodFill(x, y, FillColor, boundary)
            : PixelSink::Fill{.painted = x >= 0 && y >= 0 && x < frame_.pixels.width && y < frame_.pixels.height};
  if (!fill.painted) return false;
  const Op op{.kind = Op::Kind::FloodFill, .x1 = double(x), .y1 = double(y), .color = FillColor};
  if (logging_) log_.push_back(op);
  record_.add(op, std::move(region), fill.trace);
  return true;
}

DrawingState Surface::drawingState() const noexcept {
  return {.drawWidth = DrawWidth,
          .drawStyle = DrawStyle,
          .fillStyle = FillStyle,
          .fillColor = FillColor,
          .foreColor = ForeColor,
          .currentX = CurrentX,
          .currentY = CurrentY};
}

void Surface::setDrawingState(const DrawingState& s) noexcept {
  DrawWidth = s.drawWidth;
  DrawStyle = s.drawStyle;
  FillStyle = s.fillStyle;
  FillColor = s.fillColor;
  ForeColor = s.foreColor;
  CurrentX = s.currentX;
  CurrentY = s.currentY;
}

Surface::Saved Surface::save() const {
  return {.record = record_,
          .state = drawingState(),
          .log = logging_ ? log_ : std::vector<Op>{},
          .refused = refused_,
          .pixels = sink_ ? sink_->save() : nullptr};
}

void Surface::restore(const Saved& saved) {
  record_.restore(saved.record);
  setDrawingState(saved.state);
  if (logging_) log_ = saved.log;
  refused_ = saved.refused;
  if (sink_ && saved.pixels) sink_->restore(*saved.pixels);
}

Surface::Saved Surface::drawnSince(Mark m) const {
  Saved s{.record = record_,
          .state = drawingState(),
          .log = {},
          .refused = refused_ - m.refused,
          .pixels = sink_ ? sink_->save() : nullptr};
  if (logging_ && m.logged <= log_.size()) s.log.assign(log_.begin() + static_cast<std::ptrdiff_t>(m.logged), log_.end());
  return s;
}

void Surface::replay(const Saved& drawn) {
  record_.restore(drawn.record);
  setDrawingState(drawn.state);
  if (logging_) log_.insert(log_.end(), drawn.log.begin(), drawn.log.end());
  refused_ += drawn.refused;
  if (sink_ && drawn.pixels) sink_->restore(*drawn.pixels);
}

}  // namespace lab
