// The medium scene on a full-HD window with the operation log off: a live
// move of the source while a bundle of 20 least-time paths follows it (each
// path from where it was), the handler and the redraw the event loop runs.

#include <benchmark/benchmark.h>

#include "lab/MediumText.h"
#include "window/Fermat.h"

namespace {

void BM_MediumLiveDragWith20Paths(benchmark::State& state) {
  auto w = app::Main(QSize(1920, 1080));
  (void)w->setMedium(lab::FindMediumPreset("mirage")->design);
  (void)w->lab().setBar(lab::BarId::Rays, 20);
  w->lab().click(2);
  w->catchUp();
  canvas::Form& f = w->form();
  const lab::ShapeCentre s = lab::CentreOf(w->lab().controls().kyklos);
  f.MouseDown(1, 0, s.x, s.y);
  float y = 0.0f;
  for (auto _ : state) {
    y = y > 60.0f ? 0.0f : y + 0.5f;
    f.MouseMove(1, 0, -120.0f, y);
    w->lab().idle();
    w->catchUp();
    benchmark::ClobberMemory();
  }
  f.MouseUp(1, 0, -120.0f, y);
}
BENCHMARK(BM_MediumLiveDragWith20Paths)->Unit(benchmark::kMillisecond);

}  // namespace
