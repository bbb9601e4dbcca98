#pragma once

#include <string>

namespace app {

class Fermat;
struct Options;

// Writes the files of --curve, --bundle and --graph-screenshot that the
// options ask for, each whole or not at all. Returns the first error, empty
// on success.
[[nodiscard]] std::string WriteGraphOutputs(Fermat& window, const Options& o);

}  // namespace app
