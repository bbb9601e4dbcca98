#pragma once

#include "app/IdleCall.h"

#include <QObject>

#include <optional>

namespace app {

class Fermat;

// Draws, while a marker is dragged, what its release would show at the
// pointer. Moves are coalesced: a move only stores the newest position and
// schedules one redraw for when the event loop is next idle, so the picture is
// never more than one redraw behind the pointer and stale positions are never
// drawn. No redraw runs while a message box is open (its nested event loop
// must not start drawing inside the construction that raised it).
class LiveDrag final : public QObject {
 public:
  explicit LiveDrag(Fermat& window) : window_(window) {}
  LiveDrag(const LiveDrag&) = delete;
  LiveDrag& operator=(const LiveDrag&) = delete;

  void setEnabled(bool on);
  // After the window has handled a move to (x, y).
  void moved(float x, float y);
  // Before a release: the release draws the final picture itself.
  void cancel() noexcept { pending_.reset(); }
  // Draws the pending position now, if there is one and a marker is still dragged.
  void flush();
  // Redraws drawn so far (moves minus the coalesced ones).
  [[nodiscard]] int redraws() const noexcept { return redraws_; }

 private:
  struct Position {
    float x, y;
  };
  Fermat& window_;
  bool enabled_ = true;
  std::optional<Position> pending_;
  IdleCall redraw_{*this, [this] { flush(); }};
  int redraws_ = 0;
};

}  // namespace app
