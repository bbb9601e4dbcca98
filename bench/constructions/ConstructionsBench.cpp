// Cost of the constructions on a full-HD window with the operation log off,
// as the program runs: a bundle of 101 rays, one single-ray continuation, and
// a time-slider change with 101 rays that reuses the last continuation
// (clear, static scene, the stored construction, two wavelet generations), a
// full continuation (up to 15 searches per continued ray); and the bundle
// continuation computed by the core alone.

#include <benchmark/benchmark.h>

#include "window/Fermat.h"
#include "core/BundleContinuation.h"

#include <memory>

namespace {

constexpr int kRays = 100;  // the ray bar's maximum

std::unique_ptr<app::Fermat> StartedWindow() {
  auto w = app::Main(QSize(1920, 1080));
  // A message box would wait for a user; none is expected here.
  w->form().setMessageHandler([](const QString&) {});
  return w;
}

void BM_DrawBundle(benchmark::State& state) {
  const auto w = StartedWindow();
  w->form().arithmosaktinon.setValue(kRays);
  for (auto _ : state) {
    w->lab().click(2);
    w->catchUp();
    benchmark::DoNotOptimize(w->model().bundle()->Rays.data());
  }
}
BENCHMARK(BM_DrawBundle)->Unit(benchmark::kMicrosecond);

void BM_ContinueRay(benchmark::State& state) {
  const auto w = StartedWindow();
  for (auto _ : state) {
    w->lab().click(4);
    w->catchUp();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ContinueRay)->Unit(benchmark::kMicrosecond);

// A change of the time slider with the source, ray count and frame of the
// last continuation: the stored continuation is drawn again, only the
// wavelets are computed.
void BM_TimeSliderChange(benchmark::State& state) {
  const auto w = StartedWindow();
  canvas::Form& f = w->form();
  f.arithmosaktinon.setValue(kRays);
  f.xronosmetato.setValue(100);  // the largest second generation; runs the handler once
  for (auto _ : state) {
    w->xronosmetato_Change();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TimeSliderChange)->Unit(benchmark::kMillisecond);

// "continuation of bundle after lens" at slider 100 after a clear: the whole
// continuation computed and drawn (what every slider change cost before).
void BM_ContinueBundleFull(benchmark::State& state) {
  const auto w = StartedWindow();
  canvas::Form& f = w->form();
  f.arithmosaktinon.setValue(kRays);
  f.xronosmetato.setValue(100);
  for (auto _ : state) {
    w->lab().surface().Cls();
    w->lab().click(5);
    w->catchUp();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ContinueBundleFull)->Unit(benchmark::kMillisecond);

// The computation alone, without a canvas: the part a live view pays for on
// every change of the source.
void BM_CoreBundleContinuation(benchmark::State& state) {
  const optics::Lens lens = optics::Lens::Standard();
  for (auto _ : state) {
    core::BundleContinuationResult c = core::ContinueBundle(lens, {320, 180}, {-260.5f, 0.0f}, kRays);
    benchmark::DoNotOptimize(c.Bundle.Rays.data());
  }
}
BENCHMARK(BM_CoreBundleContinuation)->Unit(benchmark::kMillisecond);

}  // namespace
