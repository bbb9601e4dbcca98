#pragma once

#include "scene/SceneState.h"

#include <cstddef>

namespace canvas {
class Form;
}

namespace constructions {

// Polar angle about (-c, 0) of exit point i of a bundle of n + 1 rays: evenly
// spaced strictly inside the rims, symmetric about the axis.
[[nodiscard]] double BundleAngle(int i, int n, const scene::SceneState& s) noexcept;

// The bundle arrays re-created for rays 0..n, all zero; returns their length.
std::size_t ResetBundle(scene::SceneState& s, int n);
// Exit point of ray i of n + 1 on the second surface, stored in ExitX/ExitY.
void PlaceExit(scene::SceneState& s, std::size_t i, int n) noexcept;
// Least-time entry point and arrival time of ray i (source from the marker),
// stored, and the ray drawn source -> entry -> exit in the current pen.
void TraceBundleRay(canvas::Form& form, scene::SceneState& s, std::size_t i, float sourceX, float sourceY);

// Re-creates the bundle arrays for rays 0..n and draws each ray source ->
// entry -> exit with a 4-pixel dot on its exit point. Leaves DrawWidth 1.
void DrawBundle(canvas::Form& form, scene::SceneState& s, float sourceX, float sourceY, int n);

// Wavelet circles about the bundle's exit points at 0.7 after the latest
// arrival; totally reflected points get a red 6-pixel dot instead. Reads the
// bundle arrays for rays 0..n; leaves FillStyle 1.
void DrawWavelets(canvas::Form& form, const scene::SceneState& s, int n);

// Angle of incidence at the second surface of bundle ray i: between the ray
// inside the lens and the outward normal at its exit point.
[[nodiscard]] double ExitIncidence(const scene::SceneState& s, int i) noexcept;

// The critical angle for leaving the glass, asin(vi / vo) with the quotient in Single.
[[nodiscard]] double CriticalAngle(const scene::SceneState& s) noexcept;

}  // namespace constructions
