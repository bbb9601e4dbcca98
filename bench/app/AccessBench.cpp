// What the additions for everyone cost where it is felt: a live drag step of
// the source with the tone on (a least-time search per move for its pitch),
// the words after a bundle continuation at 100 rays (what changed, then the
// whole picture), and the full-HD drawing repainted in the high-contrast
// theme after that continuation.

#include <benchmark/benchmark.h>

#include "canvas/PicturePainter.h"
#include "lab/Describe.h"
#include "window/Fermat.h"
#include "window/SoundPlayer.h"

#include <QImage>

namespace {

void BM_LiveDragMoveWithSound(benchmark::State& state) {
  const auto w = app::Main(QSize(1920, 1080));
  w->sound().setOn(true, w->lab());
  canvas::Form& f = w->form();
  const lab::ShapeCentre s = lab::CentreOf(w->lab().controls().shmeio);
  f.MouseDown(1, 0, s.x, s.y);
  float y = -40.0f;
  for (auto _ : state) {
    // The entry point along a short vertical line by the lens: a new pitch each move.
    y = y > 40.0f ? -40.0f : y + 0.5f;
    f.MouseMove(1, 0, -95.0f, y);
    w->lab().idle();
    w->catchUp();
    benchmark::ClobberMemory();
  }
  f.MouseUp(1, 0, -95.0f, y);
  state.counters["samples"] = static_cast<double>(w->sound().played().size());
}
BENCHMARK(BM_LiveDragMoveWithSound)->Unit(benchmark::kMicrosecond);

void BM_DescribeAfterBundleContinuation(benchmark::State& state) {
  const auto w = app::Main(QSize(1920, 1080));
  w->form().setMessageHandler([](const QString&) {});
  w->form().arithmosaktinon.setValue(100);
  w->lab().click(5);
  w->catchUp();
  for (auto _ : state) {
    lab::ChangeDescriber d;  // everything is news to a new one: the whole change
    benchmark::DoNotOptimize(d.next(w->lab()));
    benchmark::DoNotOptimize(lab::DescribePicture(w->lab()));
  }
}
BENCHMARK(BM_DescribeAfterBundleContinuation)->Unit(benchmark::kMicrosecond);

void BM_PaintHighContrastAfterBundleContinuation(benchmark::State& state) {
  auto w = app::Main(QSize(1920, 1080));
  w->form().setMessageHandler([](const QString&) {});
  w->form().arithmosaktinon.setValue(100);
  w->lab().click(5);
  w->catchUp();
  QImage image;
  for (auto _ : state) {
    canvas::RenderDrawingInto(image, w->form().canvas, 1, true, true);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_PaintHighContrastAfterBundleContinuation)->Unit(benchmark::kMillisecond);

}  // namespace
