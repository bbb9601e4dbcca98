// Cost of what a lesson does on a full-HD window: one step of a lens slider
// dragged in the panel (a new lens: the scene drawn afresh, pixels included),
// and opening a saved set-up that continues a bundle.

#include <benchmark/benchmark.h>

#include "lab/SetupRun.h"
#include "window/Fermat.h"

namespace {

void BM_LensSliderStep(benchmark::State& state) {
  const auto w = app::Main(QSize(1920, 1080));
  optics::LensDesign design;
  double n = 1.5;
  for (auto _ : state) {
    // The index as a slider drags it, a hundredth a step.
    n = n > 2.5 ? 1.5 : n + 0.01;
    design.N = n;
    if (!w->setLens(design).empty()) state.SkipWithError("lens refused");
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LensSliderStep)->Unit(benchmark::kMillisecond);

void BM_OpenSetup(benchmark::State& state) {
  const auto w = app::Main(QSize(1920, 1080));
  lab::Setup setup = lab::CurrentSetup(w->lab());
  setup.lens.N = 1.5;
  for (const char* word : {"source=-250,10", "rays=40", "press=5", "time=40"}) {
    if (!lab::ParseAction(word, setup.actions).empty()) state.SkipWithError("bad action");
  }
  for (auto _ : state) {
    if (!w->openSetup(setup).empty()) state.SkipWithError("set-up refused");
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OpenSetup)->Unit(benchmark::kMillisecond);

}  // namespace
