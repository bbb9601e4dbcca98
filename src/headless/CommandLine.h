#pragma once

#include "lab/Script.h"
#include "lab/Setup.h"

#include <optional>
#include <string>
#include <vector>

namespace headless {

// What fermat-lab is asked to do: the options of fermat-lens that need no
// pixels, and the actions.
struct Options {
  bool help = false;
  bool version = false;
  std::optional<std::pair<int, int>> size;  // client area in pixels
  bool printLabels = false;
  bool classic = false;
  std::optional<optics::LensDesign> lens;  // --lens, one that can exist
  std::optional<lab::Setup> setup;       // --open, read before the start
  std::string open;                      // --open's file, as given
  bool verbose = false;                  // --verbose: technical words after a damaged set-up's refusal
  std::string save;                      // --save: the set-up after the actions, empty for none
  std::string lesson;                    // --lesson KEY, empty for none
  bool challenge = false;                // --challenge: on from the start, revealed after the actions
  std::string equalTime;                 // --equal-time FILE.csv, empty for none
  std::optional<double> equalTimeAt;     // --equal-time-at X
  std::string trace, curve, bundle;  // output files, empty for none
  std::vector<lab::Action> actions;
};

struct Parsed {
  std::optional<Options> options;
  std::string error;  // one line, when options is empty
};

// Reads the arguments (without the program name) as fermat-lens reads them:
// "--name value", "--name=value" or "-name value"; "--" ends the options;
// every other word is an action. Options that need pixels are refused.
[[nodiscard]] Parsed ParseCommandLine(const std::vector<std::string>& args);

[[nodiscard]] std::string Usage();

}  // namespace headless
