// fermat-lab: the program without a display or a toolkit. It runs the same
// lab as the window, takes fermat-lens's command line for everything that
// needs no pixels, and prints the same bytes.
#include "headless/CommandLine.h"
#include "headless/Start.h"

#include <iostream>

#ifndef FERMAT_LENS_VERSION
#error "FERMAT_LENS_VERSION must be defined by the build (the CMake project version)"
#endif

namespace {

int fail(const std::string& message) {
  std::cerr << "fermat-lab: " << message << "\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const headless::Parsed parsed = headless::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.options) return fail(parsed.error);
  const headless::Options& o = *parsed.options;
  if (o.help) {
    std::cout << headless::Usage() << std::flush;
    return 0;
  }
  if (o.version) {
    std::cout << "fermat-lab " << FERMAT_LENS_VERSION << "\n" << std::flush;
    return 0;
  }
  headless::LabProgram program(std::cout);
  const headless::Ending end = headless::RunSession(o, program, std::cout);
  return end.error.empty() ? end.status : fail(end.error);
}
