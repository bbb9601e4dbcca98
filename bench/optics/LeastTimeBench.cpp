// Cost of one least-time entry search: the walk makes 40 to 80 evaluations of
// the surface point and the path time, and a bundle makes one search per ray.

#include <benchmark/benchmark.h>

#include <cmath>

#include "optics/Geometry.h"
#include "optics/LeastTime.h"
#include "optics/Lens.h"

namespace {

// Exit point at polar angle 0.2 rad on the second surface, about (-165, 0).
constexpr double kExitAngle = 0.2;

void BM_LeastTimeEntry(benchmark::State& state) {
  const optics::Lens lens = optics::Lens::Standard();
  double sx = -300.0, sy = 0.0;
  double px = 180.0 * std::cos(kExitAngle) - 165.0;
  double py = 180.0 * std::sin(kExitAngle);
  for (auto _ : state) {
    // Hide the inputs from the optimiser so the call is not hoisted.
    benchmark::DoNotOptimize(sx);
    benchmark::DoNotOptimize(sy);
    benchmark::DoNotOptimize(px);
    benchmark::DoNotOptimize(py);
    optics::LeastTimeResult r = optics::LeastTimeEntry(sx, sy, px, py, lens);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_LeastTimeEntry);

// The kernel inside the walk, for scale.
void BM_PathTime(benchmark::State& state) {
  double x1 = -300.0, y1 = 0.0, x2 = -14.0, y2 = 12.0, x3 = 10.0, y3 = 30.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(x1);
    benchmark::DoNotOptimize(x2);
    double t = optics::PathTime(x1, y1, x2, y2, x3, y3, 2.0, 1.0);
    benchmark::DoNotOptimize(t);
  }
}
BENCHMARK(BM_PathTime);

}  // namespace
