#pragma once

#include "lab/Surface.h"

namespace canvas {

class Form;

// The form's canvas as the pixels of the program's surface: every operation
// the surface admits is drawn onto the retained image with the operation's own
// pen and fill, and the fill's answer (did it paint?) goes back.
class CanvasSink final : public lab::PixelSink {
 public:
  explicit CanvasSink(Form& form) : form_(form) {}

  void scale(double x1, double y1, double x2, double y2) override;
  void draw(const lab::Op& op) override;
  bool floodFill(int x, int y, lab::Colour fill, lab::Colour boundary) override;
  void refused() override;
  void setLogging(bool on) override;
  [[nodiscard]] std::shared_ptr<const Snapshot> save() const override;
  void restore(const Snapshot& s) override;
  [[nodiscard]] Mark mark() const override;
  [[nodiscard]] std::shared_ptr<const Snapshot> drawnSince(Mark m) const override;
  void replay(const Snapshot& s) override;
  void reset(lab::Size pixels) override;

 private:
  Form& form_;
};

}  // namespace canvas
