// Painting the window's drawing from the recorded operations, as the form
// does when the record has changed: a full-HD client area after a whole
// continuation of the bundle at 100 rays (static scene, 101 rays through the
// lens, the continued rays, two wavelet generations), at device pixel ratio
// 1 and 2, anti-aliased. Between records the form repaints from the cached
// result.

#include <benchmark/benchmark.h>

#include "window/Fermat.h"
#include "canvas/PicturePainter.h"

#include <memory>

namespace {

void BM_PaintDrawingAfterBundleContinuation(benchmark::State& state) {
  const double ratio = static_cast<double>(state.range(0));
  auto w = app::Main(QSize(1920, 1080));
  w->form().setMessageHandler([](const QString&) {});
  w->form().arithmosaktinon.setValue(100);
  w->lab().click(5);
  w->catchUp();
  const canvas::Canvas& c = w->form().canvas;
  state.counters["operations"] = static_cast<double>(w->lab().surface().record().items().size());
  QImage image;  // reused from one paint to the next, as the form's cache is
  for (auto _ : state) {
    canvas::RenderDrawingInto(image, c, ratio, true);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_PaintDrawingAfterBundleContinuation)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace
