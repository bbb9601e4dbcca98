#pragma once

namespace lab {

// Where the markers and bars stand: what a restart keeps (a change of lens)
// or sets (a set-up opened).
struct Placement {
  float sourceX = 0, sourceY = 0;  // centre of the source marker, world units
  float entryX = 0, entryY = 0;    // centre of the entry-point marker
  int height = 0;                  // target bar
  int rays = 10;                   // ray-count bar
  int time = 5;                    // time slider
  // The mirror scene's target (unused by the lens scene), at its start position.
  float targetX = -240, targetY = -90;
  bool operator==(const Placement&) const = default;
};

}  // namespace lab
