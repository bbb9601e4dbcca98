#pragma once

#include "lab/Op.h"

#include <string>

namespace lab {

// One drawing operation as a line of JSON (no newline), world units, numbers
// in the shortest form that reads back as the same double (ShortestText), the
// colours as "#rrggbb". This is the line format of --trace.
[[nodiscard]] std::string TraceLine(const Op& op);

}  // namespace lab
