#pragma once

#include "canvas/Control.h"

#include <functional>

class QScrollBar;

namespace canvas {

// A scroll bar whose Min stands at the top (vertical) or the left
// (horizontal); Min may be larger than Max, as for a bar that runs from 99 at
// the top to -99 at the bottom. Change fires after the user has changed the
// value (not while the thumb is being dragged), and for a programmatic write
// of a different value; writing the value it already has fires nothing.
class ScrollBar final : public Control {
 public:
  ScrollBar(QWidget* parent, Qt::Orientation orientation, QRectF designTwips, int min, int max,
            int largeChange, int smallChange, int value);

  [[nodiscard]] int Value() const;
  // Returns false (and changes nothing) for a value outside Min..Max.
  bool setValue(int v);
  [[nodiscard]] int Min() const noexcept { return min_; }
  [[nodiscard]] int Max() const noexcept { return max_; }
  [[nodiscard]] bool contains(int v) const noexcept;
  void setEnabled(bool on);
  // The design position and value, enabled; fires no Change.
  void restoreDesign() override;
  void onChange(std::function<void()> handler) { change_ = std::move(handler); }
  [[nodiscard]] QScrollBar* bar() const noexcept { return bar_; }
  // Between a Value and the Qt bar's value or slider position (negated when
  // Min exceeds Max); the same mapping both ways.
  [[nodiscard]] int toQt(int v) const noexcept { return inverted_ ? -v : v; }
  [[nodiscard]] int fromQt(int q) const noexcept { return toQt(q); }

 private:
  QScrollBar* bar_;
  int min_, max_;
  bool inverted_;
  int designValue_;
  std::function<void()> change_;
};

}  // namespace canvas
