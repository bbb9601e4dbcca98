// Least-time paths through a graded medium: one discrete path of 128
// segments found by Newton's method from the straight line (the issue's
// "one path at N = 128"), and the whole search of every stationary path
// with its refinement.

#include <benchmark/benchmark.h>

#include "optics/CurvedPath.h"

namespace {

const optics::Medium& mirage() {
  static const optics::Medium m =
      *optics::MakeMedium({.Profile = optics::MediumProfile::HotRoad, .N0 = 0.95, .G = 0.005}).medium;
  return m;
}

void BM_CurvedPathN128(benchmark::State& state) {
  const std::vector<double> straight(129, 0);
  for (auto _ : state) {
    optics::DiscretePath p = optics::SolveDiscretePath(mirage(), {-120, 20}, {120, 20}, straight);
    benchmark::DoNotOptimize(p);
  }
}
BENCHMARK(BM_CurvedPathN128)->Unit(benchmark::kMicrosecond);

void BM_CurvedPathRefined(benchmark::State& state) {
  const std::vector<double> straight(3, 0);
  for (auto _ : state) {
    std::optional<optics::CurvedPath> p = optics::RefineCurvedPath(mirage(), {-120, 20}, {120, 20}, straight);
    benchmark::DoNotOptimize(p);
  }
}
BENCHMARK(BM_CurvedPathRefined)->Unit(benchmark::kMicrosecond);

void BM_FindCurvedPathsMirage(benchmark::State& state) {
  for (auto _ : state) {
    optics::CurvedSearch s = optics::FindCurvedPaths(mirage(), {-120, 20}, {120, 20});
    benchmark::DoNotOptimize(s);
  }
}
BENCHMARK(BM_FindCurvedPathsMirage)->Unit(benchmark::kMicrosecond);

}  // namespace
