#pragma once

#include "scene/SceneState.h"

namespace canvas {
class Form;
}

namespace constructions {

// Continues bundle ray leaving the lens at P = (x, y): wavelets about P and two
// neighbours (nothing of them drawn), up to five attempts with ever closer
// neighbours, then the red continuation to the edge of the frame, the labels,
// and the wavefront point left in s.WavefrontPoint. Returns false when the ray
// was not continued (total reflection, or no pair of wavelets crossed in any
// attempt): then nothing is drawn and s.WavefrontPoint is unchanged.
bool ContinueBundleRay(canvas::Form& form, scene::SceneState& s, double x, double y);

// First-generation wavelets about the exit points at 1.5 after the latest
// arrival, and second-generation ones of radius vo (T - (latest + 0.7)) about
// where each continued ray meets its first circle. Leaves FillStyle 1.
void DrawBundleWavelets(canvas::Form& form, const scene::SceneState& s, float instant, int n);

// Rebuilds the bundle of rays 0..n from the source (sx, sy), continues every
// ray not beyond the critical angle and draws both wavelet generations for
// the instant chosen on the time slider. Leaves FillStyle 0.
void ContinueBundle(canvas::Form& form, scene::SceneState& s, float sx, float sy, int n);

}  // namespace constructions
