#pragma once

#include <string>

namespace canvas {
class OutputFiles;
}

namespace app {

class Fermat;
struct Options;

// Adds the files of --curve, --bundle and --graph-screenshot that the
// options ask for to `files`, which the caller commits together with the
// others. Returns the first error, empty on success.
[[nodiscard]] std::string WriteGraphOutputs(Fermat& window, const Options& o, canvas::OutputFiles& files);

}  // namespace app
