// Cost of the exact axis crossings of a whole bundle: the graph window asks
// for them again on every change of the bundle (a press, a time-slider move,
// each step of Play), so 100 rays must stay well within a frame (goal: 1 ms).

#include <benchmark/benchmark.h>

#include <optional>
#include <vector>

#include "optics/ExactRay.h"
#include "optics/Faces.h"
#include "optics/Lens.h"

namespace {

// The exit points of a bundle of n + 1 rays on the standard lens's second
// face, evenly spaced strictly inside the rims as the bundle spaces them.
std::vector<optics::FacePoint> bundleExits(const optics::Lens& lens, int n) {
  const double alpha = optics::RimParameter(lens.Second, lens.HalfAperture);
  const double delta = 2.0 * alpha / (n + 2);
  std::vector<optics::FacePoint> exits;
  for (int i = 0; i <= n; ++i) exits.push_back(optics::PointOf(lens.Second, (-alpha + delta) + delta * i));
  return exits;
}

void BM_ExactAxisCrossings100Rays(benchmark::State& state) {
  const optics::Lens lens = optics::Lens::Standard();
  const std::vector<optics::FacePoint> exits = bundleExits(lens, 100);
  double sx = -250.0, sy = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(sx);
    benchmark::DoNotOptimize(sy);
    int crossings = 0;
    for (const optics::FacePoint& x : exits) {
      const std::optional<double> c = optics::ExactAxisCrossing(lens, sx, sy, x.X, x.Y);
      benchmark::DoNotOptimize(c);
      crossings += c.has_value();
    }
    benchmark::DoNotOptimize(crossings);
  }
}
BENCHMARK(BM_ExactAxisCrossings100Rays)->Unit(benchmark::kMicrosecond);

}  // namespace
