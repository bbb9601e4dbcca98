#pragma once

#include "cli/CommandLine.h"

#include <cstdint>
#include <vector>

namespace app {
class Fermat;
}

namespace testing_support {

// A seeded random session of user input: drags of either marker from
// anywhere to anywhere (off the frame, onto the lens, onto the other marker),
// stray presses, moves and releases, every bar over its whole range by value
// and by thumb, every button, keys, and now and then Play (from near the end of
// the time bar, so that sessions stay quick).
[[nodiscard]] std::vector<app::Action> RandomSession(std::uint32_t seed, int length);

// The single inputs a user makes for an action on this window: a marker drag
// (source=, entry=) becomes a press on the marker, moves on the way and the
// release, so that live drawing runs between them; anything else stays as it is.
[[nodiscard]] std::vector<app::Action> AsUserInput(app::Fermat& window, const app::Action& action);

}  // namespace testing_support
