#pragma once

#include "canvas/RetainedImage.h"
#include "lab/Surface.h"
#include "numeric/Colour.h"

#include <QImage>
#include <QPointF>
#include <QRgb>
#include <QSize>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>

namespace canvas {

// Colours are packed as QRgb; the program's own are named in numeric/Colour.h.
static_assert(std::is_same_v<QRgb, numeric::Colour>);
using numeric::Rgb;
inline constexpr QRgb kBlack = numeric::kBlack;
// The window's default background, which Cls clears to.
inline constexpr QRgb kBackground = numeric::kBackground;

// The desktop's pixels of the lab's surface: the retained image every
// operation the surface admits is drawn on, in the frame the surface has in
// force. The record of what was drawn, the drawing state, the log and the
// refusals are the surface's alone; the canvas keeps pixels and, once
// attached, a reference to that record, which the smooth painters draw from.
// The retained image is the authority for what is measured in pixels: the
// flood fill's walls, the dots, the pen widths.
class Canvas final : public lab::PixelSink {
 public:
  explicit Canvas(QSize pixels);

  // lab::PixelSink
  void setFrame(const lab::Frame& frame) override;
  void draw(const lab::Op& op) override;
  Fill floodFill(int x, int y, lab::Colour fill, lab::Colour boundary) override;
  [[nodiscard]] std::shared_ptr<const Snapshot> save() const override;
  void restore(const Snapshot& s) override;
  void reset(lab::Size pixels) override;

  // The surface's record these pixels show; it must outlive the canvas's use.
  void attach(const lab::DisplayRecord& record) noexcept { record_ = &record; }
  // Null until attached: a painter then shows the retained image as it is.
  [[nodiscard]] const lab::DisplayRecord* record() const noexcept { return record_; }

  // The frame in force, and positions through it.
  [[nodiscard]] const lab::Frame& frame() const noexcept { return frame_; }
  [[nodiscard]] QPointF toPixel(double x, double y) const noexcept;
  [[nodiscard]] QPointF toWorld(QPointF pixel) const noexcept;

  // The retained image, with every operation so far applied.
  [[nodiscard]] const QImage& image() const { return image_.image(); }
  [[nodiscard]] QSize pixelSize() const noexcept { return image_.size(); }

  // Called after every change of the image (the view schedules a repaint).
  void setChangedCallback(std::function<void()> cb) { changed_ = std::move(cb); }
  // Called after reset with whether the size changed (the form follows).
  void setResetCallback(std::function<void(bool resized)> cb) { reset_ = std::move(cb); }

 private:
  void notify() const;

  RetainedImage image_;
  lab::Frame frame_;
  const lab::DisplayRecord* record_ = nullptr;
  std::function<void()> changed_;
  std::function<void(bool)> reset_;
};

// What of a recorded operation reaches a retained image of the frame's size,
// as that image draws it: a line clipped to the image's neighbourhood, a
// circle, arc or dot as it is; nothing for one that cannot touch the image,
// or lies so far out that Qt's fixed-point raster would misbehave. The
// retained image and the smooth painters both draw exactly this.
[[nodiscard]] std::optional<lab::Op> OnImage(const lab::Op& op, const lab::Frame& frame);

// The continuous pixel position of a world point of the frame.
[[nodiscard]] inline QPointF PixelOf(const lab::Frame& frame, double x, double y) noexcept {
  const lab::PixelPoint p = frame.toPixel(x, y);
  return {p.x, p.y};
}

}  // namespace canvas
