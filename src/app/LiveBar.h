#pragma once

#include "app/IdleCall.h"
#include "app/SceneModel.h"
#include "canvas/Canvas.h"

#include <QObject>
#include <QString>

#include <array>
#include <optional>
#include <vector>

namespace canvas {
class Form;
class ScrollBar;
}  // namespace canvas

namespace app {

// Makes one scroll bar live while its thumb is dragged: the newest thumb
// position becomes the bar's value (an ordinary Change) once the event loop is
// idle, coalesced as the marker drag is. The complete thumb drag ends in the
// state the classic bar reaches on release:
// - released where the last live value stands: nothing runs again, and the
//   message boxes that value's Change raised (held back while dragging, so no
//   modal box opens mid-drag) are shown now;
// - released elsewhere: the bar applies that value as it always does;
// - released where the drag started: the classic bar changes nothing, so the
//   picture, labels and the model's results from before the drag are put back.
// Each live value, and a value the release applies, starts from the drawing
// state of the drag's start, as the classic bar's one change does.
class LiveBar final : public QObject {
 public:
  LiveBar(canvas::Form& form, SceneModel& model, canvas::ScrollBar& bar);

  void setEnabled(bool on);
  // Applies the pending thumb position now, if the thumb is still held.
  void flush();

 private:
  void moved(int qtPosition);
  void released();

  // What the first live change of a drag is about to overwrite.
  struct Before {
    int value = 0;
    canvas::Canvas::Saved canvas;
    std::array<QString, 6> labels;
    SceneModel::Snapshot model;
  };
  [[nodiscard]] Before capture() const;
  void restore(const Before& b);

  canvas::Form& form_;
  SceneModel& model_;
  canvas::ScrollBar& bar_;
  bool enabled_ = true;
  std::optional<int> pending_;
  IdleCall apply_{*this, [this] { flush(); }};
  std::optional<Before> before_;
  std::vector<QString> held_;  // message boxes of the last live value
};

}  // namespace app
