// fermat-lab: the program without a display or a toolkit. It runs the same
// lab as the window, takes fermat-lens's command line for everything that
// needs no pixels, and prints the same bytes.
#include "headless/CommandLine.h"
#include "headless/Files.h"
#include "lab/Lab.h"
#include "lab/Run.h"
#include "lab/Lessons.h"
#include "lab/SetupRun.h"

#include <cstdio>
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
  // fermat-lens's size without a display.
  const auto [width, height] = o.size.value_or(std::pair{1280, 800});
  lab::Lab lab({width, height});
  lab.setLogging(!o.trace.empty());
  lab.buildScene();
  if (o.lens) {
    // Checked when the command line was read: the lens can exist.
    if (std::string e = lab.setLens(*o.lens); !e.empty()) return fail("--lens: " + e);
  }
  if (o.setup) {
    if (std::string e = lab::OpenSetup(lab, *o.setup); !e.empty()) return fail("--open: " + e);
  }
  if (!o.lesson.empty()) {
    if (std::string e = lab::OpenLesson(lab, *lab::FindLesson(o.lesson)); !e.empty()) return fail("--lesson: " + e);
  }
  if (o.classic) lab.setLive(false);
  if (o.challenge) lab.challenge().start(lab);
  // No one to press OK: the message is written out and counts as dismissed.
  const lab::MessageOut out = [](const std::string& text) { std::cout << "MsgBox\t" << text << std::endl; };
  for (const lab::Action& a : o.actions) lab::RunAction(lab, a, out);

  if (o.printLabels) std::cout << lab::LabelLines(lab) << std::flush;
  if (o.challenge) std::cout << "Challenge\t" << lab::ChallengeText(*lab.challenge().reveal(lab)) << "\n" << std::flush;
  // Every output is written to a temporary first; only when all are complete
  // do they replace their targets, so a failure leaves none behind.
  headless::OutputFiles files;
  const std::pair<const std::string*, std::string> outputs[] = {
      {&o.trace, o.trace.empty() ? std::string() : lab::TraceText(lab)},
      {&o.curve, o.curve.empty() ? std::string() : lab::CurveFile(lab)},
      {&o.bundle, o.bundle.empty() ? std::string() : lab::BundleFile(lab)},
      {&o.save, o.save.empty() ? std::string() : lab::SetupJson(lab::CurrentSetup(lab))},
      {&o.equalTime, o.equalTime.empty() ? std::string() : lab::EqualTimeFile(lab, o.equalTimeAt)}};
  for (const auto& [path, bytes] : outputs) {
    if (path->empty()) continue;
    if (std::string e = files.add(*path, bytes); !e.empty()) return fail(e);
  }
  if (std::string e = files.commit(); !e.empty()) return fail(e);
  return 0;
}
