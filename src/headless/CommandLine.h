#pragma once

#include "headless/Session.h"

#include <optional>
#include <string>
#include <vector>

namespace headless {

// What fermat-lab is asked to do: the options of fermat-lens that need no
// pixels, and the actions.
using Options = Session;

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
