// The mirror scene on a full-HD window with the operation log off: a live
// move of the source (the handler, then the redraw the event loop runs:
// clear, the mirror scene, the two legs, the time), and the reflected bundle
// of 100 rays with its drawing.

#include <benchmark/benchmark.h>

#include "core/MirrorBundle.h"
#include "window/Fermat.h"

namespace {

std::unique_ptr<app::Fermat> mirrorWindow() {
  auto w = app::Main(QSize(1920, 1080));
  (void)w->setMirror(optics::MirrorDesign{.Kind = optics::MirrorKind::Concave, .Radius = 300});
  return w;
}

void BM_MirrorLiveDragMove(benchmark::State& state) {
  const auto w = mirrorWindow();
  canvas::Form& f = w->form();
  const lab::ShapeCentre s = lab::CentreOf(w->lab().controls().kyklos);
  f.MouseDown(1, 0, s.x, s.y);
  float y = 40.0f;
  for (auto _ : state) {
    y = y > 140.0f ? 40.0f : y + 0.5f;
    f.MouseMove(1, 0, -240.0f, y);
    w->lab().idle();
    w->catchUp();
    benchmark::ClobberMemory();
  }
  f.MouseUp(1, 0, -240.0f, y);
}
BENCHMARK(BM_MirrorLiveDragMove)->Unit(benchmark::kMicrosecond);

// The construction alone: the rays and their drawing as data.
void BM_ReflectBundle100(benchmark::State& state) {
  const optics::Mirror m = *optics::MakeMirror({.Kind = optics::MirrorKind::Concave, .Radius = 300}).mirror;
  for (auto _ : state) {
    core::MirrorBundleResult b = core::ReflectBundle(m, {-240, 90}, 100, {369, 208}, 1);
    benchmark::DoNotOptimize(b);
  }
}
BENCHMARK(BM_ReflectBundle100)->Unit(benchmark::kMicrosecond);

// The press as the user makes it: the construction, drawn on the window.
void BM_ReflectBundle100Pressed(benchmark::State& state) {
  const auto w = mirrorWindow();
  (void)w->lab().setBar(lab::BarId::Rays, 100);
  for (auto _ : state) {
    w->lab().click(2);
    w->catchUp();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ReflectBundle100Pressed)->Unit(benchmark::kMicrosecond);

}  // namespace
