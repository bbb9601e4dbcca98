#include "canvas/DisplayList.h"

namespace canvas {

void DisplayList::setFrame(const Frame& frame) {
  ++revision_;
  if (items_.empty()) {
    frames_.assign(1, frame);
  } else {
    frames_.push_back(frame);
  }
}

void DisplayList::clear() {
  ++revision_;
  ++generation_;
  items_.clear();
  frames_.erase(frames_.begin(), frames_.end() - 1);
  complete_ = true;
}

void DisplayList::add(const CanvasOp& op, std::shared_ptr<const FillShape> fill) {
  ++revision_;
  if (!complete_) return;
  if (items_.size() >= kMaxItems) {
    complete_ = false;
    ++generation_;
    items_.clear();
    items_.shrink_to_fit();
    return;
  }
  items_.push_back({op, static_cast<int>(frames_.size()) - 1, std::move(fill)});
}

void DisplayList::restore(const DisplayList& saved) {
  frames_ = saved.frames_;
  items_ = saved.items_;
  complete_ = saved.complete_;
  ++generation_;
  ++revision_;
}

}  // namespace canvas
