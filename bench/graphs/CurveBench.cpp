// Cost of what the graph view and --curve recompute after every change: the
// 721-point travel-time curve with its least-time search, and its CSV text.

#include <benchmark/benchmark.h>

#include "graphs/Csv.h"
#include "graphs/MediumCurve.h"
#include "graphs/TravelTimeCurve.h"

namespace {

// Source left of the lens, target point for height -30, entry marker off the minimum.
const graphs::CurveInput kInput{-200, 40, 14.2572, -30, -12, 30};

void BM_TravelTimeCurve(benchmark::State& state) {
  const optics::Lens lens = optics::Lens::Standard();
  graphs::CurveInput in = kInput;
  for (auto _ : state) {
    benchmark::DoNotOptimize(in);
    graphs::CurveData d = graphs::TravelTimeCurve(in, lens);
    benchmark::DoNotOptimize(d);
  }
}
BENCHMARK(BM_TravelTimeCurve);

void BM_CurveCsv(benchmark::State& state) {
  const graphs::CurveData d = graphs::TravelTimeCurve(kInput, optics::Lens::Standard());
  for (auto _ : state) {
    std::string text = graphs::CurveCsv(d);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_CurveCsv);

// The graph of the medium scene, which follows a drag of any marker: the
// family of paths through the vertical line through the entry point.
void BM_MediumTravelTimeCurve(benchmark::State& state) {
  const optics::Medium m =
      *optics::MakeMedium({.Profile = optics::MediumProfile::HotRoad, .N0 = 0.95, .G = 0.005}).medium;
  for (auto _ : state) {
    graphs::CurveData d = graphs::MediumTravelTimeCurve({-120, 20, 120, 20, 0, -10}, m, 192);
    benchmark::DoNotOptimize(d);
  }
}
BENCHMARK(BM_MediumTravelTimeCurve)->Unit(benchmark::kMillisecond);

}  // namespace

