// fermat-lab: the program without a display or a toolkit. It runs the same
// lab as the window, takes fermat-lens's command line for everything that
// needs no pixels, and prints the same bytes.
#include "headless/CommandLine.h"
#include "headless/Start.h"
#include "lab/Numbers.h"
#include "text/CatalogueCheck.h"

#include <fstream>
#include <sstream>

#include <iostream>

#ifndef FERMAT_LENS_VERSION
#error "FERMAT_LENS_VERSION must be defined by the build (the CMake project version)"
#endif

namespace {

int fail(const std::string& message) {
  std::cerr << "fermat-lab: " << message << "\n";
  return 2;
}

// A teacher's check of a catalogue they wrote or mended: each fault on a line,
// status 1 when there is one.
int checkCatalogue(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return fail("cannot read " + lab::Quoted(path));
  std::ostringstream text;
  text << in.rdbuf();
  const std::vector<std::string> faults = text::CheckCatalogueText(text.str());
  for (const std::string& f : faults) std::cout << path << ": " << f << "\n";
  if (faults.empty()) std::cout << path << ": complete\n";
  std::cout << std::flush;
  return faults.empty() ? 0 : 1;
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
  if (!o.checkCatalogue.empty()) return checkCatalogue(o.checkCatalogue);
  headless::LabProgram program(std::cout);
  const headless::Ending end = headless::RunSession(o, program, std::cout);
  return end.error.empty() ? end.status : fail(end.error);
}
