#pragma once

#include "window/Fermat.h"

#include <memory>

namespace app {

// The interactive start-up: shows the window maximised at once and builds
// the scene on its client area (the central area, below a menu bar if there
// is one) when the window is first exposed. By then the window manager has
// given the window its size, and nothing has been painted yet, so the first
// frame on the screen is the complete scene. Without a window manager the
// window covers the screen's available area, as a maximised one would.
// Returns once the scene is built.
[[nodiscard]] std::unique_ptr<Fermat> MainMaximised();

}  // namespace app
