// Cost of one live move of a marker drag on a full-HD window with the
// operation log off: the move's handler plus the redraw the event loop then
// runs (clear, static scene, the two path lines, the travel time).

#include <benchmark/benchmark.h>

#include "window/Fermat.h"

namespace {

void BM_LiveDragMove(benchmark::State& state) {
  const auto w = app::Main(QSize(1920, 1080));
  canvas::Form& f = w->form();
  const lab::ShapeCentre s = lab::CentreOf(w->lab().controls().kyklos);
  f.MouseDown(1, 0, s.x, s.y);
  float x = -250.0f;
  for (auto _ : state) {
    // Sweeps the source along a short vertical line left of the lens.
    x = x > -150.0f ? -250.0f : x + 0.5f;
    f.MouseMove(1, 0, x, 30.0f);
    w->lab().idle();
    w->catchUp();
    benchmark::ClobberMemory();
  }
  f.MouseUp(1, 0, x, 30.0f);
  state.counters["redraws"] = w->lab().dragRedraws();
}
BENCHMARK(BM_LiveDragMove)->Unit(benchmark::kMicrosecond);

}  // namespace
