#pragma once

#include "core/Bundle.h"
#include "core/Drawing.h"
#include "core/Inputs.h"

#include <optional>
#include <vector>

namespace core {

// "continuation of bundle after lens" without the time slider: the bundle
// rebuilt, every ray within the critical angle continued to the frame's edge,
// and everything of the wavelets that the slider does not change.
struct BundleContinuationResult {
  Frame FrameUsed;                  // with Bundle.Source and Bundle.N, everything the result depends on
  BundleResult Bundle;              // per ray: exit, entry, arrival, incidence, continuation, wavefront point, red line
  Drawing Construction;             // the rays, FillStyle 1, the continuations with their captions and messages
  float Latest = 0;                 // latest arrival
  std::vector<double> FirstRadius;  // first-generation radius per ray, vo ((latest + 1.5) - arrival)
  // Centre of each ray's second-generation circle, where its continuation meets
  // its first circle; none for a ray without one.
  std::vector<std::optional<Point>> SecondCentre;
};

// The slider's part: the instant T = slider + latest and the second
// generation's radius vo (T - (latest + 0.7)).
struct BundleWavelets {
  int Slider = 0;
  float Instant = 0;
  double SecondRadius = 0;
  Drawing drawing;  // FillStyle 1, the first generation, the second generation
  std::size_t SecondFrom = 0;  // index in drawing.ops of the second generation's first circle
};

// Continues bundle ray leaving the lens at P = (x, y) (nothing of its wavelets
// drawn), up to five attempts with ever closer neighbours, then the red
// continuation to the edge of the frame and the captions. Fills the ray's
// continuation fields; a ray not continued (total reflection, or no pair of
// wavelets crossed in any attempt) draws nothing and keeps no wavefront point.
void ContinueBundleRay(const optics::Lens& lens, Frame frame, SourcePoint source, BundleRay& ray, Drawing& drawing);

[[nodiscard]] BundleContinuationResult ContinueBundle(const optics::Lens& lens, Frame frame, SourcePoint source, int n);

// Whether a stored continuation is the one ContinueBundle would compute for
// these inputs (the lens is a constant of the program): then a new slider
// value needs only WaveletsAt. Sources and frames compare as the Singles they are.
[[nodiscard]] bool ContinuesFrom(const BundleContinuationResult& c, Frame frame, SourcePoint source, int n) noexcept;

// Both wavelet generations of a stored continuation for a slider value; only
// the second generation's radius depends on it.
[[nodiscard]] BundleWavelets WaveletsAt(const BundleContinuationResult& c, const optics::Lens& lens, int slider);

// The whole picture of the press for a slider value: the stored construction,
// both wavelet generations, and FillStyle 0 at the end; and the same picture
// in two parts, before and from the second generation.
[[nodiscard]] Drawing BundleContinuationDrawing(const BundleContinuationResult& c, const BundleWavelets& w);
[[nodiscard]] Drawing WithoutSecondGeneration(const BundleContinuationResult& c, const BundleWavelets& w);
[[nodiscard]] Drawing SecondGeneration(const BundleWavelets& w);

}  // namespace core
