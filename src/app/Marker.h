#pragma once

#include "canvas/Form.h"

namespace app {

// The two markers a user moves.
enum class Marker { Source, Entry };

[[nodiscard]] inline canvas::Shape& ShapeOf(canvas::Form& f, Marker m) {
  return m == Marker::Source ? f.kyklos : f.shmeio;
}

}  // namespace app
