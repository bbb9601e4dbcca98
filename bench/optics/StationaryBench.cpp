// Cost of finding every stationary point of one path source -> mirror ->
// target: "position by Fermat" in the mirror scene and every live redraw of a
// drag there run it once (goal: 20 us), on each kind of mirror.

#include <benchmark/benchmark.h>

#include "optics/Mirror.h"
#include "optics/Stationary.h"

namespace {

void BM_StationaryPoints(benchmark::State& state) {
  const optics::MirrorPreset& preset = optics::MirrorPresets()[static_cast<std::size_t>(state.range(0))];
  const optics::Mirror m = *optics::MakeMirror(preset.design).mirror;
  state.SetLabel(preset.key);
  // The mirror scene's start positions, the source a little off them so that
  // the ellipse's time is not constant.
  double sx = -237, sy = 91, tx = -240, ty = -90;
  for (auto _ : state) {
    benchmark::DoNotOptimize(sx);
    benchmark::DoNotOptimize(ty);
    const optics::StationaryResult r = optics::StationaryPoints(m, sx, sy, tx, ty, 2);
    benchmark::DoNotOptimize(r.Points.data());
  }
}
BENCHMARK(BM_StationaryPoints)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

}  // namespace
