#pragma once

#include "app/Marker.h"

#include <QString>

#include <vector>

class QKeyEvent;

namespace app {

class Fermat;
class TimeSweep;

// The keys of the window: arrows move the active marker by 1 world unit
// (Shift: 10), each press a complete drag of it; Ctrl+1 ... Ctrl+5 click the
// five buttons; Space plays or pauses. A focused scroll bar keeps its own
// arrow keys. Any key but Space stops a running sweep.
class KeyboardControl {
 public:
  KeyboardControl(Fermat& window, TimeSweep& sweep, const Marker& active)
      : window_(window), sweep_(sweep), active_(active) {}

  // True when the key was taken here and must go no further.
  bool keyPressed(const QKeyEvent& event);

  // Moves the active marker by (dx, dy) world units as one complete drag.
  void moveActive(float dx, float dy);

 private:
  Fermat& window_;
  TimeSweep& sweep_;
  const Marker& active_;
};

// One key of the window and what it does.
struct KeyRow {
  QString keys, what;
};
[[nodiscard]] const std::vector<KeyRow>& KeyRows();
// What the table leaves unsaid, one paragraph.
[[nodiscard]] QString KeysNote();

// The keys as --help lists them: one a line in two aligned columns, then the note.
[[nodiscard]] QString KeysHelp();

}  // namespace app
